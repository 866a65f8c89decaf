#include "FrameHarness.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

namespace quorvel::test {

void ClearSettings() {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, Settings::kOrganisation,
                    Settings::kApplication);
    store.clear();
    store.sync();
}

Harness::Harness(StartOptions options, bool portOpens) {
    auto fake = std::make_unique<FakePort>(portOpens);
    port = fake.get();
    frame = std::make_unique<frmMain>(prompt, std::move(options), std::move(fake));
}

Harness::~Harness() {
    frame.reset();
    QCoreApplication::processEvents();
}

bool Harness::Close() {
    const bool closed = frame->close();
    QCoreApplication::processEvents();
    return closed;
}

QWidget* MakeForm(const QString& title) {
    auto* form = new QWidget;
    form->setWindowTitle(title);
    form->resize(200, 150);
    return form;
}

PseudoTerminal::PseudoTerminal() {
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) == 0) path = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal() {
    if (slave >= 0) ::close(slave);
    if (master >= 0) ::close(master);
}

WaitingFifo::WaitingFifo(const QString& path) : path_(QFile::encodeName(path)) {
    made_ = ::mkfifo(path_.constData(), 0600) == 0;
    if (!made_) return;
    writer_ = std::thread([this] {
        const int fd = ::open(path_.constData(), O_WRONLY); // returns once a reader opens
        if (fd >= 0) ::close(fd);
    });
}

WaitingFifo::~WaitingFifo() {
    if (!made_) return;
    // A reader that does not wait releases the writer if nobody else did.
    const int fd = ::open(path_.constData(), O_RDONLY | O_NONBLOCK);
    writer_.join();
    if (fd >= 0) ::close(fd);
}

} // namespace quorvel::test
