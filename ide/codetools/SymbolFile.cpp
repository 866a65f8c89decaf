#include "codetools/SymbolFile.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>

#include "codetools/ListingLoader.h"
#include "editor/Editors.h"
#include "editor/WaitCursor.h"
#include "frame/MainWindow.h"
#include "frame/Prompt.h"
#include "frame/StatusText.h"

namespace quorvel {

QString SymbolsStatusText(const QString& fileTitle, bool anyRecord) {
    return anyRecord ? QStringLiteral("Symbols: ") + fileTitle : kNoSymbols;
}

QString CantLoadSymbolsText(const QString& path, const QString& reason) {
    return TwoLines(QStringLiteral("Can't Load Symbols from ") + path + QStringLiteral(" !"),
                    QLatin1Char('(') + reason + QLatin1Char(')'));
}

SymbolFile::SymbolFile(frmMain& frame) : frame_(frame) {}

void SymbolFile::SetListingFile(const QString& path) {
    path_ = path;
    title_ = QFileInfo(path).fileName();
}

void SymbolFile::mnuFileLoadSymbols() {
    if (loading_) return;
    FileRequest request;
    request.Title = kLoadSymbolsTitle;
    request.Filter = kListingFilter;
    request.FilterIndex = 1;
    request.FileMustExist = true;
    request.HideReadOnly = true;
    request.FileName = title_;
    if (!path_.isEmpty()) request.Directory = QFileInfo(path_).absolutePath();
    const FileAnswer answer = frame_.editors().Folders().OpenFile(frame_.prompt(), request);
    if (!answer.Accepted) return;
    SetListingFile(answer.FileName);
    ReloadSymbols();
}

bool SymbolFile::LoadListing() {
    if (loading_ || path_.isEmpty()) return false;
    loading_ = true;
    SymbolTable loaded;
    QString error;
    bool read = false;
    {
        WaitCursor hourglass;
        read = LoadListingFile(path_, loaded, error, [] { QCoreApplication::processEvents(); });
    }
    loading_ = false;
    if (!read) {
        frame_.prompt().Message(DravikTitle(kLoadSymbolsTitle), CantLoadSymbolsText(path_, error),
                                PromptIcon::Exclamation);
        // The table stays, and so does the name of the listing it came from.
        path_ = loadedPath_;
        title_ = loadedTitle_;
        return false;
    }
    table_ = std::move(loaded);
    loadedPath_ = path_;
    loadedTitle_ = title_;
    frame_.SetStatusPanel(kPanelSymbols, SymbolsStatusText(title_, table_.ListingCount() > 0));
    return true;
}

void SymbolFile::ReloadSymbols() {
    if (!LoadListing()) return;
    if (frame_.Checked(QStringLiteral("mnuViewLabel")))
        frame_.CallView(QStringLiteral("mnuViewLabel"), "RefreshLabels");
    if (frame_.Checked(QStringLiteral("mnuViewDisassembler")))
        frame_.CallView(QStringLiteral("mnuViewDisassembler"), "PageRedraw");
    emit SymbolsReloaded();
}

} // namespace quorvel
