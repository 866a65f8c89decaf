// An editor window: one source file in the text control `Text`, inside a
// child window of the frame.
//
//     auto* editor = new frmEditor(prompt, [&frame] { return ResolveFont(frame.ScreenFont); });
//     editor->LoadFile(path, content);        // or SetEditorTitle(UntitledTitle(n)) for a new one
//     frame.AddChildForm(editor)->show();
//     ...
//     if (editor->TextChanged()) editor->Save();   // Save As when it has no file yet
//
// The window keeps the state other parts read and write by name: EditorName
// (full path, empty until saved), EditorTitle (the caption), TextChanged, and
// Undo and Redo, the one level of undo: after a change Undo is available;
// undoing makes Redo available instead, and redoing Undo again. Closing a
// changed editor asks "Save changes to <title> ?" (Yes, No, Cancel); it stays
// open on Cancel and when the save does not happen.
#pragma once

#include <functional>

#include <QFont>
#include <QWidget>

#include "editor/TextFile.h"
#include "editor/TextSearch.h"

namespace quorvel {

class DialogFolders;
class EditorText;
class Prompt;

class frmEditor : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString EditorName READ EditorName WRITE SetEditorName)
    Q_PROPERTY(QString EditorTitle READ EditorTitle WRITE SetEditorTitle)
    Q_PROPERTY(bool TextChanged READ TextChanged WRITE SetTextChanged)
    Q_PROPERTY(bool Undo READ Undo)
    Q_PROPERTY(bool Redo READ Redo)
public:
    // `screenFont` gives the editors' font whenever it is applied.
    frmEditor(Prompt& prompt, std::function<QFont()> screenFont, QWidget* parent = nullptr);

    EditorText* Text;

    const QString& EditorName() const { return editorName_; }
    void SetEditorName(const QString& name) { editorName_ = name; }
    const QString& EditorTitle() const { return editorTitle_; }
    // Also the window caption.
    void SetEditorTitle(const QString& title);
    bool TextChanged() const { return textChanged_; }
    void SetTextChanged(bool changed);
    bool Undo() const { return undo_; }
    bool Redo() const { return redo_; }
    // Line ends and encoding the file is written with.
    const TextFormat& Format() const { return format_; }

    // The text of a file just read: nothing changed, nothing to undo.
    void LoadFile(const QString& path, const TextFileContent& content);
    QString PlainText() const;

    // ---- File commands ----
    // Save As when the editor has no file name. False when nothing was saved.
    bool Save();
    bool SaveAs();
    // Writes the text to EditorName; on failure says why and changes nothing.
    bool SaveEditor();
    // Where Save As starts and what it remembers; without them it asks the prompt plainly.
    void SetDialogFolders(DialogFolders* folders) { dialogFolders_ = folders; }

    // ---- Closing ----
    // The question before unloading, when the text changed: "Save changes to
    // <title> ?". Yes saves, No lets the changes go; false on Cancel and when
    // the save did not happen.
    bool QueryUnload();
    // The question was asked and answered already (the frame asks about every
    // editor before it closes any): closing asks nothing.
    void AgreeToUnload() { unloaded_ = true; }

    // ---- Edit commands ----
    void EditUndo();
    void EditRedo();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void EditDelete();
    void EditSelectAll();

    // ---- Selection and caret ----
    TextSelection Selection() const;
    bool HasSelection() const { return Selection().Length > 0; }
    // "\n" between lines.
    QString SelectedText() const;
    void Select(qsizetype start, qsizetype length);
    // Replaces the selection; the caret ends up after the new text.
    void ReplaceSelection(const QString& text);
    // Replaces from..to of the text in one undoable step and puts the caret at `caret`.
    void ReplaceRange(qsizetype from, qsizetype to, const QString& text, qsizetype caret);
    // 0-based line and column of the selection start.
    qsizetype CaretLine() const;
    qsizetype CaretColumn() const;
    // The line that holds the end of the text (0-based).
    qsizetype LastLine() const;
    // Puts the caret at the start of a 1-based line, the last line when the
    // text is shorter, and gives the text the focus.
    void GoToLine(qint64 line);

public slots:
    // Applies the screen font and sets the tab stops every 9 blanks of it.
    void ApplyScreenFont();

signals:
    // Undo, Redo, TextChanged or the selection changed.
    void StateChanged();
    void CaretMoved(qsizetype line, qsizetype column);
    // The text was written to `path` (now EditorName).
    void Saved(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateWidgets();
    void ConnectWidgets();
    void Text_Change();
    void Text_SelChange();
    void UndoKey();
    bool WriteTo(const QString& path);

    Prompt& prompt_;
    DialogFolders* dialogFolders_ = nullptr;
    std::function<QFont()> screenFont_;
    QString editorName_;
    QString editorTitle_;
    bool textChanged_ = false;
    bool undo_ = false;
    bool redo_ = false;
    bool loading_ = false; // changes made by the window itself, not by the user
    bool unloaded_ = false;
    TextFormat format_;
};

} // namespace quorvel
