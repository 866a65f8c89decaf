// The watch-address dialog: an address ("$C000", "49152", "%...", "@...") or a
// label of the symbol table ("start"), and whether a byte or a word is
// watched. OK takes a number first, else a label; a text that is neither is
// refused with "Invalid Address !" and the dialog stays open.
//
//     frmWatchAdr dialog(prompt, symbols, "$C000", false);
//     if (prompt.ShowModal(dialog) == QDialog::Accepted)
//         watches.Add(dialog.EnterValue(), dialog.EnterName(), dialog.EnterWide());
#pragma once

#include <cstdint>
#include <functional>

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quorvel {

class Prompt;
class SymbolTable;

class frmWatchAdr : public QDialog {
    Q_OBJECT
public:
    frmWatchAdr(Prompt& prompt, const SymbolTable& symbols, const QString& text, bool wide,
                QWidget* parent = nullptr);

    QLabel* lbAdr;
    QLineEdit* txtAdr;
    QGroupBox* fraType;
    QRadioButton* optByte;
    QRadioButton* optWord;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    // Called after the "Invalid Address !" message (the caller brings the watch window forward).
    std::function<void()> OnInvalidAddress;

    // True once OK took a valid address.
    bool EnterOK() const { return enterOK_; }
    int32_t EnterValue() const { return enterValue_; }
    // The label in upper case, or empty for a number.
    const QString& EnterName() const { return enterName_; }
    bool EnterWide() const { return enterWide_; }

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Prompt& prompt_;
    const SymbolTable& symbols_;
    bool enterOK_ = false;
    int32_t enterValue_ = -1;
    QString enterName_;
    bool enterWide_ = false;
};

} // namespace quorvel
