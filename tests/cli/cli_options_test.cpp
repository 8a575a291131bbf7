// The search's options for the order, the variety and the CSV output, and the compare command.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "cli/cli.h"
#include "engine/name_engine.h"
#include "engine/utf8.h"
#include "tests/cli/cli_run.h"

namespace norlune::cli {
namespace {

const std::string kShipped =
    (std::filesystem::path(NORLUNE_TEST_DATA_DIR).parent_path().parent_path() / "data").string();

using cli_test::Result;

Result runCli(const std::vector<std::string>& args) {
    return cli_test::runCliIn(kShipped, args);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

// A reader of RFC 4180 text: quoted fields may hold commas, quotes (doubled) and line breaks.
std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            row.push_back(field);
            field.clear();
            rows.push_back(row);
            row.clear();
        } else {
            field += c;
        }
    }
    EXPECT_FALSE(quoted);
    EXPECT_TRUE(field.empty() && row.empty()) << "the last row has no line end";
    return rows;
}

std::u32string givenOf(const std::string& fullName, const std::string& surname) {
    return utf8ToU32(fullName.substr(surname.size()));
}

TEST(CliSearchOptions, SortedVarietyTopListsTheBestWithFewRepeats) {
    const Result r =
        runCli({"search", "--surname", "陈", "--sort", "score", "--variety", "2", "--top", "20"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> names = lines(r.out);
    ASSERT_EQ(names.size(), 20u);
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists();
    const NameEngine engine(tables, elements);
    Score previous = Score::fromTwentieths(100 * 20);
    for (const std::string& name : names) {
        const std::string given = name.substr(std::string("陈").size());
        const Score score = engine.scoreName("陈", given, {});
        EXPECT_LE(score, previous) << name;
        previous = score;
    }
    // The limit holds for the first and for the last character over the whole kept list, and for
    // the one-character names together.
    const Result whole = runCli({"search", "--surname", "陈", "--variety", "2"});
    ASSERT_EQ(whole.code, 0) << whole.err;
    std::map<char32_t, int> firsts;
    std::map<char32_t, int> lasts;
    int oneCharacter = 0;
    for (const std::string& name : lines(whole.out)) {
        const std::u32string given = givenOf(name, "陈");
        EXPECT_LE(++firsts[given.front()], 2) << name;
        EXPECT_LE(given.size() == 1 ? ++oneCharacter : ++lasts[given.back()], 2) << name;
    }
    // Without the limit the list repeats first and last characters again and again.
    const Result plain = runCli({"search", "--surname", "陈"});
    std::map<char32_t, int> plainFirsts;
    std::map<char32_t, int> plainLasts;
    for (const std::string& name : lines(plain.out)) {
        ++plainFirsts[givenOf(name, "陈").front()];
        ++plainLasts[givenOf(name, "陈").back()];
    }
    const auto most = [](const std::map<char32_t, int>& counts) {
        return std::max_element(counts.begin(), counts.end(),
                                [](const auto& a, const auto& b) { return a.second < b.second; })
            ->second;
    };
    EXPECT_GT(most(plainFirsts), 2);
    EXPECT_GT(most(plainLasts), 2);
}

TEST(CliSearchOptions, TopBelowAHundredPrintsTheHeadOfTheHundred) {
    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{}, std::vector<std::string>{"--sort", "score"},
          std::vector<std::string>{"--scores"}, std::vector<std::string>{"--variety", "3"}}) {
        std::vector<std::string> full = {"search", "--surname", "王"};
        full.insert(full.end(), extra.begin(), extra.end());
        std::vector<std::string> head = full;
        head.insert(head.end(), {"--top", "7"});
        const std::vector<std::string> all = lines(runCli(full).out);
        ASSERT_EQ(all.size(), 100u);
        EXPECT_EQ(lines(runCli(head).out), std::vector<std::string>(all.begin(), all.begin() + 7));
    }
    EXPECT_EQ(lines(runCli({"search", "--surname", "王", "--top", "1"}).out).size(), 1u);
}

TEST(CliSearchOptions, CsvReadsBackAsATableOfTheListedNames) {
    const Result plain = runCli({"search", "--surname", "欧阳", "--sort", "score", "--top", "30"});
    const Result csv =
        runCli({"search", "--surname", "欧阳", "--sort", "score", "--top", "30", "--csv"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    const auto rows = parseCsv(csv.out);
    ASSERT_EQ(rows.size(), 31u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"姓名", "繁体", "得分", "天格", "天格吉凶", "人格",
                                                 "人格吉凶", "地格", "地格吉凶", "总格", "总格吉凶",
                                                 "外格", "外格吉凶", "三才", "三才吉凶", "名字五行",
                                                 "出处", "字义"}));
    const std::vector<std::string> names = lines(plain.out);
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists();
    const NameEngine engine(tables, elements);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto& row = rows[i];
        ASSERT_EQ(row.size(), rows[0].size());
        EXPECT_EQ(row[0], names[i - 1]);
        const std::string given = row[0].substr(std::string("欧阳").size());
        EXPECT_EQ(row[1], tables.traditional.GbToBig("欧阳") + tables.traditional.GbToBig(given));
        EXPECT_EQ(row[2], engine.scoreName("欧阳", given, {}).toString());
        const FiveGrids g = ComputeFiveGrids(tables.strokes, "欧阳", given).grids;
        EXPECT_EQ(row[3], std::to_string(g.heaven));
        EXPECT_EQ(row[9], std::to_string(g.total));
        EXPECT_EQ(row[10], tables.numerology.field(g.total, NumerologyTable::kGrade));
        EXPECT_EQ(row[13], threeTalentKey(g));
        EXPECT_EQ(utf8ToU32(row[15]).size(), utf8ToU32(given).size());
        // The meanings cell names each given-name character that has a meaning.
        EXPECT_TRUE(row[17].starts_with(u32ToUtf8(utf8ToU32(given).substr(0, 1)) + "："))
            << row[17];
    }
}

TEST(CliSearchOptions, CsvWithFavourableElementsSaysWhetherEachNameMeetsThem) {
    const Result r = runCli({"search", "--surname", "李", "--need", "木", "--top", "100", "--csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto rows = parseCsv(r.out);
    ASSERT_GT(rows.size(), 1u);
    EXPECT_EQ(rows[0][rows[0].size() - 3], "符合喜用五行");
    for (std::size_t i = 1; i < rows.size(); ++i) {
        // A name the rule marks down loses 30 points and cannot stay at 70: every name kept here
        // belongs to 木 or has no element.
        const std::string& elementsOfName = rows[i][15];
        const bool meets =
            utf8ToU32(elementsOfName).find_first_not_of(U"木-") == std::u32string::npos;
        EXPECT_TRUE(meets) << rows[i][0];
        EXPECT_EQ(rows[i][rows[i].size() - 3], meets ? "是" : "否")
            << rows[i][0] << " " << elementsOfName;
    }
}

TEST(CliSearchOptions, DirectNameAsCsv) {
    const Result r =
        runCli({"search", "--surname", "王", "--left", "小", "--right", "明", "--csv"});
    const auto rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0], "王小明");
    EXPECT_EQ(rows[1][3], "5");
    EXPECT_EQ(rows[1][13], "土金木");
}

TEST(CliSearchOptions, BadValuesAreUsageErrors) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"search", "--surname", "王", "--sort", "name"},
             {"search", "--surname", "王", "--variety", "11"},
             {"search", "--surname", "王", "--variety", "-1"},
             {"search", "--surname", "王", "--variety", "二"},
             {"search", "--surname", "王", "--top", "0"},
             {"search", "--surname", "王", "--top", "10001"},
             {"compare", "王"},
             {"compare", "王", "小明明"},
             {"compare", "欧阳王", "明"},
             {"compare", "王", "明", "--need", "风"},
         }) {
        const Result r = runCli(args);
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("norlune-cli："), std::string::npos);
    }
}

TEST(CliCompare, AlignedTableBestFirst) {
    const Result r = runCli({"compare", "王", "小明", "晓明", "啸鸣", "明"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> rows = lines(r.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].rfind("姓名", 0), 0u);
    // Best first: 王小明 86.05, 王晓明 67.05, 王啸鸣 60.15 (啸 counts 16), 王明 56.95.
    const std::vector<std::string> order = {"王小明", "王晓明", "王啸鸣", "王明"};
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(rows[i + 1].rfind(order[i], 0), 0u) << rows[i + 1];
    }
    EXPECT_NE(rows[1].find("5(大吉)"), std::string::npos);
    EXPECT_NE(rows[1].find("土金木("), std::string::npos);
    // Every column starts at the same display column in every row.
    auto columnStarts = [](const std::string& row) {
        std::vector<std::size_t> starts;
        const std::u32string text = utf8ToU32(row);
        std::size_t column = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != U' ' && (i == 0 || text[i - 1] == U' ')) {
                starts.push_back(column);
            }
            std::string one;
            appendUtf8(one, text[i]);
            column += displayWidth(one);
        }
        return starts;
    };
    for (const std::string& row : rows) {
        EXPECT_EQ(columnStarts(row), columnStarts(rows[0])) << row;
    }
}

TEST(CliCompare, DisplayWidthCountsWideCharactersTwice) {
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {"", 0}, {"abc", 3}, {"王", 2}, {"5(大吉)", 7}, {"土金木（凶）", 12}, {"𠀋", 2}};
    for (const auto& [text, width] : cases) {
        EXPECT_EQ(displayWidth(text), width) << text;
    }
    EXPECT_EQ(alignedTable({{"王明", "1"}, {"a", "22"}}), "王明  1\na     22\n");
}

}  // namespace
}  // namespace norlune::cli
