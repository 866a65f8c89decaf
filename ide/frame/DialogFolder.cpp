#include "frame/DialogFolder.h"

#include <utility>

#include <QDir>
#include <QFileInfo>

namespace quorvel {

namespace {

// A relative folder would be taken from the current folder, the very one the
// dialogs must not start in.
QString ExistingFolder(const QString& folder) {
    if (folder.isEmpty() || QDir::isRelativePath(folder)) return {};
    const QFileInfo info(folder);
    return info.isDir() ? QDir::cleanPath(info.absoluteFilePath()) : QString();
}

QString FolderOfFile(const QString& path) {
    if (path.isEmpty() || QDir::isRelativePath(path)) return {};
    return ExistingFolder(QFileInfo(path).absolutePath());
}

} // namespace

QString DialogStartFolder(const DialogFolderChoices& choices) {
    for (const QString& folder : {ExistingFolder(choices.Requested), FolderOfFile(choices.ProposedFile),
                                  FolderOfFile(choices.ActiveDocument), ExistingFolder(choices.LastFolder)})
        if (!folder.isEmpty()) return folder;
    return choices.Home;
}

void DialogFolders::SetActiveDocument(std::function<QString()> activeDocument) {
    activeDocument_ = std::move(activeDocument);
}

QString DialogFolders::StartFolder(const QString& requested, const QString& proposedFile) const {
    return DialogStartFolder({requested, proposedFile, activeDocument_ ? activeDocument_() : QString(),
                              lastFolder_, QDir::homePath()});
}

void DialogFolders::Remember(const QString& chosenFile) {
    if (chosenFile.isEmpty() || QDir::isRelativePath(chosenFile)) return;
    lastFolder_ = QFileInfo(chosenFile).absolutePath();
}

FileAnswer DialogFolders::OpenFile(Prompt& prompt, FileRequest request) {
    request.Directory = StartFolder(request.Directory, request.FileName);
    const FileAnswer answer = prompt.OpenFile(request);
    if (answer.Accepted) Remember(answer.FileName);
    return answer;
}

FileAnswer DialogFolders::SaveFile(Prompt& prompt, FileRequest request) {
    request.Directory = StartFolder(request.Directory, request.FileName);
    const FileAnswer answer = prompt.SaveFile(request);
    if (answer.Accepted) Remember(answer.FileName);
    return answer;
}

} // namespace quorvel
