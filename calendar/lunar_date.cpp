#include "calendar/lunar_date.h"

#include <chrono>
#include <string_view>

#include "calendar/stem_branch.h"

namespace norlune {

// The code of 1920 comes from the new moons (tools/calendar/lunar_codes.py); 1921 to 2020 as the
// program has always had them.
const std::array<std::uint32_t, 101> LunarYearCodes = {
    0x49B,  // 1920
    0xA4B,   0x5164B, 0x6A5,   0x6D4,   0x415B5,
    0x2B6,   0x957,   0x2092F, 0x497,   0x60C96,  // 1921
    0xD4A,   0xEA5,   0x50DA9, 0x5AD,   0x2B6,
    0x3126E, 0x92E,   0x7192D, 0xC95,   0xD4A,  // 1931
    0x61B4A, 0xB55,   0x56A,   0x4155B, 0x25D,
    0x92D,   0x2192B, 0xA95,   0x71695, 0x6CA,  // 1941
    0xB55,   0x50AB5, 0x4DA,   0xA5B,   0x30A57,
    0x52B,   0x8152A, 0xE95,   0x6AA,   0x615AA,  // 1951
    0xAB5,   0x4B6,   0x414AE, 0xA57,   0x526,
    0x31D26, 0xD95,   0x70B55, 0x56A,   0x96D,  // 1961
    0x5095D, 0x4AD,   0xA4D,   0x41A4D, 0xD25,
    0x81AA5, 0xB54,   0xB6A,   0x612DA, 0x95B,  // 1971
    0x49B,   0x41497, 0xA4B,   0xA164B, 0x6A5,
    0x6D4,   0x615B4, 0xAB6,   0x957,   0x5092F,  // 1981
    0x497,   0x64B,   0x30D4A, 0xEA5,   0x80D65,
    0x5AC,   0xAB6,   0x5126D, 0x92E,   0xC96,  // 1991
    0x41A95, 0xD4A,   0xDA5,   0x20B55, 0x56A,
    0x7155B, 0x25D,   0x92D,   0x5192B, 0xA95,  // 2001
    0xB4A,   0x416AA, 0xAD5,   0x90AB5, 0x4BA,
    0xA5B,   0x60A57, 0x52B,   0xA93,   0x40E95,  // 2011
};

namespace {

using namespace std::chrono;

constexpr std::uint32_t kTwelveMonthLimit = 4095;
// The first day of lunar year 1921; the day numbers of the table's later years count from here.
constexpr sys_days kFirstDayOf1921{year{1921} / February / 8};

constexpr std::array<std::string_view, 13> kMonthNames = {
    "", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "腊"};

int highestMonthBit(std::uint32_t code) {
    return code < kTwelveMonthLimit ? 11 : 12;
}

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
    int length = 0;
    for (int bit = highestMonthBit(code); bit >= 0; --bit) {
        length += 29 + static_cast<int>((code >> bit) & 1U);
    }
    return length;
}

LunarDate ComputeLunarDate(const BirthMoment& moment) {
    // Day 1 is the first day of the table's first year.
    long long t = (sys_days{moment.date()} - kFirstDayOf1921).count() + 1 +
                  lunarYearLength(LunarYearCodes[0]);
    LunarDate result;
    if (t < 1) {
        return result;
    }
    for (std::size_t m = 0; m < LunarYearCodes.size(); ++m) {
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
                          std::string(kBranches[static_cast<std::size_t>(moment.hour() / 2)]) +
                          "时";
            return result;
        }
    }
    return result;
}

}  // namespace norlune
