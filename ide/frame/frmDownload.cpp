#include "frame/frmDownload.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "frame/NumberText.h"
#include "frame/Prompt.h"

namespace quorvel {

namespace {
const QString kDownloadErrorTitle = QStringLiteral("Dravik - Download Error");
const QString kDownloadTitle = QStringLiteral("Dravik - Download");
} // namespace

QString NoRecordsText(const QString& path) {
    return QFileInfo(path).fileName() + QStringLiteral(": No Valid S1 Record, Nothing Loaded !");
}

QString TooLargeDownloadText(const QString& path) {
    return QFileInfo(path).fileName() + QStringLiteral(": ") + TooLargeText() +
           QStringLiteral(", Nothing Loaded !");
}

QString FlawedLinesText(const QString& path, const SRecordFlaws& flaws) {
    return QFileInfo(path).fileName() + QStringLiteral(": ") + FlawsText(flaws) + QStringLiteral(" !");
}

QString DownloadSizeText(int count) {
    QString text = QString::number(count) + QStringLiteral(" bytes");
    if (count == 1) text.chop(1);
    return text;
}

class frmDownload::Observer : public DownloadObserver {
public:
    explicit Observer(frmDownload& form) : form_(form) {}

    void Record(uint16_t address, int count) override {
        form_.lbAddress->setText(QStringLiteral("Address = $") + HexPad(address, 4));
        form_.lbSize->setText(DownloadSizeText(count));
    }
    void Progress(int percent) override { form_.ProgressBar->setValue(percent); }
    bool Cancelled() override {
        QCoreApplication::processEvents();
        return form_.cancel_;
    }

private:
    frmDownload& form_;
};

frmDownload::frmDownload(const QString& path, TargetAccess& target, Prompt& prompt, QWidget* parent)
    : QDialog(parent), path_(path), target_(target), prompt_(prompt) {
    setObjectName(QStringLiteral("frmDownload"));
    setWindowTitle(QStringLiteral("Download"));
    lbAddress = new QLabel;
    lbAddress->setObjectName(QStringLiteral("lbAddress"));
    lbSize = new QLabel;
    lbSize->setObjectName(QStringLiteral("lbSize"));
    ProgressBar = new QProgressBar;
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbAddress);
    layout->addWidget(lbSize);
    layout->addWidget(ProgressBar);
    layout->addWidget(cmdCancel, 0, Qt::AlignHCenter);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDownload::cmdCancel_Click);
}

void frmDownload::cmdCancel_Click() {
    cancel_ = true;
}

// Esc and the close button cancel like the Cancel button; the window closes
// once the download has noticed it.
void frmDownload::reject() {
    if (started_ && !finished_) {
        cmdCancel_Click();
        return;
    }
    QDialog::reject();
}

void frmDownload::closeEvent(QCloseEvent* event) {
    if (started_ && !finished_) {
        cmdCancel_Click();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

// The work starts once the window is on the screen.
void frmDownload::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) QTimer::singleShot(0, this, &frmDownload::Form_Activate);
}

void frmDownload::Form_Activate() {
    if (started_) return;
    started_ = true;
    QCoreApplication::processEvents();
    ProgressBar->setValue(0);
    Observer observer(*this);
    outcome_ = LoadS19(path_, target_, &observer);
    // A file that cannot be read, like a failed erase, ends the download with
    // nothing written.
    if (outcome_.Result == DownloadResult::EraseFailed || outcome_.Result == DownloadResult::FileError)
        prompt_.Message(kDownloadErrorTitle, QStringLiteral("Can't Write to Memory !"),
                        PromptIcon::Exclamation);
    // Loading nothing must not look like a download.
    if (outcome_.Result == DownloadResult::NoRecords)
        prompt_.Message(kDownloadErrorTitle, NoRecordsText(path_), PromptIcon::Exclamation);
    if (outcome_.Result == DownloadResult::TooLarge)
        prompt_.Message(kDownloadErrorTitle, TooLargeDownloadText(path_), PromptIcon::Exclamation);
    // A broken file must not look like a good one: what was loaded stays, the
    // skipped and unclean lines are named once.
    if (outcome_.Result == DownloadResult::Done && outcome_.Records > 0 && outcome_.Flaws.Lines > 0)
        prompt_.Message(kDownloadTitle, FlawedLinesText(path_, outcome_.Flaws), PromptIcon::Exclamation);
    finished_ = true;
    lbAddress->clear();
    lbSize->clear();
    done(outcome_.Result == DownloadResult::Done ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace quorvel
