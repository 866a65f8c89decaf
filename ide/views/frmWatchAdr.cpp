#include "views/frmWatchAdr.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "frame/DialogButtons.h"
#include "frame/DialogHelp.h"
#include "frame/HelpTopics.h"
#include "frame/Prompt.h"
#include "views/WatchTable.h"

namespace quorvel {

frmWatchAdr::frmWatchAdr(Prompt& prompt, const SymbolTable& symbols, const QString& text, bool wide,
                         QWidget* parent)
    : QDialog(parent), prompt_(prompt), symbols_(symbols), enterWide_(wide) {
    setObjectName(QStringLiteral("frmWatchAdr"));
    setWindowTitle(QStringLiteral("Watch"));
    SetDialogHelpTopic(*this, kTopicWatchAddress);

    lbAdr = new QLabel(QStringLiteral("&Address:"));
    lbAdr->setObjectName(QStringLiteral("lbAdr"));
    txtAdr = new QLineEdit(text);
    txtAdr->setObjectName(QStringLiteral("txtAdr"));
    txtAdr->selectAll();
    lbAdr->setBuddy(txtAdr);

    fraType = new QGroupBox(QStringLiteral("Data Type"));
    fraType->setObjectName(QStringLiteral("fraType"));
    optByte = new QRadioButton(QStringLiteral("&Byte"));
    optByte->setObjectName(QStringLiteral("optByte"));
    optWord = new QRadioButton(QStringLiteral("&Word"));
    optWord->setObjectName(QStringLiteral("optWord"));
    optWord->setChecked(wide);
    optByte->setChecked(!wide);
    auto* types = new QHBoxLayout(fraType);
    types->addWidget(optByte);
    types->addWidget(optWord);

    const OkCancelButtons buttons = MakeOkCancelButtons();
    cmdOK = buttons.OK;
    cmdCancel = buttons.Cancel;

    auto* entry = new QHBoxLayout;
    entry->addWidget(lbAdr);
    entry->addWidget(txtAdr, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(fraType);
    layout->addLayout(buttons.Row);

    connect(cmdOK, &QPushButton::clicked, this, &frmWatchAdr::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmWatchAdr::cmdCancel_Click);
    txtAdr->setFocus();
}

void frmWatchAdr::cmdOK_Click() {
    const QString text = txtAdr->text();
    if (text.isEmpty()) {
        txtAdr->setFocus();
        return;
    }
    QString name;
    const int32_t address = WatchAddressOf(text, symbols_, name);
    enterWide_ = optWord->isChecked();
    if (address == -1) {
        txtAdr->clear();
        prompt_.Message(DravikTitle(QStringLiteral("Watch")), QStringLiteral("Invalid Address !"),
                        PromptIcon::Information);
        if (OnInvalidAddress) OnInvalidAddress();
        txtAdr->setFocus();
        return;
    }
    enterValue_ = address;
    enterName_ = name;
    enterOK_ = true;
    accept();
}

void frmWatchAdr::cmdCancel_Click() {
    reject();
}

// Enter confirms only a non-empty entry; there is no default button, so an
// empty box swallows the key instead of closing.
void frmWatchAdr::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!txtAdr->text().isEmpty()) cmdOK_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quorvel
