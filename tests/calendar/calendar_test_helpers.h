#pragma once
// Shared pieces of the calendar tests.
#include <string>
#include <string_view>
#include <vector>

#include "calendar/birth_moment.h"
#include "calendar/calendar_tables.h"

namespace norlune::testing {

// The built-in tables, filled once for the whole test program.
const CalendarTables& builtInTables();

// A valid birth moment from "YYYY-MM-DD HH:MM"; fails the current test for anything else.
BirthMoment moment(std::string_view text);

// A moment written in the solar-term layout, "YYYY-MM-DD HH:MM".
std::string termLayout(LocalMinutes moment);

// The lines of a CR LF text (no line end after the last line).
std::vector<std::string> crlfLines(std::string_view text);

}  // namespace norlune::testing
