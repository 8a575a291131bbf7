#pragma once
// The calendar reference tables: the equation of time of every calendar day, the instants of the
// month-opening solar terms, the sixty stem-branch names and the element-strength weights. They
// are filled once by FillCalendarTables and only read afterwards.
#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "calendar/birth_place.h"

namespace norlune {

using LocalMinutes = std::chrono::local_time<std::chrono::minutes>;

struct WeightTables {
    // StemWeightTable[month-branch ordinal 1..12 (子 = 1)][stem ordinal 1..10]; index 0 is empty.
    std::array<std::array<float, 11>, 13> StemWeightTable{};
    // HiddenStemWeightTable[branch ordinal 1..12][month number 1..12 (寅 = 1)][slot 1..3]; slots a
    // branch does not have hold 0.
    std::array<std::array<std::array<float, 4>, 13>, 13> HiddenStemWeightTable{};
};

class CalendarTables {
public:
    // Every table is indexed from 1; slot 0 exists and stays empty.
    // 366 entries "month:dd:±minutes:seconds:" (the last one without the closing colon).
    std::vector<std::string> EquationOfTimeTable;
    // One instant "YYYY-MM-DD HH:MM" (UTC+8) per Gregorian month from January 1901, twelve a year.
    std::vector<std::string> SolarTermTable;
    // 1 = 甲子 ... 60 = 癸亥.
    std::array<std::string, 61> JiaziTable;
    WeightTables weights;
    // China's summer-time periods, the clocks of Taiwan, Hong Kong and Macau, and the birthplaces
    // (empty unless filled from the built-in data).
    SummerTimePeriods summerTime;
    ClockZones clockZones;
    PlaceTable places;

    // The equation of time of a calendar day as the correction that turns clock time into true
    // solar time, from the first entry whose month and day match; nothing when no entry does.
    std::optional<std::chrono::seconds> equationOfTime(unsigned month, unsigned day) const;

    // Index of the first entry that starts with the year followed by "-02"; 0 when there is none.
    int februaryTermIndex(int year) const;
    // Index of the first entry later than the moment (seconds ignored); an entry in the very
    // minute of the moment is not later. When no entry is later, the last index.
    int firstTermAfter(LocalMinutes moment) const;
    // Index of the first entry whose date is later than the date; the last index when none is.
    int firstTermAfterDate(std::chrono::year_month_day date) const;
    // The instant of entry i (a date-only entry stands for 00:00 of its day).
    LocalMinutes termInstant(int index) const { return termInstants_[static_cast<size_t>(index)]; }
    int termCount() const { return static_cast<int>(SolarTermTable.size()) - 1; }

    // Position 1..60 of a stem-branch name in JiaziTable; 0 when it is not there.
    int jiaziPosition(std::string_view name) const;

    // Tables from the two stored texts (one entry per line), with the built-in stem-branch names
    // and weights.
    static CalendarTables fromTexts(std::string_view equationOfTime, std::string_view solarTerms);

private:
    void buildIndexes();

    std::unordered_map<unsigned, std::chrono::seconds> equationByDay_;  // month * 100 + day
    std::unordered_map<int, int> februaryByYear_;
    std::vector<LocalMinutes> termInstants_;
    std::unordered_map<std::string, int> jiaziByName_;
};

// Fills the tables from the built-in data. Nothing is read from disk.
CalendarTables FillCalendarTables();

// Parses an entry of SolarTermTable, "YYYY-MM-DD HH:MM" or the date alone (then 00:00); nothing for
// any other text.
std::optional<LocalMinutes> parseTermInstant(std::string_view entry);

// The correction in seconds of one EquationOfTimeTable entry: 60 m - s for negative minutes m and
// 60 m + s otherwise; nothing when the entry is not of that form.
std::optional<std::chrono::seconds> parseEquationEntry(std::string_view entry, unsigned& month,
                                                       unsigned& day);

// The built-in weight tables.
WeightTables builtInWeightTables();

}  // namespace norlune
