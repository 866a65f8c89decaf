// The small text helpers of the frame: file filters, port names, the command
// line, the clock panel, font style texts and help topics.
#include <QCommandLineParser>
#include <QDir>

#include <gtest/gtest.h>

#include "frame/FileFilter.h"
#include "frame/FontSetting.h"
#include "frame/HelpTopics.h"
#include "frame/PortDevice.h"
#include "frame/StartOptions.h"
#include "frame/StatusText.h"

namespace quorvel::test {
namespace {

TEST(FileFilterTest, PairsBecomeQtFilters) {
    const QString filter =
        "Assembly Source (*.asm)|*.asm|Listing Files (*.lst)|*.lst|Error Listing (*.err)|*.err|"
        "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    const QStringList expected{"Assembly Source (*.asm *.ASM)", "Listing Files (*.lst *.LST)",
                               "Error Listing (*.err *.ERR)", "Text Files (*.txt *.TXT)", "All Files (*)"};
    EXPECT_EQ(QtFileFilters(filter), expected);
    EXPECT_EQ(FileFilterIndex(filter, "Listing Files (*.lst *.LST)"), 2);
    EXPECT_EQ(FileFilterIndex(filter, "All Files (*)"), 5);
    EXPECT_EQ(FileFilterIndex(filter, "Something else"), 0);
}

TEST(FileFilterTest, SeveralPatternsAndPlainDescriptions) {
    EXPECT_EQ(QtFileFilters("S-Records|*.s19;*.S19;*.mot"),
              QStringList{"S-Records (*.s19 *.S19 *.mot *.MOT)"});
    EXPECT_EQ(QtFileFilters(""), QStringList{"All Files (*)"});
    EXPECT_EQ(QtFileFilters("Dangling"), QStringList{"All Files (*)"});
    EXPECT_EQ(QtFileFilters("|*.lst"), QStringList{"*.lst *.LST (*.lst *.LST)"});
}

TEST(PortDeviceTest, NumbersAndPaths) {
    EXPECT_EQ(NumberedPortPath(1), "/dev/ttyS0");
    EXPECT_EQ(NumberedPortPath(2), "/dev/ttyS1");
    EXPECT_EQ(NumberedPortFromPath("/dev/ttyS3"), 4);
    EXPECT_EQ(NumberedPortFromPath("/dev/ttyUSB0"), 0);
    EXPECT_EQ(PortDevicePath(2, ""), "/dev/ttyS1");
    EXPECT_EQ(PortDevicePath(2, " /dev/pts/5 "), "/dev/pts/5");
}

TEST(PortDeviceTest, ChoicesFromTheOptions) {
    PortChoice c = ParsePortChoice("/dev/ttyS4", 2);
    EXPECT_TRUE(c.Valid);
    EXPECT_EQ(c.COMPort, 5);
    EXPECT_EQ(c.COMPortName, "");
    c = ParsePortChoice("3", 2);
    EXPECT_EQ(c.COMPort, 3);
    EXPECT_EQ(c.COMPortName, "");
    c = ParsePortChoice("com7", 2);
    EXPECT_EQ(c.COMPort, 7);
    c = ParsePortChoice(" /dev/pts/5 ", 2);
    EXPECT_TRUE(c.Valid);
    EXPECT_EQ(c.COMPort, 2);
    EXPECT_EQ(c.COMPortName, "/dev/pts/5");
    EXPECT_FALSE(ParsePortChoice("   ", 2).Valid);
}

StartOptions Parse(const QStringList& args, bool& ok, QString& error) {
    QCommandLineParser parser;
    AddStartOptions(parser);
    StartOptions options;
    ok = parser.parse(QStringList{"quorvel"} + args) && ReadStartOptions(parser, options, error);
    return options;
}

TEST(StartOptionsTest, SimBoardAndFiles) {
    bool ok = false;
    QString error;
    StartOptions o = Parse({}, ok, error);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(o.SimEnabled.has_value());
    EXPECT_TRUE(o.Files.isEmpty());

    o = Parse({"--sim", "prog.asm", "/tmp/other.asm"}, ok, error);
    EXPECT_TRUE(ok);
    ASSERT_TRUE(o.SimEnabled.has_value());
    EXPECT_TRUE(*o.SimEnabled);
    EXPECT_EQ(o.Files, (QStringList{QDir::current().absoluteFilePath("prog.asm"), "/tmp/other.asm"}));

    o = Parse({"--board"}, ok, error);
    EXPECT_TRUE(ok);
    ASSERT_TRUE(o.SimEnabled.has_value());
    EXPECT_FALSE(*o.SimEnabled);

    Parse({"--sim", "--board"}, ok, error);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());

    o = Parse({"--sim", "--download", "demo/leds.s19", "demo/leds.asm"}, ok, error);
    EXPECT_TRUE(ok);
    EXPECT_EQ(o.Download, QDir::current().absoluteFilePath("demo/leds.s19"));
    EXPECT_EQ(o.Files, QStringList{QDir::current().absoluteFilePath("demo/leds.asm")});
    Parse({"--download", ""}, ok, error);
    EXPECT_FALSE(ok);
}

TEST(StatusTextTest, ClockHasAtLeastEightDigits) {
    EXPECT_EQ(ClockText(0), "Clock= 00000000");
    EXPECT_EQ(ClockText(42), "Clock= 00000042");
    EXPECT_EQ(ClockText(12345678), "Clock= 12345678");
    EXPECT_EQ(ClockText(123456789), "Clock= 123456789");
    EXPECT_EQ(ClockText(-5), "Clock= -00000005");
}

TEST(FontStyleTextTest, FourStyles) {
    EXPECT_EQ(FontStyleText(false, false), "Regular");
    EXPECT_EQ(FontStyleText(true, false), "Bold");
    EXPECT_EQ(FontStyleText(false, true), "Italic");
    EXPECT_EQ(FontStyleText(true, true), "Bold Italic");
}

TEST(HelpTopicsTest, TopicsLiveOnTheirPages) {
    EXPECT_EQ(HelpTopicPage(999), "hc11symbols.html");
    EXPECT_EQ(HelpTopicPage(95), "views.html");
    EXPECT_EQ(HelpTopicPage(12345), kHelpContentsPage);
    EXPECT_TRUE(HelpTopicNumbers().contains(999));
}

} // namespace
} // namespace quorvel::test
