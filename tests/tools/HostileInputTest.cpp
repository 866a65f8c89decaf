// hc11sim and hc11dis on files that must not be read, or that load only in
// part: the exit status and the message on stderr.
#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "ToolHarness.h"

namespace quorvel::tooltest {
namespace {

TEST(HostileInput, RefusedOrReported) {
    TempDir dir;
    const std::string big = (dir / "big.s19").string();
    WriteText(big, "");
    std::filesystem::resize_file(big, 17 * 1024 * 1024); // sparse
    const std::string fifo = (dir / "fifo.s19").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string partly = (dir / "partly.s19").string();
    // $01 at $E000 (the "G" is skipped), an idle loop at $E001, the reset vector.
    WriteText(partly, "S00600004844521B\nS104E000G11A\nS105E00120FEFB\nhello\nS105FFFEE0001D\nS9030000FC\n");
    const std::string none = (dir / "none.s19").string();
    WriteText(none, "S105e000864153\nS9030000FC\n");

    struct Case {
        std::vector<std::string> argv;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{HC11SIM_EXE, "--steps", "1", big}, 2, "cannot read " + big + ": Larger than 16 MiB"},
        {{HC11SIM_EXE, "--steps", "1", fifo}, 2, "cannot read " + fifo + ": Not a regular file"},
        {{HC11SIM_EXE, "--steps", "1", "/dev/zero"}, 2, "Not a regular file"},
        {{HC11SIM_EXE, none}, 2, "no valid S1 record"},
        {{HC11SIM_EXE, partly}, 0, "2 lines ignored or malformed, the first is line 2"},
        {{HC11DIS_EXE, big}, 2, "cannot read " + big + ": Larger than 16 MiB"},
        {{HC11DIS_EXE, fifo}, 2, "cannot read " + fifo + ": Not a regular file"},
        {{HC11DIS_EXE, "--org", "$FFFF", "/dev/zero"}, 2, "Not a regular file"},
        {{HC11DIS_EXE, none}, 2, "hc11dis: " + none + ": no valid S1 record"},
        {{HC11DIS_EXE, partly},
         0,
         "hc11dis: " + partly + ": 2 lines ignored or malformed, the first is line 2"},
    };
    for (const Case& c : cases) {
        const RunResult r = RunTool(c.argv, dir);
        EXPECT_EQ(r.status, c.status) << c.argv.back() << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

} // namespace
} // namespace quorvel::tooltest
