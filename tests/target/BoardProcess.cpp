#include "BoardProcess.h"

#include <csignal>

#include <QFileInfo>

namespace quorvel::test {

QString BoardProcess::Program() {
    return QStringLiteral(HC11BOARD_PATH);
}

bool BoardProcess::Available() {
    return !Program().isEmpty() && QFileInfo(Program()).isExecutable();
}

BoardProcess::~BoardProcess() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(2000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

bool BoardProcess::Start(const QStringList& arguments) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(Program(), arguments);
    if (!process_.waitForStarted(5000)) return false;
    while (!process_.canReadLine())
        if (!process_.waitForReadyRead(5000)) return false;
    path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    return !path_.isEmpty();
}

void BoardProcess::Reset() {
    if (process_.state() == QProcess::Running) ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1);
}

} // namespace quorvel::test
