// The I/O board panel ("Input-Output Unit"): a small peripheral board the
// simulator maps at $6000..$6003. The user hands the program one byte through
// the input unit (its "Data Pending" flag at $6000, the byte at $6001); the
// program hands the user one byte through the output unit ("Data Ready" at
// $6002, the byte at $6003), shown in a chosen format and on eight LEDs.
//
//     InstallIoBoard(frame);   // View > IO unit opens it from now on
//
// The target tells the panel of the registers through setInFresh,
// setInDataRegister, setOutFresh and setOutDataRegister; Enter and Read
// write the flags and the input byte straight into the simulator's memory.
#pragma once

#include <array>

#include <QString>
#include <QWidget>

#include "target/ImageTarget.h"
#include "views/IoUnitLamp.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel {

class frmMain;
class Prompt;

class frmIOBOard : public QWidget {
    Q_OBJECT
public:
    frmIOBOard(Prompt& prompt, ImageTarget::Image& memory, QWidget* parent = nullptr);

    // ---- In Unit ----
    QGroupBox* Frame1 = nullptr;
    QLineEdit* TextIn = nullptr;
    QComboBox* ComboFormatIn = nullptr;
    QLineEdit* TextInBinary = nullptr;
    QPushButton* CommandInput = nullptr;
    QLabel* Label4 = nullptr;
    IoUnitLamp* ShapeInFresh = nullptr;
    QLabel* Label2 = nullptr;
    // ---- Out Unit ----
    QGroupBox* Frame2 = nullptr;
    QLineEdit* TextOut = nullptr;
    QComboBox* ComboFormatOut = nullptr;
    QLineEdit* TextOutBinary = nullptr;
    QPushButton* CommandRead = nullptr;
    QLabel* Label3 = nullptr;
    IoUnitLamp* ShapeOutFresh = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* CheckLEDPower = nullptr;
    std::array<IoUnitLamp*, 8> ShapeLed{}; // LED "1" (bit 7) first
    std::array<QLabel*, 8> Label5{};
    QPushButton* CommandClose = nullptr;

    const QString& InputFormat() const { return inputFormat_; }
    const QString& OutputFormat() const { return outputFormat_; }
    // The flags as the indicators show them: "0" or "1".
    QString InFreshText() const;
    QString OutFreshText() const;

public slots:
    // Bit 0 lights or darkens "Data Pending".
    void setInFresh(int setting);
    // The input byte; TextIn, when not empty, shows it in the input format.
    void setInDataRegister(int Data);
    // Bit 0 lights or darkens "Data Ready".
    void setOutFresh(int setting);
    // The output byte: its binary text, the LEDs and TextOut in the output format.
    void setOutDataRegister(int Data);
    // Each LED lit for a 1 bit of the output byte while "LED Power On" is checked.
    void showLED();

    // Enter (or the Enter key in TextIn): the entry becomes the input byte, pending.
    void CommandInput_Click();
    // Read: the output byte is taken, "Data Ready" goes dark.
    void CommandRead_Click();
    void CommandClose_Click();
    void ComboFormatIn_Click();
    void ComboFormatOut_Click();

private:
    void CreateWidgets();
    void ConnectWidgets();

    Prompt& prompt_;
    ImageTarget::Image& memory_;
    QString inputFormat_;
    QString outputFormat_;
};

// Registers the panel with View > IO unit.
void InstallIoBoard(frmMain& frame);

} // namespace quorvel
