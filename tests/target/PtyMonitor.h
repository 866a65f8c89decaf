// A tiny board monitor on the master side of a pseudo-terminal, for the tests
// that drive the real QSerialPort-based port: it answers "R" from a 64 KiB
// memory, acknowledges "W", "P", "E" and "X", and echoes the registers of "S".
// It runs on its own thread from construction to destruction.
//
//     PtyMonitor board;                 // board.path is the slave device
//     board.memory[0x1000] = 0xA5;      // before the first command
//     port.Open(board.path);
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include <QByteArray>
#include <QString>

namespace quorvel::test {

class PtyMonitor {
public:
    PtyMonitor();
    ~PtyMonitor();
    PtyMonitor(const PtyMonitor&) = delete;
    PtyMonitor& operator=(const PtyMonitor&) = delete;

    QString path;
    std::array<uint8_t, 65536> memory{};

    // Bytes sent to the IDE of the board's own accord.
    void Send(const QByteArray& bytes);
    // Everything the IDE has written so far.
    QByteArray Received();
    // Stops answering (the bytes are still taken in).
    void SetSilent(bool silent) { silent_ = silent; }

private:
    void Serve();
    // The length of the packet at the front of `pending`, 0 while incomplete.
    static int PacketLength(const QByteArray& pending);
    QByteArray Answer(const QByteArray& packet);

    int master_ = -1;
    int slave_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<bool> silent_{false};
    std::mutex mutex_;
    QByteArray received_;
    std::thread thread_;
};

} // namespace quorvel::test
