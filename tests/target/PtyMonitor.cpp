#include "PtyMonitor.h"

#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace quorvel::test {

namespace {

QByteArray Sealed(QByteArray reply) {
    unsigned sum = 0;
    for (qsizetype i = 1; i < reply.size(); ++i)
        sum += static_cast<uint8_t>(reply[i]);
    reply.append(static_cast<char>((256 - (sum & 0xFF)) & 0xFF));
    return reply;
}

uint8_t At(const QByteArray& bytes, int index) {
    return static_cast<uint8_t>(bytes.at(index));
}

} // namespace

PtyMonitor::PtyMonitor() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
    path = QString::fromLocal8Bit(name);
    thread_ = std::thread([this] { Serve(); });
}

PtyMonitor::~PtyMonitor() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

void PtyMonitor::Send(const QByteArray& bytes) {
    std::lock_guard lock(mutex_);
    if (::write(master_, bytes.constData(), static_cast<size_t>(bytes.size())) < 0) return;
}

QByteArray PtyMonitor::Received() {
    std::lock_guard lock(mutex_);
    return received_;
}

int PtyMonitor::PacketLength(const QByteArray& pending) {
    if (pending.isEmpty()) return 0;
    int length = 0;
    switch (pending.at(0)) {
    case 'R': length = 5; break;
    case 'E': length = 4; break;
    case 'X': length = 14; break;
    case 'S': length = 15; break;
    case 'W':
    case 'P':
        if (pending.size() < 4) return 0;
        length = 5 + At(pending, 3);
        break;
    default: return 1; // not a command: skipped
    }
    return pending.size() >= length ? length : 0;
}

QByteArray PtyMonitor::Answer(const QByteArray& packet) {
    switch (packet.at(0)) {
    case 'R': {
        const int address = At(packet, 1) * 256 + At(packet, 2);
        const int count = At(packet, 3) ? At(packet, 3) : 256;
        QByteArray reply(1, 'R');
        for (int i = 0; i < count; ++i)
            reply.append(static_cast<char>(memory[static_cast<size_t>((address + i) & 0xFFFF)]));
        return Sealed(reply);
    }
    case 'W':
    case 'P': {
        const int address = At(packet, 1) * 256 + At(packet, 2);
        for (int i = 0; i < At(packet, 3); ++i)
            memory[static_cast<size_t>((address + i) & 0xFFFF)] = At(packet, 4 + i);
        return QByteArray(1, '\x06');
    }
    case 'S': return Sealed(packet.left(10));
    case 'E':
    case 'X': return QByteArray(1, '\x06');
    default: return {};
    }
}

void PtyMonitor::Serve() {
    QByteArray pending;
    while (!stop_) {
        pollfd fd{master_, POLLIN, 0};
        if (::poll(&fd, 1, 10) <= 0 || !(fd.revents & POLLIN)) continue;
        char buffer[1024];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) continue;
        {
            std::lock_guard lock(mutex_);
            received_.append(buffer, n);
        }
        pending.append(buffer, n);
        while (const int length = PacketLength(pending)) {
            const QByteArray packet = pending.left(length);
            pending.remove(0, length);
            if (!silent_ && length > 1) Send(Answer(packet));
        }
    }
}

} // namespace quorvel::test
