#include "frame/StatusText.h"

namespace quorvel {

QString ClockText(int64_t count) {
    QString digits = QString::number(count < 0 ? -count : count);
    if (digits.size() < 8) digits.prepend(QString(8 - digits.size(), QLatin1Char('0')));
    return QStringLiteral("Clock= ") + (count < 0 ? QStringLiteral("-") : QString()) + digits;
}

} // namespace quorvel
