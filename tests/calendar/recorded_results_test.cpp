// The pillars, the lunar date and the whole BaZi report of births from 1921 to 2019, against the
// results recorded in tests/data before the calendar tables were extended past 2019. A dense sample
// of moments (every 47 hours at shifting minutes, every month-opening term on either side of its
// minute both in true solar time and on the clock, the first and last hours of every month) keeps
// the pillars and lunar date as text and each report, for either sex, as a 64-bit FNV-1a hash;
// every 101st moment also keeps its report in full (calendar_1921_2019_reports.txt).
//
// The files were written by the disabled test WriteRecordedResults:
//   NORLUNE_RECORD_DIR=tests/data build/tests/norlune_calendar_tests
//       --gtest_filter='*WriteRecordedResults' --gtest_also_run_disabled_tests
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/bazi_report.h"
#include "calendar/four_pillars.h"
#include "calendar/lunar_date.h"
#include "calendar_test_helpers.h"

namespace norlune {
namespace {

using namespace std::chrono;
using testing::builtInTables;
using testing::termLayout;

constexpr const char* kSummaryFile = "calendar_1921_2019.tsv";
constexpr const char* kReportFile = "calendar_1921_2019_reports.txt";
constexpr std::size_t kFullReportEvery = 101;

std::string hash64(std::string_view text) {
    std::uint64_t h = 14695981039346656037ULL;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
    return out;
}

std::vector<LocalMinutes> sampleMoments() {
    const LocalMinutes first{local_days{1921y / 1 / 1}};
    const LocalMinutes last{local_days{2019y / 12 / 31} + 23h + 59min};
    const CalendarTables& tables = builtInTables();
    std::vector<LocalMinutes> moments;
    for (int i = 0;; ++i) {
        const LocalMinutes m = first + hours{47} * i + minutes{(i * 23) % 60};
        if (m > last) {
            break;
        }
        moments.push_back(m);
    }
    for (int i = 1; i <= tables.termCount(); ++i) {
        const LocalMinutes term = tables.termInstant(i);
        const year_month_day date{floor<days>(term)};
        // The clock minute at which true solar time reaches the term.
        const seconds correction = tables
                                       .equationOfTime(static_cast<unsigned>(date.month()),
                                                       static_cast<unsigned>(date.day()))
                                       .value_or(seconds{0});
        const LocalMinutes clockAtTerm = ceil<minutes>(local_seconds{term} - correction);
        for (const int step : {-1, 0, 1}) {
            moments.push_back(term + minutes{step});
            moments.push_back(clockAtTerm + minutes{step});
        }
    }
    for (year_month y = 1921y / 1; y <= 2019y / 12; y += months{1}) {
        const local_days firstDay{y / 1};
        const local_days lastDay{year_month_day_last{y.year(), month_day_last{y.month()}}};
        for (const minutes time : {0min, 59min, 22h + 59min, 23h + 0min}) {
            moments.push_back(firstDay + time);
        }
        for (const minutes time : {22h + 59min, 23h + 0min, 23h + 59min}) {
            moments.push_back(lastDay + time);
        }
    }
    std::erase_if(moments, [&](LocalMinutes m) { return m < first || m > last; });
    std::sort(moments.begin(), moments.end());
    moments.erase(std::unique(moments.begin(), moments.end()), moments.end());
    return moments;
}

struct Recorded {
    std::vector<std::string> summary;  // one line per moment
    std::string reports;               // the full reports of every kFullReportEvery-th moment
};

// The summary line of one birth as the program's defaults read it when `summerTime` is set.
std::string summaryLine(const BirthMoment& birth, std::string& male, std::string& female) {
    const CalendarTables& tables = builtInTables();
    male = BuildBaZiReport(tables, birth, kSexMale).text;
    female = BuildBaZiReport(tables, birth, kSexFemale).text;
    return termLayout(birth.clock) + '\t' + ComputeFourPillars(tables, birth).toString() + '\t' +
           ComputeLunarDate(tables, birth).text + '\t' + hash64(male) + '\t' + hash64(female);
}

Recorded recordCurrentResults() {
    Recorded out;
    const auto moments = sampleMoments();
    for (std::size_t i = 0; i < moments.size(); ++i) {
        BirthMoment birth;
        birth.clock = moments[i];
        std::string male;
        std::string female;
        out.summary.push_back(summaryLine(birth, male, female));
        if (i % kFullReportEvery == 0) {
            const bool asMale = (i / kFullReportEvery) % 2 == 0;
            std::string text = asMale ? male : female;
            for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n")) {
                text.replace(p, 2, "\n");
            }
            out.reports +=
                "# " + termLayout(birth.clock) + (asMale ? " 男" : " 女") + '\n' + text + '\n';
        }
    }
    return out;
}

std::string dataPath(const char* name) {
    return std::string(NORLUNE_TEST_DATA_DIR) + "/" + name;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(RecordedResults, SampleCoversTheRangeAndItsBoundaries) {
    const auto moments = sampleMoments();
    ASSERT_GT(moments.size(), 25000u);
    EXPECT_EQ(moments.front(), LocalMinutes{local_days{1921y / 1 / 1}});
    EXPECT_EQ(moments.back(), LocalMinutes{local_days{2019y / 12 / 31} + 23h + 59min});
    // The February term of 1985 at 05:15 is reached by true solar time at 05:30 on the clock.
    const LocalMinutes term{local_days{1985y / 2 / 4} + 5h + 15min};
    for (const minutes clock : {5h + 14min, 5h + 16min, 5h + 29min, 5h + 30min, 5h + 31min}) {
        EXPECT_TRUE(std::binary_search(moments.begin(), moments.end(),
                                       LocalMinutes{local_days{1985y / 2 / 4}} + clock))
            << clock.count();
    }
    EXPECT_TRUE(std::binary_search(moments.begin(), moments.end(), term));
}

TEST(RecordedResults, BirthsFrom1921To2019GiveTheRecordedResults) {
    const std::vector<std::string> recorded = splitLines(readFile(dataPath(kSummaryFile)));
    const Recorded current = recordCurrentResults();
    ASSERT_EQ(recorded.size(), current.summary.size()) << dataPath(kSummaryFile);
    int differences = 0;
    for (std::size_t i = 0; i < recorded.size() && differences < 20; ++i) {
        if (recorded[i] != current.summary[i]) {
            ++differences;
            ADD_FAILURE() << "recorded: " << recorded[i] << "\nnow:      " << current.summary[i];
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(readFile(dataPath(kReportFile)), current.reports)
        << "the full reports differ from " << dataPath(kReportFile);
}

// The program reads a clock time in China's summer-time periods as summer time unless told not to:
// every other recorded moment keeps its results, and one inside a period gets the results of the
// standard time an hour earlier.
TEST(RecordedResults, SummerTimeOnChangesOnlyTheSixSummers) {
    const std::vector<std::string> recorded = splitLines(readFile(dataPath(kSummaryFile)));
    const auto moments = sampleMoments();
    ASSERT_EQ(recorded.size(), moments.size());
    const CalendarTables& tables = builtInTables();
    int inSummer = 0;
    int differences = 0;
    for (std::size_t i = 0; i < moments.size() && differences < 20; ++i) {
        BirthMoment birth;
        birth.clock = moments[i];
        birth.summerTime = true;
        std::string male;
        std::string female;
        const std::string line = summaryLine(birth, male, female);
        if (!tables.summerTime.contains(moments[i])) {
            if (line != recorded[i]) {
                ++differences;
                ADD_FAILURE() << "recorded: " << recorded[i] << "\nnow:      " << line;
            }
            continue;
        }
        ++inSummer;
        BirthMoment standard;
        standard.clock = moments[i] - hours{1};
        EXPECT_EQ(ComputeFourPillars(tables, birth), ComputeFourPillars(tables, standard));
        EXPECT_EQ(ComputeLunarDate(tables, birth), ComputeLunarDate(standard));
        const std::vector<std::string> lines = testing::crlfLines(male);
        const std::vector<std::string> standardLines =
            testing::crlfLines(BuildBaZiReport(tables, standard, kSexMale).text);
        ASSERT_EQ(lines.size(), standardLines.size() + 1) << termLayout(moments[i]);
        EXPECT_TRUE(lines[0].starts_with("夏令时间校正：")) << lines[0];
        EXPECT_TRUE(std::equal(standardLines.begin(), standardLines.end(), lines.begin() + 1));
    }
    EXPECT_EQ(differences, 0);
    // Six summers of about five months, sampled every 47 hours at least.
    EXPECT_GT(inSummer, 6 * 70);
}

// Writes the two files into $NORLUNE_RECORD_DIR with the current code.
TEST(RecordedResults, DISABLED_WriteRecordedResults) {
    const char* dir = std::getenv("NORLUNE_RECORD_DIR");
    ASSERT_NE(dir, nullptr) << "set NORLUNE_RECORD_DIR";
    const Recorded current = recordCurrentResults();
    std::ofstream summary(std::string(dir) + "/" + kSummaryFile, std::ios::binary);
    for (const std::string& line : current.summary) {
        summary << line << '\n';
    }
    std::ofstream reports(std::string(dir) + "/" + kReportFile, std::ios::binary);
    reports << current.reports;
    ASSERT_TRUE(summary.good() && reports.good());
}

}  // namespace
}  // namespace norlune
