#pragma once
// The four pillars (year, month, day, hour) of a birth moment, each a stem followed by a branch.
#include <chrono>
#include <string>

#include "calendar/birth_moment.h"
#include "calendar/calendar_tables.h"

namespace norlune {

struct FourPillars {
    std::string year;
    std::string month;
    std::string day;
    std::string hour;

    // "己丑 癸酉 甲子 壬申"
    std::string toString() const { return year + ' ' + month + ' ' + day + ' ' + hour; }
    friend bool operator==(const FourPillars&, const FourPillars&) = default;
};

// The clock time corrected to true solar time with the day's equation of time (the birthplace is
// taken on the 120th meridian, so there is no longitude correction).
std::chrono::local_seconds trueSolarTime(const CalendarTables& tables, const BirthMoment& moment);

// Branch position 0..11 of the two-hour period of a time of day given in whole minutes: the
// nearest whole number of two-hour steps, halves going to the even neighbour, taken mod 12.
int hourBranch(int minutesOfDay);

// The pillars: the year changes at the February term, the month at each month-opening term, the
// day at 23:00, all on true solar time.
FourPillars ComputeFourPillars(const CalendarTables& tables, const BirthMoment& moment);

}  // namespace norlune
