// Character-wise text helpers at the Qt border, and the choice of the 宋体 stand-in.
#include <gtest/gtest.h>

#include "ui/fonts.h"
#include "ui/qt_text.h"

namespace norlune::ui {
namespace {

TEST(QtText, CountsAndCutsByCharacterAlsoOutsideTheBmp) {
    const QString mixed = QString::fromUcs4(U"\U00020000明\U0002A6A5");
    EXPECT_EQ(characterCount(mixed), 3);
    EXPECT_EQ(leftCharacters(mixed, 2), QString::fromUcs4(U"\U00020000明"));
    EXPECT_EQ(leftCharacters(mixed, 5), mixed);
    EXPECT_EQ(characterAt(mixed, 0), QString::fromUcs4(U"\U00020000"));
    EXPECT_EQ(characterAt(mixed, 1), qs("明"));
    EXPECT_EQ(characterAt(mixed, 2), QString::fromUcs4(U"\U0002A6A5"));
    EXPECT_TRUE(characterAt(mixed, 3).isEmpty());
    EXPECT_EQ(characterCount(QString()), 0);
}

TEST(QtText, ReportLinesLoseTheirCarriageReturns) {
    EXPECT_EQ(reportText("天格:5(土)\r\n人格:7(金)\r\n"), qs("天格:5(土)\n人格:7(金)\n"));
    EXPECT_EQ(utf8(qs("王小明")), "王小明");
}

struct FontRow {
    QStringList available;
    const char* chosen;
};

TEST(SongtiFamily, PrefersSongtiThenSerifThenAnyChineseFont) {
    const FontRow rows[] = {
        {{QStringLiteral("Noto Sans CJK SC"), qs("宋体"), QStringLiteral("SimSun")}, "宋体"},
        {{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("simsun")}, "SimSun"},
        {{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC")},
         "Noto Serif CJK SC"},
        {{QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")}, "Noto Sans CJK SC"},
        {{QStringLiteral("DejaVu Sans")}, ""},
    };
    for (const FontRow& row : rows) {
        EXPECT_EQ(pickSongtiFamily(row.available).toLower(), qs(row.chosen).toLower())
            << row.available.join(QLatin1Char(',')).toStdString();
    }
}

}  // namespace
}  // namespace norlune::ui
