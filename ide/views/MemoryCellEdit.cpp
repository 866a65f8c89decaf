#include "views/MemoryCellEdit.h"

#include <algorithm>

namespace quorvel {

MemoryCellEdit::MemoryCellEdit(Kind kind, QString text)
    : kind_(kind), text_(std::move(text)), caret_(int(text_.size())), selectionStart_(0),
      selectionLength_(int(text_.size())) {}

MemoryCellEdit::MemoryCellEdit(Kind kind, QString text, int caret, int selectionStart, int selectionLength)
    : kind_(kind), text_(std::move(text)) {
    const int size = int(text_.size());
    caret_ = std::clamp(caret, 0, size);
    selectionStart_ = std::clamp(selectionStart, 0, size);
    selectionLength_ = std::clamp(selectionLength, 0, size - selectionStart_);
}

QChar MemoryCellEdit::Accepted(QChar typed) const {
    const char16_t code = typed.unicode();
    if (kind_ == Kind::Char) return code >= 32 && code <= 126 ? typed : QChar();
    if (code >= u'a' && code <= u'f') return QChar(char16_t(code - u'a' + u'A'));
    if ((code >= u'0' && code <= u'9') || (code >= u'A' && code <= u'F')) return typed;
    return QChar();
}

bool MemoryCellEdit::Type(QChar typed) {
    const QChar accepted = Accepted(typed);
    if (accepted.isNull()) return false;
    const int position = selectionLength_ > 0 ? selectionStart_ : caret_;
    if (position >= Width()) return false;
    // Overwrite: the typed character takes the place of the one at the caret.
    if (position < text_.size())
        text_[position] = accepted;
    else
        text_.append(accepted);
    caret_ = position + 1;
    selectionStart_ = caret_;
    selectionLength_ = 0;
    return true;
}

void MemoryCellEdit::RemoveSelection() {
    text_.remove(selectionStart_, selectionLength_);
    caret_ = selectionStart_;
    selectionLength_ = 0;
}

void MemoryCellEdit::Backspace() {
    if (selectionLength_ > 0) {
        RemoveSelection();
        return;
    }
    if (caret_ == 0) return;
    text_.remove(caret_ - 1, 1);
    --caret_;
    selectionStart_ = caret_;
}

void MemoryCellEdit::Delete() {
    if (selectionLength_ > 0) {
        RemoveSelection();
        return;
    }
    if (caret_ < text_.size()) text_.remove(caret_, 1);
    selectionStart_ = caret_;
}

} // namespace quorvel
