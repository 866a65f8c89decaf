// The options dialog, driven through the scripted prompt, and the gating of
// the View menu by the target.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

#include "FrameHarness.h"
#include "frame/Fonts.h"
#include "frame/PortDevice.h"
#include "frame/StatusText.h"
#include "frame/frmOptions.h"

namespace quorvel::test {
namespace {

using OptionsTest = FrameTest;

const char* const kBoardItems[] = {"mnuViewRegPorts", "mnuViewRegTimer", "mnuViewRegPulseAcc",
                                   "mnuViewRegSCI",   "mnuViewRegSPI",   "mnuViewRegAD",
                                   "mnuViewRegOther", "mnuViewRegPIA"};

void RegisterAllViews(frmMain& frame) {
    for (const char* item :
         {"mnuViewRegCPU", "mnuViewRegPorts", "mnuViewRegTimer", "mnuViewRegPulseAcc", "mnuViewRegSCI",
          "mnuViewRegSPI", "mnuViewRegAD", "mnuViewRegOther", "mnuViewRegPIA", "mnuViewIOunit",
          "mnuViewMemory", "mnuViewWatch", "mnuViewStack", "mnuViewDisassembler", "mnuViewLabel",
          "mnuViewSerialTerminal"}) {
        const QString name = item;
        frame.RegisterView(
            {name, "frm" + name.mid(7), QString(), nullptr, [name] { return MakeForm(name); }});
    }
}

void ExpectBoardGating(const frmMain& frame, bool board) {
    for (const char* item : kBoardItems)
        EXPECT_EQ(frame.CommandEnabled(item), board) << item;
    EXPECT_EQ(frame.CommandEnabled("mnuViewIOunit"), !board);
    EXPECT_TRUE(frame.CommandEnabled("mnuViewRegCPU"));
    EXPECT_TRUE(frame.CommandEnabled("mnuViewMemory"));
}

frmOptions& Options(QDialog& dialog) {
    auto* options = qobject_cast<frmOptions*>(&dialog);
    EXPECT_NE(options, nullptr);
    return *options;
}

TEST_F(OptionsTest, ViewItemsWithoutTheirWindowsAreDisabled) {
    Harness h;
    EXPECT_FALSE(h.frame->CommandEnabled("mnuViewIOunit"));
}

TEST_F(OptionsTest, BoardTargetEnablesTheRegisterBlockWindows) {
    Harness h;
    RegisterAllViews(*h.frame);
    ExpectBoardGating(*h.frame, true);
}

TEST_F(OptionsTest, SimulatorTargetEnablesTheIoUnitOnly) {
    {
        Settings store;
        store.SaveBool(Settings::kSettings, "SimEnabled", true);
    }
    Harness h;
    RegisterAllViews(*h.frame);
    ExpectBoardGating(*h.frame, false);
}

TEST_F(OptionsTest, TheDialogShowsTheCurrentValues) {
    Harness h;
    h.frame->ScreenFont = {"Fixedsys", 9, true, true};
    h.frame->PrintFont = {"Courier New", 8.5F, false, true};
    h.prompt.AnswerDialog([](QDialog& dialog) {
        frmOptions& o = Options(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Options");
        EXPECT_EQ(o.lbEName->text(), "Fixedsys");
        EXPECT_EQ(o.lbESize->text(), "9");
        EXPECT_EQ(o.lbEStyle->text(), "Bold Italic");
        EXPECT_EQ(o.lbPName->text(), "Courier New");
        EXPECT_EQ(o.lbPSize->text(), "8.5");
        EXPECT_EQ(o.lbPStyle->text(), "Italic");
        EXPECT_FALSE(o.chSimEnabled->isChecked());
        // Item index + 1 is the port number.
        EXPECT_EQ(o.cbComPort->currentIndex(), 1);
        EXPECT_EQ(o.cbComPort->currentText(), "/dev/ttyS1");
        EXPECT_EQ(o.cbComPort->itemText(0), "/dev/ttyS0");
        EXPECT_TRUE(o.cbComPort->isEditable());
        o.cmdCancel->click();
    });
    h.frame->Command("mnuViewOptions")->trigger();
    EXPECT_TRUE(h.prompt.Problems().isEmpty());
    EXPECT_EQ(h.prompt.Shown()[0].DialogName, "frmOptions");
}

TEST_F(OptionsTest, CancelChangesNothing) {
    Harness h;
    const OptionsValues before = h.frame->CurrentOptions();
    h.prompt.AnswerDialog([](QDialog& dialog) {
        frmOptions& o = Options(dialog);
        o.chSimEnabled->setChecked(true);
        o.cbComPort->setEditText("/dev/ttyS7");
        o.cmdCancel->click();
    });
    h.frame->mnuViewOptions_Click();
    EXPECT_EQ(h.frame->CurrentOptions(), before);
    EXPECT_EQ(h.port->opened.size(), 1U); // only the start-up opening
}

TEST_F(OptionsTest, FontChosenAndBadPortGiveThePortError) {
    PseudoTerminal pty;
    ASSERT_FALSE(pty.path.isEmpty());
    {
        Settings store;
        store.SaveText(Settings::kSettings, "COMPortName", pty.path);
    }
    ScriptedPrompt prompt;
    frmMain frame(prompt);
    ASSERT_TRUE(frame.PortOpen());
    // A pseudo-terminal has no modem lines and counts as holding CTS.
    EXPECT_EQ(frame.StatusPanel(kPanelBoard), kBoardReady);
    prompt.AnswerDialog([&prompt](QDialog& dialog) {
        frmOptions& o = Options(dialog);
        prompt.AnswerFont({"DejaVu Sans Mono", 10.5F, true, false});
        o.cmdESet->click();
        EXPECT_EQ(o.lbEName->text(), "DejaVu Sans Mono");
        EXPECT_EQ(o.lbESize->text(), "10.5");
        EXPECT_EQ(o.lbEStyle->text(), "Bold");
        prompt.CancelFont();
        o.cmdPSet->click();
        EXPECT_EQ(o.lbPName->text(), "Courier New");
        o.cbComPort->setEditText("/dev/quorvel-no-such-port");
        o.cmdOK->click();
    });
    frame.mnuViewOptions_Click();
    EXPECT_TRUE(prompt.Problems().isEmpty()) << prompt.Problems().join("; ").toStdString();
    ASSERT_EQ(prompt.Shown().size(), 3U);
    EXPECT_EQ(prompt.Shown()[1].What, ScriptedPrompt::Kind::Font);
    EXPECT_EQ(prompt.Shown()[1].Title, "Screen Font");
    EXPECT_EQ(prompt.Shown()[1].Font.Name, "Fixedsys");
    EXPECT_EQ(prompt.Shown()[2].Title, "Print Font");
    EXPECT_EQ(frame.ScreenFont, (FontSetting{"DejaVu Sans Mono", 10.5F, true, false}));
    EXPECT_EQ(frame.PrintFont, (FontSetting{"Courier New", 8, false, false}));
    EXPECT_EQ(frame.COMPortName, "/dev/quorvel-no-such-port");
    EXPECT_FALSE(frame.PortOpen());
    EXPECT_EQ(frame.StatusPanel(kPanelBoard), kBoardPortError);
    // The IDE goes on, and the choice is kept.
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(Settings().LoadFrame().COMPortName, "/dev/quorvel-no-such-port");
    EXPECT_EQ(Settings().LoadFrame().ScreenFont.Size, 10.5F);
}

TEST_F(OptionsTest, ANumberedPortClearsTheDevicePath) {
    {
        Settings store;
        store.SaveText(Settings::kSettings, "COMPortName", "/dev/pts/9");
    }
    Harness h;
    EXPECT_EQ(h.port->opened.back(), "/dev/pts/9");
    h.prompt.AnswerDialog([](QDialog& dialog) {
        frmOptions& o = Options(dialog);
        EXPECT_EQ(o.cbComPort->currentText(), "/dev/pts/9");
        o.cbComPort->setCurrentIndex(3);
        o.cmdOK->click();
    });
    h.frame->mnuViewOptions_Click();
    EXPECT_EQ(h.frame->COMPort, 4);
    EXPECT_EQ(h.frame->COMPortName, "");
    EXPECT_EQ(h.port->opened.back(), "/dev/ttyS3");
    EXPECT_EQ(h.frame->StatusPanel(kPanelBoard), kBoardNotConnected);
}

TEST_F(OptionsTest, OkReopensThePortEvenWhenUnchanged) {
    Harness h;
    h.prompt.AnswerDialog([](QDialog& dialog) { Options(dialog).cmdOK->click(); });
    h.frame->mnuViewOptions_Click();
    ASSERT_EQ(h.port->opened.size(), 2U);
    EXPECT_EQ(h.port->opened[1], "/dev/ttyS1");
    EXPECT_TRUE(h.frame->PortOpen());
}

TEST_F(OptionsTest, SwitchingToTheSimulatorGatesTheViewMenu) {
    Harness h;
    RegisterAllViews(*h.frame);
    h.prompt.AnswerDialog([](QDialog& dialog) {
        frmOptions& o = Options(dialog);
        o.chSimEnabled->setChecked(true);
        o.cmdOK->click();
    });
    h.frame->Command("mnuViewOptions")->trigger();
    EXPECT_TRUE(h.frame->SimEnabled);
    EXPECT_EQ(h.frame->StatusPanel(kPanelBoard), kSimulatorMode);
    ExpectBoardGating(*h.frame, false);

    h.prompt.AnswerDialog([](QDialog& dialog) {
        frmOptions& o = Options(dialog);
        EXPECT_TRUE(o.chSimEnabled->isChecked());
        o.chSimEnabled->setChecked(false);
        o.cmdOK->click();
    });
    h.frame->Command("mnuViewOptions")->trigger();
    EXPECT_FALSE(h.frame->SimEnabled);
    EXPECT_EQ(h.frame->StatusPanel(kPanelBoard), kBoardNotConnected);
    ExpectBoardGating(*h.frame, true);
}

TEST_F(OptionsTest, ACommandLineTargetIsStoredOnlyWhenTheDialogChangesIt) {
    {
        StartOptions options;
        options.SimEnabled = true;
        Harness h(options);
        h.prompt.AnswerDialog([](QDialog& dialog) { Options(dialog).cmdOK->click(); });
        h.frame->mnuViewOptions_Click();
        EXPECT_TRUE(h.frame->SimEnabled);
        ASSERT_TRUE(h.Close());
    }
    EXPECT_FALSE(Settings().LoadFrame().SimEnabled);
    {
        StartOptions options;
        options.SimEnabled = false;
        Harness h(options);
        h.prompt.AnswerDialog([](QDialog& dialog) {
            frmOptions& o = Options(dialog);
            o.chSimEnabled->setChecked(true);
            o.cmdOK->click();
        });
        h.frame->mnuViewOptions_Click();
        ASSERT_TRUE(h.Close());
    }
    EXPECT_TRUE(Settings().LoadFrame().SimEnabled);
}

TEST_F(OptionsTest, TheScreenFontGoesToEveryEditor) {
    Harness h;
    auto* editor = new QWidget;
    editor->setObjectName("frmEditor");
    auto* text = new QWidget(editor);
    text->setObjectName("Text");
    h.frame->AddChildForm(editor);
    auto* view = MakeForm("not an editor");
    h.frame->AddChildForm(view);
    const QFont viewFont = view->font();
    h.prompt.AnswerDialog([&h](QDialog& dialog) {
        h.prompt.AnswerFont({"DejaVu Sans Mono", 13, false, true});
        Options(dialog).cmdESet->click();
        Options(dialog).cmdOK->click();
    });
    h.frame->mnuViewOptions_Click();
    // The family this machine uses for it: the stored one, or a stand-in where it is missing.
    EXPECT_EQ(text->font().family(), ResolveFont({"DejaVu Sans Mono", 13, false, true}).family());
    EXPECT_EQ(text->font().pointSizeF(), 13.0);
    EXPECT_TRUE(text->font().italic());
    EXPECT_EQ(view->font(), viewFont);
}

TEST_F(OptionsTest, DetectedDevicesAreListedAfterTheNumberedPorts) {
    ScriptedPrompt prompt;
    frmOptions dialog({{"Fixedsys", 9, false, false}, {"Courier New", 8, false, false}, 2, "", false},
                      {"/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyACM1"}, prompt);
    EXPECT_EQ(dialog.cbComPort->count(), kListedPorts + 2);
    EXPECT_EQ(dialog.cbComPort->itemText(kListedPorts), "/dev/ttyUSB0");
    EXPECT_EQ(dialog.cbComPort->itemText(kListedPorts + 1), "/dev/ttyACM1");
}

} // namespace
} // namespace quorvel::test
