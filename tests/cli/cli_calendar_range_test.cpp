// The birth years the calendar commands accept, 1921 to 2100, at both ends and just outside.
#include <gtest/gtest.h>

#include <algorithm>
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

int countLines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(CliCalendarRange, MomentsOutsideTheYearsAreRefusedWithTheRange) {
    for (const char* command : {"pillars", "lunar", "bazi"}) {
        for (const char* moment : {"1920-12-31 23:59", "2101-01-01 00:00", "2150-06-01 12:00"}) {
            const Result r = runCli({command, moment});
            EXPECT_EQ(r.code, kExitUsage) << command << " " << moment;
            EXPECT_EQ(r.out, "") << command << " " << moment;
            EXPECT_NE(r.err.find("出生时间限1921年到2100年之间"), std::string::npos) << r.err;
            EXPECT_EQ(countLines(r.err), 1) << r.err;
        }
    }
    // 2100 is no leap year: its 29 February is no date at all.
    const Result leap = runCli({"pillars", "2100-02-29 12:00"});
    EXPECT_EQ(leap.code, kExitUsage);
    EXPECT_EQ(leap.err.find("2100年"), std::string::npos) << leap.err;
}

TEST(CliCalendarRange, BirthsOfTodayAndOfTheRangeEndsGetTheirCharts) {
    struct Case {
        const char* moment;
        const char* pillars;
        const char* lunar;
    };
    const Case cases[] = {
        {"1921-01-01 00:00", "庚申 戊子 甲子 甲子", "庚申年十一月廿三日子时"},
        {"2026-03-01 08:00", "丙午 庚寅 甲戌 戊辰", "丙午年正月十三日辰时"},
        {"2100-03-01 12:00", "庚申 戊寅 壬寅 丙午", "庚申年正月廿一日午时"},
        {"2100-12-31 23:59", "庚申 戊子 戊申 壬子", "庚申年腊月初一日亥时"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runCli({"pillars", c.moment}).out, std::string(c.pillars) + "\n") << c.moment;
        EXPECT_EQ(runCli({"lunar", c.moment}).out, std::string(c.lunar) + "\n") << c.moment;
        for (const bool female : {false, true}) {
            std::vector<std::string> args = {"bazi", c.moment};
            if (female) {
                args.push_back("--female");
            }
            const Result r = runCli(args);
            EXPECT_EQ(r.code, kExitOk) << c.moment;
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(countLines(r.out), 22) << r.out;
            EXPECT_TRUE(r.out.starts_with("农历出生时间：" + std::string(c.lunar) +
                                          (female ? "(女性)\n" : "(男性)\n") + "命主生辰八字：" +
                                          c.pillars + "\n"))
                << r.out;
            EXPECT_NE(r.out.find("\n  +9  "), std::string::npos) << r.out;
        }
    }
}

}  // namespace
}  // namespace norlune::cli
