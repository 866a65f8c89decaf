// Which lines of an S-record file are loaded and which are reported, and
// which files are read at all.
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "target/SRecordFile.h"

namespace quorvel::test {
namespace {

TEST(SRecordFile, ClassifiesLines) {
    struct Case {
        const char* line;
        bool loaded;
        bool flawed;
    };
    const Case cases[] = {
        {"S105E000864153\r\n", true, false},       // clean
        {"S105E000864153", true, false},           // last line without a break
        {"S104E000G11A\n", true, true},            // "G" skipped: loads $01, but reported
        {"S105E000864153XY\n", true, true},        // text after the checksum
        {"S105e000864153\n", false, true},         // lower case fails the checksum
        {"S104E0103FC8\n", false, true},           // wrong checksum
        {"S2080000000102030405E9\n", false, true}, // 24-bit records are not loaded
        {"hello\n", false, true},
        {"S00600004844521B\n", false, false}, // header
        {"S5030001FB\n", false, false},       // record count
        {"S9030000FC\r\n", false, false},     // end
        {"  \r\n", false, false},             // blank
    };
    for (const Case& c : cases) {
        const SRecordLine line = CheckSRecordLine(c.line);
        EXPECT_EQ(line.Record.has_value(), c.loaded) << c.line;
        EXPECT_EQ(line.Flawed, c.flawed) << c.line;
    }
}

TEST(SRecordFile, NamesTheFlawedLines) {
    SRecordFlaws flaws;
    flaws.Add(7);
    EXPECT_EQ(FlawsText(flaws), "line 7 ignored or malformed");
    flaws.Add(9);
    flaws.Add(12);
    EXPECT_EQ(FlawsText(flaws), "3 lines ignored or malformed, the first is line 7");
}

// Nothing that never ends, blocks or fills the memory is read.
TEST(SRecordFile, ReadsOnlyRegularFilesUpToTheLimit) {
    QTemporaryDir dir;
    const QString sparse = dir.filePath("big.s19");
    QFile big(sparse);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxLoadFileSize + 1));
    big.close();
    const QString limit = dir.filePath("limit.s19");
    QFile full(limit);
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    ASSERT_TRUE(full.resize(kMaxLoadFileSize));
    full.close();
    const QString fifo = dir.filePath("fifo.s19");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    struct Case {
        QString path;
        LoadFileStatus status;
        const char* reason;
    };
    const Case cases[] = {
        {limit, LoadFileStatus::Ok, ""},
        {sparse, LoadFileStatus::TooLarge, "Larger than 16 MiB"},
        {fifo, LoadFileStatus::Unreadable, "Not a regular file"},
        {"/dev/zero", LoadFileStatus::Unreadable, "Not a regular file"},
        {dir.path(), LoadFileStatus::Unreadable, "It is a folder"},
        {dir.filePath("missing.s19"), LoadFileStatus::Unreadable, "File not found"},
    };
    for (const Case& c : cases) {
        QByteArray content;
        QString reason;
        EXPECT_EQ(ReadLoadFile(c.path, content, reason), c.status) << c.path.toStdString();
        EXPECT_EQ(reason, QString::fromLatin1(c.reason)) << c.path.toStdString();
        EXPECT_EQ(content.size(), c.status == LoadFileStatus::Ok ? kMaxLoadFileSize : 0);
    }
}

} // namespace
} // namespace quorvel::test
