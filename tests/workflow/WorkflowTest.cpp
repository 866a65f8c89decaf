// The whole workflow on the real main window, as a user goes through it:
// a program typed into a new editor and saved, assembled with a mistake, the
// mistake found through the error list and fixed, assembled again, downloaded,
// and debugged with the views open: a breakpoint on a label, Play, Step Over,
// Step Into and Step Out, a register and a memory byte changed, and every
// open view read back. The same flow runs on the simulator and on the
// emulated board hc11board.
//
// QUORVEL_SCREENSHOT=file.png makes the simulator run save a picture of the
// frame, views arranged, stopped at the breakpoint.
#include <cstdlib>

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "../editor/QStringPrinting.h"
#include "WorkflowFrame.h"
#include "WorkflowScreenshot.h"
#include "codetools/FrameAssembler.h"
#include "codetools/SymbolFile.h"
#include "editor/EditorText.h"
#include "editor/Editors.h"
#include "editor/frmEditor.h"
#include "frame/NumberText.h"
#include "frame/StatusText.h"
#include "run/RunControl.h"

namespace quorvel::test {
namespace {

// COUNT and TWICE sit in RAM (on the board $E000..$FFFF is flash, which the
// program's stores do not change); the code and the reset vector in flash.
const QStringList kProgram = {
    "* counter.asm - BUMP adds one to COUNT and has DOUBLE store twice",
    "* the count in TWICE; MAIN calls it twice, then idles.",
    "",
    "        ORG     $0100",
    "COUNT   FCB     $05             changed by the program",
    "TWICE   FCB     $00",
    "",
    "        ORG     $E000",
    "MAIN    LDS     #$01FF",
    "        LDAA    #$03",
    "        LDX     #$1234",
    "        LDY     #$5678",
    "CALLS   JSR     BUMP",
    "        JSR     BUMP",
    "IDLE    BRA     *",
    "",
    "BUMP    INC     COUNT",
    "        BSR     DOUBLE",
    "        RTS",
    "",
    "DOUBLE  LDAB    COUNT",
    "        ASLB",
    "        STAB    TWICE",
    "        RTS",
    "",
    "        ORG     $FFFE",
    "        FDB     MAIN",
    "        END",
};
// The line typed wrong at first (1-based), and how.
const int kBrokenLine = 10;
const QString kBrokenText = "        LDAX    #$03";

QString Source(bool broken) {
    QStringList lines = kProgram;
    if (broken) lines[kBrokenLine - 1] = kBrokenText;
    return lines.join('\n') + '\n';
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Types the text key by key, Return at each line feed.
void TypeText(frmEditor& editor, const QString& text) {
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(editor.Text, Qt::Key_Return);
        QTest::keyClicks(editor.Text, lines[i]);
    }
}

// E-clock cycles of the instructions the simulator steps.
constexpr int kCyclesToCalls = 3 + 2 + 3 + 4; // LDS, LDAA, LDX, LDY (immediate)
constexpr int kCyclesOfJsr = 6;
// BUMP with DOUBLE: INC, BSR, LDAB, ASLB, STAB, RTS, RTS.
constexpr int kCyclesOfBump = 6 + 6 + 4 + 2 + 4 + 5 + 5;
constexpr int kCyclesOfBra = 3;

// "%" and the flags S X H I N Z V C from bit 7 down, a letter where set.
QString FlagsText(uint8_t ccr) {
    QString text = "%";
    for (int bit = 7; bit >= 0; --bit)
        text += (ccr >> bit) & 1 ? QChar("CVZNIHXS"[bit]) : QChar('0');
    return text;
}

class WorkflowTest : public FrameTest {
protected:
    void Start(Target target) {
        if (target == Target::Board && !BoardProcess::Available()) GTEST_SKIP() << "hc11board was not built";
        w = std::make_unique<WorkflowFrame>(target);
        ASSERT_TRUE(w->Ready());
    }
    void TearDown() override {
        w.reset();
        FrameTest::TearDown();
    }
    frmMain& f() { return w->f(); }
    TargetState& State() { return f().Target(); }
    int32_t Label(const char* name) {
        const int32_t value = w->Label(name);
        EXPECT_GE(value, 0) << name << " is not among the symbols";
        return value;
    }
    // Every dialog the step scripted was shown and answered; no message box came up (beyond `expected`).
    void NothingElseShown(int expectedMessages = 0) {
        EXPECT_TRUE(w->prompt().Problems().isEmpty()) << w->prompt().Problems().join('\n').toStdString();
        EXPECT_EQ(w->prompt().Pending(), 0U);
        EXPECT_EQ(w->prompt().Messages().size(), expectedMessages)
            << w->prompt().Messages().join('\n').toStdString();
        w->prompt().Clear();
    }

    // 1. File > New, the program typed in, File > Save As.
    void WriteTheSource() {
        w->Trigger("mnuFileNew");
        editor = f().editors().ActiveEditor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->EditorTitle(), "Untitled1.asm");
        TypeText(*editor, Source(true));
        ASSERT_EQ(editor->PlainText(), Source(true));
        EXPECT_TRUE(editor->TextChanged());

        w->prompt().AnswerFile(w->Path("counter.asm"));
        w->Trigger("mnuFileSaveAs");
        EXPECT_EQ(w->prompt().Shown().back().File.FileName, "Untitled1.asm");
        EXPECT_EQ(ReadFile(w->Path("counter.asm")), Source(true).toUtf8());
        EXPECT_EQ(editor->EditorTitle(), "counter.asm");
        EXPECT_FALSE(editor->TextChanged());
        NothingElseShown();
    }

    // 2. Assemble: the mistake in the error list, Show Error, the fix, assembled again.
    void AssembleAndFix() {
        w->Trigger("mnuFileAssemble");
        ASSERT_EQ(w->prompt().Messages().size(), 1);
        EXPECT_EQ(w->prompt().Shown()[0].Title, "Dravik - Assembling Done");
        frmError* errors = f().Assembler().ErrorWindow();
        ASSERT_NE(errors, nullptr) << "no error list";
        EXPECT_TRUE(errors->isVisible());
        EXPECT_EQ(errors->windowTitle(), "counter.err");
        ASSERT_EQ(errors->List->count(), 1);
        EXPECT_TRUE(errors->List->item(0)->text().startsWith(QString::number(kBrokenLine) + ": "))
            << errors->List->item(0)->text().toStdString();

        errors->List->setCurrentRow(0);
        errors->cmdShow->click();
        w->Settle();
        ASSERT_EQ(f().editors().ActiveEditor(), editor);
        EXPECT_EQ(editor->CaretLine(), kBrokenLine - 1);
        EXPECT_EQ(editor->CaretColumn(), 0);

        // The line is selected to its end and typed anew, then saved.
        QTest::keyClick(editor->Text, Qt::Key_End, Qt::ShiftModifier);
        EXPECT_EQ(editor->SelectedText(), kBrokenText);
        QTest::keyClicks(editor->Text, kProgram[kBrokenLine - 1]);
        ASSERT_EQ(editor->PlainText(), Source(false));
        w->Trigger("mnuFileSave");
        EXPECT_EQ(ReadFile(w->Path("counter.asm")), Source(false).toUtf8());

        w->prompt().Clear();
        w->Trigger("mnuFileAssemble");
        ASSERT_EQ(w->prompt().Shown().size(), 1U) << "saved: no question";
        EXPECT_EQ(w->prompt().Shown()[0].Title, "Dravik - Assembling Done");
        EXPECT_EQ(
            w->prompt().Shown()[0].Text,
            "Assembly Source:\tcounter.asm\nListing (Symbol):\tcounter.lst\nMachine Code:\tcounter.s19");
        EXPECT_TRUE(QFile::exists(w->Path("counter.lst")));
        EXPECT_TRUE(ReadFile(w->Path("counter.s19")).startsWith("S1"));
        EXPECT_FALSE(QFile::exists(w->Path("counter.err")));
        EXPECT_EQ(f().Assembler().ErrorWindow(), nullptr) << "the list of errors that are gone stays open";
        EXPECT_EQ(f().DownloadFileName, w->Path("counter.s19"));
        EXPECT_EQ(f().StatusPanel(kPanelSymbols), "Symbols: counter.lst");

        w->Trigger("mnuViewLabel");
        const QStringList labels = w->LabelNames();
        for (const char* name : {"COUNT", "TWICE", "MAIN", "CALLS", "IDLE", "BUMP", "DOUBLE"})
            EXPECT_TRUE(labels.contains(name)) << name << " missing from " << labels.join(' ').toStdString();
        EXPECT_EQ(Label("MAIN"), 0xE000);
        EXPECT_EQ(Label("COUNT"), 0x0100);
        NothingElseShown(1);
    }

    // 3. File > Download: the known S-record file, the PC from the reset vector.
    void Download() {
        w->AnswerDownload();
        w->Trigger("mnuFileDownload");
        ASSERT_EQ(w->prompt().Shown().size(), 1U) << "the known file needs no file dialog";
        EXPECT_EQ(w->prompt().Shown()[0].DialogName, "frmDownload");
        EXPECT_TRUE(f().ProgramLoaded);
        EXPECT_EQ(State().RegPC, Label("MAIN"));
        EXPECT_EQ(f().StatusPanel(kPanelProgram), "Program: " + w->Path("counter.s19"));
        EXPECT_EQ(f().StatusPanel(kPanelClock), "Clock= 00000000");
        for (const char* view : {"mnuViewRegCPU", "mnuViewStack", "mnuViewDisassembler"})
            EXPECT_TRUE(f().Checked(view) && f().View(view)) << view << " did not open";
        // The code is in the target's memory (on the board: programmed into flash).
        EXPECT_EQ(w->TargetByte(0xE000), 0x8E);
        EXPECT_EQ(w->TargetByte(0xFFFE), 0xE0);
        EXPECT_EQ(w->TargetByte(0x0100), 0x05);
        EXPECT_TRUE(w->DisAsmPCLine().startsWith(" $E000: 8E 01 FF")) << w->DisAsmPCLine().toStdString();
        NothingElseShown();
    }

    // 4. A watch on COUNT, the memory window at COUNT; the stack window is open since the download.
    void OpenTheViews() {
        w->AnswerWatchAddress("count");
        w->Trigger("mnuDebugAddWatch");
        ASSERT_NE(w->Watch(), nullptr);
        EXPECT_EQ(w->WatchRows(), QStringList{"COUNT $05"});

        w->AnswerMemoryAddress("0100");
        w->Trigger("mnuViewMemory");
        ASSERT_NE(w->Memory(), nullptr);
        EXPECT_TRUE(w->MemoryRow(0x0100).startsWith(" $0100: 05 00")) << w->MemoryRow(0x0100).toStdString();
        EXPECT_NE(w->Stack(), nullptr);
        NothingElseShown();
    }

    // 5. A breakpoint on CALLS, Play to it, Step Over, Step Into, Step Out.
    void DebugTheCalls() {
        const int32_t calls = Label("CALLS");
        w->Activate("mnuViewDisassembler");
        w->AnswerGoToAddress("CALLS");
        w->Trigger("mnuDebugGoToAddress");
        ASSERT_EQ(w->DisAsm()->CursorAddress(), calls);
        w->Trigger("mnuDebugToggleBreakpoint");
        EXPECT_TRUE(f().Run().Breakpoints().Contains(calls));

        w->Trigger("mnuRunPlay");
        EXPECT_TRUE(f().Run().Stopped);
        EXPECT_EQ(f().Run().LastStop, RunControl::StopReason::Breakpoint);
        EXPECT_EQ(State().RegPC, calls);
        EXPECT_EQ(State().RegA, 0x03);
        EXPECT_EQ(State().RegSP, 0x01FF);
        EXPECT_EQ(w->TargetByte(0x0100), 0x05) << "played past the breakpoint";
        if (!OnBoard()) {
            EXPECT_EQ(f().Run().ClockCount, kCyclesToCalls);
        }

        // The stack window opened at the download, when SP was still 0: Go To SP Address.
        w->Activate("mnuViewStack");
        w->Trigger("mnuPopupStackGoToSPAddress");
        EXPECT_TRUE(w->StackBoldLine().startsWith(" $01FF:")) << w->StackBoldLine().toStdString();

        if (const char* picture = std::getenv("QUORVEL_SCREENSHOT"); picture && !OnBoard()) {
            EXPECT_TRUE(SaveWorkflowScreenshot(*w, QString::fromLocal8Bit(picture)));
        }

        // Over the JSR: the whole of BUMP and DOUBLE ran.
        w->Trigger("mnuRunStepOver");
        EXPECT_EQ(State().RegPC, calls + 3);
        EXPECT_EQ(State().RegSP, 0x01FF);
        EXPECT_EQ(w->TargetByte(0x0100), 0x06);
        EXPECT_EQ(w->TargetByte(0x0101), 0x0C);
        EXPECT_EQ(State().RegB, 0x0C);
        EXPECT_EQ(w->WatchRows(), QStringList{"COUNT $06"});
        EXPECT_EQ(w->Cpu()->ValueText(5), "$" + HexPad(calls + 3, 4));
        // The memory window follows every stop on the simulator; on the board
        // it re-reads when the user comes back to it.
        if (OnBoard()) {
            EXPECT_TRUE(w->MemoryRow(0x0100).startsWith(" $0100: 05 00"))
                << w->MemoryRow(0x0100).toStdString();
            w->Activate("mnuViewMemory");
        }
        EXPECT_TRUE(w->MemoryRow(0x0100).startsWith(" $0100: 06 0C")) << w->MemoryRow(0x0100).toStdString();

        // Into the second JSR: the return address on the stack.
        w->Trigger("mnuRunStepInto");
        EXPECT_EQ(State().RegPC, Label("BUMP"));
        EXPECT_EQ(State().RegSP, 0x01FD);
        EXPECT_EQ(w->TargetByte(0x01FE), (calls + 6) >> 8);
        EXPECT_EQ(w->TargetByte(0x01FF), (calls + 6) & 0xFF);
        EXPECT_TRUE(w->StackBoldLine().startsWith(" $01FD:")) << w->StackBoldLine().toStdString();
        EXPECT_EQ(w->StackLine(0x01FE), " $01FE:   $" + HexPad((calls + 6) >> 8, 2));
        EXPECT_EQ(w->StackLine(0x01FF), " $01FF:   $" + HexPad((calls + 6) & 0xFF, 2));
        EXPECT_EQ(w->TargetByte(0x0100), 0x06);

        // Out of BUMP (through the nested BSR): back after the call.
        w->Trigger("mnuRunStepOut");
        EXPECT_EQ(State().RegPC, Label("IDLE"));
        EXPECT_EQ(State().RegSP, 0x01FF);
        EXPECT_EQ(w->TargetByte(0x0100), 0x07);
        EXPECT_EQ(w->TargetByte(0x0101), 0x0E);
        NothingElseShown();
    }

    // 6. A in the CPU register window, COUNT in the memory window.
    void EditRegisterAndMemory() {
        w->Activate("mnuViewRegCPU");
        w->Cpu()->SelectRow(0);
        w->AnswerEntry("$5A");
        w->Trigger("mnuPopupViewEnter");
        EXPECT_EQ(State().RegA, 0x5A);
        EXPECT_EQ(w->TargetByte(0x0000), 0x5A) << "the register save area";
        EXPECT_EQ(w->Cpu()->ValueText(0), "$5A");

        w->Activate("mnuViewMemory");
        w->AnswerMemoryAddress("0100");
        w->Trigger("mnuPopupMemoryAddress");
        frmMemory* memory = w->Memory();
        w->Trigger("mnuPopupMemoryEnter");
        ASSERT_TRUE(memory->txtData->isVisible()) << "no cell editor";
        QTest::keyClicks(memory->txtData, "42");
        QTest::keyClick(memory->txtData, Qt::Key_Return);
        w->Settle();
        EXPECT_EQ(w->TargetByte(0x0100), 0x42);
        EXPECT_TRUE(w->MemoryRow(0x0100).startsWith(" $0100: 42 0E")) << w->MemoryRow(0x0100).toStdString();
        NothingElseShown();
    }

    // 7. One more step (BRA * stays put) refreshes every open view; each shows the target as it is.
    void ReadEveryView() {
        const int32_t idle = Label("IDLE");
        w->Trigger("mnuRunStepInto");
        EXPECT_EQ(State().RegPC, idle);

        const uint8_t ccr = w->TargetByte(0x0008);
        EXPECT_EQ(ccr & 0x0F, 0) << "N Z V C after STAB of 14 and the branch";
        EXPECT_EQ(w->CpuRows(), (QStringList{"A $5A", "B $0E", "D $5A0E", "IX $1234", "IY $5678",
                                             "PC $" + HexPad(idle, 4), "SP $01FF", "CCR " + FlagsText(ccr)}));
        EXPECT_EQ(w->WatchRows(), QStringList{"COUNT $42"});
        EXPECT_TRUE(w->MemoryRow(0x0100).startsWith(" $0100: 42 0E")) << w->MemoryRow(0x0100).toStdString();
        // Just below SP the last return address: IDLE's, left by the second
        // call's RTS. The board's Step Out had its RTS return into the monitor
        // through $000D written over that address, so there it is $000D.
        const int32_t returned = OnBoard() ? 0x000D : idle;
        EXPECT_EQ(w->StackBoldLine(), " $01FF:   $" + HexPad(returned & 0xFF, 2));
        EXPECT_EQ(w->StackLine(0x01FE), " $01FE:   $" + HexPad(returned >> 8, 2));
        const QString pcLine = w->DisAsmPCLine();
        EXPECT_TRUE(pcLine.startsWith(" $" + HexPad(idle, 4) + ": 20 FE")) << pcLine.toStdString();
        EXPECT_TRUE(pcLine.contains("BRA")) << pcLine.toStdString();
        EXPECT_EQ(f().StatusPanel(kPanelClock), ClockText(f().Run().ClockCount));
        if (!OnBoard()) {
            EXPECT_EQ(f().Run().ClockCount,
                      kCyclesToCalls + (kCyclesOfJsr + kCyclesOfBump) * 2 + kCyclesOfBra);
        } else {
            // The board runs the subroutines of Step Over and Step Out itself, uncounted.
            EXPECT_EQ(f().Run().ClockCount, kCyclesToCalls + kCyclesOfJsr + kCyclesOfBra);
        }
        NothingElseShown();
    }

    void WholeWorkflow() {
        ASSERT_NO_FATAL_FAILURE(WriteTheSource());
        ASSERT_NO_FATAL_FAILURE(AssembleAndFix());
        ASSERT_NO_FATAL_FAILURE(Download());
        ASSERT_NO_FATAL_FAILURE(OpenTheViews());
        ASSERT_NO_FATAL_FAILURE(DebugTheCalls());
        ASSERT_NO_FATAL_FAILURE(EditRegisterAndMemory());
        ASSERT_NO_FATAL_FAILURE(ReadEveryView());
    }
    bool OnBoard() const { return w->OnBoard(); }

    std::unique_ptr<WorkflowFrame> w;
    frmEditor* editor = nullptr;
};

TEST_F(WorkflowTest, OnTheSimulator) {
    ASSERT_NO_FATAL_FAILURE(Start(Target::Simulator));
    WholeWorkflow();
}

TEST_F(WorkflowTest, OnTheBoard) {
    ASSERT_NO_FATAL_FAILURE(Start(Target::Board));
    if (IsSkipped()) return;
    WholeWorkflow();
}

} // namespace
} // namespace quorvel::test
