// Where a file dialog starts. A request that names its own folder, or that
// proposes a file by its full path, starts there. Any other request starts in
// the active document's folder, else in the folder of the file last chosen in
// a file dialog, else in the home folder; never in the current folder, which
// is the program's own (for an installed program a folder of binaries the
// user cannot write to). A folder that does not exist (any more) is passed over.
//
//     DialogFolders folders;
//     folders.SetActiveDocument([&] { return ActiveEditorPath(); });
//     FileAnswer chosen = folders.OpenFile(prompt, request);   // also SaveFile
//     // the request went out with Directory set to the start folder; the
//     // folder of a chosen file is where the next dialog may start
#pragma once

#include <functional>

#include <QString>

#include "frame/Prompt.h"

namespace quorvel {

struct DialogFolderChoices {
    QString Requested;      // the folder the request names
    QString ProposedFile;   // the file name the request proposes
    QString ActiveDocument; // the active document's path; empty when there is none or it has no file
    QString LastFolder;     // the folder of the file last chosen in a file dialog
    QString Home;
};

// The first of the choices, in the order above, that is a full path to an
// existing folder (for the proposed file and the active document: their
// folder); Home when none is.
QString DialogStartFolder(const DialogFolderChoices& choices);

// The choices of one program run: the active document as the frame knows it,
// and the last folder a file was chosen in.
class DialogFolders {
public:
    // Asked for the active document's path each time a dialog starts; null: none.
    void SetActiveDocument(std::function<QString()> activeDocument);
    QString StartFolder(const QString& requested, const QString& proposedFile) const;
    // A file was chosen in a dialog: the next dialog may start in its folder.
    void Remember(const QString& chosenFile);
    const QString& LastFolder() const { return lastFolder_; }
    void SetLastFolder(const QString& folder) { lastFolder_ = folder; }

    // The prompt's dialogs, started in StartFolder; a chosen file is remembered.
    FileAnswer OpenFile(Prompt& prompt, FileRequest request);
    FileAnswer SaveFile(Prompt& prompt, FileRequest request);

private:
    std::function<QString()> activeDocument_;
    QString lastFolder_;
};

} // namespace quorvel
