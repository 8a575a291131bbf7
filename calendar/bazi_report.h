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

// What the report adds on request; by default nothing, so that it is what it always was.
struct BaZiReportOptions {
    // A line with the Gregorian date and time of birth and the 民國 year beside the year, before
    // the lunar date: "公历出生时间：1975-06-01 10:00（民國64年）". Meant for readers in Taiwan
    // (see showsMinguoYear).
    bool minguoYear = false;
};

// Whether the report shows the 民國 year: with a traditional-character interface for a birth in
// Taiwan.
bool showsMinguoYear(const BirthMoment& moment, bool traditionalInterface);

struct BaZiReport {
    // 22 lines joined by CR LF, none after the last; before them one line when the clock reading
    // was summer time or on another offset than UTC+8, two (place and longitude, true solar time)
    // when a place is chosen, and the line of the Gregorian date with its 民國 year on request.
    std::string text;
    std::string favourable;  // the favourable elements, e.g. "土火"
    int startAge = 0;        // age at which the first luck pillar starts
    bool forward = true;     // whether the luck pillars run forward through the cycle
};

// sexCode is kSexMale or kSexFemale. The luck pillars run forward for a male born in a year of a
// yang stem and for a female born in a year of a yin stem, backward otherwise.
BaZiReport BuildBaZiReport(const CalendarTables& tables, const BirthMoment& moment, int sexCode,
                           const BaZiReportOptions& options = {});

}  // namespace norlune
