// Every message box, question and common dialog of the IDE goes through a
// Prompt. QtPrompt shows Qt's dialogs; ScriptedPrompt records what was shown
// and answers from a script, so no test waits on a modal window.
//
//     if (prompt.Message(DravikTitle("Warning"), "Save changes to a.asm ?", PromptIcon::Exclamation,
//                        PromptButtons::YesNoCancel) == PromptAnswer::Yes) ...
//
//     FileRequest request;
//     request.Title = "Load Symbols";
//     request.Filter = "Listing Files (*.lst)|*.lst|All Files (*.*)|*.*";
//     request.FileMustExist = true;
//     FileAnswer chosen = prompt.OpenFile(request);
//
// The IDE's own dialogs (options, about, ...) are shown modally with ShowModal.
#pragma once

#include <QString>

#include "frame/FontSetting.h"

class QDialog;
class QPrinter;

namespace quorvel {

enum class PromptIcon { None, Information, Question, Exclamation, Critical };
enum class PromptButtons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class PromptAnswer { OK, Cancel, Yes, No, Retry, Abort, Ignore };

// A message box title: "Dravik - " followed by the operation.
inline QString DravikTitle(const QString& operation) {
    return QStringLiteral("Dravik - ") + operation;
}
// A message of two lines.
inline QString TwoLines(const QString& first, const QString& second) {
    return first + QLatin1Char('\n') + second;
}

struct FileRequest {
    QString Title;
    // Description/pattern pairs: "Assembly Source (*.asm)|*.asm|All Files (*.*)|*.*".
    QString Filter;
    int FilterIndex = 1; // 1-based
    // The proposed file name (a bare name or a path).
    QString FileName;
    // Where the dialog starts; empty: the folder of FileName when that is a
    // full path, else the home folder. The frame's requests go out through
    // DialogFolders (DialogFolder.h), which fills it in.
    QString Directory;
    bool FileMustExist = false;
    bool HideReadOnly = true;
    bool OverwritePrompt = false;
};

struct FileAnswer {
    bool Accepted = false;
    QString FileName; // absolute path
    int FilterIndex = 1;
};

enum class PrintMode { Print, PrintSetup };

class Prompt {
public:
    virtual ~Prompt() = default;

    virtual PromptAnswer Message(const QString& title, const QString& text, PromptIcon icon,
                                 PromptButtons buttons = PromptButtons::OK) = 0;
    virtual FileAnswer OpenFile(const FileRequest& request) = 0;
    virtual FileAnswer SaveFile(const FileRequest& request) = 0;
    // On OK `font` holds the choice and the result is true.
    virtual bool ChooseFont(const QString& title, FontSetting& font, bool fixedPitchOnly) = 0;
    // On OK the printer holds the settings made in the dialog.
    virtual bool PrintDialog(QPrinter& printer, PrintMode mode) = 0;
    // Shows one of the IDE's dialogs modally; the result is the dialog's (QDialog::Accepted or Rejected).
    virtual int ShowModal(QDialog& dialog) = 0;
};

} // namespace quorvel
