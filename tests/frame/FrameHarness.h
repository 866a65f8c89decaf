// Shared pieces of the frame tests: a fresh settings store per test, a port
// that opens or fails on request, and a frame built with a scripted prompt.
#pragma once

#include <memory>
#include <thread>
#include <vector>

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include "frame/CommPort.h"
#include "frame/MainWindow.h"
#include "frame/ScriptedPrompt.h"
#include "frame/Settings.h"
#include "frame/StartOptions.h"

namespace quorvel::test {

// Empties the settings store.
void ClearSettings();

class FakePort : public CommPort {
public:
    explicit FakePort(bool opens = true) : opens_(opens) {}

    bool Open(const QString& device) override {
        Close();
        opened.push_back(device);
        device_ = device;
        open_ = opens_;
        return open_;
    }
    void Close() override { open_ = false; }
    bool PortOpen() const override { return open_; }
    QString Device() const override { return device_; }
    QString ErrorText() const override { return open_ ? QString() : QStringLiteral("No such device"); }

    void SetOpens(bool opens) { opens_ = opens; }

    std::vector<QString> opened;

private:
    bool opens_;
    bool open_ = false;
    QString device_;
};

// A frame on a FakePort; the test keeps the port pointer.
struct Harness {
    ScriptedPrompt prompt;
    FakePort* port = nullptr;
    std::unique_ptr<frmMain> frame;

    explicit Harness(StartOptions options = {}, bool portOpens = true);
    ~Harness();
    // Closes the frame as the user would; true when it went.
    bool Close();
};

// A test whose settings store starts empty.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }
};

// A form that stands for a view or an editor in the tests.
QWidget* MakeForm(const QString& title);

// A pseudo-terminal whose master side stays open as long as the object lives;
// its slave side is a serial device the frame can open.
struct PseudoTerminal {
    int master = -1;
    int slave = -1;
    QString path;
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
};

// A named pipe with a writer waiting in the background for a reader. Code
// that wrongly opened it would read an empty file instead of hanging the test.
class WaitingFifo {
public:
    explicit WaitingFifo(const QString& path);
    ~WaitingFifo();
    WaitingFifo(const WaitingFifo&) = delete;
    WaitingFifo& operator=(const WaitingFifo&) = delete;
    bool Made() const { return made_; }

private:
    QByteArray path_;
    bool made_ = false;
    std::thread writer_;
};

} // namespace quorvel::test
