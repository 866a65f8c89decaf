// The error file's line rule, the names of the result files and the summary text.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "QStringPrinting.h"
#include "codetools/AssemblerRun.h"
#include "codetools/ErrorList.h"
#include "codetools/FrameAssembler.h"

namespace quorvel::test {
namespace {

TEST(ErrorLineTest, OnlyADecimalLineNumberBeforeTheFirstColonCounts) {
    const struct {
        const char* Line;
        int32_t Number;
    } cases[] = {
        {"12: undefined symbol LOOP2", 12},
        {"12:", 12},
        {"1:x", 1},
        {"00012: leading zeros", 12},
        {"65535: the highest", 65535},
        {"12:3: a colon in the message", 12},
        {" 12: a blank before the number", -1},
        {"12 : a blank after the number", -1},
        {"0: line zero", -1},
        {"00000: line zero", -1},
        {"65536: above the word range", -1},
        {"123456: six digits", -1},
        {"no colon at all", -1},
        {"12 no colon", -1},
        {": no number", -1},
        {"$C: hexadecimal", -1},
        {"%1100: binary", -1},
        {"@14: octal", -1},
        {"-1: negative", -1},
        {"+12: signed", -1},
        {"1a: not a number", -1},
        {"prog.asm:12: as a compiler writes it", -1},
        {"", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorLineNumber(QString::fromUtf8(c.Line)), c.Number) << c.Line;
}

TEST(ErrorLineTest, EntriesKeepTheWholeLineAndTheFileOrder) {
    int lines = 0;
    const std::vector<ErrorListEntry> entries =
        ErrorEntries("7: second\r\nnoise\n 3: indented\n2: first\n\n40000: far\n", [&lines] { ++lines; });
    ASSERT_EQ(entries.size(), 3U);
    EXPECT_EQ(entries[0].Line, 7);
    EXPECT_EQ(entries[0].Text, "7: second");
    EXPECT_EQ(entries[1].Line, 2);
    EXPECT_EQ(entries[1].Text, "2: first");
    EXPECT_EQ(entries[2].Line, 40000);
    EXPECT_EQ(entries[2].Text, "40000: far");
    EXPECT_GE(lines, 6); // after every line, accepted or not
}

TEST(ErrorLineTest, AFileThatCannotBeReadSaysWhy) {
    std::vector<ErrorListEntry> entries{{1, "kept"}};
    QString why;
    EXPECT_FALSE(ReadErrorFile("/nonexistent/prog.err", entries, why));
    EXPECT_FALSE(why.isEmpty());
}

TEST(ResultNamesTest, TheNameIsSplitAtTheLastDot) {
    const struct {
        const char* Source;
        const char* Stem;
    } cases[] = {{"prog.asm", "prog"}, {"prog.old.asm", "prog.old"}, {"prog", "prog"}, {"PROG.ASM", "PROG"}};
    for (const auto& c : cases) {
        const ResultNames names = ResultNamesOf(QString::fromUtf8(c.Source));
        const QString stem = QString::fromUtf8(c.Stem);
        EXPECT_EQ(names.SymbolFileTitle, stem + ".lst") << c.Source;
        EXPECT_EQ(names.ErrorFileName, stem + ".err") << c.Source;
        EXPECT_EQ(names.DownloadFileName, stem + ".s19") << c.Source;
    }
}

TEST(ResultNamesTest, ASourceNamedLikeOneOfItsResultsWouldBeOverwritten) {
    for (const char* source : {"prog.lst", "prog.err", "prog.s19", "a.b.lst"})
        EXPECT_TRUE(ResultReplacesSource(QString::fromUtf8(source))) << source;
    for (const char* source : {"prog.asm", "prog", "prog.LST", "prog.txt", "lst"})
        EXPECT_FALSE(ResultReplacesSource(QString::fromUtf8(source))) << source;
}

TEST(ResultNamesTest, DownloadOffersOnlyTheMachineCodeOfThisRun) {
    QTemporaryDir source;
    const QString s19 = QDir(source.path()).filePath("prog.s19");
    const struct {
        bool started, finished, sRecords, fileThere;
        bool offered;
    } rows[] = {
        {false, false, false, true, false}, // the tools are missing
        {true, false, false, true, false},  // asm.sh never finished: the file is an earlier run's
        {true, true, true, true, true},
        {true, true, false, false, true}, // no machine code this time, and the old one is gone
        {true, true, false, true, false}, // the old one could not be removed
    };
    for (const auto& row : rows) {
        QFile::remove(s19);
        if (row.fileThere) {
            QFile file(s19);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        AssembleOutcome out;
        out.Started = row.started;
        out.Finished = row.finished;
        out.SRecords = row.sRecords;
        out.Names = ResultNamesOf("prog.asm");
        EXPECT_EQ(MachineCodeToDownload(out, source.path()), row.offered ? s19 : QString())
            << int(&row - rows);
    }
}

TEST(ResultNamesTest, TheSummaryNamesTheThreeFiles) {
    EXPECT_EQ(AssemblingDoneText("prog.old.asm", ResultNamesOf("prog.old.asm")),
              "Assembly Source:\tprog.old.asm\nListing (Symbol):\tprog.old.lst\nMachine Code:\tprog.old.s19");
}

} // namespace
} // namespace quorvel::test
