// The menu bar and the pop-up menus, caption by caption and in order.
#include <functional>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

#include "FrameHarness.h"

namespace quorvel::test {
namespace {

using MenuTreeTest = FrameTest;

// One line per entry: "caption [name]", "—" for a separator, two blanks of
// indent per submenu level.
void Flatten(const QMenu* menu, int depth, QStringList& lines) {
    const QString indent(2 * depth, ' ');
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            lines.append(indent + QString::fromUtf8("\u2014"));
            continue;
        }
        lines.append(indent + action->text() + " [" + action->objectName() + "]");
        if (action->menu()) Flatten(action->menu(), depth + 1, lines);
    }
}

QStringList Lines(std::initializer_list<const char*> lines) {
    QStringList out;
    for (const char* line : lines)
        out.append(QString::fromUtf8(line));
    return out;
}

const QStringList kMainMenu = Lines({
    "&File [mnuFile]",
    "  &New [mnuFileNew]",
    "  &Open ... [mnuFileOpen]",
    "  &Close [mnuFileClose]",
    "  \u2014",
    "  &Save [mnuFileSave]",
    "  Save &As ... [mnuFileSaveAs]",
    "  \u2014",
    "  P&rint Setup ... [mnuFilePrintSetup]",
    "  Print Pre&view [mnuFilePrintPreview]",
    "  &Print ... [mnuFilePrint]",
    "  \u2014",
    "  Asse&mble ... [mnuFileAssemble]",
    "  &Load Symbols ... [mnuFileLoadSymbols]",
    "  &Download ... [mnuFileDownload]",
    "  \u2014",
    "   [mnuFileRecent0]",
    "   [mnuFileRecent1]",
    "   [mnuFileRecent2]",
    "   [mnuFileRecent3]",
    "  \u2014",
    "  E&xit [mnuFileExit]",
    "&Edit [mnuEdit]",
    "  &Undo [mnuEditUndo]",
    "  R&edo [mnuEditRedo]",
    "  \u2014",
    "  Cu&t [mnuEditCut]",
    "  &Copy [mnuEditCopy]",
    "  &Paste [mnuEditPaste]",
    "  &Delete [mnuEditDelete]",
    "  \u2014",
    "  Select Al&l [mnuEditSelectAll]",
    "  \u2014",
    "  &Find ... [mnuEditFind]",
    "  Find &Next [mnuEditFindNext]",
    "  &Replace ... [mnuEditReplace]",
    "  \u2014",
    "  &Go To Line ... [mnuEditGoToLine]",
    "&View [mnuView]",
    "  &CPU Registers [mnuViewRegCPU]",
    "  &Register Block [mnuViewRegBlock]",
    "    &Ports [mnuViewRegPorts]",
    "    &Timer [mnuViewRegTimer]",
    "    P&ulse Accumulator [mnuViewRegPulseAcc]",
    "    S&CI [mnuViewRegSCI]",
    "    &SPI [mnuViewRegSPI]",
    "    &A/D Converter [mnuViewRegAD]",
    "    &Other [mnuViewRegOther]",
    "  &PIA Registers [mnuViewRegPIA]",
    "  &IO unit [mnuViewIOunit]",
    "  \u2014",
    "  &Memory Window [mnuViewMemory]",
    "  &Watch Window [mnuViewWatch]",
    "  &Stack [mnuViewStack]",
    "  \u2014",
    "  &Disassembler [mnuViewDisassembler]",
    "  &Labels [mnuViewLabel]",
    "  \u2014",
    "  S&erial Terminal [mnuViewSerialTerminal]",
    "  \u2014",
    "  &Toolbar [mnuViewToolbar]",
    "  Status &Bar [mnuViewStatusBar]",
    "  \u2014",
    "  &Options ... [mnuViewOptions]",
    "&Debug [mnuDebug]",
    "  Add &Watch ... [mnuDebugAddWatch]",
    "  &Edit Watch ... [mnuDebugEditWatch]",
    "  \u2014",
    "  Code &On [mnuDebugCodeOn]",
    "  Include &Symbols [mnuDebugIncludeSym]",
    "  \u2014",
    "  Inline Asse&mble ... [mnuDebugInlineAsemble]",
    "  \u2014",
    "  &Toggle Breakpoint [mnuDebugToggleBreakpoint]",
    "  &Clear All Breakpoints [mnuDebugClearAllBreakpoints]",
    "  \u2014",
    "  Set &New PC [mnuDebugSetNewPC]",
    "  Get &Reset Vector [mnuDebugGetResVec]",
    "  \u2014",
    "  Go To &PC Address [mnuDebugGoToPCAddress]",
    "  Go To &Address ... [mnuDebugGoToAddress]",
    "  \u2014",
    "  Reset counter [mnuDebugResetCounter]",
    "  \u2014",
    "  &Refresh Window [mnuDebugRefresh]",
    "&Run [mnuRun]",
    "  &Run [mnuRunRun]",
    "  &Play [mnuRunPlay]",
    "  &Animate [mnuRunAnimate]",
    "  \u2014",
    "  Step &Into [mnuRunStepInto]",
    "  Step &Over [mnuRunStepOver]",
    "  Step Ou&t [mnuRunStepOut]",
    "  Run To &Cursor [mnuRunRunTo]",
    "  \u2014",
    "  &Pause [mnuRunPause]",
    "&Window [mnuWindow]",
    "  Arrange &Debugger [mnuWindowArrangeDebugger]",
    "  \u2014",
    "  &Cascade Editors [mnuWindowCascade]",
    "  Tile &Horizontal Editors [mnuWindowTileHorizontal]",
    "  Tile &Vertical Editors [mnuWindowTileVertical]",
    "&Help [mnuHelp]",
    "  Quorvel Help &Topics [mnuHelpTopics]",
    "  &Using Help [mnuHelpUsingHelp]",
    "  \u2014",
    "  HC11 &Symbols [mnuHelpHC11Symbols]",
    "  \u2014",
    "  &About Quorvel ... [mnuHelpAbout]",
});

const QStringList kPopups = Lines({
    "mnuPopupMemory",
    "  Enter &Value ... [mnuPopupMemoryEnter]",
    "  &Display Address ... [mnuPopupMemoryAddress]",
    "  \u2014",
    "  &Refresh Window [mnuPopupMemoryRefresh]",
    "mnuPopupStack",
    "  Enter &Value ... [mnuPopupStackEnter]",
    "  \u2014",
    "  Go To &SP Address [mnuPopupStackGoToSPAddress]",
    "  Go To &Address ... [mnuPopupStackGoToAddress]",
    "  &Refresh Window [mnuPopupStackRefresh]",
    "mnuPopupView",
    "  Add &Watch ... [mnuPopupViewAddWatch]",
    "  &Edit Watch ... [mnuPopupViewEditWatch]",
    "  Re&move Watch [mnuPopupViewRemoveWatch]",
    "  \u2014",
    "  Enter &Value ... [mnuPopupViewEnter]",
    "  \u2014",
    "  &Hex [mnuPopupViewHex]",
    "  &Binary [mnuPopupViewBin]",
    "  &Decimal [mnuPopupViewDec]",
    "  \u2014",
    "  &Auto Refresh [mnuPopupViewAutoRefresh]",
    "  &Refresh Window [mnuPopupViewRefresh]",
    "mnuPopupSerial",
    "  &Ascii [mnuPopupSerialAscii]",
    "  &Hex [mnuPopupSerialHex]",
    "  \u2014",
    "  &Clear [mnuPopupSerialClear]",
    "mnuPopupSort",
    "  Sort by &Name [mnuPopupSortName]",
    "  Sort by &Value [mnuPopupSortValue]",
    "  \u2014",
    "  &Unsorted [mnuPopupSortNone]",
});

TEST_F(MenuTreeTest, MenuBarMatchesCaptionsAndOrder) {
    Harness h;
    QStringList lines;
    for (const QAction* top : h.frame->menuBar()->actions()) {
        ASSERT_NE(top->menu(), nullptr);
        lines.append(top->text() + " [" + top->menu()->objectName() + "]");
        Flatten(top->menu(), 1, lines);
    }
    EXPECT_EQ(lines.join('\n').toStdString(), kMainMenu.join('\n').toStdString());
}

TEST_F(MenuTreeTest, PopupMenusMatchCaptionsAndOrder) {
    Harness h;
    QStringList lines;
    for (const char* name :
         {"mnuPopupMemory", "mnuPopupStack", "mnuPopupView", "mnuPopupSerial", "mnuPopupSort"}) {
        const QMenu* menu = h.frame->Menu(name);
        ASSERT_NE(menu, nullptr) << name;
        lines.append(menu->objectName());
        Flatten(menu, 1, lines);
    }
    EXPECT_EQ(lines.join('\n').toStdString(), kPopups.join('\n').toStdString());
}

TEST_F(MenuTreeTest, SeparatorsAreNamedAfterTheirMenu) {
    Harness h;
    const QAction* bar = h.frame->Command("mnuPopupViewBar1");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isSeparator());
    // Hidden, with the watch commands above it, except while the watch window shows the popup.
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(h.frame->Command("mnuPopupViewAddWatch")->isVisible());
    EXPECT_TRUE(h.frame->Command("mnuPopupViewEnter")->isVisible());
}

// The window toggles, the persisted switches and the pop-up choices carry a
// check mark; every other command is a plain one.
TEST_F(MenuTreeTest, CheckableItemsAreExactlyTheTogglesAndChoices) {
    Harness h;
    const QSet<QString> checkable{
        "mnuViewRegCPU",       "mnuViewRegPorts",     "mnuViewRegTimer",  "mnuViewRegPulseAcc",
        "mnuViewRegSCI",       "mnuViewRegSPI",       "mnuViewRegAD",     "mnuViewRegOther",
        "mnuViewRegPIA",       "mnuViewIOunit",       "mnuViewMemory",    "mnuViewWatch",
        "mnuViewStack",        "mnuViewDisassembler", "mnuViewLabel",     "mnuViewSerialTerminal",
        "mnuViewToolbar",      "mnuViewStatusBar",    "mnuDebugCodeOn",   "mnuDebugIncludeSym",
        "mnuPopupViewHex",     "mnuPopupViewBin",     "mnuPopupViewDec",  "mnuPopupViewAutoRefresh",
        "mnuPopupSerialAscii", "mnuPopupSerialHex",   "mnuPopupSortName", "mnuPopupSortValue",
        "mnuPopupSortNone",
    };
    QStringList menus;
    for (const QAction* top : h.frame->menuBar()->actions())
        menus.append(top->menu()->objectName());
    menus << "mnuPopupMemory"
          << "mnuPopupStack"
          << "mnuPopupView"
          << "mnuPopupSerial"
          << "mnuPopupSort";
    QSet<QString> seen;
    std::function<void(const QMenu*)> visit = [&](const QMenu* menu) {
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            if (action->menu()) {
                visit(action->menu());
                continue;
            }
            const QString name = action->objectName();
            EXPECT_EQ(action->isCheckable(), checkable.contains(name)) << name.toStdString();
            seen.insert(name);
        }
    };
    for (const QString& name : menus) {
        const QMenu* menu = h.frame->Menu(name);
        ASSERT_NE(menu, nullptr) << name.toStdString();
        visit(menu);
    }
    for (const QString& name : checkable)
        EXPECT_TRUE(seen.contains(name)) << name.toStdString() << " is not in any menu";
}

TEST_F(MenuTreeTest, CheckMarksAndShortcuts) {
    Harness h;
    for (const char* name : {"mnuViewToolbar", "mnuViewStatusBar", "mnuDebugCodeOn", "mnuDebugIncludeSym",
                             "mnuPopupSerialHex", "mnuPopupSerialAscii", "mnuViewRegCPU", "mnuViewWatch"})
        EXPECT_TRUE(h.frame->Command(name)->isCheckable()) << name;
    const struct {
        const char* Name;
        const char* Keys;
    } shortcuts[] = {
        {"mnuFileNew", "Ctrl+N"},       {"mnuFileOpen", "Ctrl+O"},
        {"mnuFileSave", "Ctrl+S"},      {"mnuFilePrint", "Ctrl+P"},
        {"mnuEditUndo", "Ctrl+Z"},      {"mnuEditRedo", "Ctrl+Y"},
        {"mnuEditCut", "Ctrl+X"},       {"mnuEditCopy", "Ctrl+C"},
        {"mnuEditPaste", "Ctrl+V"},     {"mnuEditDelete", "Del"},
        {"mnuEditSelectAll", "Ctrl+A"}, {"mnuEditFind", "Ctrl+F"},
        {"mnuEditFindNext", "F3"},      {"mnuEditReplace", "Ctrl+H"},
        {"mnuEditGoToLine", "Ctrl+G"},  {"mnuDebugToggleBreakpoint", "F9"},
        {"mnuRunPlay", "F5"},           {"mnuRunStepInto", "F11"},
        {"mnuRunStepOver", "F10"},      {"mnuRunStepOut", "Shift+F11"},
        {"mnuRunRunTo", "F4"},          {"mnuRunPause", "Esc"},
        {"mnuHelpTopics", "F1"},
    };
    QSet<QString> seen;
    for (const auto& s : shortcuts) {
        const QString keys = h.frame->Command(s.Name)->shortcut().toString(QKeySequence::PortableText);
        EXPECT_EQ(keys, s.Keys) << s.Name;
    }
    for (QAction* action : h.frame->findChildren<QAction*>()) {
        const QString keys = action->shortcut().toString(QKeySequence::PortableText);
        if (keys.isEmpty()) continue;
        EXPECT_FALSE(seen.contains(keys)) << keys.toStdString() << " is used twice";
        seen.insert(keys);
    }
}

} // namespace
} // namespace quorvel::test
