#include "frame/Settings.h"

#include <charconv>
#include <cmath>

#include <QVariant>

namespace quorvel {

namespace {

FontSetting LoadFont(const Settings& store, const QString& prefix, const FontSetting& defaults) {
    const QString& section = Settings::kSettings;
    FontSetting font;
    font.Name = store.GetText(section, prefix + QStringLiteral("Name"), defaults.Name);
    if (font.Name.trimmed().isEmpty()) font.Name = defaults.Name;
    font.Size = store.GetSingle(section, prefix + QStringLiteral("Size"), defaults.Size,
                                Settings::kMinFontSize, Settings::kMaxFontSize);
    font.Bold = store.GetBool(section, prefix + QStringLiteral("Bold"), defaults.Bold);
    font.Italic = store.GetBool(section, prefix + QStringLiteral("Italic"), defaults.Italic);
    return font;
}

void SaveFont(Settings& store, const QString& prefix, const FontSetting& font) {
    const QString& section = Settings::kSettings;
    store.SaveText(section, prefix + QStringLiteral("Name"), font.Name);
    store.SaveSingle(section, prefix + QStringLiteral("Size"), font.Size);
    store.SaveBool(section, prefix + QStringLiteral("Bold"), font.Bold);
    store.SaveBool(section, prefix + QStringLiteral("Italic"), font.Italic);
}

} // namespace

Settings::Settings() : store_(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, kApplication) {}

Settings::Settings(const QString& fileName) : store_(fileName, QSettings::IniFormat) {}

QString Settings::Path(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

bool Settings::Contains(const QString& section, const QString& key) const {
    return store_.contains(Path(section, key));
}

void Settings::Remove(const QString& section, const QString& key) {
    store_.remove(Path(section, key));
}

bool Settings::ReadText(const QString& section, const QString& key, QString& text) const {
    const QVariant value = store_.value(Path(section, key));
    if (!value.isValid() || value.typeId() == QMetaType::QStringList || !value.canConvert<QString>())
        return false;
    text = value.toString();
    return true;
}

bool Settings::GetBool(const QString& section, const QString& key, bool defaultValue) const {
    QString text;
    bool value = defaultValue;
    if (!ReadText(section, key, text) || !ParseBool(text, value)) return defaultValue;
    return value;
}

int Settings::GetInt(const QString& section, const QString& key, int defaultValue, int minimum,
                     int maximum) const {
    QString text;
    int value = defaultValue;
    if (!ReadText(section, key, text) || !ParseInt(text, value) || value < minimum || value > maximum)
        return defaultValue;
    return value;
}

float Settings::GetSingle(const QString& section, const QString& key, float defaultValue, float minimum,
                          float maximum) const {
    QString text;
    float value = defaultValue;
    if (!ReadText(section, key, text) || !ParseSingle(text, value) || value < minimum || value > maximum)
        return defaultValue;
    return value;
}

float Settings::GetSingle(const QString& section, const QString& key, float defaultValue) const {
    QString text;
    float value = defaultValue;
    if (!ReadText(section, key, text) || !ParseSingle(text, value)) return defaultValue;
    return value;
}

QString Settings::GetText(const QString& section, const QString& key, const QString& defaultValue) const {
    QString text;
    if (!ReadText(section, key, text)) return defaultValue;
    return text;
}

void Settings::SaveBool(const QString& section, const QString& key, bool value) {
    store_.setValue(Path(section, key), BoolText(value));
}

void Settings::SaveInt(const QString& section, const QString& key, int value) {
    store_.setValue(Path(section, key), QString::number(value));
}

void Settings::SaveSingle(const QString& section, const QString& key, float value) {
    store_.setValue(Path(section, key), SingleText(value));
}

void Settings::SaveText(const QString& section, const QString& key, const QString& value) {
    store_.setValue(Path(section, key), value);
}

FrameSettings Settings::LoadFrame() const {
    const FrameSettings defaults;
    FrameSettings s;
    s.Toolbar = GetBool(kSettings, QStringLiteral("Toolbar"), defaults.Toolbar);
    s.StatusBar = GetBool(kSettings, QStringLiteral("StatusBar"), defaults.StatusBar);
    s.CodeOn = GetBool(kSettings, QStringLiteral("CodeOn"), defaults.CodeOn);
    s.IncludeSym = GetBool(kSettings, QStringLiteral("IncludeSym"), defaults.IncludeSym);
    s.HexTerminal = GetBool(kSettings, QStringLiteral("HexTerminal"), defaults.HexTerminal);
    s.COMPort = GetInt(kSettings, QStringLiteral("COMPort"), defaults.COMPort, 1, kMaxPort);
    s.COMPortName = GetText(kSettings, QStringLiteral("COMPortName"), defaults.COMPortName).trimmed();
    s.ScreenFont = LoadFont(*this, QStringLiteral("ScreenFont"), defaults.ScreenFont);
    s.PrintFont = LoadFont(*this, QStringLiteral("PrintFont"), defaults.PrintFont);
    s.SimEnabled = GetBool(kSettings, QStringLiteral("SimEnabled"), defaults.SimEnabled);
    return s;
}

void Settings::SaveFrame(const FrameSettings& s) {
    SaveBool(kSettings, QStringLiteral("Toolbar"), s.Toolbar);
    SaveBool(kSettings, QStringLiteral("StatusBar"), s.StatusBar);
    SaveBool(kSettings, QStringLiteral("CodeOn"), s.CodeOn);
    SaveBool(kSettings, QStringLiteral("IncludeSym"), s.IncludeSym);
    SaveBool(kSettings, QStringLiteral("HexTerminal"), s.HexTerminal);
    SaveInt(kSettings, QStringLiteral("COMPort"), s.COMPort);
    SaveText(kSettings, QStringLiteral("COMPortName"), s.COMPortName);
    SaveFont(*this, QStringLiteral("ScreenFont"), s.ScreenFont);
    SaveFont(*this, QStringLiteral("PrintFont"), s.PrintFont);
    SaveBool(kSettings, QStringLiteral("SimEnabled"), s.SimEnabled);
}

QString Settings::LoadLabelSort() const {
    return GetText(kSettings, QStringLiteral("LabelSort"), QString());
}

void Settings::SaveLabelSort(const QString& sort) {
    SaveText(kSettings, QStringLiteral("LabelSort"), sort);
}

void Settings::Sync() {
    store_.sync();
}

QString Settings::BoolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString Settings::SingleText(float value) {
    // The shortest text that reads back as the same float.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

bool Settings::ParseBool(const QString& text, bool& value) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    // Numbers as a boolean: zero is false, anything else true.
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (!ok) return false;
    value = n != 0;
    return true;
}

bool Settings::ParseInt(const QString& text, int& value) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok) return false;
    value = n;
    return true;
}

bool Settings::ParseSingle(const QString& text, float& value) {
    bool ok = false;
    const float f = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(f)) return false;
    value = f;
    return true;
}

} // namespace quorvel
