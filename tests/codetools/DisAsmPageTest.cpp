// The rows of the disassembly window without the window: texts, markers,
// listing sources, and the page starts the scroll keys choose.
#include <vector>

#include <gtest/gtest.h>

#include "ListingText.h"
#include "codetools/DisAsmPage.h"
#include "codetools/DisAsmScroll.h"
#include "codetools/ListingParser.h"
#include "target/CcrFlags.h"
#include "target/ImageTarget.h"

namespace quorvel::test {
namespace {

struct Page {
    TargetState state;
    ImageTarget target{state};
    Disassembler disassembler{state, target};
    SymbolTable symbols;
    DisAsmPageRenderer renderer{state, disassembler, symbols};
    DisAsmRows rows;

    void Code(int32_t address, std::vector<uint8_t> code) { target.Programm(address, code); }
    void Load(int32_t address) {
        state.ProgramPageAddress = address;
        target.InProgram();
    }
    int Render(int32_t from, DisAsmOptions options = {}, std::vector<int32_t> breakpoints = {}) {
        return renderer.Render(from, options, breakpoints, rows);
    }
    void Flags(uint8_t ccr) {
        state.RegCCR = ccr;
        UnpackCCR(state);
    }
};

constexpr uint8_t kFlagZ = 0x04;
constexpr DisAsmOptions kCodeOff{false, false};
constexpr DisAsmOptions kCodeOn{true, false};

TEST(DisAsmPageTest, RowTextWithCodeOff) {
    Page p;
    p.Code(0xE000, {0x86, 0x41});
    p.Load(0xE000);
    p.state.RegPC = 0x0100;
    ASSERT_EQ(p.Render(0xE000, kCodeOff), kDisAsmRows);
    EXPECT_EQ(p.rows[0].Address, 0xE000);
    EXPECT_EQ(p.rows[0].Text, " $E000:   LDAA  #$41");
    EXPECT_EQ(p.rows[1].Address, 0xE002);
    EXPECT_EQ(p.rows[1].Text, " $E002:   ???");
}

TEST(DisAsmPageTest, RowTextWithCodeOn) {
    Page p;
    p.Code(0xE000, {0x01, 0x18, 0xCE, 0x00, 0x10});
    p.Load(0xE000);
    p.state.RegPC = 0x0100;
    p.Render(0xE000, kCodeOn);
    // A one-byte instruction: its byte field, then 12 filler blanks before the marker.
    EXPECT_EQ(p.rows[0].Text, " $E000: 01 " + QString(12, ' ') + "  NOP");
    EXPECT_EQ(p.rows[1].Text, " $E001: 18 CE 00 10      LDY   #$0010");
}

TEST(DisAsmPageTest, BranchMarkersOnThePCRow) {
    Page p;
    // BNE back to $E000 at $E010; BRA to itself at $E020; BRA forward at $E030; JMP at $E040.
    p.Code(0xE010, {0x26, 0xEE});
    p.Code(0xE020, {0x20, 0xFE});
    p.Code(0xE030, {0x20, 0x10});
    p.Code(0xE040, {0x7E, 0xE0, 0x40});
    p.Load(0xE000);
    const auto pcRow = [&p](int32_t pc) {
        p.state.RegPC = pc;
        p.Render(pc, kCodeOff);
        EXPECT_TRUE(p.rows[0].PC);
        EXPECT_FALSE(p.rows[1].PC);
        return p.rows[0].Text.at(8);
    };
    p.Flags(0x00); // Z clear: BNE taken, below the PC
    EXPECT_EQ(pcRow(0xE010), u'-');
    p.Flags(kFlagZ);
    EXPECT_EQ(pcRow(0xE010), u' ');
    EXPECT_EQ(pcRow(0xE020), QChar(0x00B1));
    EXPECT_EQ(pcRow(0xE030), u'+');
    EXPECT_EQ(pcRow(0xE040), QChar(0x00B1));
    // Other rows never carry a marker.
    p.state.RegPC = 0xE000;
    p.Render(0xE010, kCodeOff);
    EXPECT_EQ(p.rows[0].Text.at(8), u' ');
}

TEST(DisAsmPageTest, MarkerHelper) {
    EXPECT_EQ(BranchMarker(0x100, true, 0x101), u'+');
    EXPECT_EQ(BranchMarker(0x100, true, 0x0FF), u'-');
    EXPECT_EQ(BranchMarker(0x100, true, 0x100), kMarkerSame);
    EXPECT_EQ(BranchMarker(0x100, false, 0x0FF), u' ');
}

TEST(DisAsmPageTest, BreakpointsAndThePCAreMarked) {
    Page p;
    p.Load(0xE000); // all $00: one byte each
    p.state.RegPC = 0x1E002;
    p.Render(0xE000, kCodeOff, {0xE001, 0xE003});
    EXPECT_EQ(p.state.RegPC, 0xE002); // reduced modulo 65536
    EXPECT_FALSE(p.rows[0].Breakpoint);
    EXPECT_TRUE(p.rows[1].Breakpoint);
    EXPECT_TRUE(p.rows[2].PC);
    EXPECT_TRUE(p.rows[3].Breakpoint);
}

TEST(DisAsmPageTest, IncludeSymbolsShowsTheListingWhileMemoryMatches) {
    Page p;
    p.symbols = ParseListing(ListingFile({ListingLineText(1, 0xE000, {0x86, 0x41}, "START    LDAA #'A"),
                                          ListingLineText(2, 0xE002, {0x01}, "         NOP")}));
    p.Code(0xE000, {0x86, 0x41, 0x01});
    p.Load(0xE000);
    p.state.RegPC = 0;
    p.Render(0xE000, {true, true});
    EXPECT_EQ(p.rows[0].Text, " $E000: 86 41            START    LDAA #'A");
    EXPECT_EQ(p.rows[1].Text, " $E002: 01                        NOP");
    // Without Include Symbols the disassembly shows.
    p.Render(0xE000, {true, false});
    EXPECT_EQ(p.rows[0].Text, " $E000: 86 41            LDAA  #$41");
    // Memory no longer holds the listed bytes: the disassembly shows again.
    p.Code(0xE001, {0x42});
    p.Load(0xE000);
    p.Render(0xE000, {false, true});
    EXPECT_EQ(p.rows[0].Text, " $E000:   LDAA  #$42");
    EXPECT_EQ(p.rows[1].Text, " $E002:            NOP");
}

TEST(DisAsmPageTest, OnlyRowsInsideThePageAreRendered) {
    Page p;
    p.Load(0xE000);
    // 50 one-byte rows fit from anywhere up to index 206.
    EXPECT_EQ(p.Render(0xE000 + 206), 50);
    EXPECT_EQ(p.Render(0xE000 + 250), 6);
    EXPECT_EQ(p.rows[5].Address, 0xE0FF);
    EXPECT_TRUE(p.rows[6].Text.isEmpty());
    // An instruction that would run past the page end is not rendered.
    p.Code(0xE0FE, {0xCE, 0x12, 0x34});
    p.Load(0xE000);
    EXPECT_EQ(p.Render(0xE0FA), 4);
    // A start outside the page renders nothing.
    EXPECT_EQ(p.Render(0xD000), 0);
}

TEST(DisAsmPageTest, RowsRunAcrossTheTopOfMemory) {
    Page p;
    p.Code(0xFFFE, {0xCE, 0x12, 0x34});
    p.Load(0xFFF0);
    EXPECT_EQ(p.Render(0xFFFE, kCodeOff), 50);
    EXPECT_EQ(p.rows[0].Text, " $FFFE:   LDX   #$1234");
    EXPECT_EQ(p.rows[1].Address, 0x0001);
}

TEST(DisAsmPageTest, UpFindsTheInstructionThatEndsAtTheOldFirstRow) {
    // Old first row $E010; the page is loaded from $E00B.
    struct Case {
        std::vector<uint8_t> Before; // $E00B..$E00F
        int32_t Start;
    } cases[] = {
        {{0x18, 0x1E, 0x05, 0x80, 0xF0}, 0xE00B}, // a five-byte instruction at old - 5
        {{0x01, 0x18, 0xCE, 0x00, 0x10}, 0xE00C}, // four bytes at old - 4
        {{0x01, 0x01, 0xCE, 0x12, 0x34}, 0xE00D}, // three bytes at old - 3
        {{0x01, 0x01, 0x01, 0x86, 0x41}, 0xE00E}, // two bytes at old - 2
        {{0x01, 0x01, 0x01, 0x01, 0x01}, 0xE00F}, // none: old - 1
        {{0x01, 0x01, 0x86, 0x01, 0x01}, 0xE00F}, // none ends there: old - 1
    };
    for (const Case& c : cases) {
        Page p;
        p.Code(0xE00B, c.Before);
        p.Load(0xE00B);
        EXPECT_EQ(p.renderer.UpStart(0xE010), c.Start) << std::hex << c.Start;
    }
}

TEST(DisAsmPageTest, UpAtTheBottomOfMemoryWraps) {
    Page p;
    p.Code(0xFFFE, {0x86, 0x41});
    p.Load(0xFFFB);
    EXPECT_EQ(p.renderer.UpStart(0x0000), 0xFFFE);
}

TEST(DisAsmPageTest, RowsBackRepeatTheUpStepOnOnePage) {
    // Before $E010: LDY #$0010 at $E008, NOP at $E00C, LDX #$1234 at $E00D.
    const std::vector<uint8_t> code = {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x18,
                                       0xCE, 0x00, 0x10, 0x01, 0xCE, 0x12, 0x34};
    const struct {
        int Rows;
        int32_t Page;
        int32_t Start;
    } cases[] = {{1, 0xE00B, 0xE00D}, {2, 0xE006, 0xE00C}, {3, 0xE001, 0xE008}};
    for (const auto& c : cases) {
        Page p;
        p.Code(0xE001, code);
        EXPECT_EQ(RowsBackPage(0xE010, c.Rows), c.Page) << c.Rows;
        p.Load(RowsBackPage(0xE010, c.Rows));
        EXPECT_EQ(RowsBackStart(p.renderer, 0xE010, c.Rows), c.Start) << c.Rows;
        // The same as Up pressed c.Rows times, each with its own page.
        int32_t first = 0xE010;
        for (int i = 0; i < c.Rows; ++i) {
            p.Load(RowsBackPage(first, 1));
            first = p.renderer.UpStart(first);
        }
        EXPECT_EQ(first, c.Start) << c.Rows;
    }
    // Back across $0000 through one-byte instructions.
    Page p;
    p.Code(0xFFF0, std::vector<uint8_t>(16, 0x01));
    p.Code(0x0000, {0x01, 0x01});
    EXPECT_EQ(RowsBackPage(0x0001, 3), 0xFFF2);
    p.Load(0xFFF2);
    EXPECT_EQ(RowsBackStart(p.renderer, 0x0001, 3), 0xFFFE);
}

TEST(DisAsmPageTest, PageUpLeavesTheOldFirstRowLast) {
    Page p;
    // One-byte instructions everywhere, a three-byte one at $E0F0.
    p.Code(0xE000, std::vector<uint8_t>(256, 0x01));
    p.Code(0xE0F0, {0xCE, 0x12, 0x34});
    p.Load(0xE00A);
    // Old first row $E0F3, 10 visible rows.
    const int32_t start = p.renderer.PageUpStart(0xE0F3, 10);
    EXPECT_EQ(start, 0xE0E8);
    p.Render(start);
    EXPECT_EQ(p.rows[9].Address, 0xE0F3);
    // One visible row: the old first row stays.
    EXPECT_EQ(p.renderer.PageUpStart(0xE0F3, 1), 0xE0F3);
}

TEST(DisAsmPageTest, PageUpFindsTheBoundaryAcrossTheTopOfMemory) {
    Page p;
    // Three-byte instructions from $FF07 on, across $FFFF; the page starts at $FF06.
    std::vector<uint8_t> code;
    for (int i = 0; i < 90; ++i)
        code.insert(code.end(), {0xCE, 0x00, 0x00});
    p.Code(0xFF07, code);
    p.Load(0xFF06);
    // Old first row $0000 (= $FF06 + 250), 5 visible rows.
    const int32_t start = p.renderer.PageUpStart(0x0000, 5);
    EXPECT_EQ(start, 0xFFF4);
    p.Render(start);
    EXPECT_EQ(p.rows[4].Address, 0x0000);
}

} // namespace
} // namespace quorvel::test
