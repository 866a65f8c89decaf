// The texts the board link shows in its message boxes.
#pragma once

#include <QString>

#include "frame/Prompt.h"

namespace quorvel {

inline QString CommunicationErrorTitle() {
    return DravikTitle(QStringLiteral("Communication Error"));
}
// The title of messages that name no operation: the program's own.
inline const QString kApplicationTitle = QStringLiteral("Quorvel Tolvic");

inline const QString kNotConnectedMessage = QStringLiteral("M68HC11 Board Not Connected !");
inline const QString kNoResponseMessage = QStringLiteral("No Response from M68HC11 Board !");
inline const QString kInvalidDataMessage = QStringLiteral("Invalid Data from M68HC11 Board !");
inline const QString kEraseFailedMessage = QStringLiteral("Erasing Flash failed!");
inline const QString kEraseInvalidMessage = QStringLiteral("Invalid data from board !");

} // namespace quorvel
