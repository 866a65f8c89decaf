#include "frame/MainWindow.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QScreen>
#include <QSerialPortInfo>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "codetools/DebugCommands.h"
#include "codetools/FrameAssembler.h"
#include "codetools/FrameDisAsm.h"
#include "codetools/SymbolFile.h"
#include "codetools/frmLabels.h"
#include "editor/Editors.h"
#include "frame/Arrange.h"
#include "frame/DialogHelp.h"
#include "frame/Fonts.h"
#include "frame/HelpTopics.h"
#include "frame/HelpWindow.h"
#include "frame/MainRunHost.h"
#include "frame/NumberText.h"
#include "frame/PendingCommands.h"
#include "frame/PortDevice.h"
#include "frame/Prompt.h"
#include "frame/StatusText.h"
#include "frame/ToolIcons.h"
#include "frame/Window.h"
#include "frame/frmAbout.h"
#include "frame/frmDownload.h"
#include "run/CodeImage.h"
#include "run/RunControl.h"
#include "views/PopupHelp.h"
#include "views/RegisterViews.h"
#include "views/WatchCommands.h"
#include "views/frmIOBOard.h"
#include "views/frmMemory.h"
#include "views/frmSerial.h"
#include "views/frmStack.h"

namespace quorvel {

namespace {

const QString kEditorForm = QStringLiteral("frmEditor");
const QString kDisAsmView = QStringLiteral("mnuViewDisassembler");
const QString kLabelView = QStringLiteral("mnuViewLabel");
const QString kMainPrefix = QStringLiteral("Main");
// How soon a close that had to stop a run first is tried again.
constexpr std::chrono::milliseconds kCloseRetry{10};

// The View items that open a window; each is available once its view is registered.
const char* const kViewItems[] = {
    "mnuViewRegCPU", "mnuViewRegPorts",     "mnuViewRegTimer", "mnuViewRegPulseAcc",
    "mnuViewRegSCI", "mnuViewRegSPI",       "mnuViewRegAD",    "mnuViewRegOther",
    "mnuViewRegPIA", "mnuViewIOunit",       "mnuViewMemory",   "mnuViewWatch",
    "mnuViewStack",  "mnuViewDisassembler", "mnuViewLabel",    "mnuViewSerialTerminal",
};

// The register windows of the on-chip block and the PIA: board only.
const char* const kBoardViews[] = {
    "mnuViewRegPorts", "mnuViewRegTimer", "mnuViewRegPulseAcc", "mnuViewRegSCI",
    "mnuViewRegSPI",   "mnuViewRegAD",    "mnuViewRegOther",    "mnuViewRegPIA",
};

bool IsViewItem(const QString& name) {
    for (const char* item : kViewItems)
        if (name == QLatin1String(item)) return true;
    return false;
}

// Toolbar buttons by key, each calling the menu command of the same name; an
// empty key is a gap between groups.
struct ToolbarEntry {
    const char* Key;
    const char* Command;
};
constexpr ToolbarEntry kToolbar[] = {
    {"New", "mnuFileNew"},
    {"Open", "mnuFileOpen"},
    {"Save", "mnuFileSave"},
    {"Print", "mnuFilePrint"},
    {"", ""},
    {"Download", "mnuFileDownload"},
    {"", ""},
    {"Cut", "mnuEditCut"},
    {"Copy", "mnuEditCopy"},
    {"Paste", "mnuEditPaste"},
    {"", ""},
    {"Undo", "mnuEditUndo"},
    {"Redo", "mnuEditRedo"},
    {"", ""},
    {"Find", "mnuEditFind"},
    {"Find Next", "mnuEditFindNext"},
    {"", ""},
    {"Assemble", "mnuFileAssemble"},
    {"", ""},
    {"Toggle Breakpoint", "mnuDebugToggleBreakpoint"},
    {"", ""},
    {"Run", "mnuRunRun"},
    {"Play", "mnuRunPlay"},
    {"Animate", "mnuRunAnimate"},
    {"Pause", "mnuRunPause"},
    {"", ""},
    {"Step Into", "mnuRunStepInto"},
    {"Step Over", "mnuRunStepOver"},
    {"Step Out", "mnuRunStepOut"},
    {"Run To Cursor", "mnuRunRunTo"},
    {"", ""},
    {"Add Watch", "mnuDebugAddWatch"},
    {"", ""},
    {"About Tolvic", "mnuHelpAbout"},
};

QMetaMethod HandlerOf(const QObject* object, const QString& command) {
    const QByteArray signature =
        QMetaObject::normalizedSignature((command + QStringLiteral("_Click()")).toLatin1());
    const int index = object->metaObject()->indexOfSlot(signature.constData());
    return index >= 0 ? object->metaObject()->method(index) : QMetaMethod();
}

bool CallByName(QObject* object, const char* procedure) {
    if (!object) return false;
    const QByteArray signature = QMetaObject::normalizedSignature((QByteArray(procedure) + "()").constData());
    const int index = object->metaObject()->indexOfMethod(signature.constData());
    if (index < 0) return false;
    return object->metaObject()->method(index).invoke(object, Qt::DirectConnection);
}

// Calls procedure(argument) on object when it has such a method.
template <typename Argument>
bool CallByName(QObject* object, const char* procedure, const char* type, const Argument& argument) {
    if (!object) return false;
    const QByteArray signature =
        QMetaObject::normalizedSignature((QByteArray(procedure) + '(' + type + ')').constData());
    const int index = object->metaObject()->indexOfMethod(signature.constData());
    if (index < 0) return false;
    return object->metaObject()->method(index).invoke(object, Qt::DirectConnection,
                                                      QArgument<Argument>(type, argument));
}

} // namespace

// What the board link asks of the frame.
class frmMain::LinkHost : public BoardHost {
public:
    explicit LinkHost(frmMain& frame) : frame_(frame) {}

    bool SimulatorSelected() const override { return frame_.SimEnabled; }
    void ShowBoardStatus(const QString& text) override { frame_.SetStatusPanel(kPanelBoard, text); }
    void EnableRunCommand(bool enabled) override {
        frame_.SetCommandEnabled(QStringLiteral("mnuRunRun"), enabled);
    }
    void ProcessEvents() override { QCoreApplication::processEvents(); }
    bool Running() const override { return frame_.Run().Running; }
    void SetRunning(bool running) override {
        frame_.Run().Running = running;
        // The board was reset: the program stopped.
        if (!running) frame_.EnableStopCommands();
    }
    void ThawDisplay() override { frame_.ThawDisplay(); }
    void RefreshRun() override { frame_.RefreshRun(); }
    void ResetClockCount() override {
        frame_.Run().ClockCount = 0;
        frame_.ClockCountUpdate();
    }
    void SerialOutput(const QByteArray& bytes) override { frame_.SerialOutput(bytes); }

private:
    frmMain& frame_;
};

// The I/O board panel, when it is open: its register slots take the byte.
class frmMain::IoPanel : public IoUnit {
public:
    explicit IoPanel(frmMain& frame) : frame_(frame) {}

    void setInFresh(uint8_t setting) override { Call("setInFresh", setting); }
    void setInDataRegister(uint8_t data) override { Call("setInDataRegister", data); }
    void setOutFresh(uint8_t setting) override { Call("setOutFresh", setting); }
    void setOutDataRegister(uint8_t data) override { Call("setOutDataRegister", data); }

private:
    void Call(const char* procedure, uint8_t value) {
        CallByName(frame_.View(QStringLiteral("mnuViewIOunit")), procedure, "int", int{value});
    }

    frmMain& frame_;
};

frmMain::frmMain(Prompt& prompt, StartOptions options, std::unique_ptr<CommPort> port, QWidget* parent)
    : QMainWindow(parent), dialogs_(prompt, [this](bool open) { DialogOpened(open); }),
      options_(std::move(options)), port_(std::move(port)) {
    if (!port_) port_ = std::make_unique<SerialCommPort>();
    CreateTarget();
    CreateWidgets();
    ConnectWidgets();
    CreateCodeTools();
    AttachRunControl(*run_);
    CreateViews();
    Form_Load();
    // The files named on the command line open once the frame is up.
    QMetaObject::invokeMethod(
        this,
        [this] {
            editors_->OpenFiles(StartFiles());
            if (!options_.Download.isEmpty()) DownloadAtStart(options_.Download);
        },
        Qt::QueuedConnection);
}

// quorvel --download FILE.s19: the symbols of FILE.lst when it exists, then the download.
void frmMain::DownloadAtStart(const QString& s19) {
    QString name;
    QString extension;
    SplitFileName(s19, name, extension);
    const QString listing = name + QStringLiteral(".lst");
    if (QFileInfo::exists(listing)) {
        symbols_->SetListingFile(listing);
        symbols_->ReloadSymbols();
    }
    DownloadFileName = s19;
    ShowDownload();
}

frmMain::~frmMain() {
    port_->SetOnComm(nullptr);
    // The child windows reach the frame while they go (their activation
    // changes): they go while it is still whole.
    if (mdiArea) qDeleteAll(mdiArea->subWindowList());
}

// The simulator bound to the memory image, the board behind the port, and
// the one target access over both.
void frmMain::CreateTarget() {
    linkHost_ = std::make_unique<LinkHost>(*this);
    ioPanel_ = std::make_unique<IoPanel>(*this);
    link_ = std::make_unique<BoardLink>(*port_, state_, *linkHost_, prompt_, clock_);
    image_ = std::make_unique<ImageTarget>(state_);
    image_->BindSimulator(Vantrel1);
    board_ = std::make_unique<BoardTarget>(state_, *link_);
    target_ = std::make_unique<SwitchingTarget>(state_, *image_, *board_);
    target_->SetIoUnit(ioPanel_.get());
    receiver_ = std::make_unique<BoardReceiver>(*link_, *target_);
    port_->SetOnComm([this](int commEvent) { receiver_->OnComm(commEvent); });
    runHost_ = std::make_unique<MainRunHost>(*this);
    code_ = std::make_unique<ImageCode>(image_->TargetMemory());
    run_ = std::make_unique<RunControl>(state_, *target_, *runHost_);
    run_->SetSimulatorCode(code_.get());
}

frmMain::RunningFlag::operator bool() const {
    return frame_.run_ && frame_.run_->Running;
}

frmMain::RunningFlag& frmMain::RunningFlag::operator=(bool running) {
    frame_.Run().Running = running;
    return *this;
}

QString frmMain::ProgramFolder() const {
    return QCoreApplication::applicationDirPath();
}

void frmMain::SetHelpFolder(const QString& folder) {
    helpFolder_ = folder;
    if (help_) {
        help_->deleteLater();
        help_ = nullptr;
    }
}

// ---- Construction ----

void frmMain::CreateWidgets() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quorvel"));
    setWindowIcon(DrawnToolIcon(QStringLiteral("Assemble")));
    // Child windows and dialogs show the application's icon, else the toolkit's own.
    QGuiApplication::setWindowIcon(windowIcon());

    mdiArea = new QMdiArea;
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea);

    menus_ = BuildMenus(menuBar(), this);
    for (const QString& name : menus_.Actions.keys())
        if (name.startsWith(QLatin1String("mnuFileRecent"))) menus_.Actions[name]->setVisible(false);
    // The watch commands of the shared view popup show only for the watch window.
    for (const char* name :
         {"mnuPopupViewAddWatch", "mnuPopupViewEditWatch", "mnuPopupViewRemoveWatch", "mnuPopupViewBar1"})
        menus_.Actions.value(QLatin1String(name))->setVisible(false);

    CreateToolbar();
    CreateStatusBar();

    tmrComm = new QTimer(this);
    tmrComm->setObjectName(QStringLiteral("tmrComm"));
    tmrComm->setInterval(50);
    tmrRefresh = new QTimer(this);
    tmrRefresh->setObjectName(QStringLiteral("tmrRefresh"));
    tmrRefresh->setInterval(100);

    for (const QString& name : menus_.Actions.keys())
        ApplyEnabled(name);
    SetCommandEnabled(QStringLiteral("mnuRunPause"), false);
}

void frmMain::CreateToolbar() {
    Toolbar1 = new QToolBar(QStringLiteral("Toolbar"), this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, Toolbar1);
    for (const ToolbarEntry& entry : kToolbar) {
        if (!*entry.Key) {
            Toolbar1->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(entry.Key);
        auto* button = new QAction(ToolIcon(key), key, this);
        button->setObjectName(QStringLiteral("tbr") + QString(key).remove(QLatin1Char(' ')));
        button->setToolTip(key);
        button->setData(QString::fromLatin1(entry.Command));
        Toolbar1->addAction(button);
        toolButtons_.insert(QString::fromLatin1(entry.Command), button);
        toolbarButtons_.append(button);
    }
}

void frmMain::CreateStatusBar() {
    auto* bar = new QStatusBar;
    bar->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(bar);
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        auto* label = new QLabel;
        label->setObjectName(QStringLiteral("StatusPanel") + QString::number(panel));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMargin(1);
        // The board status takes the spare width; the others keep room for their usual texts.
        const int stretch = panel == kPanelBoard ? 3 : (panel == kPanelCaret ? 0 : 2);
        bar->addWidget(label, stretch);
        panels_.append(label);
    }
    panels_[kPanelCaret - 1]->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("Line 99999  Col. 999")));
    SetStatusPanel(kPanelProgram, kNoProgram);
    SetStatusPanel(kPanelSymbols, kNoSymbols);
}

void frmMain::ConnectWidgets() {
    const QMetaMethod triggered = QMetaMethod::fromSignal(&QAction::triggered);
    for (auto it = menus_.Actions.cbegin(); it != menus_.Actions.cend(); ++it) {
        QAction* action = it.value();
        const QString& name = it.key();
        if (action->isSeparator()) continue;
        if (name.startsWith(QLatin1String("mnuFileRecent"))) {
            const int index = name.mid(int(qstrlen("mnuFileRecent"))).toInt();
            connect(action, &QAction::triggered, this, [this, index] { mnuFileRecent_Click(index); });
            continue;
        }
        const QMetaMethod handler = HandlerOf(this, name);
        Q_ASSERT_X(handler.isValid(), "frmMain", qPrintable(name + QStringLiteral(" has no handler")));
        if (handler.isValid()) connect(action, triggered, this, handler);
    }
    for (QAction* button : std::as_const(toolbarButtons_)) {
        const QMetaMethod handler = HandlerOf(this, button->data().toString());
        if (handler.isValid()) connect(button, triggered, this, handler);
    }
    connect(Menu(QStringLiteral("mnuWindow")), &QMenu::aboutToShow, this, &frmMain::UpdateWindowMenu);
    connect(tmrComm, &QTimer::timeout, this, &frmMain::tmrComm_Timer);
    // The program's accesses to the I/O board have effects while its panel is shown.
    connect(Command(QStringLiteral("mnuViewIOunit")), &QAction::toggled, this,
            [this](bool shown) { image_->SetIoUnitShown(shown); });
    connect(tmrRefresh, &QTimer::timeout, this, &frmMain::tmrRefresh_Timer);
}

// ---- Symbols and the disassembly window ----

namespace {
// A debugger view first opens where Arrange Debugger would put it.
std::function<WindowPlacement(QSizeF)> DebuggerPlacement(const QString& prefix) {
    return [prefix](QSizeF client) {
        for (const DebuggerSlot& slot : ArrangeDebugger(float(client.height())))
            if (slot.Prefix == prefix) return slot.Placement;
        return WindowPlacement{0, 0, float(client.width() / 2), float(client.height() / 2), kStateNormal};
    };
}
} // namespace

void frmMain::CreateCodeTools() {
    symbols_ = std::make_unique<SymbolFile>(*this);
    assembler_ = std::make_unique<FrameAssembler>(*this);
    RegisterView({kLabelView, QStringLiteral("frmLabels"), QStringLiteral("Label"),
                  DebuggerPlacement(QStringLiteral("Label")),
                  [this] { return new frmLabels(symbols_->Table(), Menu(QStringLiteral("mnuPopupSort"))); }});
    // Refresh Window belongs to the disassembly window's pop-up.
    Command(QStringLiteral("mnuDebugRefresh"))->setVisible(false);
    Command(QStringLiteral("mnuDebugBar6"))->setVisible(false);
    // Run To Cursor needs run control (AttachRunControl).
    SetCommandEnabled(QStringLiteral("mnuRunRunTo"), false);
}

// The inspection views, each registered with its View menu item.
void frmMain::CreateViews() {
    InstallRegisterViews(*this);
    watches_ = std::make_unique<WatchCommands>(*this);
    watches_->Install();
    InstallSerialTerminal(*this);
    InstallIoBoard(*this);
    RegisterMemoryView(*this);
    RegisterStackView(*this);
}

void frmMain::AttachRunControl(RunControl& run) {
    disAsm_ = std::make_unique<FrameDisAsm>(*this, run, symbols_->Table());
    RegisterView({kDisAsmView, QStringLiteral("frmDisAsm"), QStringLiteral("DisAsm"),
                  DebuggerPlacement(QStringLiteral("DisAsm")), [this] { return disAsm_->Create(); }});
    SetCommandEnabled(QStringLiteral("mnuRunRunTo"), true);
}

void frmMain::Refresh() {
    if (Checked(kDisAsmView)) CallView(kDisAsmView, "RefreshPC");
    if (state_.BoardOK) RefreshRun();
}

void frmMain::ShowPCLine() {
    CallView(kDisAsmView, "mnuGoToPCAddress");
}

void frmMain::UpdateDisassembly() {
    CallView(kDisAsmView, "UpdateDisassembly");
}

void frmMain::DebugMenus() {
    CallView(kDisAsmView, "Menus");
}

// ---- Start-up and shutdown ----

WindowPlacement frmMain::MainDefaultPlacement() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(1024, 768);
    return {0, 0, PixelsToTwips(size.width()), PixelsToTwips(size.height()), kStateMaximised};
}

void frmMain::Form_Load() {
    Settings store;

    // 1. Placement of the main window.
    RestoreWindowPlacement(store, this, kMainPrefix, MainDefaultPlacement());

    // 2. Bars and check marks.
    const FrameSettings settings = store.LoadFrame();
    SetChecked(QStringLiteral("mnuViewToolbar"), settings.Toolbar);
    Toolbar1->setVisible(settings.Toolbar);
    SetChecked(QStringLiteral("mnuViewStatusBar"), settings.StatusBar);
    statusBar()->setVisible(settings.StatusBar);
    SetChecked(QStringLiteral("mnuDebugCodeOn"), settings.CodeOn);
    SetChecked(QStringLiteral("mnuDebugIncludeSym"), settings.IncludeSym);
    SetChecked(QStringLiteral("mnuPopupSerialHex"), settings.HexTerminal);
    SetChecked(QStringLiteral("mnuPopupSerialAscii"), !settings.HexTerminal);

    // 3. Port and fonts.
    COMPort = settings.COMPort;
    COMPortName = settings.COMPortName;
    ScreenFont = settings.ScreenFont;
    PrintFont = settings.PrintFont;

    // 4. The target; the command line may choose it for this run.
    storedSimEnabled_ = settings.SimEnabled;
    SimEnabled = options_.SimEnabled.value_or(settings.SimEnabled);

    // 5. The program folder is the current folder; help lives beside the program.
    QDir::setCurrent(ProgramFolder());
    helpFolder_ = QDir(ProgramFolder()).filePath(QStringLiteral("help"));

    // 6. The serial port.
    OpenCommPort();
    tmrComm->start();

    // 7. The cycle counter.
    run_->ClockCount = 0;
    ClockCountUpdate();
    // The editor commands, and the find/replace dialog loaded hidden so that it keeps its last search.
    editors_ = std::make_unique<Editors>(*this);

    GateViewMenu();
    UpdateWindowMenu();
}

bool frmMain::Form_QueryUnload() {
    // Editors with unsaved changes ask first, all before any closes; one the user keeps stops the exit.
    return editors_->QueryUnloadAll();
}

void frmMain::Form_Unload() {
    unloaded_ = true;
    Settings store;

    // 1. Position and size only in the normal state, the state always.
    SaveWindowPlacement(store, this, kMainPrefix);

    // 2. Check marks and globals.
    store.SaveFrame(CurrentSettings());
    store.Sync();

    // 3. The remaining windows; each view saves its own placement.
    tmrComm->stop();
    tmrRefresh->stop();
    editors_->Unload();
    mdiArea->closeAllSubWindows();
    if (help_) help_->close();
    port_->Close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (unloaded_) {
        event->accept();
        return;
    }
    // A run (Play, Animate, a board wait) is a loop further up the stack:
    // stop it first, and close once it has returned.
    if (run_->Busy()) {
        event->ignore();
        run_->Pause();
        QTimer::singleShot(kCloseRetry, this, &QWidget::close);
        return;
    }
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

FrameSettings frmMain::CurrentSettings() const {
    FrameSettings s;
    s.Toolbar = Checked(QStringLiteral("mnuViewToolbar"));
    s.StatusBar = Checked(QStringLiteral("mnuViewStatusBar"));
    s.CodeOn = Checked(QStringLiteral("mnuDebugCodeOn"));
    s.IncludeSym = Checked(QStringLiteral("mnuDebugIncludeSym"));
    s.HexTerminal = Checked(QStringLiteral("mnuPopupSerialHex"));
    s.COMPort = COMPort;
    s.COMPortName = COMPortName;
    s.ScreenFont = ScreenFont;
    s.PrintFont = PrintFont;
    s.SimEnabled = storedSimEnabled_;
    return s;
}

// ---- Serial port and board status ----

// A port that fails shows "HC11 Board: Communication Port Error !"; with the
// simulator as target the status keeps "Simulator mode".
void frmMain::OpenCommPort() {
    link_->OpenPort(PortDevicePath(COMPort, COMPortName));
}

void frmMain::BoardStatus() {
    link_->BoardStatus();
}

namespace {
// The View items of the debug views, closed to the user while a run goes on.
const char* const kDebugViewItems[] = {
    "mnuViewMemory", "mnuViewRegCPU", "mnuViewRegPorts",     "mnuViewRegTimer", "mnuViewRegPulseAcc",
    "mnuViewRegSCI", "mnuViewRegSPI", "mnuViewRegAD",        "mnuViewRegOther", "mnuViewRegPIA",
    "mnuViewStack",  "mnuViewWatch",  "mnuViewDisassembler", "mnuViewIOunit",
};
// The open views a run disables.
const char* const kRunViews[] = {
    "mnuViewRegCPU", "mnuViewRegPorts", "mnuViewRegTimer", "mnuViewRegPulseAcc",
    "mnuViewRegSCI", "mnuViewRegSPI",   "mnuViewRegAD",    "mnuViewRegOther",
    "mnuViewRegPIA", "mnuViewStack",    "mnuViewWatch",    "mnuViewDisassembler",
};
} // namespace

void frmMain::EnableRunCommands(bool enabled) {
    for (const char* name : {"mnuDebugAddWatch", "mnuFileDownload", "mnuRunPlay", "mnuRunAnimate"})
        SetCommandEnabled(QLatin1String(name), enabled);
    SetCommandEnabled(QStringLiteral("mnuRunRun"), enabled && !SimEnabled);
    for (const char* name : kRunViews)
        if (QWidget* view = View(QLatin1String(name))) view->setEnabled(enabled);
}

void frmMain::FreezeDisplay() {
    SetCommandEnabled(QStringLiteral("mnuRunPause"), true);
    // The PC and cursor marks would go stale while the program runs.
    if (Checked(kDisAsmView)) CallView(kDisAsmView, "ClearMarks");
    if (Checked(QStringLiteral("mnuViewStack"))) CallView(QStringLiteral("mnuViewStack"), "ClearMarks");
    EnableRunCommands(false);
    for (const char* name : kDebugViewItems)
        SetCommandEnabled(QLatin1String(name), false);
    // Nothing may step, move the PC or change the breakpoints under a running program.
    for (const char* name : kStepCommands)
        SetCommandEnabled(QLatin1String(name), false);
    for (const char* name : kDisAsmWindowCommands)
        SetCommandEnabled(QLatin1String(name), false);
}

void frmMain::ThawDisplay() {
    SetCommandEnabled(QStringLiteral("mnuRunPause"), !run_->Stopped);
    EnableRunCommands(true);
    for (const char* name : kDebugViewItems)
        SetCommandEnabled(QLatin1String(name), true);
    // The register block and PIA windows only reach the board, the I/O unit only the simulator.
    GateViewMenu();
    if (run_->Idle()) EnableStopCommands();
}

void frmMain::EnableStopCommands() {
    for (const char* name : kStepCommands)
        SetCommandEnabled(QLatin1String(name), true);
    SetCommandEnabled(QStringLiteral("mnuRunRun"), !SimEnabled);
    // The disassembly window narrows them to what its target allows and enables its own commands.
    DebugMenus();
}

namespace {
// The on-chip register windows, in the order they redraw after one read of $1000..$103F.
const char* const kOnChipViews[] = {
    "mnuViewRegAD",  "mnuViewRegOther", "mnuViewRegPulseAcc", "mnuViewRegPorts",
    "mnuViewRegSCI", "mnuViewRegSPI",   "mnuViewRegTimer",
};
// The views that read what they show (their mnuRefresh), in refresh order
// around the on-chip windows.
const char* const kReadingViewsBefore[] = {"mnuViewRegCPU", "mnuViewStack", "mnuViewWatch"};
const char* const kReadingViewsAfter[] = {"mnuViewRegPIA"};
} // namespace

// After a stop every open view shows the target anew. A failed exchange ends
// the refresh, and every open view clears its values instead of showing stale ones.
void frmMain::RefreshRun() {
    const auto refreshEach = [this](auto& names, const char* procedure) {
        for (const char* name : names) {
            if (!state_.BoardOK) return false;
            if (Checked(QLatin1String(name))) CallView(QLatin1String(name), procedure);
        }
        return state_.BoardOK;
    };
    bool ok = refreshEach(kReadingViewsBefore, "mnuRefresh");
    if (ok && std::any_of(std::begin(kOnChipViews), std::end(kOnChipViews),
                          [this](const char* name) { return Checked(QLatin1String(name)); })) {
        std::vector<uint8_t> bytes;
        target_->InBytes(0x1000, bytes, 64);
        if (state_.BoardOK && bytes.size() >= state_.OnChipRegisters.size())
            std::copy_n(bytes.begin(), state_.OnChipRegisters.size(), state_.OnChipRegisters.begin());
        ok = refreshEach(kOnChipViews, "Redraw");
    }
    ok = ok && refreshEach(kReadingViewsAfter, "mnuRefresh");
    // On the board the memory window re-reads only when asked (1 KiB would
    // cost a quarter of a second per step); the simulator reads it for free.
    if (ok && SimEnabled && Checked(QStringLiteral("mnuViewMemory")))
        CallView(QStringLiteral("mnuViewMemory"), "mnuMemoryRefresh");
    if (state_.BoardOK) return;
    for (const char* name : kRunViews)
        if (Checked(QLatin1String(name)) && QLatin1String(name) != QLatin1String("mnuViewDisassembler"))
            CallView(QLatin1String(name), "ClearScreen");
    if (Checked(QStringLiteral("mnuViewMemory"))) CallView(QStringLiteral("mnuViewMemory"), "ClearScreen");
}

// Until the serial terminal is open (mnuViewSerialTerminal checked), the
// board's output is dropped.
void frmMain::SerialOutput(const QByteArray& bytes) {
    if (!Checked(QStringLiteral("mnuViewSerialTerminal"))) return;
    CallByName(View(QStringLiteral("mnuViewSerialTerminal")), "ShowSerialData", "QByteArray", bytes);
}

void frmMain::ClockCountUpdate() {
    SetStatusPanel(kPanelClock, run_->ClockCountText());
}

QStringList frmMain::DetectedPorts() const {
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices.append(info.systemLocation());
    devices.sort();
    return devices;
}

// ---- Options ----

OptionsValues frmMain::CurrentOptions() const {
    return {ScreenFont, PrintFont, COMPort, COMPortName, SimEnabled};
}

void frmMain::ApplyOptions(const OptionsValues& values) {
    ScreenFont = values.ScreenFont;
    PrintFont = values.PrintFont;
    // A target chosen on the command line is kept for this run only, unless changed here.
    if (values.SimEnabled != SimEnabled) storedSimEnabled_ = values.SimEnabled;
    SimEnabled = values.SimEnabled;
    for (QMdiSubWindow* editor : EditorWindows())
        ApplyScreenFont(editor->widget());
    COMPort = values.COMPort;
    COMPortName = values.COMPortName;
    OpenCommPort();
    // "Simulator mode" disables Run; the board brings it back.
    if (!SimEnabled) SetCommandEnabled(QStringLiteral("mnuRunRun"), true);
}

void frmMain::ApplyScreenFont(QWidget* editor) {
    if (!editor) return;
    if (CallByName(editor, "ApplyScreenFont")) return;
    QWidget* text = editor->findChild<QWidget*>(QStringLiteral("Text"));
    (text ? text : editor)->setFont(ResolveFont(ScreenFont));
}

void frmMain::GateViewMenu() {
    for (const char* name : kBoardViews)
        SetCommandEnabled(QLatin1String(name), !SimEnabled);
    SetCommandEnabled(QStringLiteral("mnuViewIOunit"), SimEnabled);
}

// ---- Commands ----

QAction* frmMain::Command(const QString& name) const {
    return menus_.Actions.value(name);
}

QAction* frmMain::ToolButton(const QString& name) const {
    return toolButtons_.value(name);
}

QMenu* frmMain::Menu(const QString& name) const {
    return menus_.Menus.value(name);
}

QList<QAction*> frmMain::ToolbarButtons() const {
    return toolbarButtons_;
}

bool frmMain::CommandAvailable(const QString& name) const {
    if (CommandPending(name)) return false;
    if (IsViewItem(name)) return views_.contains(name);
    return true;
}

void frmMain::ApplyEnabled(const QString& name) {
    const bool enabled = wanted_.value(name, true) && CommandAvailable(name);
    if (QAction* action = Command(name)) action->setEnabled(enabled);
    if (QAction* button = ToolButton(name)) button->setEnabled(enabled);
}

void frmMain::SetCommandEnabled(const QString& name, bool enabled) {
    wanted_.insert(name, enabled);
    ApplyEnabled(name);
}

bool frmMain::CommandEnabled(const QString& name) const {
    const QAction* action = Command(name);
    return action && action->isEnabled();
}

bool frmMain::Checked(const QString& name) const {
    const QAction* action = Command(name);
    return action && action->isChecked();
}

void frmMain::SetChecked(const QString& name, bool checked) {
    if (QAction* action = Command(name)) action->setChecked(checked);
}

void frmMain::SetRecentFiles(const QStringList& files) {
    recentFiles_ = files.mid(0, 4);
    for (int i = 0; i < 4; ++i) {
        QAction* action = Command(QStringLiteral("mnuFileRecent") + QString::number(i));
        if (i < recentFiles_.size()) {
            QString shown = recentFiles_[i];
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            action->setText(QLatin1Char('&') + QString::number(i + 1) + QLatin1Char(' ') + shown);
            action->setVisible(true);
        } else {
            action->setText(QString());
            action->setVisible(false);
        }
    }
}

// ---- Status bar ----

void frmMain::SetStatusPanel(int panel, const QString& text) {
    if (QLabel* label = StatusPanelLabel(panel)) label->setText(text);
}

QString frmMain::StatusPanel(int panel) const {
    const QLabel* label = StatusPanelLabel(panel);
    return label ? label->text() : QString();
}

QLabel* frmMain::StatusPanelLabel(int panel) const {
    return panel >= 1 && panel <= panels_.size() ? panels_[panel - 1] : nullptr;
}

// ---- Child windows ----

void frmMain::RegisterView(const ViewInfo& info) {
    views_.insert(info.MenuName, info);
    ApplyEnabled(info.MenuName);
}

bool frmMain::ViewRegistered(const QString& menuName) const {
    return views_.contains(menuName);
}

QMdiSubWindow* frmMain::ViewWindow(const QString& menuName) const {
    return openViews_.value(menuName).data();
}

QWidget* frmMain::View(const QString& menuName) const {
    const QMdiSubWindow* window = ViewWindow(menuName);
    return window ? window->widget() : nullptr;
}

QSizeF frmMain::ClientTwips() const {
    const QSize client = mdiArea->viewport()->size();
    return {PixelsToTwips(client.width()), PixelsToTwips(client.height())};
}

bool frmMain::ShowView(const QString& menuName) {
    if (QMdiSubWindow* open = ViewWindow(menuName)) {
        mdiArea->setActiveSubWindow(open);
        SetChecked(menuName, true);
        return true;
    }
    const auto info = views_.constFind(menuName);
    if (info == views_.cend() || !info->Create) {
        SetChecked(menuName, false);
        return false;
    }
    QWidget* form = info->Create();
    if (!form) {
        SetChecked(menuName, false);
        return false;
    }
    if (!info->FormName.isEmpty()) form->setObjectName(info->FormName);
    auto* window = new ViewSubWindow(menuName, info->Prefix);
    window->setWidget(form);
    window->setWindowTitle(form->windowTitle());
    mdiArea->addSubWindow(window);
    openViews_.insert(menuName, window);
    connect(window, &ViewSubWindow::Unloaded, this, &frmMain::OnViewUnloaded);

    const QSizeF client = ClientTwips();
    const WindowPlacement defaults =
        info->DefaultPlacement
            ? info->DefaultPlacement(client)
            : WindowPlacement{0, 0, float(client.width() / 2), float(client.height() / 2), kStateNormal};
    if (info->Prefix.isEmpty()) {
        PlaceWindow(window, defaults);
        window->show();
    } else {
        RestoreWindowPlacement(window, info->Prefix, defaults);
        window->show();
    }
    SetChecked(menuName, true);
    return true;
}

void frmMain::UnloadView(const QString& menuName) {
    if (QMdiSubWindow* window = ViewWindow(menuName)) {
        window->close();
        return;
    }
    SetChecked(menuName, false);
}

void frmMain::OnViewUnloaded(const QString& menuName) {
    openViews_.remove(menuName);
    SetChecked(menuName, false);
}

void frmMain::ToggleView(const QString& menuName) {
    if (ViewWindow(menuName))
        UnloadView(menuName);
    else
        ShowView(menuName);
}

QMdiSubWindow* frmMain::AddChildForm(QWidget* form) {
    QMdiSubWindow* window = mdiArea->addSubWindow(form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QObject::destroyed, this,
            [this] { QMetaObject::invokeMethod(this, &frmMain::UpdateWindowMenu, Qt::QueuedConnection); });
    UpdateWindowMenu();
    return window;
}

QList<QMdiSubWindow*> frmMain::EditorWindows() const {
    QList<QMdiSubWindow*> editors;
    for (QMdiSubWindow* window : mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (window->widget() && window->widget()->objectName() == kEditorForm) editors.append(window);
    return editors;
}

int frmMain::OpenEditorCount() const {
    return int(EditorWindows().size());
}

bool frmMain::CallView(const QString& menuName, const char* procedure) {
    return CallByName(View(menuName), procedure);
}

bool frmMain::CallActiveChild(const char* procedure) {
    const QMdiSubWindow* window = mdiArea->currentSubWindow();
    return window && CallByName(window->widget(), procedure);
}

void frmMain::UpdateWindowMenu() {
    const bool editors = OpenEditorCount() > 0;
    for (const char* name : {"mnuWindowCascade", "mnuWindowTileHorizontal", "mnuWindowTileVertical"})
        SetCommandEnabled(QLatin1String(name), editors);
}

void frmMain::PrepareEditorsForArrange(const QList<QMdiSubWindow*>& editors) {
    for (QMdiSubWindow* editor : editors)
        if (editor->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) editor->showNormal();
}

// ---- Help ----

bool frmMain::ShowHelpPage(const QString& page, const QString& anchor) {
    if (!help_) help_ = new HelpWindow(helpFolder_, this);
    if (!help_->ShowPage(page, anchor)) {
        prompt_.Message(DravikTitle(QStringLiteral("Help")),
                        QStringLiteral("Can't Find help/") + page + QStringLiteral(" !"),
                        PromptIcon::Exclamation);
        return false;
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
    return true;
}

void frmMain::SetRegistersHelp() {
    const struct {
        const char* Name;
        int Topic;
    } topics[] = {{"mnuPopupViewEnter", 95},
                  {"mnuPopupViewHex", 96},
                  {"mnuPopupViewBin", 97},
                  {"mnuPopupViewDec", 98},
                  {"mnuPopupViewAutoRefresh", 99}};
    for (const auto& entry : topics)
        SetHelpTopic(Command(QLatin1String(entry.Name)), entry.Topic);
}

bool frmMain::ShowHelpTopic(int topic) {
    const QString page = HelpTopicPage(topic);
    return ShowHelpPage(page, page == kHelpContentsPage ? QString() : QString::number(topic));
}

// ---- File ----
// The editor commands go to the editors; the assembler, the symbols and the
// download to their own parts.

void frmMain::mnuFileNew_Click() {
    editors_->NewEditor();
}
void frmMain::mnuFileOpen_Click() {
    editors_->Open();
}
void frmMain::mnuFileClose_Click() {
    editors_->Close();
}
void frmMain::mnuFileSave_Click() {
    editors_->Save();
}
void frmMain::mnuFileSaveAs_Click() {
    editors_->SaveAs();
}
void frmMain::mnuFilePrintSetup_Click() {
    editors_->PrintSetup();
}
void frmMain::mnuFilePrintPreview_Click() {
    editors_->PrintPreview();
}
// The menu item asks for the printer first; the toolbar button prints at once.
void frmMain::mnuFilePrint_Click() {
    editors_->Print(sender() != ToolButton(QStringLiteral("mnuFilePrint")));
}
// The toolbar button assembles the known source at once.
void frmMain::mnuFileAssemble_Click() {
    if (sender() && sender() == ToolButton(QStringLiteral("mnuFileAssemble")))
        assembler_->ToolbarAssemble();
    else
        assembler_->mnuFileAssemble();
}
void frmMain::mnuFileLoadSymbols_Click() {
    symbols_->mnuFileLoadSymbols();
}
// The toolbar button takes the known file at once.
void frmMain::mnuFileDownload_Click() {
    if (sender() && sender() == ToolButton(QStringLiteral("mnuFileDownload")))
        FileDownload();
    else
        DownloadCommand();
}

void frmMain::DownloadCommand() {
    // A known file that has gone since is asked for again.
    if (!DownloadFileName.isEmpty() && QFileInfo::exists(DownloadFileName)) {
        ShowDownload();
        return;
    }
    FileRequest request;
    request.Title = QStringLiteral("Download");
    request.Filter = QStringLiteral("Machine Code (*.s19)|*.s19|All Files (*.*)|*.*");
    request.FilterIndex = 1;
    request.FileMustExist = true;
    request.HideReadOnly = true;
    const FileAnswer answer = editors_->Folders().OpenFile(prompt_, request);
    if (answer.Accepted) {
        DownloadFileName = answer.FileName;
        ShowDownload();
    }
    run_->ClockCount = 0;
    ClockCountUpdate();
}

void frmMain::FileDownload() {
    if (!DownloadFileName.isEmpty() && QFileInfo::exists(DownloadFileName))
        ShowDownload();
    else
        DownloadCommand();
}

void frmMain::ShowDownload() {
    frmDownload dialog(DownloadFileName, Targets(), prompt_, this);
    prompt_.ShowModal(dialog);
    if (!dialog.Started()) return;
    const DownloadOutcome& outcome = dialog.Outcome();
    if (outcome.Result != DownloadResult::Done && outcome.Result != DownloadResult::Cancelled) return;
    if (dialog.CancelPressed())
        ProgramLoaded = false;
    else if (outcome.Records > 0)
        ProgramLoaded = true;
    if (QMdiSubWindow* active = mdiArea->activeSubWindow()) active->raise();
    // The code on the target changed behind run control.
    run_->InvalidateProgramPage();
    run_->ClockCount = 0;
    ClockCountUpdate();
    if (!ProgramLoaded) return;
    SetStatusPanel(kPanelProgram, QStringLiteral("Program: ") + DownloadFileName);
    Targets().InCPU();
    if (!state_.BoardOK) return;
    for (const char* name : {"mnuViewRegCPU", "mnuViewStack", "mnuViewDisassembler"})
        if (!ViewWindow(QLatin1String(name))) ShowView(QLatin1String(name));
    if (!state_.BoardOK) return;
    // The disassembly re-reads its page even at the same address: the code there changed.
    UpdateDisassembly();
    if (state_.BoardOK) RefreshRun();
    for (const char* name : {"mnuViewStack", "mnuViewRegCPU", "mnuViewDisassembler"})
        if (QMdiSubWindow* window = ViewWindow(QLatin1String(name))) window->raise();
}
void frmMain::mnuFileRecent_Click(int index) {
    editors_->OpenRecent(index);
}
void frmMain::mnuFileExit_Click() {
    close();
}

// ---- Edit ----

void frmMain::mnuEditUndo_Click() {
    editors_->Undo();
}
void frmMain::mnuEditRedo_Click() {
    editors_->Redo();
}
void frmMain::mnuEditCut_Click() {
    editors_->Cut();
}
void frmMain::mnuEditCopy_Click() {
    editors_->Copy();
}
void frmMain::mnuEditPaste_Click() {
    editors_->Paste();
}
void frmMain::mnuEditDelete_Click() {
    editors_->Delete();
}
void frmMain::mnuEditSelectAll_Click() {
    editors_->SelectAll();
}
void frmMain::mnuEditFind_Click() {
    editors_->Find();
}
void frmMain::mnuEditFindNext_Click() {
    editors_->FindNext();
}
void frmMain::mnuEditReplace_Click() {
    editors_->Replace();
}
void frmMain::mnuEditGoToLine_Click() {
    editors_->GoToLine();
}

// ---- View ----

void frmMain::mnuViewRegCPU_Click() {
    ToggleView(QStringLiteral("mnuViewRegCPU"));
}
void frmMain::mnuViewRegPorts_Click() {
    ToggleView(QStringLiteral("mnuViewRegPorts"));
}
void frmMain::mnuViewRegTimer_Click() {
    ToggleView(QStringLiteral("mnuViewRegTimer"));
}
void frmMain::mnuViewRegPulseAcc_Click() {
    ToggleView(QStringLiteral("mnuViewRegPulseAcc"));
}
void frmMain::mnuViewRegSCI_Click() {
    ToggleView(QStringLiteral("mnuViewRegSCI"));
}
void frmMain::mnuViewRegSPI_Click() {
    ToggleView(QStringLiteral("mnuViewRegSPI"));
}
void frmMain::mnuViewRegAD_Click() {
    ToggleView(QStringLiteral("mnuViewRegAD"));
}
void frmMain::mnuViewRegOther_Click() {
    ToggleView(QStringLiteral("mnuViewRegOther"));
}
void frmMain::mnuViewRegPIA_Click() {
    ToggleView(QStringLiteral("mnuViewRegPIA"));
}
void frmMain::mnuViewIOunit_Click() {
    ToggleView(QStringLiteral("mnuViewIOunit"));
}
void frmMain::mnuViewMemory_Click() {
    const bool opening = !ViewWindow(QStringLiteral("mnuViewMemory"));
    ToggleView(QStringLiteral("mnuViewMemory"));
    // A newly opened memory window first asks which address to show.
    if (opening && ViewWindow(QStringLiteral("mnuViewMemory")))
        CallView(QStringLiteral("mnuViewMemory"), "mnuMemoryAddress");
}
void frmMain::mnuViewWatch_Click() {
    ToggleView(QStringLiteral("mnuViewWatch"));
}
void frmMain::mnuViewStack_Click() {
    ToggleView(QStringLiteral("mnuViewStack"));
}
void frmMain::mnuViewDisassembler_Click() {
    ToggleView(QStringLiteral("mnuViewDisassembler"));
}
void frmMain::mnuViewLabel_Click() {
    ToggleView(QStringLiteral("mnuViewLabel"));
}
void frmMain::mnuViewSerialTerminal_Click() {
    ToggleView(QStringLiteral("mnuViewSerialTerminal"));
}

void frmMain::mnuViewToolbar_Click() {
    Toolbar1->setVisible(Checked(QStringLiteral("mnuViewToolbar")));
}

void frmMain::mnuViewStatusBar_Click() {
    statusBar()->setVisible(Checked(QStringLiteral("mnuViewStatusBar")));
}

void frmMain::mnuViewOptions_Click() {
    frmOptions dialog(CurrentOptions(), DetectedPorts(), prompt_, this);
    SetDialogHelpHook(dialog, [this](int topic) { ShowHelpTopic(topic); });
    if (prompt_.ShowModal(dialog) == QDialog::Accepted) ApplyOptions(dialog.Values());
    GateViewMenu();
}

// ---- Debug ----

void frmMain::mnuDebugAddWatch_Click() {
    watches_->mnuDebugAddWatch();
}
void frmMain::mnuDebugEditWatch_Click() {
    watches_->mnuDebugEditWatch();
}

void frmMain::mnuDebugCodeOn_Click() {
    CallView(QStringLiteral("mnuViewDisassembler"), "PageRedraw");
}

void frmMain::mnuDebugIncludeSym_Click() {
    CallView(QStringLiteral("mnuViewDisassembler"), "PageRedraw");
}

void frmMain::mnuDebugInlineAsemble_Click() {}
void frmMain::mnuDebugToggleBreakpoint_Click() {
    CallView(kDisAsmView, "mnuToggleBreakpoint");
}
void frmMain::mnuDebugClearAllBreakpoints_Click() {
    CallView(kDisAsmView, "mnuClearAllBreakpoints");
}
void frmMain::mnuDebugSetNewPC_Click() {
    CallView(kDisAsmView, "mnuSetNewPC");
}
void frmMain::mnuDebugGetResVec_Click() {
    run_->GetResetVector();
}
void frmMain::mnuDebugGoToPCAddress_Click() {
    CallView(kDisAsmView, "mnuGoToPCAddress");
}
void frmMain::mnuDebugGoToAddress_Click() {
    CallView(kDisAsmView, "mnuGoToAddress");
}

void frmMain::mnuDebugResetCounter_Click() {
    run_->ResetCounter();
}

void frmMain::mnuDebugRefresh_Click() {
    CallView(kDisAsmView, "mnuRefresh");
}

// ---- Run ----

void frmMain::mnuRunRun_Click() {
    run_->RunHC11();
}
void frmMain::mnuRunPlay_Click() {
    run_->Play();
}
void frmMain::mnuRunAnimate_Click() {
    run_->Animate();
}
void frmMain::mnuRunStepInto_Click() {
    run_->StepInto();
}
void frmMain::mnuRunStepOver_Click() {
    run_->StepOver();
}
void frmMain::mnuRunStepOut_Click() {
    run_->StepOut();
}
void frmMain::mnuRunRunTo_Click() {
    CallView(kDisAsmView, "RunToCursor");
}
void frmMain::mnuRunPause_Click() {
    run_->Pause();
}

// ---- Window ----

void frmMain::mnuWindowArrangeDebugger_Click() {
    for (QMdiSubWindow* window : mdiArea->subWindowList())
        if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) window->showNormal();
    for (const DebuggerSlot& slot : ArrangeDebugger(float(ClientTwips().height()))) {
        for (auto it = openViews_.cbegin(); it != openViews_.cend(); ++it) {
            ViewSubWindow* window = it.value();
            if (!window || window->Prefix() != slot.Prefix) continue;
            PlaceWindow(window, slot.Placement);
            SaveWindowPlacement(window, slot.Prefix);
        }
    }
}

void frmMain::mnuWindowCascade_Click() {
    const QList<QMdiSubWindow*> editors = EditorWindows();
    PrepareEditorsForArrange(editors);
    const int step = std::max(20, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4);
    const QList<QRect> rects = Cascade(mdiArea->viewport()->size(), int(editors.size()), step);
    for (qsizetype i = 0; i < editors.size(); ++i) {
        editors[i]->setGeometry(rects[i]);
        editors[i]->raise();
    }
}

void frmMain::mnuWindowTileHorizontal_Click() {
    const QList<QMdiSubWindow*> editors = EditorWindows();
    PrepareEditorsForArrange(editors);
    const QList<QRect> rects = TileHorizontal(mdiArea->viewport()->size(), int(editors.size()));
    for (qsizetype i = 0; i < editors.size(); ++i)
        editors[i]->setGeometry(rects[i]);
    for (QMdiSubWindow* editor : editors)
        editor->raise();
}

void frmMain::mnuWindowTileVertical_Click() {
    const QList<QMdiSubWindow*> editors = EditorWindows();
    PrepareEditorsForArrange(editors);
    const QList<QRect> rects = TileVertical(mdiArea->viewport()->size(), int(editors.size()));
    for (qsizetype i = 0; i < editors.size(); ++i)
        editors[i]->setGeometry(rects[i]);
    for (QMdiSubWindow* editor : editors)
        editor->raise();
}

// ---- Help ----

void frmMain::mnuHelpTopics_Click() {
    ShowHelpPage(kHelpContentsPage);
}

void frmMain::mnuHelpUsingHelp_Click() {
    ShowHelpPage(kHelpUsingPage);
}

void frmMain::mnuHelpHC11Symbols_Click() {
    ShowHelpTopic(kTopicHC11Symbols);
}

void frmMain::mnuHelpAbout_Click() {
    frmAbout dialog(this);
    prompt_.ShowModal(dialog);
}

// ---- Pop-up menus of the views ----

void frmMain::mnuPopupMemoryEnter_Click() {
    CallView(QStringLiteral("mnuViewMemory"), "mnuMemoryEnter");
}
void frmMain::mnuPopupMemoryAddress_Click() {
    CallView(QStringLiteral("mnuViewMemory"), "mnuMemoryAddress");
}
void frmMain::mnuPopupMemoryRefresh_Click() {
    CallView(QStringLiteral("mnuViewMemory"), "mnuMemoryRefresh");
}

void frmMain::mnuPopupStackEnter_Click() {
    CallView(QStringLiteral("mnuViewStack"), "mnuEnter");
}
void frmMain::mnuPopupStackGoToSPAddress_Click() {
    CallView(QStringLiteral("mnuViewStack"), "mnuGoToSPAddress");
}
void frmMain::mnuPopupStackGoToAddress_Click() {
    CallView(QStringLiteral("mnuViewStack"), "mnuGoToAddress");
}
void frmMain::mnuPopupStackRefresh_Click() {
    CallView(QStringLiteral("mnuViewStack"), "mnuRefresh");
}

void frmMain::mnuPopupViewAddWatch_Click() {
    mnuDebugAddWatch_Click();
}
void frmMain::mnuPopupViewEditWatch_Click() {
    mnuDebugEditWatch_Click();
}
void frmMain::mnuPopupViewRemoveWatch_Click() {
    CallView(QStringLiteral("mnuViewWatch"), "mnuRemoveWatch");
}
void frmMain::mnuPopupViewEnter_Click() {
    CallActiveChild("mnuEnter");
}
void frmMain::mnuPopupViewHex_Click() {
    CallActiveChild("mnuViewHex");
}
void frmMain::mnuPopupViewBin_Click() {
    CallActiveChild("mnuViewBin");
}
void frmMain::mnuPopupViewDec_Click() {
    CallActiveChild("mnuViewDec");
}
void frmMain::mnuPopupViewAutoRefresh_Click() {
    CallActiveChild("mnuAutoRefresh");
}
void frmMain::mnuPopupViewRefresh_Click() {
    CallActiveChild("mnuRefresh");
}

void frmMain::mnuPopupSerialAscii_Click() {
    SetChecked(QStringLiteral("mnuPopupSerialAscii"), true);
    SetChecked(QStringLiteral("mnuPopupSerialHex"), false);
}

void frmMain::mnuPopupSerialHex_Click() {
    SetChecked(QStringLiteral("mnuPopupSerialHex"), true);
    SetChecked(QStringLiteral("mnuPopupSerialAscii"), false);
}

void frmMain::mnuPopupSerialClear_Click() {
    CallView(QStringLiteral("mnuViewSerialTerminal"), "Clear");
}

void frmMain::mnuPopupSortName_Click() {
    CallView(QStringLiteral("mnuViewLabel"), "SortByName");
}
void frmMain::mnuPopupSortValue_Click() {
    CallView(QStringLiteral("mnuViewLabel"), "SortByValue");
}
void frmMain::mnuPopupSortNone_Click() {
    CallView(QStringLiteral("mnuViewLabel"), "Unsorted");
}

// ---- Timers ----

// The board's serial output while a program runs on it.
void frmMain::tmrComm_Timer() {
    receiver_->tmrComm();
}

void frmMain::StartRefreshTimer() {
    if (!tmrRefresh || unloaded_) return;
    const bool blocked = dialogs_.DialogOpen() || QApplication::activePopupWidget() || Running ||
                         run_->PlayMode || run_->AnimateMode;
    refreshPending_ = blocked && dialogs_.DialogOpen();
    if (!blocked) tmrRefresh->start();
}

void frmMain::StopRefreshTimer() {
    refreshPending_ = false;
    if (tmrRefresh) tmrRefresh->stop();
}

// No view reads the target behind a dialog; the timer comes back after the last one.
void frmMain::DialogOpened(bool open) {
    if (!tmrRefresh) return;
    if (open) {
        refreshPending_ = refreshPending_ || tmrRefresh->isActive();
        tmrRefresh->stop();
    } else if (refreshPending_) {
        StartRefreshTimer();
    }
}

// Auto refresh of the active view.
void frmMain::tmrRefresh_Timer() {
    // A running program owns the target; the views read it once it stops.
    if (Running || run_->PlayMode || run_->AnimateMode) return;
    CallActiveChild("mnuRefresh");
}

} // namespace quorvel
