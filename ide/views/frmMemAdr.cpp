#include "views/frmMemAdr.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "frame/DialogButtons.h"
#include "frame/DialogHelp.h"
#include "frame/HelpTopics.h"
#include "frame/Prompt.h"
#include "views/MemoryAddressEntry.h"

namespace quorvel {

namespace {
const QString kCaption = QStringLiteral("Memory Display Address");
} // namespace

frmMemAdr::frmMemAdr(Prompt& prompt, QWidget* parent) : QDialog(parent), prompt_(prompt) {
    setObjectName(QStringLiteral("frmMemAdr"));
    setWindowTitle(kCaption);
    SetDialogHelpTopic(*this, kTopicContents);

    auto* label = new QLabel(QStringLiteral("Hex Address:"));
    txtAdr = new QLineEdit;
    txtAdr->setObjectName(QStringLiteral("txtAdr"));
    txtAdr->setMaxLength(5);
    label->setBuddy(txtAdr);
    const OkCancelButtons buttons = MakeOkCancelButtons();
    cmdOK = buttons.OK;
    cmdCancel = buttons.Cancel;

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(txtAdr, 0, 1);
    layout->addLayout(buttons.Row, 1, 0, 1, 2);

    connect(cmdOK, &QPushButton::clicked, this, &frmMemAdr::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    txtAdr->installEventFilter(this);
    txtAdr->setFocus();
}

void frmMemAdr::cmdOK_Click() {
    const QString text = txtAdr->text();
    if (text.isEmpty()) {
        txtAdr->setFocus();
        return;
    }
    const int32_t address = MemoryAddressValue(text);
    if (address < 0) {
        txtAdr->clear();
        prompt_.Message(DravikTitle(kCaption), QStringLiteral("Invalid Address !"), PromptIcon::Information);
        txtAdr->setFocus();
        return;
    }
    EnterAddress = address;
    EnterOK = true;
    accept();
}

bool frmMemAdr::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtAdr && event->type() == QEvent::KeyPress &&
        txtAdr_KeyPress(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool frmMemAdr::txtAdr_KeyPress(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!txtAdr->text().isEmpty()) cmdOK_Click();
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return false;
    default: break;
    }
    // Shortcuts (select all, copy, paste) keep working; pasted text is checked by OK.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString typed = event->text();
    if (typed.size() != 1) return true;
    const int at = txtAdr->hasSelectedText() ? txtAdr->selectionStart() : txtAdr->cursorPosition();
    const QChar digit =
        MemoryAddressKey(typed.front(), at, int(txtAdr->text().size()), int(txtAdr->selectedText().size()));
    if (!digit.isNull()) txtAdr->insert(QString(digit));
    return true;
}

} // namespace quorvel
