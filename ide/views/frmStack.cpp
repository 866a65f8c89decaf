#include "views/frmStack.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "codetools/SymbolFile.h"
#include "codetools/frmAddress.h"
#include "frame/Arrange.h"
#include "frame/DialogHelp.h"
#include "frame/Fonts.h"
#include "frame/MainWindow.h"
#include "frame/Prompt.h"
#include "frame/SubWindowActivation.h"
#include "views/frmEnterVal.h"

namespace quorvel {

namespace {

const FontSetting kLineFont{QStringLiteral("Courier New"), 10, false, false};
const QString kPopupMenu = QStringLiteral("mnuPopupStack");
const QString kPopupEnter = QStringLiteral("mnuPopupStackEnter");

// Below the CPU registers, beside the disassembly, down to the bottom of the frame.
WindowPlacement StackPlacement(QSizeF client) {
    for (const DebuggerSlot& slot : ArrangeDebugger(float(client.height())))
        if (slot.Prefix == QLatin1String("Stack")) return slot.Placement;
    return {kArrangeLeftWidth, kArrangeTopHeight, kArrangeColumnWidth, kArrangeMinHeight, kStateNormal};
}

} // namespace

void RegisterStackView(frmMain& frame) {
    frame.RegisterView({kStackView, QStringLiteral("frmStack"), QStringLiteral("Stack"), StackPlacement,
                        [&frame] { return new frmStack(frame); }});
}

frmStack::frmStack(frmMain& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
    activation_ = new SubWindowActivation(
        this, [this] { Form_Activate(); }, [this] { Form_Deactivate(); });
    CreateWidgets();
    ConnectWidgets();
    // Form_Load: the lines start empty; the stack pointer is looked up once the window knows its size.
    ClearScreen();
}

frmStack::~frmStack() {
    activation_->Stop();
}

void frmStack::CreateWidgets() {
    setObjectName(QStringLiteral("frmStack"));
    setWindowTitle(QStringLiteral("Stack"));
    setFont(ResolveFont(kLineFont));
    // The window itself holds the keyboard focus; typed characters go nowhere.
    setFocusPolicy(Qt::StrongFocus);

    rowsView_ = new DisAsmRowsView([this](int line) { return LineText(line); },
                                   [this](int line) { return Look(line); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(rowsView_, 1);
}

void frmStack::ConnectWidgets() {
    connect(rowsView_, &DisAsmRowsView::RowPressed, this, &frmStack::OnRowPressed);
    connect(rowsView_, &DisAsmRowsView::RowDoubleClicked, this, &frmStack::OnRowDoubleClicked);
    connect(rowsView_, &DisAsmRowsView::RowMenuRequested, this, &frmStack::OnRowMenu);
}

QString frmStack::LineText(int line) const {
    if (line < 1 || line > kStackLines) return {};
    return stack_.Lines[static_cast<size_t>(line - 1)].Text;
}

RowLook frmStack::Look(int line) const {
    if (line < 1 || line > kStackLines) return PickRowLook(palette(), {});
    return PickRowLook(palette(), {.Cursor = cursorShown_ && line == CurRow,
                                   .Bold = stack_.Lines[static_cast<size_t>(line - 1)].Bold});
}

bool frmStack::ShowsValues() const {
    return CurRow > 0 && VisibleRows > 0;
}

// ---- Procedures ----

void frmStack::Redraw() {
    cursorShown_ = false;
    stack_.Redraw(frame_.Target().RegSP);
    rowsView_->update();
}

void frmStack::ClearScreen() {
    stack_.ClearScreen();
    CurRow = 0;
    cursorShown_ = false;
    rowsView_->update();
}

void frmStack::ClearMarks() {
    stack_.ClearMarks();
    cursorShown_ = false;
    rowsView_->update();
}

void frmStack::SetCurRow(int row) {
    cursorShown_ = false;
    CurRow = std::min(row, VisibleRows);
    if (CurRow <= 0) CurRow = 1;
    if (IsActive()) cursorShown_ = true;
    rowsView_->update();
}

void frmStack::mnuRefresh() {
    if (!stack_.Read(frame_.Targets())) {
        ClearScreen();
        return;
    }
    Redraw();
    SetCurRow(CurRow > 0 ? CurRow : 1);
}

void frmStack::mnuGoToSPAddress() {
    const TargetState& state = frame_.Target();
    if (!state.BoardOK) {
        ClearScreen();
        return;
    }
    if (const int line = stack_.LineOf(state.RegSP, VisibleRows); line > 0) {
        Redraw();
        SetCurRow(line);
        return;
    }
    stack_.StackViewAddress = StackLines::SPStart(state.RegSP, VisibleRows);
    if (!stack_.Read(frame_.Targets())) {
        ClearScreen();
        return;
    }
    Redraw();
    SetCurRow(VisibleRows);
}

void frmStack::mnuGoToAddress() {
    frmAddress dialog(frame_.Symbols().Table(), frame_.prompt(), this);
    SetDialogHelpHook(dialog, [this](int topic) { frame_.ShowHelpTopic(topic); });
    if (frame_.prompt().ShowModal(dialog) != QDialog::Accepted || !dialog.AddressEntered) return;
    stack_.StackViewAddress = dialog.Address;
    if (!stack_.Read(frame_.Targets())) {
        ClearScreen();
        return;
    }
    Redraw();
    SetCurRow(1);
}

void frmStack::mnuEnter() {
    if (CurRow < 1 || CurRow > kStackLines) return;
    const QString line = LineText(CurRow);
    const int32_t address = StackLineAddress(line);
    if (address < 0) return;
    int32_t value = 0;
    if (!EnterValue(frame_.prompt(), this, StackEnterName(line), StackEnterText(line), false, value,
                    [this](int topic) { frame_.ShowHelpTopic(topic); }))
        return;
    frame_.Targets().OutByte(address, static_cast<uint8_t>(value));
    if (frame_.Target().BoardOK)
        frame_.Refresh();
    else
        ClearScreen();
}

void frmStack::ReRead() {
    Busy = true;
    const bool read = stack_.Read(frame_.Targets());
    Busy = false;
    if (!read) {
        ClearScreen();
        return;
    }
    Redraw();
    SetCurRow(CurRow);
}

// ---- Keys and mouse ----

void frmStack::keyPressEvent(QKeyEvent* event) {
    StackKeyCode key;
    switch (event->key()) {
    case Qt::Key_Up: key = StackKeyCode::Up; break;
    case Qt::Key_Down: key = StackKeyCode::Down; break;
    case Qt::Key_PageUp: key = StackKeyCode::PageUp; break;
    case Qt::Key_PageDown: key = StackKeyCode::PageDown; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ShowsValues() && !Busy) mnuEnter();
        event->accept();
        return;
    default:
        // Typed characters are discarded; everything else goes its usual way.
        if (!event->text().isEmpty() && event->text().front().isPrint())
            event->accept();
        else
            QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!ShowsValues() || Busy) return;
    const StackKeyMove move = StackKey(key, CurRow, VisibleRows);
    if (move.Scroll == 0) {
        SetCurRow(move.Row);
        return;
    }
    stack_.Scroll(move.Scroll);
    CurRow = move.Row;
    ReRead();
}

// The wheel moves the view by lines as Up and Down do at the edges; the selection keeps its line.
void frmStack::wheelEvent(QWheelEvent* event) {
    event->accept();
    const int lines = wheel_.Take(event->angleDelta().y(), QApplication::wheelScrollLines());
    if (lines == 0 || !ShowsValues() || Busy) return;
    stack_.Scroll(lines);
    ReRead();
}

void frmStack::OnRowPressed(int row, Qt::MouseButton button) {
    if (button != Qt::LeftButton || !ShowsValues() || row < 1 || row > VisibleRows) return;
    SetCurRow(row);
}

void frmStack::OnRowDoubleClicked(int row) {
    OnRowPressed(row, Qt::LeftButton);
    if (ShowsValues()) mnuEnter();
}

void frmStack::OnRowMenu(int row, QPoint globalPosition) {
    const bool onLine = ShowsValues() && row >= 1 && row <= VisibleRows;
    frame_.SetCommandEnabled(kPopupEnter, onLine);
    if (onLine) SetCurRow(row);
    if (QMenu* menu = frame_.Menu(kPopupMenu)) menu->popup(globalPosition);
}

// ---- Window life ----

void frmStack::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmStack::Form_Resize() {
    VisibleRows = std::clamp(height() / rowsView_->RowHeight(), 0, kStackLines);
    rowsView_->SetRowCount(VisibleRows);
    if (CurRow > VisibleRows && VisibleRows > 0) SetCurRow(VisibleRows);
    if (!loaded_ && VisibleRows > 0) {
        loaded_ = true;
        mnuGoToSPAddress();
    }
}

QMdiSubWindow* frmStack::SubWindow() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

bool frmStack::IsActive() const {
    if (const QMdiSubWindow* window = SubWindow()) return window->windowState() & Qt::WindowActive;
    return isActiveWindow();
}

// A click that activates the window selects its own line; a window without
// values has no line to colour.
void frmStack::Form_Activate() {
    if (CurRow > 0 && !(QApplication::mouseButtons() & Qt::LeftButton)) SetCurRow(CurRow);
}

// Only the window's own state is touched here: a window also loses the
// activation while the frame is being torn down.
void frmStack::Form_Deactivate() {
    cursorShown_ = false;
    rowsView_->update();
}

} // namespace quorvel
