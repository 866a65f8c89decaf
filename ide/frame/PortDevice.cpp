#include "frame/PortDevice.h"

#include <QRegularExpression>

#include "frame/Settings.h"

namespace quorvel {

QString NumberedPortPath(int port) {
    return QStringLiteral("/dev/ttyS") + QString::number(port - 1);
}

int NumberedPortFromPath(const QString& path) {
    static const QRegularExpression numbered(QStringLiteral("^/dev/ttyS(\\d{1,5})$"));
    const auto match = numbered.match(path);
    if (!match.hasMatch()) return 0;
    const int k = match.captured(1).toInt();
    return k + 1 <= Settings::kMaxPort ? k + 1 : 0;
}

QString PortDevicePath(int comPort, const QString& comPortName) {
    if (!comPortName.trimmed().isEmpty()) return comPortName.trimmed();
    return NumberedPortPath(comPort);
}

PortChoice ParsePortChoice(const QString& text, int currentPort) {
    const QString t = text.trimmed();
    PortChoice choice;
    if (t.isEmpty()) return choice;
    choice.Valid = true;
    if (const int n = NumberedPortFromPath(t); n > 0) {
        choice.COMPort = n;
        return choice;
    }
    static const QRegularExpression number(QStringLiteral("^(?:COM)?(\\d{1,5})$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (const auto match = number.match(t); match.hasMatch()) {
        const int n = match.captured(1).toInt();
        if (n >= 1 && n <= Settings::kMaxPort) {
            choice.COMPort = n;
            return choice;
        }
    }
    choice.COMPort = currentPort;
    choice.COMPortName = t;
    return choice;
}

} // namespace quorvel
