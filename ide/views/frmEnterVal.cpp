#include "views/frmEnterVal.h"

#include <utility>

#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame/DialogButtons.h"
#include "frame/DialogHelp.h"
#include "frame/HelpTopics.h"
#include "frame/NumberText.h"
#include "frame/Prompt.h"

namespace quorvel {

frmEnterVal::frmEnterVal(Prompt& prompt, const QString& name, const QString& text, bool wide, QWidget* parent)
    : QDialog(parent), prompt_(prompt), wide_(wide) {
    setObjectName(QStringLiteral("frmEnterVal"));
    setWindowTitle(QStringLiteral("Enter Value"));
    SetDialogHelpTopic(*this, kTopicEnterValue);

    Label = new QLabel(name + QLatin1Char(':'));
    Label->setObjectName(QStringLiteral("Label"));
    Text = new QLineEdit(text);
    Text->setObjectName(QStringLiteral("Text"));
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    Text->setFont(mono);
    Text->selectAll();
    Label->setBuddy(Text);
    const OkCancelButtons buttons = MakeOkCancelButtons();
    cmdOK = buttons.OK;
    cmdCancel = buttons.Cancel;

    auto* entry = new QHBoxLayout;
    entry->addWidget(Label);
    entry->addWidget(Text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addLayout(buttons.Row);

    connect(cmdOK, &QPushButton::clicked, this, &frmEnterVal::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEnterVal::cmdCancel_Click);
    Text->setFocus();
}

void frmEnterVal::cmdOK_Click() {
    if (Text->text().isEmpty()) {
        Text->setFocus();
        return;
    }
    const int32_t value = ParseNumber(Text->text(), wide_);
    if (value == -1) {
        Text->clear();
        prompt_.Message(DravikTitle(QStringLiteral("Enter Value")), QStringLiteral("Invalid Number !"),
                        PromptIcon::Information);
        Text->setFocus();
        return;
    }
    enterValue_ = value;
    enterOK_ = true;
    accept();
}

void frmEnterVal::cmdCancel_Click() {
    reject();
}

// Enter confirms only a non-empty entry; the dialog has no default button, so
// an empty box swallows the key instead of closing.
void frmEnterVal::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!Text->text().isEmpty()) cmdOK_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool EnterValue(Prompt& prompt, QWidget* parent, const QString& name, const QString& text, bool wide,
                int32_t& value, ShowHelp showHelp, int helpTopic) {
    frmEnterVal dialog(prompt, name, text, wide, parent);
    SetDialogHelpTopic(dialog, helpTopic);
    SetDialogHelpHook(dialog, std::move(showHelp));
    prompt.ShowModal(dialog);
    if (!dialog.EnterOK()) return false;
    value = dialog.EnterValue();
    return true;
}

} // namespace quorvel
