// txtData, the memory window's in-place editor: a one-line box laid over the
// cell being edited that overwrites as MemoryCellEdit says. Enter with text
// in it commits, Esc cancels, losing the focus cancels too. Pasting and
// dropping text are off, so only typed characters reach the cell.
#pragma once

#include <QLineEdit>

#include "views/MemoryCellEdit.h"

namespace quorvel {

class MemoryCellEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit MemoryCellEditor(QWidget* parent = nullptr);

    // Shows `text` with all of it selected, for a cell of the given kind.
    void Begin(MemoryCellEdit::Kind kind, const QString& text);
    MemoryCellEdit::Kind kind() const { return kind_; }

signals:
    void Committed();
    void Cancelled();
    void FocusLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    MemoryCellEdit State() const;
    void Show(const MemoryCellEdit& edit);

    MemoryCellEdit::Kind kind_ = MemoryCellEdit::Kind::Hex;
};

} // namespace quorvel
