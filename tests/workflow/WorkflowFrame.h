// The whole IDE as a user meets it: the real main window, shown offscreen,
// on the simulator or on the emulated board hc11board over a pseudo-terminal,
// with a folder for the user's sources. Menu commands are triggered as the
// user clicks them (a disabled one fails the test), every dialog is answered
// through the scripted prompt, and the views are read back as text.
//
//     WorkflowFrame w(Target::Simulator);
//     w.Trigger("mnuFileNew");
//     w.AnswerEntry("$5A");          // the next value-entry dialog
//     w.Trigger("mnuPopupViewEnter");
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "../target/BoardProcess.h"
#include "FrameHarness.h"
#include "codetools/frmDisAsm.h"
#include "codetools/frmLabels.h"
#include "views/frmMemory.h"
#include "views/frmRegisters.h"
#include "views/frmStack.h"
#include "views/frmWatch.h"

namespace quorvel::test {

enum class Target { Simulator, Board };

class WorkflowFrame {
public:
    // options: what the command line gives besides the target (files,
    // --download); prepare queues the answers the start-up needs.
    explicit WorkflowFrame(Target target, StartOptions options = {},
                           const std::function<void(WorkflowFrame&)>& prepare = nullptr);
    ~WorkflowFrame();
    WorkflowFrame(const WorkflowFrame&) = delete;
    WorkflowFrame& operator=(const WorkflowFrame&) = delete;

    // The frame is up and, on the board, the board answered.
    bool Ready() const { return ready_; }
    frmMain& f() { return *frame_; }
    ScriptedPrompt& prompt() { return prompt_; }
    bool OnBoard() const { return target_ == Target::Board; }

    // A file in the user's folder.
    QString Path(const QString& name) const;
    // Clicks a menu item; the test fails when the command is missing or disabled.
    void Trigger(const char* command);
    // Lets queued calls, deferred deletions and repaints run.
    static void Settle();

    // ---- Answers for the next dialog ----
    void AnswerEntry(const QString& typed);         // frmEnterVal
    void AnswerWatchAddress(const QString& typed);  // frmWatchAdr, a byte
    void AnswerMemoryAddress(const QString& typed); // frmMemAdr
    void AnswerGoToAddress(const QString& typed);   // frmAddress
    void AnswerDownload();                          // frmDownload runs to its end
    // The main window becomes the active window, as after a click on it.
    bool ActivateFrame();
    // A key pressed where the keyboard focus is (a shortcut reaches its command).
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Runs `what` from the event loop after `ms`: the way a user acts while a run is going.
    void Later(int ms, std::function<void()> what);

    // ---- The target ----
    // A label's value from the loaded symbols; -1 when unknown.
    int32_t Label(const QString& name) const;
    // Read through the frame's target access, as every view reads.
    uint8_t TargetByte(int32_t address);

    // ---- The views ----
    // Makes the view's child window the active one.
    void Activate(const QString& menuName);
    frmRegisters* Cpu() const;
    frmWatch* Watch() const;
    frmMemory* Memory() const;
    frmStack* Stack() const;
    frmDisAsm* DisAsm() const;
    frmLabels* Labels() const;
    // "name value" for each CPU register row.
    QStringList CpuRows() const;
    // "label value" for each watch row.
    QStringList WatchRows() const;
    // The memory window's data row holding the address: its address cell and its 16 byte cells.
    QString MemoryRow(int32_t address) const;
    // The stack window's line of an address, empty when it is not shown.
    QString StackLine(int32_t address) const;
    // The stack window's line drawn in bold (the stack pointer's).
    QString StackBoldLine() const;
    // The disassembly window's row marked as the PC.
    QString DisAsmPCLine() const;
    // The label column of the labels window.
    QStringList LabelNames() const;

private:
    Target target_;
    ScriptedPrompt prompt_;
    BoardProcess board_;
    QTemporaryDir folder_;
    std::unique_ptr<frmMain> frame_;
    bool ready_ = false;
};

} // namespace quorvel::test
