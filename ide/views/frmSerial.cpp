#include "views/frmSerial.h"

#include <QApplication>
#include <QMenu>
#include <QVBoxLayout>

#include "frame/MainWindow.h"
#include "views/TerminalKeys.h"

namespace quorvel {

namespace {

const QString kSerialView = QStringLiteral("mnuViewSerialTerminal");

// A tenth of the client area in from the top left, eight tenths of it in size.
WindowPlacement SerialDefaultPlacement(QSizeF client) {
    const auto width = float(client.width());
    const auto height = float(client.height());
    return {0.1f * width, 0.1f * height, 0.8f * width, 0.8f * height, kStateNormal};
}

} // namespace

frmSerial::frmSerial(frmMain& frame, QWidget* parent) : QWidget(parent), frame_(frame) {
    setObjectName(QStringLiteral("frmSerial"));
    setWindowTitle(QStringLiteral("Serial Terminal"));

    RichText = new TerminalText;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichText);
    setFocusProxy(RichText);

    connect(RichText, &TerminalText::KeyTyped, this, &frmSerial::RichText_KeyTyped);
    connect(RichText, &TerminalText::PopupRequested, this, &frmSerial::RichText_Popup);
}

TerminalScreen::Mode frmSerial::DisplayMode() const {
    return frame_.Checked(QStringLiteral("mnuPopupSerialAscii")) ? TerminalScreen::Mode::Character
                                                                 : TerminalScreen::Mode::Hex;
}

void frmSerial::Display(const QByteArray& InData) {
    const int bells = screen_.Display(InData, DisplayMode());
    RichText->ShowScreen(screen_);
    bells_ += bells;
    for (int i = 0; i < bells; ++i)
        QApplication::beep();
}

void frmSerial::Clear() {
    screen_.Clear();
    RichText->ShowScreen(screen_);
}

// Nothing typed is shown here; what goes to the board comes back through Display.
void frmSerial::RichText_KeyTyped(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const QByteArray bytes = TerminalKeyBytes(key, modifiers, text, {!frame_.SimEnabled, frame_.Running});
    if (!bytes.isEmpty()) frame_.MSComm().Output(bytes);
}

void frmSerial::RichText_Popup(QPoint globalPosition) {
    if (QMenu* popup = frame_.Menu(QStringLiteral("mnuPopupSerial"))) popup->popup(globalPosition);
}

void InstallSerialTerminal(frmMain& frame) {
    frame.RegisterView({kSerialView, QStringLiteral("frmSerial"), QStringLiteral("Serial"),
                        SerialDefaultPlacement, [&frame] { return new frmSerial(frame); }});
}

} // namespace quorvel
