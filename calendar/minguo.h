#pragma once
// The years of the 民國 calendar, which Taiwan uses beside the Gregorian years: 1912 is its first
// year (民國元年), 1975 its 64th; a year before 1912 counts back (1911 is 民國前1年).
#include <string>

#include "calendar/birth_place.h"

namespace norlune {

// "民國64年" for 1975, "民國元年" for 1912, "民國前1年" for 1911, "民國前11年" for 1901.
std::string minguoYearText(int gregorianYear);

// Whether a birthplace is in Taiwan (on Taiwan's clock, Kinmen and Matsu included).
bool inTaiwan(const BirthPlace& place);

}  // namespace norlune
