#include "views/TerminalText.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "frame/FontSetting.h"
#include "frame/Fonts.h"

namespace quorvel {

namespace {

const FontSetting kTerminalFont{QStringLiteral("Terminal"), 9, false, false};

} // namespace

TerminalText::TerminalText(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("RichText"));
    setFont(ResolveFont(kTerminalFont));
    setReadOnly(true);
    // Read-only, yet the caret shows where the board's output goes next.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void TerminalText::ShowScreen(TerminalScreen& screen) {
    const TerminalScreen::Changes changes = screen.TakeChanges();
    QTextDocument* document = this->document();
    if (changes.Reset) {
        setPlainText(screen.Text());
    } else if (changes.DroppedLines > 0 || changes.FirstChangedLine >= 0) {
        QTextCursor cursor(document);
        cursor.beginEditBlock();
        if (changes.DroppedLines > 0) {
            const QTextBlock firstKept = document->findBlockByNumber(changes.DroppedLines);
            cursor.setPosition(0);
            if (firstKept.isValid())
                cursor.setPosition(firstKept.position(), QTextCursor::KeepAnchor);
            else
                cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        if (changes.FirstChangedLine >= 0) {
            const QTextBlock first = document->findBlockByNumber(changes.FirstChangedLine);
            if (first.isValid())
                cursor.setPosition(first.position());
            else
                cursor.movePosition(QTextCursor::End);
            cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cursor.insertText(screen.TextFrom(changes.FirstChangedLine));
        }
        cursor.endEditBlock();
    }
    PutCaret(screen);
}

void TerminalText::PutCaret(const TerminalScreen& screen) {
    const QTextBlock block = document()->findBlockByNumber(screen.CaretLine());
    QTextCursor cursor(document());
    if (block.isValid())
        cursor.setPosition(block.position() + std::min(screen.CaretColumn(), block.length() - 1));
    else
        cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TerminalText::keyPressEvent(QKeyEvent* event) {
    emit KeyTyped(event->key(), event->modifiers(), event->text());
    event->accept();
}

void TerminalText::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) clickCaret_ = textCursor().position();
    QPlainTextEdit::mousePressEvent(event);
}

void TerminalText::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(clickCaret_, document()->characterCount() - 1));
    setTextCursor(cursor);
}

void TerminalText::contextMenuEvent(QContextMenuEvent* event) {
    emit PopupRequested(event->globalPos());
    event->accept();
}

bool TerminalText::focusNextPrevChild(bool /*next*/) {
    return false;
}

} // namespace quorvel
