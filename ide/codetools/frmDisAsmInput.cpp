// The disassembly window's keys and mouse: the cursor keys and the page
// keys with their page loads, the wheel and the vertical scroll bar, which
// move the view the way the keys do, clicks, double clicks and the Debug pop-up.
#include "codetools/frmDisAsm.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QWheelEvent>

#include "codetools/AddressScrollBar.h"
#include "codetools/DisAsmScroll.h"
#include "target/TargetState.h"

namespace quorvel {

namespace {

constexpr int32_t kAddressMask = 0xFFFF;
// Page Up loads the page this many bytes before the last visible row.
constexpr int32_t kPageUpReach = 250;

const QString kDebugMenu = QStringLiteral("mnuDebug");
// Debug menu items the window's pop-up hides and shows; the rest of the time
// the watch commands are shown and Refresh Window is hidden.
const char* const kPopupHidden[] = {"mnuDebugAddWatch", "mnuDebugEditWatch", "mnuDebugBar1"};
const char* const kPopupShown[] = {"mnuDebugRefresh", "mnuDebugBar6"};

} // namespace

// ---- Keys ----

void frmDisAsm::keyPressEvent(QKeyEvent* event) {
    const int last = std::min<int>(VisibleRows, rendered_);
    if (CurRow == 0 || last <= 0 || detached_) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        if (CurRow > 1)
            SetCurRow(CurRow - 1);
        else if (!Busy)
            KeyUp();
        break;
    case Qt::Key_Down:
        if (CurRow < last)
            SetCurRow(CurRow + 1);
        else if (!Busy)
            KeyDown();
        break;
    case Qt::Key_PageUp:
        if (!Busy) KeyPageUp();
        break;
    case Qt::Key_PageDown:
        if (!Busy) KeyPageDown();
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void frmDisAsm::KeyUp() {
    if (ScrollBack(1)) SetCurRow(CurRow);
}

void frmDisAsm::KeyDown() {
    if (ScrollOn(1)) SetCurRow(std::min<int>(VisibleRows, rendered_));
}

bool frmDisAsm::CanScroll() const {
    return CurRow != 0 && std::min<int>(VisibleRows, rendered_) > 0 && !detached_ && !Busy;
}

void frmDisAsm::ScrollRows(int rows) {
    const bool shown = rows < 0 ? ScrollBack(-rows) : ScrollOn(rows);
    if (shown) SetCurRow(CurRow);
}

// Each row back is one Up step; all of them from one page load.
bool frmDisAsm::ScrollBack(int rows) {
    const int32_t oldFirst = Lines[0].Address;
    Busy = true;
    const bool loaded = LoadPage(RowsBackPage(oldFirst, rows));
    Busy = false;
    Menus();
    if (!loaded) {
        ClearScreen();
        return false;
    }
    PageAddress = RowsBackStart(renderer_, oldFirst, rows);
    DisAsmPage();
    return true;
}

// As Down on the last row: the row that becomes the first starts the page loaded.
bool frmDisAsm::ScrollOn(int rows) {
    rows = std::min(rows, rendered_ - 1);
    if (rows < 1) return false;
    Busy = true;
    const bool loaded = LoadPage(Lines[static_cast<size_t>(rows)].Address);
    Busy = false;
    Menus();
    if (!loaded) {
        ClearScreen();
        return false;
    }
    PageAddress = links_.State.ProgramPageAddress;
    DisAsmPage();
    return true;
}

void frmDisAsm::ShowPageAt(int32_t address) {
    Busy = true;
    const bool loaded = LoadPage(address);
    Busy = false;
    Menus();
    if (!loaded) {
        ClearScreen();
        return;
    }
    PageAddress = links_.State.ProgramPageAddress;
    DisAsmPage();
    SetCurRow(CurRow);
}

// The thumb covers the bytes of the visible rows.
void frmDisAsm::SyncVScroll() {
    const int last = std::min<int>(VisibleRows, rendered_);
    vScroll_->setEnabled(last > 0);
    if (last <= 0) return;
    const int32_t first = Lines[0].Address;
    const int32_t after = last < rendered_ ? Lines[static_cast<size_t>(last)].Address
                                           : Lines[static_cast<size_t>(last - 1)].Address + 1;
    vScroll_->ShowRows(first, ((after - first - 1) & kAddressMask) + 1);
}

void frmDisAsm::wheelEvent(QWheelEvent* event) {
    event->accept();
    const int rows = wheel_.Take(event->angleDelta().y(), QApplication::wheelScrollLines());
    if (rows != 0 && CanScroll()) ScrollRows(rows);
}

void frmDisAsm::KeyPageDown() {
    const int last = std::min<int>(VisibleRows, rendered_);
    Busy = true;
    const bool loaded = LoadPage(Lines[static_cast<size_t>(last - 1)].Address);
    Busy = false;
    Menus();
    if (!loaded) {
        ClearScreen();
        return;
    }
    PageAddress = links_.State.ProgramPageAddress;
    DisAsmPage();
    SetCurRow(CurRow);
}

void frmDisAsm::KeyPageUp() {
    const int last = std::min<int>(VisibleRows, rendered_);
    const int32_t oldFirst = Lines[0].Address;
    Busy = true;
    const bool loaded = LoadPage(Lines[static_cast<size_t>(last - 1)].Address - kPageUpReach);
    Busy = false;
    Menus();
    if (!loaded) {
        ClearScreen();
        return;
    }
    PageAddress = renderer_.PageUpStart(oldFirst, last);
    DisAsmPage();
    SetCurRow(CurRow);
}

// ---- Mouse ----

void frmDisAsm::OnRowPressed(int row, Qt::MouseButton button) {
    if (button != Qt::LeftButton || CurRow == 0 || row < 1 || row > rendered_) return;
    SetCurRow(row);
}

// The first click of a double click has selected the row already; the
// selection is made here too, so the toggle lands on the row under the mouse.
void frmDisAsm::OnRowDoubleClicked(int row) {
    OnRowPressed(row, Qt::LeftButton);
    ToggleBreakpoint(CurRow);
}

void frmDisAsm::OnRowMenu(int row, QPoint globalPosition) {
    if (CurRow > 0 && row >= 1 && row <= rendered_) SetCurRow(row);
    ShowDebugPopup(globalPosition);
}

// The Debug menu as the window's pop-up: Refresh Window instead of the watch commands.
void frmDisAsm::ShowDebugPopup(QPoint globalPosition) {
    QMenu* menu = links_.Host.Menu(kDebugMenu);
    if (!menu) return;
    QList<QPointer<QAction>> hidden;
    QList<QPointer<QAction>> shown;
    for (const char* name : kPopupHidden)
        if (QAction* action = links_.Host.Command(QLatin1String(name))) hidden.append(action);
    for (const char* name : kPopupShown)
        if (QAction* action = links_.Host.Command(QLatin1String(name))) shown.append(action);
    for (QAction* action : hidden)
        action->setVisible(false);
    for (QAction* action : shown)
        action->setVisible(true);
    // Once the menu has closed (and its command has run), the items look as before.
    connect(
        menu, &QMenu::aboutToHide, menu,
        [hidden, shown] {
            for (const QPointer<QAction>& action : hidden)
                if (action) action->setVisible(true);
            for (const QPointer<QAction>& action : shown)
                if (action) action->setVisible(false);
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    menu->popup(globalPosition);
}

} // namespace quorvel
