#include "frame/Fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>

#include "frame/Settings.h"

namespace quorvel {

namespace {

// The first installed family that measures monospaced; empty when none does.
QString FirstMonospacedFamily() {
    for (const QString& name : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(name) && IsMonospaced(QFont(name))) return name;
    }
    return {};
}

// The font standing in for a missing family: the system's fixed font, unless
// that does not measure monospaced. The search runs once, as the installed
// fonts do not change while the program runs.
QFont FallbackFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    static const QString replacement = IsMonospaced(font) ? QString() : FirstMonospacedFamily();
    if (!replacement.isEmpty()) font.setFamily(replacement);
    return font;
}

} // namespace

bool FontFamilyInstalled(const QString& family) {
    return !family.trimmed().isEmpty() && QFontDatabase::hasFamily(family);
}

QFont ResolveFont(const FontSetting& setting) {
    QFont font = FontFamilyInstalled(setting.Name) ? QFont(setting.Name) : FallbackFont();
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

bool IsMonospaced(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('0'));
    if (width <= 0) return false;
    for (const char c : {'i', 'W', 'm', 'l', '.', ' ', '$', '#'}) {
        if (qAbs(metrics.horizontalAdvance(QLatin1Char(c)) - width) > width / 100) return false;
    }
    return true;
}

} // namespace quorvel
