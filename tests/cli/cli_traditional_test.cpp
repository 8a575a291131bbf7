// Names typed in traditional characters judge as the simplified names; names with a character
// that has no stroke count are refused, and skipped by the search.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cli_run.h"

namespace norlune::cli {
namespace {

using cli_test::Result;

Result runCli(const std::vector<std::string>& args) {
    return cli_test::runCliIn("", args);
}

// Each command typed in traditional or mixed characters prints what it prints for the
// simplified name. The report and the sound section show the name as it was typed, so for them
// the figures are compared with the name's characters taken out.
TEST(CliTraditionalTest, TraditionalNamesJudgeAsSimplifiedNames) {
    struct Row {
        std::vector<std::string> typed;
        std::vector<std::string> simplified;
    };
    const Row rows[] = {
        {{"grids", "張", "偉"}, {"grids", "张", "伟"}},
        {{"grids", "張", "伟"}, {"grids", "张", "伟"}},
        {{"score", "陳", "志明"}, {"score", "陈", "志明"}},
        {{"score", "劉", "德華", "--female"}, {"score", "刘", "德华", "--female"}},
        {{"score", "黃", "曉明", "--need", "金水"}, {"score", "黄", "晓明", "--need", "金水"}},
        {{"grids", "歐陽", "峯"}, {"grids", "欧阳", "峰"}},
        {{"grids", "溫", "東"}, {"grids", "温", "东"}},
        {{"element", "張陳偉東劉"}, {"element", "张陈伟东刘"}},
    };
    for (const Row& r : rows) {
        const Result typed = runCli(r.typed);
        const Result plain = runCli(r.simplified);
        EXPECT_EQ(typed.code, 0) << r.typed[1] << typed.err;
        if (r.typed[0] == "element") {
            // Each line starts with the character as typed.
            ASSERT_EQ(std::count(typed.out.begin(), typed.out.end(), '\n'), 5);
            for (std::size_t a = 0, b = 0; a < typed.out.size() && b < plain.out.size();) {
                a = typed.out.find('\t', a);
                b = plain.out.find('\t', b);
                ASSERT_NE(a, std::string::npos);
                const std::size_t ea = typed.out.find('\n', a);
                const std::size_t eb = plain.out.find('\n', b);
                EXPECT_EQ(typed.out.substr(a, ea - a), plain.out.substr(b, eb - b));
                a = ea + 1;
                b = eb + 1;
            }
            continue;
        }
        EXPECT_EQ(typed.out, plain.out) << r.typed[0] << " " << r.typed[1] << r.typed[2];
    }
    EXPECT_EQ(runCli({"grids", "張", "偉"}).out, "12 22 12 22 2 木木木\n");
    EXPECT_EQ(runCli({"score", "陳", "志明"}).out, "87.1\n");
    // The report of 張偉 has the figures of 张伟 and shows the name as typed.
    const Result report = runCli({"report", "張", "偉"});
    ASSERT_EQ(report.code, 0);
    EXPECT_NE(report.out.find("張偉(繁体:張偉)"), std::string::npos) << report.out;
    EXPECT_NE(report.out.find("人格:22(木)"), std::string::npos) << report.out;
    EXPECT_NE(report.out.find("拼音：zhāng wěi"), std::string::npos) << report.out;
}

// Every judgement of a name with a character that has no count stops with a usage error that
// names those characters, in order and each once.
TEST(CliTraditionalTest, UncountableCharactersAreRefusedByName) {
    struct Row {
        std::vector<std::string> args;
        std::string characters;
    };
    const Row rows[] = {
        {{"score", "王", "㐂"}, "㐂"},
        {{"grids", "王", "〇"}, "〇"},
        {{"report", "𠀀", "𪚥"}, "𠀀𪚥"},
        {{"report", "王", "𪚥𪚥"}, "𪚥"},  // each character once
        {{"sound", "王", "㐂明"}, "㐂"},
        {{"compare", "王", "小明", "㐂", "明𠀀"}, "㐂𠀀"},
        {{"score", "㐀", "明", "--female"}, "㐀"},
        {{"twins", "--surname", "㐂"}, "㐂"},
        {{"search", "--surname", "王", "--left", "㐂"}, "㐂"},
    };
    for (const Row& r : rows) {
        const Result result = runCli(r.args);
        EXPECT_EQ(result.code, kExitUsage) << r.args[0] << " " << r.characters;
        EXPECT_TRUE(result.out.empty()) << result.out;
        EXPECT_TRUE(result.err.starts_with("norlune-cli：无法计算笔画的字：" + r.characters + "（"))
            << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    // strokes shows the missing count, and meaning needs none.
    EXPECT_EQ(runCli({"strokes", "㐂"}).out, "㐂\t-\n");
    EXPECT_EQ(runCli({"meaning", "王", "㐂"}).code, 0);
}

TEST(CliTraditionalTest, SearchSkipsAndCountsUncountableCandidates) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("norlune_trad_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    const std::string done =
        "测算完成。要查看某个名字的详细理数，请运行 norlune-cli report 姓 名。";
    struct Row {
        std::string text;
        std::string out;
        std::string notes;
    };
    const Row rows[] = {
        {"3\n小明\n伟\n偉\n", "王小明\n王伟\n王偉\n", ""},
        {"4\n小明\n㐂\n明㐂\n𠀀\n", "王小明\n", "（已跳过 3 行：含无法计算笔画的字）"},
        {"3\nabc\n㐂\n小明\n", "王小明\n",
         "（已跳过 1 行：不是一到两个汉字）（已跳过 1 行：含无法计算笔画的字）"},
    };
    for (const Row& row : rows) {
        const std::filesystem::path path = dir / "c.dat";
        std::ofstream(path, std::ios::binary) << row.text;
        const Result r = runCli({"search", "--surname", "王", "--candidates", path.string()});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, row.out) << row.text;
        EXPECT_EQ(r.err, done + row.notes + "\n") << row.text;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace norlune::cli
