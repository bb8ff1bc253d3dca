#include "platform/dialog_units.h"
#include "platform/fonts.h"
#include "platform/integer_text.h"
#include "platform/startup.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include <climits>
#include <optional>

TEST(ScaleRounded, RoundsHalvesAwayFromZero)
{
    struct Row { int value, numerator, denominator, expected; };
    const Row rows[] = {
        {222, 13, 8, 361},   // 360.75
        {5, 3, 2, 8},        // 7.5
        {-5, 3, 2, -8},
        {5, -3, 2, -8},
        {7, 6, 4, 11},       // 10.5
        {11, 6, 4, 17},      // 16.5
        {8, 96, 72, 11},     // 10.67: an 8-point font is 11 pixels high at 96 dpi
        {11, 96, 72, 15},    // 14.67
        {INT_MAX, 8, 8, INT_MAX},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ScaleRounded(row.value, row.numerator, row.denominator), row.expected)
            << row.value << " * " << row.numerator << " / " << row.denominator;
}

TEST(DialogUnits, ConvertEachFieldByItsOwnBaseUnit)
{
    const DialogBaseUnits windows{6, 13};
    EXPECT_EQ(DialogUnitsToPixels(QSize(350, 222), windows), QSize(525, 361));
    EXPECT_EQ(DialogUnitsToPixels(QRect(100, 82, 11, 14), windows), QRect(150, 133, 17, 23));
    EXPECT_EQ(DialogUnitsToPixels(QRect(7, 7, 336, 187), DialogBaseUnits{6, 12}), QRect(11, 11, 504, 281));
    EXPECT_EQ(DialogUnitsToPixels(QRect(0, 0, 4, 8), DialogBaseUnits{9, 17}), QRect(0, 0, 9, 17));
}

TEST(DialogUnits, BaseUnitsOfTheDialogFontInItsStandIn)
{
    PreparePlatform();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    // The 52 letters are 333 pixels wide at 11 pixels, an average of 6.4; the character cell is
    // 10 pixels above the baseline and 3 below (2.3 rounded up).
    EXPECT_EQ(BaseUnitsOf(font), (DialogBaseUnits{6, 13}));
}

TEST(Fonts, ProgramFacesResolveToTheirStandIns)
{
    PreparePlatform();
    const QFont heading = MakeFont(QStringLiteral("Times New Roman"), 11, 600, FontCharset::Cyrillic);
    EXPECT_EQ(QFontInfo(heading).family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(heading.pixelSize(), PointsToPixels(11));
    EXPECT_EQ(heading.weight(), QFont::DemiBold);
    const QFont dialog = MakeFont(QStringLiteral("MS Sans Serif"), 8);
    EXPECT_EQ(QFontInfo(dialog).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(dialog.weight(), QFont::Normal);
}

TEST(Fonts, CyrillicCharsetReplacesAFaceWithoutCyrillic)
{
    const QString latinOnly = QStringLiteral("DejaVu Math TeX Gyre");
    if (!QFontDatabase::families().contains(latinOnly))
        GTEST_SKIP() << "the font without Cyrillic letters is not installed";
    EXPECT_EQ(QFontInfo(MakeFont(latinOnly, 10)).family(), latinOnly);
    const QString replaced = QFontInfo(MakeFont(latinOnly, 10, 0, FontCharset::Cyrillic)).family();
    EXPECT_TRUE(QFontDatabase::writingSystems(replaced).contains(QFontDatabase::Cyrillic)) << replaced.toStdString();
}

TEST(ParseInteger, ReadsWholeFieldsOnly)
{
    struct Row { const char* text; std::optional<int> expected; };
    const Row rows[] = {
        {"0", 0}, {"100", 100}, {" 42 ", 42}, {"-7", -7}, {"+7", 7}, {"2147483647", INT_MAX},
        {"", std::nullopt}, {" ", std::nullopt}, {"12a", std::nullopt}, {"1 2", std::nullopt},
        {"+-1", std::nullopt}, {"- 1", std::nullopt}, {"1.5", std::nullopt}, {"2147483648", std::nullopt},
        {"٣", std::nullopt}, {"x", std::nullopt}, {"--1", std::nullopt}, {"99999999999", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ParseInteger(QString::fromUtf8(row.text)), row.expected) << row.text;
}
