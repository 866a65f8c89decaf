// The disassembly window's keys and mouse: the cursor keys and the page
// keys with their page loads, clicks, double clicks and the Debug pop-up.
#include "codetools/frmDisAsm.h"

#include <algorithm>

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

#include "target/TargetState.h"

namespace quorvel {

namespace {

// Page Up loads the page this many bytes before the last visible row.
constexpr int32_t kPageUpReach = 250;
// Up loads the page this many bytes before the first row.
constexpr int32_t kUpReach = 5;

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
    const int32_t oldFirst = Lines[0].Address;
    Busy = true;
    const bool loaded = LoadPage(oldFirst - kUpReach);
    Busy = false;
    Menus();
    if (!loaded) {
        ClearScreen();
        return;
    }
    PageAddress = renderer_.UpStart(oldFirst);
    DisAsmPage();
    SetCurRow(CurRow);
}

void frmDisAsm::KeyDown() {
    if (rendered_ < 2) return;
    Busy = true;
    const bool loaded = LoadPage(Lines[1].Address);
    Busy = false;
    Menus();
    if (!loaded) {
        ClearScreen();
        return;
    }
    PageAddress = links_.State.ProgramPageAddress;
    DisAsmPage();
    SetCurRow(std::min<int>(VisibleRows, rendered_));
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
