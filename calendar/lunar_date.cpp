#include "calendar/lunar_date.h"

#include <algorithm>
#include <chrono>
#include <string_view>

#include "calendar/four_pillars.h"
#include "calendar/stem_branch.h"

namespace norlune {

constexpr std::array<std::uint32_t, kLunarYearCount> LunarYearCodes = {
#include "calendar/lunar_year_codes.inc"
};

namespace {

using namespace std::chrono;

constexpr std::uint32_t kTwelveMonthLimit = 4095;
// The first day of lunar year 1921; the day numbers of the table's later years count from here.
constexpr sys_days kFirstDayOf1921{year{1921} / February / 8};

constexpr int highestMonthBit(std::uint32_t code) {
    return code < kTwelveMonthLimit ? 11 : 12;
}

constexpr int yearLength(std::uint32_t code) {
    int length = 0;
    for (int bit = highestMonthBit(code); bit >= 0; --bit) {
        length += 29 + static_cast<int>((code >> bit) & 1U);
    }
    return length;
}

// Day number (1 = the first day of lunar year 1920) of the first day of each year of the table,
// and one past the last day at the end: a date finds its year by a binary search.
constexpr std::array<long long, kLunarYearCount + 1> kYearStarts = [] {
    std::array<long long, kLunarYearCount + 1> starts{};
    starts[0] = 1;
    for (std::size_t m = 0; m < kLunarYearCount; ++m) {
        starts[m + 1] = starts[m] + yearLength(LunarYearCodes[m]);
    }
    return starts;
}();

constexpr std::array<std::string_view, 13> kMonthNames = {
    "", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "腊"};

std::string dayName(int day) {
    static constexpr std::array<std::string_view, 10> kDigits = {"",   "一", "二", "三", "四",
                                                                 "五", "六", "七", "八", "九"};
    const auto unit = kDigits[static_cast<std::size_t>(day % 10)];
    if (day <= 10) {
        return day == 10 ? "初十" : "初" + std::string(unit);
    }
    if (day < 20) {
        return "十" + std::string(unit);
    }
    if (day == 20) {
        return "二十";
    }
    if (day < 30) {
        return "廿" + std::string(unit);
    }
    return "三十";
}

}  // namespace

int lunarYearLength(std::uint32_t code) {
    return yearLength(code);
}

LunarDate ComputeLunarDate(const BirthMoment& moment) {
    // Day 1 is the first day of the table's first year.
    long long t = (sys_days{moment.date()} - kFirstDayOf1921).count() + 1 +
                  lunarYearLength(LunarYearCodes[0]);
    LunarDate result;
    if (t < kYearStarts.front() || t >= kYearStarts.back()) {
        return result;
    }
    const auto next = std::upper_bound(kYearStarts.begin(), kYearStarts.end(), t);
    const auto m = static_cast<std::size_t>(next - kYearStarts.begin() - 1);
    t -= kYearStarts[m] - 1;
    const std::uint32_t code = LunarYearCodes[m];
    const int top = highestMonthBit(code);
    for (int bit = top; bit >= 0; --bit) {
        const int length = 29 + static_cast<int>((code >> bit) & 1U);
        if (t > length) {
            t -= length;
            continue;
        }
        const int lunarYear = kFirstLunarYear + static_cast<int>(m);
        const int ordinal = top - bit + 1;
        int number = ordinal;
        if (top == 12) {
            // The leap month takes the number of the month it follows.
            const int leapAfter = static_cast<int>(code >> 16);
            if (ordinal > leapAfter) {
                number = ordinal - 1;
            }
        }
        result.yearName = stemBranchName(lunarYear - 4, lunarYear - 4);
        result.month = number;
        result.day = static_cast<int>(t);
        result.text = result.yearName + "年" +
                      std::string(kMonthNames[static_cast<std::size_t>(number)]) + "月" +
                      dayName(result.day) + "日" +
                      std::string(kBranches[static_cast<std::size_t>(moment.hour() / 2)]) + "时";
        return result;
    }
    return result;
}

LunarDate ComputeLunarDate(const CalendarTables& tables, const BirthMoment& moment) {
    return ComputeLunarDate(standardTime(tables, moment));
}

}  // namespace norlune
