// The IDE in a new user's hands: started with empty settings on a machine
// without a serial port, driven by keys, clicks and menu commands while its
// event loop runs, in the order a person goes: download from the command
// line, Animate and Pause, Play to a far breakpoint with views open, a second
// download of a changed program, and closing the window in the middle of Play.
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "../editor/QStringPrinting.h"
#include "WorkflowFrame.h"
#include "frame/StatusText.h"
#include "run/RunControl.h"
#include "views/frmEnterVal.h"

namespace quorvel::test {
namespace {

// MAIN jumps far from the first page; FAR calls BUMP once and counts in A for ever.
const char* const kFarProgram = R"(        ORG     $0100
COUNT   FCB     $05
        ORG     $E000
MAIN    LDS     #$01FF
        CLRA
        JMP     FAR
        ORG     $F000
FAR     JSR     BUMP
AGAIN   INCA
        BRA     AGAIN
BUMP    INC     COUNT
HERE    RTS
        ORG     $FFFE
        FDB     MAIN
        END
)";

// The same place, other code: LDAB #$77 first.
const char* const kChangedProgram = R"(        ORG     $E000
MAIN    LDAB    #$77
        LDS     #$01FF
        JMP     FAR
        ORG     $F000
FAR     INCB
        BRA     FAR
        ORG     $FFFE
        FDB     MAIN
        END
)";

// Commands a stopped program allows, and those a running one must not be changed by.
const char* const kStepCommands[] = {"mnuRunStepInto", "mnuRunStepOver", "mnuRunStepOut", "mnuRunRunTo"};
const char* const kChangingCommands[] = {
    "mnuDebugSetNewPC", "mnuDebugGoToAddress", "mnuDebugToggleBreakpoint", "mnuDebugClearAllBreakpoints",
    "mnuRunRunTo",      "mnuRunStepInto"};

class FirstHourTest : public FrameTest {
protected:
    // Writes NAME.asm into the user's folder, assembles it with as11 and gives the .s19.
    QString Assemble(const QString& name, const char* source) {
        const QString asmPath = Path(name + ".asm");
        QFile file(asmPath);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(source);
        file.close();
        QProcess as11;
        as11.start(QStringLiteral(QUORVEL_PROGRAM_DIR "/as11"), {asmPath});
        EXPECT_TRUE(as11.waitForFinished(10000));
        EXPECT_EQ(as11.exitCode(), 0) << as11.readAllStandardOutput().toStdString();
        return Path(name + ".s19");
    }
    QString Path(const QString& name) const { return QDir(folder.path()).filePath(name); }

    void Start(StartOptions options = {}) {
        w = std::make_unique<WorkflowFrame>(Target::Simulator, std::move(options));
        ASSERT_TRUE(w->Ready());
        ASSERT_TRUE(w->ActivateFrame());
    }

    void TearDown() override {
        w.reset();
        FrameTest::TearDown();
    }

    frmMain& f() { return w->f(); }
    TargetState& State() { return f().Target(); }

    // The command's menu item and toolbar button agree and are enabled.
    bool Enabled(const char* command) {
        const QAction* button = f().ToolButton(QLatin1String(command));
        const bool item = f().CommandEnabled(QLatin1String(command));
        EXPECT_TRUE(!button || button->isEnabled() == item) << command;
        return item;
    }

    // Clicks the toolbar button of a command.
    void ClickButton(const char* command) {
        QAction* action = f().ToolButton(QLatin1String(command));
        ASSERT_NE(action, nullptr) << command;
        QWidget* button = f().Toolbar1->widgetForAction(action);
        ASSERT_NE(button, nullptr) << command;
        QTest::mouseClick(button, Qt::LeftButton);
        WorkflowFrame::Settle();
    }

    // A click on the disassembly window's first row: it becomes the active window.
    void ClickDisassembly() {
        ASSERT_NE(w->DisAsm(), nullptr);
        QTest::mouseClick(w->DisAsm()->Rows(), Qt::LeftButton, {}, QPoint(20, 5));
        WorkflowFrame::Settle();
    }

    // Downloads through File > Download with the known file or, when asked, `path`.
    void DownloadFromMenu(const QString& path = QString()) {
        if (!path.isEmpty()) w->prompt().AnswerFile(path);
        w->AnswerDownload();
        w->Trigger("mnuFileDownload");
    }

    void NothingShown() {
        EXPECT_TRUE(w->prompt().Problems().isEmpty()) << w->prompt().Problems().join('\n').toStdString();
        EXPECT_EQ(w->prompt().Pending(), 0U);
        EXPECT_TRUE(w->prompt().Messages().isEmpty()) << w->prompt().Messages().join('\n').toStdString();
        w->prompt().Clear();
    }

    QTemporaryDir folder;
    std::unique_ptr<WorkflowFrame> w;
};

// quorvel --sim --download prog.s19 prog.asm on a machine without a serial port.
TEST_F(FirstHourTest, TheCommandLineDownloadWorksOnAFreshStart) {
    const QString s19 = Assemble("far", kFarProgram);
    StartOptions options;
    options.Download = s19;
    options.Files = {Path("far.asm")};
    w = std::make_unique<WorkflowFrame>(Target::Simulator, options,
                                        [](WorkflowFrame& frame) { frame.AnswerDownload(); });
    ASSERT_TRUE(w->Ready());
    WorkflowFrame::Settle();

    NothingShown();
    EXPECT_TRUE(f().ProgramLoaded);
    EXPECT_EQ(f().StatusPanel(kPanelProgram), "Program: " + s19);
    EXPECT_EQ(State().RegPC, 0xE000);
    EXPECT_TRUE(w->DisAsmPCLine().startsWith(" $E000: 8E 01 FF")) << w->DisAsmPCLine().toStdString();
    ASSERT_TRUE(w->ActivateFrame());
    w->Press(Qt::Key_F11);
    EXPECT_EQ(State().RegPC, 0xE003);
    EXPECT_EQ(State().RegSP, 0x01FF);
}

// Animate, then Esc; Play stopped by Esc far from the rows on show: every
// step command comes back at once, and while the program ran nothing could
// move its PC or its breakpoints.
TEST_F(FirstHourTest, AfterEveryStopTheStepCommandsAreBack) {
    Start();
    DownloadFromMenu(Assemble("far", kFarProgram));
    ClickDisassembly();

    std::vector<std::string> enabledWhileRunning;
    w->Later(250, [&] {
        for (const char* command : kChangingCommands)
            if (f().CommandEnabled(QLatin1String(command))) enabledWhileRunning.push_back(command);
        w->Press(Qt::Key_Escape);
    });
    ClickButton("mnuRunAnimate");
    EXPECT_TRUE(f().Run().Stopped);
    EXPECT_EQ(f().Run().LastStop, RunControl::StopReason::Pause);
    EXPECT_GT(f().Run().StepCount, 0);
    EXPECT_TRUE(enabledWhileRunning.empty()) << enabledWhileRunning.front();
    for (const char* command : kStepCommands)
        EXPECT_TRUE(Enabled(command)) << command << " after Animate";

    // Play, then Esc while the PC counts in FAR, a page away from the rows shown.
    w->Later(200, [&] {
        for (const char* command : kChangingCommands)
            if (f().CommandEnabled(QLatin1String(command))) enabledWhileRunning.push_back(command);
        w->Press(Qt::Key_Escape);
    });
    w->Press(Qt::Key_F5);
    EXPECT_TRUE(f().Run().Stopped);
    EXPECT_TRUE(enabledWhileRunning.empty()) << enabledWhileRunning.front();
    EXPECT_GE(State().RegPC, 0xF003);
    for (const char* command : kStepCommands)
        EXPECT_TRUE(Enabled(command)) << command << " after Play";
    const int32_t pc = State().RegPC;
    w->Press(Qt::Key_F11);
    EXPECT_NE(State().RegPC, pc) << "F11 did not step";
    NothingShown();
}

// A breakpoint far from the start, set from the Debug menu and F9; Play
// (F5) stops there and the watch, the stack and the CPU window show the stop.
TEST_F(FirstHourTest, PlayToAFarBreakpointUpdatesTheViews) {
    Start();
    DownloadFromMenu(Assemble("far", kFarProgram));
    w->prompt().AnswerFile(Path("far.lst"));
    w->Trigger("mnuFileLoadSymbols");
    w->Press(Qt::Key_F11); // LDS #$01FF
    w->Activate("mnuViewStack");
    w->Trigger("mnuPopupStackGoToSPAddress");
    w->AnswerWatchAddress("COUNT");
    w->Trigger("mnuDebugAddWatch");
    EXPECT_EQ(w->WatchRows(), QStringList{"COUNT $05"});

    ClickDisassembly();
    w->AnswerGoToAddress("HERE");
    w->Trigger("mnuDebugGoToAddress");
    w->Press(Qt::Key_F9);
    const int32_t here = w->Label("HERE");
    ASSERT_TRUE(f().Run().Breakpoints().Contains(here));

    w->Press(Qt::Key_F5);
    EXPECT_EQ(f().Run().LastStop, RunControl::StopReason::Breakpoint);
    EXPECT_EQ(State().RegPC, here);
    EXPECT_EQ(w->WatchRows(), QStringList{"COUNT $06"});
    EXPECT_TRUE(w->StackBoldLine().startsWith(" $01FD:")) << w->StackBoldLine().toStdString();
    EXPECT_EQ(w->StackLine(0x01FE), " $01FE:   $F0");
    EXPECT_EQ(w->StackLine(0x01FF), " $01FF:   $03");
    EXPECT_EQ(w->Cpu()->ValueText(6), "$01FD");
    NothingShown();
}

// The same file assembled again with other code at the same addresses: the
// disassembly shows the new bytes.
TEST_F(FirstHourTest, ASecondDownloadShowsTheNewProgram) {
    Start();
    const QString s19 = Assemble("prog", kFarProgram);
    DownloadFromMenu(s19);
    EXPECT_TRUE(w->DisAsmPCLine().startsWith(" $E000: 8E 01 FF")) << w->DisAsmPCLine().toStdString();

    ASSERT_EQ(Assemble("prog", kChangedProgram), s19);
    DownloadFromMenu();
    EXPECT_TRUE(w->DisAsmPCLine().startsWith(" $E000: C6 77")) << w->DisAsmPCLine().toStdString();
    w->Press(Qt::Key_F11);
    EXPECT_EQ(State().RegB, 0x77);
    NothingShown();
}

// File > Exit while Play runs: the run stops and the window goes.
TEST_F(FirstHourTest, ClosingDuringPlayStopsTheRunAndCloses) {
    Start();
    DownloadFromMenu(Assemble("far", kFarProgram));
    w->Later(150, [&] { f().Command(QStringLiteral("mnuFileExit"))->trigger(); });
    w->Press(Qt::Key_F5);
    for (int i = 0; i < 50 && !f().Unloaded(); ++i)
        QTest::qWait(10);
    EXPECT_TRUE(f().Run().Stopped);
    EXPECT_FALSE(f().Run().Busy());
    EXPECT_TRUE(f().Unloaded());
    EXPECT_FALSE(f().isVisible());
}

// Enter Value from the watch window's pop-up while Auto Refresh is on: no
// refresh behind the dialog, and it comes back afterwards.
TEST_F(FirstHourTest, AutoRefreshWaitsWhileADialogIsOpen) {
    Start();
    DownloadFromMenu(Assemble("far", kFarProgram));
    w->AnswerWatchAddress("$0100");
    w->Trigger("mnuDebugAddWatch");
    w->Activate("mnuViewWatch");
    QWidget* list = w->Watch()->ListView->viewport();
    const QPoint row = w->Watch()->ListView->visualItemRect(w->Watch()->ListView->topLevelItem(0)).center();

    // A right click on the row and a click on the pop-up's item, both through
    // the windows as the platform delivers them.
    const auto choose = [&](const char* command) {
        QMenu* menu = f().Menu(QStringLiteral("mnuPopupView"));
        QTest::mouseClick(f().windowHandle(), Qt::RightButton, {}, list->mapTo(&f(), row));
        WorkflowFrame::Settle();
        ASSERT_TRUE(menu->isVisible());
        QAction* action = f().Command(QLatin1String(command));
        QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {}, menu->actionGeometry(action).center());
        WorkflowFrame::Settle();
    };
    choose("mnuPopupViewAutoRefresh");
    ASSERT_TRUE(f().tmrRefresh->isActive());

    bool refreshingBehindTheDialog = true;
    w->prompt().AnswerDialog([&](QDialog& dialog) {
        WorkflowFrame::Settle(); // what a real dialog's event loop would run
        refreshingBehindTheDialog = f().tmrRefresh->isActive();
        auto& entry = dynamic_cast<frmEnterVal&>(dialog);
        entry.Text->setText(QStringLiteral("$33"));
        entry.cmdOK_Click();
    });
    choose("mnuPopupViewEnter");
    EXPECT_FALSE(refreshingBehindTheDialog);
    EXPECT_EQ(w->TargetByte(0x0100), 0x33);
    EXPECT_TRUE(f().tmrRefresh->isActive());
    NothingShown();
}

} // namespace
} // namespace quorvel::test
