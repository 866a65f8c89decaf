#include "views/TerminalText.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "frame/FontSetting.h"
#include "frame/Fonts.h"
#include "views/TerminalKeys.h"

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
    writeLine_ = screen.CaretLine();
    writeColumn_ = screen.CaretColumn();
    // A selection being read stays where it is; the edits above moved it with its text.
    if (!textCursor().hasSelection()) PutCaret();
}

int TerminalText::WritePosition() const {
    const QTextBlock block = document()->findBlockByNumber(writeLine_);
    if (!block.isValid()) return document()->characterCount() - 1;
    return block.position() + std::min(writeColumn_, block.length() - 1);
}

void TerminalText::PutCaret() {
    QTextCursor cursor(document());
    cursor.setPosition(WritePosition());
    setTextCursor(cursor);
    ensureCursorVisible();
}

bool TerminalText::CopiesSelection(const QKeyEvent& event) const {
    return IsTerminalCopyKey(event.key(), event.modifiers(), textCursor().hasSelection());
}

// The copy keys are the terminal's own, even where a menu item has them as its shortcut.
bool TerminalText::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && CopiesSelection(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void TerminalText::keyPressEvent(QKeyEvent* event) {
    if (CopiesSelection(*event))
        copy();
    else
        emit KeyTyped(event->key(), event->modifiers(), event->text());
    event->accept();
}

void TerminalText::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) clickCaret_ = WritePosition();
    QPlainTextEdit::mousePressEvent(event);
}

// A drag leaves its selection; a plain click leaves the caret where the output goes.
void TerminalText::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !textCursor().hasSelection()) PutCaret();
}

void TerminalText::contextMenuEvent(QContextMenuEvent* event) {
    emit PopupRequested(event->globalPos());
    event->accept();
}

bool TerminalText::focusNextPrevChild(bool /*next*/) {
    return false;
}

} // namespace quorvel
