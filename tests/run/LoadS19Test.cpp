// Download of an S-record file onto the simulator's image.
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "download/LoadS19.h"
#include "target/ImageTarget.h"

namespace quorvel::test {
namespace {

class Recorder : public DownloadObserver {
public:
    std::vector<std::pair<uint16_t, int>> records;
    std::vector<int> percents;
    int cancelAfter = -1;
    void Record(uint16_t address, int count) override { records.emplace_back(address, count); }
    void Progress(int percent) override { percents.push_back(percent); }
    bool Cancelled() override { return cancelAfter >= 0 && static_cast<int>(records.size()) >= cancelAfter; }
};

QString writeFile(const QTemporaryDir& dir, const QByteArray& content) {
    const QString path = dir.filePath("prog.s19");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

struct Image {
    TargetState state;
    ImageTarget target{state};
    Image() { state.BoardOK = true; }
    uint8_t at(int a) const { return target.TargetMemory()[static_cast<size_t>(a)]; }
};

TEST(LoadS19, ErasesFlashWritesRecordsAndTakesTheResetVector) {
    QTemporaryDir dir;
    Image image;
    image.target.TargetMemory()[0xDFFF] = 0x55;
    image.target.TargetMemory()[0xE100] = 0x12;
    const QString path = writeFile(dir, "S00600004844521B\r\n"
                                        "S1130000000102030405060708090A0B0C0D0E0F74\r\n"
                                        "S105E000864153\r\n"
                                        "S104E0103FC8\r\n"   // wrong checksum: skipped
                                        "S105e000864153\r\n" // lower case: misread, skipped
                                        "S105FFFEE0001D\r\n"
                                        "S9030000FC\r\n");
    Recorder recorder;
    const DownloadOutcome outcome = LoadS19(path, image.target, &recorder);
    EXPECT_EQ(outcome.Result, DownloadResult::Done);
    EXPECT_EQ(outcome.Records, 3);
    EXPECT_EQ(image.state.RegPC, 0xE000);
    EXPECT_EQ(image.at(0x000F), 0x0F);
    EXPECT_EQ(image.at(0xE000), 0x86);
    EXPECT_EQ(image.at(0xE001), 0x41);
    EXPECT_EQ(image.at(0xE010), 0xFF);
    EXPECT_EQ(image.at(0xE100), 0xFF); // erased
    EXPECT_EQ(image.at(0xDFFF), 0x55); // not flash
    ASSERT_EQ(recorder.records.size(), 3u);
    EXPECT_EQ(recorder.records[0], (std::pair<uint16_t, int>{0x0000, 16}));
    EXPECT_EQ(recorder.records[1], (std::pair<uint16_t, int>{0xE000, 2}));
    EXPECT_EQ(recorder.percents.back(), 100);
}

TEST(LoadS19, AMissingFileErasesNothing) {
    Image image;
    image.target.TargetMemory()[0xE100] = 0x12;
    const DownloadOutcome outcome = LoadS19("/nonexistent/prog.s19", image.target);
    EXPECT_EQ(outcome.Result, DownloadResult::FileError);
    EXPECT_EQ(image.at(0xE100), 0x12);
}

TEST(LoadS19, AnUnreadableFileChangesNothing) {
    QTemporaryDir dir;
    Image image;
    image.target.TargetMemory()[0xE100] = 0x12;
    image.state.RegPC = 0x1234;
    // A folder opens but cannot be read as a file.
    const DownloadOutcome outcome = LoadS19(dir.path(), image.target);
    EXPECT_EQ(outcome.Result, DownloadResult::FileError);
    EXPECT_EQ(image.at(0xE100), 0x12);
    EXPECT_EQ(image.state.RegPC, 0x1234);
}

// A file from another tool (lower-case digits fail every checksum) or no
// S-record file at all leaves the program in the target as it was.
TEST(LoadS19, AFileWithoutAValidS1RecordChangesNothing) {
    for (const QByteArray& content : {QByteArray("hello\nS9030000FC\n"), QByteArray("S105e000864153\n"),
                                      QByteArray("S104E0103FC8\n"), QByteArray()}) {
        QTemporaryDir dir;
        Image image;
        image.target.TargetMemory()[0xE000] = 0x86;
        image.state.RegPC = 0xE000;
        const DownloadOutcome outcome = LoadS19(writeFile(dir, content), image.target);
        EXPECT_EQ(outcome.Result, DownloadResult::NoRecords) << content.constData();
        EXPECT_EQ(outcome.Records, 0);
        EXPECT_EQ(image.at(0xE000), 0x86) << "not erased";
        EXPECT_EQ(image.state.RegPC, 0xE000);
    }
}

// The simulator is always there: a download works before anything else has
// touched the target (BoardOK still false from start-up).
TEST(LoadS19, TheSimulatorTakesADownloadFromTheFirstMoment) {
    QTemporaryDir dir;
    Image image;
    image.state.BoardOK = false;
    const DownloadOutcome outcome = LoadS19(writeFile(dir, "S105E000864153\nS105FFFEE0001D\n"), image.target);
    EXPECT_EQ(outcome.Result, DownloadResult::Done);
    EXPECT_EQ(outcome.Records, 2);
    EXPECT_EQ(image.at(0xE000), 0x86);
    EXPECT_EQ(image.state.RegPC, 0xE000);
}

// Files that are too large, never end or block are not read; nothing changes.
TEST(LoadS19, HostileFilesChangeNothing) {
    QTemporaryDir dir;
    const QString sparse = dir.filePath("big.s19");
    QFile big(sparse);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxLoadFileSize + 1));
    big.close();
    const QString fifo = dir.filePath("fifo.s19");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::pair<QString, DownloadResult> cases[] = {
        {sparse, DownloadResult::TooLarge},
        {fifo, DownloadResult::FileError},
        {"/dev/zero", DownloadResult::FileError},
    };
    for (const auto& [path, result] : cases) {
        Image image;
        image.target.TargetMemory()[0xE000] = 0x86;
        image.state.RegPC = 0xE000;
        const DownloadOutcome outcome = LoadS19(path, image.target);
        EXPECT_EQ(outcome.Result, result) << path.toStdString();
        EXPECT_FALSE(outcome.Reason.isEmpty());
        EXPECT_EQ(image.at(0xE000), 0x86) << "not erased";
        EXPECT_EQ(image.state.RegPC, 0xE000);
    }
}

// What loads is loaded; skipped and unclean lines are counted with the first one.
TEST(LoadS19, CountsLinesIgnoredOrMalformed) {
    struct Case {
        QByteArray content;
        int records;
        int flawed;
        int first;
    };
    const Case cases[] = {
        {"S00600004844521B\nS105E000864153\n\nS9030000FC\n", 1, 0, 0},
        {"S105E000864153\nS104E010G10A\n", 2, 1, 2},
        {"S105E000864153\nhello\nS104E0103FC8\nS105E010864143\nS105e000864153\n", 2, 3, 2},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        Image image;
        const DownloadOutcome outcome = LoadS19(writeFile(dir, c.content), image.target);
        EXPECT_EQ(outcome.Result, DownloadResult::Done);
        EXPECT_EQ(outcome.Records, c.records) << c.content.constData();
        EXPECT_EQ(outcome.Flaws.Lines, c.flawed) << c.content.constData();
        EXPECT_EQ(outcome.Flaws.FirstLine, c.first) << c.content.constData();
    }
}

TEST(LoadS19, CancelEndsTheLoop) {
    QTemporaryDir dir;
    Image image;
    Recorder recorder;
    recorder.cancelAfter = 1;
    const DownloadOutcome outcome =
        LoadS19(writeFile(dir, "S105E000864153\nS105E010864143\nS105FFFEE0001D\n"), image.target, &recorder);
    EXPECT_EQ(outcome.Result, DownloadResult::Cancelled);
    EXPECT_EQ(outcome.Records, 1);
    EXPECT_EQ(image.at(0xE010), 0xFF);
    EXPECT_EQ(image.state.RegPC, 0xFFFF);
}

} // namespace
} // namespace quorvel::test
