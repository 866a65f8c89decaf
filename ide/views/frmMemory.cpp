#include "views/frmMemory.h"

#include <algorithm>

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include "frame/DialogHelp.h"
#include "frame/Fonts.h"
#include "frame/MainWindow.h"
#include "frame/NumberText.h"
#include "frame/Prompt.h"
#include "frame/SubWindowActivation.h"
#include "views/frmMemAdr.h"

namespace quorvel {

namespace {

const FontSetting kGridFont{QStringLiteral("Courier New"), 10, false, false};
// frameAdr's right edge stays this far left of the scroll bar.
constexpr int kFrameAdrGap = 120 / kTwipsPerPixel;

const QString kPopupMenu = QStringLiteral("mnuPopupMemory");
const QString kPopupEnter = QStringLiteral("mnuPopupMemoryEnter");

} // namespace

void RegisterMemoryView(frmMain& frame) {
    frame.RegisterView(
        {kMemoryView, QStringLiteral("frmMemory"), QStringLiteral("Memory"),
         [](QSizeF client) {
             return WindowPlacement{0, 0, float(client.width()), float(client.height()), kStateNormal};
         },
         [&frame] { return new frmMemory(frame); }});
}

frmMemory::frmMemory(frmMain& frame, QWidget* parent)
    : QWidget(parent), frame_(frame), page_(frame.Target(), frame.Targets()) {
    activation_ = new SubWindowActivation(
        this, [this] { Form_Activate(); }, [this] { Form_Deactivate(); });
    CreateWidgets();
    ConnectWidgets();
}

frmMemory::~frmMemory() {
    activation_->Stop();
}

void frmMemory::CreateWidgets() {
    setObjectName(QStringLiteral("frmMemory"));
    setWindowTitle(QStringLiteral("Memory Window"));

    gridMemory = new MemoryGrid([this](MemoryCell cell) { return page_.Cell(cell); });
    gridMemory->setFont(ResolveFont(kGridFont));
    txtData = new MemoryCellEditor(gridMemory);
    txtData->setFont(gridMemory->font());

    VScroll = new QScrollBar(Qt::Vertical);
    VScroll->setObjectName(QStringLiteral("VScroll"));
    VScroll->setFocusPolicy(Qt::NoFocus);
    // The page is read once the thumb is let go, not for every position on the way.
    VScroll->setTracking(false);
    VScroll->setRange(0, ScrollMaximum(0));
    HScroll = new QScrollBar(Qt::Horizontal);
    HScroll->setObjectName(QStringLiteral("HScroll"));
    HScroll->setFocusPolicy(Qt::NoFocus);
    HScroll->hide();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(gridMemory, 0, 0);
    layout->addWidget(VScroll, 0, 1);
    layout->addWidget(HScroll, 1, 0);

    frameAdr = new QFrame(this);
    frameAdr->setObjectName(QStringLiteral("frameAdr"));
    frameAdr->setFrameShape(QFrame::Box);
    frameAdr->setAutoFillBackground(true);
    lbAdr = new QLabel(QStringLiteral("$FFFF"), frameAdr);
    lbAdr->setObjectName(QStringLiteral("lbAdr"));
    lbAdr->setFont(gridMemory->font());
    auto* frameLayout = new QHBoxLayout(frameAdr);
    frameLayout->setContentsMargins(3, 1, 3, 1);
    frameLayout->addWidget(lbAdr);
    frameAdr->adjustSize();
    frameAdr->hide();
}

void frmMemory::ConnectWidgets() {
    gridMemory->installEventFilter(this);
    connect(VScroll, &QScrollBar::valueChanged, this, &frmMemory::VScroll_Change);
    connect(VScroll, &QScrollBar::sliderMoved, this, &frmMemory::VScroll_Scroll);
    connect(VScroll, &QScrollBar::sliderReleased, frameAdr, &QWidget::hide);
    connect(HScroll, &QScrollBar::valueChanged, this, &frmMemory::HScroll_Change);
    connect(gridMemory, &MemoryGrid::CellPressed, this, &frmMemory::gridMemory_Click);
    connect(gridMemory, &MemoryGrid::CellDoubleClicked, this, &frmMemory::gridMemory_DblClick);
    connect(gridMemory, &MemoryGrid::CellMenuRequested, this, &frmMemory::gridMemory_Menu);
    connect(txtData, &MemoryCellEditor::Committed, this, [this] {
        HideEditor();
        SendByte();
        gridMemory->setFocus();
    });
    connect(txtData, &MemoryCellEditor::Cancelled, this, [this] {
        HideEditor();
        gridMemory->setFocus();
    });
    connect(txtData, &MemoryCellEditor::FocusLost, this, &frmMemory::HideEditor);
}

// ---- Procedures ----

void frmMemory::DisplayPage() {
    HideEditor();
    page_.Read();
    if (pageShown_ && RowsShown > 0)
        Cursor.Row = std::clamp(rememberedRow_, kMemoryHeaderRows, kMemoryHeaderRows + RowsShown - 1);
    pageShown_ = true;
    ++displays_;
    gridMemory->SetCursor(Cursor);
    gridMemory->update();
}

void frmMemory::ClearScreen() {
    HideEditor();
    page_.Clear();
    gridMemory->update();
}

void frmMemory::mnuMemoryRefresh() {
    rememberedRow_ = Cursor.Row;
    DisplayPage();
    // Refreshed after a stop while another window is active, the window leaves the focus alone.
    if (IsActive()) gridMemory->setFocus();
}

void frmMemory::mnuMemoryAddress() {
    EnterOK = false;
    frmMemAdr dialog(frame_.prompt(), this);
    SetDialogHelpHook(dialog, [this](int topic) { frame_.ShowHelpTopic(topic); });
    if (frame_.prompt().ShowModal(dialog) == QDialog::Accepted && dialog.EnterOK) {
        EnterOK = true;
        EnterAddress = dialog.EnterAddress;
    } else {
        EnterAddress = 0;
    }
    const AddressPlacement placement = PlaceAddress(EnterAddress, RowsShown);
    page_.SetBase(placement.Base);
    rememberedRow_ = placement.Cursor.Row;
    const int before = displays_;
    VScroll->setValue(page_.Base() / kMemoryRowBytes);
    if (displays_ == before) DisplayPage();
    SetCursor(placement.Cursor);
    HorScroll();
    gridMemory->setFocus();
}

void frmMemory::mnuMemoryEnter() {
    EnterData(Cursor.Row, Cursor.Column);
}

void frmMemory::EnterData(int row, int column) {
    const MemoryCell cell{row, column};
    if (!IsDataCell(cell, RowsShown)) return;
    SetCursor(cell);
    HorScroll();
    editCell_ = cell;
    txtData->Begin(IsHexColumn(column) ? MemoryCellEdit::Kind::Hex : MemoryCellEdit::Kind::Char,
                   page_.Cell(cell));
    txtData->setGeometry(gridMemory->CellRect(cell));
    txtData->show();
    txtData->raise();
    txtData->setFocus();
}

void frmMemory::SendByte() {
    const MemoryPage::Write result = page_.SendByte(editCell_, txtData->text());
    gridMemory->update();
    if (result != MemoryPage::Write::ReadOnly) return;
    frame_.prompt().Message(
        DravikTitle(QStringLiteral("Memory Write Error")),
        TwoLines(QStringLiteral("Can't Write to Memory !"), QStringLiteral(" (Read Only Memory)")),
        PromptIcon::Exclamation);
}

void frmMemory::HorScroll() {
    if (!IsDataCell(Cursor, RowsShown)) return;
    const int left = gridMemory->ColumnLeft(Cursor.Column);
    const int right = left + gridMemory->ColumnWidth(Cursor.Column);
    const int view = gridMemory->width();
    if (left < HScroll->value())
        HScroll->setValue(left);
    else if (right > HScroll->value() + view)
        HScroll->setValue(right - view);
}

// ---- The cursor ----

void frmMemory::SetCursor(MemoryCell cell) {
    Cursor = cell;
    gridMemory->SetCursor(cell);
}

void frmMemory::MoveCursor(CursorKey key) {
    const CursorMove move = quorvel::MoveCursor(Cursor, key, page_.Base(), RowsShown);
    if (move.ScrollRows != 0) VScroll->setValue(VScroll->value() + move.ScrollRows);
    SetCursor(move.Cursor);
    HorScroll();
}

void frmMemory::HideEditor() {
    if (txtData->isVisible()) txtData->hide();
}

bool frmMemory::eventFilter(QObject* watched, QEvent* event) {
    if (watched == gridMemory && event->type() == QEvent::KeyPress &&
        gridMemory_KeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool frmMemory::gridMemory_KeyDown(QKeyEvent* event) {
    if (RowsShown <= 0) return false;
    switch (event->key()) {
    case Qt::Key_Left: MoveCursor(CursorKey::Left); return true;
    case Qt::Key_Right: MoveCursor(CursorKey::Right); return true;
    case Qt::Key_Up: MoveCursor(CursorKey::Up); return true;
    case Qt::Key_Down: MoveCursor(CursorKey::Down); return true;
    case Qt::Key_Home: MoveCursor(CursorKey::Home); return true;
    case Qt::Key_End: MoveCursor(CursorKey::End); return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: MoveCursor(CursorKey::Tab); return true;
    case Qt::Key_PageUp: VScroll->triggerAction(QAbstractSlider::SliderPageStepSub); return true;
    case Qt::Key_PageDown: VScroll->triggerAction(QAbstractSlider::SliderPageStepAdd); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: EnterData(Cursor.Row, Cursor.Column); return true;
    default: return false;
    }
}

// ---- The mouse ----

void frmMemory::gridMemory_Click(MemoryCell cell, Qt::MouseButton button) {
    MemoryCell clicked;
    if (button == Qt::LeftButton && ClickedCell(cell.Row, cell.Column, RowsShown, clicked))
        SetCursor(clicked);
}

void frmMemory::gridMemory_DblClick(MemoryCell cell) {
    if (cell.Column == kMemoryAddressColumn)
        mnuMemoryAddress();
    else
        EnterData(cell.Row, cell.Column);
}

void frmMemory::gridMemory_Menu(MemoryCell cell, bool onCell, QPoint globalPosition) {
    MemoryCell clicked;
    if (onCell && ClickedCell(cell.Row, cell.Column, RowsShown, clicked)) SetCursor(clicked);
    frame_.SetCommandEnabled(kPopupEnter, IsDataCell(Cursor, RowsShown));
    if (QMenu* menu = frame_.Menu(kPopupMenu)) menu->popup(globalPosition);
}

// ---- Scroll bars ----

void frmMemory::VScroll_Change(int value) {
    HideEditor();
    // A drag has ended: the page follows the thumb.
    frameAdr->hide();
    rememberedRow_ = Cursor.Row;
    page_.SetBase(ScrollAddress(value, RowsShown));
    DisplayPage();
    if (IsActive()) gridMemory->setFocus();
}

// While the thumb is dragged, the address the top row would get floats beside it.
void frmMemory::VScroll_Scroll(int value) {
    HideEditor();
    lbAdr->setText(QStringLiteral("$") + HexPad(ScrollAddress(value, RowsShown), 4));
    frameAdr->adjustSize();
    const int range = std::max(1, VScroll->maximum() - VScroll->minimum());
    const int travel = std::max(0, VScroll->height() - frameAdr->height());
    const int y = VScroll->y() + travel * (value - VScroll->minimum()) / range;
    frameAdr->move(VScroll->x() - kFrameAdrGap - frameAdr->width(), y);
    frameAdr->show();
    frameAdr->raise();
}

// Wheel turns over the grid move the page by rows through the scroll bar, as
// the arrow keys do at the page edges; over the scroll bar it takes them itself.
void frmMemory::wheelEvent(QWheelEvent* event) {
    event->accept();
    const int rows = wheel_.Take(event->angleDelta().y(), QApplication::wheelScrollLines());
    if (rows != 0 && RowsShown > 0) VScroll->setValue(VScroll->value() + rows);
}

void frmMemory::HScroll_Change(int value) {
    gridMemory->SetFirstPixel(value);
    HideEditor();
}

// ---- Window life ----

void frmMemory::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMemory::Form_Resize() {
    const int viewWidth = width() - VScroll->sizeHint().width();
    const bool wide = gridMemory->ContentWidth() > viewWidth;
    HScroll->setVisible(wide);
    HScroll->setRange(0, wide ? gridMemory->ContentWidth() - viewWidth : 0);
    HScroll->setPageStep(std::max(1, viewWidth));
    const int inner = height() - (wide ? HScroll->sizeHint().height() : 0);
    const int rowHeight = gridMemory->RowHeight();
    const int rows = RowsShownFor(inner, rowHeight, rowHeight);

    const int32_t before = page_.Base();
    RowsShown = rows;
    page_.SetRowsShown(rows);
    gridMemory->SetRowCount(rows);
    {
        const QSignalBlocker block(VScroll);
        VScroll->setMaximum(ScrollMaximum(rows));
        VScroll->setPageStep(ScrollPageStep(rows));
        VScroll->setValue(page_.Base() / kMemoryRowBytes);
    }
    if (rows > 0 && Cursor.Row >= kMemoryHeaderRows + rows)
        SetCursor({kMemoryHeaderRows + rows - 1, Cursor.Column});
    // A taller window at the end of memory starts its page earlier.
    if (pageShown_ && page_.Base() != before) {
        rememberedRow_ = Cursor.Row;
        DisplayPage();
    }
}

QMdiSubWindow* frmMemory::SubWindow() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

bool frmMemory::IsActive() const {
    if (const QMdiSubWindow* window = SubWindow()) return window->windowState() & Qt::WindowActive;
    return isActiveWindow();
}

void frmMemory::Form_Activate() {
    if (frame_.Checked(kMemoryView)) mnuMemoryRefresh();
}

// Only the window's own widgets are touched here: a window also loses the
// activation while the frame is being torn down.
void frmMemory::Form_Deactivate() {
    HideEditor();
    gridMemory->update();
}

} // namespace quorvel
