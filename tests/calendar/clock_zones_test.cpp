// The clocks of Taiwan, Hong Kong and Macau: their periods off UTC+8 from the time-zone database,
// the zone of each birthplace, and how a clock reading of a birth there is moved to UTC+8.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "calendar/bazi_report.h"
#include "calendar/birth_place.h"
#include "calendar/four_pillars.h"
#include "calendar/lunar_date.h"
#include "calendar_test_helpers.h"

namespace norlune {
namespace {

using namespace std::chrono;
using testing::builtInTables;
using testing::crlfLines;
using testing::moment;

BirthMoment bornIn(const char* clock, const char* city, bool summerTime = true) {
    BirthMoment birth = moment(clock);
    const BirthPlace* place = builtInTables().places.find(city);
    EXPECT_NE(place, nullptr) << city;
    if (place != nullptr) {
        birth.place = *place;
    }
    birth.summerTime = summerTime;
    return birth;
}

// Every change of offset of the three zones from 1921 to 2100, one minute before, at and after the
// change on the clock before and on the clock after it, with the UTC+8 reading Python's zoneinfo
// gives (tests/data/clock_zone_transitions.tsv, written by tools/calendar/summer_time.py).
TEST(ClockZones, EveryChangeOfOffsetReadsAsTheTimeZoneDatabaseReadsIt) {
    std::ifstream in(std::string(NORLUNE_TEST_DATA_DIR) + "/clock_zone_transitions.tsv");
    ASSERT_TRUE(in.good());
    const std::map<std::string, const char*> cityOfZone = {
        {"Asia/Taipei", "台北市"}, {"Asia/Hong_Kong", "香港"}, {"Asia/Macau", "澳门"}};
    std::map<std::string, int> rowsOfZone;
    int moved = 0;
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        ASSERT_NE(tab2, std::string::npos) << line;
        const std::string zone = line.substr(0, tab1);
        ASSERT_TRUE(cityOfZone.contains(zone)) << line;
        const BirthMoment birth =
            bornIn(line.substr(tab1 + 1, tab2 - tab1 - 1).c_str(), cityOfZone.at(zone));
        ASSERT_EQ(birth.place->zone, zone);
        const LocalMinutes expected = moment(line.substr(tab2 + 1)).clock;
        EXPECT_EQ(standardTime(builtInTables(), birth).clock, expected) << line;
        EXPECT_EQ(readsAsSummerTime(builtInTables(), birth), expected != birth.clock) << line;
        moved += expected != birth.clock ? 1 : 0;
        ++rowsOfZone[zone];
    }
    // Taiwan changed its offset 40 times, Hong Kong 68, Macau 70; six rows a change at most.
    EXPECT_EQ(rowsOfZone.size(), 3u);
    EXPECT_GE(rowsOfZone["Asia/Taipei"], 40 * 5);
    EXPECT_GE(rowsOfZone["Asia/Hong_Kong"], 68 * 5);
    EXPECT_GE(rowsOfZone["Asia/Macau"], 70 * 5);
    EXPECT_GT(moved, 400);
}

TEST(ClockZones, BuiltInPeriodsOfTheThreeZones) {
    const ClockZones& zones = builtInTables().clockZones;
    EXPECT_EQ(zones.zones(),
              (std::vector<std::string>{"Asia/Taipei", "Asia/Hong_Kong", "Asia/Macau"}));
    EXPECT_EQ(zones.find("Asia/Shanghai"), nullptr);
    EXPECT_EQ(zones.find("Europe/Paris"), nullptr);
    const SummerTimePeriods* taipei = zones.find("Asia/Taipei");
    ASSERT_NE(taipei, nullptr);
    ASSERT_EQ(taipei->periods().size(), 20u);
    // Taiwan kept UTC+9 from 1937 to 1945, a standard offset, not summer time.
    EXPECT_EQ(taipei->periods()[0],
              (ClockPeriod{moment("1937-10-01 00:00").clock, moment("1945-09-21 01:00").clock,
                           hours{1}, false}));
    EXPECT_EQ(taipei->periods()[18],
              (ClockPeriod{moment("1975-04-01 00:00").clock, moment("1975-10-01 00:00").clock,
                           hours{1}, true}));
    for (const std::string& zone : zones.zones()) {
        LocalMinutes previousEnd = LocalMinutes::min();
        for (const ClockPeriod& period : zones.find(zone)->periods()) {
            EXPECT_LT(period.start, period.end) << zone;
            EXPECT_LE(previousEnd, period.start) << zone;
            EXPECT_GT(period.ahead, minutes{0}) << zone;
            EXPECT_GE(static_cast<int>(year_month_day{floor<days>(period.start)}.year()),
                      kFirstBirthYear);
            previousEnd = period.end;
        }
    }
    // Hong Kong's winter time of 1941 ran half an hour ahead; Macau's summers of 1942 and 1943
    // two hours, on top of its UTC+9 of the war years.
    EXPECT_EQ(zones.find("Asia/Hong_Kong")->find(moment("1941-11-01 12:00").clock)->ahead,
              minutes{30});
    EXPECT_EQ(zones.find("Asia/Macau")->find(moment("1942-07-01 12:00").clock)->ahead, hours{2});
    EXPECT_FALSE(zones.find("Asia/Macau")->find(moment("1944-01-01 12:00").clock)->summer);
}

TEST(ClockZones, ReadsOnlyWellFormedLinesAheadOfUtc8) {
    const ClockZones zones = ClockZones::fromText(
        "Asia/Taipei\t1975-04-01 00:00\t1975-10-01 00:00\t+09:00\tsummer\r\n"
        "Asia/Taipei\t1976-04-01 00:00\t1976-10-01 00:00\t+08:00\tsummer\n"  // not ahead
        "Asia/Taipei\t1977-04-01 00:00\t1977-10-01 00:00\t+07:00\tstandard\n"
        "Asia/Taipei\t1978-10-01 00:00\t1978-04-01 00:00\t+09:00\tsummer\n"  // ends first
        "Asia/Taipei\t1979-04-01 00:00\t1979-10-01 00:00\t+0900\tsummer\n"
        "Asia/Taipei\t1980-04-01 00:00\t1980-10-01 00:00\t+09:00\twinter\n"
        "Asia/Taipei\t1981-04-01 00:00\t1981-10-01 00:00\t+09:00\n"
        "\t1982-04-01 00:00\t1982-10-01 00:00\t+09:00\tsummer\n"
        "Asia/Macau\t1942-04-30 23:00\t1942-11-17 23:00\t+10:00\tsummer\n"
        "Asia/Hong_Kong\t1941-10-01 04:00\t1941-12-25 00:00\t+08:30\tsummer\n");
    EXPECT_EQ(zones.zones(),
              (std::vector<std::string>{"Asia/Taipei", "Asia/Macau", "Asia/Hong_Kong"}));
    ASSERT_EQ(zones.find("Asia/Taipei")->periods().size(), 1u);
    EXPECT_EQ(zones.find("Asia/Macau")->periods()[0].ahead, hours{2});
    EXPECT_EQ(zones.find("Asia/Hong_Kong")->periods()[0].ahead, minutes{30});
    EXPECT_TRUE(ClockZones::fromText("").zones().empty());
}

TEST(ClockZones, EveryPlaceKeepsTheClockOfItsRegion) {
    const PlaceTable& places = builtInTables().places;
    std::set<std::string> taiwan;
    for (const BirthPlace& place : places.places()) {
        const std::string expected = place.province == "台湾省"           ? "Asia/Taipei"
                                     : place.province == "香港特别行政区" ? "Asia/Hong_Kong"
                                     : place.province == "澳门特别行政区" ? "Asia/Macau"
                                                                          : "Asia/Shanghai";
        EXPECT_EQ(place.zone, expected) << place.city;
        EXPECT_EQ(place.hasOwnClock(), expected != "Asia/Shanghai") << place.city;
        if (place.province == "台湾省") {
            taiwan.insert(place.city);
        }
    }
    // The six municipalities, the three cities and the thirteen counties.
    EXPECT_EQ(taiwan,
              (std::set<std::string>{"台北市", "新北市", "桃园市", "台中市", "台南市", "高雄市",
                                     "基隆市", "新竹市", "嘉义市", "新竹县", "苗栗县", "彰化县",
                                     "南投县", "云林县", "嘉义县", "屏东县", "宜兰县", "花莲县",
                                     "台东县", "澎湖县", "金门县", "连江县"}));
    // A county by its name without 县; a city of the same name keeps the short form.
    ASSERT_NE(places.find("宜兰"), nullptr);
    EXPECT_EQ(places.find("宜兰")->city, "宜兰县");
    EXPECT_EQ(places.find("新竹")->city, "新竹市");
    EXPECT_EQ(places.find("嘉义")->city, "嘉义市");
    EXPECT_EQ(places.find("澎湖")->longitudeArcSeconds, 119 * 3600 + 35 * 60);
    ASSERT_NE(places.find("澳门"), nullptr);
    EXPECT_FALSE(placeAtLongitude(121.5)->hasOwnClock());
    // A line without a zone keeps the mainland's clock.
    const PlaceTable old =
        PlaceTable::fromText("四川省\t成都市\t104\t04\n台湾省\t台北市\t121\t32\tAsia/Taipei\n");
    ASSERT_EQ(old.places().size(), 2u);
    EXPECT_EQ(old.places()[0].zone, "");
    EXPECT_FALSE(old.places()[0].hasOwnClock());
    EXPECT_TRUE(old.places()[1].hasOwnClock());
}

TEST(ClockZones, BirthsOnTheClocksOfTaiwanHongKongAndMacau) {
    const CalendarTables& tables = builtInTables();
    const struct {
        const char* clock;
        const char* city;
        const char* standard;  // the UTC+8 reading with the switch on
    } rows[] = {
        {"1975-06-01 10:00", "台北市", "1975-06-01 09:00"},  // Taiwan's summer time of 1975
        {"1975-06-01 10:00", "花莲", "1975-06-01 09:00"},
        {"1970-07-01 10:00", "香港", "1970-07-01 09:00"},  // Hong Kong's summer time of 1970
        {"1970-07-01 10:00", "澳门", "1970-07-01 09:00"},
        {"1940-05-01 10:00", "台北", "1940-05-01 09:00"},    // Taiwan on UTC+9, 1937 to 1945
        {"1942-07-01 10:00", "澳门", "1942-07-01 08:00"},    // Macau's summer of 1942, UTC+10
        {"1941-11-01 10:00", "香港", "1941-11-01 09:30"},    // Hong Kong's winter time, UTC+8:30
        {"1975-12-01 10:00", "台北市", "1975-12-01 10:00"},  // winter: UTC+8
        {"1988-07-01 13:10", "台北市", "1988-07-01 13:10"},  // the mainland's summer, not Taiwan's
        {"1988-07-01 13:10", "香港", "1988-07-01 13:10"},
        {"1988-07-01 13:10", "成都", "1988-07-01 12:10"},  // the mainland's summer
        {"1975-06-01 10:00", "成都", "1975-06-01 10:00"},
        {"2050-07-01 10:00", "台北市", "2050-07-01 10:00"},
    };
    for (const auto& r : rows) {
        const BirthMoment birth = bornIn(r.clock, r.city);
        const BirthMoment standard = bornIn(r.standard, r.city, false);
        EXPECT_EQ(standardTime(tables, birth).clock, standard.clock) << r.clock << r.city;
        EXPECT_EQ(ComputeFourPillars(tables, birth), ComputeFourPillars(tables, standard))
            << r.clock << r.city;
        EXPECT_EQ(ComputeLunarDate(tables, birth), ComputeLunarDate(tables, standard))
            << r.clock << r.city;
        // Switched off, the reading is taken as UTC+8.
        const BirthMoment off = bornIn(r.clock, r.city, false);
        EXPECT_EQ(standardTime(tables, off).clock, off.clock) << r.clock << r.city;
    }
    // The hour back changes this birth's hour pillar: 午 on the clock, 巳 an hour earlier.
    EXPECT_EQ(ComputeFourPillars(tables, bornIn("1975-06-01 11:30", "台北市")).hour, "丁巳");
    EXPECT_EQ(ComputeFourPillars(tables, bornIn("1975-06-01 11:30", "台北市", false)).hour, "戊午");
    // Without a place, 1975 and 1970 are read as they always were.
    BirthMoment noPlace = moment("1975-06-01 10:00");
    noPlace.summerTime = true;
    EXPECT_EQ(standardTime(tables, noPlace).clock, noPlace.clock);
}

TEST(ClockZones, ReportSaysHowTheClockWasRead) {
    const CalendarTables& tables = builtInTables();
    const struct {
        const char* clock;
        const char* city;
        const char* line;
    } rows[] = {
        {"1975-06-01 10:00", "台北市",
         "夏令时间校正：1975-06-01 10:00为夏令时，按标准时间1975-06-01 09:00计算"},
        {"1940-05-01 10:00", "台北市",
         "时区校正：1940-05-01 10:00为UTC+9时间，按UTC+8时间1940-05-01 09:00计算"},
        {"1942-07-01 10:00", "澳门",
         "夏令时间校正：1942-07-01 10:00为夏令时（UTC+10），按UTC+8时间1942-07-01 08:00计算"},
        {"1941-11-01 10:00", "香港",
         "夏令时间校正：1941-11-01 10:00为夏令时（UTC+8:30），按UTC+8时间1941-11-01 09:30计算"},
    };
    for (const auto& r : rows) {
        const auto lines =
            crlfLines(BuildBaZiReport(tables, bornIn(r.clock, r.city), kSexMale).text);
        ASSERT_EQ(lines.size(), 25u) << r.clock;
        EXPECT_EQ(lines[0], r.line);
        EXPECT_TRUE(lines[1].starts_with("出生地点经度：")) << lines[1];
    }
    // Switched off: only the two lines of the place.
    EXPECT_EQ(
        crlfLines(
            BuildBaZiReport(tables, bornIn("1975-06-01 10:00", "台北市", false), kSexMale).text)
            .size(),
        24u);
}

}  // namespace
}  // namespace norlune
