#include "codetools/frmDisAsm.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include <QGridLayout>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "codetools/AddressScrollBar.h"
#include "codetools/DebugCommands.h"
#include "codetools/frmAddress.h"
#include "frame/DialogHelp.h"
#include "frame/Fonts.h"
#include "frame/Prompt.h"
#include "frame/SubWindowActivation.h"
#include "run/Breakpoints.h"
#include "run/RunTexts.h"
#include "target/TargetAccess.h"
#include "target/TargetState.h"

namespace quorvel {

namespace {

constexpr int32_t kAddressMask = 0xFFFF;
// mnuRefresh gives the target at least this long between reading the registers and the page.
constexpr auto kRefreshPause = std::chrono::milliseconds(10);

const FontSetting kWindowFont{QStringLiteral("Courier New"), 10, false, false};

const QString kCodeOn = QStringLiteral("mnuDebugCodeOn");
const QString kIncludeSym = QStringLiteral("mnuDebugIncludeSym");
const QString kClearAll = QStringLiteral("mnuDebugClearAllBreakpoints");

std::span<const int32_t> BreakpointSpan(const BreakpointTable& table) {
    return {table.Breakpoints.data(), static_cast<size_t>(std::max<int16_t>(table.BreakpointCount, 0))};
}

} // namespace

frmDisAsm::frmDisAsm(const DisAsmLinks& links, QWidget* parent)
    : QWidget(parent), links_(links), disassembler_(links.State, links.Target),
      renderer_(links.State, disassembler_, links.Symbols) {
    activation_ = new SubWindowActivation(
        this, [this] { Form_Activate(); }, [this] { Form_Deactivate(); });
    CreateWidgets();
    ConnectWidgets();
    // Form_Load: the rows start empty, then the PC line is shown.
    ClearScreen();
    mnuGoToPCAddress();
}

frmDisAsm::~frmDisAsm() {
    activation_->Stop();
}

void frmDisAsm::CreateWidgets() {
    setObjectName(QStringLiteral("frmDisAsm"));
    setWindowTitle(QStringLiteral("Disassembler"));
    setFont(ResolveFont(kWindowFont));
    setFocusPolicy(Qt::StrongFocus);

    rowsView_ = new DisAsmRowsView(
        [this](int row) { return row >= 1 && row <= kDisAsmRows ? Lines[size_t(row - 1)].Text : QString(); },
        [this](int row) { return Look(row); });
    hScroll_ = new QScrollBar(Qt::Horizontal);
    hScroll_->setObjectName(QStringLiteral("HScroll"));
    hScroll_->setFocusPolicy(Qt::NoFocus);
    hScroll_->hide();
    vScroll_ = new AddressScrollBar;
    vScroll_->setEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(rowsView_, 0, 0);
    layout->addWidget(vScroll_, 0, 1);
    layout->addWidget(hScroll_, 1, 0);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(0, 1);
}

void frmDisAsm::ConnectWidgets() {
    connect(hScroll_, &QScrollBar::valueChanged, this, [this] { HScroll_Change(); });
    connect(vScroll_, &AddressScrollBar::RowsRequested, this, [this](int rows) {
        if (CanScroll()) ScrollRows(rows);
    });
    connect(vScroll_, &AddressScrollBar::PageRequested, this, [this](int pages) {
        if (!CanScroll()) return;
        if (pages > 0)
            KeyPageDown();
        else
            KeyPageUp();
    });
    connect(vScroll_, &AddressScrollBar::AddressRequested, this, [this](int32_t address) {
        if (CanScroll()) ShowPageAt(address);
    });
    connect(rowsView_, &DisAsmRowsView::RowPressed, this, &frmDisAsm::OnRowPressed);
    connect(rowsView_, &DisAsmRowsView::RowDoubleClicked, this, &frmDisAsm::OnRowDoubleClicked);
    connect(rowsView_, &DisAsmRowsView::RowMenuRequested, this, &frmDisAsm::OnRowMenu);
}

void frmDisAsm::Detach() {
    detached_ = true;
    activation_->Stop();
}

// ---- Looks ----

RowLook frmDisAsm::Look(int row) const {
    if (row < 1 || row > kDisAsmRows) return PickRowLook(palette(), {});
    const DisAsmRow& line = Lines[static_cast<size_t>(row - 1)];
    return PickRowLook(
        palette(), {.Cursor = cursorShown_ && row == CurRow, .Breakpoint = line.Breakpoint, .Bold = line.PC});
}

int32_t frmDisAsm::CursorAddress() const {
    if (CurRow < 1 || CurRow > rendered_) return -1;
    return Lines[static_cast<size_t>(CurRow - 1)].Address;
}

// ---- Procedures ----

void frmDisAsm::ClearScreen() {
    Lines = DisAsmRows();
    rendered_ = 0;
    CurRow = 0;
    cursorShown_ = false;
    hScroll_->setValue(0);
    hScroll_->hide();
    Form_Resize();
    rowsView_->update();
}

void frmDisAsm::ClearMarks() {
    for (DisAsmRow& row : Lines)
        row.PC = false;
    cursorShown_ = false;
    rowsView_->update();
}

void frmDisAsm::DisAsmPage() {
    DisAsmOptions options;
    options.CodeOn = links_.Host.Checked(kCodeOn);
    options.IncludeSymbols = links_.Host.Checked(kIncludeSym);
    rendered_ = renderer_.Render(PageAddress, options, BreakpointSpan(links_.Breakpoints), Lines);
    ++renders_;
    cursorShown_ = false;
    Form_Resize();
    rowsView_->update();
}

void frmDisAsm::Menus() {
    DisAsmHost& host = links_.Host;
    const bool answers = links_.State.BoardOK && !host.RunningFree();
    const bool stopped = host.Stopped();
    host.SetCommandEnabled(QStringLiteral("mnuRunRun"), answers && stopped && !host.SimulatorSelected());
    for (const char* name : kStepCommands)
        host.SetCommandEnabled(QLatin1String(name), answers && stopped);
    if (!answers) host.SetCommandEnabled(QStringLiteral("mnuRunPause"), false);
    // A running program must not have its PC, breakpoints or page changed under it.
    SetWindowCommandsEnabled(answers && stopped);
    host.SetCommandEnabled(kClearAll, answers && stopped && links_.Breakpoints.BreakpointCount >= 1);
}

void frmDisAsm::mnuSetNewPC() {
    const int32_t address = CursorAddress();
    if (address < 0) return;
    links_.State.RegPC = address;
    links_.Host.Refresh();
}

void frmDisAsm::ReadProgramPC() {
    std::vector<uint8_t> bytes;
    links_.Target.InBytes(links_.State.RegPC, bytes, static_cast<int>(links_.State.InstrBytes.size()));
    if (!links_.State.BoardOK || bytes.size() < links_.State.InstrBytes.size()) return;
    std::copy_n(bytes.begin(), links_.State.InstrBytes.size(), links_.State.InstrBytes.begin());
}

void frmDisAsm::PageRedraw() {
    if (CurRow == 0) return;
    if (!EnsureOwnPage()) {
        ClearScreen();
        return;
    }
    DisAsmPage();
    SetCurRow(CurRow);
}

void frmDisAsm::SetCurRow(int row) {
    cursorShown_ = false;
    CurRow = static_cast<int16_t>(std::clamp(row, 0, kDisAsmRows));
    if (CurRow > 0 && IsActive()) cursorShown_ = true;
    rowsView_->update();
}

void frmDisAsm::ToggleBreakpoint(int row) {
    if (CurRow == 0 || row < 1 || row > rendered_) return;
    DisAsmRow& line = Lines[static_cast<size_t>(row - 1)];
    BreakpointTable& table = links_.Breakpoints;
    if (table.Contains(line.Address)) {
        table.Remove(line.Address);
        line.Breakpoint = false;
        links_.Host.SetCommandEnabled(kClearAll, table.BreakpointCount >= 1);
        cursorShown_ = true;
        rowsView_->update();
        return;
    }
    if (table.Full()) {
        links_.Prompts.Message(kBreakpointErrorTitle, kBreakpointFullText, PromptIcon::Exclamation);
        return;
    }
    table.Add(line.Address);
    line.Breakpoint = true;
    links_.Host.SetCommandEnabled(kClearAll, true);
    SetCurRow(row);
}

void frmDisAsm::mnuToggleBreakpoint() {
    ToggleBreakpoint(CurRow);
}

void frmDisAsm::mnuClearAllBreakpoints() {
    BreakpointTable& table = links_.Breakpoints;
    while (table.BreakpointCount > 0) {
        const int32_t address = table.Breakpoints[static_cast<size_t>(table.BreakpointCount - 1)];
        --table.BreakpointCount;
        for (int row = 1; row <= rendered_; ++row) {
            DisAsmRow& line = Lines[static_cast<size_t>(row - 1)];
            if (line.Address != address || !line.Breakpoint) continue;
            line.Breakpoint = false;
            if (row == CurRow) cursorShown_ = true;
        }
    }
    links_.Host.SetCommandEnabled(kClearAll, false);
    rowsView_->update();
}

void frmDisAsm::mnuGoToPCAddress() {
    TargetState& state = links_.State;
    state.RegPC &= kAddressMask;
    if (state.BoardOK) ReadProgramPC();
    int pcRow = 0;
    if (CurRow > 0 && state.BoardOK) {
        const int visible = std::min<int>(VisibleRows, rendered_);
        for (int row = 1; row <= visible && pcRow == 0; ++row)
            if (Lines[static_cast<size_t>(row - 1)].Address == state.RegPC) pcRow = row;
    }
    if (pcRow > 0) {
        Menus();
        SetCurRow(pcRow);
        PageRedraw();
        return;
    }
    if (!LoadPage(state.RegPC)) {
        ClearScreen();
        return;
    }
    PageAddress = state.ProgramPageAddress;
    DisAsmPage();
    SetCurRow(1);
}

void frmDisAsm::mnuGoToAddress() {
    frmAddress dialog(links_.Symbols, links_.Prompts, this);
    SetDialogHelpHook(dialog, [this](int topic) { links_.Host.ShowHelpTopic(topic); });
    if (links_.Prompts.ShowModal(dialog) != QDialog::Accepted || !dialog.AddressEntered) return;
    TargetState& state = links_.State;
    state.ProgramPageAddress = dialog.Address & kAddressMask;
    links_.Target.InCPU();
    if (state.BoardOK) {
        ReadProgramPC();
        links_.Target.InProgram();
    }
    Menus();
    if (!state.BoardOK) {
        ownPage_ = -1;
        ClearScreen();
        return;
    }
    ownPage_ = state.ProgramPageAddress;
    PageAddress = state.ProgramPageAddress;
    DisAsmPage();
    SetCurRow(1);
}

void frmDisAsm::mnuRefresh() {
    if (VisibleRows <= 0) return;
    const auto start = std::chrono::steady_clock::now();
    TargetState& state = links_.State;
    links_.Target.InCPU();
    if (state.BoardOK) ReadProgramPC();
    std::this_thread::sleep_until(start + kRefreshPause);
    if (state.BoardOK) LoadPage(OwnPage());
    Menus();
    if (!state.BoardOK) {
        ClearScreen();
        return;
    }
    if (CurRow > 0) {
        DisAsmPage();
        SetCurRow(CurRow);
        return;
    }
    PageAddress = state.ProgramPageAddress;
    DisAsmPage();
    SetCurRow(1);
}

void frmDisAsm::RunToCursor() {
    const int32_t address = CursorAddress();
    if (address >= 0) links_.Host.RunToCursor(address);
}

void frmDisAsm::RefreshPC() {
    EnsureOwnPage();
    mnuGoToPCAddress();
}

void frmDisAsm::UpdateDisassembly() {
    if (ownPage_ >= 0) LoadPage(ownPage_);
    mnuGoToPCAddress();
}

// ---- The page ----

int32_t frmDisAsm::OwnPage() const {
    return ownPage_ >= 0 ? ownPage_ : links_.State.ProgramPageAddress;
}

bool frmDisAsm::LoadPage(int32_t address) {
    TargetState& state = links_.State;
    state.ProgramPageAddress = address & kAddressMask;
    links_.Target.InProgram();
    ownPage_ = state.BoardOK ? state.ProgramPageAddress : -1;
    return state.BoardOK;
}

// Run control loads its own pages while it steps; the rows need the page they came from.
bool frmDisAsm::EnsureOwnPage() {
    if (ownPage_ < 0 || links_.State.ProgramPageAddress == ownPage_) return true;
    return LoadPage(ownPage_);
}

// ---- Window life ----

QMdiSubWindow* frmDisAsm::SubWindow() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

bool frmDisAsm::IsActive() const {
    if (const QMdiSubWindow* window = SubWindow()) return window->windowState() & Qt::WindowActive;
    return isActiveWindow();
}

void frmDisAsm::Form_Activate() {
    if (detached_) return;
    // A click that activates the window selects its own row.
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) SetCurRow(CurRow);
    Menus();
}

void frmDisAsm::Form_Deactivate() {
    if (detached_) return;
    cursorShown_ = false;
    rowsView_->update();
    SetWindowCommandsEnabled(false);
}

void frmDisAsm::SetWindowCommandsEnabled(bool enabled) {
    for (const char* name : kDisAsmWindowCommands)
        links_.Host.SetCommandEnabled(QLatin1String(name), enabled);
}

void frmDisAsm::closeEvent(QCloseEvent* event) {
    if (!detached_) SetWindowCommandsEnabled(false);
    QWidget::closeEvent(event);
}

void frmDisAsm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmDisAsm::Form_Resize() {
    const int blank = rowsView_->BlankWidth();
    qsizetype longest = 0;
    for (int row = 0; row < rendered_; ++row)
        longest = std::max(longest, Lines[static_cast<size_t>(row)].Text.size());
    const int widthBlanks = (width() - vScroll_->sizeHint().width()) / blank;
    const bool scroll = rendered_ > 0 && longest > widthBlanks;
    if (scroll) {
        hScroll_->setMaximum(static_cast<int>(longest) - widthBlanks);
        hScroll_->setPageStep(std::max(1, widthBlanks));
        hScroll_->show();
    } else {
        hScroll_->setValue(0);
        hScroll_->hide();
    }
    const int available = height() - (scroll ? hScroll_->sizeHint().height() : 0);
    VisibleRows = static_cast<int16_t>(std::clamp(available / rowsView_->RowHeight(), 0, kDisAsmRows));
    rowsView_->SetRowCount(VisibleRows);
    HScroll_Change();
    SyncVScroll();
}

void frmDisAsm::HScroll_Change() {
    rowsView_->SetFirstColumn(hScroll_->isHidden() ? 0 : hScroll_->value());
}

} // namespace quorvel
