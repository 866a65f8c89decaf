// The folder a file dialog starts in.
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "frame/DialogFolder.h"
#include "frame/ScriptedPrompt.h"

namespace quorvel::test {
namespace {

TEST(DialogFolderTest, TheFirstExistingChoiceWinsAndHomeIsTheLastResort) {
    QTemporaryDir root;
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath("asked") && dir.mkpath("doc") && dir.mkpath("last"));
    const QString asked = dir.filePath("asked");
    const QString proposed = dir.filePath("asked/prog.asm");
    const QString document = dir.filePath("doc/prog.asm");
    const QString last = dir.filePath("last");
    const QString gone = dir.filePath("gone");
    const QString home = "/home/someone";
    const struct {
        DialogFolderChoices choices;
        QString start;
    } rows[] = {
        {{asked, "", document, last, home}, asked},
        {{"", proposed, document, last, home}, asked},
        {{"", "prog.asm", document, last, home}, dir.filePath("doc")}, // a bare name has no folder
        {{"", "", document, last, home}, dir.filePath("doc")},
        {{"", "", "", last, home}, last},
        {{"", "", "Untitled1.asm", last, home}, last},
        {{"", "", "", "", home}, home},
        // Folders that are gone, and relative ones (the current folder's), are passed over.
        {{gone, gone + "/prog.asm", gone + "/doc.asm", gone, home}, home},
        {{"asked", "asked/prog.asm", "doc/prog.asm", "last", home}, home},
        // A folder named with a detour is given plainly.
        {{dir.filePath("doc/../asked"), "", "", "", home}, asked},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(&row - rows));
        EXPECT_EQ(DialogStartFolder(row.choices), row.start);
    }
}

TEST(DialogFolderTest, AChosenFileMakesItsFolderTheLastOne) {
    QTemporaryDir doc;
    QTemporaryDir chosen;
    DialogFolders folders;
    EXPECT_EQ(folders.StartFolder("", ""), QDir::homePath());
    folders.Remember(QDir(chosen.path()).filePath("prog.asm"));
    folders.Remember("relative.asm"); // ignored
    EXPECT_EQ(folders.LastFolder(), chosen.path());
    EXPECT_EQ(folders.StartFolder("", ""), chosen.path());

    QString active = QDir(doc.path()).filePath("open.asm");
    folders.SetActiveDocument([&active] { return active; });
    EXPECT_EQ(folders.StartFolder("", ""), doc.path());
    active.clear();
    EXPECT_EQ(folders.StartFolder("", ""), chosen.path());
}

TEST(DialogFolderTest, ARequestGoesOutWithItsStartFolderAndTheChoiceIsRemembered) {
    QTemporaryDir chosen;
    ScriptedPrompt prompt;
    DialogFolders folders;
    FileRequest request;
    request.Title = "Open";
    prompt.AnswerFile(QDir(chosen.path()).filePath("prog.asm"));
    EXPECT_TRUE(folders.OpenFile(prompt, request).Accepted);
    prompt.CancelFile();
    EXPECT_FALSE(folders.SaveFile(prompt, request).Accepted);
    ASSERT_EQ(prompt.Shown().size(), 2U);
    EXPECT_EQ(prompt.Shown()[0].File.Directory, QDir::homePath());
    EXPECT_EQ(prompt.Shown()[1].File.Directory, chosen.path());
    EXPECT_EQ(prompt.Shown()[1].What, ScriptedPrompt::Kind::SaveFile);
    EXPECT_EQ(folders.LastFolder(), chosen.path()) << "a cancelled dialog changes nothing";
}

} // namespace
} // namespace quorvel::test
