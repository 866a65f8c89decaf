// hc11dis: S-record and raw binary input, argument errors, the listing layout
// and page reloads, through the library entry point and the built program.
#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include "Hc11Dis.h"

namespace quorvel {
namespace {

using hc11dis::RunHc11Dis;

// " $E000: " + 15-character code field + blank marker + blank + text.
QString row(const char* address, const char* code, const char* text) {
    return QStringLiteral(" $%1: %2  %3\n")
        .arg(QLatin1String(address), QString::fromLatin1(code).leftJustified(15), QLatin1String(text));
}

class Hc11DisTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString out;
    QString err;

    QString write(const char* name, const QByteArray& content) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    int run(const QStringList& args) {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const int status = RunHc11Dis(args, outStream, errStream);
        outStream.flush();
        errStream.flush();
        return status;
    }
};

TEST_F(Hc11DisTest, SRecordFileListsEachLoadedRange) {
    const QString path = write("prog.s19", "S00600004844521B\n"
                                           "S106E00086413919\r\n"
                                           "S106F000BDE0006C\n"
                                           "S106F800BDE0006D\n" // bad checksum: ignored
                                           "s106F000BDE0006C\n" // not an S1 record
                                           "\n"
                                           "S9030000FC\n");
    ASSERT_EQ(run({path}), 0);
    EXPECT_EQ(out, row("E000", "86 41", "LDAA  #$41") + row("E002", "39", "RTS") +
                       row("F000", "BD E0 00", "JSR   $E000"));
    // The two ignored lines are told, the first being line 4.
    EXPECT_TRUE(err.contains(u"2 lines ignored or malformed, the first is line 4")) << err.toStdString();
}

TEST_F(Hc11DisTest, AdjacentRecordsFormOneRange) {
    const QString path = write("two.s19", "S104E0008695\nS104E00141D9\n");
    ASSERT_EQ(run({path}), 0);
    EXPECT_EQ(out, row("E000", "86 41", "LDAA  #$41"));
}

TEST_F(Hc11DisTest, RawBinaryAtOrigin) {
    const QString path = write("prog.bin", QByteArray("\x86\x41\x18\x1E\x05\x80\xF0\xCC\x12", 9));
    ASSERT_EQ(run({QStringLiteral("--org"), QStringLiteral("$E000"), path}), 0);
    // The last instruction runs past the file: its third byte is what the image holds.
    EXPECT_EQ(out, row("E000", "86 41", "LDAA  #$41") +
                       row("E002", "18 1E 05 80 F0", "BRSET $05,Y $80 $DFF7") +
                       row("E007", "CC 12 00", "LDD   #$1200"));
    EXPECT_TRUE(err.isEmpty());
}

TEST_F(Hc11DisTest, RawBinaryDefaultsToAddressZero) {
    const QString path = write("zero.bin", QByteArray("\x01\x00\x41\x18\x00", 5));
    ASSERT_EQ(run({path}), 0);
    EXPECT_EQ(out, row("0000", "01", "NOP") + row("0001", "00", "???") + row("0002", "41", "???") +
                       row("0003", "18 00", "???"));
}

TEST_F(Hc11DisTest, OrgInEveryNumberForm) {
    const QString path = write("nop.bin", QByteArray("\x01", 1));
    for (const char* org : {"4096", "$1000", "%1000000000000", "@10000", "--org=$1000"}) {
        const QString arg = QString::fromLatin1(org);
        const QStringList args =
            arg.startsWith(u"--") ? QStringList{arg, path} : QStringList{"--org", arg, path};
        ASSERT_EQ(run(args), 0) << org;
        EXPECT_EQ(out, row("1000", "01", "NOP")) << org;
    }
}

TEST_F(Hc11DisTest, InstructionsAcrossPageReloads) {
    // 254 NOPs, then LDD #$1234 across the 256-byte mark, then more.
    QByteArray code(254, '\x01');
    code.append(QByteArray("\xCC\x12\x34\x86\x41", 5));
    code.append(QByteArray(300, '\x01'));
    code.append(QByteArray("\x7E\xE0\x00", 3));
    const QString path = write("long.bin", code);
    ASSERT_EQ(run({QStringLiteral("--org"), QStringLiteral("$E000"), path}), 0);
    const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 254 + 2 + 300 + 1);
    EXPECT_EQ(lines[254] + u'\n', row("E0FE", "CC 12 34", "LDD   #$1234"));
    EXPECT_EQ(lines[255] + u'\n', row("E101", "86 41", "LDAA  #$41"));
    EXPECT_EQ(lines.last() + u'\n', row("E22F", "7E E0 00", "JMP   $E000"));
}

TEST_F(Hc11DisTest, BinaryPastFFFFIsCutWithAMessage) {
    const QString path = write("long.bin", QByteArray("\x01\xCC\x55\x66", 4));
    ASSERT_EQ(run({QStringLiteral("--org"), QStringLiteral("$FFFE"), path}), 0);
    // The LDD at $FFFF takes its operand bytes from $0000 and $0001.
    EXPECT_EQ(out, row("FFFE", "01", "NOP") + row("FFFF", "CC 00 00", "LDD   #$0000"));
    EXPECT_TRUE(err.contains(u"2 bytes past $FFFF"));
}

TEST_F(Hc11DisTest, EmptyFileListsNothing) {
    const QString path = write("empty.bin", QByteArray());
    EXPECT_EQ(run({path}), 0);
    EXPECT_TRUE(out.isEmpty());
}

// A broken S-record file must not look like an empty program.
TEST_F(Hc11DisTest, SRecordFileWithoutValidRecordsIsRefused) {
    const QString path = write("bad.s19", "S106e00086413919\nS9030000FC\n");
    EXPECT_EQ(run({path}), 2);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains(u"no valid S1 record")) << err.toStdString();
}

struct BadArgs {
    QStringList args;
    const char* message;
};

TEST_F(Hc11DisTest, UnusableArgumentsExitWithTwo) {
    const QString path = write("nop.bin", QByteArray("\x01", 1));
    const std::vector<BadArgs> cases{
        {{QStringLiteral("--org"), QStringLiteral("$10000"), path}, "invalid address"},
        {{QStringLiteral("--org"), QStringLiteral("0xE000"), path}, "invalid address"},
        {{QStringLiteral("--org"), QStringLiteral("65536"), path}, "invalid address"},
        {{QStringLiteral("--org")}, "needs an address"},
        {{}, "usage"},
        {{QStringLiteral("--bogus"), path}, "unknown option"},
        {{path, path}, "only one FILE"},
        {{dir.filePath(QStringLiteral("missing.bin"))}, "cannot read"},
        {{dir.path()}, "cannot read"},
    };
    for (const BadArgs& c : cases) {
        EXPECT_EQ(run(c.args), 2) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(err.contains(QLatin1String(c.message))) << err.toStdString();
        EXPECT_TRUE(out.isEmpty());
    }
}

TEST_F(Hc11DisTest, HelpGoesToStandardOutput) {
    EXPECT_EQ(run({QStringLiteral("--help")}), 0);
    EXPECT_TRUE(out.contains(u"usage: hc11dis"));
}

TEST_F(Hc11DisTest, BuiltProgramRunsOnAFile) {
    const QString path = write("prog.s19", "S106E00086413919\nS9030000FC\n");
    QProcess process;
    process.start(QStringLiteral(HC11DIS_PATH), {path});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(QString::fromLatin1(process.readAllStandardOutput()),
              row("E000", "86 41", "LDAA  #$41") + row("E002", "39", "RTS"));

    process.start(QStringLiteral(HC11DIS_PATH), {dir.filePath(QStringLiteral("missing"))});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_FALSE(process.readAllStandardError().isEmpty());
}

} // namespace
} // namespace quorvel
