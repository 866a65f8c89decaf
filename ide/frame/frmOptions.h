// The options dialog: the editors' screen font, the print font, the serial
// port of the board and the choice of the simulator as target. It edits a
// copy of the values; the frame takes them over when the dialog was closed
// with OK.
#pragma once

#include <QDialog>
#include <QStringList>

#include "frame/FontSetting.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace quorvel {

class Prompt;

struct OptionsValues {
    FontSetting ScreenFont;
    FontSetting PrintFont;
    int COMPort = 2;
    QString COMPortName;
    bool SimEnabled = false;

    friend bool operator==(const OptionsValues&, const OptionsValues&) = default;
};

class frmOptions : public QDialog {
    Q_OBJECT
public:
    // `devices` are the serial devices found on this machine; they are listed
    // after the numbered ports.
    frmOptions(const OptionsValues& values, const QStringList& devices, Prompt& prompt,
               QWidget* parent = nullptr);

    // The values as edited; meaningful after OK.
    const OptionsValues& Values() const { return values_; }

    QLabel* lbEName;
    QLabel* lbESize;
    QLabel* lbEStyle;
    QPushButton* cmdESet;
    QLabel* lbPName;
    QLabel* lbPSize;
    QLabel* lbPStyle;
    QPushButton* cmdPSet;
    QComboBox* cbComPort;
    QCheckBox* chSimEnabled;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    void cmdESet_Click();
    void cmdPSet_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void CreateWidgets(const QStringList& devices);
    void ConnectWidgets();
    void ShowFonts();

    OptionsValues values_;
    Prompt& prompt_;
};

} // namespace quorvel
