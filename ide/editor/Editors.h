// The frame's editor windows and the File and Edit commands that act on them.
// frmMain owns one Editors; its menu handlers call it, and other parts reach
// the editors through it:
//
//     Editors& editors = frame.editors();
//     frmEditor* source = editors.ActiveEditor();          // null when no editor is active
//     if (source && source->TextChanged()) ...
//     editors.AssembleSource                                // file title the assembler works on
//     editors.ShowSourceLine(path, title, 12);              // the error list's jump to a line
//     editors.Folders().OpenFile(prompt, request);          // any file dialog of the frame
//
// It keeps the new-window counter (Untitled1.asm, Untitled2.asm, ...), the
// Open dialog's filter index, the recent files, the current printer, where
// the file dialogs start (the active editor's folder, else the folder last
// chosen in; the last one is kept in the settings from one run to the next)
// and the find/replace dialog, which lives hidden from start-up to exit. A
// file is open in one editor at most. The editing
// commands follow the active editor: enabled as its state allows, disabled
// while no editor is active; status panel 5 shows its caret.
#pragma once

#include <memory>

#include <QObject>
#include <QPointer>
#include <QStringList>

#include "frame/DialogFolder.h"

class QMdiSubWindow;
class QPrinter;

namespace quorvel {

class frmEditor;
class frmMain;
class frmReplace;

class Editors : public QObject {
    Q_OBJECT
public:
    explicit Editors(frmMain& frame);
    ~Editors() override;

    // File title of the source for the assembler: the active editor's title
    // when it has a file, set by Save As; empty otherwise.
    QString AssembleSource;

    // ---- The editors ----
    frmEditor* ActiveEditor() const;
    QList<frmEditor*> AllEditors() const;
    // The open editor of a file (by full path), or null.
    frmEditor* EditorOf(const QString& path) const;
    // Windows made so far by New (never lowered).
    int NewCount() const { return newCount_; }
    int FilterIndex() const { return filterIndex_; }
    frmReplace& ReplaceDialog() const;
    // The printer the print commands use; Print Setup and Print change its settings.
    QPrinter& Printer();
    // Where the frame's file dialogs start; every file request goes through it.
    DialogFolders& Folders() { return folders_; }

    // ---- File ----
    frmEditor* NewEditor();
    void Open();
    // Reads a file into a new editor; a message and null when it cannot be
    // read. A file open already (by whatever path) brings its editor forward.
    frmEditor* OpenFile(const QString& path);
    void OpenFiles(const QStringList& paths);
    void OpenRecent(int index);
    // The error list's jump: the file's open editor, or a new one read from
    // disk with that title; then the caret to the start of the 1-based line,
    // or of the last line with text when the source is shorter.
    frmEditor* ShowSourceLine(const QString& path, const QString& title, qint64 line);
    void Close();
    void Save();
    void SaveAs();
    void PrintSetup();
    void PrintPreview();
    // With the print dialog first (the menu), or straight away (the toolbar).
    void Print(bool withDialog);

    // ---- Edit ----
    void Undo();
    void Redo();
    void Cut();
    void Copy();
    void Paste();
    void Delete();
    void SelectAll();
    void Find();
    void FindNext();
    void Replace();
    void GoToLine();

    // Enables the editing commands for the active editor and shows its caret.
    void UpdateCommands();
    // The frame is closing: asks about every changed editor before any closes
    // ("Save changes to <title> ?"; Yes saves, No lets the changes go), then
    // closes them all. Cancel, or a save that does not happen, keeps every
    // editor open and returns false.
    bool QueryUnloadAll();
    // Hides the find/replace dialog and keeps the last dialog folder (the frame is closing).
    void Unload();

private:
    frmEditor* CreateEditor();
    QMdiSubWindow* ShowEditor(frmEditor* editor);
    void ActivateEditor(frmEditor* editor);
    void OnActivated();
    void OnSaved(frmEditor* editor, const QString& path);
    void AddRecentFile(const QString& path);
    void SetRecentFiles(const QStringList& files);
    int PrintActive(QPrinter& printer);

    frmMain& frame_;
    QPointer<frmReplace> replace_;
    std::unique_ptr<QPrinter> printer_;
    DialogFolders folders_;
    QPointer<frmEditor> lastActive_;
    bool editorActive_ = false; // lastActive_ was an editor (it may have gone since)
    int newCount_ = 0;
    int filterIndex_ = 1;
};

} // namespace quorvel
