// The settings store: defaults, values that read back unchanged, and values
// that cannot be converted.
#include <QDir>
#include <QFile>
#include <QSettings>

#include "FrameHarness.h"
#include "frame/Settings.h"

namespace quorvel::test {
namespace {

using SettingsTest = FrameTest;

void WriteRaw(const QString& key, const QVariant& value) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, Settings::kOrganisation,
                    Settings::kApplication);
    store.setValue(key, value);
    store.sync();
}

TEST_F(SettingsTest, EmptyStoreGivesTheDefaults) {
    const FrameSettings s = Settings().LoadFrame();
    EXPECT_TRUE(s.Toolbar);
    EXPECT_TRUE(s.StatusBar);
    EXPECT_TRUE(s.CodeOn);
    EXPECT_FALSE(s.IncludeSym);
    EXPECT_FALSE(s.HexTerminal);
    EXPECT_EQ(s.COMPort, 2);
    EXPECT_EQ(s.COMPortName, QString());
    EXPECT_EQ(s.ScreenFont, (FontSetting{"Fixedsys", 9, false, false}));
    EXPECT_EQ(s.PrintFont, (FontSetting{"Courier New", 8, false, false}));
    EXPECT_FALSE(s.SimEnabled);
    EXPECT_EQ(Settings().LoadLabelSort(), QString());
}

TEST_F(SettingsTest, ValuesReadBackUnchanged) {
    FrameSettings s;
    s.Toolbar = false;
    s.StatusBar = false;
    s.CodeOn = false;
    s.IncludeSym = true;
    s.HexTerminal = true;
    s.COMPort = 17;
    s.COMPortName = "/dev/pts/5";
    s.ScreenFont = {"Odd, Font; Name = @x \"y\" \\z", 9.5F, true, false};
    s.PrintFont = {QString::fromUtf8("Schrift \xc3\xa4\xc3\xb6\xc3\xbc"), 10.25F, false, true};
    s.SimEnabled = true;
    {
        Settings store;
        store.SaveFrame(s);
        store.SaveLabelSort("V");
    }
    Settings again;
    EXPECT_EQ(again.LoadFrame(), s);
    EXPECT_EQ(again.LoadLabelSort(), "V");
}

TEST_F(SettingsTest, FloatSizesSurviveTheTextForm) {
    for (float size : {9.5F, 8.0F, 10.1F, 7.3333335F, 72.0F, 1.0F}) {
        float back = 0;
        ASSERT_TRUE(Settings::ParseSingle(Settings::SingleText(size), back)) << size;
        EXPECT_EQ(back, size);
    }
    EXPECT_EQ(Settings::SingleText(9.5F), "9.5");
    EXPECT_EQ(Settings::SingleText(9), "9");
}

TEST_F(SettingsTest, StoredTextForms) {
    Settings store;
    store.SaveBool(Settings::kSettings, "Toolbar", false);
    store.SaveInt(Settings::kSettings, "COMPort", 3);
    store.Sync();
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, Settings::kOrganisation,
                  Settings::kApplication);
    EXPECT_EQ(raw.value("Settings/Toolbar").toString(), "False");
    EXPECT_EQ(raw.value("Settings/COMPort").toString(), "3");
}

TEST_F(SettingsTest, BooleanTexts) {
    bool value = false;
    EXPECT_TRUE(Settings::ParseBool("True", value));
    EXPECT_TRUE(value);
    EXPECT_TRUE(Settings::ParseBool(" false ", value));
    EXPECT_FALSE(value);
    EXPECT_TRUE(Settings::ParseBool("-1", value));
    EXPECT_TRUE(value);
    EXPECT_TRUE(Settings::ParseBool("0", value));
    EXPECT_FALSE(value);
    EXPECT_FALSE(Settings::ParseBool("maybe", value));
    EXPECT_FALSE(Settings::ParseBool("", value));
}

TEST_F(SettingsTest, UnconvertibleValuesTakeTheirDefaults) {
    WriteRaw("Settings/Toolbar", "maybe");
    WriteRaw("Settings/CodeOn", "");
    WriteRaw("Settings/IncludeSym", "yes please");
    WriteRaw("Settings/COMPort", "two");
    WriteRaw("Settings/ScreenFontSize", "nine");
    WriteRaw("Settings/PrintFontSize", "nan");
    WriteRaw("Settings/ScreenFontBold", "3x");
    WriteRaw("Settings/SimEnabled", QStringList{"a", "b"});
    const FrameSettings s = Settings().LoadFrame();
    const FrameSettings defaults;
    EXPECT_EQ(s.Toolbar, defaults.Toolbar);
    EXPECT_EQ(s.CodeOn, defaults.CodeOn);
    EXPECT_EQ(s.IncludeSym, defaults.IncludeSym);
    EXPECT_EQ(s.COMPort, defaults.COMPort);
    EXPECT_EQ(s.ScreenFont.Size, defaults.ScreenFont.Size);
    EXPECT_EQ(s.PrintFont.Size, defaults.PrintFont.Size);
    EXPECT_EQ(s.ScreenFont.Bold, defaults.ScreenFont.Bold);
    EXPECT_EQ(s.SimEnabled, defaults.SimEnabled);
}

TEST_F(SettingsTest, UnusableNumbersTakeTheirDefaults) {
    WriteRaw("Settings/COMPort", "0");
    WriteRaw("Settings/ScreenFontSize", "-4");
    WriteRaw("Settings/PrintFontSize", "1e30");
    WriteRaw("Settings/ScreenFontName", "   ");
    FrameSettings s = Settings().LoadFrame();
    EXPECT_EQ(s.COMPort, 2);
    EXPECT_EQ(s.ScreenFont.Size, 9);
    EXPECT_EQ(s.PrintFont.Size, 8);
    EXPECT_EQ(s.ScreenFont.Name, "Fixedsys");

    WriteRaw("Settings/COMPort", "99999");
    EXPECT_EQ(Settings().LoadFrame().COMPort, 2);
    WriteRaw("Settings/COMPort", " 4 ");
    EXPECT_EQ(Settings().LoadFrame().COMPort, 4);
}

TEST_F(SettingsTest, AnIniFileStoreWorksTheSame) {
    const QString file = QDir::tempPath() + "/quorvel-settings-test.ini";
    QFile::remove(file);
    FrameSettings s;
    s.COMPort = 5;
    {
        Settings store(file);
        store.SaveFrame(s);
    }
    EXPECT_EQ(Settings(file).LoadFrame(), s);
    QFile::remove(file);
}

} // namespace
} // namespace quorvel::test
