#include "frame/frmAbout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame/ToolIcons.h"

#ifndef QUORVEL_VERSION_MAJOR
#define QUORVEL_VERSION_MAJOR 1
#endif
#ifndef QUORVEL_VERSION_MINOR
#define QUORVEL_VERSION_MINOR 0
#endif

namespace quorvel {

QString VersionText() {
    return QStringLiteral("Version ") + QString::number(QUORVEL_VERSION_MAJOR) + QLatin1Char('.') +
           QString::number(QUORVEL_VERSION_MINOR);
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Quorvel"));

    auto* icon = new QLabel;
    icon->setPixmap(DrawnToolIcon(QStringLiteral("Assemble")).pixmap(48, 48));
    lbTitle = new QLabel(QStringLiteral("<b>Quorvel</b>"));
    lbTitle->setObjectName(QStringLiteral("lbTitle"));
    lbVersion = new QLabel(VersionText());
    lbVersion->setObjectName(QStringLiteral("lbVersion"));
    lbDescription = new QLabel(QStringLiteral("Development environment for the Motorola 68HC11:\n"
                                              "editor, assembler front-end, simulator and board debugger."));
    lbDescription->setObjectName(QStringLiteral("lbDescription"));
    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(lbTitle);
    text->addWidget(lbVersion);
    text->addSpacing(8);
    text->addWidget(lbDescription);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

} // namespace quorvel
