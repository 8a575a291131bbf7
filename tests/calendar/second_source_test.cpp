// Births from 2020 to 2100 against pillars and lunar dates computed from a second, independent
// astronomical source (tools/calendar/crosscheck.py --write-sample: ERFA's Sun and Moon, its own
// delta T). The sample leaves out the minutes around each solar term where the two sources may
// part by their rounding; every other birth must agree to the character.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/four_pillars.h"
#include "calendar/lunar_date.h"
#include "calendar_test_helpers.h"

namespace norlune {
namespace {

using testing::builtInTables;
using testing::moment;

struct SampleRow {
    std::string clock;
    std::string pillars;
    std::string lunar;
};

std::vector<SampleRow> readSample() {
    std::ifstream in(std::string(NORLUNE_TEST_DATA_DIR) + "/calendar_2020_2100_second_source.tsv");
    std::vector<SampleRow> rows;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        SampleRow row;
        std::getline(fields, row.clock, '\t');
        std::getline(fields, row.pillars, '\t');
        std::getline(fields, row.lunar, '\t');
        rows.push_back(row);
    }
    return rows;
}

TEST(SecondSource, BirthsFrom2020To2100AgreeWithIt) {
    const std::vector<SampleRow> rows = readSample();
    ASSERT_GT(rows.size(), 2000u);
    EXPECT_EQ(rows.front().clock.substr(0, 4), "2020");
    EXPECT_EQ(rows.back().clock, "2100-12-31 23:59");
    int differences = 0;
    for (const SampleRow& row : rows) {
        const BirthMoment birth = moment(row.clock);
        const std::string pillars = ComputeFourPillars(builtInTables(), birth).toString();
        const std::string lunar = ComputeLunarDate(birth).text;
        if (pillars != row.pillars || lunar != row.lunar) {
            ADD_FAILURE() << row.clock << ": " << pillars << " " << lunar << ", second source "
                          << row.pillars << " " << row.lunar;
            if (++differences == 20) {
                break;
            }
        }
    }
}

}  // namespace
}  // namespace norlune
