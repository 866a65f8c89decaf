#include "views/WatchCommands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "codetools/SymbolFile.h"
#include "frame/DialogHelp.h"
#include "frame/MainWindow.h"
#include "frame/Prompt.h"
#include "views/frmWatchAdr.h"

namespace quorvel {

namespace {
// The watch window's designed placement, in twips.
const WindowPlacement kWatchPlacement{7800, 0, 2600, 2450, kStateNormal};
} // namespace

WatchCommands::WatchCommands(frmMain& frame) : frame_(frame) {}

WatchCommands::~WatchCommands() {
    if (window_) window_->Detach();
}

void WatchCommands::Install() {
    frame_.RegisterView({kWatchView, QStringLiteral("frmWatch"), QStringLiteral("Watch"),
                         [](QSizeF) { return kWatchPlacement; }, [this] { return Create(); }});
    frame_.SetCommandEnabled(QStringLiteral("mnuDebugEditWatch"), false);
    connect(&frame_.Symbols(), &SymbolFile::SymbolsReloaded, this, &WatchCommands::SymbolsReloaded);
}

frmWatch* WatchCommands::Create() {
    if (window_) window_->Detach();
    window_ = new frmWatch(frame_, table_);
    return window_;
}

frmWatch* WatchCommands::Window() const {
    return qobject_cast<frmWatch*>(frame_.View(kWatchView));
}

void WatchCommands::BringWindowToFront() {
    QMdiSubWindow* window = frame_.ViewWindow(kWatchView);
    if (window && frame_.mdiArea->activeSubWindow() != window) frame_.mdiArea->setActiveSubWindow(window);
}

bool WatchCommands::AskWatchAddress(const QString& text, bool wide, int32_t& address, QString& name,
                                    bool& wideOut) {
    frmWatchAdr dialog(frame_.prompt(), frame_.Symbols().Table(), text, wide, &frame_);
    SetDialogHelpHook(dialog, [this](int topic) { frame_.ShowHelpTopic(topic); });
    // Only an open watch window comes forward; a closed one is not opened for it.
    dialog.OnInvalidAddress = [this] { BringWindowToFront(); };
    frame_.prompt().ShowModal(dialog);
    if (!dialog.EnterOK()) return false;
    address = dialog.EnterValue();
    name = dialog.EnterName();
    wideOut = dialog.EnterWide();
    return true;
}

void WatchCommands::mnuDebugAddWatch() {
    if (table_.Full()) {
        frame_.prompt().Message(
            DravikTitle(QStringLiteral("Watch Error")),
            TwoLines(QStringLiteral(" Can't Add Watch !"), QStringLiteral("(Max. Watches = 32)")),
            PromptIcon::Exclamation);
        return;
    }
    int32_t address = -1;
    QString name;
    bool wide = false;
    if (!AskWatchAddress(QString(), false, address, name, wide)) return;
    if (!table_.Add(address, name, wide)) return;

    frmWatch* window = Window();
    if (window) {
        BringWindowToFront();
        window->AppendRow();
        window->mnuRefresh();
        frame_.SetCommandEnabled(QStringLiteral("mnuDebugEditWatch"), true);
    } else {
        frame_.ShowView(kWatchView);
        window = Window();
    }
    if (window) window->SelectWatch(table_.WatchCount() - 1);
}

void WatchCommands::mnuDebugEditWatch() {
    frmWatch* window = Window();
    if (!window) return;
    const int index = window->SelectedWatch();
    if (!table_.Valid(index)) return;
    // The watch's own label, not the row's: a cleared row shows the address
    // even for a watch tied to a label, and confirming it unchanged must keep the tie.
    const Watch& watch = table_.At(index);
    int32_t address = -1;
    QString name;
    bool wide = false;
    if (!AskWatchAddress(table_.LabelText(index), watch.WatchWide, address, name, wide)) return;
    window = Window();
    if (!window || !table_.Valid(index)) return;
    table_.Edit(index, address, name, wide);
    window->mnuRefresh();
}

void WatchCommands::SymbolsReloaded() {
    table_.UntieMovedLabels(frame_.Symbols().Table());
    if (frmWatch* window = Window()) window->SymbolsReloaded();
}

} // namespace quorvel
