// A font as the settings store keeps it: the family name, the size in points
// and the two style flags. The name is kept as stored even when the machine
// lacks that family (see Fonts.h for the font actually used).
#pragma once

#include <QString>

namespace quorvel {

struct FontSetting {
    QString Name;
    float Size = 0;
    bool Bold = false;
    bool Italic = false;

    friend bool operator==(const FontSetting&, const FontSetting&) = default;
};

// "Regular", "Bold", "Italic" or "Bold Italic".
inline QString FontStyleText(bool bold, bool italic) {
    if (bold && italic) return QStringLiteral("Bold Italic");
    if (bold) return QStringLiteral("Bold");
    if (italic) return QStringLiteral("Italic");
    return QStringLiteral("Regular");
}

} // namespace quorvel
