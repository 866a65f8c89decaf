// The register windows in the frame on the simulator: opening, the values
// and their formats, value entry, the pop-up, clearing after a failure, auto
// refresh and the refresh after a stop.
#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "RegisterHarness.h"
#include "frame/Placement.h"
#include "run/RunControl.h"
#include "views/PopupHelp.h"

namespace quorvel::test {
namespace {

using RegisterWindowTest = FrameTest;

QStringList Texts(frmRegisters& window) {
    QStringList texts;
    for (int row = 0; row < window.ListView->topLevelItemCount(); ++row)
        texts.append(window.ValueText(row));
    return texts;
}

int WidestText(frmRegisters& window) {
    const QFontMetrics metrics(window.ListView->font());
    int widest = 0;
    for (const QString& text : Texts(window))
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

// A frame whose target stops answering: the board as target behind a port that will not open.
void BreakTheLink(RegisterFrame& r) {
    r.f().SimEnabled = false;
    r.h.port->SetOpens(false);
    r.h.port->Close();
}

TEST_F(RegisterWindowTest, TheNineWindowsOpenFromTheViewMenu) {
    RegisterFrame r;
    const struct {
        const char* Menu;
        const char* Form;
        const char* Caption;
        int Rows;
        int NameTwips;
        QRect Geometry; // pixels, from the designed twips
    } windows[] = {
        {"mnuViewRegCPU", "frmRegCPU", "CPU Registers", 8, 780, QRect(347, 0, 173, 163)},
        {"mnuViewRegPorts", "frmRegPorts", "Port Registers", 9, 780, QRect(0, 0, 173, 182)},
        {"mnuViewRegTimer", "frmRegTimer", "Timer Registers", 18, 780, QRect(0, 0, 173, 333)},
        {"mnuViewRegPulseAcc", "frmRegPA", "Pulse Acc Reg", 2, 780, QRect(0, 0, 173, 63)},
        {"mnuViewRegSCI", "frmRegSCI", "SCI Registers", 5, 780, QRect(0, 0, 173, 113)},
        {"mnuViewRegSPI", "frmRegSPI", "SPI Registers", 3, 780, QRect(0, 0, 173, 80)},
        {"mnuViewRegAD", "frmRegAD", "A/D Registers", 5, 780, QRect(0, 0, 173, 113)},
        {"mnuViewRegOther", "frmRegOther", "Other Registers", 5, 780, QRect(0, 0, 173, 113)},
        {"mnuViewRegPIA", "frmRegPIA", "PIA Registers", 6, 900, QRect(0, 0, 173, 97)},
    };
    for (const auto& w : windows) {
        EXPECT_TRUE(r.f().ViewRegistered(w.Menu)) << w.Menu;
        frmRegisters* window = r.Open(w.Menu);
        ASSERT_NE(window, nullptr) << w.Menu;
        EXPECT_EQ(window->objectName(), w.Form);
        EXPECT_EQ(r.f().ViewWindow(w.Menu)->windowTitle(), w.Caption);
        EXPECT_EQ(window->ListView->topLevelItemCount(), w.Rows);
        EXPECT_TRUE(window->ListView->isHeaderHidden());
        // The designed width at least, and every name whole in the font used.
        EXPECT_GE(window->ListView->columnWidth(0), w.NameTwips / kTwipsPerPixel);
        for (int row = 0; row < w.Rows; ++row) {
            const QString name = window->ListView->topLevelItem(row)->text(0);
            EXPECT_GT(window->ListView->columnWidth(0),
                      window->ListView->fontMetrics().horizontalAdvance(name))
                << name.toStdString();
        }
        EXPECT_EQ(r.f().ViewWindow(w.Menu)->geometry(), w.Geometry) << w.Menu;
        EXPECT_TRUE(r.f().Checked(w.Menu));
        EXPECT_TRUE(window->ShowingValues());
        EXPECT_FALSE(window->AutoRefresh);
        r.f().UnloadView(w.Menu);
        EXPECT_EQ(r.f().View(w.Menu), nullptr);
        EXPECT_FALSE(r.f().Checked(w.Menu));
    }
    // On the simulator only the CPU registers are on the View menu; a window
    // of the register block opened for the board goes on working there.
    EXPECT_TRUE(r.f().CommandEnabled("mnuViewRegCPU"));
    EXPECT_FALSE(r.f().CommandEnabled("mnuViewRegTimer"));
    EXPECT_FALSE(r.f().CommandEnabled("mnuViewRegPIA"));
    // The item toggles.
    r.f().Command("mnuViewRegCPU")->trigger();
    EXPECT_NE(r.f().View("mnuViewRegCPU"), nullptr);
    r.f().Command("mnuViewRegCPU")->trigger();
    EXPECT_EQ(r.f().View("mnuViewRegCPU"), nullptr);
    EXPECT_TRUE(r.h.prompt.Shown().empty());
}

TEST_F(RegisterWindowTest, CpuWindowShowsTheRegisterSaveArea) {
    RegisterFrame r;
    r.Put(0x0000, {0x05, 0x80, 0x12, 0x34, 0xAB, 0xCD, 0x00, 0xFF, 0xD0});
    r.State().RegPC = 0xE000;
    frmRegisters* cpu = r.Open("mnuViewRegCPU");
    ASSERT_NE(cpu, nullptr);
    EXPECT_EQ(Texts(*cpu),
              (QStringList{"$05", "$80", "$0580", "$1234", "$ABCD", "$E000", "$00FF", "%SX0I0000"}));
    EXPECT_EQ(cpu->ValueColumnWidth(), WidestText(*cpu));
    r.Put(0x0008, {0x00});
    cpu->mnuRefresh();
    EXPECT_EQ(cpu->ValueText(7), "%00000000");
}

TEST_F(RegisterWindowTest, FormatCommandsRedrawWithoutReadingTheTarget) {
    RegisterFrame r;
    r.Put(0x0000, {0x05});
    frmRegisters* cpu = r.Open("mnuViewRegCPU");
    ASSERT_NE(cpu, nullptr);
    cpu->SelectRow(0);
    // The target changes behind the window; a format change shows the value already held.
    r.Put(0x0000, {0x77});
    const struct {
        const char* Command;
        const char* Text;
    } steps[] = {{"mnuPopupViewDec", "5"}, {"mnuPopupViewHex", "$05"}, {"mnuPopupViewBin", "%00000101"}};
    for (const auto& step : steps) {
        r.f().Command(step.Command)->trigger();
        EXPECT_EQ(cpu->ValueText(0), step.Text) << step.Command;
        EXPECT_EQ(cpu->ValueColumnWidth(), WidestText(*cpu)) << step.Command;
    }
    // The CCR row keeps its flag letters.
    cpu->SelectRow(7);
    r.f().Command("mnuPopupViewHex")->trigger();
    EXPECT_EQ(cpu->ValueText(7), "%00000000");
    EXPECT_EQ(cpu->Registers().Format(7), u'%');
}

TEST_F(RegisterWindowTest, EnteringDWritesBothBytesAndRefreshes) {
    RegisterFrame r;
    frmRegisters* cpu = r.Open("mnuViewRegCPU");
    ASSERT_NE(cpu, nullptr);
    QString shown;
    r.AnswerEntry("256", &shown);
    r.DoubleClick(*cpu, 2);
    EXPECT_EQ(shown, "$0000");
    EXPECT_EQ(r.Memory()[0x0000], 0x01);
    EXPECT_EQ(r.Memory()[0x0001], 0x00);
    // The frame's Refresh read the registers back.
    EXPECT_EQ(Texts(*cpu).mid(0, 3), (QStringList{"$01", "$00", "$0100"}));
    EXPECT_EQ(r.h.prompt.Pending(), 0u);
}

TEST_F(RegisterWindowTest, AnInvalidNumberKeepsTheDialogAndWritesNothing) {
    RegisterFrame r;
    r.Put(0x0000, {0x05});
    frmRegisters* cpu = r.Open("mnuViewRegCPU");
    ASSERT_NE(cpu, nullptr);
    cpu->SelectRow(0);
    bool stillOpen = false;
    r.h.prompt.AnswerDialog([&stillOpen](QDialog& dialog) {
        auto& entry = static_cast<frmEnterVal&>(dialog);
        entry.Text->setText("$1FF");
        entry.cmdOK_Click();
        stillOpen = !entry.EnterOK() && dialog.result() != QDialog::Accepted;
    });
    cpu->mnuEnter();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(r.h.prompt.Messages(), QStringList{"Invalid Number !"});
    EXPECT_EQ(r.Memory()[0x0000], 0x05);
    EXPECT_EQ(cpu->ValueText(0), "$05");
}

TEST_F(RegisterWindowTest, ACancelledEntryWritesNothingAndRefreshesNothing) {
    RegisterFrame r;
    r.Put(0x1000, {0x0F});
    frmRegisters* ports = r.Open("mnuViewRegPorts");
    ASSERT_NE(ports, nullptr);
    const auto before = r.Memory();
    r.Put(0x1000, {0xF0}); // seen only by a refresh
    r.CancelEntry();
    r.PressEnter(*ports);
    EXPECT_EQ(r.EntriesShown(), 1);
    EXPECT_EQ(ports->ValueText(0), "%00001111");
    r.Put(0x1000, {0x0F});
    EXPECT_TRUE(r.Memory() == before);
}

TEST_F(RegisterWindowTest, PcEditChangesOnlyTheIdesPc) {
    RegisterFrame r;
    r.Put(0x0000, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x00, 0xF0, 0xC0});
    frmRegisters* cpu = r.Open("mnuViewRegCPU");
    ASSERT_NE(cpu, nullptr);
    const auto before = r.Memory();
    r.AnswerEntry("$E010");
    cpu->SelectRow(5);
    cpu->mnuEnter();
    EXPECT_EQ(r.State().RegPC, 0xE010);
    EXPECT_TRUE(r.Memory() == before);
    EXPECT_EQ(cpu->ValueText(5), "$E010");
}

TEST_F(RegisterWindowTest, SpCannotBeEdited) {
    RegisterFrame r;
    frmRegisters* cpu = r.Open("mnuViewRegCPU");
    ASSERT_NE(cpu, nullptr);
    r.DoubleClick(*cpu, 6);
    EXPECT_EQ(cpu->SelectedRow(), 6);
    r.PressEnter(*cpu);
    EXPECT_EQ(r.EntriesShown(), 0);
    r.RightClick(*cpu, 6);
    EXPECT_FALSE(r.ItemEnabled("mnuPopupViewEnter"));
    EXPECT_TRUE(r.ItemEnabled("mnuPopupViewHex"));
    EXPECT_TRUE(r.ItemChecked("mnuPopupViewHex"));
    r.ClosePopup();
}

TEST_F(RegisterWindowTest, CcrRowInThePopupAndItsEntry) {
    RegisterFrame r;
    r.Put(0x0008, {0xD0});
    frmRegisters* cpu = r.Open("mnuViewRegCPU");
    ASSERT_NE(cpu, nullptr);
    r.RightClick(*cpu, 7);
    EXPECT_EQ(cpu->SelectedRow(), 7);
    for (const char* item : {"mnuPopupViewHex", "mnuPopupViewBin", "mnuPopupViewDec"})
        EXPECT_FALSE(r.ItemEnabled(item)) << item;
    EXPECT_TRUE(r.ItemEnabled("mnuPopupViewEnter"));
    EXPECT_TRUE(r.ItemChecked("mnuPopupViewBin"));
    // The CPU window has no auto refresh: hidden while its pop-up is shown.
    EXPECT_FALSE(r.f().Command("mnuPopupViewAutoRefresh")->isVisible());
    EXPECT_TRUE(r.ItemEnabled("mnuPopupViewRefresh"));
    QString shown;
    r.AnswerEntry("%00000001", &shown);
    r.f().Command("mnuPopupViewEnter")->trigger();
    r.ClosePopup();
    EXPECT_TRUE(r.f().Command("mnuPopupViewAutoRefresh")->isVisible());
    EXPECT_EQ(shown, "%11010000");
    EXPECT_EQ(r.Memory()[0x0008], 0x01);
    EXPECT_EQ(cpu->ValueText(7), "%0000000C");
}

TEST_F(RegisterWindowTest, PopupFollowsTheRowUnderTheMouse) {
    RegisterFrame r;
    frmRegisters* timer = r.Open("mnuViewRegTimer");
    ASSERT_NE(timer, nullptr);
    const int tctl1 = RegisterFrame::RowNamed(*timer, "TCTL1");
    r.RightClick(*timer, tctl1);
    EXPECT_EQ(timer->SelectedRow(), tctl1);
    EXPECT_TRUE(r.ItemEnabled("mnuPopupViewEnter"));
    EXPECT_TRUE(r.ItemChecked("mnuPopupViewBin"));
    EXPECT_FALSE(r.ItemChecked("mnuPopupViewHex"));
    EXPECT_TRUE(r.f().Command("mnuPopupViewAutoRefresh")->isVisible());
    EXPECT_FALSE(r.ItemChecked("mnuPopupViewAutoRefresh"));
    EXPECT_TRUE(r.ItemEnabled("mnuPopupViewRefresh"));
    // The help topics of the register windows.
    EXPECT_EQ(HelpTopicOf(r.f().Command("mnuPopupViewEnter")), 95);
    EXPECT_EQ(HelpTopicOf(r.f().Command("mnuPopupViewHex")), 96);
    EXPECT_EQ(HelpTopicOf(r.f().Command("mnuPopupViewBin")), 97);
    EXPECT_EQ(HelpTopicOf(r.f().Command("mnuPopupViewDec")), 98);
    EXPECT_EQ(HelpTopicOf(r.f().Command("mnuPopupViewAutoRefresh")), 99);
    r.ClosePopup();
    // Below the last row: the selection stays, the row commands are off.
    r.RightClick(*timer, -1);
    EXPECT_EQ(timer->SelectedRow(), tctl1);
    for (const char* item : {"mnuPopupViewEnter", "mnuPopupViewHex", "mnuPopupViewBin", "mnuPopupViewDec"})
        EXPECT_FALSE(r.ItemEnabled(item)) << item;
    EXPECT_TRUE(r.ItemChecked("mnuPopupViewBin"));
    r.ClosePopup();
    // A read-only row.
    r.RightClick(*timer, 0);
    EXPECT_FALSE(r.ItemEnabled("mnuPopupViewEnter"));
    EXPECT_TRUE(r.ItemChecked("mnuPopupViewHex"));
    r.ClosePopup();
}

TEST_F(RegisterWindowTest, TimerCounterIsOneWord) {
    RegisterFrame r;
    r.Put(0x100E, {0x12, 0x34});
    frmRegisters* timer = r.Open("mnuViewRegTimer");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->ValueText(0), "$1234");
    // Writing TOC1 sends both bytes, high first.
    r.AnswerEntry("$8001");
    timer->SelectRow(RegisterFrame::RowNamed(*timer, "TOC1"));
    timer->mnuEnter();
    EXPECT_EQ(r.Memory()[0x1016], 0x80);
    EXPECT_EQ(r.Memory()[0x1017], 0x01);
    EXPECT_EQ(timer->ValueText(4), "$8001");
}

TEST_F(RegisterWindowTest, AFailedRefreshClearsAndDisablesEntry) {
    RegisterFrame r;
    frmRegisters* ports = r.Open("mnuViewRegPorts");
    ASSERT_NE(ports, nullptr);
    ports->mnuAutoRefresh();
    EXPECT_TRUE(r.f().tmrRefresh->isActive());
    BreakTheLink(r);
    ports->mnuRefresh();
    EXPECT_FALSE(r.State().BoardOK);
    EXPECT_EQ(r.h.prompt.Messages().size(), 1);
    EXPECT_EQ(ports->ValueColumnWidth(), 0);
    EXPECT_FALSE(ports->ShowingValues());
    for (const QString& text : Texts(*ports))
        EXPECT_TRUE(text.isEmpty());
    // Auto refresh is off so that the timer does not keep retrying.
    EXPECT_FALSE(ports->AutoRefresh);
    EXPECT_FALSE(r.f().tmrRefresh->isActive());
    r.DoubleClick(*ports, 0);
    r.PressEnter(*ports);
    EXPECT_EQ(r.EntriesShown(), 0);
    r.RightClick(*ports, 0);
    for (const char* item : {"mnuPopupViewEnter", "mnuPopupViewHex", "mnuPopupViewBin", "mnuPopupViewDec"})
        EXPECT_FALSE(r.ItemEnabled(item)) << item;
    r.ClosePopup();
    // The format commands do not bring stale values back.
    ports->mnuViewHex();
    EXPECT_EQ(ports->ValueColumnWidth(), 0);
    EXPECT_TRUE(ports->ValueText(0).isEmpty());
}

TEST_F(RegisterWindowTest, AFailedWriteClearsTheWindow) {
    RegisterFrame r;
    frmRegisters* pia = r.Open("mnuViewRegPIA");
    ASSERT_NE(pia, nullptr);
    pia->mnuAutoRefresh();
    BreakTheLink(r);
    r.AnswerEntry("%00000001");
    pia->SelectRow(RegisterFrame::RowNamed(*pia, "Dir A"));
    pia->mnuEnter();
    EXPECT_FALSE(r.State().BoardOK);
    EXPECT_FALSE(pia->ShowingValues());
    EXPECT_FALSE(pia->AutoRefresh);
    EXPECT_FALSE(r.f().tmrRefresh->isActive());
}

TEST_F(RegisterWindowTest, PiaShowsAndWritesItsRegisters) {
    RegisterFrame r;
    r.Put(0x1800, {0x81, 0x42, 0, 0, 0x0F, 0xF0, 0xFF, 0x00});
    frmRegisters* pia = r.Open("mnuViewRegPIA");
    ASSERT_NE(pia, nullptr);
    EXPECT_EQ(Texts(*pia),
              (QStringList{"%10000001", "%00001111", "%11111111", "%01000010", "%11110000", "%00000000"}));
    // The data-in registers are inputs: no entry.
    pia->SelectRow(0);
    pia->mnuEnter();
    EXPECT_EQ(r.EntriesShown(), 0);
    r.AnswerEntry("$A5");
    pia->SelectRow(RegisterFrame::RowNamed(*pia, "DataOut B"));
    pia->mnuEnter();
    EXPECT_EQ(r.Memory()[0x1805], 0xA5);
    EXPECT_EQ(pia->ValueText(4), "%10100101");
}

TEST_F(RegisterWindowTest, RefreshAfterAStopRedrawsTheOnChipWindowsFromOneRead) {
    RegisterFrame r;
    frmRegisters* ports = r.Open("mnuViewRegPorts");
    frmRegisters* ad = r.Open("mnuViewRegAD");
    ASSERT_NE(ports, nullptr);
    ASSERT_NE(ad, nullptr);
    QSignalSpy portChanges(ports->ListView->model(), &QAbstractItemModel::dataChanged);
    r.Put(0x1031, {0x80});
    r.f().RefreshRun();
    EXPECT_EQ(ad->ValueText(1), "$80");
    EXPECT_EQ(r.State().OnChipRegisters[0x31], 0x80);
    // Nothing of the ports changed: no text of theirs was replaced.
    EXPECT_EQ(portChanges.count(), 0);
    r.Put(0x1008, {0x3C});
    r.f().RefreshRun();
    EXPECT_EQ(ports->ValueText(5), "%00111100");
    EXPECT_EQ(portChanges.count(), 1);
}

TEST_F(RegisterWindowTest, AutoRefreshFollowsTheActiveWindow) {
    RegisterFrame r;
    frmRegisters* sci = r.Open("mnuViewRegSCI");
    ASSERT_NE(sci, nullptr);
    EXPECT_FALSE(r.f().tmrRefresh->isActive());
    r.f().Command("mnuPopupViewAutoRefresh")->trigger();
    EXPECT_TRUE(sci->AutoRefresh);
    EXPECT_TRUE(r.f().tmrRefresh->isActive());
    // A tick reads the target again.
    r.Put(0x102F, {0x41});
    r.f().tmrRefresh_Timer();
    EXPECT_EQ(sci->ValueText(4), "$41");
    EXPECT_TRUE(r.f().tmrRefresh->isActive());
    // The pop-up shows it checked, Refresh Window off, and keeps the timer still while shown.
    r.RightClick(*sci, 0);
    EXPECT_TRUE(r.ItemChecked("mnuPopupViewAutoRefresh"));
    EXPECT_FALSE(r.ItemEnabled("mnuPopupViewRefresh"));
    EXPECT_FALSE(r.f().tmrRefresh->isActive());
    r.ClosePopup();
    EXPECT_TRUE(r.f().tmrRefresh->isActive());
    // Another register window opened stops the timer until this one is active again.
    frmRegisters* spi = r.Open("mnuViewRegSPI");
    ASSERT_NE(spi, nullptr);
    EXPECT_FALSE(r.f().tmrRefresh->isActive());
    r.Activate("mnuViewRegSPI");
    EXPECT_FALSE(r.f().tmrRefresh->isActive());
    r.Activate("mnuViewRegSCI");
    EXPECT_TRUE(r.f().tmrRefresh->isActive());
    // A refresh of a window that is not the active one leaves the timer running.
    spi->mnuRefresh();
    EXPECT_TRUE(r.f().tmrRefresh->isActive());
    // A run owns the target: the tick leaves the window alone.
    r.Put(0x102F, {0x42});
    r.f().Run().PlayMode = true;
    r.f().tmrRefresh_Timer();
    r.f().Run().PlayMode = false;
    EXPECT_EQ(sci->ValueText(4), "$41");
    r.f().Command("mnuPopupViewAutoRefresh")->trigger();
    EXPECT_FALSE(sci->AutoRefresh);
    EXPECT_FALSE(r.f().tmrRefresh->isActive());
    // Closing the window starts from the table defaults next time.
    r.f().Command("mnuPopupViewAutoRefresh")->trigger();
    r.f().UnloadView("mnuViewRegSCI");
    EXPECT_FALSE(r.f().tmrRefresh->isActive());
    frmRegisters* again = r.Open("mnuViewRegSCI");
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->AutoRefresh);
}

TEST_F(RegisterWindowTest, FormatsAreNotKeptAcrossUnload) {
    RegisterFrame r;
    frmRegisters* cpu = r.Open("mnuViewRegCPU");
    ASSERT_NE(cpu, nullptr);
    cpu->SelectRow(0);
    cpu->mnuViewBin();
    EXPECT_EQ(cpu->ValueText(0), "%00000000");
    r.f().Command("mnuViewRegCPU")->trigger();
    cpu = r.Open("mnuViewRegCPU");
    ASSERT_NE(cpu, nullptr);
    EXPECT_EQ(cpu->ValueText(0), "$00");
}

TEST_F(RegisterWindowTest, F1OnAPopupItemOpensItsTopic) {
    QMenu menu;
    QAction* hex = menu.addAction("&Hex");
    QAction* plain = menu.addAction("&Other");
    SetHelpTopic(hex, 96);
    QList<int> shown;
    InstallMenuHelp(&menu, [&shown](int topic) { shown.append(topic); });
    menu.popup(QPoint(0, 0));
    menu.setActiveAction(plain);
    QTest::keyClick(&menu, Qt::Key_F1);
    EXPECT_TRUE(shown.isEmpty());
    menu.setActiveAction(hex);
    QTest::keyClick(&menu, Qt::Key_F1);
    EXPECT_EQ(shown, QList<int>{96});
    EXPECT_FALSE(menu.isVisible());
}

} // namespace
} // namespace quorvel::test
