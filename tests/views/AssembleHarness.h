// Shared pieces of the assembler tests: a shown frame whose assembler runs
// as11 and asm.sh from a program folder of the test's own, with its working
// folders in a temporary folder the test can inspect, and sources in the
// test folder opened in editors.
#pragma once

#include <chrono>

#include <QStringList>
#include <QTemporaryDir>

#include "EditorHarness.h"
#include "codetools/FrameAssembler.h"
#include "codetools/frmError.h"

namespace quorvel::test {

// A small program that assembles cleanly; START and LOOP are labels.
extern const char* const kCleanSource;
// The same with an undefined symbol on line 4 and a bad mnemonic on line 6.
extern const char* const kFaultySource;

struct AssembleFrame : EditorFrame {
    QTemporaryDir program; // as11 and asm.sh
    QTemporaryDir temp;    // the working folders go here

    AssembleFrame();
    FrameAssembler& a() { return f().Assembler(); }
    // Writes the file in the test folder and opens it in an editor.
    frmEditor& OpenSource(const QString& name, const QByteArray& text);
    // Replaces the program folder's asm.sh.
    void ScriptSays(const QByteArray& script);
    // What is left in the temporary folder (should be nothing after a run).
    QStringList TempLeftOvers() const;
    frmError* Errors() const { return h.frame->Assembler().ErrorWindow(); }
    // The list entries of the error window.
    QStringList ErrorEntries() const;
};

// A folder holding copies of the built as11 and of asm.sh.
void FillProgramFolder(const QString& folder);
void WriteScript(const QString& path, const QByteArray& script);

} // namespace quorvel::test
