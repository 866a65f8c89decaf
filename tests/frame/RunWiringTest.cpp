// The main window's run control and download: the Run and Debug commands
// reach run control, File > Download loads an S-record file through the
// progress window, and the status bar follows.
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "FrameHarness.h"
#include "codetools/SymbolFile.h"
#include "frame/StatusText.h"
#include "frame/frmDownload.h"
#include "run/RunControl.h"

namespace quorvel::test {
namespace {

// An S1 record with its checksum.
QByteArray S1(uint16_t address, const std::vector<uint8_t>& data) {
    const int count = int(data.size()) + 3;
    int sum = count + (address >> 8) + (address & 0xFF);
    QByteArray line = "S1" + QByteArray::number(count, 16).rightJustified(2, '0') +
                      QByteArray::number(address, 16).rightJustified(4, '0');
    for (uint8_t byte : data) {
        sum += byte;
        line += QByteArray::number(byte, 16).rightJustified(2, '0');
    }
    line += QByteArray::number(~sum & 0xFF, 16).rightJustified(2, '0');
    return line.toUpper() + "\r\n";
}

class RunWiringTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        StartOptions options;
        options.SimEnabled = true;
        h = std::make_unique<Harness>(options);
    }
    void TearDown() override {
        h.reset();
        FrameTest::TearDown();
    }

    // LDAA #$41 / STAA $40 / BRA * at $E000, the reset vector pointing there.
    QString WriteProgram() {
        const QString path = folder.filePath("prog.s19");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("S00600004844521B\r\n");
        file.write(S1(0xE000, {0x86, 0x41, 0x97, 0x40, 0x20, 0xFE}));
        file.write(S1(0xFFFE, {0xE0, 0x00}));
        file.write("S9030000FC\r\n");
        return path;
    }

    // File > Download with the path chosen in the open dialog; the scripted
    // progress window runs its first activation.
    void Download(const QString& path) {
        h->prompt.AnswerFile(path);
        h->prompt.AnswerDialog([this](QDialog& dialog) {
            auto& form = dynamic_cast<frmDownload&>(dialog);
            form.Form_Activate();
            lastAddress = form.lbAddress->text();
            lastProgress = form.ProgressBar->value();
        });
        h->frame->Command("mnuFileDownload")->trigger();
    }

    QTemporaryDir folder;
    std::unique_ptr<Harness> h;
    QString lastAddress;
    int lastProgress = -1;
};

TEST_F(RunWiringTest, DownloadSetsThePCFromTheResetVector) {
    frmMain& f = *h->frame;
    ASSERT_TRUE(f.CommandEnabled("mnuFileDownload"));
    const QString path = WriteProgram();
    Download(path);
    EXPECT_TRUE(h->prompt.Problems().isEmpty()) << h->prompt.Problems().join('\n').toStdString();
    const auto& request = h->prompt.Shown().front();
    EXPECT_EQ(request.Title, "Download");
    EXPECT_EQ(request.File.Filter, "Machine Code (*.s19)|*.s19|All Files (*.*)|*.*");
    EXPECT_EQ(f.Target().RegPC, 0xE000);
    EXPECT_EQ(f.StatusPanel(kPanelProgram), "Program: " + path);
    EXPECT_TRUE(f.ProgramLoaded);
    EXPECT_EQ(f.Simulator().TargetMemory()[0xE000], 0x86);
    EXPECT_EQ(f.Simulator().TargetMemory()[0xE006], 0xFF); // erased, not written
    EXPECT_EQ(lastProgress, 100);
    EXPECT_EQ(f.StatusPanel(kPanelClock), "Clock= 00000000");
}

// quorvel --download: the program is loaded, with the listing's symbols, once the frame is up.
TEST_F(RunWiringTest, DownloadFromTheCommandLine) {
    const QString path = WriteProgram();
    QFile listing(folder.filePath("prog.lst"));
    ASSERT_TRUE(listing.open(QIODevice::WriteOnly));
    listing.write("0001 E000 86 41          START   LDAA #$41\n");
    listing.close();
    h.reset();
    StartOptions options;
    options.SimEnabled = true;
    options.Download = path;
    h = std::make_unique<Harness>(options);
    h->prompt.AnswerDialog([](QDialog& dialog) { dynamic_cast<frmDownload&>(dialog).Form_Activate(); });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    frmMain& f = *h->frame;
    EXPECT_TRUE(f.ProgramLoaded);
    EXPECT_EQ(f.DownloadFileName, path);
    EXPECT_EQ(f.Target().RegPC, 0xE000);
    EXPECT_EQ(f.Symbols().ListingFileName(), folder.filePath("prog.lst"));
    EXPECT_TRUE(f.Checked("mnuViewDisassembler"));
    EXPECT_TRUE(h->prompt.Problems().isEmpty()) << h->prompt.Problems().join('\n').toStdString();
}

// A listing that is a pipe is refused unopened; the download goes on without symbols.
TEST_F(RunWiringTest, DownloadFromTheCommandLineGoesOnWhenTheListingIsAPipe) {
    const QString path = WriteProgram();
    const WaitingFifo listing(folder.filePath("prog.lst"));
    ASSERT_TRUE(listing.Made());
    h.reset();
    StartOptions options;
    options.SimEnabled = true;
    options.Download = path;
    h = std::make_unique<Harness>(options);
    h->prompt.AnswerDialog([](QDialog& dialog) { dynamic_cast<frmDownload&>(dialog).Form_Activate(); });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    frmMain& f = *h->frame;
    EXPECT_TRUE(f.ProgramLoaded);
    EXPECT_EQ(f.Target().RegPC, 0xE000);
    EXPECT_TRUE(f.Symbols().ListingFileName().isEmpty());
    EXPECT_EQ(h->prompt.Messages(), QStringList{"Can't Load Symbols from " + folder.filePath("prog.lst") +
                                                " !\n(Not a regular file)"});
}

TEST_F(RunWiringTest, ProgressWindowShowsAddressAndSize) {
    EXPECT_EQ(DownloadSizeText(16), "16 bytes");
    EXPECT_EQ(DownloadSizeText(1), "1 byte");
    const QString path = WriteProgram();
    frmDownload form(path, h->frame->Targets(), h->prompt);
    QStringList addresses;
    QObject::connect(form.ProgressBar, &QProgressBar::valueChanged, [&] {
        if (!form.lbAddress->text().isEmpty())
            addresses << form.lbAddress->text() + " " + form.lbSize->text();
    });
    form.Form_Activate();
    ASSERT_FALSE(addresses.isEmpty());
    EXPECT_EQ(addresses.front(), "Address = $E000 6 bytes");
    EXPECT_TRUE(form.lbAddress->text().isEmpty()); // cleared at the end
}

TEST_F(RunWiringTest, StepIntoAdvancesThePCAndTheClock) {
    frmMain& f = *h->frame;
    Download(WriteProgram());
    ASSERT_EQ(f.Target().RegPC, 0xE000);
    ASSERT_TRUE(f.CommandEnabled("mnuRunStepInto"));
    f.Command("mnuRunStepInto")->trigger();
    EXPECT_EQ(f.Target().RegPC, 0xE002);
    EXPECT_EQ(f.Target().RegA, 0x41);
    EXPECT_GT(f.Run().ClockCount, 0);
    EXPECT_EQ(f.StatusPanel(kPanelClock), f.Run().ClockCountText());
    EXPECT_NE(f.StatusPanel(kPanelClock), "Clock= 00000000");
    f.Command("mnuDebugResetCounter")->trigger();
    EXPECT_EQ(f.Run().ClockCount, 0);
    EXPECT_EQ(f.StatusPanel(kPanelClock), "Clock= 00000000");
}

TEST_F(RunWiringTest, PlayStopsAtABreakpoint) {
    frmMain& f = *h->frame;
    Download(WriteProgram());
    f.Run().Breakpoints().Add(0xE004);
    f.Command("mnuRunPlay")->trigger();
    EXPECT_EQ(f.Target().RegPC, 0xE004);
    EXPECT_EQ(f.Simulator().TargetMemory()[0x40], 0x41);
    EXPECT_TRUE(f.Run().Stopped);
    // The end of the run gives the commands back; Pause goes with the loop.
    EXPECT_FALSE(f.CommandEnabled("mnuRunPause"));
    EXPECT_TRUE(f.CommandEnabled("mnuRunPlay"));
    EXPECT_TRUE(f.CommandEnabled("mnuFileDownload"));
    EXPECT_FALSE(f.CommandEnabled("mnuRunRun"));
    EXPECT_FALSE(f.CommandEnabled("mnuViewRegPorts"));
}

TEST_F(RunWiringTest, FreezeAndThawFollowTheTarget) {
    frmMain& f = *h->frame;
    f.FreezeDisplay();
    EXPECT_TRUE(f.CommandEnabled("mnuRunPause"));
    EXPECT_FALSE(f.CommandEnabled("mnuRunPlay"));
    EXPECT_FALSE(f.CommandEnabled("mnuRunAnimate"));
    EXPECT_FALSE(f.CommandEnabled("mnuFileDownload"));
    EXPECT_FALSE(f.ToolButton("mnuFileDownload")->isEnabled());
    EXPECT_FALSE(f.CommandEnabled("mnuViewDisassembler"));
    f.ThawDisplay();
    EXPECT_FALSE(f.CommandEnabled("mnuRunPause"));
    EXPECT_TRUE(f.CommandEnabled("mnuRunAnimate"));
    EXPECT_TRUE(f.CommandEnabled("mnuViewDisassembler"));
    EXPECT_FALSE(f.CommandEnabled("mnuRunRun"));
    EXPECT_FALSE(f.ToolButton("mnuRunRun")->isEnabled());
}

TEST_F(RunWiringTest, RunIsDisabledInSimulatorMode) {
    EXPECT_FALSE(h->frame->CommandEnabled("mnuRunRun"));
    EXPECT_FALSE(h->frame->ToolButton("mnuRunRun")->isEnabled());
    EXPECT_FALSE(h->frame->CommandEnabled("mnuRunPause"));
    EXPECT_TRUE(h->frame->CommandEnabled("mnuRunPlay"));
    EXPECT_TRUE(h->frame->CommandEnabled("mnuDebugGetResVec"));
}

TEST_F(RunWiringTest, GetResetVectorSetsThePC) {
    frmMain& f = *h->frame;
    Download(WriteProgram());
    f.Target().RegPC = 0x1234;
    f.Command("mnuDebugGetResVec")->trigger();
    EXPECT_EQ(f.Target().RegPC, 0xE000);
}

TEST_F(RunWiringTest, AnUnreadableFileChangesNothing) {
    frmMain& f = *h->frame;
    const auto before = f.Simulator().TargetMemory();
    const int32_t pc = f.Target().RegPC;
    // A folder exists but cannot be read as a file.
    const QString path = folder.filePath("sub.s19");
    ASSERT_TRUE(QDir(folder.path()).mkdir("sub.s19"));
    Download(path);
    const QStringList messages = h->prompt.Messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.front(), "Can't Write to Memory !");
    EXPECT_EQ(h->prompt.Shown().back().Title, "Dravik - Download Error");
    EXPECT_TRUE(f.Simulator().TargetMemory() == before);
    EXPECT_EQ(f.Target().RegPC, pc);
    EXPECT_FALSE(f.ProgramLoaded);
    EXPECT_EQ(f.StatusPanel(kPanelProgram), kNoProgram);
}

TEST_F(RunWiringTest, ASecondDownloadTakesTheKnownFile) {
    frmMain& f = *h->frame;
    const QString path = WriteProgram();
    Download(path);
    ASSERT_EQ(f.DownloadFileName, path);
    f.Target().RegPC = 0x1234;
    h->prompt.AnswerDialog([](QDialog& dialog) { dynamic_cast<frmDownload&>(dialog).Form_Activate(); });
    f.ToolButton("mnuFileDownload")->trigger(); // no open dialog: the known file
    EXPECT_EQ(f.Target().RegPC, 0xE000);
    EXPECT_EQ(h->prompt.Shown().back().What, ScriptedPrompt::Kind::Dialog);
    EXPECT_TRUE(h->prompt.Problems().isEmpty());
}

// A file of another tool loads nothing: the user hears so, and the program
// in the target and the status bar stay as they were.
TEST_F(RunWiringTest, AFileWithoutAValidRecordSaysSoAndKeepsTheProgram) {
    frmMain& f = *h->frame;
    const QString good = WriteProgram();
    Download(good);
    const QString bad = folder.filePath("lower.s19");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(S1(0xE000, {0x4F, 0x4F}).toLower());
    file.close();
    h->prompt.Clear();
    f.DownloadFileName.clear();
    Download(bad);
    EXPECT_EQ(h->prompt.Messages(), QStringList{NoRecordsText(bad)});
    EXPECT_EQ(h->prompt.Shown().back().Title, "Dravik - Download Error");
    EXPECT_EQ(f.Simulator().TargetMemory()[0xE000], 0x86);
    EXPECT_EQ(f.StatusPanel(kPanelProgram), "Program: " + good);
}

// The known file was deleted since: Download asks for a file instead of doing nothing.
TEST_F(RunWiringTest, AVanishedDownloadFileIsAskedForAgain) {
    frmMain& f = *h->frame;
    const QString path = WriteProgram();
    Download(path);
    ASSERT_TRUE(QFile::remove(path));
    h->prompt.Clear();
    h->prompt.CancelFile();
    f.Command("mnuFileDownload")->trigger();
    ASSERT_EQ(h->prompt.Shown().size(), 1U);
    EXPECT_EQ(h->prompt.Shown().back().What, ScriptedPrompt::Kind::OpenFile);
    EXPECT_EQ(h->prompt.Shown().back().Title, "Download");
}

// Esc on the progress window cancels the download; the window does not
// close under a download that goes on.
TEST_F(RunWiringTest, EscOnTheProgressWindowCancels) {
    frmMain& f = *h->frame;
    const QString path = folder.filePath("long.s19");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < 64; ++i)
        file.write(S1(uint16_t(0xE000 + 4 * i), {0x01, 0x01, 0x01, 0x01}));
    file.close();
    h->prompt.AnswerFile(path);
    bool visibleAfterEsc = false;
    h->prompt.AnswerDialog([&](QDialog& dialog) {
        auto& form = dynamic_cast<frmDownload&>(dialog);
        form.show();
        QTimer::singleShot(0, &form, [&] {
            QTest::keyClick(&form, Qt::Key_Escape);
            visibleAfterEsc = form.isVisible();
        });
        form.Form_Activate();
    });
    f.Command("mnuFileDownload")->trigger();
    EXPECT_TRUE(visibleAfterEsc);
    EXPECT_FALSE(f.ProgramLoaded);
    EXPECT_EQ(f.Simulator().TargetMemory()[0xE000 + 4 * 63], 0xFF) << "the download went on";
}

// A file above the limit is refused before anything is erased; a file that
// loads only in part says so once, and what loaded stays loaded.
TEST_F(RunWiringTest, DownloadRefusesLargeFilesAndReportsBrokenLines) {
    const QString big = folder.filePath("big.s19");
    QFile sparse(big);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(kMaxLoadFileSize + 1));
    sparse.close();
    const QString partly = folder.filePath("partly.s19");
    QFile broken(partly);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("S104E000G11A\nhello\nS105FFFEE0001D\nS9030000FC\n");
    broken.close();
    struct Case {
        QString path;
        QString title;
        QString message;
        bool loaded;
    };
    const Case cases[] = {
        {big, "Dravik - Download Error", "big.s19: Larger than 16 MiB, Nothing Loaded !", false},
        {partly, "Dravik - Download", "partly.s19: 2 lines ignored or malformed, the first is line 1 !",
         true},
    };
    for (const Case& c : cases) {
        h.reset();
        StartOptions options;
        options.SimEnabled = true;
        h = std::make_unique<Harness>(options);
        Download(c.path);
        EXPECT_EQ(h->prompt.Messages(), QStringList{c.message});
        EXPECT_EQ(h->prompt.Shown().back().Title, c.title);
        EXPECT_EQ(h->prompt.Shown().back().Icon, PromptIcon::Exclamation);
        EXPECT_EQ(h->frame->ProgramLoaded, c.loaded);
    }
}

TEST_F(RunWiringTest, CancelClearsProgramLoaded) {
    frmMain& f = *h->frame;
    h->prompt.AnswerFile(WriteProgram());
    h->prompt.AnswerDialog([](QDialog& dialog) {
        auto& form = dynamic_cast<frmDownload&>(dialog);
        form.cmdCancel->click();
        form.Form_Activate();
    });
    f.Command("mnuFileDownload")->trigger();
    EXPECT_FALSE(f.ProgramLoaded);
    EXPECT_EQ(f.StatusPanel(kPanelProgram), kNoProgram);
}

} // namespace
} // namespace quorvel::test
