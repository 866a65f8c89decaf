// Monospaced is measured, whatever the font's flags say, and a missing family
// gives way to a font that measures monospaced.
#include <algorithm>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <gtest/gtest.h>

#include "frame/Fonts.h"

namespace quorvel::test {
namespace {

bool AnyFamilyMeasuresMonospaced() {
    const QStringList families = QFontDatabase::families();
    return std::any_of(families.begin(), families.end(),
                       [](const QString& family) { return IsMonospaced(QFont(family)); });
}

TEST(FontsTest, AProportionalFontIsNotMonospaced) {
    const QFont general = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const QFontMetricsF metrics(general);
    if (metrics.horizontalAdvance(u'i') == metrics.horizontalAdvance(u'W'))
        GTEST_SKIP() << "the system's general font is monospaced here";
    EXPECT_FALSE(IsMonospaced(general));
}

TEST(FontsTest, AMissingFamilyFallsBackToAMonospacedFontInTheStoredStyle) {
    if (!AnyFamilyMeasuresMonospaced()) GTEST_SKIP() << "no monospaced font installed";
    for (const FontSetting& setting : {FontSetting{"No Such Family 4710", 9, false, false},
                                       FontSetting{"No Such Family 4711", 13.5F, true, true}}) {
        ASSERT_FALSE(FontFamilyInstalled(setting.Name));
        const QFont font = ResolveFont(setting);
        EXPECT_TRUE(IsMonospaced(font)) << font.family().toStdString();
        EXPECT_EQ(font.pointSizeF(), setting.Size);
        EXPECT_EQ(font.bold(), setting.Bold);
        EXPECT_EQ(font.italic(), setting.Italic);
    }
}

} // namespace
} // namespace quorvel::test
