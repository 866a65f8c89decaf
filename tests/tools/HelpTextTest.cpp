// Every tool's --help: printed on standard output with exit status 0, and it
// names every option the tool accepts.
#include <gtest/gtest.h>

#include "ToolHarness.h"

namespace quorvel::tooltest {
namespace {

struct ToolHelp {
    const char* exe;
    const char* usage;
    std::vector<std::string> options;
};

class HelpText : public testing::TestWithParam<ToolHelp> {};

TEST_P(HelpText, NamesEveryOption) {
    const ToolHelp& tool = GetParam();
    TempDir dir;
    for (const char* help : {"--help", "-h"}) {
        const RunResult r = RunTool({tool.exe, help}, dir);
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_EQ(r.err, "") << help;
        EXPECT_EQ(r.out.rfind(tool.usage, 0), 0u) << r.out;
        for (const std::string& option : tool.options)
            EXPECT_NE(r.out.find("  " + option + ' '), std::string::npos) << option << " missing in\n"
                                                                          << r.out;
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, HelpText,
                         testing::Values(ToolHelp{AS11_EXE, "usage: as11 ", {"-o", "-l", "-e", "-h, --help"}},
                                         ToolHelp{HC11DIS_EXE, "usage: hc11dis ", {"--org", "-h, --help"}},
                                         ToolHelp{HC11SIM_EXE,
                                                  "usage: hc11sim ",
                                                  {"--pc", "--until", "--steps", "--io", "--in", "--dump",
                                                   "--regs", "--stats", "-h, --help"}},
                                         ToolHelp{HC11BOARD_EXE,
                                                  "usage: hc11board ",
                                                  {"--link", "--drop-every", "--corrupt-every", "--delay-ms",
                                                   "--erase-fails", "-h, --help"}}));

} // namespace
} // namespace quorvel::tooltest
