// The Go To Address dialog (frmAddress): one text box for an address, as a
// number ("$E000", "57344", word range) or as a label of the symbol table.
//
//     frmAddress dialog(symbols, prompt, this);
//     if (prompt.ShowModal(dialog) == QDialog::Accepted && dialog.AddressEntered)
//         show(dialog.Address);
//
// OK with an empty box puts the focus back into it; text that is neither a
// number nor a known label empties the box and says "Invalid Address !",
// and the dialog stays open.
#pragma once

#include <cstdint>

#include <QDialog>
#include <QString>

#include "codetools/SymbolTable.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel {

class Prompt;

inline const QString kInvalidAddress = QStringLiteral("Invalid Address !");

class frmAddress : public QDialog {
    Q_OBJECT
public:
    frmAddress(const SymbolTable& symbols, Prompt& prompt, QWidget* parent = nullptr);

    bool AddressEntered = false;
    int32_t Address = 0;

    QLineEdit* txtAdr = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

public slots:
    void cmdOK_Click();

private:
    const SymbolTable& symbols_;
    Prompt& prompt_;
};

} // namespace quorvel
