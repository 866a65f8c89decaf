// Reading and writing source files whole: line ends, encodings, refusals and
// saves that fail without touching the file.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "EditorHarness.h"
#include "editor/TextFile.h"

namespace quorvel::test {
namespace {

class TextFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    // Reads a file with these bytes and writes it back unchanged.
    QByteArray RoundTrip(const QByteArray& bytes) {
        const QString path = Path("round.asm");
        WriteBytes(path, bytes);
        TextFileContent content;
        QString error;
        EXPECT_TRUE(ReadTextFile(path, content, error)) << error.toStdString();
        const QString out = Path("out.asm");
        EXPECT_TRUE(WriteTextFile(out, content, error)) << error.toStdString();
        return ReadBytes(out);
    }
};

TEST_F(TextFileTest, LinesEndInLineFeedsInMemory) {
    const TextFileContent content = DecodeText("\tORG\t$E000\r\nloop\tBRA\tloop\r\n");
    EXPECT_EQ(content.Text, "\tORG\t$E000\nloop\tBRA\tloop\n");
    EXPECT_EQ(content.Format.Ending, LineEnding::CRLF);
    EXPECT_EQ(DecodeText("a\nb\n").Format.Ending, LineEnding::LF);
    EXPECT_EQ(DecodeText("one line").Format.Ending, LineEnding::LF);
}

TEST_F(TextFileTest, LineEndsSurviveARoundTrip) {
    const QByteArray rows[] = {
        "\tORG\t$E000\r\nloop\tBRA\tloop\r\n",
        "\tORG\t$E000\nloop\tBRA\tloop\n",
        "no final line end\r\nsecond",
        "",
        "\r\n\r\n",
    };
    for (const QByteArray& bytes : rows)
        EXPECT_EQ(RoundTrip(bytes), bytes) << bytes.toStdString();
}

TEST_F(TextFileTest, EncodingsSurviveARoundTrip) {
    const QByteArray utf8 = "; Zähler für Schleife\n";
    const QByteArray bom = "\xEF\xBB\xBF; mit BOM\r\n";
    const QByteArray latin1 = "; Z\xE4hler f\xFCr Schleife \xA9\r\n"; // not UTF-8
    EXPECT_EQ(RoundTrip(utf8), utf8);
    EXPECT_EQ(RoundTrip(bom), bom);
    EXPECT_EQ(RoundTrip(latin1), latin1);

    TextFileContent content = DecodeText(latin1);
    EXPECT_EQ(content.Format.Encoding, TextEncoding::Latin1);
    EXPECT_EQ(content.Text, QString::fromUtf8("; Zähler für Schleife ©\n"));
    EXPECT_TRUE(DecodeText(bom).Format.ByteOrderMark);
    EXPECT_EQ(DecodeText(bom).Text, "; mit BOM\n");
}

TEST_F(TextFileTest, TextALatin1FileCannotHoldIsWrittenAsUtf8) {
    TextFileContent content = DecodeText("caf\xE9\n");
    content.Text += QString::fromUtf8("€\n");
    const QByteArray bytes = EncodeText(content);
    EXPECT_EQ(bytes, QByteArray("caf\xC3\xA9\n\xE2\x82\xAC\n"));
    EXPECT_EQ(content.Format.Encoding, TextEncoding::Utf8);
}

TEST_F(TextFileTest, MissingFoldersAndBinaryFilesAreRefused) {
    TextFileContent content;
    content.Text = "untouched";
    QString error;
    EXPECT_FALSE(ReadTextFile(Path("missing.asm"), content, error));
    EXPECT_EQ(error, "File not found");
    EXPECT_FALSE(ReadTextFile(dir.path(), content, error));
    EXPECT_EQ(error, "It is a folder");

    WriteBytes(Path("prog.s19.bin"), QByteArray("\x7E\xE0\x00\x00\x01", 5));
    EXPECT_FALSE(ReadTextFile(Path("prog.s19.bin"), content, error));
    EXPECT_EQ(error, "Not a text file");
    EXPECT_EQ(content.Text, "untouched");
}

TEST_F(TextFileTest, HugeFilesAreRefusedUnread) {
    QFile big(Path("huge.asm"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxTextFileSize + 1)); // sparse: no time, no disk
    big.close();
    TextFileContent content;
    QString error;
    EXPECT_FALSE(ReadTextFile(big.fileName(), content, error));
    EXPECT_EQ(error, "Larger than 16 MiB");

    ASSERT_TRUE(big.open(QIODevice::ReadWrite));
    ASSERT_TRUE(big.resize(1024));
    big.close();
    // Sparse zeros are NUL bytes: not text either.
    EXPECT_FALSE(ReadTextFile(big.fileName(), content, error));
    EXPECT_EQ(error, "Not a text file");
}

TEST_F(TextFileTest, WritingReplacesTheFileWhole) {
    const QString path = Path("prog.asm");
    WriteBytes(path, "old contents that are longer than the new ones\n");
    TextFileContent content;
    content.Text = "new\n";
    QString error;
    ASSERT_TRUE(WriteTextFile(path, content, error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(path), "new\n");
    // Nothing else is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"prog.asm"});
}

TEST_F(TextFileTest, AFailedWriteSaysWhyAndLeavesNothing) {
    TextFileContent content;
    content.Text = "text\n";
    QString error;

    // The folder is gone.
    const QString gone = Path("gone");
    ASSERT_TRUE(QDir().mkdir(gone));
    ASSERT_TRUE(QDir(gone).removeRecursively());
    EXPECT_FALSE(WriteTextFile(gone + "/prog.asm", content, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(gone));

    // The "folder" is a regular file.
    WriteBytes(Path("plain"), "keep me\n");
    error.clear();
    EXPECT_FALSE(WriteTextFile(Path("plain") + "/prog.asm", content, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadBytes(Path("plain")), "keep me\n");

    // The name is a folder.
    ASSERT_TRUE(QDir().mkdir(Path("sub.asm")));
    error.clear();
    EXPECT_FALSE(WriteTextFile(Path("sub.asm"), content, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(Path("sub.asm")).isDir());
}

} // namespace
} // namespace quorvel::test
