#include "calendar/bazi_report.h"

#include <gtest/gtest.h>

#include <chrono>

#include "calendar/four_pillars.h"
#include "calendar/lunar_date.h"
#include "calendar_test_helpers.h"

namespace norlune {
namespace {

using namespace std::chrono;
using testing::builtInTables;
using testing::crlfLines;
using testing::moment;

TEST(BaZiReport, MaleBornOn10February1984) {
    const BaZiReport report =
        BuildBaZiReport(builtInTables(), moment("1984-02-10 12:00"), kSexMale);
    // Lines 1 to 8 follow from the chart 甲子 丙寅 甲戌 庚午 in the 寅 month: stems 木 1.14 twice,
    // 火 1.2, 金 1; hidden stems 水 1 (子), 火 0.36 and 木 0.798 (寅), 金 0.3, 火 0.24 and 土 0.53
    // (戌), 火 1.2 (午). The day master 甲 has 木 + 水 = 4.078 against 4.83.
    const std::vector<std::string> expected = {
        "农历出生时间：甲子年正月初九日午时(男性)",
        "命主生辰八字：甲子 丙寅 甲戌 庚午",
        "八字五行属性：木水 火木 木土 金火",
        "八字五行统计：2金 3木 1水 4火 1土 (计入地支藏干)",
        "命主本命属性：木",
        "同性五行得分：4.07",
        "异性五行得分：4.83",
        "平衡用神喜用：木水(本命主弱)",
        "大运：丁卯 戊辰 己巳 庚午 辛未 壬申 癸酉 甲戌 ",
        "属性：火木 土土 土火 金火 金土 水金 水金 木土 ",
        "年份：1992 2002 2012 2022 2032 2042 2052 2062 ",
        "岁数：8 岁 18岁 28岁 38岁 48岁 58岁 68岁 78岁 ",
        "流年：壬申 壬午 壬辰 壬寅 壬子 壬戌 壬申 壬午 ",
        "  +1  癸酉 癸未 癸巳 癸卯 癸丑 癸亥 癸酉 癸未 ",
        "  +2  甲戌 甲申 甲午 甲辰 甲寅 甲子 甲戌 甲申 ",
        "  +3  乙亥 乙酉 乙未 乙巳 乙卯 乙丑 乙亥 乙酉 ",
        "  +4  丙子 丙戌 丙申 丙午 丙辰 丙寅 丙子 丙戌 ",
        "  +5  丁丑 丁亥 丁酉 丁未 丁巳 丁卯 丁丑 丁亥 ",
        "  +6  戊寅 戊子 戊戌 戊申 戊午 戊辰 戊寅 戊子 ",
        "  +7  己卯 己丑 己亥 己酉 己未 己巳 己卯 己丑 ",
        "  +8  庚辰 庚寅 庚子 庚戌 庚申 庚午 庚辰 庚寅 ",
        "  +9  辛巳 辛卯 辛丑 辛亥 辛酉 辛未 辛巳 辛卯 ",
    };
    EXPECT_EQ(crlfLines(report.text), expected);
    EXPECT_EQ(report.favourable, "木水");
    EXPECT_TRUE(report.forward);
    EXPECT_EQ(report.startAge, 8);
    // CR LF between lines and none after the last.
    EXPECT_TRUE(report.text.ends_with("辛卯 "));
    EXPECT_EQ(report.text.find('\n') - 1, report.text.find('\r'));
}

TEST(BaZiReport, FemaleBornOn10February1984RunsBackward) {
    const BaZiReport report =
        BuildBaZiReport(builtInTables(), moment("1984-02-10 12:00"), kSexFemale);
    const auto lines = crlfLines(report.text);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "农历出生时间：甲子年正月初九日午时(女性)");
    EXPECT_FALSE(report.forward);
    EXPECT_EQ(report.startAge, 2);  // 6 days back to 立春 on 4 February
    EXPECT_EQ(lines[8], "大运：乙丑 甲子 癸亥 壬戌 辛酉 庚申 己未 戊午 ");
    EXPECT_EQ(lines[9], "属性：木土 木水 水水 水土 金金 金金 土土 土火 ");
    EXPECT_EQ(lines[10], "年份：1986 1996 2006 2016 2026 2036 2046 2056 ");
    EXPECT_EQ(lines[11], "岁数：2 岁 12岁 22岁 32岁 42岁 52岁 62岁 72岁 ");
    // Year pillar 甲子 (1) plus the start age 2: 丙寅, then ten years per column.
    EXPECT_EQ(lines[12], "流年：丙寅 丙子 丙戌 丙申 丙午 丙辰 丙寅 丙子 ");
    EXPECT_EQ(lines[21], "  +9  乙亥 乙酉 乙未 乙巳 乙卯 乙丑 乙亥 乙酉 ");
}

struct StartCase {
    const char* clock;
    int sex;
    bool forward;
    int startAge;
    const char* firstLuck;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.clock << " sex " << c.sex;
}

class LuckStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(LuckStart, DirectionStartAgeAndFirstPillar) {
    const StartCase& c = GetParam();
    const BaZiReport report = BuildBaZiReport(builtInTables(), moment(c.clock), c.sex);
    EXPECT_EQ(report.forward, c.forward);
    EXPECT_EQ(report.startAge, c.startAge);
    const auto lines = crlfLines(report.text);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[8].substr(0, std::string("大运：").size() + 6),
              std::string("大运：") + c.firstLuck);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LuckStart,
    ::testing::Values(
        // On the day of 立春 1984 (23:19), in the morning: year 癸亥, month 乙丑. A term on the
        // birth day is behind the birth: backward 0 days, forward to 惊蛰 on 5 March.
        StartCase{"1984-02-04 08:00", kSexMale, false, 0, "甲子"},
        StartCase{"1984-02-04 08:00", kSexFemale, true, 10, "丙寅"},
        // After 大雪 2019 the next term is 小寒 2020 on 6 January: 17 days, start age 5.
        StartCase{"2019-12-20 12:00", kSexFemale, true, 5, "丁丑"},
        StartCase{"2019-12-20 12:00", kSexMale, false, 4, "乙亥"},
        StartCase{"2019-12-07 20:00", kSexFemale, true, 10, "丁丑"},
        StartCase{"2019-12-31 22:00", kSexFemale, true, 2, "丁丑"},
        // The cycle wraps: month 癸亥 (1983) forward to 甲子, month 甲子 (1988) backward to 癸亥.
        StartCase{"1983-11-20 12:00", kSexFemale, true, 6, "甲子"},
        StartCase{"1988-12-20 12:00", kSexFemale, false, 4, "癸亥"}));

TEST(BaZiReport, StartingYearsUseTheGregorianYearBeforeTheSpringTerm) {
    // 1 February 1985 is still in the pillar year 甲子, yet the starting years count from 1985.
    const BaZiReport report =
        BuildBaZiReport(builtInTables(), moment("1985-02-01 12:00"), kSexMale);
    const auto lines = crlfLines(report.text);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[1].substr(0, std::string("命主生辰八字：甲子").size()), "命主生辰八字：甲子");
    EXPECT_TRUE(report.forward);
    EXPECT_EQ(report.startAge, 1);  // 3 days to 立春 on 4 February
    EXPECT_EQ(lines[10], "年份：1986 1996 2006 2016 2026 2036 2046 2056 ");
    // The grid follows the year pillar 甲子 (1): 乙丑 one year on.
    EXPECT_EQ(lines[12].substr(0, std::string("流年：乙丑").size()), "流年：乙丑");
}

TEST(BaZiReport, HeadLinesComeFromTheComponents) {
    const CalendarTables& tables = builtInTables();
    const BirthMoment birth = moment("1949-10-01 15:00");
    const auto lines = crlfLines(BuildBaZiReport(tables, birth, kSexFemale).text);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "农历出生时间：" + ComputeLunarDate(birth).text + "(女性)");
    EXPECT_EQ(lines[1], "命主生辰八字：" + ComputeFourPillars(tables, birth).toString());
    EXPECT_EQ(lines[2], "八字五行属性：土土 水金 木水 水金");
    EXPECT_EQ(lines[4], "命主本命属性：木");
}

TEST(BaZiReport, FirstAndLastMomentsOfTheRange) {
    // The start age counts to the term of January 2101 for the last moment running forward, and
    // from the term of December 1920 for the first one running backward.
    struct Case {
        const char* clock;
        int sex;
        bool forward;
        int startAge;
        const char* luck;
        const char* years;
        const char* firstGridRow;
    };
    const Case cases[] = {
        {"1921-01-01 00:00", kSexMale, true, 1, "大运：己丑 庚寅 辛卯 壬辰 癸巳 甲午 乙未 丙申 ",
         "年份：1922 1932 1942 1952 1962 1972 1982 1992 ",
         "流年：辛酉 辛未 辛巳 辛卯 辛丑 辛亥 辛酉 辛未 "},
        {"1921-01-01 00:00", kSexFemale, false, 8, "大运：丁亥 丙戌 乙酉 甲申 癸未 壬午 辛巳 庚辰 ",
         "年份：1929 1939 1949 1959 1969 1979 1989 1999 ",
         "流年：戊辰 戊寅 戊子 戊戌 戊申 戊午 戊辰 戊寅 "},
        {"2100-12-31 23:59", kSexMale, true, 1, "大运：己丑 庚寅 辛卯 壬辰 癸巳 甲午 乙未 丙申 ",
         "年份：2101 2111 2121 2131 2141 2151 2161 2171 ",
         "流年：辛酉 辛未 辛巳 辛卯 辛丑 辛亥 辛酉 辛未 "},
        {"2100-12-31 23:59", kSexFemale, false, 8, "大运：丁亥 丙戌 乙酉 甲申 癸未 壬午 辛巳 庚辰 ",
         "年份：2108 2118 2128 2138 2148 2158 2168 2178 ",
         "流年：戊辰 戊寅 戊子 戊戌 戊申 戊午 戊辰 戊寅 "},
    };
    for (const Case& c : cases) {
        const BaZiReport report = BuildBaZiReport(builtInTables(), moment(c.clock), c.sex);
        const auto lines = crlfLines(report.text);
        ASSERT_EQ(lines.size(), 22u) << c.clock;
        EXPECT_EQ(report.forward, c.forward) << c.clock;
        EXPECT_EQ(report.startAge, c.startAge) << c.clock;
        EXPECT_EQ(lines[8], c.luck) << c.clock;
        EXPECT_EQ(lines[10], c.years) << c.clock;
        EXPECT_EQ(lines[12], c.firstGridRow) << c.clock;
    }
}

TEST(BaZiReport, EveryBirthOfTheRangeGivesACompleteReport) {
    // Every day from 1921 to 2100, the sexes taking turns so that every year is counted both
    // forward and backward: 22 lines, start ages 0 to 10, ages padded below 10, grid columns 7 and
    // 8 repeating columns 1 and 2.
    const CalendarTables& tables = builtInTables();
    for (sys_days d = sys_days{1921y / 1 / 1}; d <= sys_days{2100y / 12 / 31}; d += days{1}) {
        const year_month_day ymd{d};
        const auto birth =
            *makeBirthMoment(static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                             static_cast<unsigned>(ymd.day()), 6, 30);
        const int sex = (d.time_since_epoch().count() % 2 == 0) ? kSexMale : kSexFemale;
        const BaZiReport report = BuildBaZiReport(tables, birth, sex);
        ASSERT_GE(report.startAge, 0) << testing::termLayout(birth.clock);
        ASSERT_LE(report.startAge, 10) << testing::termLayout(birth.clock);
        const auto lines = crlfLines(report.text);
        ASSERT_EQ(lines.size(), 22u);
        const std::string ages =
            "岁数：" + std::to_string(report.startAge) + (report.startAge < 10 ? " 岁 " : "岁 ");
        ASSERT_TRUE(lines[11].starts_with(ages)) << testing::termLayout(birth.clock);
        const std::string& row = lines[12];
        const std::size_t cells = std::string("流年：").size();
        ASSERT_EQ(row.substr(cells + 6 * 7, 6), row.substr(cells, 6));
        ASSERT_EQ(row.substr(cells + 7 * 7, 6), row.substr(cells + 7, 6));
    }
}

}  // namespace
}  // namespace norlune
