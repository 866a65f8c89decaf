// The as11 program: output names, exit status, the error file's lifetime.
#include "FileJob.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using as11test::readText;
using as11test::run;
using as11test::writeText;

const std::string kGood = " ORG $E000\nSTART LDAA #1\n END START\n";
const std::string kBad = " ORG $E000\n LDAA NOWHERE\n";

class As11CommandLine : public testing::Test {
protected:
    int as11(const std::vector<std::string>& args) {
        std::vector<std::string> argv{AS11_EXE};
        argv.insert(argv.end(), args.begin(), args.end());
        return run(argv, (dir / "stdout").string(), (dir / "stderr").string());
    }
    std::string out() { return readText(dir / "stdout"); }
    std::string err() { return readText(dir / "stderr"); }
    as11test::TempDir dir;
};

TEST_F(As11CommandLine, DefaultNamesSplitAtTheLastDot) {
    writeText(dir / "prog.old.asm", kGood);
    EXPECT_EQ(as11({(dir / "prog.old.asm").string()}), 0);
    EXPECT_TRUE(fs::exists(dir / "prog.old.lst"));
    EXPECT_TRUE(fs::exists(dir / "prog.old.s19"));
    EXPECT_FALSE(fs::exists(dir / "prog.old.err"));
    EXPECT_EQ(readText(dir / "prog.old.s19"), "S105E000860193\nS903E0001C\n");
    EXPECT_EQ(out(), ""); // quiet on success
    EXPECT_EQ(err(), "");
}

TEST_F(As11CommandLine, NameWithoutADotGetsTheExtensionAppended) {
    writeText(dir / "prog", kGood);
    EXPECT_EQ(as11({(dir / "prog").string()}), 0);
    EXPECT_TRUE(fs::exists(dir / "prog.lst"));
    EXPECT_TRUE(fs::exists(dir / "prog.s19"));
}

TEST_F(As11CommandLine, DefaultOutputPaths) {
    EXPECT_EQ(as11::defaultOutputPaths("a/b.c/prog").listing, "a/b.c/prog.lst");
    EXPECT_EQ(as11::defaultOutputPaths("a/b.c/prog.x.asm").srecords, "a/b.c/prog.x.s19");
    EXPECT_EQ(as11::defaultOutputPaths("prog.").errors, "prog.err");
}

TEST_F(As11CommandLine, ErrorsGiveStatusOneAndAnErrorFile) {
    writeText(dir / "bad.asm", kBad);
    EXPECT_EQ(as11({(dir / "bad.asm").string()}), 1);
    EXPECT_EQ(readText(dir / "bad.err"), "2: undefined symbol NOWHERE\n");
    EXPECT_TRUE(fs::exists(dir / "bad.lst"));
    EXPECT_TRUE(fs::exists(dir / "bad.s19"));
    EXPECT_NE(err().find(":2: undefined symbol NOWHERE"), std::string::npos);
    EXPECT_EQ(out(), "");
}

TEST_F(As11CommandLine, StaleErrorFileIsRemoved) {
    writeText(dir / "p.asm", kBad);
    EXPECT_EQ(as11({(dir / "p.asm").string()}), 1);
    ASSERT_TRUE(fs::exists(dir / "p.err"));
    writeText(dir / "p.asm", kGood);
    EXPECT_EQ(as11({(dir / "p.asm").string()}), 0);
    EXPECT_FALSE(fs::exists(dir / "p.err"));
}

TEST_F(As11CommandLine, ExplicitOutputNames) {
    writeText(dir / "p.asm", kBad);
    EXPECT_EQ(as11({"-o", (dir / "x.hex").string(), "-l", (dir / "y.txt").string(), "-e",
                    (dir / "z.log").string(), (dir / "p.asm").string()}),
              1);
    EXPECT_TRUE(fs::exists(dir / "x.hex"));
    EXPECT_TRUE(fs::exists(dir / "y.txt"));
    EXPECT_TRUE(fs::exists(dir / "z.log"));
    EXPECT_FALSE(fs::exists(dir / "p.s19"));
    EXPECT_FALSE(fs::exists(dir / "p.err"));
}

TEST_F(As11CommandLine, RewritingReplacesEarlierOutputs) {
    writeText(dir / "p.asm", kGood + " FILL 1,100\n");
    EXPECT_EQ(as11({(dir / "p.asm").string()}), 0);
    writeText(dir / "p.asm", kGood);
    EXPECT_EQ(as11({(dir / "p.asm").string()}), 0);
    EXPECT_EQ(readText(dir / "p.s19"), "S105E000860193\nS903E0001C\n");
}

TEST_F(As11CommandLine, UnreadableSourceGivesStatusTwo) {
    EXPECT_EQ(as11({(dir / "missing.asm").string()}), 2);
    EXPECT_NE(err().find("cannot read"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "missing.lst"));
    EXPECT_EQ(as11({dir.path().string()}), 2); // a folder
}

TEST_F(As11CommandLine, UnwritableOutputGivesStatusTwo) {
    writeText(dir / "p.asm", kGood);
    EXPECT_EQ(as11({"-l", (dir / "no/such/folder/p.lst").string(), (dir / "p.asm").string()}), 2);
    EXPECT_NE(err().find("cannot write"), std::string::npos);
}

TEST_F(As11CommandLine, OutputNamingTheSourceIsRefused) {
    writeText(dir / "p.s19", kGood);
    EXPECT_EQ(as11({(dir / "p.s19").string()}), 2); // its default S-record name is itself
    EXPECT_EQ(readText(dir / "p.s19"), kGood);
    writeText(dir / "q.asm", kGood);
    EXPECT_EQ(as11({"-l", (dir / "q.asm").string(), (dir / "q.asm").string()}), 2);
    EXPECT_EQ(readText(dir / "q.asm"), kGood);
    EXPECT_EQ(as11({"-l", (dir / "same").string(), "-e", (dir / "same").string(), (dir / "q.asm").string()}),
              2);
}

TEST_F(As11CommandLine, BadArgumentsPrintUsage) {
    EXPECT_EQ(as11({}), 2);
    EXPECT_NE(err().find("usage: as11"), std::string::npos);
    EXPECT_EQ(as11({"-x", "p.asm"}), 2);
    EXPECT_NE(err().find("usage: as11"), std::string::npos);
    EXPECT_EQ(as11({"-o"}), 2);
    EXPECT_EQ(as11({"a.asm", "b.asm"}), 2);
    EXPECT_EQ(as11({"--help"}), 0);
    EXPECT_NE(out().find("usage: as11"), std::string::npos);
}

TEST_F(As11CommandLine, LibraryCallMatchesTheProgram) {
    writeText(dir / "p.asm", kBad);
    const as11::OutputPaths paths = as11::defaultOutputPaths((dir / "p.asm").string());
    EXPECT_EQ(as11::assembleFile((dir / "p.asm").string(), paths, nullptr), as11::kSourceErrors);
    EXPECT_EQ(readText(paths.errors), "2: undefined symbol NOWHERE\n");
}

} // namespace
