// The per-user settings store: section "Settings" for the IDE's options and
// section "Windows" for window placement, under "Quorvel Tolvic".
//
//     Settings store;
//     FrameSettings options = store.LoadFrame();   // defaults for what is missing
//     options.COMPort = 3;
//     store.SaveFrame(options);
//
// Every value is stored as text and converted on reading. A key that is
// missing, or whose text cannot be converted to a usable value, reads as its
// default.
#pragma once

#include <QSettings>
#include <QString>

#include "frame/FontSetting.h"

namespace quorvel {

// The section "Settings" as the frame uses it.
struct FrameSettings {
    bool Toolbar = true;
    bool StatusBar = true;
    bool CodeOn = true;
    bool IncludeSym = false;
    bool HexTerminal = false;
    // Serial port number N: /dev/ttyS<N-1>. COMPortName, when not empty, is a
    // device path chosen in the options and is used instead.
    int COMPort = 2;
    QString COMPortName;
    FontSetting ScreenFont{QStringLiteral("Fixedsys"), 9, false, false};
    FontSetting PrintFont{QStringLiteral("Courier New"), 8, false, false};
    bool SimEnabled = false;

    friend bool operator==(const FrameSettings&, const FrameSettings&) = default;
};

class Settings {
public:
    static inline const QString kOrganisation = QStringLiteral("Quorvel Tolvic");
    static inline const QString kApplication = QStringLiteral("Quorvel Tolvic");
    static inline const QString kSettings = QStringLiteral("Settings");
    static inline const QString kWindows = QStringLiteral("Windows");

    // Limits of the values the frame accepts.
    static constexpr int kMaxPort = 32767;
    static constexpr float kMinFontSize = 1;
    static constexpr float kMaxFontSize = 1000;

    // The per-user store.
    Settings();
    // A store in the given INI file.
    explicit Settings(const QString& fileName);

    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    bool Contains(const QString& section, const QString& key) const;
    void Remove(const QString& section, const QString& key);

    bool GetBool(const QString& section, const QString& key, bool defaultValue) const;
    // Integers outside minimum..maximum read as the default.
    int GetInt(const QString& section, const QString& key, int defaultValue, int minimum, int maximum) const;
    // Only finite values within minimum..maximum are taken.
    float GetSingle(const QString& section, const QString& key, float defaultValue, float minimum,
                    float maximum) const;
    float GetSingle(const QString& section, const QString& key, float defaultValue) const;
    QString GetText(const QString& section, const QString& key, const QString& defaultValue) const;

    void SaveBool(const QString& section, const QString& key, bool value);
    void SaveInt(const QString& section, const QString& key, int value);
    void SaveSingle(const QString& section, const QString& key, float value);
    void SaveText(const QString& section, const QString& key, const QString& value);

    FrameSettings LoadFrame() const;
    void SaveFrame(const FrameSettings& settings);

    // The labels window's sort mode ("N", "V" or empty), kept beside its placement.
    QString LoadLabelSort() const;
    void SaveLabelSort(const QString& sort);

    // Writes pending changes to disk.
    void Sync();

    // The textual forms used in the store.
    static QString BoolText(bool value);
    static QString SingleText(float value);
    static bool ParseBool(const QString& text, bool& value);
    static bool ParseInt(const QString& text, int& value);
    static bool ParseSingle(const QString& text, float& value);

private:
    static QString Path(const QString& section, const QString& key);
    bool ReadText(const QString& section, const QString& key, QString& text) const;

    QSettings store_;
};

} // namespace quorvel
