#include "frame/QtPrompt.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "frame/FileFilter.h"
#include "frame/Fonts.h"

namespace quorvel {

namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Exclamation: return QMessageBox::Warning;
    case PromptIcon::Critical: return QMessageBox::Critical;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::OK: return QMessageBox::Ok;
    case PromptButtons::OKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case PromptButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

// What closing the box without a button means.
PromptAnswer EscapeAnswer(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::OK: return PromptAnswer::OK;
    case PromptButtons::YesNo: return PromptAnswer::No;
    case PromptButtons::AbortRetryIgnore: return PromptAnswer::Abort;
    default: return PromptAnswer::Cancel;
    }
}

PromptAnswer AnswerOf(int button, PromptButtons buttons) {
    switch (button) {
    case QMessageBox::Ok: return PromptAnswer::OK;
    case QMessageBox::Cancel: return PromptAnswer::Cancel;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Retry: return PromptAnswer::Retry;
    case QMessageBox::Abort: return PromptAnswer::Abort;
    case QMessageBox::Ignore: return PromptAnswer::Ignore;
    default: return EscapeAnswer(buttons);
    }
}

} // namespace

PromptAnswer QtPrompt::Message(const QString& title, const QString& text, PromptIcon icon,
                               PromptButtons buttons) {
    QMessageBox box(BoxIcon(icon), title, text, BoxButtons(buttons), owner_);
    return AnswerOf(box.exec(), buttons);
}

FileAnswer QtPrompt::FileDialog(const FileRequest& request, bool save) {
    QFileDialog dialog(owner_, request.Title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : (request.FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = QtFileFilters(request.Filter);
    dialog.setNameFilters(filters);
    const int index =
        request.FilterIndex >= 1 && request.FilterIndex <= filters.size() ? request.FilterIndex : 1;
    dialog.selectNameFilter(filters[index - 1]);

    const QFileInfo proposed(request.FileName);
    // Never the current folder: that is the program's own.
    if (!request.Directory.isEmpty())
        dialog.setDirectory(request.Directory);
    else if (!request.FileName.isEmpty() && proposed.isAbsolute())
        dialog.setDirectory(proposed.absolutePath());
    else
        dialog.setDirectory(QDir::homePath());
    if (!request.FileName.isEmpty()) dialog.selectFile(proposed.fileName());

    FileAnswer answer;
    answer.FilterIndex = index;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return answer;
    answer.Accepted = true;
    answer.FileName = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
    if (const int chosen = FileFilterIndex(request.Filter, dialog.selectedNameFilter()); chosen > 0)
        answer.FilterIndex = chosen;
    return answer;
}

FileAnswer QtPrompt::OpenFile(const FileRequest& request) {
    return FileDialog(request, false);
}

FileAnswer QtPrompt::SaveFile(const FileRequest& request) {
    return FileDialog(request, true);
}

bool QtPrompt::ChooseFont(const QString& title, FontSetting& font, bool fixedPitchOnly) {
    bool ok = false;
    QFontDialog::FontDialogOptions options;
    if (fixedPitchOnly) options |= QFontDialog::MonospacedFonts;
    const QFont chosen = QFontDialog::getFont(&ok, ResolveFont(font), owner_, title, options);
    if (!ok) return false;
    font = FontSettingOf(chosen);
    return true;
}

bool QtPrompt::PrintDialog(QPrinter& printer, PrintMode mode) {
    if (mode == PrintMode::PrintSetup) {
        QPageSetupDialog dialog(&printer, owner_);
        return dialog.exec() == QDialog::Accepted;
    }
    QPrintDialog dialog(&printer, owner_);
    return dialog.exec() == QDialog::Accepted;
}

int QtPrompt::ShowModal(QDialog& dialog) {
    return dialog.exec();
}

} // namespace quorvel
