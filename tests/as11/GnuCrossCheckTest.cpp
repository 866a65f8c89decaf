// Code bytes compared with GNU as for the 68HC11, an independent assembler,
// on a program holding every instruction in every addressing mode.
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(As11GnuCrossCheck, EveryInstructionMatchesGnuAs) {
    const std::string gnuAs = as11test::findInPath("m68hc11-as");
    const std::string objcopy = as11test::findInPath("m68hc11-objcopy");
    if (gnuAs.empty() || objcopy.empty()) GTEST_SKIP() << "m68hc11-as / m68hc11-objcopy not installed";

    const std::vector<as11test::OpcodeLine> lines = as11test::everyOpcodeLine();
    std::string motorola, gnu = "\t.text\n";
    for (const auto& l : lines) {
        motorola += l.motorola + "\n";
        gnu += l.gnu + "\n";
    }
    as11test::TempDir dir;
    as11test::writeText(dir / "all.s", gnu);
    // -S: keep out-of-range branches an error instead of rewriting them.
    ASSERT_EQ(as11test::run({gnuAs, "-S", "-o", (dir / "all.o").string(), (dir / "all.s").string()}), 0);
    ASSERT_EQ(as11test::run({objcopy, "-O", "binary", "-j", ".text", (dir / "all.o").string(),
                             (dir / "all.bin").string()}),
              0);
    const std::string gnuBytes = as11test::readText(dir / "all.bin");

    const as11::Program ours = as11::assembleProgram(motorola);
    ASSERT_TRUE(ours.errors.empty()) << as11::formatErrors(ours.errors);
    ASSERT_EQ(ours.code.size(), gnuBytes.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const as11test::Bytes mine = as11test::lineBytes(ours, i);
        const std::size_t at = ours.lines[i].codeBegin;
        const as11test::Bytes theirs(gnuBytes.begin() + static_cast<std::ptrdiff_t>(at),
                                     gnuBytes.begin() + static_cast<std::ptrdiff_t>(at + mine.size()));
        EXPECT_EQ(mine, theirs) << lines[i].motorola << "  /  " << lines[i].gnu;
    }
}

} // namespace
