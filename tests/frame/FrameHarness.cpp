#include "FrameHarness.h"

#include <pty.h>
#include <unistd.h>

#include <QCoreApplication>
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

} // namespace quorvel::test
