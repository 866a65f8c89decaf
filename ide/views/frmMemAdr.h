// frmMemAdr, the memory window's Display Address dialog: one box for a
// hexadecimal address of up to four digits, OK and Cancel.
//
//     frmMemAdr dialog(prompt, this);
//     if (prompt.ShowModal(dialog) == QDialog::Accepted && dialog.EnterOK) show(dialog.EnterAddress);
//
// Typed characters other than hexadecimal digits are discarded; Enter with
// text in the box acts as OK; OK with an empty box puts the focus back into
// it; text that is no address of four digits at most (pasted text) empties
// the box and says "Invalid Address !", and the dialog stays open.
#pragma once

#include <cstdint>

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quorvel {

class Prompt;

class frmMemAdr : public QDialog {
    Q_OBJECT
public:
    explicit frmMemAdr(Prompt& prompt, QWidget* parent = nullptr);

    bool EnterOK = false;
    int32_t EnterAddress = 0;

    QLineEdit* txtAdr = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

public slots:
    void cmdOK_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A key typed into txtAdr; true when it was taken care of here.
    bool txtAdr_KeyPress(QKeyEvent* event);

    Prompt& prompt_;
};

} // namespace quorvel
