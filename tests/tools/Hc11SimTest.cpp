// hc11sim end to end: programs assembled with as11, run to an idle loop, a
// breakpoint or the step limit, with the outputs and exit statuses it promises.
#include <regex>

#include <gtest/gtest.h>

#include "ToolHarness.h"

namespace quorvel::tooltest {
namespace {

// Sums 1..10 into $40 with a subroutine, then idles.
const char* const kSum = R"(
        ORG $E000
START   LDS #$00FF
        CLR $40
        LDAA #10
LOOP    BSR ADD
        DECA
        BNE LOOP
        LDX #$1234
        LDY #$5678
DONE    BRA DONE
ADD     PSHA
        ADDA $40
        STAA $40
        PULA
        RTS
        ORG $FFFE
        FDB START
)";

std::string lastLine(const std::string& text) {
    const size_t end = text.find_last_not_of('\n');
    if (end == std::string::npos) return {};
    const size_t start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1,
                       end - (start == std::string::npos ? 0 : start + 1) + 1);
}

TEST(Hc11Sim, RunsToTheIdleLoop) {
    TempDir dir;
    const auto s19 = Assemble(dir, "sum", kSum);
    const RunResult r = RunTool({HC11SIM_EXE, "--regs", s19.string()}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    // LDS 3, CLR 6, LDAA 2, 10 x (BSR 6, PSHA 3, ADDA 3, STAA 3, PULA 4, RTS 5, DECA 2, BNE 3),
    // LDX 3, LDY 4, BRA 3
    EXPECT_EQ(lastLine(r.out), "PC=E014 A=00 B=00 X=1234 Y=5678 SP=00FF CCR=00 CYCLES=311 STEPS=86");
    EXPECT_TRUE(r.err.empty());
}

TEST(Hc11Sim, DumpsMemoryBeforeTheRegisters) {
    TempDir dir;
    const auto s19 = Assemble(dir, "sum", kSum);
    const RunResult r = RunTool({HC11SIM_EXE, "--dump", "$0038:20", "--regs", s19.string()}, dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find("PC=")), "0038: 00 00 00 00 00 00 00 00 37 00 00 00 00 00 00 00\n"
                                                  "0048: 00 00 00 00\n");
}

TEST(Hc11Sim, StopsAtABreakpoint) {
    TempDir dir;
    const auto s19 = Assemble(dir, "sum", kSum);
    // $E00B is the BNE: the first time there, ADD has run once.
    const RunResult r = RunTool({HC11SIM_EXE, "--until", "57355", "--dump", "$40:1", s19.string()}, dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0040: 0A\n");
}

TEST(Hc11Sim, ABreakpointAtTheStartStopsOnlyWhenReachedAgain) {
    TempDir dir;
    const auto s19 = Assemble(dir, "loop", R"(
        ORG $E000
START   INCA
        CMPA #3
        BNE START
DONE    BRA DONE
        ORG $FFFE
        FDB START
)");
    const RunResult r =
        RunTool({HC11SIM_EXE, "--until", "$E000", "--until", "@160024", "--regs", s19.string()}, dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("PC=E000 A=01 "), std::string::npos) << r.out;
}

TEST(Hc11Sim, TheStepLimitEndsWithStatusThree) {
    TempDir dir;
    const auto s19 = Assemble(dir, "sum", kSum);
    const RunResult r = RunTool({HC11SIM_EXE, "--steps", "5", "--regs", s19.string()}, dir);
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(lastLine(r.out).find(" STEPS=5"), std::string::npos) << r.out;
    EXPECT_NE(lastLine(r.out).find("PC=E017 "), std::string::npos) << r.out; // ADDA, in ADD
}

TEST(Hc11Sim, StartsWhereToldToAndReportsStats) {
    TempDir dir;
    const auto s19 = Assemble(dir, "sum", kSum);
    const RunResult r =
        RunTool({HC11SIM_EXE, "--pc", "%1110000000001101", "--regs", "--stats", s19.string()}, dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lastLine(r.out), "PC=E014 A=00 B=00 X=1234 Y=5678 SP=0000 CCR=00 CYCLES=10 STEPS=3");
    EXPECT_TRUE(std::regex_match(r.err, std::regex("STEPS=3 SECONDS=[0-9]+\\.[0-9]+ MIPS=[0-9]+\\.[0-9]+\n")))
        << r.err;
}

TEST(Hc11Sim, TheIoUnitWritesEveryOutputByteToTheFile) {
    TempDir dir;
    const auto s19 = Assemble(dir, "echo", R"(
        ORG $E000
START   LDX #TEXT
NEXT    LDAA 0,X
        BEQ READ
        STAA $6003
        INX
        BRA NEXT
READ    LDAA #1
        STAA $6000
        LDAB $6001
DONE    BRA DONE
TEXT    FCC /Hello/
        FCB 0
        ORG $FFFE
        FDB START
)");
    WriteText(dir / "out.txt", ">");
    const auto out = (dir / "out.txt").string();
    const RunResult r = RunTool({HC11SIM_EXE, "--io", out, "--dump", "$6000:4", s19.string()}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(dir / "out.txt"), ">Hello");
    // $6000 cleared by the load from $6001, $6002 set by the stores to $6003.
    EXPECT_EQ(r.out, "6000: 00 00 01 6F\n");

    const RunResult plain = RunTool({HC11SIM_EXE, "--dump", "$6000:4", s19.string()}, dir);
    EXPECT_EQ(plain.out, "6000: 01 00 00 6F\n"); // without the unit: plain memory
}

// Each byte waits on the input unit until the program has taken the one before.
TEST(Hc11Sim, InputBytesAreEnteredOneAtATime) {
    TempDir dir;
    const auto s19 = Assemble(dir, "double", R"(
        ORG $E000
START   LDAB #3
WAIT    LDAA $6000
        BEQ WAIT
        LDAA $6001
        ASLA
        STAA $6003
        DECB
        BNE WAIT
DONE    BRA DONE
        ORG $FFFE
        FDB START
)");
    const auto out = (dir / "out.bin").string();
    const RunResult r = RunTool(
        {HC11SIM_EXE, "--io", out, "--in", "1,$20", "--in", "%1000000", "--dump", "$6000:2", s19.string()},
        dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(dir / "out.bin"), std::string("\x02\x40\x80"));
    EXPECT_EQ(r.out, "6000: 00 40\n"); // the last byte taken, nothing pending

    // Without --io the input still reaches the program; a fourth read would wait forever.
    const RunResult starved = RunTool({HC11SIM_EXE, "--in", "1,2", "--steps", "5000", s19.string()}, dir);
    EXPECT_EQ(starved.status, 3);
    for (const char* bad : {"256", "1,,2", "x"}) {
        const RunResult refused = RunTool({HC11SIM_EXE, "--in", bad, s19.string()}, dir);
        EXPECT_EQ(refused.status, 2) << bad;
        EXPECT_NE(refused.err.find("invalid byte list"), std::string::npos) << refused.err;
    }
}

TEST(Hc11Sim, RtiContinuesAtTheStackedPc) {
    TempDir dir;
    const auto s19 = Assemble(dir, "rti", R"(
        ORG $E000
START   LDS #$00FF
        LDX #BACK
        PSHX
        LDX #$1111
        PSHX
        LDX #$2222
        PSHX
        LDAA #$33
        PSHA
        LDAA #$44
        PSHA
        LDAA #$C0
        PSHA
        RTI
WRONG   BRA WRONG
BACK    LDAB #1
DONE    BRA DONE
        ORG $FFFE
        FDB START
)");
    const RunResult r = RunTool({HC11SIM_EXE, "--regs", s19.string()}, dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lastLine(r.out).rfind("PC=E01D A=33 B=01 X=2222 Y=1111 SP=00FF CCR=C0 ", 0), 0u) << r.out;
}

TEST(Hc11Sim, BadInputGivesStatusTwoAndOneLine) {
    TempDir dir;
    WriteText(dir / "empty.s19", "S9030000FC\n");
    const auto s19 = Assemble(dir, "sum", kSum);
    const std::vector<std::vector<std::string>> cases{
        {HC11SIM_EXE, (dir / "missing.s19").string()},
        {HC11SIM_EXE, (dir / "empty.s19").string()},
        {HC11SIM_EXE, "--frobnicate", s19.string()},
        {HC11SIM_EXE, "--until", "$10000", s19.string()},
        {HC11SIM_EXE, "--steps", "many", s19.string()},
        {HC11SIM_EXE, "--dump", "$E000", s19.string()},
        {HC11SIM_EXE, "--pc"},
        {HC11SIM_EXE},
        {HC11SIM_EXE, s19.string(), s19.string()},
        {HC11SIM_EXE, "--io", (dir / "no/such/dir/out").string(), s19.string()},
    };
    for (const auto& argv : cases) {
        const RunResult r = RunTool(argv, dir);
        EXPECT_EQ(r.status, 2) << argv.back();
        EXPECT_TRUE(r.out.empty()) << argv.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("hc11sim: ", 0), 0u) << r.err;
    }
}

TEST(Hc11Sim, AtMostThirtyTwoBreakpoints) {
    TempDir dir;
    const auto s19 = Assemble(dir, "sum", kSum);
    std::vector<std::string> argv{HC11SIM_EXE};
    for (int i = 0; i < 33; ++i) {
        argv.push_back("--until");
        argv.push_back(std::to_string(0x8000 + i));
    }
    argv.push_back(s19.string());
    EXPECT_EQ(RunTool(argv, dir).status, 2);
    argv.erase(argv.end() - 3, argv.end() - 1);
    EXPECT_EQ(RunTool(argv, dir).status, 0);
}

} // namespace
} // namespace quorvel::tooltest
