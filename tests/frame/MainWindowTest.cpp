// The main window: start-up from the settings, shutdown into them, the
// serial port, the target, the status bar and the commands.
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "FrameHarness.h"
#include "frame/PendingCommands.h"
#include "frame/Placement.h"
#include "frame/StatusText.h"
#include "frame/Window.h"
#include "frame/frmAbout.h"
#include "run/RunControl.h"

namespace quorvel::test {
namespace {

using MainWindowTest = FrameTest;

TEST_F(MainWindowTest, FirstStartWithAnEmptyStore) {
    Harness h;
    frmMain& f = *h.frame;
    EXPECT_TRUE(f.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(f.Checked("mnuViewToolbar"));
    EXPECT_FALSE(f.Toolbar1->isHidden());
    EXPECT_TRUE(f.Checked("mnuViewStatusBar"));
    EXPECT_FALSE(f.statusBar()->isHidden());
    EXPECT_TRUE(f.Checked("mnuDebugCodeOn"));
    EXPECT_FALSE(f.Checked("mnuDebugIncludeSym"));
    EXPECT_FALSE(f.Checked("mnuPopupSerialHex"));
    EXPECT_TRUE(f.Checked("mnuPopupSerialAscii"));
    EXPECT_EQ(f.COMPort, 2);
    EXPECT_EQ(f.COMPortName, "");
    EXPECT_EQ(f.ScreenFont, (FontSetting{"Fixedsys", 9, false, false}));
    EXPECT_EQ(f.PrintFont, (FontSetting{"Courier New", 8, false, false}));
    EXPECT_FALSE(f.SimEnabled);
    // Port 2 is the second serial device.
    ASSERT_EQ(h.port->opened.size(), 1U);
    EXPECT_EQ(h.port->opened[0], "/dev/ttyS1");
    EXPECT_TRUE(f.PortOpen());
    EXPECT_EQ(f.StatusPanel(kPanelBoard), kBoardNotConnected);
    EXPECT_EQ(f.StatusPanel(kPanelProgram), "Program: <None>");
    EXPECT_EQ(f.StatusPanel(kPanelSymbols), "Symbols: <None>");
    EXPECT_EQ(f.StatusPanel(kPanelClock), "Clock= 00000000");
    EXPECT_EQ(f.StatusPanel(kPanelCaret), "");
    EXPECT_TRUE(f.tmrComm->isActive());
    EXPECT_EQ(f.tmrComm->interval(), 50);
    EXPECT_FALSE(f.tmrRefresh->isActive());
    EXPECT_EQ(f.tmrRefresh->interval(), 100);
    EXPECT_TRUE(h.prompt.Shown().empty());
}

TEST_F(MainWindowTest, TheFirstExitStoresEverySetting) {
    {
        Harness h;
        ASSERT_TRUE(h.Close());
        EXPECT_TRUE(h.frame->Unloaded());
    }
    Settings store;
    for (const char* key :
         {"Toolbar", "StatusBar", "CodeOn", "IncludeSym", "HexTerminal", "COMPort", "COMPortName",
          "ScreenFontName", "ScreenFontSize", "ScreenFontBold", "ScreenFontItalic", "PrintFontName",
          "PrintFontSize", "PrintFontBold", "PrintFontItalic", "SimEnabled"})
        EXPECT_TRUE(store.Contains(Settings::kSettings, key)) << key;
    EXPECT_EQ(store.GetText(Settings::kWindows, "MainState", ""), "2");
    EXPECT_EQ(store.LoadFrame(), FrameSettings{});
}

TEST_F(MainWindowTest, SettingsSurviveARestart) {
    FrameSettings changed;
    {
        Harness h;
        frmMain& f = *h.frame;
        f.Command("mnuViewToolbar")->trigger();
        f.Command("mnuViewStatusBar")->trigger();
        f.Command("mnuDebugCodeOn")->trigger();
        f.Command("mnuDebugIncludeSym")->trigger();
        f.Command("mnuPopupSerialHex")->trigger();
        f.COMPort = 4;
        f.COMPortName = "/dev/ttyUSB3";
        f.ScreenFont = {"Strange Font, Inc. = \"Mono\"", 9.5F, true, true};
        f.PrintFont = {"DejaVu Sans Mono", 11.25F, false, true};
        changed = f.CurrentSettings();
        ASSERT_TRUE(h.Close());
    }
    EXPECT_FALSE(changed.Toolbar);
    EXPECT_FALSE(changed.StatusBar);
    EXPECT_FALSE(changed.CodeOn);
    EXPECT_TRUE(changed.IncludeSym);
    EXPECT_TRUE(changed.HexTerminal);

    Harness h;
    frmMain& f = *h.frame;
    EXPECT_EQ(f.CurrentSettings(), changed);
    EXPECT_TRUE(f.Toolbar1->isHidden());
    EXPECT_TRUE(f.statusBar()->isHidden());
    EXPECT_FALSE(f.Checked("mnuPopupSerialAscii"));
    EXPECT_EQ(f.ScreenFont.Size, 9.5F);
    EXPECT_EQ(h.port->opened.back(), "/dev/ttyUSB3");
}

TEST_F(MainWindowTest, UnconvertibleStoredValuesTakeTheirDefaults) {
    {
        Settings store;
        store.SaveText(Settings::kSettings, "Toolbar", "perhaps");
        store.SaveText(Settings::kSettings, "COMPort", "COM-two");
        store.SaveText(Settings::kSettings, "ScreenFontSize", "big");
        store.SaveText(Settings::kSettings, "SimEnabled", "?");
        store.SaveText(Settings::kWindows, "MainState", "sideways");
        store.SaveText(Settings::kWindows, "MainWidth", "wide");
    }
    Harness h;
    EXPECT_TRUE(h.frame->Checked("mnuViewToolbar"));
    EXPECT_EQ(h.frame->COMPort, 2);
    EXPECT_EQ(h.frame->ScreenFont.Size, 9);
    EXPECT_FALSE(h.frame->SimEnabled);
    EXPECT_TRUE(h.frame->windowState() & Qt::WindowMaximized);
}

TEST_F(MainWindowTest, MinimisedOrMaximisedExitKeepsTheLastNormalPlacement) {
    {
        Harness h;
        h.frame->setWindowState(Qt::WindowNoState);
        h.frame->move(40, 30);
        h.frame->resize(500, 400);
        h.frame->show();
        ASSERT_TRUE(h.Close());
    }
    const WindowPlacement normal{600, 450, 7500, 6000, kStateNormal};
    EXPECT_EQ(ReadPlacement(Settings(), "Main", {}), normal);
    {
        Harness h;
        EXPECT_EQ(WindowStateOf(h.frame.get()), kStateNormal);
        EXPECT_EQ(h.frame->pos(), QPoint(40, 30));
        EXPECT_EQ(h.frame->size(), QSize(500, 400));
        h.frame->show();
        h.frame->showMaximized();
        ASSERT_TRUE(h.Close());
    }
    EXPECT_EQ(ReadPlacement(Settings(), "Main", {}),
              (WindowPlacement{600, 450, 7500, 6000, kStateMaximised}));
    {
        Harness h;
        EXPECT_EQ(WindowStateOf(h.frame.get()), kStateMaximised);
        h.frame->show();
        h.frame->showMinimized();
        ASSERT_TRUE(h.Close());
    }
    EXPECT_EQ(ReadPlacement(Settings(), "Main", {}),
              (WindowPlacement{600, 450, 7500, 6000, kStateMinimised}));
    {
        // Started minimised the frame would look as if it had not started at all.
        Harness h;
        EXPECT_EQ(WindowStateOf(h.frame.get()), kStateNormal);
        EXPECT_EQ(h.frame->size(), QSize(500, 400));
    }
}

TEST_F(MainWindowTest, AnAbsurdStoredPlacementFallsBackToTheDefault) {
    const WindowPlacement bad[] = {
        {-90000, 0, 7500, 6000, kStateNormal}, // far left of every screen
        {0, 0, -7500, 6000, kStateNormal},     // negative width
        {0, 0, 3e7F, 6000, kStateNormal},      // huge
        {0, 99000, 7500, 6000, kStateNormal},  // below every screen
    };
    for (const WindowPlacement& p : bad) {
        ClearSettings();
        {
            Settings store;
            SavePlacement(store, "Main", p);
        }
        Harness h;
        EXPECT_EQ(h.frame->pos(), QPoint(0, 0)) << p.Left << " " << p.Width;
        EXPECT_GT(h.frame->width(), 0);
        EXPECT_EQ(WindowStateOf(h.frame.get()), kStateNormal);
    }
}

TEST_F(MainWindowTest, AnUnusablePortLeavesTheIdeRunning) {
    {
        Settings store;
        store.SaveText(Settings::kSettings, "COMPortName", "/dev/quorvel-no-such-port");
    }
    ScriptedPrompt prompt;
    frmMain f(prompt);
    EXPECT_FALSE(f.PortOpen());
    EXPECT_EQ(f.StatusPanel(kPanelBoard), kBoardPortError);
    EXPECT_TRUE(prompt.Shown().empty());
    EXPECT_TRUE(f.CommandEnabled("mnuViewOptions"));
    EXPECT_TRUE(f.close());
}

TEST_F(MainWindowTest, ARealPortOpensWithoutError) {
    PseudoTerminal pty;
    ASSERT_FALSE(pty.path.isEmpty());
    {
        Settings store;
        store.SaveText(Settings::kSettings, "COMPortName", pty.path);
    }
    ScriptedPrompt prompt;
    frmMain f(prompt);
    EXPECT_TRUE(f.PortOpen());
    EXPECT_EQ(f.MSComm().Device(), pty.path);
    EXPECT_NE(f.StatusPanel(kPanelBoard), kBoardPortError);
    // A pseudo-terminal has no modem lines and counts as holding CTS.
    EXPECT_EQ(f.StatusPanel(kPanelBoard), kBoardReady);
    auto& serial = static_cast<SerialCommPort&>(f.MSComm());
    EXPECT_EQ(serial.port().baudRate(), 38400);
    EXPECT_EQ(serial.port().dataBits(), QSerialPort::Data8);
    EXPECT_EQ(serial.port().parity(), QSerialPort::NoParity);
    EXPECT_EQ(serial.port().stopBits(), QSerialPort::OneStop);
    EXPECT_EQ(serial.port().flowControl(), QSerialPort::NoFlowControl);
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.PortOpen());
}

TEST_F(MainWindowTest, SimulatorModeShowsInTheStatusBar) {
    {
        Settings store;
        store.SaveBool(Settings::kSettings, "SimEnabled", true);
    }
    Harness h;
    EXPECT_TRUE(h.frame->SimEnabled);
    EXPECT_EQ(h.frame->StatusPanel(kPanelBoard), kSimulatorMode);
    // The port is opened in both modes.
    EXPECT_EQ(h.port->opened.size(), 1U);
}

TEST_F(MainWindowTest, SimulatorModeWithABadPortStillShowsSimulatorMode) {
    {
        Settings store;
        store.SaveBool(Settings::kSettings, "SimEnabled", true);
    }
    Harness h({}, false);
    EXPECT_FALSE(h.frame->PortOpen());
    EXPECT_EQ(h.frame->StatusPanel(kPanelBoard), kSimulatorMode);
}

TEST_F(MainWindowTest, CommandLineChoosesTheTargetForThisRunOnly) {
    {
        StartOptions options;
        options.SimEnabled = true;
        options.Files = {"/tmp/a.asm", "/tmp/b.asm"};
        Harness h(options);
        EXPECT_TRUE(h.frame->SimEnabled);
        EXPECT_EQ(h.frame->StatusPanel(kPanelBoard), kSimulatorMode);
        EXPECT_EQ(h.frame->StartFiles(), (QStringList{"/tmp/a.asm", "/tmp/b.asm"}));
        ASSERT_TRUE(h.Close());
    }
    EXPECT_FALSE(Settings().LoadFrame().SimEnabled);
    {
        Settings store;
        store.SaveBool(Settings::kSettings, "SimEnabled", true);
    }
    {
        StartOptions options;
        options.SimEnabled = false;
        Harness h(options);
        EXPECT_FALSE(h.frame->SimEnabled);
        EXPECT_EQ(h.frame->StatusPanel(kPanelBoard), kBoardNotConnected);
        ASSERT_TRUE(h.Close());
    }
    EXPECT_TRUE(Settings().LoadFrame().SimEnabled);
}

TEST_F(MainWindowTest, ToolbarAndStatusBarToggle) {
    Harness h;
    frmMain& f = *h.frame;
    f.Command("mnuViewToolbar")->trigger();
    EXPECT_FALSE(f.Checked("mnuViewToolbar"));
    EXPECT_TRUE(f.Toolbar1->isHidden());
    f.Command("mnuViewToolbar")->trigger();
    EXPECT_TRUE(f.Checked("mnuViewToolbar"));
    EXPECT_FALSE(f.Toolbar1->isHidden());
    f.Command("mnuViewStatusBar")->trigger();
    EXPECT_TRUE(f.statusBar()->isHidden());
}

TEST_F(MainWindowTest, SerialDisplayModesExcludeEachOther) {
    Harness h;
    frmMain& f = *h.frame;
    f.Command("mnuPopupSerialHex")->trigger();
    EXPECT_TRUE(f.Checked("mnuPopupSerialHex"));
    EXPECT_FALSE(f.Checked("mnuPopupSerialAscii"));
    f.Command("mnuPopupSerialHex")->trigger(); // choosing it again keeps it
    EXPECT_TRUE(f.Checked("mnuPopupSerialHex"));
    f.Command("mnuPopupSerialAscii")->trigger();
    EXPECT_TRUE(f.Checked("mnuPopupSerialAscii"));
    EXPECT_FALSE(f.Checked("mnuPopupSerialHex"));
}

TEST_F(MainWindowTest, ResetCounterShowsEightZeros) {
    Harness h;
    h.frame->Run().ClockCount = 123456789;
    h.frame->ClockCountUpdate();
    EXPECT_EQ(h.frame->StatusPanel(kPanelClock), "Clock= 123456789");
    h.frame->Command("mnuDebugResetCounter")->trigger();
    EXPECT_EQ(h.frame->Run().ClockCount, 0);
    EXPECT_EQ(h.frame->StatusPanel(kPanelClock), "Clock= 00000000");
}

TEST_F(MainWindowTest, EveryCommandHasItsHandler) {
    Harness h;
    const QMetaObject* meta = h.frame->metaObject();
    int items = 0;
    for (QAction* action : h.frame->findChildren<QAction*>()) {
        const QString name = action->objectName();
        if (!name.startsWith("mnu") || action->isSeparator() || action->menu() ||
            name.startsWith("mnuFileRecent"))
            continue;
        ++items;
        const QByteArray slot = QMetaObject::normalizedSignature((name + "_Click()").toLatin1());
        EXPECT_GE(meta->indexOfSlot(slot.constData()), 0) << name.toStdString();
    }
    EXPECT_GT(items, 90);
    EXPECT_GE(meta->indexOfSlot("mnuFileRecent_Click(int)"), 0);
}

TEST_F(MainWindowTest, PendingCommandsStayDisabled) {
    Harness h;
    for (const char* name : kPendingCommands) {
        ASSERT_NE(h.frame->Command(name), nullptr) << name;
        EXPECT_FALSE(h.frame->CommandEnabled(name)) << name;
        h.frame->SetCommandEnabled(name, true);
        EXPECT_FALSE(h.frame->CommandEnabled(name)) << name;
        if (QAction* button = h.frame->ToolButton(name)) {
            EXPECT_FALSE(button->isEnabled()) << name;
        }
    }
    for (const char* name :
         {"mnuFileExit", "mnuViewOptions", "mnuViewToolbar", "mnuViewStatusBar", "mnuDebugResetCounter",
          "mnuDebugCodeOn", "mnuDebugIncludeSym", "mnuWindowArrangeDebugger", "mnuHelpTopics",
          "mnuHelpUsingHelp", "mnuHelpHC11Symbols", "mnuHelpAbout"})
        EXPECT_TRUE(h.frame->CommandEnabled(name)) << name;
}

TEST_F(MainWindowTest, ToolbarButtonsFollowTheirCommands) {
    Harness h;
    const QStringList keys{
        "New",           "Open",      "Save",        "Print", "Download",  "Cut",       "Copy",
        "Paste",         "Undo",      "Redo",        "Find",  "Find Next", "Assemble",  "Toggle Breakpoint",
        "Run",           "Play",      "Animate",     "Pause", "Step Into", "Step Over", "Step Out",
        "Run To Cursor", "Add Watch", "About Tolvic"};
    QStringList shown;
    for (QAction* button : h.frame->ToolbarButtons()) {
        shown.append(button->text());
        EXPECT_FALSE(button->icon().isNull()) << button->text().toStdString();
        EXPECT_FALSE(button->icon().pixmap(16, 16).isNull()) << button->text().toStdString();
        const QString command = button->data().toString();
        ASSERT_NE(h.frame->Command(command), nullptr) << command.toStdString();
        EXPECT_EQ(button->isEnabled(), h.frame->CommandEnabled(command)) << command.toStdString();
    }
    EXPECT_EQ(shown, keys);
    EXPECT_EQ(h.frame->ToolButton("mnuHelpAbout")->text(), "About Tolvic");
}

TEST_F(MainWindowTest, AboutShowsTheVersion) {
    Harness h;
    QString version;
    h.prompt.AnswerDialog([&](QDialog& dialog) {
        auto* about = qobject_cast<frmAbout*>(&dialog);
        ASSERT_NE(about, nullptr);
        version = about->lbVersion->text();
        about->cmdOK->click();
    });
    h.frame->ToolButton("mnuHelpAbout")->trigger();
    EXPECT_EQ(version, "Version 1.0");
    ASSERT_EQ(h.prompt.Shown().size(), 1U);
    EXPECT_EQ(h.prompt.Shown()[0].DialogName, "frmAbout");
    EXPECT_TRUE(h.prompt.Problems().isEmpty());
}

TEST_F(MainWindowTest, ExitSavesAndCloses) {
    Harness h;
    h.frame->show();
    h.frame->Command("mnuFileExit")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(h.frame->Unloaded());
    EXPECT_FALSE(h.frame->isVisible());
    EXPECT_TRUE(Settings().Contains(Settings::kWindows, "MainState"));
}

// An editor that keeps itself open, as one with unsaved changes does when the user cancels.
class StubbornEditor : public QWidget {
public:
    bool keep = true;

protected:
    void closeEvent(QCloseEvent* event) override {
        if (keep)
            event->ignore();
        else
            event->accept();
    }
};

TEST_F(MainWindowTest, AnEditorThatStaysOpenStopsTheExit) {
    Harness h;
    auto* editor = new StubbornEditor;
    editor->setObjectName("frmEditor");
    h.frame->AddChildForm(editor);
    EXPECT_FALSE(h.frame->close());
    EXPECT_FALSE(h.frame->Unloaded());
    EXPECT_FALSE(Settings().Contains(Settings::kWindows, "MainState"));
    editor->keep = false;
    EXPECT_TRUE(h.frame->close());
    EXPECT_TRUE(h.frame->Unloaded());
    EXPECT_EQ(h.frame->OpenEditorCount(), 0);
}

TEST_F(MainWindowTest, RecentFilesShowWhenThereAreAny) {
    Harness h;
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(h.frame->Command(QString("mnuFileRecent%1").arg(i))->isVisible());
    h.frame->SetRecentFiles({"/src/a.asm", "/src/R&D.asm"});
    EXPECT_TRUE(h.frame->Command("mnuFileRecent0")->isVisible());
    EXPECT_EQ(h.frame->Command("mnuFileRecent1")->text(), "&2 /src/R&&D.asm");
    EXPECT_FALSE(h.frame->Command("mnuFileRecent2")->isVisible());
}

} // namespace
} // namespace quorvel::test
