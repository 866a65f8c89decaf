#include "codetools/CodeField.h"

#include <algorithm>

#include "frame/NumberText.h"

namespace quorvel {

QString CodeField(std::span<const uint8_t> bytes) {
    const size_t shown = std::min<size_t>(bytes.size(), kCodeFieldBytes);
    QString field;
    field.reserve(3 * kCodeFieldBytes);
    for (size_t i = 0; i < shown; ++i)
        field += HexPad(bytes[i], 2) + u' ';
    field += QString(3 * (kCodeFieldBytes - static_cast<qsizetype>(shown)), u' ');
    return field;
}

} // namespace quorvel
