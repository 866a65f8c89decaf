// The download's modal progress window: it loads an S-record file onto the
// target on its first activation and closes itself at the end.
//
//     frmDownload dialog(path, frame.Targets(), prompt, &frame);
//     prompt.ShowModal(dialog);          // the first show runs Form_Activate
//     if (dialog.Started()) ... dialog.Outcome() ...
//
// A scripted prompt that does not show the window calls Form_Activate itself.
#pragma once

#include <QDialog>
#include <QString>

#include "download/LoadS19.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace quorvel {

class Prompt;
class TargetAccess;

class frmDownload : public QDialog {
    Q_OBJECT
public:
    frmDownload(const QString& path, TargetAccess& target, Prompt& prompt, QWidget* parent = nullptr);

    QLabel* lbAddress = nullptr;
    QLabel* lbSize = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* cmdCancel = nullptr;

    // Performs the download on the first call only, then closes the window.
    void Form_Activate();
    bool Started() const { return started_; }
    const DownloadOutcome& Outcome() const { return outcome_; }
    // The user pressed Cancel.
    bool CancelPressed() const { return cancel_; }

public slots:
    void cmdCancel_Click();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Observer;

    QString path_;
    TargetAccess& target_;
    Prompt& prompt_;
    bool started_ = false;
    bool cancel_ = false;
    bool finished_ = false;
    DownloadOutcome outcome_;
};

// "16 bytes", "1 byte".
QString DownloadSizeText(int count);
// The message for a file that holds no valid S1 record.
QString NoRecordsText(const QString& path);
// The message for a file above the size limit.
QString TooLargeDownloadText(const QString& path);
// The message after a download that skipped lines or met unclean ones.
QString FlawedLinesText(const QString& path, const SRecordFlaws& flaws);

} // namespace quorvel
