// Birthplaces, their longitude correction of the pillars, and China's summer time 1986 to 1991.
#include <gtest/gtest.h>

#include <chrono>
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

BirthPlace atArcSeconds(int arcSeconds) {
    BirthPlace place;
    place.longitudeArcSeconds = arcSeconds;
    return place;
}

TEST(BirthPlace, LongitudeCorrectionIsFourMinutesADegreeToTheNearestSecond) {
    const struct {
        int arcSeconds;
        long long seconds;
    } rows[] = {
        {120 * 3600, 0},
        {135 * 3600, 3600},
        {105 * 3600, -3600},
        {87 * 3600 + 36 * 60, -7776},  // 4 × (87.6 − 120) minutes = −129 min 36 s
        {104 * 3600 + 4 * 60, -3824},
        {120 * 3600 + 7, 0},  // 7″ of arc is 0.47 s of time
        {120 * 3600 + 8, 1},
        {120 * 3600 - 8, -1},
        {120 * 3600 - 7, 0},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(longitudeCorrection(atArcSeconds(r.arcSeconds)).count(), r.seconds)
            << r.arcSeconds;
    }
}

TEST(BirthPlace, LongitudeTextAndParsing) {
    EXPECT_EQ(longitudeText(87 * 3600 + 36 * 60), "87°36′");
    EXPECT_EQ(longitudeText(104 * 3600 + 4 * 60 + 12), "104°04′12″");
    EXPECT_EQ(longitudeText(120 * 3600), "120°00′");

    const struct {
        const char* text;
        int arcSeconds;  // -1: refused
    } rows[] = {
        {"104.07", 104 * 3600 + 4 * 60 + 12},
        {"87.6", 87 * 3600 + 36 * 60},
        {"120", 120 * 3600},
        {"73", 73 * 3600},
        {"136", 136 * 3600},
        {"72.99", -1},
        {"136.01", -1},
        {"-87", -1},
        {"1e2", -1},
        {"87.", -1},
        {".5", -1},
        {"", -1},
        {"东经87", -1},
        {"87.6 ", -1},
    };
    for (const auto& r : rows) {
        const auto degrees = parseLongitude(r.text);
        const auto place = degrees ? placeAtLongitude(*degrees) : std::nullopt;
        if (r.arcSeconds < 0) {
            EXPECT_FALSE(place.has_value()) << r.text;
        } else {
            ASSERT_TRUE(place.has_value()) << r.text;
            EXPECT_EQ(place->longitudeArcSeconds, r.arcSeconds) << r.text;
            EXPECT_EQ(place->name(), "") << r.text;
        }
    }
}

TEST(PlaceTable, BuiltInTableCoversEveryProvinceOnce) {
    const PlaceTable& table = builtInTables().places;
    // 333 prefecture-level divisions and 4 municipalities, Hong Kong, Macau, 9 cities and 13
    // counties of Taiwan.
    EXPECT_EQ(table.places().size(), 361u);
    EXPECT_EQ(table.provinces().size(), 34u);
    std::set<std::string> provinces;
    std::set<std::string> cities;
    std::string previous;
    for (const BirthPlace& place : table.places()) {
        if (place.province != previous) {
            EXPECT_TRUE(provinces.insert(place.province).second)
                << place.province << " is not listed in one block";
            previous = place.province;
        }
        EXPECT_TRUE(cities.insert(place.city).second) << place.city;
        EXPECT_GE(place.longitudeArcSeconds, kWestmostLongitude * 3600) << place.city;
        EXPECT_LE(place.longitudeArcSeconds, kEastmostLongitude * 3600) << place.city;
        EXPECT_EQ(table.find(place.city), &place) << place.city;
    }
    for (const std::string& province : table.provinces()) {
        EXPECT_FALSE(table.placesOf(province).empty()) << province;
    }
    EXPECT_EQ(table.placesOf("北京市").size(), 1u);
    EXPECT_EQ(table.placesOf("四川省").size(), 21u);
    EXPECT_TRUE(table.placesOf("巴黎").empty());
}

TEST(PlaceTable, FindsPlacesAndProvincesByFullAndShortNames) {
    const PlaceTable& table = builtInTables().places;
    const struct {
        const char* name;
        const char* city;  // "" when not found
        const char* longitude;
    } rows[] = {
        {"乌鲁木齐", "乌鲁木齐市", "87°36′"},
        {"乌鲁木齐市", "乌鲁木齐市", "87°36′"},
        {"成都", "成都市", "104°04′"},
        {"喀什", "喀什地区", "75°59′"},
        {"北京", "北京市", "116°24′"},
        {"香港", "香港", "114°10′"},
        {"台北", "台北市", "121°32′"},
        {"延边朝鲜族自治州", "延边朝鲜族自治州", "129°30′"},
        {"巴黎", "", ""},
        {"", "", ""},
    };
    for (const auto& r : rows) {
        const BirthPlace* place = table.find(r.name);
        if (*r.city == '\0') {
            EXPECT_EQ(place, nullptr) << r.name;
            continue;
        }
        ASSERT_NE(place, nullptr) << r.name;
        EXPECT_EQ(place->city, r.city);
        EXPECT_EQ(longitudeText(place->longitudeArcSeconds), r.longitude) << r.name;
    }
    const struct {
        const char* name;
        const char* province;
    } provinceRows[] = {
        {"四川", "四川省"},         {"四川省", "四川省"}, {"新疆", "新疆维吾尔自治区"},
        {"香港", "香港特别行政区"}, {"川", ""},           {"法国", ""}};
    for (const auto& r : provinceRows) {
        const std::string* province = table.findProvince(r.name);
        EXPECT_EQ(province ? *province : std::string(), r.province) << r.name;
    }
}

// Pillars for a place east or west of the 120th meridian are those of a clock reading moved by
// the place's correction, whenever that correction is a whole number of minutes.
TEST(BirthPlace, PillarsFollowTheClockMovedByTheLongitudeCorrection) {
    const CalendarTables& tables = builtInTables();
    const int longitudes[] = {75 * 3600, 87 * 3600 + 30 * 60, 105 * 3600, 119 * 3600 + 45 * 60,
                              135 * 3600};
    const LocalMinutes first{local_days{1921y / 3 / 1}};
    int changed = 0;
    for (int i = 0; i < 3000; ++i) {
        const LocalMinutes clock = first + minutes{i * 17333};  // about every twelve days
        for (const int arcSeconds : longitudes) {
            BirthMoment placed;
            placed.clock = clock;
            placed.place = atArcSeconds(arcSeconds);
            BirthMoment moved;
            moved.clock = clock + floor<minutes>(longitudeCorrection(*placed.place));
            const FourPillars pillars = ComputeFourPillars(tables, placed);
            ASSERT_EQ(pillars, ComputeFourPillars(tables, moved)) << testing::termLayout(clock);
            BirthMoment plain;
            plain.clock = clock;
            changed += pillars != ComputeFourPillars(tables, plain) ? 1 : 0;
            // The lunar date takes no solar-time correction.
            ASSERT_EQ(ComputeLunarDate(tables, placed), ComputeLunarDate(plain));
        }
    }
    // A correction of an hour or more changes the hour pillar about half the time.
    EXPECT_GT(changed, 3000);
}

TEST(SummerTime, SixPeriodsFromTheTimeZoneDatabase) {
    const SummerTimePeriods& summer = builtInTables().summerTime;
    ASSERT_EQ(summer.periods().size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        const year_month_day start{floor<days>(summer.periods()[i].start)};
        const year_month_day end{floor<days>(summer.periods()[i].end)};
        EXPECT_EQ(static_cast<int>(start.year()), 1986 + static_cast<int>(i));
        EXPECT_EQ(start.year(), end.year());
        EXPECT_EQ(start.month(), i == 0 ? May : April);
        EXPECT_EQ(end.month(), September);
    }
    // The hour the clocks skipped (02:00 on the first day) and the hour they showed twice (01:00
    // on the last) both read as summer time.
    const struct {
        const char* clock;
        bool summer;
    } rows[] = {
        {"1986-05-04 01:59", false}, {"1986-05-04 02:00", true},  {"1986-05-04 02:30", true},
        {"1986-09-14 01:00", true},  {"1986-09-14 01:59", true},  {"1986-09-14 02:00", false},
        {"1988-07-01 13:10", true},  {"1991-09-15 01:59", true},  {"1991-09-15 02:00", false},
        {"1985-07-01 12:00", false}, {"1992-07-01 12:00", false},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(summer.contains(moment(r.clock).clock), r.summer) << r.clock;
    }
}

TEST(SummerTime, ClockReadingInASummerIsMovedBackAnHourOnlyWhenSwitchedOn) {
    const CalendarTables& tables = builtInTables();
    BirthMoment birth = moment("1988-07-01 13:10");
    const BirthMoment standard = moment("1988-07-01 12:10");
    EXPECT_NE(ComputeFourPillars(tables, birth).hour, ComputeFourPillars(tables, standard).hour);
    birth.summerTime = true;
    EXPECT_EQ(standardTime(tables, birth).clock, standard.clock);
    EXPECT_EQ(ComputeFourPillars(tables, birth), ComputeFourPillars(tables, standard));
    EXPECT_EQ(ComputeFourPillars(tables, birth).hour, "丙午");
    // The lunar date moves too: 00:30 in summer time is 23:30 of the day before.
    BirthMoment night = moment("1988-07-01 00:30");
    night.summerTime = true;
    EXPECT_EQ(ComputeLunarDate(tables, night).text, "戊辰年五月十七日亥时");
    EXPECT_EQ(ComputeLunarDate(tables, moment("1988-07-01 00:30")).text, "戊辰年五月十八日子时");
}

TEST(BaZiReportCorrections, PlaceAndSummerTimeAddLinesOfTheirOwn) {
    const CalendarTables& tables = builtInTables();
    BirthMoment urumqi = moment("1985-02-04 09:05");
    urumqi.place = *tables.places.find("乌鲁木齐");
    const auto lines = crlfLines(BuildBaZiReport(tables, urumqi, kSexMale).text);
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[0], "出生地点经度：新疆维吾尔自治区乌鲁木齐市 东经87°36′");
    EXPECT_EQ(lines[1], "所用真太阳时：1985-02-04 06:41（经度时差-129分36秒，均时差-14分1秒）");
    EXPECT_EQ(lines[2], "农历出生时间：甲子年腊月十五日辰时(男性)");
    EXPECT_EQ(lines[3], "命主生辰八字：乙丑 戊寅 甲戌 丁卯");

    BirthMoment summer = moment("1988-07-01 13:10");
    summer.summerTime = true;
    summer.place = *placeAtLongitude(104.07);
    const auto summerLines = crlfLines(BuildBaZiReport(tables, summer, kSexFemale).text);
    ASSERT_EQ(summerLines.size(), 25u);
    EXPECT_EQ(summerLines[0],
              "夏令时间校正：1988-07-01 13:10为夏令时，按标准时间1988-07-01 12:10计算");
    EXPECT_EQ(summerLines[1], "出生地点经度：东经104°04′12″");
    EXPECT_TRUE(summerLines[2].starts_with("所用真太阳时：1988-07-01 11:")) << summerLines[2];
    EXPECT_EQ(summerLines[3], "农历出生时间：戊辰年五月十八日午时(女性)");

    // Switched off, the summer reading is standard time and the report says nothing of it.
    summer.summerTime = false;
    summer.place.reset();
    EXPECT_EQ(BuildBaZiReport(tables, summer, kSexFemale).text,
              BuildBaZiReport(tables, moment("1988-07-01 13:10"), kSexFemale).text);
    EXPECT_EQ(crlfLines(BuildBaZiReport(tables, summer, kSexFemale).text).size(), 22u);
}

}  // namespace
}  // namespace norlune
