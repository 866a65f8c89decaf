#include "frame/frmOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame/DialogHelp.h"
#include "frame/HelpTopics.h"
#include "frame/PortDevice.h"
#include "frame/Prompt.h"
#include "frame/Settings.h"

namespace quorvel {

namespace {

QString SizeText(float size) {
    return Settings::SingleText(size);
}

QGroupBox* FontBox(const QString& title, QLabel*& name, QLabel*& size, QLabel*& style, QPushButton*& set,
                   const QString& prefix) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    name = new QLabel;
    name->setObjectName(QStringLiteral("lb") + prefix + QStringLiteral("Name"));
    size = new QLabel;
    size->setObjectName(QStringLiteral("lb") + prefix + QStringLiteral("Size"));
    style = new QLabel;
    style->setObjectName(QStringLiteral("lb") + prefix + QStringLiteral("Style"));
    set = new QPushButton(QStringLiteral("&Change ..."));
    set->setObjectName(QStringLiteral("cmd") + prefix + QStringLiteral("Set"));
    set->setAutoDefault(false);
    grid->addWidget(new QLabel(QStringLiteral("Name:")), 0, 0);
    grid->addWidget(name, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Size:")), 1, 0);
    grid->addWidget(size, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Style:")), 2, 0);
    grid->addWidget(style, 2, 1);
    grid->addWidget(set, 0, 2, 3, 1, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    return box;
}

} // namespace

frmOptions::frmOptions(const OptionsValues& values, const QStringList& devices, Prompt& prompt,
                       QWidget* parent)
    : QDialog(parent), values_(values), prompt_(prompt) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    SetDialogHelpTopic(*this, kTopicContents);
    CreateWidgets(devices);
    ConnectWidgets();
    ShowFonts();
}

void frmOptions::CreateWidgets(const QStringList& devices) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        FontBox(QStringLiteral("Screen Font"), lbEName, lbESize, lbEStyle, cmdESet, QStringLiteral("E")));
    layout->addWidget(
        FontBox(QStringLiteral("Print Font"), lbPName, lbPSize, lbPStyle, cmdPSet, QStringLiteral("P")));

    auto* target = new QGroupBox(QStringLiteral("Target"));
    auto* form = new QFormLayout(target);
    cbComPort = new QComboBox;
    cbComPort->setObjectName(QStringLiteral("cbComPort"));
    cbComPort->setEditable(true);
    cbComPort->setInsertPolicy(QComboBox::NoInsert);
    cbComPort->setMinimumContentsLength(16);
    // Item index + 1 is the port number for the numbered ports.
    for (int port = 1; port <= kListedPorts; ++port)
        cbComPort->addItem(NumberedPortPath(port));
    for (const QString& device : devices)
        if (cbComPort->findText(device) < 0) cbComPort->addItem(device);
    const QString current = PortDevicePath(values_.COMPort, values_.COMPortName);
    if (const int index = cbComPort->findText(current); index >= 0)
        cbComPort->setCurrentIndex(index);
    else
        cbComPort->setEditText(current);
    form->addRow(QStringLiteral("Serial &port:"), cbComPort);
    chSimEnabled = new QCheckBox(QStringLiteral("Use the &simulator as target"));
    chSimEnabled->setObjectName(QStringLiteral("chSimEnabled"));
    chSimEnabled->setChecked(values_.SimEnabled);
    form->addRow(chSimEnabled);
    layout->addWidget(target);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
}

void frmOptions::ConnectWidgets() {
    connect(cmdESet, &QPushButton::clicked, this, &frmOptions::cmdESet_Click);
    connect(cmdPSet, &QPushButton::clicked, this, &frmOptions::cmdPSet_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
}

void frmOptions::ShowFonts() {
    lbEName->setText(values_.ScreenFont.Name);
    lbESize->setText(SizeText(values_.ScreenFont.Size));
    lbEStyle->setText(FontStyleText(values_.ScreenFont.Bold, values_.ScreenFont.Italic));
    lbPName->setText(values_.PrintFont.Name);
    lbPSize->setText(SizeText(values_.PrintFont.Size));
    lbPStyle->setText(FontStyleText(values_.PrintFont.Bold, values_.PrintFont.Italic));
}

void frmOptions::cmdESet_Click() {
    FontSetting font = values_.ScreenFont;
    if (prompt_.ChooseFont(QStringLiteral("Screen Font"), font, true)) {
        values_.ScreenFont = font;
        ShowFonts();
    }
}

void frmOptions::cmdPSet_Click() {
    FontSetting font = values_.PrintFont;
    if (prompt_.ChooseFont(QStringLiteral("Print Font"), font, true)) {
        values_.PrintFont = font;
        ShowFonts();
    }
}

void frmOptions::cmdOK_Click() {
    values_.SimEnabled = chSimEnabled->isChecked();
    const PortChoice port = ParsePortChoice(cbComPort->currentText(), values_.COMPort);
    if (port.Valid) {
        values_.COMPort = port.COMPort;
        values_.COMPortName = port.COMPortName;
    }
    accept();
}

void frmOptions::cmdCancel_Click() {
    reject();
}

} // namespace quorvel
