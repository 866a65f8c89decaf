// The frame's assembler front-end: File > Assemble and its toolbar button,
// the question to save first, the run of asm.sh (AssemblerRun), and what
// follows it: the symbols reloaded from the new listing, the "Dravik -
// Assembling Done" summary, the S-record file kept for Download and the error
// list (frmError).
//
//     FrameAssembler assembler(frame);
//     assembler.mnuFileAssemble();          // the menu item
//     assembler.ToolbarAssemble();          // the toolbar button
//     assembler.Runner().Options.Timeout = 5s;
//
// The source is the file the editors name in AssembleSource. Its folder is the
// active editor's when that editor holds the file, else the folder of the
// file last chosen in the Assemble dialog (or last assembled). The results
// go into that folder.
#pragma once

#include <cstdint>

#include <QObject>
#include <QPointer>
#include <QString>

#include "codetools/AssemblerRun.h"
#include "codetools/frmError.h"

namespace quorvel {

class frmMain;

inline const QString kAssembleTitle = QStringLiteral("Assemble");
inline const QString kAssembleFilter = QStringLiteral("Assembly Source (*.asm)|*.asm|All Files (*.*)|*.*");

// "Assembly Source:", tab, the source, then "Listing (Symbol):" and "Machine Code:" likewise.
QString AssemblingDoneText(const QString& assembleSource, const ResultNames& names);

class FrameAssembler : public QObject {
    Q_OBJECT
public:
    explicit FrameAssembler(frmMain& frame);
    ~FrameAssembler() override;

    // The run itself; its options (program folder, time-out) can be changed.
    AssemblerRun& Runner() { return run_; }
    bool Busy() const { return run_.Busy(); }

    // ---- The commands ----
    // True when assembling may go ahead: nothing unsaved, or saved on request.
    bool SaveBeforeAssemble();
    void mnuFileAssemble();
    // Assembles the known source at once; otherwise as the menu item.
    void ToolbarAssemble();
    // Assembles AssembleSource from its folder.
    void RunAssembler();

    // ---- The error list ----
    // The error file's name ("prog.err") and full path, and the source it refers to.
    const QString& ErrorFileName() const { return errorFileName_; }
    const QString& ErrorFilePath() const { return errorFilePath_; }
    const QString& ErrorSourcePath() const { return errorSourcePath_; }
    const QString& ErrorSourceTitle() const { return errorSourceTitle_; }
    // The open error list, or null.
    frmError* ErrorWindow() const { return errorWindow_; }
    void LoadErrors();
    // The source in an editor, the caret at the start of a 1-based line.
    void ShowError(int32_t line);
    void CantReadErrors(const QString& reason);

    // The folder the source is looked for in.
    QString SourceFolder() const;

protected:
    // The frame stays open while asm.sh runs.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AssembleCommand();
    void RunAssembler(const QString& sourceFolder);
    bool SourceExists() const;

    frmMain& frame_;
    AssemblerRun run_;
    // The folder of the file last chosen in the Assemble dialog or last assembled.
    QString sourceFolder_;
    QString errorFileName_;
    QString errorFilePath_;
    QString errorSourcePath_;
    QString errorSourceTitle_;
    QPointer<frmError> errorWindow_;
};

} // namespace quorvel
