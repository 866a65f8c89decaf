// The file-type check the loaders make before opening a file by name.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "EditorHarness.h"
#include "editor/FileCheck.h"

namespace quorvel::test {
namespace {

TEST(FileCheckTest, OnlyRegularFilesAndLinksToThemPass) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir folder(dir.path());
    WriteBytes(folder.filePath("prog.asm"), "\tNOP\n");
    ASSERT_TRUE(QFile::link(folder.filePath("prog.asm"), folder.filePath("link.asm")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath("pipe.lst")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(folder.filePath("pipe.lst"), folder.filePath("pipelink.lst")));
    ASSERT_TRUE(QFile::link(folder.filePath("gone.asm"), folder.filePath("dangling.asm")));

    const struct {
        QString path;
        bool passes;
        QString error;
    } rows[] = {
        {folder.filePath("prog.asm"), true, ""},
        {folder.filePath("link.asm"), true, ""},
        {folder.filePath("pipe.lst"), false, "Not a regular file"},
        {folder.filePath("pipelink.lst"), false, "Not a regular file"},
        {"/dev/null", false, "Not a regular file"},
        {dir.path(), false, "It is a folder"},
        {folder.filePath("missing.asm"), false, "File not found"},
        {folder.filePath("dangling.asm"), false, "File not found"},
    };
    for (const auto& row : rows) {
        QString error;
        EXPECT_EQ(CheckRegularFile(row.path, error), row.passes) << row.path.toStdString();
        EXPECT_EQ(error, row.error) << row.path.toStdString();
    }
}

} // namespace
} // namespace quorvel::test
