#include "views/MemoryCellEditor.h"

#include <QEvent>
#include <QKeyEvent>

namespace quorvel {

MemoryCellEditor::MemoryCellEditor(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("txtData"));
    setFrame(false);
    setAlignment(Qt::AlignHCenter);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    hide();
}

void MemoryCellEditor::Begin(MemoryCellEdit::Kind kind, const QString& text) {
    kind_ = kind;
    const MemoryCellEdit edit(kind, text);
    setMaxLength(edit.MaxLength());
    setText(edit.Text());
    selectAll();
}

MemoryCellEdit MemoryCellEditor::State() const {
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    return MemoryCellEdit(kind_, text(), cursorPosition(), start, int(selectedText().size()));
}

void MemoryCellEditor::Show(const MemoryCellEdit& edit) {
    setText(edit.Text());
    setCursorPosition(edit.Caret());
}

// Tab switches areas on the grid; inside the editor it does nothing.
bool MemoryCellEditor::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void MemoryCellEditor::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!text().isEmpty()) emit Committed();
        event->accept();
        return;
    case Qt::Key_Escape:
        emit Cancelled();
        event->accept();
        return;
    case Qt::Key_Backspace: {
        MemoryCellEdit edit = State();
        edit.Backspace();
        Show(edit);
        event->accept();
        return;
    }
    case Qt::Key_Delete: {
        MemoryCellEdit edit = State();
        edit.Delete();
        Show(edit);
        event->accept();
        return;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End: QLineEdit::keyPressEvent(event); return;
    default: break;
    }
    // Every other key either types one character or does nothing (no paste, no undo).
    const QString typed = event->text();
    if (typed.size() == 1 &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        MemoryCellEdit edit = State();
        if (edit.Type(typed.front())) Show(edit);
    }
    event->accept();
}

void MemoryCellEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (isVisible()) emit FocusLost();
}

} // namespace quorvel
