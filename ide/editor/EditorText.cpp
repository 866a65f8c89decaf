#include "editor/EditorText.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

namespace quorvel {

EditorText::EditorText(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("Text"));
    // Source lines are never wrapped: one text line is one line on screen.
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The selection stays visible while the find dialog has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
}

void EditorText::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        emit UndoKey();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        emit RedoKey();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void EditorText::contextMenuEvent(QContextMenuEvent* event) {
    emit EditMenuRequested(event->globalPos());
    event->accept();
}

} // namespace quorvel
