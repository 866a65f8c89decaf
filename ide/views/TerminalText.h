// The serial terminal's text box (RichText): shows a TerminalScreen and keeps
// its caret on the screen's write position. Typing never edits it: every key
// is handed on (KeyTyped) and discarded, except Ctrl+C or Ctrl+Insert while
// text is selected, which copy the selection to the clipboard. The left
// button selects text; the selection stays after the button is released, and
// while it stays the caret does not follow the output, so the text can be read
// and copied. A click that selects nothing puts the caret back on the write
// position (ClickCaret), so reading the text never moves it. The right button
// asks for the pop-up menu.
//
//     TerminalScreen screen;
//     TerminalText text;
//     screen.Display(bytes, TerminalScreen::Mode::Character);
//     text.ShowScreen(screen);           // redraws only the lines that changed
#pragma once

#include <QPlainTextEdit>

#include "views/TerminalScreen.h"

namespace quorvel {

class TerminalText : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TerminalText(QWidget* parent = nullptr);

    // Brings the text up to the screen's changes and puts the caret on its write position.
    void ShowScreen(TerminalScreen& screen);
    // The caret position when the left button went down.
    int ClickCaret() const { return clickCaret_; }

signals:
    void KeyTyped(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    void PopupRequested(QPoint globalPosition);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Tab is a key for the board, not a move to the next control.
    bool focusNextPrevChild(bool next) override;

private:
    // The caret on the write position, scrolled into view.
    void PutCaret();
    int WritePosition() const;
    bool CopiesSelection(const QKeyEvent& event) const;

    int writeLine_ = 0;
    int writeColumn_ = 0;
    int clickCaret_ = 0;
};

} // namespace quorvel
