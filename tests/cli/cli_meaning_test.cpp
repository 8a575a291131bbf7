// `norlune-cli meaning` and the section of meanings and sources at the end of `report`, checked
// against the data files read here on their own.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/utf8.h"
#include "tests/cli/cli_run.h"

namespace norlune::cli {
namespace {

using cli_test::Result;

Result runCli(const std::vector<std::string>& args) {
    return cli_test::runCliIn("", args);
}

std::vector<std::vector<std::string>> readTable(const std::string& relative) {
    std::ifstream in(std::string(NORLUNE_SOURCE_DIR) + "/" + relative, std::ios::binary);
    EXPECT_TRUE(in) << relative;
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) {
            fields.push_back(field);
        }
        rows.push_back(fields);
    }
    return rows;
}

// What the data files say about a given name, in the command's line format.
std::string expectedLines(const std::string& given) {
    static const auto meanings = [] {
        std::map<std::string, std::string> m;
        for (const auto& row : readTable("data/char_meanings.tsv")) {
            m[row.at(0)] = row.at(1);
        }
        return m;
    }();
    static const auto names = readTable("data/names.tsv");
    std::string out;
    for (char32_t ch : utf8ToU32(given)) {
        std::string character;
        appendUtf8(character, ch);
        const auto it = meanings.find(character);
        out += character + "：" + (it == meanings.end() ? "暂无释义" : it->second) + "\n";
    }
    std::vector<std::string> sources;
    for (const auto& row : names) {
        // Five columns; getline drops an empty last one.
        if (row.at(0) == given && row.size() >= 4 && !row[3].empty()) {
            const std::string line = "出处：" + row[3] + (row.size() > 4 ? row[4] : "") + "\n";
            if (std::find(sources.begin(), sources.end(), line) == sources.end()) {
                sources.push_back(line);
            }
        }
    }
    for (const std::string& line : sources) {
        out += line;
    }
    return out;
}

TEST(CliMeaningTest, LinesOfMeaningAndSource) {
    const struct {
        std::string surname;
        std::string given;
    } cases[] = {
        {"王", "子衿"}, {"欧阳", "子衿"},  // a compound surname changes nothing
        {"李", "清扬"},                    // two sources
        {"张", "明德"}, {"王", "小明"},    // no source
        {"王", "明"},   {"司马", "光"},    // one character
        {"王", "龘"},                      // a character without a meaning
    };
    for (const auto& c : cases) {
        const Result r = runCli({"meaning", c.surname, c.given});
        EXPECT_EQ(r.code, 0) << c.given << r.err;
        EXPECT_TRUE(r.err.empty());
        EXPECT_EQ(r.out, expectedLines(c.given)) << c.surname << c.given;
    }
}

TEST(CliMeaningTest, TheClassicalNameShowsItsVerse) {
    const Result r = runCli({"meaning", "王", "子衿"});
    ASSERT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.starts_with("子：")) << r.out;
    EXPECT_NE(r.out.find("\n衿："), std::string::npos) << r.out;
    EXPECT_TRUE(r.out.ends_with("出处：《诗经·郑风·子衿》青青子衿，悠悠我心\n")) << r.out;
    EXPECT_EQ(runCli({"meaning", "王", "龘"}).out, "龘：暂无释义\n");
    const Result two = runCli({"meaning", "李", "知新"});
    EXPECT_NE(two.out.find("出处：《论语·为政》温故而知新\n"
                           "出处：《中庸》温故而知新，敦厚以崇礼\n"),
              std::string::npos)
        << two.out;
}

TEST(CliMeaningTest, BadUsageIsRefused) {
    const struct {
        std::vector<std::string> args;
        std::string message;  // part of the one-line message
    } cases[] = {
        {{"meaning"}, "meaning 需要两个参数：姓 名"},
        {{"meaning", "王"}, "meaning 需要两个参数：姓 名"},
        {{"meaning", "王", "子", "衿"}, "meaning 需要两个参数：姓 名"},
        {{"meaning", "王", "子衿明"}, "名字须为一到两个字"},
        {{"meaning", "欧阳王", "明"}, "姓氏须为一到两个字"},
        {{"meaning", "王", "Zi"}, "名字只能由汉字组成"},
        {{"meaning", "王", ""}, "名字须为一到两个字"},
        {{"meaning", "王", "\xff"}, "UTF-8"},
        {{"meaning", "王", "子衿", "--female"}, "未知选项 --female"},
    };
    for (const auto& c : cases) {
        const Result r = runCli(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_TRUE(r.out.empty()) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // one line
    }
}

TEST(CliMeaningTest, ReportEndsWithTheSection) {
    const struct {
        std::vector<std::string> args;
    } cases[] = {
        {{"report", "王", "子衿"}},
        {{"report", "欧阳", "子衿", "--female"}},
        {{"report", "李", "清扬", "--need", "水"}},
        {{"report", "王", "丏"}},  // nothing known: one line
    };
    for (const auto& c : cases) {
        const Result r = runCli(c.args);
        ASSERT_EQ(r.code, 0) << r.err;
        const std::string tail = cli_test::reportTail(c.args[1], c.args[2]);
        ASSERT_GT(r.out.size(), tail.size());
        EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail) << c.args[2];
        // The section comes once, after the sound section.
        const std::string rule = "-----------------字义出处-----------------\n";
        const std::size_t section = r.out.find(rule);
        EXPECT_LT(r.out.find("-----------------音形分析-----------------\n"), section);
        EXPECT_EQ(r.out.find(rule, section + 1), std::string::npos);
    }
    const Result unknown = runCli({"report", "王", "丏"});
    EXPECT_TRUE(unknown.out.ends_with(
        "-----------------字义出处-----------------\n此名暂无字义与出处可查\n"))
        << unknown.out;
    const Result known = runCli({"report", "王", "子衿"});
    EXPECT_TRUE(known.out.ends_with("出处：《诗经·郑风·子衿》青青子衿，悠悠我心\n")) << known.out;
}

TEST(CliMeaningTest, HelpNamesTheCommand) {
    const Result r = runCli({"--help"});
    EXPECT_NE(r.out.find("  meaning 姓 名"), std::string::npos);
    EXPECT_NE(r.out.find("字义出处"), std::string::npos);
}

}  // namespace
}  // namespace norlune::cli
