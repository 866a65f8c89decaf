// frmMain: the IDE's one top-level window, a multiple-document frame whose
// children are the source editors and the debugger views. It owns the menus,
// the toolbar, the status bar, the serial port (MSComm), the two timers and
// the state every other part reads through it (target choice, port, fonts,
// cycle counter).
//
//     QtPrompt prompt;
//     frmMain frame(prompt, options);   // runs the start-up: settings, placement, port
//     prompt.SetOwner(&frame);
//     frame.show();
//     ...                               // closing it saves settings and placement
//
// The target: Vantrel1 is the simulator control, bound to the memory image;
// Targets() is the one target access every other part uses, going to the
// image or to the board link as SimEnabled says. The board's serial output
// reaches the serial terminal through SerialOutput, the I/O board panel hears
// of $6000..$6003 through its slots setInFresh(int) .. setOutDataRegister(int).
//
// Menu commands are dispatched to slots named after their items
// (mnuRunPlay_Click for mnuRunPlay); the toolbar buttons call the same slots.
// Commands whose work is not in the program yet are listed in
// PendingCommands.h and stay disabled. Views join through RegisterView.
#pragma once

#include <cstdint>
#include <memory>

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSizeF>
#include <QStringList>

#include "frame/CommPort.h"
#include "frame/DialogTrackingPrompt.h"
#include "frame/FontSetting.h"
#include "frame/HelpWindow.h"
#include "frame/MenuBuilder.h"
#include "frame/Placement.h"
#include "frame/Settings.h"
#include "frame/StartOptions.h"
#include "frame/Views.h"
#include "frame/frmOptions.h"
#include "target/BoardLink.h"
#include "target/BoardReceiver.h"
#include "target/BoardTarget.h"
#include "target/ImageTarget.h"
#include "target/SwitchingTarget.h"
#include "target/TargetState.h"
#include "vantrel/VantrelCtrl.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace quorvel {

class Editors;
class FrameAssembler;
class FrameDisAsm;
class CodeImage;
class RunControl;
class RunHost;
class SymbolFile;
class WatchCommands;
class Prompt;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up. Without a port of its own the frame uses the serial device the settings name.
    explicit frmMain(Prompt& prompt, StartOptions options = {}, std::unique_ptr<CommPort> port = nullptr,
                     QWidget* parent = nullptr);
    ~frmMain() override;

    // ---- State of the whole IDE ----
    int COMPort = 2;     // port number N: /dev/ttyS<N-1>
    QString COMPortName; // a device path; wins over COMPort when set
    bool SimEnabled = false;
    FontSetting ScreenFont;
    FontSetting PrintFont;
    // The board runs the user program freely (after Run, until it is reset):
    // run control's Running, read and written through the frame.
    class RunningFlag {
    public:
        explicit RunningFlag(frmMain& frame) : frame_(frame) {}
        operator bool() const;
        RunningFlag& operator=(bool running);

    private:
        frmMain& frame_;
    };
    RunningFlag Running{*this};
    // The file File > Download loads; empty until one is chosen.
    QString DownloadFileName;
    // A download wrote at least one record (Cancel clears it).
    bool ProgramLoaded = false;

    // ---- The target ----
    vantrel::CVantrelCtrl Vantrel1;
    TargetState& Target() { return state_; }
    // Every read and write of the target goes through it.
    TargetAccess& Targets() { return *target_; }
    ImageTarget& Simulator() { return *image_; }
    BoardLink& Link() { return *link_; }
    BoardReceiver& Receiver() { return *receiver_; }
    // Run control: the Run and Debug commands, breakpoints and the cycle counter.
    RunControl& Run() { return *run_; }

    QMdiArea* mdiArea = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QTimer* tmrComm = nullptr;    // 50 ms, on from start-up
    QTimer* tmrRefresh = nullptr; // 100 ms, off at start-up

    Prompt& prompt() { return prompt_; }
    CommPort& MSComm() { return *port_; }
    bool PortOpen() const { return port_->PortOpen(); }
    // Files named on the command line, absolute.
    const QStringList& StartFiles() const { return options_.Files; }
    QString ProgramFolder() const;
    QString HelpFolder() const { return helpFolder_; }
    void SetHelpFolder(const QString& folder);
    // True once the frame has saved its settings for exit.
    bool Unloaded() const { return unloaded_; }

    // ---- Commands ----
    QAction* Command(const QString& name) const;
    // The toolbar button of a command, or null.
    QAction* ToolButton(const QString& name) const;
    QMenu* Menu(const QString& name) const;
    QList<QAction*> ToolbarButtons() const;
    // Enables or disables the menu item and its toolbar button. A command
    // whose work is not in the program, or a View item without its view,
    // stays disabled; it takes the requested state once it is available.
    void SetCommandEnabled(const QString& name, bool enabled);
    bool CommandEnabled(const QString& name) const;
    bool CommandAvailable(const QString& name) const;
    bool Checked(const QString& name) const;
    void SetChecked(const QString& name, bool checked);
    // The entries of mnuFileRecent, most recent first (at most four are shown).
    void SetRecentFiles(const QStringList& files);
    const QStringList& RecentFiles() const { return recentFiles_; }

    // ---- Status bar (panels 1 to 5) ----
    void SetStatusPanel(int panel, const QString& text);
    QString StatusPanel(int panel) const;
    QLabel* StatusPanelLabel(int panel) const;

    // ---- Child windows ----
    void RegisterView(const ViewInfo& info);
    bool ViewRegistered(const QString& menuName) const;
    // The open form of a view, or null.
    QWidget* View(const QString& menuName) const;
    QMdiSubWindow* ViewWindow(const QString& menuName) const;
    // Loads and shows the view (or brings it forward) and checks its item.
    bool ShowView(const QString& menuName);
    // Closes the view; its placement is saved and its item unchecked.
    void UnloadView(const QString& menuName);
    // Puts a form (an editor, a dialog that lives in the frame) into a child window.
    QMdiSubWindow* AddChildForm(QWidget* form);
    // Editor windows (forms named frmEditor), in the order they were opened.
    QList<QMdiSubWindow*> EditorWindows() const;
    int OpenEditorCount() const;
    // The editors and their File and Edit commands (editor/Editors.h).
    Editors& editors() const { return *editors_; }
    // The client area of the frame, in twips.
    QSizeF ClientTwips() const;
    // Calls a procedure of an open view, or of the active child window, by
    // name; false when there is no such window or procedure.
    bool CallView(const QString& menuName, const char* procedure);
    bool CallActiveChild(const char* procedure);

    // ---- Procedures used by the other parts ----
    // Shows the link in status panel 1: "Simulator mode" (and Run disabled)
    // with the simulator as target; for the board, the link state.
    void BoardStatus();
    // Run control's: the start and the end of a run, and the refresh of the open views.
    void FreezeDisplay();
    void ThawDisplay();
    // After every stop (a loop, a board wait, a free run ended by a reset):
    // every command a stopped program allows is enabled.
    void EnableStopCommands();
    void RefreshRun();
    // ---- Symbols and the disassembly window ----
    // The symbol table, File > Load Symbols and the reload after an assembly.
    SymbolFile& Symbols() const { return *symbols_; }
    // File > Assemble: the run of asm.sh, the results and the error list.
    FrameAssembler& Assembler() const { return *assembler_; }
    // The watch table, Add Watch and Edit Watch, and the watch window.
    WatchCommands& Watches() const { return *watches_; }
    // Gives the disassembly window run control's breakpoint table, state and
    // Run To Cursor; View > Disassembler opens it from then on.
    void AttachRunControl(RunControl& run);
    // Run control's view hooks (RunHost). Refresh: the disassembly window,
    // when open, redraws and shows the PC line, then (BoardOK) RefreshRun.
    void Refresh();
    // The disassembly window shows the PC line.
    void ShowPCLine();
    // The disassembly window re-reads its page, redraws and shows the PC line (end of Play).
    void UpdateDisassembly();
    // The disassembly window brings the Run and Debug commands up to date (its Menus).
    void DebugMenus();
    // The board's serial output: to the serial terminal when it is shown.
    void SerialOutput(const QByteArray& bytes);
    // Status panel 4 from run control's cycle counter.
    void ClockCountUpdate();
    // The toolbar's Download: the file named in DownloadFileName when it
    // exists, else as File > Download.
    void FileDownload();
    // Closes the port if open and opens it again from COMPort/COMPortName.
    void OpenCommPort();
    // Enables the View items that suit the target.
    void GateViewMenu();
    // tmrRefresh for the views' auto refresh. It starts only when no dialog,
    // pop-up menu or run is in the way; a start asked for behind a dialog is
    // made once the last dialog has closed. A dialog opening stops it.
    void StartRefreshTimer();
    void StopRefreshTimer();
    OptionsValues CurrentOptions() const;
    // Takes over the values of a confirmed options dialog.
    void ApplyOptions(const OptionsValues& values);
    FrameSettings CurrentSettings() const;
    // Opens the help window at a topic number (an anchor) or a page.
    bool ShowHelpTopic(int topic);
    bool ShowHelpPage(const QString& page, const QString& anchor = QString());
    // Gives the items of the view pop-up the register windows' help topics (F1 on an item).
    void SetRegistersHelp();
    HelpWindow* Help() const { return help_; }

public slots:
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFilePrintSetup_Click();
    void mnuFilePrintPreview_Click();
    void mnuFilePrint_Click();
    void mnuFileAssemble_Click();
    void mnuFileLoadSymbols_Click();
    void mnuFileDownload_Click();
    void mnuFileRecent_Click(int index);
    void mnuFileExit_Click();

    void mnuEditUndo_Click();
    void mnuEditRedo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditSelectAll_Click();
    void mnuEditFind_Click();
    void mnuEditFindNext_Click();
    void mnuEditReplace_Click();
    void mnuEditGoToLine_Click();

    void mnuViewRegCPU_Click();
    void mnuViewRegPorts_Click();
    void mnuViewRegTimer_Click();
    void mnuViewRegPulseAcc_Click();
    void mnuViewRegSCI_Click();
    void mnuViewRegSPI_Click();
    void mnuViewRegAD_Click();
    void mnuViewRegOther_Click();
    void mnuViewRegPIA_Click();
    void mnuViewIOunit_Click();
    void mnuViewMemory_Click();
    void mnuViewWatch_Click();
    void mnuViewStack_Click();
    void mnuViewDisassembler_Click();
    void mnuViewLabel_Click();
    void mnuViewSerialTerminal_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewOptions_Click();

    void mnuDebugAddWatch_Click();
    void mnuDebugEditWatch_Click();
    void mnuDebugCodeOn_Click();
    void mnuDebugIncludeSym_Click();
    void mnuDebugInlineAsemble_Click();
    void mnuDebugToggleBreakpoint_Click();
    void mnuDebugClearAllBreakpoints_Click();
    void mnuDebugSetNewPC_Click();
    void mnuDebugGetResVec_Click();
    void mnuDebugGoToPCAddress_Click();
    void mnuDebugGoToAddress_Click();
    void mnuDebugResetCounter_Click();
    void mnuDebugRefresh_Click();

    void mnuRunRun_Click();
    void mnuRunPlay_Click();
    void mnuRunAnimate_Click();
    void mnuRunStepInto_Click();
    void mnuRunStepOver_Click();
    void mnuRunStepOut_Click();
    void mnuRunRunTo_Click();
    void mnuRunPause_Click();

    void mnuWindowArrangeDebugger_Click();
    void mnuWindowCascade_Click();
    void mnuWindowTileHorizontal_Click();
    void mnuWindowTileVertical_Click();

    void mnuHelpTopics_Click();
    void mnuHelpUsingHelp_Click();
    void mnuHelpHC11Symbols_Click();
    void mnuHelpAbout_Click();

    void mnuPopupMemoryEnter_Click();
    void mnuPopupMemoryAddress_Click();
    void mnuPopupMemoryRefresh_Click();
    void mnuPopupStackEnter_Click();
    void mnuPopupStackGoToSPAddress_Click();
    void mnuPopupStackGoToAddress_Click();
    void mnuPopupStackRefresh_Click();
    void mnuPopupViewAddWatch_Click();
    void mnuPopupViewEditWatch_Click();
    void mnuPopupViewRemoveWatch_Click();
    void mnuPopupViewEnter_Click();
    void mnuPopupViewHex_Click();
    void mnuPopupViewBin_Click();
    void mnuPopupViewDec_Click();
    void mnuPopupViewAutoRefresh_Click();
    void mnuPopupViewRefresh_Click();
    void mnuPopupSerialAscii_Click();
    void mnuPopupSerialHex_Click();
    void mnuPopupSerialClear_Click();
    void mnuPopupSortName_Click();
    void mnuPopupSortValue_Click();
    void mnuPopupSortNone_Click();

    void tmrComm_Timer();
    void tmrRefresh_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }
    // The serial devices the options dialog lists after the numbered ports.
    virtual QStringList DetectedPorts() const;

private:
    class LinkHost;
    class IoPanel;

    // File > Download's work (the menu item's; the toolbar button goes through FileDownload).
    void DownloadCommand();
    // Shows the progress window for DownloadFileName and takes over its outcome.
    void ShowDownload();
    void EnableRunCommands(bool enabled);
    void DownloadAtStart(const QString& s19);
    void DialogOpened(bool open);

    void CreateTarget();
    void CreateWidgets();
    void CreateToolbar();
    void CreateStatusBar();
    void ConnectWidgets();
    void Form_Load();
    void CreateCodeTools();
    void CreateViews();
    bool Form_QueryUnload();
    void Form_Unload();

    WindowPlacement MainDefaultPlacement() const;
    void ApplyEnabled(const QString& name);
    void ToggleView(const QString& menuName);
    void OnViewUnloaded(const QString& menuName);
    void UpdateWindowMenu();
    void PrepareEditorsForArrange(const QList<QMdiSubWindow*>& editors);
    void ApplyScreenFont(QWidget* editor);

    // Every message box and dialog goes through dialogs_ (prompt_ is it):
    // tmrRefresh stays off while one is open.
    DialogTrackingPrompt dialogs_;
    Prompt& prompt_ = dialogs_;
    StartOptions options_;
    std::unique_ptr<CommPort> port_;
    TargetState state_;
    SteadyClock clock_;
    std::unique_ptr<LinkHost> linkHost_;
    std::unique_ptr<IoPanel> ioPanel_;
    std::unique_ptr<BoardLink> link_;
    std::unique_ptr<ImageTarget> image_;
    std::unique_ptr<BoardTarget> board_;
    std::unique_ptr<SwitchingTarget> target_;
    std::unique_ptr<BoardReceiver> receiver_;
    std::unique_ptr<RunHost> runHost_;
    std::unique_ptr<CodeImage> code_;
    std::unique_ptr<RunControl> run_;
    BuiltMenus menus_;
    QHash<QString, QAction*> toolButtons_; // by menu name
    QList<QAction*> toolbarButtons_;
    QHash<QString, bool> wanted_; // requested enabled state by command
    QList<QLabel*> panels_;
    QHash<QString, ViewInfo> views_;
    QHash<QString, QPointer<ViewSubWindow>> openViews_;
    QStringList recentFiles_;
    QPointer<HelpWindow> help_;
    QString helpFolder_;
    bool storedSimEnabled_ = false; // SimEnabled as stored; --sim/--board leave it
    bool unloaded_ = false;
    bool refreshPending_ = false; // StartRefreshTimer was refused behind a dialog
    std::unique_ptr<Editors> editors_;
    std::unique_ptr<SymbolFile> symbols_;
    std::unique_ptr<FrameDisAsm> disAsm_;
    std::unique_ptr<FrameAssembler> assembler_;
    std::unique_ptr<WatchCommands> watches_;
};

} // namespace quorvel
