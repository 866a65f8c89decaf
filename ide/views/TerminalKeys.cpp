#include "views/TerminalKeys.h"

#include <optional>

#include "views/TerminalCodePages.h"

namespace quorvel {

namespace {

bool MovesTheCaret(int key) {
    switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: return true;
    default: return false;
    }
}

// Select all, copy, paste, cut and undo.
bool EditingShortcut(int key, Qt::KeyboardModifiers modifiers) {
    if (!(modifiers & Qt::ControlModifier)) return false;
    return key == Qt::Key_A || key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X || key == Qt::Key_Z;
}

} // namespace

QByteArray TerminalKeyBytes(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                            TerminalTarget target) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return target.Board ? QByteArray("\r\n") : QByteArray();
    if (key == Qt::Key_Backspace) return target.Board ? QByteArray(1, '\b') : QByteArray();
    if (MovesTheCaret(key) || EditingShortcut(key, modifiers)) return {};
    if (!target.Board || !target.Running) return {};
    QByteArray bytes;
    for (const QChar character : text)
        if (const std::optional<uint8_t> code = TypedKeyByte(character))
            bytes.append(static_cast<char>(*code));
    return bytes;
}

bool IsTerminalCopyKey(int key, Qt::KeyboardModifiers modifiers, bool hasSelection) {
    if (!hasSelection) return false;
    const Qt::KeyboardModifiers held = modifiers & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    return held == Qt::ControlModifier && (key == Qt::Key_C || key == Qt::Key_Insert);
}

} // namespace quorvel
