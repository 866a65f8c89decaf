#include "codetools/FrameAssembler.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>

#include "codetools/SymbolFile.h"
#include "codetools/frmError.h"
#include "editor/Editors.h"
#include "editor/frmEditor.h"
#include "frame/MainWindow.h"
#include "frame/Prompt.h"

namespace quorvel {

namespace {

const QString kSaveCommand = QStringLiteral("mnuFileSave");

QString SamePath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QString AssemblingDoneText(const QString& assembleSource, const ResultNames& names) {
    return QStringLiteral("Assembly Source:\t") + assembleSource + QLatin1Char('\n') +
           QStringLiteral("Listing (Symbol):\t") + names.SymbolFileTitle + QLatin1Char('\n') +
           QStringLiteral("Machine Code:\t") + names.DownloadFileName;
}

FrameAssembler::FrameAssembler(frmMain& frame) : frame_(frame), run_(frame.prompt()) {
    run_.Options.ProgramFolder = frame_.ProgramFolder();
    run_.Waiting = [](bool waiting) {
        if (waiting)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    };
    frame_.installEventFilter(this);
}

FrameAssembler::~FrameAssembler() {
    delete errorWindow_.data();
}

bool FrameAssembler::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &frame_ && event->type() == QEvent::Close && Busy()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// ---- The commands ----

bool FrameAssembler::SaveBeforeAssemble() {
    if (!frame_.CommandEnabled(kSaveCommand)) return true;
    const frmEditor* editor = frame_.editors().ActiveEditor();
    const QString title = editor ? editor->EditorTitle() : QString();
    if (frame_.prompt().Message(DravikTitle(QStringLiteral("Assemble File")),
                                QStringLiteral("Save ") + title + QStringLiteral(" ?"),
                                PromptIcon::Information, PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    frame_.mnuFileSave_Click();
    return !frame_.CommandEnabled(kSaveCommand);
}

void FrameAssembler::mnuFileAssemble() {
    if (Busy()) return;
    AssembleCommand();
}

// The button skips the menu's way when the source is known; otherwise it takes
// it, and the menu's way starts by offering to save again.
void FrameAssembler::ToolbarAssemble() {
    if (Busy()) return;
    if (SaveBeforeAssemble() && !frame_.editors().AssembleSource.isEmpty() && SourceExists()) {
        RunAssembler();
        return;
    }
    AssembleCommand();
}

void FrameAssembler::AssembleCommand() {
    if (!SaveBeforeAssemble()) return;
    Editors& editors = frame_.editors();
    if (!editors.AssembleSource.isEmpty()) {
        if (SourceExists()) RunAssembler();
        return;
    }
    FileRequest request;
    request.Title = kAssembleTitle;
    request.Filter = kAssembleFilter;
    request.FilterIndex = 1;
    request.FileMustExist = true;
    request.HideReadOnly = true;
    request.Directory = sourceFolder_;
    const FileAnswer answer = editors.Folders().OpenFile(frame_.prompt(), request);
    if (!answer.Accepted || answer.FileName.isEmpty()) return;
    const QFileInfo chosen(answer.FileName);
    editors.AssembleSource = chosen.fileName();
    sourceFolder_ = chosen.absolutePath();
    RunAssembler(sourceFolder_);
}

QString FrameAssembler::SourceFolder() const {
    const Editors& editors = frame_.editors();
    const frmEditor* editor = editors.ActiveEditor();
    if (editor && !editor->EditorName().isEmpty() && editor->EditorTitle() == editors.AssembleSource)
        return QFileInfo(editor->EditorName()).absolutePath();
    return sourceFolder_.isEmpty() ? QDir::currentPath() : sourceFolder_;
}

bool FrameAssembler::SourceExists() const {
    return QFileInfo(QDir(SourceFolder()).filePath(frame_.editors().AssembleSource)).isFile();
}

void FrameAssembler::RunAssembler() {
    RunAssembler(SourceFolder());
}

void FrameAssembler::RunAssembler(const QString& sourceFolder) {
    Editors& editors = frame_.editors();
    const QString source = editors.AssembleSource;
    if (source.isEmpty() || Busy()) return;
    const AssembleOutcome out = run_.Run(sourceFolder, source);
    const QDir folder(sourceFolder);
    frame_.DownloadFileName = MachineCodeToDownload(out, folder.path());
    if (!out.Started) return;
    sourceFolder_ = folder.absolutePath();

    if (out.Listing) {
        frame_.Symbols().SetListingFile(folder.filePath(out.Names.SymbolFileTitle));
        frame_.Symbols().ReloadSymbols();
        frame_.prompt().Message(DravikTitle(QStringLiteral("Assembling Done")),
                                AssemblingDoneText(source, out.Names), PromptIcon::Information);
    }
    const QString errorPath = folder.filePath(out.Names.ErrorFileName);
    if (out.Errors) {
        errorFileName_ = out.Names.ErrorFileName;
        errorFilePath_ = errorPath;
        errorSourceTitle_ = source;
        errorSourcePath_ = folder.filePath(source);
        LoadErrors();
    } else if (errorWindow_ && SamePath(errorFilePath_) == SamePath(errorPath) &&
               !QFileInfo::exists(errorPath)) {
        // The list showed this source's errors, and the run without errors removed them.
        errorWindow_->close();
    }

    if (const frmEditor* editor = editors.ActiveEditor(); editor && !editor->EditorName().isEmpty())
        editors.AssembleSource = editor->EditorTitle();
}

// ---- The error list ----

void FrameAssembler::LoadErrors() {
    if (!errorWindow_) errorWindow_ = new frmError(*this, &frame_);
    errorWindow_->LoadErrors();
}

void FrameAssembler::ShowError(int32_t line) {
    frame_.activateWindow();
    frame_.editors().ShowSourceLine(errorSourcePath_, errorSourceTitle_, line);
}

void FrameAssembler::CantReadErrors(const QString& reason) {
    frame_.prompt().Message(DravikTitle(kAssembleErrorOperation),
                            TwoLines(QStringLiteral("Can't Read ") + errorFilePath_ + QStringLiteral(" !"),
                                     QLatin1Char('(') + reason + QLatin1Char(')')),
                            PromptIcon::Exclamation);
}

} // namespace quorvel
