#include "editor/frmLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "editor/EditorText.h"
#include "editor/EditorTexts.h"
#include "editor/frmEditor.h"
#include "frame/DialogHelp.h"
#include "frame/HelpTopics.h"
#include "frame/Prompt.h"

namespace quorvel {

frmLine::frmLine(Prompt& prompt, frmEditor* editor, QWidget* parent)
    : QDialog(parent), prompt_(prompt), editor_(editor) {
    setObjectName(QStringLiteral("frmLine"));
    setWindowTitle(QStringLiteral("Go To Line"));
    SetDialogHelpTopic(*this, kTopicContents);

    lbLine = new QLabel(QStringLiteral("&Line:"));
    lbLine->setObjectName(QStringLiteral("lbLine"));
    txtLine = new QLineEdit;
    txtLine->setObjectName(QStringLiteral("txtLine"));
    // Digits only; the editing keys work as usual.
    txtLine->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txtLine));
    txtLine->setMaxLength(9);
    lbLine->setBuddy(txtLine);
    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* entry = new QHBoxLayout;
    entry->addWidget(lbLine);
    entry->addWidget(txtLine, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmLine::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLine::cmdCancel_Click);
}

void frmLine::cmdOK_Click() {
    const qint64 line = ParseLineEntry(txtLine->text());
    if (line < 1) {
        prompt_.Message(DravikTitle(QStringLiteral("Go To Line")), kLineEntryInvalid,
                        PromptIcon::Information);
        txtLine->clear();
        txtLine->setFocus();
        return;
    }
    if (editor_) editor_->GoToLine(line);
    accept();
}

void frmLine::cmdCancel_Click() {
    reject();
    if (editor_) editor_->Text->setFocus();
}

} // namespace quorvel
