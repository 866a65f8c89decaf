#include "WorkflowFrame.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include "codetools/FrameAssembler.h"
#include "codetools/SymbolFile.h"
#include "codetools/frmAddress.h"
#include "frame/NumberText.h"
#include "frame/StatusText.h"
#include "frame/frmDownload.h"
#include "views/WatchCommands.h"
#include "views/frmEnterVal.h"
#include "views/frmMemAdr.h"
#include "views/frmWatchAdr.h"

namespace quorvel::test {

namespace {

StartOptions OptionsFor(Target target, StartOptions options) {
    options.SimEnabled = target == Target::Simulator;
    return options;
}

// The dialog the prompt hands over, as the type the script expects.
template <typename Dialog>
Dialog* As(QDialog& dialog) {
    auto* typed = qobject_cast<Dialog*>(&dialog);
    if (!typed) ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
    return typed;
}

} // namespace

WorkflowFrame::WorkflowFrame(Target target, StartOptions options,
                             const std::function<void(WorkflowFrame&)>& prepare)
    : target_(target) {
    if (!folder_.isValid()) return;
    if (prepare) prepare(*this);
    if (target == Target::Board) {
        if (!BoardProcess::Available() || !board_.Start()) return;
        Settings().SaveText(Settings::kSettings, "COMPortName", board_.Path());
        frame_ = std::make_unique<frmMain>(prompt_, OptionsFor(target, std::move(options)));
    } else {
        // A fresh machine has no serial port that opens.
        frame_ = std::make_unique<frmMain>(prompt_, OptionsFor(target, std::move(options)),
                                           std::make_unique<FakePort>(false));
    }
    frame_->setWindowState(Qt::WindowNoState);
    frame_->resize(1280, 800);
    frame_->show();
    Settle();
    // as11 and asm.sh as the build put them beside quorvel.
    frame_->Assembler().Runner().Options.ProgramFolder = QStringLiteral(QUORVEL_PROGRAM_DIR);
    ready_ = frame_->StatusPanel(kPanelBoard) == (target == Target::Board ? kBoardReady : kSimulatorMode);
}

WorkflowFrame::~WorkflowFrame() {
    frame_.reset();
    Settle();
}

QString WorkflowFrame::Path(const QString& name) const {
    return QDir(folder_.path()).filePath(name);
}

void WorkflowFrame::Trigger(const char* command) {
    QAction* action = frame_->Command(QLatin1String(command));
    ASSERT_NE(action, nullptr) << command;
    ASSERT_TRUE(action->isEnabled()) << command << " is disabled";
    action->trigger();
    Settle();
}

void WorkflowFrame::Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void WorkflowFrame::AnswerEntry(const QString& typed) {
    prompt_.AnswerDialog([typed](QDialog& dialog) {
        if (auto* entry = As<frmEnterVal>(dialog)) {
            entry->Text->setText(typed);
            entry->cmdOK_Click();
        }
    });
}

void WorkflowFrame::AnswerWatchAddress(const QString& typed) {
    prompt_.AnswerDialog([typed](QDialog& dialog) {
        if (auto* entry = As<frmWatchAdr>(dialog)) {
            entry->txtAdr->setText(typed);
            entry->optByte->setChecked(true);
            entry->cmdOK_Click();
        }
    });
}

void WorkflowFrame::AnswerMemoryAddress(const QString& typed) {
    prompt_.AnswerDialog([typed](QDialog& dialog) {
        if (auto* entry = As<frmMemAdr>(dialog)) {
            entry->txtAdr->setText(typed);
            entry->cmdOK->click();
        }
    });
}

void WorkflowFrame::AnswerGoToAddress(const QString& typed) {
    prompt_.AnswerDialog([typed](QDialog& dialog) {
        if (auto* entry = As<frmAddress>(dialog)) {
            entry->txtAdr->setText(typed);
            entry->cmdOK->click();
        }
    });
}

void WorkflowFrame::AnswerDownload() {
    prompt_.AnswerDialog([](QDialog& dialog) {
        if (auto* progress = As<frmDownload>(dialog)) progress->Form_Activate();
    });
}

bool WorkflowFrame::ActivateFrame() {
    frame_->activateWindow();
    QApplication::setActiveWindow(frame_.get());
    return QTest::qWaitForWindowActive(frame_.get());
}

void WorkflowFrame::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : frame_.get(), key, modifiers);
    Settle();
}

void WorkflowFrame::Later(int ms, std::function<void()> what) {
    QTimer::singleShot(ms, frame_.get(), std::move(what));
}

int32_t WorkflowFrame::Label(const QString& name) const {
    QString key = name;
    return frame_->Symbols().Table().SymbolValue(key);
}

uint8_t WorkflowFrame::TargetByte(int32_t address) {
    uint8_t value = 0;
    frame_->Targets().InByte(address, value);
    EXPECT_TRUE(frame_->Target().BoardOK) << "reading $" << HexPad(address, 4).toStdString();
    return value;
}

void WorkflowFrame::Activate(const QString& menuName) {
    QMdiSubWindow* window = frame_->ViewWindow(menuName);
    ASSERT_NE(window, nullptr) << menuName.toStdString() << " is not open";
    frame_->mdiArea->setActiveSubWindow(window);
    Settle();
}

frmRegisters* WorkflowFrame::Cpu() const {
    return qobject_cast<frmRegisters*>(frame_->View(QStringLiteral("mnuViewRegCPU")));
}
frmWatch* WorkflowFrame::Watch() const {
    return qobject_cast<frmWatch*>(frame_->View(kWatchView));
}
frmMemory* WorkflowFrame::Memory() const {
    return qobject_cast<frmMemory*>(frame_->View(kMemoryView));
}
frmStack* WorkflowFrame::Stack() const {
    return qobject_cast<frmStack*>(frame_->View(kStackView));
}
frmDisAsm* WorkflowFrame::DisAsm() const {
    return qobject_cast<frmDisAsm*>(frame_->View(QStringLiteral("mnuViewDisassembler")));
}
frmLabels* WorkflowFrame::Labels() const {
    return qobject_cast<frmLabels*>(frame_->View(QStringLiteral("mnuViewLabel")));
}

QStringList WorkflowFrame::CpuRows() const {
    QStringList rows;
    if (frmRegisters* cpu = Cpu())
        for (int row = 0; row < cpu->ListView->topLevelItemCount(); ++row)
            rows << cpu->ListView->topLevelItem(row)->text(0) + QLatin1Char(' ') + cpu->ValueText(row);
    return rows;
}

QStringList WorkflowFrame::WatchRows() const {
    QStringList rows;
    if (frmWatch* watch = Watch())
        for (int row = 0; row < watch->ListView->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = watch->ListView->topLevelItem(row);
            rows << item->text(0) + QLatin1Char(' ') + item->text(1);
        }
    return rows;
}

QString WorkflowFrame::MemoryRow(int32_t address) const {
    frmMemory* memory = Memory();
    if (!memory) return {};
    const QString rowAddress = QStringLiteral(" $") + HexPad(address & ~0xF, 4) + QLatin1Char(':');
    for (int row = kMemoryHeaderRows; row < kMemoryHeaderRows + memory->RowsShown; ++row) {
        if (memory->CellText(row, kMemoryAddressColumn) != rowAddress) continue;
        QStringList cells{rowAddress};
        for (int column = kMemoryHexColumn; column <= kMemoryLastHexColumn; ++column)
            cells << memory->CellText(row, column);
        return cells.join(QLatin1Char(' '));
    }
    return {};
}

QString WorkflowFrame::StackLine(int32_t address) const {
    frmStack* stack = Stack();
    if (!stack) return {};
    const QString prefix = QStringLiteral(" $") + HexPad(address, 4) + QLatin1Char(':');
    for (int line = 1; line <= stack->VisibleRows; ++line)
        if (stack->LineText(line).startsWith(prefix)) return stack->LineText(line);
    return {};
}

QString WorkflowFrame::StackBoldLine() const {
    frmStack* stack = Stack();
    if (!stack) return {};
    for (int line = 1; line <= stack->VisibleRows; ++line)
        if (stack->Look(line).Bold) return stack->LineText(line);
    return {};
}

QString WorkflowFrame::DisAsmPCLine() const {
    frmDisAsm* disAsm = DisAsm();
    if (!disAsm) return {};
    for (int row = 0; row < disAsm->RenderedRows(); ++row)
        if (disAsm->Lines[static_cast<size_t>(row)].PC) return disAsm->Lines[static_cast<size_t>(row)].Text;
    return {};
}

QStringList WorkflowFrame::LabelNames() const {
    QStringList names;
    frmLabels* labels = Labels();
    if (!labels) return names;
    const QAbstractItemModel* model = labels->ListView()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->data(model->index(row, 0)).toString();
    return names;
}

} // namespace quorvel::test
