// Serial ports by number and by path. Port number N is /dev/ttyS<N-1>; a
// device path chosen in the options (a USB adapter, a pseudo-terminal of the
// board emulator) is kept beside the number and wins when set.
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// How many numbered ports the options list.
inline constexpr int kListedPorts = 16;

QString NumberedPortPath(int port);
// The number of a /dev/ttyS<k> path (k + 1), or 0 for any other path.
int NumberedPortFromPath(const QString& path);
// The device to open for the two settings.
QString PortDevicePath(int comPort, const QString& comPortName);

// What the user typed or picked in the options' port box.
struct PortChoice {
    bool Valid = false;
    int COMPort = 0;
    QString COMPortName;
};
// "/dev/ttyS1", "2" and "COM2" all choose port 2; any other text is a device
// path and keeps `currentPort` as the number; an empty text chooses nothing.
PortChoice ParsePortChoice(const QString& text, int currentPort);

} // namespace quorvel
