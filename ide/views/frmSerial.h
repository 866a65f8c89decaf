// The serial terminal: the console of the user program on the board. It
// shows what the board sends while the program runs, as characters or as a
// hex dump (the frame's pop-up items mnuPopupSerialAscii / mnuPopupSerialHex
// choose), and sends the keys typed into it to the board while the program
// runs there. It has nothing to do with the simulator.
//
//     InstallSerialTerminal(frame);   // View > Serial Terminal opens it from now on
//     // the frame hands the board's output over: ShowSerialData(bytes) -> Display(bytes)
#pragma once

#include <QByteArray>
#include <QWidget>

#include "views/TerminalScreen.h"
#include "views/TerminalText.h"

namespace quorvel {

class frmMain;

class frmSerial : public QWidget {
    Q_OBJECT
public:
    explicit frmSerial(frmMain& frame, QWidget* parent = nullptr);

    TerminalText* RichText = nullptr;
    const TerminalScreen& Screen() const { return screen_; }
    // The mode the next bytes are shown in: hex unless Ascii is checked.
    TerminalScreen::Mode DisplayMode() const;
    // Bells rung since the window opened.
    int Bells() const { return bells_; }

public slots:
    // Shows a block of bytes the board sent, one after the other, in the current mode.
    void Display(const QByteArray& InData);
    // The frame's name for Display.
    void ShowSerialData(const QByteArray& bytes) { Display(bytes); }
    // Pop-up Clear: empties the text.
    void Clear();

private:
    void RichText_KeyTyped(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    void RichText_Popup(QPoint globalPosition);

    frmMain& frame_;
    TerminalScreen screen_;
    int bells_ = 0;
};

// Registers the terminal with View > Serial Terminal (placement prefix "Serial").
void InstallSerialTerminal(frmMain& frame);

} // namespace quorvel
