// The programs in examples/: each assembles cleanly with as11 and runs under
// hc11sim to its idle loop with the result its header states.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ToolHarness.h"

namespace quorvel::tooltest {
namespace {

struct Example {
    const char* Name;
    std::vector<std::string> Options; // "OUT" stands for the I/O unit's output file
    const char* Output;               // hc11sim's standard output
    std::string Written;              // bytes the program wrote to $6003
};

std::ostream& operator<<(std::ostream& os, const Example& e) {
    return os << e.Name;
}

class Examples : public ::testing::TestWithParam<Example> {};

TEST_P(Examples, AssembleAndRunToTheStatedResult) {
    const Example& example = GetParam();
    TempDir dir;
    const std::filesystem::path source =
        std::filesystem::path(EXAMPLES_DIR) / (std::string(example.Name) + ".asm");
    const std::string s19 = (dir / (std::string(example.Name) + ".s19")).string();
    const RunResult assembled = RunTool({AS11_EXE, "-o", s19, "-l", (dir / "out.lst").string(), "-e",
                                         (dir / "out.err").string(), source.string()},
                                        dir);
    ASSERT_EQ(assembled.status, 0) << assembled.out << assembled.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.err"));

    std::vector<std::string> argv{HC11SIM_EXE};
    for (const std::string& option : example.Options)
        argv.push_back(option == "OUT" ? (dir / "io.out").string() : option);
    argv.push_back(s19);
    const RunResult run = RunTool(argv, dir);
    EXPECT_EQ(run.status, 0) << run.err; // stopped at its idle loop
    EXPECT_EQ(run.out, example.Output);
    if (!example.Written.empty()) {
        EXPECT_EQ(ReadText(dir / "io.out"), example.Written);
    }
}

std::string Counting(int count) {
    std::string bytes;
    for (int i = 1; i <= count; ++i)
        bytes.push_back(static_cast<char>(i));
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    All, Examples,
    ::testing::Values(Example{"leds",
                              {"--io", "OUT", "--regs"},
                              "PC=E00E A=20 B=00 X=0000 Y=0000 SP=01FF CCR=04 CYCLES=960808 STEPS=320227\n",
                              Counting(32)},
                      Example{"echo",
                              {"--io", "OUT", "--in", "5,$41,200,0", "--regs"},
                              "PC=E014 A=00 B=03 X=0000 Y=0000 SP=01FF CCR=04 CYCLES=95 STEPS=29\n",
                              std::string("\x05\x41\xC8\x00", 4)},
                      Example{"bcd", {"--dump", "$0100:10"}, "0100: 35 31 32 33 34 30 36 30 38 34\n", {}},
                      Example{"table", {"--dump", "$0040:3"}, "0040: 03 04 6E\n", {}},
                      Example{
                          "hello",
                          {"--dump", "$102F:1", "--regs"},
                          "102F: 0A\nPC=E015 A=00 B=00 X=1000 Y=E03C SP=01FF CCR=04 CYCLES=617 STEPS=134\n",
                          {}},
                      Example{"ports",
                              {"--dump", "$1000:40"},
                              "1000: 00 00 00 3C A5 00 00 FF 00 00 00 00 00 00 00 00\n"
                              "1010: 00 00 00 00 00 00 00 00 03 E8 00 00 00 00 00 00\n"
                              "1020: 40 00 00 00 03 00 00 00\n",
                              {}}),
    [](const ::testing::TestParamInfo<Example>& param) { return std::string(param.param.Name); });

} // namespace
} // namespace quorvel::tooltest
