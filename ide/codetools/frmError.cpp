#include "codetools/frmError.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "codetools/ErrorList.h"
#include "codetools/FrameAssembler.h"

namespace quorvel {

frmError::frmError(FrameAssembler& assembler, QWidget* owner)
    : QWidget(owner, Qt::Dialog), assembler_(assembler) {
    setObjectName(QStringLiteral("frmError"));
    setAttribute(Qt::WA_DeleteOnClose);
    CreateWidgets();
    ConnectWidgets();
    resize(520, 240);
}

void frmError::CreateWidgets() {
    List = new QListWidget;
    List->setObjectName(QStringLiteral("List"));
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdShow = new QPushButton(QStringLiteral("Show Error"));
    cmdShow->setObjectName(QStringLiteral("cmdShow"));
    cmdShow->setAutoDefault(false);
    cmdClose = new QPushButton(QStringLiteral("Close"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdShow);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List);
    layout->addLayout(buttons);
}

void frmError::ConnectWidgets() {
    connect(cmdShow, &QPushButton::clicked, this, &frmError::cmdShow_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmError::cmdClose_Click);
    // Not the list's "activated": some styles activate an item on a single click.
    connect(List, &QListWidget::doubleClicked, this, &frmError::cmdShow_Click);
    List->installEventFilter(this);
}

bool frmError::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdShow_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmError::LoadErrors() {
    setWindowTitle(assembler_.ErrorFileName());
    List->clear();
    ErrLines.clear();

    std::vector<ErrorListEntry> entries;
    QString error;
    const bool read = ReadErrorFile(assembler_.ErrorFilePath(), entries, error, [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    if (!read) assembler_.CantReadErrors(error);
    for (const ErrorListEntry& entry : entries) {
        ErrLines.push_back(entry.Line);
        List->addItem(entry.Text);
    }

    const bool any = !ErrLines.empty();
    if (any) List->setCurrentRow(0);
    cmdShow->setEnabled(any);

    if (isVisible()) {
        raise();
        activateWindow();
    } else {
        show();
    }
    List->setFocus();
}

void frmError::cmdShow_Click() {
    const int row = List->currentRow();
    if (row < 0 || row >= int(ErrLines.size())) return;
    assembler_.ShowError(ErrLines[std::size_t(row)]);
}

void frmError::cmdClose_Click() {
    close();
}

} // namespace quorvel
