// The fixed texts the IDE shows: message box texts and titles, status bar
// panels, dialog titles and file filters, written out letter by letter so that
// an edited constant cannot slip through a test that compares with the same
// constant.
#include <gtest/gtest.h>

#include "codetools/AssemblerRun.h"
#include "codetools/FrameAssembler.h"
#include "codetools/SymbolFile.h"
#include "codetools/frmAddress.h"
#include "editor/EditorTexts.h"
#include "frame/Prompt.h"
#include "frame/StatusText.h"
#include "run/RunTexts.h"
#include "target/LinkMessages.h"
#include "views/IoUnitFormats.h"

namespace quorvel::test {
namespace {

struct FixedText {
    const char* What;
    QString Actual;
    const char* Expected;
};

void ExpectTexts(std::initializer_list<FixedText> texts) {
    for (const FixedText& text : texts)
        EXPECT_EQ(text.Actual.toStdString(), text.Expected) << text.What;
}

TEST(MessageTextsTest, BoardLink) {
    ExpectTexts({
        {"title", CommunicationErrorTitle(), "Dravik - Communication Error"},
        {"not connected", kNotConnectedMessage, "M68HC11 Board Not Connected !"},
        {"no response", kNoResponseMessage, "No Response from M68HC11 Board !"},
        {"invalid data", kInvalidDataMessage, "Invalid Data from M68HC11 Board !"},
        {"erase failed", kEraseFailedMessage, "Erasing Flash failed!"},
        {"erase invalid", kEraseInvalidMessage, "Invalid data from board !"},
        {"application title", kApplicationTitle, "Quorvel Tolvic"},
    });
}

TEST(MessageTextsTest, StatusBarPanels) {
    ExpectTexts({
        {"ready", kBoardReady, "HC11 Board: Ready"},
        {"running", kBoardRunning, "HC11 Board: Running ..."},
        {"not responding", kBoardNotResponding, "HC11 Board: Not Responding !"},
        {"not connected", kBoardNotConnected, "HC11 Board: Not Connected !"},
        {"port error", kBoardPortError, "HC11 Board: Communication Port Error !"},
        {"simulator", kSimulatorMode, "Simulator mode"},
        {"no program", kNoProgram, "Program: <None>"},
        {"no symbols", kNoSymbols, "Symbols: <None>"},
        {"clock zero", ClockText(0), "Clock= 00000000"},
        {"clock nine digits", ClockText(123456789), "Clock= 123456789"},
        {"caret", CaretText(0, 0), "Line 1  Col. 1"},
    });
}

TEST(MessageTextsTest, RunControlAndBreakpoints) {
    ExpectTexts({
        {"simulator error", kSimulatorError, "M68HC11 Simulator error !"},
        {"step over", kCalledDoStepOver, "Procedure called: DoStepOver"},
        {"step out", kCalledDoStepOut, "Procedure called: DoStepOut"},
        {"run", kCalledRunHC11, "Procedure called: RunHC11"},
        {"breakpoint title", kBreakpointErrorTitle, "Dravik - Breakpoint Error"},
        {"breakpoint text", kBreakpointFullText, "  Can't Set Breakpoint !\n (Max. Breakpoints = 32)"},
        {"invalid address", kInvalidAddress, "Invalid Address !"},
    });
}

TEST(MessageTextsTest, EditorDialogsAndMessages) {
    ExpectTexts({
        {"open title", kOpenTitle, "Open"},
        {"open filter", kOpenFilter,
         "Assembly Source (*.asm)|*.asm|Listing Files (*.lst)|*.lst|Error Listing (*.err)|*.err|"
         "Text Files (*.txt)|*.txt|All Files (*.*)|*.*"},
        {"save as title", kSaveAsTitle, "Save As"},
        {"save as filter", kSaveAsFilter,
         "Assembly Source (*.asm)|*.asm|Listing Files (*.lst)|*.lst|Text Files (*.txt)|*.txt|All Files "
         "(*.*)|*.*"},
        {"save changes", SaveChangesText("a.asm"), "Save changes to a.asm ?"},
        {"untitled", UntitledTitle(1), "Untitled1.asm"},
        {"not found", kSearchNotFound, "Search Text not found !"},
        {"one replaced", ReplacedText(1), "1 item replaced !"},
        {"some replaced", ReplacedText(3), "3 items replaced !"},
        {"go to line", kLineEntryInvalid, "Please Enter an Integer (1 .. 999999999) !"},
        {"warning title", DravikTitle("Warning"), "Dravik - Warning"},
    });
}

TEST(MessageTextsTest, AssemblerAndSymbols) {
    ExpectTexts({
        {"assemble title", kAssembleTitle, "Assemble"},
        {"assemble filter", kAssembleFilter, "Assembly Source (*.asm)|*.asm|All Files (*.*)|*.*"},
        {"assemble error", DravikTitle(kAssembleErrorOperation), "Dravik - Assemble Error"},
        {"assembler", kAs11Program, "as11"},
        {"script", kAsmScript, "asm.sh"},
        {"done", AssemblingDoneText("prog.asm", ResultNamesOf("prog.asm")),
         "Assembly Source:\tprog.asm\nListing (Symbol):\tprog.lst\nMachine Code:\tprog.s19"},
        {"load symbols title", kLoadSymbolsTitle, "Load Symbols"},
        {"listing filter", kListingFilter, "Listing Files (*.lst)|*.lst|All Files (*.*)|*.*"},
    });
}

TEST(MessageTextsTest, IoUnitFormats) {
    ExpectTexts({
        {"signed", kFormatSigned, "Signed"},
        {"unsigned", kFormatUnsigned, "Unsigned"},
        {"hex", kFormatHex, "Hex"},
        {"binary", kFormatBinary, "Binary"},
        {"bcd", kFormatBCD, "BCD"},
        {"conversion error", kConversionError, "error"},
    });
}

} // namespace
} // namespace quorvel::test
