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

// The period off UTC+8 in which the moment's clock reading lies, on the clock of its birthplace
// (Taiwan's, Hong Kong's or Macau's for a place there, the mainland's otherwise); nullptr when the
// moment's summer-time switch is off or the reading lies in no period.
const ClockPeriod* clockPeriod(const CalendarTables& tables, const BirthMoment& moment);

// Whether the moment's clock reading is moved to UTC+8: its switch is on and the reading lies in
// one of the periods of its clock.
bool readsAsSummerTime(const CalendarTables& tables, const BirthMoment& moment);

// The moment on standard time (UTC+8): earlier by as much as its clock ran ahead when its clock
// reading lies in a period off UTC+8, unchanged otherwise. The result's summer-time switch is off,
// so the step is never taken twice.
BirthMoment standardTime(const CalendarTables& tables, const BirthMoment& moment);

// The steps from the clock reading to true solar time.
struct SolarTimeSteps {
    LocalMinutes standard;                 // the clock reading on standard time
    std::chrono::seconds longitude{0};     // the birthplace's correction (0 without a place)
    std::chrono::seconds equation{0};      // the equation of time of the local mean time's day
    std::chrono::local_seconds trueSolar;  // standard + longitude + equation
};
SolarTimeSteps solarTimeSteps(const CalendarTables& tables, const BirthMoment& moment);

// The clock time on standard time, moved to the birthplace's meridian (without a place: the
// 120th, so no correction) and corrected to true solar time with that day's equation of time.
std::chrono::local_seconds trueSolarTime(const CalendarTables& tables, const BirthMoment& moment);

// Branch position 0..11 of the two-hour period of a time of day given in whole minutes: the
// nearest whole number of two-hour steps, halves going to the even neighbour, taken mod 12.
int hourBranch(int minutesOfDay);

// The pillars: the year changes at the February term, the month at each month-opening term, the
// day at 23:00, all on true solar time.
FourPillars ComputeFourPillars(const CalendarTables& tables, const BirthMoment& moment);

}  // namespace norlune
