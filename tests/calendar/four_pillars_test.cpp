#include "calendar/four_pillars.h"

#include <gtest/gtest.h>

#include <chrono>

#include "calendar/stem_branch.h"
#include "calendar_test_helpers.h"

namespace norlune {
namespace {

using namespace std::chrono;
using testing::builtInTables;
using testing::moment;

struct PillarCase {
    const char* clock;
    const char* trueSolar;  // T to the second, or nullptr where the example does not give it
    FourPillars pillars;
};

void PrintTo(const PillarCase& c, std::ostream* os) {
    *os << c.clock;
}

std::string secondsLayout(local_seconds t) {
    const LocalMinutes m = floor<minutes>(t);
    const auto s = (t - m).count();
    return testing::termLayout(m) + ":" + (s < 10 ? "0" : "") + std::to_string(s);
}

class FourPillarsExamples : public ::testing::TestWithParam<PillarCase> {};

TEST_P(FourPillarsExamples, MatchTheWorkedPillars) {
    const PillarCase& c = GetParam();
    const BirthMoment birth = moment(c.clock);
    if (c.trueSolar != nullptr) {
        EXPECT_EQ(secondsLayout(trueSolarTime(builtInTables(), birth)), c.trueSolar);
    }
    EXPECT_EQ(ComputeFourPillars(builtInTables(), birth).toString(), c.pillars.toString());
}

INSTANTIATE_TEST_SUITE_P(
    Quoted, FourPillarsExamples,
    ::testing::Values(
        PillarCase{"1949-10-01 15:00", "1949-10-01 15:10:59", {"己丑", "癸酉", "甲子", "壬申"}},
        // A January birth belongs to the previous pillar year, before 小寒 to its 子 month.
        PillarCase{"2000-01-01 12:00", "2000-01-01 11:56:51", {"己卯", "丙子", "戊午", "戊午"}},
        // T falls back into 1920; the 23:00 rule advances the day.
        PillarCase{"1921-01-01 00:00", "1920-12-31 23:56:51", {"庚申", "戊子", "甲子", "甲子"}},
        // 立春 1985 at 05:15: before, in the term's minute (old year, new month), after.
        PillarCase{"1985-02-04 05:29", "1985-02-04 05:14:59", {"甲子", "丁丑", "甲戌", "丁卯"}},
        PillarCase{"1985-02-04 05:30", "1985-02-04 05:15:59", {"甲子", "丙寅", "甲戌", "丁卯"}},
        PillarCase{"1985-02-04 05:31", nullptr, {"乙丑", "戊寅", "甲戌", "丁卯"}}));

// 立春 2015 is stored with its moment (11:58), so the whole morning of 4 February stays in the old
// year and the 丑 month; the term's minute behaves like 1985's.
INSTANTIATE_TEST_SUITE_P(
    TermOf2015, FourPillarsExamples,
    ::testing::Values(
        PillarCase{"2015-02-04 00:05", "2015-02-03 23:50:59", {"甲午", "丁丑", "辛亥", "戊子"}},
        PillarCase{"2015-02-04 00:20", "2015-02-04 00:05:59", {"甲午", "丁丑", "辛亥", "戊子"}},
        PillarCase{"2015-02-04 12:12", "2015-02-04 11:57:59", {"甲午", "丁丑", "辛亥", "甲午"}},
        PillarCase{"2015-02-04 12:13", "2015-02-04 11:58:59", {"甲午", "丙寅", "辛亥", "甲午"}},
        PillarCase{"2015-02-04 12:14", nullptr, {"乙未", "戊寅", "辛亥", "甲午"}}));

// Births after 大雪 2019 (7 December) are in the 子 month: the table goes on into 2020. (Day
// pillars counted from 2000-01-01, a 戊午 day.)
INSTANTIATE_TEST_SUITE_P(
    December2019, FourPillarsExamples,
    ::testing::Values(PillarCase{"2019-12-06 12:00", nullptr, {"己亥", "乙亥", "丁丑", "丙午"}},
                      PillarCase{"2019-12-20 12:00", nullptr, {"己亥", "丙子", "辛卯", "甲午"}},
                      PillarCase{"2019-12-31 22:00", nullptr, {"己亥", "丙子", "壬寅", "辛亥"}}));

struct HourCase {
    const char* clock;
    const char* day;
    const char* hour;
};

class HourBoundaries1990 : public ::testing::TestWithParam<HourCase> {};

// 1 September 1990: the equation of time is +1 min 0 s, the day 己巳.
TEST_P(HourBoundaries1990, HalvesGoToTheEvenBranch) {
    const HourCase& c = GetParam();
    const FourPillars p = ComputeFourPillars(builtInTables(), moment(c.clock));
    EXPECT_EQ(p.day, c.day);
    EXPECT_EQ(p.hour, c.hour);
}

INSTANTIATE_TEST_SUITE_P(Quoted, HourBoundaries1990,
                         ::testing::Values(HourCase{"1990-09-01 00:59", "己巳", "甲子"},
                                           HourCase{"1990-09-01 02:59", "己巳", "丙寅"},
                                           HourCase{"1990-09-01 04:59", "己巳", "丙寅"},
                                           HourCase{"1990-09-01 06:59", "己巳", "戊辰"},
                                           HourCase{"1990-09-01 22:58", "己巳", "乙亥"},
                                           HourCase{"1990-09-01 22:59", "庚午", "丙子"}));

// 立春 2100 is at 02:59 and the equation of time on 4 February is -14 min 1 s: clock 03:14 is in
// the term's minute (old year, new month), 03:15 after it. 2100 has no 29 February: the day pillar
// goes on from 28 February to 1 March. The last minute of the range is past 23:00 true solar time.
INSTANTIATE_TEST_SUITE_P(
    Year2100, FourPillarsExamples,
    ::testing::Values(PillarCase{"2100-02-04 03:13", nullptr, {"己未", "丁丑", "丁丑", "辛丑"}},
                      PillarCase{"2100-02-04 03:14", nullptr, {"己未", "丙寅", "丁丑", "辛丑"}},
                      PillarCase{"2100-02-04 03:15", nullptr, {"庚申", "戊寅", "丁丑", "壬寅"}},
                      PillarCase{"2100-02-28 12:00", nullptr, {"庚申", "戊寅", "辛丑", "甲午"}},
                      PillarCase{"2100-03-01 12:00", nullptr, {"庚申", "戊寅", "壬寅", "丙午"}},
                      PillarCase{"2100-12-31 23:59", nullptr, {"庚申", "戊子", "戊申", "壬子"}}));

TEST(HourBranch, WholeMinutesWithHalvesToEven) {
    // At the odd hours 1, 5, 9, 13, 17 and 21 the earlier branch still holds; at 3, 7, 11, 15, 19
    // and 23 the next one begins.
    const std::pair<int, int> cases[] = {
        {0, 0},     {59, 0},    {60, 0},    {61, 1},    {179, 1},  {180, 2}, {300, 2}, {301, 3},
        {420, 4},   {540, 4},   {541, 5},   {660, 6},   {780, 6},  {781, 7}, {900, 8}, {1020, 8},
        {1140, 10}, {1260, 10}, {1261, 11}, {1379, 11}, {1380, 0}, {1439, 0}};
    for (const auto& [minutesOfDay, branch] : cases) {
        EXPECT_EQ(hourBranch(minutesOfDay), branch) << minutesOfDay;
    }
}

TEST(FourPillars, TigerMonthStemFollowsTheYearStem) {
    // 1 March lies after 立春 and before 惊蛰 every year: always the 寅 month.
    const std::pair<const char*, const char*> byYearStem[] = {
        {"甲", "丙"}, {"乙", "戊"}, {"丙", "庚"}, {"丁", "壬"}, {"戊", "甲"},
        {"己", "丙"}, {"庚", "戊"}, {"辛", "庚"}, {"壬", "壬"}, {"癸", "甲"}};
    for (int year = kFirstBirthYear; year <= kLastBirthYear; ++year) {
        const FourPillars p =
            ComputeFourPillars(builtInTables(), *makeBirthMoment(year, 3, 1, 12, 0));
        ASSERT_EQ(p.month.substr(3), "寅") << year;
        const int yearStem = stemPosition(p.year.substr(0, 3));
        ASSERT_GE(yearStem, 0) << year;
        EXPECT_EQ(p.month.substr(0, 3), byYearStem[yearStem].second) << year;
        // The year pillar runs through the cycle with the Gregorian year (甲子 in 1924).
        EXPECT_EQ(p.year, stemBranchName(year - 1924, year - 1924)) << year;
    }
}

TEST(FourPillars, ZiHourStemFollowsTheDayStem) {
    // 00:30 on the clock is in the 子 hour on every day of the year.
    const std::pair<const char*, const char*> byDayStem[] = {
        {"甲", "甲"}, {"乙", "丙"}, {"丙", "戊"}, {"丁", "庚"}, {"戊", "壬"},
        {"己", "甲"}, {"庚", "丙"}, {"辛", "戊"}, {"壬", "庚"}, {"癸", "壬"}};
    for (unsigned day = 1; day <= 20; ++day) {
        const FourPillars p =
            ComputeFourPillars(builtInTables(), *makeBirthMoment(1990, 5, day, 0, 30));
        ASSERT_EQ(p.hour.substr(3), "子");
        const int dayStem = stemPosition(p.day.substr(0, 3));
        ASSERT_GE(dayStem, 0);
        EXPECT_EQ(p.hour.substr(0, 3), byDayStem[dayStem].second) << p.day;
    }
}

TEST(FourPillars, DayPillarAdvancesOncePerDay) {
    // Over the whole range of births the day pillar moves one place per calendar day (2100 has
    // no 29 February) and the month branch only ever stays or moves on by one.
    const CalendarTables& tables = builtInTables();
    FourPillars previous = ComputeFourPillars(tables, *makeBirthMoment(1921, 1, 1, 12, 0));
    for (sys_days d = sys_days{1921y / 1 / 2}; d <= sys_days{2100y / 12 / 31}; d += days{1}) {
        const year_month_day ymd{d};
        const auto noon =
            *makeBirthMoment(static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                             static_cast<unsigned>(ymd.day()), 12, 0);
        const FourPillars p = ComputeFourPillars(tables, noon);
        const int before = tables.jiaziPosition(previous.day);
        ASSERT_EQ(tables.jiaziPosition(p.day), before % 60 + 1) << testing::termLayout(noon.clock);
        const int monthStep = floorMod(
            branchPosition(p.month.substr(3)) - branchPosition(previous.month.substr(3)), 12);
        ASSERT_LE(monthStep, 1) << testing::termLayout(noon.clock);
        previous = p;
    }
}

}  // namespace
}  // namespace norlune
