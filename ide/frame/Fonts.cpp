#include "frame/Fonts.h"

#include <QFontDatabase>

#include "frame/Settings.h"

namespace quorvel {

bool FontFamilyInstalled(const QString& family) {
    return !family.trimmed().isEmpty() && QFontDatabase::hasFamily(family);
}

QFont ResolveFont(const FontSetting& setting) {
    QFont font = FontFamilyInstalled(setting.Name) ? QFont(setting.Name)
                                                   : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (setting.Size >= Settings::kMinFontSize && setting.Size <= Settings::kMaxFontSize)
        font.setPointSizeF(setting.Size);
    font.setBold(setting.Bold);
    font.setItalic(setting.Italic);
    return font;
}

FontSetting FontSettingOf(const QFont& font) {
    FontSetting setting;
    setting.Name = font.family();
    setting.Size = font.pointSizeF() > 0 ? float(font.pointSizeF()) : float(font.pixelSize()) * 0.75F;
    setting.Bold = font.weight() >= QFont::DemiBold;
    setting.Italic = font.italic();
    return setting;
}

} // namespace quorvel
