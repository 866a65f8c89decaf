#include "codetools/frmAddress.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "codetools/AddressEntry.h"
#include "frame/DialogHelp.h"
#include "frame/HelpTopics.h"
#include "frame/Prompt.h"

namespace quorvel {

frmAddress::frmAddress(const SymbolTable& symbols, Prompt& prompt, QWidget* parent)
    : QDialog(parent), symbols_(symbols), prompt_(prompt) {
    setObjectName(QStringLiteral("frmAddress"));
    setWindowTitle(QStringLiteral("Go To Address"));
    SetDialogHelpTopic(*this, kTopicContents);

    auto* lbAdr = new QLabel(QStringLiteral("Address:"));
    lbAdr->setObjectName(QStringLiteral("lbAdr"));
    txtAdr = new QLineEdit;
    txtAdr->setObjectName(QStringLiteral("txtAdr"));
    lbAdr->setBuddy(txtAdr);
    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QGridLayout(this);
    layout->addWidget(lbAdr, 0, 0);
    layout->addWidget(txtAdr, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);

    connect(cmdOK, &QPushButton::clicked, this, &frmAddress::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    txtAdr->setFocus();
}

void frmAddress::cmdOK_Click() {
    const QString text = txtAdr->text();
    if (text.isEmpty()) {
        txtAdr->setFocus();
        return;
    }
    const int32_t value = ParseAddress(text, symbols_);
    if (value < 0) {
        txtAdr->clear();
        prompt_.Message(DravikTitle(QStringLiteral("Go To Address")), kInvalidAddress,
                        PromptIcon::Information);
        txtAdr->setFocus();
        return;
    }
    Address = value;
    AddressEntered = true;
    accept();
}

} // namespace quorvel
