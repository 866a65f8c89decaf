// Reading listing files: whole files, their encodings, and files that cannot
// be read, which leave the table as it was.
#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ListingText.h"
#include "codetools/ListingLoader.h"

namespace quorvel::test {
namespace {

// A device that hands out some bytes, then fails.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(QByteArray head) : head_(std::move(head)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (given_ >= head_.size()) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 n = std::min<qint64>(maxSize, head_.size() - given_);
        std::copy_n(head_.constData() + given_, n, data);
        given_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray head_;
    qint64 given_ = 0;
};

SymbolTable OneLabel(const QString& label) {
    SymbolTable table;
    QString error;
    QBuffer buffer;
    buffer.setData(ListingFile({ListingLineText(1, 0xE000, {0x01}, label + "     NOP")}).toUtf8());
    buffer.open(QIODevice::ReadOnly);
    EXPECT_TRUE(LoadListingDevice(buffer, table, error));
    return table;
}

TEST(ListingLoaderTest, AFileIsReadWhole) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path =
        WriteFile(folder.path(), "prog.lst",
                  ListingFile({ListingLineText(1, 0xE000, {0x86, 0x41}, "START    LDAA #$41"),
                               ListingLineText(2, 0xE002, {0x20, 0xFE}, "LOOP     BRA LOOP")})
                      .toUtf8());
    SymbolTable table;
    QString error;
    ASSERT_TRUE(LoadListingFile(path, table, error)) << qPrintable(error);
    ASSERT_EQ(table.ListingCount(), 2);
    EXPECT_EQ(table.ListingLines()[1].Label, u"LOOP");
}

TEST(ListingLoaderTest, AMissingFileOrAFolderLeavesTheTable) {
    QTemporaryDir folder;
    SymbolTable table = OneLabel("KEEP");
    QString error;
    EXPECT_FALSE(LoadListingFile(folder.filePath("none.lst"), table, error));
    EXPECT_EQ(error, "File not found");
    EXPECT_FALSE(LoadListingFile(folder.path(), table, error));
    EXPECT_EQ(error, "It is a folder");
    ASSERT_EQ(table.ListingCount(), 1);
    EXPECT_EQ(table.ListingLines()[0].Label, u"KEEP");
}

TEST(ListingLoaderTest, AReadThatFailsPartWayLeavesTheTable) {
    SymbolTable table = OneLabel("KEEP");
    FailingDevice device(ListingFile({ListingLineText(1, 0xE000, {0x01}, "NEW      NOP")}).toUtf8());
    QString error;
    EXPECT_FALSE(LoadListingDevice(device, table, error));
    EXPECT_EQ(error, "Input/output error");
    ASSERT_EQ(table.ListingCount(), 1);
    EXPECT_EQ(table.ListingLines()[0].Label, u"KEEP");
}

TEST(ListingLoaderTest, AnEmptyOrForeignFileGivesAnEmptyTable) {
    QTemporaryDir folder;
    SymbolTable table = OneLabel("OLD");
    QString error;
    ASSERT_TRUE(LoadListingFile(WriteFile(folder.path(), "empty.lst", QByteArray()), table, error));
    EXPECT_EQ(table.ListingCount(), 0);
    table = OneLabel("OLD");
    ASSERT_TRUE(
        LoadListingFile(WriteFile(folder.path(), "text.lst", "just some text\nand more\n"), table, error));
    EXPECT_EQ(table.ListingCount(), 0);
}

TEST(ListingLoaderTest, UTF8AndLatin1SourcesAreDecoded) {
    const QString source = QString::fromUtf8("TXT      FCB 1 ; caf\u00e9");
    const QString code = QString::fromUtf8("GR\u00dcN     NOP");
    SymbolTable table;
    QString error;
    QBuffer utf8;
    utf8.setData(ListingFile({ListingLineText(1, 0xE000, {0x01}, code)}).toUtf8());
    utf8.open(QIODevice::ReadOnly);
    ASSERT_TRUE(LoadListingDevice(utf8, table, error));
    ASSERT_EQ(table.ListingCount(), 1);
    EXPECT_EQ(table.ListingLines()[0].Label, QString::fromUtf8("GR\u00dcN"));

    QBuffer latin1;
    latin1.setData(
        ListingFile({ListingLineText(1, 0xE000, {0x01}, code), ListingLineText(2, 0xE001, {0x01}, source)})
            .toLatin1());
    latin1.open(QIODevice::ReadOnly);
    ASSERT_TRUE(LoadListingDevice(latin1, table, error));
    ASSERT_EQ(table.ListingCount(), 2);
    EXPECT_EQ(table.ListingLines()[0].Source, code);
    EXPECT_EQ(table.ListingLines()[1].Label, u"TXT");
}

TEST(ListingLoaderTest, DecodingFallsBackToLatin1) {
    EXPECT_EQ(DecodeListing("abc"), "abc");
    EXPECT_EQ(DecodeListing("\xC3\xA9"), QString::fromUtf8("\u00e9"));
    EXPECT_EQ(DecodeListing("\xE9t\xE9"), QString::fromLatin1("\xE9t\xE9"));
}

} // namespace
} // namespace quorvel::test
