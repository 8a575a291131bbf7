#pragma once
// The BaZi report of a birth moment: lunar date, four pillars and their elements, the element
// balance and the favourable elements, eight ten-year luck pillars and the grid of yearly pillars.
#include <string>

#include "calendar/birth_moment.h"
#include "calendar/calendar_tables.h"

namespace norlune {

// Sex codes as the report takes them.
inline constexpr int kSexFemale = 0;
inline constexpr int kSexMale = 1;

struct BaZiReport {
    // 22 lines joined by CR LF, none after the last; before them one line when the clock reading
    // was summer time and two (place and longitude, true solar time) when a place is chosen.
    std::string text;
    std::string favourable;  // the favourable elements, e.g. "土火"
    int startAge = 0;        // age at which the first luck pillar starts
    bool forward = true;     // whether the luck pillars run forward through the cycle
};

// sexCode is kSexMale or kSexFemale. The luck pillars run forward for a male born in a year of a
// yang stem and for a female born in a year of a yin stem, backward otherwise.
BaZiReport BuildBaZiReport(const CalendarTables& tables, const BirthMoment& moment, int sexCode);

}  // namespace norlune
