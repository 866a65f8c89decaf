// One run of asm.sh on its own: the file contract, the wait for the marker
// and what happens when asm.sh breaks it.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "AssembleHarness.h"
#include "frame/ScriptedPrompt.h"

namespace quorvel::test {
namespace {

using namespace std::chrono_literals;

struct RunFixture {
    ScriptedPrompt prompt;
    AssemblerRun run{prompt};
    QTemporaryDir program;
    QTemporaryDir temp;
    QTemporaryDir source;

    RunFixture() {
        FillProgramFolder(program.path());
        run.Options.ProgramFolder = program.path();
        run.Options.TempRoot = temp.path();
        run.Options.Timeout = 20s;
        WriteBytes(SourcePath("prog.asm"), kCleanSource);
    }
    QString SourcePath(const QString& name) const { return QDir(source.path()).filePath(name); }
    QString ProgramPath(const QString& name) const { return QDir(program.path()).filePath(name); }
    void ScriptSays(const QByteArray& script) { WriteScript(ProgramPath("asm.sh"), script); }
    AssembleOutcome Run(const QString& name = "prog.asm") { return run.Run(source.path(), name); }
    QStringList TempLeftOvers() const {
        return QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QStringList Messages() const {
        QStringList texts;
        for (const auto& item : prompt.Shown()) {
            EXPECT_EQ(item.Title, "Dravik - Assemble Error");
            EXPECT_EQ(item.Icon, PromptIcon::Exclamation);
            texts.append(item.Text);
        }
        return texts;
    }
};

TEST(AssembleRunTest, TheResultsMoveNextToTheSourceAndNothingTemporaryStays) {
    RunFixture t;
    WriteBytes(t.SourcePath("prog.err"), "3: from an earlier run\n");
    const AssembleOutcome out = t.Run();
    EXPECT_TRUE(out.Started);
    EXPECT_TRUE(out.Finished);
    EXPECT_TRUE(out.Listing);
    EXPECT_TRUE(out.SRecords);
    EXPECT_FALSE(out.Errors);
    EXPECT_TRUE(QFile::exists(t.SourcePath("prog.lst")));
    EXPECT_TRUE(ReadBytes(t.SourcePath("prog.s19")).startsWith("S1"));
    EXPECT_FALSE(QFile::exists(t.SourcePath("prog.err"))) << "the earlier error file survived";
    EXPECT_EQ(ReadBytes(t.SourcePath("prog.asm")), kCleanSource);
    EXPECT_TRUE(t.TempLeftOvers().isEmpty()) << t.TempLeftOvers().join(' ').toStdString();
    EXPECT_TRUE(t.prompt.Shown().empty());
    EXPECT_FALSE(t.run.Busy());
}

TEST(AssembleRunTest, AsmShGetsTheSourceAsTempAsmAndNoArguments) {
    RunFixture t;
    // A stand-in that reports what it was given through the listing.
    t.ScriptSays("#!/bin/sh\n"
                 "{ echo \"args=$#\"; cat 'Temp$$$.asm'; } > 'Temp$$$.lst'\n"
                 "echo S9030000FC > 'Temp$$$.s19'\n"
                 ": > 'Temp$$$.$$$'\n");
    const AssembleOutcome out = t.Run();
    EXPECT_TRUE(out.Listing);
    EXPECT_EQ(ReadBytes(t.SourcePath("prog.lst")), QByteArray("args=0\n") + kCleanSource);
    EXPECT_EQ(ReadBytes(t.SourcePath("prog.s19")), "S9030000FC\n");
}

TEST(AssembleRunTest, AScriptWithoutTheExecuteBitStillRuns) {
    RunFixture t;
    QFile::setPermissions(t.ProgramPath("asm.sh"), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(t.Run().Listing);
    EXPECT_TRUE(t.prompt.Shown().empty());
}

TEST(AssembleRunTest, ASourceNamedLikeItsListingIsRefusedAndKept) {
    RunFixture t;
    WriteBytes(t.SourcePath("prog.lst"), kCleanSource);
    const AssembleOutcome out = t.Run("prog.lst");
    EXPECT_FALSE(out.Started);
    EXPECT_EQ(t.Messages(), QStringList{"Can't Assemble prog.lst !\n(Its results would replace it)"});
    EXPECT_EQ(ReadBytes(t.SourcePath("prog.lst")), kCleanSource);
}

TEST(AssembleRunTest, AnUnreadableSourceIsReported) {
    RunFixture t;
    const AssembleOutcome out = t.Run("gone.asm");
    EXPECT_TRUE(out.Started);
    EXPECT_FALSE(out.Finished);
    ASSERT_EQ(t.Messages().size(), 1);
    EXPECT_TRUE(t.Messages()[0].startsWith("Can't Read " + t.SourcePath("gone.asm") + " !\n("))
        << t.Messages()[0].toStdString();
    EXPECT_TRUE(t.TempLeftOvers().isEmpty());
}

TEST(AssembleRunTest, TheWaitForTheMarkerGivesUpAndStopsTheScript) {
    RunFixture t;
    t.run.Options.Timeout = 300ms;
    t.ScriptSays("#!/bin/sh\n"
                 "echo S9030000FC > 'Temp$$$.s19'\n"
                 "sleep 30\n"
                 ": > 'Temp$$$.$$$'\n");
    QElapsedTimer clock;
    clock.start();
    const AssembleOutcome out = t.Run();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(out.Started);
    EXPECT_FALSE(out.Finished);
    EXPECT_EQ(t.Messages(), QStringList{"asm.sh Did Not Finish !\n(No Temp$$$.$$$ after 0.3 s)"});
    // Nothing was read or moved without the marker.
    EXPECT_FALSE(QFile::exists(t.SourcePath("prog.s19")));
    EXPECT_TRUE(t.TempLeftOvers().isEmpty());
    EXPECT_FALSE(t.run.Busy());
}

TEST(AssembleRunTest, AMarkerThatCannotBeDeletedEndsTheRunAfterTheTimeOut) {
    RunFixture t;
    t.run.Options.Timeout = 300ms;
    // A folder named like the marker, with a file in it: removing it as a file fails every time.
    t.ScriptSays("#!/bin/sh\n"
                 "echo S9030000FC > 'Temp$$$.s19'\n"
                 "mkdir 'Temp$$$.$$$' && : > 'Temp$$$.$$$/busy'\n");
    const AssembleOutcome out = t.Run();
    EXPECT_FALSE(out.Finished);
    EXPECT_EQ(t.Messages(), QStringList{"Can't Delete Temp$$$.$$$ !\n(Still there after 0.3 s)"});
    EXPECT_FALSE(QFile::exists(t.SourcePath("prog.s19")));
    EXPECT_TRUE(t.TempLeftOvers().isEmpty());
}

TEST(AssembleRunTest, AScriptThatEndsWithoutTheMarkerSaysSoAtOnce) {
    RunFixture t;
    t.ScriptSays("#!/bin/sh\necho 'as11: not found' >&2\nexit 127\n");
    QElapsedTimer clock;
    clock.start();
    const AssembleOutcome out = t.Run();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_FALSE(out.Finished);
    EXPECT_EQ(t.Messages(),
              QStringList{"asm.sh Did Not Finish !\n(It ended without Temp$$$.$$$: as11: not found)"});
}

TEST(AssembleRunTest, ARunThatLeavesNoListingAndNoErrorsIsReported) {
    RunFixture t;
    t.ScriptSays("#!/bin/sh\n: > 'Temp$$$.$$$'\n");
    const AssembleOutcome out = t.Run();
    EXPECT_TRUE(out.Finished);
    EXPECT_FALSE(out.Listing);
    EXPECT_FALSE(out.Errors);
    EXPECT_EQ(t.Messages(),
              QStringList{"Can't Assemble prog.asm !\n(asm.sh left no listing and no error file)"});
}

TEST(AssembleRunTest, AResultThatCannotBeMovedIsReported) {
    RunFixture t;
    // A folder where the listing should go cannot be deleted as a file.
    ASSERT_TRUE(QDir(t.source.path()).mkpath("prog.lst/inside"));
    const AssembleOutcome out = t.Run();
    EXPECT_FALSE(out.Listing);
    EXPECT_TRUE(out.SRecords);
    const QStringList messages = t.Messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].startsWith("Can't Delete " + t.SourcePath("prog.lst") + " !\n("))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[1].startsWith("Can't Move Temp$$$.lst to " + t.SourcePath("prog.lst") + " !\n("))
        << messages[1].toStdString();
    EXPECT_TRUE(t.TempLeftOvers().isEmpty());
}

} // namespace
} // namespace quorvel::test
