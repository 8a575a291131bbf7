#include <gtest/gtest.h>

#include <regex>
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

TEST(CliEngineTest, GridsOfWangXiaoming) {
    const Result r = runCli({"grids", "王", "小明"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "5 7 11 15 9 土金木\n");
    EXPECT_EQ(runCli({"grids", "欧阳", "明"}).out, "32 25 9 40 16 木土水\n");
}

TEST(CliEngineTest, PerCharacterLookups) {
    EXPECT_EQ(runCli({"strokes", "王伟A"}).out, "王\t4\n伟\t11\nA\t-\n");
    EXPECT_EQ(runCli({"strokes", "張陳偉東㐂"}).out, "張\t11\n陳\t16\n偉\t11\n東\t8\n㐂\t-\n");
    EXPECT_EQ(runCli({"element", "张陈"}).out, "张\t金\n陈\t金\n");
    EXPECT_EQ(runCli({"element", "張陳"}).out, "張\t金\n陳\t金\n");
    EXPECT_EQ(runCli({"element", "木A"}).out, "木\t木\nA\t-\n");
    EXPECT_EQ(runCli({"trad", "爱国王"}).out, "愛國王\n");
}

TEST(CliEngineTest, ScoreOptionsChangeTheScore) {
    const Result male = runCli({"score", "欧阳", "小明"});
    const Result female = runCli({"score", "欧阳", "小明", "--female"});
    ASSERT_EQ(male.code, 0);
    ASSERT_EQ(female.code, 0);
    EXPECT_EQ(std::stod(male.out) - std::stod(female.out), 5);  // one grid of 23
    EXPECT_EQ(male.out.back(), '\n');
    const Result need = runCli({"score", "王", "小明", "--need", "火"});
    EXPECT_EQ(need.code, 0);
}

TEST(CliEngineTest, ReportIsPrintedWithLineFeeds) {
    const Result r = runCli({"report", "王", "小明"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_NE(
        r.out.find("\n天格:5(土)\n人格:7(金)\n地格:11(木)\n总格:15(土)\n外格:9(水)\n三才:土金木\n"),
        std::string::npos);
}

TEST(CliEngineTest, BadUsageExitsWithTwoAndOneChineseLine) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"nonsense"},
        {"grids", "王"},
        {"grids", "王", "小明", "多余"},
        {"grids", "欧阳王", "明"},
        {"score", "王", ""},
        {"score", "王", "小明", "--need"},
        {"score", "王", "小明", "--need", "ab"},
        {"score", "王", "小明", "--bogus"},
        {"strokes"},
        {"strokes", "\xff\xfe"},
        {"sound", "王"},
        {"sound", "王", "小明明"},
        {"sound", "王", "\xff"},
        {"sound", "王", "小明", "--female"},
    };
    for (const auto& args : bad) {
        const Result r = runCli(args);
        EXPECT_EQ(r.code, 2) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
    const Result r = runCli({"grids", "欧阳王", "明"});
    EXPECT_EQ(r.err, "norlune-cli：姓氏须为一到两个字（用 norlune-cli --help 查看用法）\n");
}

TEST(CliEngineTest, SoundPrintsItsSixLines) {
    const struct {
        std::string surname;
        std::string given;
        std::string out;
    } cases[] = {
        {"王", "小明",
         "拼音：wáng xiǎo míng\n"
         "注音：ㄨㄤˊ ㄒㄧㄠˇ ㄇㄧㄥˊ\n"
         "声调：阳平 上声 阳平（平仄平），平仄相间，读来抑扬顿挫\n"
         "声韵：相邻两字连读顺口\n"
         "谐音：无\n"
         "用字：均为通用规范汉字\n"},
        {"杜", "子腾",
         "拼音：dù zǐ téng\n"
         "注音：ㄉㄨˋ ㄗˇ ㄊㄥˊ\n"
         "声调：去声 上声 阳平（仄仄平），平仄尚可\n"
         "声韵：相邻两字连读顺口\n"
         "谐音：“杜子腾”与“肚子疼”音近\n"
         "用字：均为通用规范汉字\n"},
        {"单", "雄",
         "拼音：shàn xióng\n"
         "注音：ㄕㄢˋ ㄒㄩㄥˊ\n"
         "声调：去声 阳平（仄平），平仄相间，读来抑扬顿挫\n"
         "声韵：相邻两字连读顺口\n"
         "谐音：无\n"
         "用字：均为通用规范汉字\n"},
    };
    for (const auto& c : cases) {
        const Result r = runCli({"sound", c.surname, c.given});
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.out, c.out) << c.surname << c.given;
    }
}

TEST(CliEngineTest, HelpGoesToStandardOutput) {
    const Result r = runCli({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("用法"), std::string::npos);
}

TEST(CliEngineTest, VersionIsTheProgramNameAndANumberedRelease) {
    const Result r = runCli({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.empty());
    EXPECT_TRUE(std::regex_match(r.out, std::regex("norlune-cli [0-9]+\\.[0-9]+(\\.[0-9]+)?\n")))
        << r.out;
    // The usage names it.
    EXPECT_NE(runCli({"--help"}).out.find("--version"), std::string::npos);
}

}  // namespace
}  // namespace norlune::cli
