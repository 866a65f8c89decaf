// The text control of an editor window: a plain-text edit that leaves undo
// and redo to its window, which keeps the one level of undo the editor
// offers (a second undo takes the first back).
#pragma once

#include <QPlainTextEdit>

namespace quorvel {

class EditorText : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit EditorText(QWidget* parent = nullptr);

signals:
    // The undo and redo keys (Ctrl+Z, Ctrl+Y and their platform variants).
    void UndoKey();
    void RedoKey();
    // A right click asks for the edit menu at a global position.
    void EditMenuRequested(const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace quorvel
