#include "calendar/calendar_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <set>
#include <string>

#include "calendar_test_helpers.h"

namespace norlune {
namespace {

using namespace std::chrono;
using testing::builtInTables;
using testing::termLayout;

// --- The stored equation of time --------------------------------------------------------------

// month, day, minutes text and seconds text of an entry (closing colon optional).
struct EquationFields {
    std::string month, day, minutes, seconds;
    bool closed = false;
};

EquationFields fieldsOf(const std::string& entry) {
    EquationFields f;
    std::string rest = entry;
    f.closed = !rest.empty() && rest.back() == ':';
    if (f.closed) {
        rest.pop_back();
    }
    std::string* parts[] = {&f.month, &f.day, &f.minutes, &f.seconds};
    std::size_t part = 0;
    for (char c : rest) {
        if (c == ':') {
            ++part;
            EXPECT_LT(part, 4u) << entry;
            if (part >= 4) {
                return f;
            }
        } else {
            parts[part]->push_back(c);
        }
    }
    EXPECT_EQ(part, 3u) << entry;
    return f;
}

bool plainNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isdigit(c) != 0;
    }) && (text.size() == 1 || text[0] != '0');
}

TEST(EquationOfTimeTable, HoldsEveryCalendarDayOnceInStoredOrder) {
    const auto& table = builtInTables().EquationOfTimeTable;
    ASSERT_EQ(table.size(), 367u);
    EXPECT_TRUE(table[0].empty());

    // 1-22 January, 1 May to 31 December, 23 January to 30 April, in a leap year's calendar.
    std::vector<std::pair<unsigned, unsigned>> expected;
    auto add = [&](year_month_day from, year_month_day to) {
        for (sys_days d{from}; d <= sys_days{to}; d += days{1}) {
            const year_month_day ymd{d};
            expected.emplace_back(static_cast<unsigned>(ymd.month()),
                                  static_cast<unsigned>(ymd.day()));
        }
    };
    add(2000y / 1 / 1, 2000y / 1 / 22);
    add(2000y / 5 / 1, 2000y / 12 / 31);
    add(2000y / 1 / 23, 2000y / 4 / 30);
    ASSERT_EQ(expected.size(), 366u);

    for (std::size_t i = 1; i <= 366; ++i) {
        const EquationFields f = fieldsOf(table[i]);
        EXPECT_EQ(f.month, std::to_string(expected[i - 1].first)) << "index " << i;
        EXPECT_EQ(f.day.size(), 2u) << "index " << i;
        EXPECT_EQ(f.day,
                  (expected[i - 1].second < 10 ? "0" : "") + std::to_string(expected[i - 1].second))
            << "index " << i;
        // Only the last entry lacks its closing colon.
        EXPECT_EQ(f.closed, i != 366) << "index " << i;
    }
}

TEST(EquationOfTimeTable, KeepsTheSampleRows) {
    const auto& table = builtInTables().EquationOfTimeTable;
    const std::pair<int, const char*> rows[] = {
        {1, "1:01:-3:9:"},    {22, "1:22:-11:22:"}, {23, "5:01:+1:10:"}, {244, "12:08:+8:3:"},
        {267, "12:31:-3:3:"}, {305, "2:29:-12:8:"}, {366, "4:30:+3:4"}};
    for (const auto& [index, entry] : rows) {
        EXPECT_EQ(table[static_cast<std::size_t>(index)], entry) << "index " << index;
    }
}

TEST(EquationOfTimeTable, ValuesFollowTheStoredFormAndRange) {
    const auto& table = builtInTables().EquationOfTimeTable;
    const std::set<std::string> sixtySeconds = {"10:09:+12:60:", "11:17:+14:60:"};
    const std::set<std::string> quotedZeroMinutes = {"6:13:+0:39:", "12:25:+0:7:", "4:15:+0:27:"};
    int lowest = 0;
    int highest = 0;
    std::string lowestEntry;
    std::string highestEntry;
    std::size_t zeroMinuteEntries = 0;
    for (std::size_t i = 1; i < table.size(); ++i) {
        const EquationFields f = fieldsOf(table[i]);
        ASSERT_FALSE(f.minutes.empty()) << table[i];
        const char sign = f.minutes[0];
        const std::string digits = f.minutes.substr(1);
        EXPECT_TRUE(sign == '+' || sign == '-') << table[i];
        EXPECT_TRUE(plainNumber(digits)) << table[i];
        EXPECT_TRUE(plainNumber(f.seconds)) << table[i];
        const int minutes = std::stoi(digits);
        const int seconds = std::stoi(f.seconds);
        EXPECT_LE(minutes, 16) << table[i];
        if (minutes == 0) {
            // Under a minute the sign is always "+", whichever side of zero the day lies.
            EXPECT_EQ(sign, '+') << table[i];
            ++zeroMinuteEntries;
        }
        EXPECT_LE(seconds, 60) << table[i];
        EXPECT_EQ(seconds == 60, sixtySeconds.count(table[i]) == 1) << table[i];
        const int value = (sign == '-' ? -1 : 1) * (minutes * 60 + seconds);
        if (value < lowest) {
            lowest = value;
            lowestEntry = table[i];
        }
        if (value > highest) {
            highest = value;
            highestEntry = table[i];
        }
    }
    EXPECT_EQ(lowest, -(14 * 60 + 15));
    EXPECT_EQ(highest, 16 * 60 + 25);
    // The extremes are reached first at their quoted days (ties on neighbouring days are allowed).
    EXPECT_EQ(builtInTables().equationOfTime(2, 10), seconds(-(14 * 60 + 15)));
    EXPECT_EQ(builtInTables().equationOfTime(11, 3), seconds(16 * 60 + 25));
    for (const std::string& entry : quotedZeroMinutes) {
        EXPECT_NE(std::find(table.begin(), table.end(), entry), table.end()) << entry;
    }
    // The curve crosses zero four times a year, each time for several days.
    EXPECT_GE(zeroMinuteEntries, 12u);
}

struct EquationCase {
    unsigned month;
    unsigned day;
    int seconds;
};

class EquationLookup : public ::testing::TestWithParam<EquationCase> {};

TEST_P(EquationLookup, FindsTheDayByMonthAndTwoDigitDay) {
    const EquationCase& c = GetParam();
    EXPECT_EQ(builtInTables().equationOfTime(c.month, c.day), seconds(c.seconds))
        << c.month << "-" << c.day;
}

INSTANTIATE_TEST_SUITE_P(
    QuotedDays, EquationLookup,
    ::testing::Values(EquationCase{2, 29, -(12 * 60 + 8)},  // 29 February
                      EquationCase{4, 30, 3 * 60 + 4},      // the entry without closing colon
                      EquationCase{1, 10, -(7 * 60 + 10)},  // key 110, not 1101 (1 November)
                      EquationCase{11, 1, 16 * 60 + 24},    //
                      EquationCase{1, 1, -(3 * 60 + 9)},    // -3 min 9 s is -189 s
                      EquationCase{6, 13, 39},              // "+0:39" adds 39 s
                      EquationCase{10, 9, 13 * 60},         // 12 min 60 s is 13 min
                      EquationCase{11, 17, 15 * 60},        //
                      EquationCase{10, 1, 10 * 60 + 59},    // 1949-10-01 is T 15:10:59
                      EquationCase{2, 4, -(14 * 60 + 1)},   // 1985 and 2015 立春 examples
                      EquationCase{9, 1, 60}));             // 1990-09-01 examples

TEST(EquationLookup, DaysThatDoNotExistFindNothing) {
    EXPECT_FALSE(builtInTables().equationOfTime(2, 30).has_value());
    EXPECT_FALSE(builtInTables().equationOfTime(13, 1).has_value());
    EXPECT_FALSE(builtInTables().equationOfTime(0, 0).has_value());
}

TEST(EquationEntry, ParsesTheStoredFormOnly) {
    unsigned month = 0;
    unsigned day = 0;
    EXPECT_EQ(parseEquationEntry("1:01:-3:9:", month, day), seconds(-189));
    EXPECT_EQ(month, 1u);
    EXPECT_EQ(day, 1u);
    EXPECT_EQ(parseEquationEntry("4:30:+3:4", month, day), seconds(184));
    EXPECT_EQ(parseEquationEntry("12:25:+0:7:", month, day), seconds(7));
    // A one-digit day or a zero-padded month could never match a lookup's joined key.
    EXPECT_FALSE(parseEquationEntry("1:1:-3:9:", month, day).has_value());
    EXPECT_FALSE(parseEquationEntry("01:01:-3:9:", month, day).has_value());
    EXPECT_FALSE(parseEquationEntry("1:01:3:9:", month, day).has_value());
    EXPECT_FALSE(parseEquationEntry("1:01:-3:9:x", month, day).has_value());
    EXPECT_FALSE(parseEquationEntry("1:01:-3", month, day).has_value());
    EXPECT_FALSE(parseEquationEntry("", month, day).has_value());
}

TEST(EquationLookup, FirstEntryOfADayWins) {
    const CalendarTables tables =
        CalendarTables::fromTexts("3:05:+1:2:\n3:05:-9:9:\n1:1:+5:5:\n", "1901-01-06 00:00\n");
    EXPECT_EQ(tables.equationOfTime(3, 5), seconds(62));
    // The one-digit day never matches.
    EXPECT_FALSE(tables.equationOfTime(1, 1).has_value());
}

// --- The stored solar terms -------------------------------------------------------------------

TEST(SolarTermTable, TwelveFullInstantsAYearFrom1901Through2101) {
    const CalendarTables& tables = builtInTables();
    const auto& table = tables.SolarTermTable;
    ASSERT_EQ(table.size(), 1 + 201u * 12);
    EXPECT_TRUE(table[0].empty());
    for (std::size_t i = 1; i < table.size(); ++i) {
        const std::string& entry = table[i];
        // Every year, 2011 to 2019 included, carries the time of day.
        ASSERT_EQ(entry.size(), 16u) << "index " << i;
        ASSERT_TRUE(parseTermInstant(entry).has_value()) << entry;
        EXPECT_EQ(termLayout(*parseTermInstant(entry)), entry);
        const int year = 1901 + static_cast<int>(i - 1) / 12;
        const int month = static_cast<int>(i - 1) % 12 + 1;
        EXPECT_EQ(std::stoi(entry.substr(0, 4)), year) << entry;
        EXPECT_EQ(std::stoi(entry.substr(5, 2)), month) << entry;
        const int day = std::stoi(entry.substr(8, 2));
        EXPECT_GE(day, 3) << entry;
        EXPECT_LE(day, 9) << entry;
        if (i > 1) {
            EXPECT_LT(table[i - 1], entry) << "index " << i;
        }
    }
}

TEST(SolarTermTable, KeepsTheSampleRowsAndDates) {
    const auto& table = builtInTables().SolarTermTable;
    const std::pair<int, const char*> rows[] = {
        {1, "1901-01-06 00:00"},   {2, "1901-02-04 20:46"},    {12, "1901-12-08 03:42"},
        {242, "1921-02-04 16:21"}, {1010, "1985-02-04 05:15"}, {1320, "2010-12-07 13:41"}};
    for (const auto& [index, entry] : rows) {
        EXPECT_EQ(table[static_cast<std::size_t>(index)], entry) << "index " << index;
    }
    // Terms known by their date alone keep that date.
    const std::pair<int, const char*> dates[] = {{998, "1984-02-04"},  {999, "1984-03-05"},
                                                 {1321, "2011-01-06"}, {1332, "2011-12-07"},
                                                 {1370, "2015-02-04"}, {1428, "2019-12-07"}};
    for (const auto& [index, date] : dates) {
        EXPECT_EQ(table[static_cast<std::size_t>(index)].substr(0, 10), date) << "index " << index;
    }
}

TEST(SolarTermLookup, FebruaryTermOfAYear) {
    const CalendarTables& tables = builtInTables();
    EXPECT_EQ(tables.SolarTermTable[static_cast<std::size_t>(tables.februaryTermIndex(1921))],
              "1921-02-04 16:21");
    const std::string& term2015 =
        tables.SolarTermTable[static_cast<std::size_t>(tables.februaryTermIndex(2015))];
    EXPECT_EQ(term2015.substr(0, 10), "2015-02-04");
    // Stored with its moment now, late in the morning of that day.
    EXPECT_GT(term2015, "2015-02-04 06:00");
    EXPECT_EQ(tables.februaryTermIndex(1900), 0);
    EXPECT_EQ(tables.SolarTermTable[static_cast<std::size_t>(tables.februaryTermIndex(2101))],
              "2101-02-04 08:39");
    EXPECT_EQ(tables.februaryTermIndex(2102), 0);
}

// The lookups are indexed, but must answer exactly like a scan from index 1 over the texts.
int scanFirstGreater(const std::vector<std::string>& table, const std::string& text) {
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (table[i] > text) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(table.size()) - 1;
}

int scanFirstLaterDate(const std::vector<std::string>& table, const std::string& date) {
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (table[i].substr(0, 10) > date) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(table.size()) - 1;
}

void expectLookupsMatchScans(const CalendarTables& tables) {
    const auto& table = tables.SolarTermTable;
    for (std::size_t i = 1; i < table.size(); ++i) {
        const LocalMinutes term = *parseTermInstant(table[i]);
        for (const minutes offset : {minutes(-1), minutes(0), minutes(1), minutes(-1440),
                                     minutes(1439), minutes(9 * 1440 + 7)}) {
            const LocalMinutes probe = term + offset;
            EXPECT_EQ(tables.firstTermAfter(probe), scanFirstGreater(table, termLayout(probe)))
                << termLayout(probe);
            const year_month_day date{floor<days>(probe)};
            EXPECT_EQ(tables.firstTermAfterDate(date),
                      scanFirstLaterDate(table, termLayout(probe).substr(0, 10)))
                << termLayout(probe);
        }
    }
}

TEST(SolarTermLookup, IndexedLookupsAnswerLikeTextScans) {
    expectLookupsMatchScans(builtInTables());
}

TEST(SolarTermLookup, DateOnlyEntriesCompareAsMidnight) {
    // A date alone is smaller, as text, than every moment of its day written in full.
    const CalendarTables tables = CalendarTables::fromTexts(
        "1:01:-3:9:\n", "2011-01-06\n2011-02-04\n2011-03-06 11:30\n2011-04-05\n");
    EXPECT_EQ(*parseTermInstant("2011-02-04"), LocalMinutes{local_days{2011y / 2 / 4}});
    EXPECT_LT(std::string("2011-02-04"), "2011-02-04 00:00");
    expectLookupsMatchScans(tables);
    EXPECT_EQ(tables.firstTermAfter(LocalMinutes{local_days{2011y / 2 / 4}}), 3);
    EXPECT_EQ(tables.februaryTermIndex(2011), 2);
}

TEST(SolarTermLookup, MomentsAfterTheLastEntryEndOnIt) {
    const CalendarTables& tables = builtInTables();
    const int last = tables.termCount();
    EXPECT_EQ(tables.firstTermAfter(LocalMinutes{local_days{2110y / 1 / 1}}), last);
    EXPECT_EQ(tables.firstTermAfterDate(2110y / 1 / 1), last);
    // Births late in December 2019 find the first term of 2020.
    EXPECT_EQ(tables.firstTermAfter(LocalMinutes{local_days{2019y / 12 / 31} + 23h + 59min}), 1429);
    EXPECT_EQ(tables.firstTermAfterDate(2019y / 12 / 7), 1429);
    // The last births of the range find the first term of 2101, and a whole year of terms lies
    // beyond them.
    const int january2101 = (2101 - 1901) * 12 + 1;
    EXPECT_EQ(tables.SolarTermTable[static_cast<std::size_t>(january2101)], "2101-01-05 21:06");
    EXPECT_EQ(tables.firstTermAfter(LocalMinutes{local_days{2100y / 12 / 31} + 23h + 59min}),
              january2101);
    EXPECT_EQ(tables.firstTermAfterDate(2100y / 12 / 31), january2101);
    EXPECT_EQ(last, january2101 + 11);
}

TEST(SolarTermInstant, RejectsOtherTexts) {
    EXPECT_FALSE(parseTermInstant("2011-02-30").has_value());
    EXPECT_FALSE(parseTermInstant("2011-02-04 24:00").has_value());
    EXPECT_FALSE(parseTermInstant("2011-02-04T10:00").has_value());
    EXPECT_FALSE(parseTermInstant("2011/02/04").has_value());
    EXPECT_FALSE(parseTermInstant("").has_value());
}

// --- The sixty stem-branch names --------------------------------------------------------------

TEST(JiaziTable, SixtyDistinctNamesInCycleOrder) {
    const CalendarTables& tables = builtInTables();
    EXPECT_TRUE(tables.JiaziTable[0].empty());
    EXPECT_EQ(tables.JiaziTable[1], "甲子");
    EXPECT_EQ(tables.JiaziTable[2], "乙丑");
    EXPECT_EQ(tables.JiaziTable[11], "甲戌");
    EXPECT_EQ(tables.JiaziTable[60], "癸亥");
    std::set<std::string> names(tables.JiaziTable.begin() + 1, tables.JiaziTable.end());
    EXPECT_EQ(names.size(), 60u);
    for (int n = 1; n <= 60; ++n) {
        EXPECT_EQ(tables.jiaziPosition(tables.JiaziTable[static_cast<std::size_t>(n)]), n);
    }
    // Stem and branch of different parity never pair up.
    EXPECT_EQ(tables.jiaziPosition("甲丑"), 0);
    EXPECT_EQ(tables.jiaziPosition(""), 0);
}

}  // namespace
}  // namespace norlune
