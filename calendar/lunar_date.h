#pragma once
// The Chinese lunar date of a birth moment, from the clock date and hour (no solar-time
// correction).
#include <array>
#include <cstdint>
#include <string>

#include "calendar/birth_moment.h"
#include "calendar/calendar_tables.h"

namespace norlune {

struct LunarDate {
    std::string yearName;  // stem and branch of the lunar year
    int month = 0;         // 1..12; a leap month has the number of the month it follows
    int day = 0;           // 1..30
    std::string text;      // "甲子年腊月十五日巳时"

    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

// One code per lunar year from kFirstLunarYear. A code below 4095 is a year of 12 months, bit 11
// down to bit 0 giving months 1 to 12 (set: 30 days, clear: 29). Otherwise the year has 13 months:
// bits 12 down to 0 give them in order, and code >> 16 is the month that the leap month follows.
inline constexpr int kFirstLunarYear = 1920;
inline constexpr int kLastLunarYear = 2100;
inline constexpr std::size_t kLunarYearCount = kLastLunarYear - kFirstLunarYear + 1;
extern const std::array<std::uint32_t, kLunarYearCount> LunarYearCodes;

// Days of one lunar year of the table.
int lunarYearLength(std::uint32_t code);

// The lunar date, counted from the first day of lunar year 1920 (20 February 1920). A date outside
// the table (before that day or after the last day of lunar year 2100) gives month 0, day 0 and
// empty texts.
LunarDate ComputeLunarDate(const BirthMoment& moment);

// The lunar date of the moment's clock reading on standard time (a summer-time reading is moved
// back one hour first). The birthplace plays no part: the lunar date takes no solar-time
// correction.
LunarDate ComputeLunarDate(const CalendarTables& tables, const BirthMoment& moment);

}  // namespace norlune
