// Shared pieces of the target-link tests: a host and a prompt that record
// what the link asked of them, and a fixture that wires a board link, both
// targets and the receiver to a scripted port.
#pragma once

#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "frame/Prompt.h"
#include "target/BoardHost.h"
#include "target/BoardLink.h"
#include "target/BoardReceiver.h"
#include "target/BoardTarget.h"
#include "target/ImageTarget.h"
#include "target/ScriptedCommPort.h"
#include "target/SwitchingTarget.h"

// Readable failures: packets in hexadecimal, texts as they are.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '[' << bytes.toHex(' ').toUpper().toStdString() << ']';
}
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace quorvel::test {

// Bytes from numbers: Bytes({0x52, 0xA5, 0x5B}).
QByteArray Bytes(std::initializer_list<int> values);
// A reply of byte 0 (the letter), the data and the checksum that makes bytes 1..n add up to 0.
QByteArray Reply(char letter, const QByteArray& data);

class RecordingHost : public BoardHost {
public:
    bool sim = false;
    bool running = false;
    QStringList statuses;
    std::vector<bool> runEnabled;
    int processed = 0;
    int clockResets = 0;
    std::vector<QByteArray> serial;
    // Every call to run control's procedures, in order: "Thaw", "Running=0", "Refresh", ...
    std::vector<std::string> calls;
    // Runs inside ProcessEvents (the event loop of the test).
    std::function<void()> onProcessEvents;

    QString Status() const { return statuses.isEmpty() ? QString() : statuses.back(); }

    bool SimulatorSelected() const override { return sim; }
    void ShowBoardStatus(const QString& text) override { statuses.append(text); }
    void EnableRunCommand(bool enabled) override { runEnabled.push_back(enabled); }
    void ProcessEvents() override {
        ++processed;
        if (onProcessEvents) onProcessEvents();
    }
    bool Running() const override { return running; }
    void SetRunning(bool value) override {
        running = value;
        calls.push_back(value ? "Running=1" : "Running=0");
    }
    void ThawDisplay() override { calls.emplace_back("Thaw"); }
    void RefreshRun() override { calls.emplace_back("Refresh"); }
    void ResetClockCount() override { ++clockResets; }
    void SerialOutput(const QByteArray& bytes) override { serial.push_back(bytes); }
};

class RecordingPrompt : public Prompt {
public:
    struct Shown {
        QString Title;
        QString Text;
        PromptIcon Icon;
    };
    std::vector<Shown> shown;
    // Runs while a message is shown (a modal box runs the event loop).
    std::function<void()> whileShown;

    QStringList Texts() const;

    PromptAnswer Message(const QString& title, const QString& text, PromptIcon icon, PromptButtons) override {
        shown.push_back({title, text, icon});
        if (whileShown) whileShown();
        return PromptAnswer::OK;
    }
    FileAnswer OpenFile(const FileRequest&) override { return {}; }
    FileAnswer SaveFile(const FileRequest&) override { return {}; }
    bool ChooseFont(const QString&, FontSetting&, bool) override { return false; }
    bool PrintDialog(QPrinter&, PrintMode) override { return false; }
    int ShowModal(QDialog&) override { return 0; }
};

// A board link on a scripted port, opened as at start-up, with the board and
// the simulator behind one switching target.
class LinkTest : public ::testing::Test {
protected:
    LinkTest();

    // The packets written so far, dropping those already looked at.
    std::vector<QByteArray> TakeWritten();
    // One message shown, with the communication title and the exclamation icon.
    void ExpectOneMessage(const QString& text, const QString& title = DravikTitle("Communication Error"));

    TargetState state;
    ScriptedCommPort port;
    RecordingHost host;
    RecordingPrompt prompt;
    BoardLink link{port, state, host, prompt, port};
    ImageTarget image{state};
    BoardTarget board{state, link};
    SwitchingTarget target{state, image, board};
    BoardReceiver receiver{link, target};

private:
    std::size_t seen_ = 0;
};

} // namespace quorvel::test
