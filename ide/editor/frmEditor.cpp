#include "editor/frmEditor.h"

#include <algorithm>

#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "editor/EditorText.h"
#include "editor/EditorTexts.h"
#include "editor/WaitCursor.h"
#include "frame/DialogFolder.h"
#include "frame/Prompt.h"

namespace quorvel {

namespace {

constexpr int kTabStopBlanks = 9;

// Selected text comes with paragraph separators between lines.
QString PlainOf(QString selected) {
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    selected.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return selected;
}

} // namespace

frmEditor::frmEditor(Prompt& prompt, std::function<QFont()> screenFont, QWidget* parent)
    : QWidget(parent), prompt_(prompt), screenFont_(std::move(screenFont)) {
    setObjectName(kEditorForm);
    CreateWidgets();
    ConnectWidgets();
    ApplyScreenFont();
}

void frmEditor::CreateWidgets() {
    Text = new EditorText(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Text);
    setFocusProxy(Text);
    resize(480, 320);
}

void frmEditor::ConnectWidgets() {
    connect(Text, &QPlainTextEdit::textChanged, this, &frmEditor::Text_Change);
    connect(Text, &QPlainTextEdit::cursorPositionChanged, this, &frmEditor::Text_SelChange);
    connect(Text, &QPlainTextEdit::selectionChanged, this, &frmEditor::Text_SelChange);
    connect(Text, &EditorText::UndoKey, this, &frmEditor::UndoKey);
    connect(Text, &EditorText::RedoKey, this, [this] {
        if (redo_) EditRedo();
    });
}

void frmEditor::SetEditorTitle(const QString& title) {
    editorTitle_ = title;
    setWindowTitle(title);
}

void frmEditor::SetTextChanged(bool changed) {
    textChanged_ = changed;
    emit StateChanged();
}

void frmEditor::ApplyScreenFont() {
    const bool wasLoading = loading_;
    loading_ = true;
    if (screenFont_) Text->setFont(screenFont_());
    Text->setTabStopDistance(kTabStopBlanks *
                             QFontMetricsF(Text->font()).horizontalAdvance(QLatin1Char(' ')));
    loading_ = wasLoading;
}

void frmEditor::LoadFile(const QString& path, const TextFileContent& content) {
    loading_ = true;
    Text->setPlainText(content.Text);
    loading_ = false;
    format_ = content.Format;
    editorName_ = path;
    SetEditorTitle(FileTitle(path));
    textChanged_ = false;
    undo_ = false;
    redo_ = false;
    emit StateChanged();
}

QString frmEditor::PlainText() const {
    return Text->toPlainText();
}

// ---- Changes and the caret ----

void frmEditor::Text_Change() {
    if (loading_) return;
    undo_ = true;
    redo_ = false;
    textChanged_ = true;
    emit StateChanged();
}

void frmEditor::Text_SelChange() {
    emit CaretMoved(CaretLine(), CaretColumn());
    emit StateChanged();
}

TextSelection frmEditor::Selection() const {
    const QTextCursor cursor = Text->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

QString frmEditor::SelectedText() const {
    return PlainOf(Text->textCursor().selectedText());
}

void frmEditor::Select(qsizetype start, qsizetype length) {
    QTextCursor cursor = Text->textCursor();
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    Text->setTextCursor(cursor);
}

void frmEditor::ReplaceSelection(const QString& text) {
    QTextCursor cursor = Text->textCursor();
    cursor.insertText(text);
    Text->setTextCursor(cursor);
}

void frmEditor::ReplaceRange(qsizetype from, qsizetype to, const QString& text, qsizetype caret) {
    QTextCursor cursor(Text->document());
    cursor.beginEditBlock();
    cursor.setPosition(int(from));
    cursor.setPosition(int(to), QTextCursor::KeepAnchor);
    cursor.insertText(text);
    cursor.endEditBlock();
    cursor.setPosition(int(caret));
    Text->setTextCursor(cursor);
}

qsizetype frmEditor::CaretLine() const {
    return Text->document()->findBlock(int(Selection().Start)).blockNumber();
}

qsizetype frmEditor::CaretColumn() const {
    const qsizetype start = Selection().Start;
    return start - Text->document()->findBlock(int(start)).position();
}

qsizetype frmEditor::LastLine() const {
    return Text->document()->blockCount() - 1;
}

void frmEditor::GoToLine(qint64 line) {
    const qint64 target = std::clamp<qint64>(line - 1, 0, LastLine());
    QTextCursor cursor = Text->textCursor();
    cursor.setPosition(Text->document()->findBlockByNumber(int(target)).position());
    Text->setTextCursor(cursor);
    Text->setFocus();
}

// ---- Edit commands ----

void frmEditor::EditUndo() {
    Text->undo();
    undo_ = false;
    redo_ = true;
    emit StateChanged();
}

// The control's undo request reverses the last undo.
void frmEditor::EditRedo() {
    Text->redo();
    undo_ = true;
    redo_ = false;
    emit StateChanged();
}

// One level of undo: pressed again, the undo key takes the undo back.
void frmEditor::UndoKey() {
    if (undo_)
        EditUndo();
    else if (redo_)
        EditRedo();
}

void frmEditor::EditCopy() {
    if (HasSelection()) QGuiApplication::clipboard()->setText(SelectedText());
}

void frmEditor::EditCut() {
    if (!HasSelection()) return;
    EditCopy();
    ReplaceSelection(QString());
}

void frmEditor::EditPaste() {
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty()) ReplaceSelection(text);
}

void frmEditor::EditDelete() {
    if (HasSelection()) ReplaceSelection(QString());
}

void frmEditor::EditSelectAll() {
    Text->selectAll();
}

// ---- Saving ----

bool frmEditor::Save() {
    if (editorName_.isEmpty()) return SaveAs();
    return SaveEditor();
}

bool frmEditor::SaveAs() {
    FileRequest request;
    request.Title = kSaveAsTitle;
    request.Filter = kSaveAsFilter;
    request.FileName = editorName_.isEmpty() ? editorTitle_ : editorName_;
    request.FilterIndex = SaveAsFilterIndex(request.FileName);
    request.HideReadOnly = true;
    request.OverwritePrompt = true;
    const FileAnswer answer =
        dialogFolders_ ? dialogFolders_->SaveFile(prompt_, request) : prompt_.SaveFile(request);
    if (!answer.Accepted || answer.FileName.isEmpty()) return false;
    // The editor takes the new name only once the file is written.
    if (!WriteTo(answer.FileName)) return false;
    editorName_ = answer.FileName;
    SetEditorTitle(FileTitle(answer.FileName));
    emit Saved(editorName_);
    return true;
}

bool frmEditor::SaveEditor() {
    if (!WriteTo(editorName_)) return false;
    emit Saved(editorName_);
    return true;
}

bool frmEditor::WriteTo(const QString& path) {
    TextFileContent content{PlainText(), format_};
    QString error;
    bool written = false;
    {
        WaitCursor wait;
        written = WriteTextFile(path, content, error);
    }
    if (!written) {
        prompt_.Message(DravikTitle(QStringLiteral("File Error")), CantSaveText(path, error),
                        PromptIcon::Exclamation);
        return false;
    }
    format_ = content.Format;
    SetTextChanged(false);
    return true;
}

// ---- Closing ----

bool frmEditor::QueryUnload() {
    if (!textChanged_) return true;
    switch (prompt_.Message(DravikTitle(QStringLiteral("Warning")), SaveChangesText(editorTitle_),
                            PromptIcon::Exclamation, PromptButtons::YesNoCancel)) {
    case PromptAnswer::Yes: return Save();
    case PromptAnswer::No: return true;
    default: return false;
    }
}

void frmEditor::closeEvent(QCloseEvent* event) {
    // Once it agreed to close, a later close (the frame closing every window) asks nothing.
    if (unloaded_ || QueryUnload()) {
        unloaded_ = true;
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace quorvel
