#include "frame/MenuBuilder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace quorvel {

namespace {

constexpr MenuEntry Menu(const char* name, const char* caption) {
    return {MenuEntry::BeginMenu, name, caption, "", false};
}
constexpr MenuEntry End() {
    return {MenuEntry::EndMenu, "", "", "", false};
}
constexpr MenuEntry Item(const char* name, const char* caption, const char* shortcut = "") {
    return {MenuEntry::Item, name, caption, shortcut, false};
}
constexpr MenuEntry Check(const char* name, const char* caption, const char* shortcut = "") {
    return {MenuEntry::Item, name, caption, shortcut, true};
}
constexpr MenuEntry Bar() {
    return {MenuEntry::Separator, "", "", "", false};
}

} // namespace

const QList<MenuEntry>& MainMenuEntries() {
    static const QList<MenuEntry> entries = {
        Menu("mnuFile", "&File"),
        Item("mnuFileNew", "&New", "Ctrl+N"),
        Item("mnuFileOpen", "&Open ...", "Ctrl+O"),
        Item("mnuFileClose", "&Close"),
        Bar(),
        Item("mnuFileSave", "&Save", "Ctrl+S"),
        Item("mnuFileSaveAs", "Save &As ..."),
        Bar(),
        Item("mnuFilePrintSetup", "P&rint Setup ..."),
        Item("mnuFilePrintPreview", "Print Pre&view"),
        Item("mnuFilePrint", "&Print ...", "Ctrl+P"),
        Bar(),
        Item("mnuFileAssemble", "Asse&mble ...", "F7"),
        Item("mnuFileLoadSymbols", "&Load Symbols ..."),
        Item("mnuFileDownload", "&Download ..."),
        Bar(),
        Item("mnuFileRecent0", ""),
        Item("mnuFileRecent1", ""),
        Item("mnuFileRecent2", ""),
        Item("mnuFileRecent3", ""),
        Bar(),
        Item("mnuFileExit", "E&xit"),
        End(),

        Menu("mnuEdit", "&Edit"),
        Item("mnuEditUndo", "&Undo", "Ctrl+Z"),
        Item("mnuEditRedo", "R&edo", "Ctrl+Y"),
        Bar(),
        Item("mnuEditCut", "Cu&t", "Ctrl+X"),
        Item("mnuEditCopy", "&Copy", "Ctrl+C"),
        Item("mnuEditPaste", "&Paste", "Ctrl+V"),
        Item("mnuEditDelete", "&Delete", "Del"),
        Bar(),
        Item("mnuEditSelectAll", "Select Al&l", "Ctrl+A"),
        Bar(),
        Item("mnuEditFind", "&Find ...", "Ctrl+F"),
        Item("mnuEditFindNext", "Find &Next", "F3"),
        Item("mnuEditReplace", "&Replace ...", "Ctrl+H"),
        Bar(),
        Item("mnuEditGoToLine", "&Go To Line ...", "Ctrl+G"),
        End(),

        Menu("mnuView", "&View"),
        Check("mnuViewRegCPU", "&CPU Registers"),
        Menu("mnuViewRegBlock", "&Register Block"),
        Check("mnuViewRegPorts", "&Ports"),
        Check("mnuViewRegTimer", "&Timer"),
        Check("mnuViewRegPulseAcc", "P&ulse Accumulator"),
        Check("mnuViewRegSCI", "S&CI"),
        Check("mnuViewRegSPI", "&SPI"),
        Check("mnuViewRegAD", "&A/D Converter"),
        Check("mnuViewRegOther", "&Other"),
        End(),
        Check("mnuViewRegPIA", "&PIA Registers"),
        Check("mnuViewIOunit", "&IO unit"),
        Bar(),
        Check("mnuViewMemory", "&Memory Window"),
        Check("mnuViewWatch", "&Watch Window"),
        Check("mnuViewStack", "&Stack"),
        Bar(),
        Check("mnuViewDisassembler", "&Disassembler"),
        Check("mnuViewLabel", "&Labels"),
        Bar(),
        Check("mnuViewSerialTerminal", "S&erial Terminal"),
        Bar(),
        Check("mnuViewToolbar", "&Toolbar"),
        Check("mnuViewStatusBar", "Status &Bar"),
        Bar(),
        Item("mnuViewOptions", "&Options ..."),
        End(),

        Menu("mnuDebug", "&Debug"),
        Item("mnuDebugAddWatch", "Add &Watch ..."),
        Item("mnuDebugEditWatch", "&Edit Watch ..."),
        Bar(),
        Check("mnuDebugCodeOn", "Code &On"),
        Check("mnuDebugIncludeSym", "Include &Symbols"),
        Bar(),
        Item("mnuDebugInlineAsemble", "Inline Asse&mble ..."),
        Bar(),
        Item("mnuDebugToggleBreakpoint", "&Toggle Breakpoint", "F9"),
        Item("mnuDebugClearAllBreakpoints", "&Clear All Breakpoints"),
        Bar(),
        Item("mnuDebugSetNewPC", "Set &New PC"),
        Item("mnuDebugGetResVec", "Get &Reset Vector"),
        Bar(),
        Item("mnuDebugGoToPCAddress", "Go To &PC Address"),
        Item("mnuDebugGoToAddress", "Go To &Address ..."),
        Bar(),
        Item("mnuDebugResetCounter", "Reset counter"),
        Bar(),
        Item("mnuDebugRefresh", "&Refresh Window"),
        End(),

        Menu("mnuRun", "&Run"),
        Item("mnuRunRun", "&Run", "Ctrl+F5"),
        Item("mnuRunPlay", "&Play", "F5"),
        Item("mnuRunAnimate", "&Animate"),
        Bar(),
        Item("mnuRunStepInto", "Step &Into", "F11"),
        Item("mnuRunStepOver", "Step &Over", "F10"),
        Item("mnuRunStepOut", "Step Ou&t", "Shift+F11"),
        Item("mnuRunRunTo", "Run To &Cursor", "F4"),
        Bar(),
        Item("mnuRunPause", "&Pause", "Esc"),
        End(),

        Menu("mnuWindow", "&Window"),
        Item("mnuWindowArrangeDebugger", "Arrange &Debugger"),
        Bar(),
        Item("mnuWindowCascade", "&Cascade Editors"),
        Item("mnuWindowTileHorizontal", "Tile &Horizontal Editors"),
        Item("mnuWindowTileVertical", "Tile &Vertical Editors"),
        End(),

        Menu("mnuHelp", "&Help"),
        Item("mnuHelpTopics", "Quorvel Help &Topics", "F1"),
        Item("mnuHelpUsingHelp", "&Using Help"),
        Bar(),
        Item("mnuHelpHC11Symbols", "HC11 &Symbols"),
        Bar(),
        Item("mnuHelpAbout", "&About Quorvel ..."),
        End(),
    };
    return entries;
}

const QList<MenuEntry>& PopupMenuEntries() {
    static const QList<MenuEntry> entries = {
        Menu("mnuPopupMemory", "PopupMemory"),
        Item("mnuPopupMemoryEnter", "Enter &Value ..."),
        Item("mnuPopupMemoryAddress", "&Display Address ..."),
        Bar(),
        Item("mnuPopupMemoryRefresh", "&Refresh Window"),
        End(),

        Menu("mnuPopupStack", "PopupStack"),
        Item("mnuPopupStackEnter", "Enter &Value ..."),
        Bar(),
        Item("mnuPopupStackGoToSPAddress", "Go To &SP Address"),
        Item("mnuPopupStackGoToAddress", "Go To &Address ..."),
        Item("mnuPopupStackRefresh", "&Refresh Window"),
        End(),

        Menu("mnuPopupView", "PopupView"),
        Item("mnuPopupViewAddWatch", "Add &Watch ..."),
        Item("mnuPopupViewEditWatch", "&Edit Watch ..."),
        Item("mnuPopupViewRemoveWatch", "Re&move Watch"),
        Bar(),
        Item("mnuPopupViewEnter", "Enter &Value ..."),
        Bar(),
        Check("mnuPopupViewHex", "&Hex"),
        Check("mnuPopupViewBin", "&Binary"),
        Check("mnuPopupViewDec", "&Decimal"),
        Bar(),
        Check("mnuPopupViewAutoRefresh", "&Auto Refresh"),
        Item("mnuPopupViewRefresh", "&Refresh Window"),
        End(),

        Menu("mnuPopupSerial", "PopupSerial"),
        Check("mnuPopupSerialAscii", "&Ascii"),
        Check("mnuPopupSerialHex", "&Hex"),
        Bar(),
        Item("mnuPopupSerialClear", "&Clear"),
        End(),

        Menu("mnuPopupSort", "PopupSort"),
        Check("mnuPopupSortName", "Sort by &Name"),
        Check("mnuPopupSortValue", "Sort by &Value"),
        Bar(),
        Check("mnuPopupSortNone", "&Unsorted"),
        End(),
    };
    return entries;
}

namespace {

void Build(const QList<MenuEntry>& entries, QMenuBar* bar, QWidget* owner, BuiltMenus& built) {
    QList<QMenu*> open;
    QHash<QMenu*, int> separators;
    for (const MenuEntry& entry : entries) {
        QMenu* current = open.isEmpty() ? nullptr : open.last();
        switch (entry.What) {
        case MenuEntry::BeginMenu: {
            const QString name = QString::fromLatin1(entry.Name);
            QMenu* menu = nullptr;
            if (current)
                menu = current->addMenu(QString::fromLatin1(entry.Caption));
            else if (bar)
                menu = bar->addMenu(QString::fromLatin1(entry.Caption));
            else {
                menu = new QMenu(QString::fromLatin1(entry.Caption), owner);
                built.Popups.append(menu);
            }
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            built.Menus.insert(name, menu);
            open.append(menu);
            break;
        }
        case MenuEntry::EndMenu:
            if (!open.isEmpty()) open.removeLast();
            break;
        case MenuEntry::Item: {
            if (!current) break;
            auto* action = new QAction(QString::fromLatin1(entry.Caption), owner);
            const QString name = QString::fromLatin1(entry.Name);
            action->setObjectName(name);
            action->setCheckable(entry.Checkable);
            if (*entry.Shortcut)
                action->setShortcut(
                    QKeySequence(QString::fromLatin1(entry.Shortcut), QKeySequence::PortableText));
            current->addAction(action);
            built.Actions.insert(name, action);
            break;
        }
        case MenuEntry::Separator: {
            if (!current) break;
            const int n = ++separators[current];
            QAction* action = current->addSeparator();
            const QString name = current->objectName() + QStringLiteral("Bar") + QString::number(n);
            action->setObjectName(name);
            built.Actions.insert(name, action);
            break;
        }
        }
    }
}

} // namespace

BuiltMenus BuildMenus(QMenuBar* bar, QWidget* owner) {
    BuiltMenus built;
    Build(MainMenuEntries(), bar, owner, built);
    Build(PopupMenuEntries(), nullptr, owner, built);
    return built;
}

} // namespace quorvel
