// The value-entry dialog the register, watch and stack windows share: a label
// ("A:"), a text box holding the value as shown, all of it selected, OK and
// Cancel. OK parses the text with ParseNumber, so "$1F", "%101", "@17" and
// "31" are accepted within 0..255 (0..65535 when wide); anything else is
// refused with "Invalid Number !" and the dialog stays open.
//
//     int32_t value = 0;
//     if (EnterValue(prompt, this, "A", "$05", false, value, showHelp)) target.OutByte(0x0000, value);
#pragma once

#include <cstdint>

#include <QDialog>

#include "frame/DialogHelp.h"
#include "frame/HelpTopics.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel {

class Prompt;

class frmEnterVal : public QDialog {
    Q_OBJECT
public:
    frmEnterVal(Prompt& prompt, const QString& name, const QString& text, bool wide,
                QWidget* parent = nullptr);

    QLabel* Label;
    QLineEdit* Text;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    // True once OK took a valid value.
    bool EnterOK() const { return enterOK_; }
    int32_t EnterValue() const { return enterValue_; }

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Prompt& prompt_;
    bool wide_;
    bool enterOK_ = false;
    int32_t enterValue_ = 0;
};

// Shows the dialog modally through the prompt; true and the value when the
// user confirmed a valid number. F1 in it calls showHelp with helpTopic.
bool EnterValue(Prompt& prompt, QWidget* parent, const QString& name, const QString& text, bool wide,
                int32_t& value, ShowHelp showHelp, int helpTopic = kTopicEnterValue);

} // namespace quorvel
