// Shared pieces of the editor tests: a shown frame with its editors, files in
// a temporary folder, and typing into an editor.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "FrameHarness.h"
#include "QStringPrinting.h"
#include "editor/EditorText.h"
#include "editor/Editors.h"
#include "editor/frmEditor.h"
#include "frame/StatusText.h"

namespace quorvel::test {

// A frame on screen (offscreen) with a folder for the test's files.
struct EditorFrame {
    Harness h;
    QTemporaryDir dir;

    explicit EditorFrame(StartOptions options = {});
    frmMain& f() { return *h.frame; }
    Editors& e() { return h.frame->editors(); }
    ScriptedPrompt& prompt() { return h.prompt; }
    // A path in the test folder.
    QString Path(const QString& name) const;
    // The active editor; fails the test when there is none.
    frmEditor& Active();
    void Trigger(const char* command);
};

// Lets queued calls and deferred deletions run.
void Settle();
void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);
// Types text into the editor's text control key by key, as the user would.
void Type(frmEditor& editor, const QString& text);
// Presses a key with modifiers in the editor's text control.
void Press(frmEditor& editor, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The texts of the message boxes shown, with their titles: "title|text".
QStringList MessagesWithTitles(const ScriptedPrompt& prompt);

// A test with an empty settings store.
using EditorTest = FrameTest;

} // namespace quorvel::test
