#include "calendar_test_helpers.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace norlune::testing {

const CalendarTables& builtInTables() {
    static const CalendarTables tables = FillCalendarTables();
    return tables;
}

BirthMoment moment(std::string_view text) {
    const auto parsed = parseBirthMoment(text);
    EXPECT_TRUE(parsed.has_value()) << text;
    return parsed.value_or(BirthMoment{});
}

std::string termLayout(LocalMinutes moment) {
    using namespace std::chrono;
    const local_days day = floor<days>(moment);
    const year_month_day date{day};
    const auto minutesOfDay = (moment - day).count();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(minutesOfDay / 60), static_cast<int>(minutesOfDay % 60));
    return text;
}

std::vector<std::string> crlfLines(std::string_view text) {
    std::vector<std::string> lines;
    for (;;) {
        const std::size_t end = text.find("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            return lines;
        }
        text.remove_prefix(end + 2);
    }
}

}  // namespace norlune::testing
