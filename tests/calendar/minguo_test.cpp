// The 民國 years and their line in the BaZi report.
#include <gtest/gtest.h>

#include <string>

#include "calendar/bazi_report.h"
#include "calendar/minguo.h"
#include "calendar_test_helpers.h"

namespace norlune {
namespace {

using testing::builtInTables;
using testing::crlfLines;
using testing::moment;

TEST(MinguoYear, CountsFrom1912AndBackBeforeIt) {
    const struct {
        int year;
        const char* text;
    } rows[] = {
        {1975, "民國64年"},  {1912, "民國元年"},   {1913, "民國2年"},
        {1911, "民國前1年"}, {1901, "民國前11年"}, {1921, "民國10年"},
        {1949, "民國38年"},  {2026, "民國115年"},  {2100, "民國189年"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(minguoYearText(r.year), r.text) << r.year;
    }
    // Every year of the births gives its own number, one more each year.
    for (int year = kFirstBirthYear + 1; year <= kLastBirthYear; ++year) {
        EXPECT_EQ(minguoYearText(year), "民國" + std::to_string(year - 1911) + "年") << year;
    }
}

TEST(MinguoYear, OnlyPlacesOnTaiwansClockAreInTaiwan) {
    int taiwan = 0;
    for (const BirthPlace& place : builtInTables().places.places()) {
        EXPECT_EQ(inTaiwan(place), place.province == "台湾省") << place.city;
        taiwan += inTaiwan(place) ? 1 : 0;
    }
    EXPECT_EQ(taiwan, 22);
    EXPECT_FALSE(inTaiwan(*placeAtLongitude(121.5)));
}

TEST(MinguoYear, ReportShowsItOnlyOnRequest) {
    const CalendarTables& tables = builtInTables();
    BirthMoment taipei = moment("1975-06-01 10:00");
    taipei.place = *tables.places.find("台北市");
    taipei.summerTime = true;
    BirthMoment hongKong = taipei;
    hongKong.place = *tables.places.find("香港");
    BirthMoment noPlace = moment("1975-06-01 10:00");

    EXPECT_TRUE(showsMinguoYear(taipei, true));
    EXPECT_FALSE(showsMinguoYear(taipei, false));
    EXPECT_FALSE(showsMinguoYear(hongKong, true));
    EXPECT_FALSE(showsMinguoYear(noPlace, true));

    const std::string plain = BuildBaZiReport(tables, taipei, kSexMale).text;
    EXPECT_EQ(plain, BuildBaZiReport(tables, taipei, kSexMale, BaZiReportOptions{}).text);
    EXPECT_EQ(plain.find("民國"), std::string::npos);

    const auto lines =
        crlfLines(BuildBaZiReport(tables, taipei, kSexMale, BaZiReportOptions{true}).text);
    const auto plainLines = crlfLines(plain);
    ASSERT_EQ(lines.size(), plainLines.size() + 1);
    // After the lines of the corrections (summer time, place, true solar time), before the lunar
    // date; the date is the clock reading as given.
    EXPECT_EQ(lines[3], "公历出生时间：1975-06-01 10:00（民國64年）");
    EXPECT_TRUE(lines[4].starts_with("农历出生时间：")) << lines[4];
    for (std::size_t i = 0; i < plainLines.size(); ++i) {
        EXPECT_EQ(plainLines[i], lines[i < 3 ? i : i + 1]) << i;
    }
    // Without corrections it opens the report.
    EXPECT_EQ(crlfLines(BuildBaZiReport(tables, moment("1911-12-31 23:00"), kSexFemale,
                                        BaZiReportOptions{true})
                            .text)
                  .front(),
              "公历出生时间：1911-12-31 23:00（民國前1年）");
}

}  // namespace
}  // namespace norlune
