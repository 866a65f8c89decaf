// A listing written by the project's assembler loads with every label at its address.
#include <array>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ListingText.h"
#include "codetools/LabelList.h"
#include "codetools/ListingLoader.h"
#include "frame/NumberText.h"

namespace quorvel::test {
namespace {

const char* const kProgram = "* A small program for the listing test\n"
                             "REGS\tEQU\t$1000\n"
                             "\tORG\t$E000\n"
                             "START\tLDS\t#$00FF\n"
                             "        LDAA    #$41\n"
                             "LOOP:\tDECA\n"
                             "\tBNE\tLOOP\n"
                             "\tJSR\tSUB\n"
                             "\tBRA\tSTART\n"
                             "SUB     LDX     #TABLE\n"
                             "        RTS\n"
                             "TABLE   FCB     1,2,3,4,5,6,7\n"
                             "MSG     FCC     /HELLO/\n"
                             "WORDS   fdb     $1234,START\n"
                             "BUF     RMB     4\n"
                             "lower   NOP\n"
                             "DONE:\n"
                             "        ORG     $FFFE\n"
                             "        FDB     START\n"
                             "        END\n";

struct Assembled {
    QTemporaryDir folder;
    QString listing;
    SymbolTable table;
};

void Assemble(Assembled& out) {
    ASSERT_TRUE(out.folder.isValid());
    const QString source = WriteFile(out.folder.path(), "prog.asm", kProgram);
    out.listing = out.folder.filePath("prog.lst");
    QProcess as11;
    as11.start(QStringLiteral(AS11_EXE), {"-l", out.listing, source});
    ASSERT_TRUE(as11.waitForFinished(30000));
    ASSERT_EQ(as11.exitCode(), 0) << as11.readAllStandardError().constData();
    QString error;
    ASSERT_TRUE(LoadListingFile(out.listing, out.table, error)) << qPrintable(error);
}

TEST(As11ListingTest, EveryLabelIsAtItsAddress) {
    Assembled a;
    Assemble(a);
    if (HasFatalFailure()) return;
    const struct {
        const char* Name;
        int32_t Address;
    } labels[] = {{"REGS", 0x1000}, {"START", 0xE000}, {"LOOP", 0xE005}, {"SUB", 0xE00D}, {"TABLE", 0xE011},
                  {"MSG", 0xE018},  {"WORDS", 0xE01D}, {"BUF", 0xE021},  {"DONE", 0xE026}};
    for (const auto& label : labels) {
        QString name = label.Name;
        EXPECT_EQ(a.table.SymbolValue(name), label.Address) << label.Name;
    }
    // The label written in lower case is listed, but cannot be found by name.
    QString lower = "lower";
    EXPECT_EQ(a.table.SymbolValue(lower), -1);
    const std::vector<LabelItem> items = LabelItems(a.table, kUnsorted);
    ASSERT_EQ(items.size(), 10U);
    EXPECT_EQ(items[8].Label, u"lower");
    EXPECT_EQ(items[8].Address, 0xE025);
}

TEST(As11ListingTest, CodeLinesCarryTheirBytesAndSource) {
    Assembled a;
    Assemble(a);
    if (HasFatalFailure()) return;
    const std::array<uint8_t, 3> lds{0x8E, 0x00, 0xFF};
    const ListingLine* start = a.table.ListedCode(0xE000, lds);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->Label, u"START");
    EXPECT_EQ(start->Source, ExpandTabs(QString(27, ' ') + "START\tLDS\t#$00FF").mid(27));
    const std::array<uint8_t, 2> bne{0x26, 0xFD};
    const ListingLine* branch = a.table.ListedCode(0xE006, bne);
    ASSERT_NE(branch, nullptr);
    EXPECT_TRUE(branch->Label.isEmpty());
    // Data directives list no bytes, whatever their case, and their continuation lines are skipped.
    for (const int32_t data : {0xE011, 0xE018, 0xE01D}) {
        for (const ListingLine& line : a.table.ListingLines())
            if (line.Address == data) {
                EXPECT_EQ(line.ByteCount, 0) << std::hex << data;
            }
    }
    for (const ListingLine& line : a.table.ListingLines())
        EXPECT_NE(line.Address, 0xE016) << "continuation line taken";
}

} // namespace
} // namespace quorvel::test
