#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/cli/cli_run.h"

namespace norlune::cli {
namespace {

using cli_test::Result;

class CliFamilyTest : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("norlune-cli-family-" + std::to_string(::getpid()));
    void SetUp() override {
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "M.dat", std::ios::binary)
            << "7\r\n明轩\r\n铭轩\r\n思远\r\n思齐\r\n浩然\r\n浩宇\r\nx\r\n";
        std::ofstream(dir / "F.dat", std::ios::binary) << "3\r\n思雨\r\n雨桐\r\n明月\r\n";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    Result run(const std::vector<std::string>& args) {
        return cli_test::runCliIn(dir.string(), args);
    }
};

TEST_F(CliFamilyTest, AvoidLeavesOutTheCharactersAndWithSoundTheirSyllables) {
    const Result plain = run({"search", "--surname", "王", "--avoid", "明"});
    ASSERT_EQ(plain.code, 0) << plain.err;
    EXPECT_EQ(plain.out.find("明"), std::string::npos);
    EXPECT_NE(plain.out.find("王铭轩"), std::string::npos);
    EXPECT_NE(plain.err.find("已避开 1 个"), std::string::npos);
    const Result sound = run({"search", "--surname", "王", "--avoid", "明", "--avoid-sound"});
    ASSERT_EQ(sound.code, 0) << sound.err;
    EXPECT_EQ(sound.out.find("铭"), std::string::npos);
    EXPECT_NE(sound.err.find("已避开 2 个"), std::string::npos);
}

TEST_F(CliFamilyTest, TwinsListPairsWithBothScores) {
    const Result first = run({"twins", "--surname", "王", "--share", "first"});
    ASSERT_EQ(first.code, 0) << first.err;
    std::istringstream lines(first.out);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        std::istringstream fields(line);
        std::string a, sa, b, sb;
        fields >> a >> sa >> b >> sb;
        // Both full names begin with 王 and share their first given-name character.
        EXPECT_EQ(a.substr(0, 3), "王");
        EXPECT_EQ(a.substr(3, 3), b.substr(3, 3)) << line;
        EXPECT_GE(std::stod(sa), 70);
        EXPECT_GE(std::stod(sb), 70);
    }
    EXPECT_GE(count, 1);
    const Result mixed = run({"twins", "--surname", "王", "--mixed", "--share", "first"});
    ASSERT_EQ(mixed.code, 0) << mixed.err;
    // Only 思 begins a name in both lists: a boy's 思远 or 思齐 with the girl's 思雨.
    EXPECT_NE(mixed.out.find("王思雨"), std::string::npos);
    EXPECT_EQ(mixed.out.find("王思远  ") == std::string::npos &&
                  mixed.out.find("王思齐  ") == std::string::npos,
              false);
}

TEST_F(CliFamilyTest, BadUsage) {
    const std::vector<std::vector<std::string>> bad = {
        {"search", "--surname", "王", "--avoid", "ab"},
        {"search", "--surname", "王", "--avoid", "一二三四五六七八九十一二三四五六七八九十一"},
        {"search", "--surname", "王", "--avoid-sound"},
        {"twins"},
        {"twins", "--surname", "王", "--share", "middle"},
        {"twins", "--surname", "王", "--female", "--mixed"},
        {"twins", "--surname", "王", "--top", "0"},
        {"twins", "--surname", "1"},
    };
    for (const auto& args : bad) {
        const Result r = run(args);
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace
}  // namespace norlune::cli
