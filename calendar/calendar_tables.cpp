#include "calendar/calendar_tables.h"

#include <algorithm>
#include <charconv>

#include "calendar/stem_branch.h"
#include "embedded/equation_of_time_txt.h"
#include "embedded/solar_terms_txt.h"

namespace norlune {
namespace {

using namespace std::chrono;

// Lines of an embedded text, after an empty slot 0; a final LF does not open another line, a CR
// before LF is dropped.
std::vector<std::string> slotsFromLines(std::string_view text) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 2);
    out.emplace_back();
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        out.emplace_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return out;
}

// Whole text as a non-negative decimal number of at most `maxDigits` digits.
std::optional<int> digits(std::string_view text, std::size_t maxDigits = 4) {
    if (text.empty() || text.size() > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<seconds> parseEquationEntry(std::string_view entry, unsigned& month, unsigned& day) {
    std::array<std::string_view, 5> fields;
    std::size_t count = 0;
    for (;;) {
        const std::size_t colon = entry.find(':');
        if (count == fields.size()) {
            return std::nullopt;
        }
        fields[count++] = entry.substr(0, colon);
        if (colon == std::string_view::npos) {
            break;
        }
        entry.remove_prefix(colon + 1);
    }
    // month:day:minutes:seconds, then either nothing or the empty field after a closing colon.
    if (count < 4 || (count == 5 && !fields[4].empty())) {
        return std::nullopt;
    }
    std::string_view minutesText = fields[2];
    if (minutesText.empty() || (minutesText[0] != '+' && minutesText[0] != '-')) {
        return std::nullopt;
    }
    const bool negative = minutesText[0] == '-';
    minutesText.remove_prefix(1);
    // A lookup joins the month without leading zero and the two-digit day, so only entries written
    // that way can ever be found.
    if (fields[0].starts_with('0') || fields[1].size() != 2) {
        return std::nullopt;
    }
    const auto m = digits(fields[0], 2);
    const auto d = digits(fields[1], 2);
    const auto mins = digits(minutesText, 2);
    const auto secs = digits(fields[3], 2);
    if (!m || !d || !mins || !secs) {
        return std::nullopt;
    }
    month = static_cast<unsigned>(*m);
    day = static_cast<unsigned>(*d);
    const int signedMinutes = negative ? -*mins : *mins;
    return seconds(signedMinutes < 0 ? 60 * signedMinutes - *secs : 60 * signedMinutes + *secs);
}

std::optional<LocalMinutes> parseTermInstant(std::string_view entry) {
    if (entry.size() != 10 && entry.size() != 16) {
        return std::nullopt;
    }
    if (entry[4] != '-' || entry[7] != '-') {
        return std::nullopt;
    }
    // Fixed positions of plain decimal digits: the fill parses every entry at start-up.
    const auto field = [entry](std::size_t at, std::size_t width) {
        int value = 0;
        for (std::size_t i = at; i < at + width; ++i) {
            if (entry[i] < '0' || entry[i] > '9') {
                return -1;
            }
            value = value * 10 + (entry[i] - '0');
        }
        return value;
    };
    const int y = field(0, 4);
    const int m = field(5, 2);
    const int d = field(8, 2);
    if (y < 0 || m < 0 || d < 0) {
        return std::nullopt;
    }
    const year_month_day date{year{y}, month{static_cast<unsigned>(m)},
                              day{static_cast<unsigned>(d)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    LocalMinutes instant{local_days{date}};
    if (entry.size() == 16) {
        if (entry[10] != ' ' || entry[13] != ':') {
            return std::nullopt;
        }
        const int h = field(11, 2);
        const int n = field(14, 2);
        if (h < 0 || n < 0 || h > 23 || n > 59) {
            return std::nullopt;
        }
        instant += hours{h} + minutes{n};
    }
    return instant;
}

std::optional<seconds> CalendarTables::equationOfTime(unsigned month, unsigned day) const {
    const auto it = equationByDay_.find(month * 100 + day);
    if (it == equationByDay_.end()) {
        return std::nullopt;
    }
    return it->second;
}

int CalendarTables::februaryTermIndex(int year) const {
    const auto it = februaryByYear_.find(year);
    return it == februaryByYear_.end() ? 0 : it->second;
}

int CalendarTables::firstTermAfter(LocalMinutes moment) const {
    // The instants increase strictly (the data's tests hold them to it), so the first later entry
    // of a scan from index 1 is the upper bound.
    const auto it = std::upper_bound(termInstants_.begin() + 1, termInstants_.end(), moment);
    return it == termInstants_.end() ? termCount() : static_cast<int>(it - termInstants_.begin());
}

int CalendarTables::firstTermAfterDate(year_month_day date) const {
    // An entry's date is later than the date exactly when the entry is at or after the next
    // midnight.
    const LocalMinutes nextMidnight{local_days{date} + days{1}};
    const auto it = std::lower_bound(termInstants_.begin() + 1, termInstants_.end(), nextMidnight);
    return it == termInstants_.end() ? termCount() : static_cast<int>(it - termInstants_.begin());
}

int CalendarTables::jiaziPosition(std::string_view name) const {
    const auto it = jiaziByName_.find(std::string(name));
    return it == jiaziByName_.end() ? 0 : it->second;
}

void CalendarTables::buildIndexes() {
    // First entry wins, as a scan from index 1 would find it.
    equationByDay_.reserve(EquationOfTimeTable.size());
    for (std::size_t i = 1; i < EquationOfTimeTable.size(); ++i) {
        unsigned month = 0;
        unsigned day = 0;
        if (const auto correction = parseEquationEntry(EquationOfTimeTable[i], month, day)) {
            equationByDay_.try_emplace(month * 100 + day, *correction);
        }
    }
    termInstants_.assign(SolarTermTable.size(), LocalMinutes{});
    februaryByYear_.reserve(SolarTermTable.size() / 12 + 1);
    for (std::size_t i = 1; i < SolarTermTable.size(); ++i) {
        const std::string& entry = SolarTermTable[i];
        termInstants_[i] = parseTermInstant(entry).value_or(LocalMinutes{});
        if (entry.size() >= 7 && entry.compare(4, 3, "-02") == 0) {
            if (const auto y = digits(std::string_view(entry).substr(0, 4))) {
                februaryByYear_.try_emplace(*y, static_cast<int>(i));
            }
        }
    }
    jiaziByName_.reserve(60);
    for (int n = 1; n <= 60; ++n) {
        jiaziByName_.try_emplace(JiaziTable[static_cast<std::size_t>(n)], n);
    }
}

CalendarTables CalendarTables::fromTexts(std::string_view equationOfTime,
                                         std::string_view solarTerms) {
    CalendarTables tables;
    tables.EquationOfTimeTable = slotsFromLines(equationOfTime);
    tables.SolarTermTable = slotsFromLines(solarTerms);
    for (int n = 1; n <= 60; ++n) {
        tables.JiaziTable[static_cast<std::size_t>(n)] = stemBranchName(n - 1, n - 1);
    }
    tables.weights = builtInWeightTables();
    tables.buildIndexes();
    return tables;
}

CalendarTables FillCalendarTables() {
    CalendarTables tables =
        CalendarTables::fromTexts(embedded::kEquationOfTimeTxt, embedded::kSolarTermsTxt);
    tables.summerTime = builtInSummerTime();
    tables.clockZones = builtInClockZones();
    tables.places = FillPlaceTable();
    return tables;
}

}  // namespace norlune
