#include "frame/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "frame/HelpTopics.h"

namespace quorvel {

HelpWindow::HelpWindow(QString folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(std::move(folder)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Quorvel Help"));
    resize(720, 560);

    txtHelp = new QTextBrowser;
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setOpenExternalLinks(true);
    txtHelp->setSearchPaths({folder_});

    cmdContents = new QToolButton;
    cmdContents->setText(QStringLiteral("&Contents"));
    cmdBack = new QToolButton;
    cmdBack->setText(QStringLiteral("&Back"));
    cmdBack->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    cmdForward = new QToolButton;
    cmdForward->setText(QStringLiteral("&Forward"));
    cmdForward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    for (QToolButton* button : {cmdContents, cmdBack, cmdForward})
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);

    connect(cmdContents, &QToolButton::clicked, this, [this] { ShowPage(kHelpContentsPage); });
    connect(cmdBack, &QToolButton::clicked, txtHelp, &QTextBrowser::backward);
    connect(cmdForward, &QToolButton::clicked, txtHelp, &QTextBrowser::forward);
    connect(txtHelp, &QTextBrowser::backwardAvailable, cmdBack, &QToolButton::setEnabled);
    connect(txtHelp, &QTextBrowser::forwardAvailable, cmdForward, &QToolButton::setEnabled);
    connect(txtHelp, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = txtHelp->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Quorvel Help")
                                       : QStringLiteral("Quorvel Help - ") + title);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdContents);
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(txtHelp, 1);
}

bool HelpWindow::ShowPage(const QString& page, const QString& anchor) {
    const QString path = QDir(folder_).filePath(page);
    if (!QFileInfo(path).isFile()) return false;
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    txtHelp->setSource(url);
    return true;
}

} // namespace quorvel
