#include "calendar/lunar_date.h"

#include <gtest/gtest.h>

#include <chrono>

#include "calendar_test_helpers.h"

namespace norlune {
namespace {

using namespace std::chrono;
using testing::moment;

struct LunarCase {
    const char* clock;
    const char* yearName;
    int month;
    int day;
    const char* text;  // nullptr where the example does not give it
};

void PrintTo(const LunarCase& c, std::ostream* os) {
    *os << c.clock;
}

class LunarExamples : public ::testing::TestWithParam<LunarCase> {};

TEST_P(LunarExamples, MatchTheWorkedDates) {
    const LunarCase& c = GetParam();
    const LunarDate lunar = ComputeLunarDate(moment(c.clock));
    EXPECT_EQ(lunar.yearName, c.yearName);
    EXPECT_EQ(lunar.month, c.month);
    EXPECT_EQ(lunar.day, c.day);
    if (c.text != nullptr) {
        EXPECT_EQ(lunar.text, c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Quoted, LunarExamples,
    ::testing::Values(LunarCase{"1921-02-08 00:00", "辛酉", 1, 1, "辛酉年正月初一日子时"},
                      LunarCase{"1985-02-04 10:00", "甲子", 12, 15, "甲子年腊月十五日巳时"},
                      LunarCase{"1985-02-20 07:00", "乙丑", 1, 1, "乙丑年正月初一日卯时"},
                      LunarCase{"2000-01-01 12:00", "己卯", 11, 25, "己卯年十一月廿五日午时"},
                      // 2017 has a leap sixth month, which carries no mark of its own.
                      LunarCase{"2017-07-22 12:00", "丁酉", 6, 29, nullptr},
                      LunarCase{"2017-07-23 01:00", "丁酉", 6, 1, "丁酉年六月初一日子时"},
                      LunarCase{"2017-08-22 12:00", "丁酉", 7, 1, nullptr},
                      LunarCase{"2020-01-24 00:00", "己亥", 12, 30, "己亥年腊月三十日子时"},
                      // Years after 2020, from the new moons: new year 2026 on 17 February, the
                      // leap months after the second month of 2023, the sixth of 2025 and the
                      // eleventh of 2033, new year 2100 on 9 February, the last month of 2100.
                      LunarCase{"2026-02-16 12:00", "乙巳", 12, 29, nullptr},
                      LunarCase{"2026-03-01 08:00", "丙午", 1, 13, "丙午年正月十三日辰时"},
                      LunarCase{"2023-03-21 12:00", "癸卯", 2, 30, nullptr},
                      LunarCase{"2023-03-22 12:00", "癸卯", 2, 1, nullptr},
                      LunarCase{"2023-04-20 12:00", "癸卯", 3, 1, nullptr},
                      LunarCase{"2025-07-25 12:00", "乙巳", 6, 1, nullptr},
                      LunarCase{"2033-12-22 12:00", "癸丑", 11, 1, nullptr},
                      LunarCase{"2034-01-20 12:00", "癸丑", 12, 1, nullptr},
                      LunarCase{"2100-02-09 00:00", "庚申", 1, 1, "庚申年正月初一日子时"},
                      LunarCase{"2100-02-28 12:00", "庚申", 1, 20, nullptr},
                      LunarCase{"2100-03-01 12:00", "庚申", 1, 21, nullptr},
                      LunarCase{"2100-12-31 23:59", "庚申", 12, 1, "庚申年腊月初一日亥时"},
                      // The clock hour decides the branch here; the day does not change at 23:00.
                      LunarCase{"1985-02-04 23:30", "甲子", 12, 15, "甲子年腊月十五日亥时"},
                      LunarCase{"1985-02-04 01:30", "甲子", 12, 15, "甲子年腊月十五日子时"}));

// January and early February 1921 lie in lunar year 1920 (庚申): its eleventh month began on
// 10 December 1920 (30 days), its twelfth on 9 January 1921 (30 days).
INSTANTIATE_TEST_SUITE_P(
    Early1921, LunarExamples,
    ::testing::Values(LunarCase{"1921-01-01 00:00", "庚申", 11, 23, "庚申年十一月廿三日子时"},
                      LunarCase{"1921-01-08 12:00", "庚申", 11, 30, "庚申年十一月三十日午时"},
                      LunarCase{"1921-01-09 12:00", "庚申", 12, 1, "庚申年腊月初一日午时"},
                      LunarCase{"1921-02-07 23:59", "庚申", 12, 30, "庚申年腊月三十日亥时"}));

TEST(LunarDate, DayNamesOfAThirtyDayMonth) {
    // The first month of 1921 has 30 days (bit 11 of A4B is set).
    const char* names[] = {"初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八",
                           "初九", "初十", "十一", "十二", "十三", "十四", "十五", "十六",
                           "十七", "十八", "十九", "二十", "廿一", "廿二", "廿三", "廿四",
                           "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};
    for (int day = 1; day <= 30; ++day) {
        const sys_days d = sys_days{1921y / 2 / 8} + days{day - 1};
        const year_month_day ymd{d};
        const LunarDate lunar = ComputeLunarDate(*makeBirthMoment(
            1921, static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()), 8, 0));
        EXPECT_EQ(lunar.day, day);
        EXPECT_EQ(lunar.text, std::string("辛酉年正月") + names[day - 1] + "日辰时");
    }
}

TEST(LunarDate, MonthNamesAndHourBranches) {
    // The first day of each month of lunar year 1921 (no leap month), at the hours 0, 2, ..., 22.
    const char* months[] = {"正", "二", "三", "四", "五",   "六",
                            "七", "八", "九", "十", "十一", "腊"};
    const char* branches[] = {"子", "丑", "寅", "卯", "辰", "巳",
                              "午", "未", "申", "酉", "戌", "亥"};
    sys_days first{1921y / 2 / 8};
    const std::uint32_t code = LunarYearCodes[1];
    for (int m = 1; m <= 12; ++m) {
        const year_month_day ymd{first};
        const int hour = 2 * (m - 1) + 1;  // the later hour of each branch's pair
        const LunarDate lunar = ComputeLunarDate(*makeBirthMoment(
            1921, static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()), hour, 0));
        EXPECT_EQ(lunar.text,
                  std::string("辛酉年") + months[m - 1] + "月初一日" + branches[m - 1] + "时");
        first += days{29 + static_cast<int>((code >> (12 - m)) & 1U)};
    }
}

TEST(LunarDate, CodeOf1920SpansItsLunarYear) {
    EXPECT_EQ(kFirstLunarYear, 1920);
    EXPECT_EQ(kLastLunarYear, 2100);
    EXPECT_EQ(LunarYearCodes.size(), 181u);
    // 20 February 1920 to 7 February 1921: twelve months, no leap month.
    EXPECT_LT(LunarYearCodes[0], 4095u);
    EXPECT_EQ(lunarYearLength(LunarYearCodes[0]),
              (sys_days{1921y / 2 / 8} - sys_days{1920y / 2 / 20}).count());
    const LunarDate first = ComputeLunarDate(moment("1920-02-20 12:00"));
    EXPECT_EQ(first.text, "庚申年正月初一日午时");
    EXPECT_EQ(ComputeLunarDate(moment("1920-02-19 12:00")).day, 0);
}

TEST(LunarDate, OutsideTheTableGivesNoDate) {
    EXPECT_EQ(ComputeLunarDate(moment("1900-01-01 00:00")), LunarDate{});
    EXPECT_EQ(ComputeLunarDate(moment("2101-01-29 00:00")), LunarDate{});
    // The last day of lunar year 2020, and the first of 2021.
    EXPECT_EQ(ComputeLunarDate(moment("2021-02-11 00:00")).yearName, "庚子");
    EXPECT_EQ(ComputeLunarDate(moment("2021-02-12 00:00")).text, "辛丑年正月初一日子时");
    // The last day of lunar year 2100: its twelfth month began on 31 December 2100 (29 days).
    EXPECT_EQ(ComputeLunarDate(moment("2101-01-28 23:00")).text, "庚申年腊月廿九日亥时");
}

// The walk as it stood before lunar year 1920 was added: day 1 is 8 February 1921, counted with
// the day arithmetic of the original program.
struct OldWalkResult {
    int year = 0;
    int month = 0;
    int day = 0;
};

OldWalkResult oldWalk(int y, int m, int d) {
    static constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    int t = 365 * (y - 1921) + (y - 1921) / 4 + d + kDaysBefore[m - 1] - 38;
    if (y % 4 == 0 && m > 2) {
        ++t;
    }
    for (std::size_t i = 1; i < LunarYearCodes.size(); ++i) {
        const std::uint32_t v = LunarYearCodes[i];
        const int k = v < 4095 ? 11 : 12;
        for (int n = k; n >= 0; --n) {
            const int length = 29 + static_cast<int>((v >> n) & 1U);
            if (t <= length) {
                int ordinal = k - n + 1;
                if (k == 12) {
                    const int leap = static_cast<int>(v / 65536);
                    if (ordinal == leap + 1) {
                        ordinal = leap;
                    } else if (ordinal > leap + 1) {
                        ordinal -= 1;
                    }
                }
                return {1921 + static_cast<int>(i) - 1, ordinal, t};
            }
            t -= length;
        }
    }
    return {};
}

TEST(LunarDate, EveryDateFromLunarYear1921KeepsItsResult) {
    for (sys_days d = sys_days{1921y / 2 / 8}; d <= sys_days{2021y / 2 / 11}; d += days{1}) {
        const year_month_day ymd{d};
        const int y = static_cast<int>(ymd.year());
        const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
        const int day = static_cast<int>(static_cast<unsigned>(ymd.day()));
        const OldWalkResult old = oldWalk(y, m, day);
        const LunarDate lunar = ComputeLunarDate(
            *makeBirthMoment(y, static_cast<unsigned>(m), static_cast<unsigned>(day), 12, 0));
        ASSERT_EQ(lunar.month, old.month) << y << "-" << m << "-" << day;
        ASSERT_EQ(lunar.day, old.day) << y << "-" << m << "-" << day;
        const int cycle = ((old.year - 4) % 60 + 60) % 60;
        const std::string stems = "甲乙丙丁戊己庚辛壬癸";
        const std::string branches = "子丑寅卯辰巳午未申酉戌亥";
        ASSERT_EQ(lunar.yearName, stems.substr(static_cast<std::size_t>(cycle % 10) * 3, 3) +
                                      branches.substr(static_cast<std::size_t>(cycle % 12) * 3, 3))
            << y << "-" << m << "-" << day;
    }
}

TEST(LunarDate, DaysRunOnWithoutGapsOverTheWholeRange) {
    // 1921 to 2100, calendar day by calendar day (2100 has no 29 February).
    LunarDate previous = ComputeLunarDate(moment("1921-01-01 12:00"));
    for (sys_days d = sys_days{1921y / 1 / 2}; d <= sys_days{2100y / 12 / 31}; d += days{1}) {
        const year_month_day ymd{d};
        const LunarDate lunar = ComputeLunarDate(
            *makeBirthMoment(static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                             static_cast<unsigned>(ymd.day()), 12, 0));
        if (lunar.day == 1) {
            // A new month: the previous one had 29 or 30 days; a new year starts with month 1.
            ASSERT_TRUE(previous.day == 29 || previous.day == 30) << lunar.text;
            if (lunar.yearName != previous.yearName) {
                ASSERT_EQ(lunar.month, 1) << lunar.text;
                ASSERT_EQ(previous.month, 12) << previous.text;
            } else {
                // The same number again is the leap month, else the next number.
                ASSERT_TRUE(lunar.month == previous.month || lunar.month == previous.month + 1)
                    << lunar.text;
            }
        } else {
            ASSERT_EQ(lunar.day, previous.day + 1) << lunar.text;
            ASSERT_EQ(lunar.month, previous.month) << lunar.text;
            ASSERT_EQ(lunar.yearName, previous.yearName) << lunar.text;
        }
        previous = lunar;
    }
}

}  // namespace
}  // namespace norlune
