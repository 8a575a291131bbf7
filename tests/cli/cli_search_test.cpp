#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/cli.h"
#include "sound/sound_tables.h"
#include "tests/cli/cli_run.h"

namespace norlune::cli {
namespace {

using cli_test::Result;

Result runCli(const std::vector<std::string>& args, const std::string& exeDir = "/nonexistent") {
    return cli_test::runCliIn(exeDir, args);
}

class CliSearchTest : public ::testing::Test {
protected:
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("norlune-cli-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
};

TEST_F(CliSearchTest, DirectCaseReadsNoFile) {
    const Result r = runCli({"search", "--surname", "王", "--left", "小", "--right", "明"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "王小明\n");
    const Result one = runCli({"search", "--surname", "王", "--left", "明", "--length", "1"});
    EXPECT_EQ(one.out, "王明\n");
}

TEST_F(CliSearchTest, SearchesTheFileOfTheChosenSexBesideTheProgram) {
    // The same names in both files, so only the female rule tells them apart.
    write("M.dat", "3\r\n明\r\n小明\r\n\r\n");
    write("F.dat", "1\r\n明\r\n");
    const Result male = runCli({"search", "--surname", "王", "--scores"}, dir.string());
    ASSERT_EQ(male.code, 0) << male.err;
    // The end message speaks of the command line, not of a list to click.
    EXPECT_NE(male.err.find("测算完成。"), std::string::npos);
    EXPECT_NE(male.err.find("norlune-cli report"), std::string::npos);
    EXPECT_EQ(male.err.find("点击"), std::string::npos);
    const Result female = runCli({"search", "--surname", "王", "--female"}, dir.string());
    ASSERT_EQ(female.code, 0);
    // 王明 scores the same for both or 5 less for a girl; whatever is listed comes from its file.
    EXPECT_EQ(female.out.find("王小明"), std::string::npos);
    for (const std::string& line : {male.out}) {
        std::istringstream lines(line);
        std::string entry;
        while (std::getline(lines, entry)) {
            const auto tab = entry.find('\t');
            ASSERT_NE(tab, std::string::npos);
            EXPECT_GE(std::stoi(entry.substr(tab + 1)), 70);
        }
    }
}

TEST_F(CliSearchTest, MissingFileIsAFileError) {
    const Result r = runCli({"search", "--surname", "王"}, dir.string());
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("找不到候选名字文件："), std::string::npos);
    const Result c =
        runCli({"search", "--surname", "王", "--candidates", (dir / "x.dat").string()});
    EXPECT_EQ(c.code, 1);
}

// A candidate file shorter than a pointer: its names are read, not the bytes of a dead frame.
TEST_F(CliSearchTest, ShortUtf8FileIsReadIntact) {
    write("s.dat", "1\n家健\n栩\n明华\n");
    const Result r =
        runCli({"search", "--surname", "张", "--candidates", (dir / "s.dat").string(), "--scores"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "张家健\t94.2\n张栩\t94.1\n");
    EXPECT_EQ(r.err, "测算完成。要查看某个名字的详细理数，请运行 norlune-cli report 姓 名。\n");
}

TEST_F(CliSearchTest, UnusableCandidatePathsAreFileErrors) {
    write("ctl.dat", "3\r\n家健\r\n\x1B[2J栩\r\n栩\t\r\n");
    const Result ctl =
        runCli({"search", "--surname", "张", "--candidates", (dir / "ctl.dat").string()});
    EXPECT_EQ(ctl.code, 0);
    EXPECT_EQ(ctl.out, "张家健\n");
    EXPECT_EQ(ctl.err,
              "测算完成。要查看某个名字的详细理数，请运行 norlune-cli report 姓 名。"
              "（已跳过 2 行含控制字符或过长的候选名字）\n");
    for (const std::string& path : {dir.string(), std::string("/dev/zero")}) {
        const Result r = runCli({"search", "--surname", "张", "--candidates", path});
        EXPECT_EQ(r.code, 1) << path;
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("不是普通文件"), std::string::npos) << r.err;
    }
}

TEST_F(CliSearchTest, BadUsage) {
    const std::vector<std::vector<std::string>> bad = {
        {"search"},
        {"search", "--surname", "欧阳王"},
        {"search", "--surname", "王", "--left", "小明"},
        {"search", "--surname", "王", "--top", "0"},
        {"search", "--surname", "王", "--top", "10001"},
        {"search", "--surname", "王", "--top", "1e3"},
        {"search", "--surname", "王", "--length", "3"},
        {"search", "--surname", "王", "--need", "木X"},
        {"search", "--surname", "王", "extra"},
    };
    for (const auto& args : bad) {
        const Result r = runCli(args);
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
}

// Searches over the shipped candidate files, recorded with an earlier build: the output and the
// messages of clean files stay the same byte for byte whatever the reading of files becomes.
TEST(CliShippedSearchTest, OutputOverTheShippedFilesIsUnchanged) {
    std::ifstream in(std::string(NORLUNE_SOURCE_DIR) + "/tests/cli/data/shipped_search.txt",
                     std::ios::binary);
    ASSERT_TRUE(in.good());
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    std::vector<Case> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("## ", 0) == 0) {
            Case c{{"search"}, ""};
            std::istringstream words(line.substr(3));
            std::string word;
            while (words >> word) {
                c.args.push_back(word);
            }
            cases.push_back(c);
        } else {
            ASSERT_FALSE(cases.empty());
            cases.back().expected += line + "\n";
        }
    }
    ASSERT_EQ(cases.size(), 7u);
    for (const Case& c : cases) {
        const Result r = runCli(c.args, std::string(NORLUNE_SOURCE_DIR) + "/data");
        std::string actual = "status " + std::to_string(r.code) + "\n";
        for (const auto& [prefix, text] : {std::pair{"out ", &r.out}, std::pair{"err ", &r.err}}) {
            std::istringstream lines(*text);
            while (std::getline(lines, line)) {
                actual += prefix + line + "\n";
            }
        }
        EXPECT_TRUE(actual == c.expected) << c.args[2] << " " << c.args.size();
    }
}

// What a parent sees first: the best-scored thirty of the shipped files for the commonest
// surnames, with a varied ending, hold no well-known person's full name (陈妍希 once stood in the
// girls' list of 陈), and no two-character given name of them ends in a character more than twice.
TEST(CliShippedSearchTest, TopThirtyOfTheCommonestSurnamesHoldNoFamousName) {
    const std::string data = std::string(NORLUNE_SOURCE_DIR) + "/data";
    const SoundTables tables = SoundTables::builtIn();
    ASSERT_TRUE(tables.isFamous("王菲"));
    std::string line;
    for (const std::string sex : {"", "--female"}) {
        for (const char* surname : {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周"}) {
            std::vector<std::string> args = {"search",    "--surname", surname, "--sort", "score",
                                             "--variety", "2",         "--top", "30"};
            if (!sex.empty()) {
                args.push_back(sex);
            }
            const Result r = runCli(args, data);
            ASSERT_EQ(r.code, 0) << surname << sex << r.err;
            std::istringstream names(r.out);
            std::map<std::string, int> endings;
            int count = 0;
            while (std::getline(names, line)) {
                ++count;
                EXPECT_FALSE(tables.isFamous(line)) << line;
                // the second character of a two-character given name (each Han character
                // here takes three bytes; the one-character names share a group of their own)
                if (line.size() == 9) {
                    EXPECT_LE(++endings[line.substr(6)], 2) << surname << sex << " " << line;
                }
            }
            EXPECT_EQ(count, 30) << surname << sex;
        }
    }
}

}  // namespace
}  // namespace norlune::cli
