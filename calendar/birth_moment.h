#pragma once
// A birth moment: the Gregorian date and the clock time (UTC+8) to the minute, with where the
// clock was read.
#include <chrono>
#include <optional>
#include <string_view>

#include "calendar/birth_place.h"

namespace norlune {

struct BirthMoment {
    std::chrono::local_time<std::chrono::minutes> clock;
    // Where the birth took place; none: on the clock's meridian, 120° east, as the clock time is.
    std::optional<BirthPlace> place = std::nullopt;
    // Whether a clock reading inside one of China's summer-time periods (1986 to 1991) is summer
    // time, one hour ahead of standard time; for a birthplace in Taiwan, Hong Kong or Macau,
    // whether a reading inside one of its clock's periods off UTC+8 (summer time, Taiwan's UTC+9 of
    // 1937 to 1945 …) is moved to UTC+8. Off: the clock reading is UTC+8.
    bool summerTime = false;

    std::chrono::year_month_day date() const {
        return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(clock)};
    }
    int hour() const { return static_cast<int>(timeOfDay().count() / 60); }
    int minute() const { return static_cast<int>(timeOfDay().count() % 60); }

    friend bool operator==(const BirthMoment&, const BirthMoment&) = default;

private:
    std::chrono::minutes timeOfDay() const {
        return clock - std::chrono::floor<std::chrono::days>(clock);
    }
};

// The years a birth moment may have: the tables cover them with a margin on either side (the solar
// terms run from 1901 to 2101, the lunar years from 1920 to 2100).
inline constexpr int kFirstBirthYear = 1921;
inline constexpr int kLastBirthYear = 2100;
// What the dialog and the command line say to a moment outside those years.
inline constexpr const char* kBirthYearRangeMessage = "出生时间限1921年到2100年之间";

// A valid date and time (hour 0 to 23, minute 0 to 59) of any year; nothing otherwise.
std::optional<BirthMoment> makeBirthMoment(int year, unsigned month, unsigned day, int hour,
                                           int minute);

// Reads "YYYY-MM-DD HH:MM" (month, day and hour may have one digit); nothing for any other text
// or an impossible date or time.
std::optional<BirthMoment> parseBirthMoment(std::string_view text);

bool inBirthYears(const BirthMoment& moment);

}  // namespace norlune
