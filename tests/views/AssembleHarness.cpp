#include "AssembleHarness.h"

#include <QDir>
#include <QFile>
#include <QListWidget>

namespace quorvel::test {

const char* const kCleanSource = "* a clean program\n"
                                 "        ORG  $E000\n"
                                 "START   LDAA #$41\n"
                                 "LOOP    DECA\n"
                                 "        BNE  LOOP\n"
                                 "        BRA  START\n"
                                 "        ORG  $FFFE\n"
                                 "        FDB  START\n"
                                 "        END\n";

const char* const kFaultySource = "* a program with two errors\n"
                                  "        ORG  $E000\n"
                                  "START   LDAA #$41\n"
                                  "LOOP    JMP  NOWHERE\n"
                                  "        BNE  LOOP\n"
                                  "        XYZZY\n"
                                  "        END\n";

void FillProgramFolder(const QString& folder) {
    const QDir dir(folder);
    ASSERT_TRUE(QFile::copy(QStringLiteral(AS11_EXE), dir.filePath(QStringLiteral("as11"))));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ASM_SH), dir.filePath(QStringLiteral("asm.sh"))));
    QFile::setPermissions(dir.filePath(QStringLiteral("asm.sh")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void WriteScript(const QString& path, const QByteArray& script) {
    QFile::remove(path);
    WriteBytes(path, script);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

namespace {
StartOptions OnTheSimulator() {
    StartOptions options;
    options.SimEnabled = true;
    return options;
}
} // namespace

AssembleFrame::AssembleFrame() : EditorFrame(OnTheSimulator()) {
    FillProgramFolder(program.path());
    AssemblerOptions& options = a().Runner().Options;
    options.ProgramFolder = program.path();
    options.TempRoot = temp.path();
    options.Timeout = std::chrono::seconds(20);
}

frmEditor& AssembleFrame::OpenSource(const QString& name, const QByteArray& text) {
    WriteBytes(Path(name), text);
    e().OpenFile(Path(name));
    Settle();
    return Active();
}

void AssembleFrame::ScriptSays(const QByteArray& script) {
    WriteScript(QDir(program.path()).filePath(QStringLiteral("asm.sh")), script);
}

QStringList AssembleFrame::TempLeftOvers() const {
    return QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

QStringList AssembleFrame::ErrorEntries() const {
    QStringList entries;
    if (frmError* window = Errors())
        for (int row = 0; row < window->List->count(); ++row)
            entries.append(window->List->item(row)->text());
    return entries;
}

} // namespace quorvel::test
