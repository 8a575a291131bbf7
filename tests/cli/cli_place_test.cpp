// norlune-cli with a birthplace, a longitude, summer time switched off, and the list of places.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "tests/cli/cli_run.h"

namespace norlune::cli {
namespace {

using cli_test::Result;

Result runCli(const std::vector<std::string>& args) {
    return cli_test::runCliIn("", args);
}

TEST(CliPlaceTest, PlaceAndLongitudeGiveTheSameCorrectedPillars) {
    // 09:05 at 87.6° east is 06:55:24 local mean time, 06:41:23 true solar time: the 卯 hour.
    const Result plain = runCli({"pillars", "1985-02-04 09:05"});
    const Result place = runCli({"pillars", "1985-02-04 09:05", "--place", "乌鲁木齐"});
    const Result longitude = runCli({"pillars", "1985-02-04 09:05", "--longitude", "87.6"});
    EXPECT_EQ(plain.out, "乙丑 戊寅 甲戌 戊辰\n");
    EXPECT_EQ(place.out, "乙丑 戊寅 甲戌 丁卯\n");
    EXPECT_EQ(longitude.out, place.out);
    EXPECT_EQ(runCli({"pillars", "1985-02-04 06:55"}).out, place.out);
    // At 120° the place changes nothing.
    EXPECT_EQ(runCli({"pillars", "1985-02-04 09:05", "--longitude", "120"}).out, plain.out);
    // The lunar date takes no longitude correction.
    EXPECT_EQ(runCli({"lunar", "1985-02-04 09:05", "--place", "喀什"}).out,
              runCli({"lunar", "1985-02-04 09:05"}).out);
}

TEST(CliPlaceTest, SummerTimeIsOnUnlessSwitchedOff) {
    const Result summer = runCli({"bazi", "1988-07-01 13:10"});
    const Result off = runCli({"bazi", "1988-07-01 13:10", "--no-summer-time"});
    const Result standard = runCli({"bazi", "1988-07-01 12:10", "--no-summer-time"});
    ASSERT_EQ(summer.code, 0);
    EXPECT_EQ(
        summer.out,
        "夏令时间校正：1988-07-01 13:10为夏令时，按标准时间1988-07-01 12:10计算\n" + standard.out);
    EXPECT_NE(off.out, standard.out);
    EXPECT_EQ(off.out.find("夏令时"), std::string::npos);
    EXPECT_EQ(runCli({"pillars", "1988-07-01 13:10"}).out, "戊辰 戊午 丁巳 丙午\n");
    EXPECT_EQ(runCli({"pillars", "1988-07-01 13:10", "--no-summer-time"}).out,
              "戊辰 戊午 丁巳 丁未\n");
    EXPECT_EQ(runCli({"lunar", "1988-07-01 00:30"}).out, "戊辰年五月十七日亥时\n");
    // Outside the summers the switch changes nothing.
    EXPECT_EQ(runCli({"bazi", "1985-07-01 13:10"}).out,
              runCli({"bazi", "1985-07-01 13:10", "--no-summer-time"}).out);
}

TEST(CliPlaceTest, ClocksOfTaiwanAndHongKongAreReadOnTheirOwnSummerTime) {
    const struct {
        const char* clock;
        const char* place;
        const char* standard;  // the same birth on UTC+8
    } rows[] = {
        {"1975-06-01 10:00", "台北市", "1975-06-01 09:00"},
        {"1975-06-01 11:30", "台北市", "1975-06-01 10:30"},
        {"1970-07-01 10:00", "香港", "1970-07-01 09:00"},
        {"1970-07-01 11:30", "香港", "1970-07-01 10:30"},
        {"1940-05-01 11:30", "台北", "1940-05-01 10:30"},
    };
    for (const auto& r : rows) {
        for (const char* command : {"pillars", "lunar"}) {
            const Result summer = runCli({command, r.clock, "--place", r.place});
            ASSERT_EQ(summer.code, 0) << summer.err;
            EXPECT_EQ(summer.out,
                      runCli({command, r.standard, "--place", r.place, "--no-summer-time"}).out)
                << command << ' ' << r.clock << ' ' << r.place;
        }
        const Result bazi = runCli({"bazi", r.clock, "--place", r.place});
        EXPECT_NE(bazi.out.find(std::string("按") + (r.clock[2] == '4' ? "UTC+8时间" : "标准时间") +
                                r.standard + "计算\n"),
                  std::string::npos)
            << bazi.out;
    }
    // The hour back shows in the hour pillar of 11:30.
    EXPECT_EQ(runCli({"pillars", "1975-06-01 11:30", "--place", "台北市"}).out,
              "乙卯 辛巳 戊寅 丁巳\n");
    EXPECT_EQ(runCli({"pillars", "1975-06-01 11:30", "--place", "台北市", "--no-summer-time"}).out,
              "乙卯 辛巳 戊寅 戊午\n");
    // Without a place, or on the mainland, 1975 and 1970 are read as they always were.
    EXPECT_EQ(runCli({"pillars", "1975-06-01 11:30"}).out,
              runCli({"pillars", "1975-06-01 11:30", "--no-summer-time"}).out);
    EXPECT_EQ(runCli({"bazi", "1970-07-01 11:30", "--place", "广州"}).out.find("校正"),
              std::string::npos);
    // Taiwan kept no summer time in 1988, the mainland did.
    EXPECT_EQ(runCli({"pillars", "1988-07-01 13:10", "--place", "台北"}).out,
              runCli({"pillars", "1988-07-01 13:10", "--place", "台北", "--no-summer-time"}).out);
}

TEST(CliPlaceTest, BadPlacesAndLongitudesAreUsageErrors) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } rows[] = {
        {{"pillars", "1985-02-04 09:05", "--place", "巴黎"}, "未知的出生地点：巴黎"},
        {{"bazi", "1985-02-04 09:05", "--longitude", "140"}, "经度应为东经73度到136度之间的数"},
        {{"lunar", "1985-02-04 09:05", "--longitude", "72.5"}, "经度应为东经73度到136度之间的数"},
        {{"pillars", "1985-02-04 09:05", "--longitude", "abc"}, "经度应为东经73度到136度之间的数"},
        {{"pillars", "1985-02-04 09:05", "--place", "成都", "--longitude", "104"}, "只能选用一个"},
        {{"pillars", "1985-02-04 09:05", "--place"}, "缺少取值"},
        {{"places", "法国"}, "未知的省份：法国"},
        {{"places", "四川", "云南"}, "最多需要一个参数"},
        {{"pillars", "1985-02-04 09:05", "--female"}, "未知选项 --female"},
    };
    for (const auto& r : rows) {
        const Result result = runCli(r.args);
        EXPECT_EQ(result.code, kExitUsage) << r.message;
        EXPECT_TRUE(result.out.empty()) << r.message;
        EXPECT_NE(result.err.find(r.message), std::string::npos) << result.err;
    }
}

TEST(CliPlaceTest, PlacesListsTheTableByProvince) {
    const Result all = runCli({"places"});
    ASSERT_EQ(all.code, 0);
    std::istringstream lines(all.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
    }
    EXPECT_EQ(count, 361);
    const Result sichuan = runCli({"places", "四川"});
    EXPECT_EQ(sichuan.out.substr(0, sichuan.out.find('\n')), "四川省\t成都市\t东经104°04′");
    EXPECT_EQ(std::count(sichuan.out.begin(), sichuan.out.end(), '\n'), 21);
    EXPECT_EQ(runCli({"places", "四川省"}).out, sichuan.out);
}

}  // namespace
}  // namespace norlune::cli
