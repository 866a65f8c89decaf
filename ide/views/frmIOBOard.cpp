#include "views/frmIOBOard.h"

#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "frame/FontSetting.h"
#include "frame/Fonts.h"
#include "frame/MainWindow.h"
#include "frame/Prompt.h"
#include "target/IoUnit.h"
#include "views/IoUnitFormats.h"

namespace quorvel {

namespace {

const QString kIoUnitView = QStringLiteral("mnuViewIOunit");
const FontSetting kValueFont{QStringLiteral("Arial"), 10, false, false};
const QString kZeroByte = QStringLiteral("00000000");

QLineEdit* BinaryBox(const QString& name) {
    auto* box = new QLineEdit(kZeroByte);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setMaxLength(8);
    return box;
}

QLabel* Caption(const QString& name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

QPushButton* Button(const QString& name, const QString& text) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

IoUnitLamp* Lamp(const QString& name) {
    auto* lamp = new IoUnitLamp;
    lamp->setObjectName(name);
    return lamp;
}

} // namespace

frmIOBOard::frmIOBOard(Prompt& prompt, ImageTarget::Image& memory, QWidget* parent)
    : QWidget(parent), prompt_(prompt), memory_(memory) {
    setObjectName(QStringLiteral("frmIOBOard"));
    setWindowTitle(QStringLiteral("Input-Output Unit"));
    CreateWidgets();
    // Form_Load: both formats "Signed", both bytes zero, everything dark.
    inputFormat_ = kFormatSigned;
    outputFormat_ = kFormatSigned;
    ConnectWidgets();
}

void frmIOBOard::CreateWidgets() {
    const QFont valueFont = ResolveFont(kValueFont);

    Frame1 = new QGroupBox(QStringLiteral("In Unit"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    TextIn = new QLineEdit;
    TextIn->setObjectName(QStringLiteral("TextIn"));
    TextIn->setFont(valueFont);
    ComboFormatIn = new QComboBox;
    ComboFormatIn->setObjectName(QStringLiteral("ComboFormatIn"));
    ComboFormatIn->addItems(InputFormats());
    Label4 = Caption(QStringLiteral("Label4"), QStringLiteral("Data Register"));
    TextInBinary = BinaryBox(QStringLiteral("TextInBinary"));
    ShapeInFresh = Lamp(QStringLiteral("ShapeInFresh"));
    Label2 = Caption(QStringLiteral("Label2"), QStringLiteral("Data Pending"));
    CommandInput = Button(QStringLiteral("CommandInput"), QStringLiteral("Enter"));

    auto* in = new QGridLayout(Frame1);
    in->addWidget(TextIn, 0, 0);
    in->addWidget(ComboFormatIn, 0, 1);
    in->addWidget(Label4, 1, 0);
    in->addWidget(TextInBinary, 1, 1);
    auto* pending = new QHBoxLayout;
    pending->addWidget(ShapeInFresh);
    pending->addWidget(Label2);
    pending->addStretch();
    in->addLayout(pending, 2, 0);
    in->addWidget(CommandInput, 2, 1);
    in->setRowStretch(3, 1);

    Frame2 = new QGroupBox(QStringLiteral("Out Unit"));
    Frame2->setObjectName(QStringLiteral("Frame2"));
    TextOut = new QLineEdit(QStringLiteral("0"));
    TextOut->setObjectName(QStringLiteral("TextOut"));
    TextOut->setFont(valueFont);
    TextOut->setReadOnly(true);
    ComboFormatOut = new QComboBox;
    ComboFormatOut->setObjectName(QStringLiteral("ComboFormatOut"));
    ComboFormatOut->addItems(OutputFormats());
    Label3 = Caption(QStringLiteral("Label3"), QStringLiteral("Data Register"));
    TextOutBinary = BinaryBox(QStringLiteral("TextOutBinary"));
    ShapeOutFresh = Lamp(QStringLiteral("ShapeOutFresh"));
    Label1 = Caption(QStringLiteral("Label1"), QStringLiteral("Data Ready"));
    CommandRead = Button(QStringLiteral("CommandRead"), QStringLiteral("Read"));
    CheckLEDPower = new QCheckBox(QStringLiteral("LED Power On"));
    CheckLEDPower->setObjectName(QStringLiteral("CheckLEDPower"));

    auto* leds = new QGridLayout;
    for (int i = 0; i < 8; ++i) {
        ShapeLed[i] = Lamp(QStringLiteral("ShapeLed%1").arg(i));
        Label5[i] = Caption(QStringLiteral("Label5%1").arg(i), QString::number(i + 1));
        Label5[i]->setAlignment(Qt::AlignHCenter);
        leds->addWidget(ShapeLed[i], 0, i, Qt::AlignHCenter);
        leds->addWidget(Label5[i], 1, i, Qt::AlignHCenter);
    }

    auto* out = new QGridLayout(Frame2);
    out->addWidget(TextOut, 0, 0);
    out->addWidget(ComboFormatOut, 0, 1);
    out->addWidget(Label3, 1, 0);
    out->addWidget(TextOutBinary, 1, 1);
    auto* ready = new QHBoxLayout;
    ready->addWidget(ShapeOutFresh);
    ready->addWidget(Label1);
    ready->addStretch();
    out->addLayout(ready, 2, 0);
    out->addWidget(CommandRead, 2, 1);
    out->addWidget(CheckLEDPower, 3, 0, 1, 2);
    out->addLayout(leds, 4, 0, 1, 2);

    CommandClose = Button(QStringLiteral("CommandClose"), QStringLiteral("Close"));

    auto* units = new QHBoxLayout;
    units->addWidget(Frame1);
    units->addWidget(Frame2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(units);
    layout->addLayout(buttons);
}

void frmIOBOard::ConnectWidgets() {
    connect(CommandInput, &QPushButton::clicked, this, &frmIOBOard::CommandInput_Click);
    connect(TextIn, &QLineEdit::returnPressed, this, &frmIOBOard::CommandInput_Click);
    connect(CommandRead, &QPushButton::clicked, this, &frmIOBOard::CommandRead_Click);
    connect(CommandClose, &QPushButton::clicked, this, &frmIOBOard::CommandClose_Click);
    connect(ComboFormatIn, &QComboBox::currentIndexChanged, this, &frmIOBOard::ComboFormatIn_Click);
    connect(ComboFormatOut, &QComboBox::currentIndexChanged, this, &frmIOBOard::ComboFormatOut_Click);
    connect(CheckLEDPower, &QCheckBox::toggled, this, &frmIOBOard::showLED);
}

QString frmIOBOard::InFreshText() const {
    return ShapeInFresh->Lit() ? QStringLiteral("1") : QStringLiteral("0");
}

QString frmIOBOard::OutFreshText() const {
    return ShapeOutFresh->Lit() ? QStringLiteral("1") : QStringLiteral("0");
}

// ---- Register operations ----

void frmIOBOard::setInFresh(int setting) {
    ShapeInFresh->SetLit((setting & 1) != 0);
}

void frmIOBOard::setInDataRegister(int Data) {
    TextInBinary->setText(BinaryText(static_cast<uint8_t>(Data & 0xFF)));
    if (!TextIn->text().isEmpty()) TextIn->setText(BinaryToInput(inputFormat_, TextInBinary->text()));
}

void frmIOBOard::setOutFresh(int setting) {
    ShapeOutFresh->SetLit((setting & 1) != 0);
}

void frmIOBOard::setOutDataRegister(int Data) {
    TextOutBinary->setText(BinaryText(static_cast<uint8_t>(Data & 0xFF)));
    showLED();
    TextOut->setText(BinaryToOutput(outputFormat_, TextOutBinary->text()));
}

void frmIOBOard::showLED() {
    const QString bits = TextOutBinary->text();
    const bool power = CheckLEDPower->isChecked();
    for (int i = 0; i < 8; ++i)
        ShapeLed[i]->SetLit(power && i < bits.size() && bits[i] == QLatin1Char('1'));
}

// ---- Buttons and formats ----

void frmIOBOard::CommandInput_Click() {
    const QString binary = InputToBinary(inputFormat_, TextIn->text());
    const std::optional<uint8_t> value = BinaryValue(binary);
    if (!value) {
        prompt_.Message(QStringLiteral("Input Error"),
                        QStringLiteral("Wrong data format or Value out of range"), PromptIcon::None,
                        PromptButtons::OK);
        TextIn->clear();
        return;
    }
    TextInBinary->setText(binary);
    ShapeInFresh->SetLit(true);
    memory_[kIoInFresh] = 1;
    memory_[kIoInData] = *value;
}

void frmIOBOard::CommandRead_Click() {
    ShapeOutFresh->SetLit(false);
    memory_[kIoOutFresh] = 0;
}

void frmIOBOard::CommandClose_Click() {
    if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget()))
        window->close();
    else
        close();
}

void frmIOBOard::ComboFormatIn_Click() {
    inputFormat_ = ComboFormatIn->currentText();
    if (!TextIn->text().isEmpty()) TextIn->setText(BinaryToInput(inputFormat_, TextInBinary->text()));
}

void frmIOBOard::ComboFormatOut_Click() {
    outputFormat_ = ComboFormatOut->currentText();
    TextOut->setText(BinaryToOutput(outputFormat_, TextOutBinary->text()));
}

// ---- Registration ----

void InstallIoBoard(frmMain& frame) {
    // The panel opens at the top left of the client area in its designed size.
    auto made = std::make_shared<QPointer<frmIOBOard>>();
    auto placement = [made](QSizeF) {
        QSize size = *made ? (*made)->sizeHint() : QSize(480, 260);
        const QStyle* style = QApplication::style();
        const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        size += QSize(2 * border, 2 * border + style->pixelMetric(QStyle::PM_TitleBarHeight));
        return WindowPlacement{0, 0, PixelsToTwips(size.width()), PixelsToTwips(size.height()), kStateNormal};
    };
    frame.RegisterView({kIoUnitView, QStringLiteral("frmIOBOard"), QString(), placement, [&frame, made] {
                            auto* form = new frmIOBOard(frame.prompt(), frame.Simulator().TargetMemory());
                            *made = form;
                            return form;
                        }});
}

} // namespace quorvel
