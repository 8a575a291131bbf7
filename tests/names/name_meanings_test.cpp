#include "names/name_meanings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "engine/name_report.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

constexpr std::string_view kMeanings =
    "衿\t衣领，喻学子与思慕\n"
    "子\t孩子，古时对男子的美称\n"
    "清\t水清澈，喻人品纯洁\r\n"  // a CR LF line reads like the others
    "# a comment line\n"
    "\n"
    "扬\t高举，传扬\n"
    "𠀾\t扩展区的字\n";  // beyond the Basic Multilingual Plane

// 清扬 has two sources and a line without one; 明德 has lines of both sexes, and its lines are
// not adjacent; 小明 has no source at all.
constexpr std::string_view kNames =
    "子衿\tboth\t1\t《诗经·郑风·子衿》\t青青子衿，悠悠我心\n"
    "清扬\tF\t1\t《诗经·郑风·野有蔓草》\t有美一人，清扬婉兮\n"
    "明德\tM\t2\t《大学》\t在明明德\n"
    "清扬\tF\t1\t《诗经·齐风·猗嗟》\t猗嗟娈兮，清扬婉兮\n"
    "小明\tM\t2\t\t\n"
    "明德\tF\t1\t唐·某人《某诗》\t明德惟馨\n"
    "清扬\tF\t1\t《诗经·郑风·野有蔓草》\t有美一人，清扬婉兮\n"  // the same source again
    "杰\tM\t2\t\t\n";

const NameMeanings& small() {
    static const NameMeanings tables = NameMeanings::fromText(kMeanings, kNames);
    return tables;
}

TEST(NameMeaningsTest, MeaningOfACharacter) {
    const struct {
        char32_t ch;
        std::string_view meaning;
    } cases[] = {
        {U'衿', "衣领，喻学子与思慕"},
        {U'子', "孩子，古时对男子的美称"},
        {U'清', "水清澈，喻人品纯洁"},
        {U'扬', "高举，传扬"},
        {U'\U0002003E', "扩展区的字"},
        {U'明', ""},  // not written
        {U'a', ""},
        {U'\0', ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(small().meaning(c.ch), c.meaning) << static_cast<std::uint32_t>(c.ch);
    }
    EXPECT_EQ(small().characterCount(), 5u);
    EXPECT_EQ(small().nameCount(), 5u);
}

TEST(NameMeaningsTest, SourcesInTheTablesOrderEachOnce) {
    using S = NameSource;
    const struct {
        std::string_view name;
        std::optional<NameSex> sex;
        std::vector<NameSource> sources;
    } cases[] = {
        {"子衿", std::nullopt, {S{"《诗经·郑风·子衿》", "青青子衿，悠悠我心"}}},
        {"子衿", NameSex::Male, {S{"《诗经·郑风·子衿》", "青青子衿，悠悠我心"}}},
        {"子衿", NameSex::Female, {S{"《诗经·郑风·子衿》", "青青子衿，悠悠我心"}}},
        {"清扬",
         std::nullopt,
         {S{"《诗经·郑风·野有蔓草》", "有美一人，清扬婉兮"},
          S{"《诗经·齐风·猗嗟》", "猗嗟娈兮，清扬婉兮"}}},
        {"清扬", NameSex::Male, {}},  // only girls' lines
        {"明德", std::nullopt, {S{"《大学》", "在明明德"}, S{"唐·某人《某诗》", "明德惟馨"}}},
        {"明德", NameSex::Male, {S{"《大学》", "在明明德"}}},
        {"明德", NameSex::Female, {S{"唐·某人《某诗》", "明德惟馨"}}},
        {"明德", NameSex::Both, {S{"《大学》", "在明明德"}, S{"唐·某人《某诗》", "明德惟馨"}}},
        {"小明", std::nullopt, {}},
        {"不在", std::nullopt, {}},
        {"", std::nullopt, {}},
        {"子", std::nullopt, {}},  // a prefix of a listed name is not that name
    };
    for (const auto& c : cases) {
        EXPECT_EQ(small().sources(c.name, c.sex), c.sources)
            << c.name << " " << (c.sex ? static_cast<int>(*c.sex) : -1);
    }
}

TEST(NameMeaningsTest, ClassicalSourceAndGrade) {
    const struct {
        std::string_view name;
        bool classical;
        int grade;
        int maleGrade;
        int femaleGrade;
        std::size_t lines;
    } cases[] = {
        {"子衿", true, 1, 1, 1, 1},  {"清扬", true, 1, 0, 1, 3}, {"明德", true, 1, 2, 1, 2},
        {"小明", false, 2, 2, 0, 1}, {"杰", false, 2, 2, 0, 1},  {"无名", false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(small().hasClassicalSource(c.name), c.classical) << c.name;
        EXPECT_EQ(small().grade(c.name), c.grade) << c.name;
        EXPECT_EQ(small().grade(c.name, NameSex::Male), c.maleGrade) << c.name;
        EXPECT_EQ(small().grade(c.name, NameSex::Female), c.femaleGrade) << c.name;
        EXPECT_EQ(small().entries(c.name).size(), c.lines) << c.name;
    }
    // The lines of a name keep the table's order even when other names come between them.
    const auto lines = small().entries("明德");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].sex, NameSex::Male);
    EXPECT_EQ(lines[0].source.clause, "在明明德");
    EXPECT_EQ(lines[1].sex, NameSex::Female);
}

// A traditional character counts as its simplified form where the tables lack it as it is.
TEST(NameMeaningsTest, TraditionalCharactersCountAsTheirSimplifiedForm) {
    // 扬 and 揚, 清 has no pair; 子 is paired with a made-up form that the table holds itself.
    const TraditionalMap pairs = TraditionalMap::fromText("扬,子,衿\n揚,孑,衿\n");
    const NameMeanings tables =
        NameMeanings::fromText(std::string(kMeanings) + "孑\t单独\n", kNames, &pairs);
    EXPECT_EQ(tables.meaning(U'揚'), "高举，传扬");
    EXPECT_EQ(tables.meaning(U'孑'), "单独");  // its own meaning wins
    EXPECT_EQ(tables.meaning(U'衿'), "衣领，喻学子与思慕");
    EXPECT_EQ(tables.sources("清揚"), tables.sources("清扬"));
    EXPECT_EQ(tables.sources("清揚").size(), 2u);
    EXPECT_TRUE(tables.hasClassicalSource("清揚"));
    EXPECT_EQ(tables.grade("清揚", NameSex::Female), 1);
    EXPECT_EQ(meaningLines(tables, "清揚").at(1), "揚：高举，传扬");  // shown as typed
    // Without the pairs the traditional form is unknown.
    EXPECT_EQ(small().meaning(U'揚'), "");
    EXPECT_TRUE(small().sources("清揚").empty());
    // The built-in tables know the built-in pairs: 華 is 华.
    const NameMeanings builtIn = NameMeanings::builtIn();
    EXPECT_EQ(builtIn.meaning(U'華'), builtIn.meaning(U'华'));
    EXPECT_FALSE(builtIn.meaning(U'華').empty());
    EXPECT_EQ(builtIn.sources("清揚"), builtIn.sources("清扬"));
}

TEST(NameMeaningsTest, TablesStayValidWhenMovedOrTheTextIsGone) {
    std::string meanings(kMeanings);
    std::string names(kNames);
    NameMeanings built = NameMeanings::fromText(meanings, names);
    meanings.assign(meanings.size(), 'x');
    names.assign(names.size(), 'x');
    const NameMeanings moved = std::move(built);
    EXPECT_EQ(moved.meaning(U'衿'), "衣领，喻学子与思慕");
    EXPECT_EQ(moved.sources("子衿").at(0).clause, "青青子衿，悠悠我心");
    // Short texts live inside the string object itself: they must survive a move too.
    NameMeanings tiny = NameMeanings::fromText("子\t孩子\n", "子子\tM\t1\t\t\n");
    const NameMeanings tinyMoved = std::move(tiny);
    EXPECT_EQ(tinyMoved.meaning(U'子'), "孩子");
    EXPECT_EQ(tinyMoved.grade("子子"), 1);
}

TEST(NameMeaningsTest, MalformedLinesAreRefused) {
    const struct {
        std::string_view meanings;
        std::string_view names;
    } cases[] = {
        {"子\n", ""},                                   // no meaning
        {"子\t\n", ""},                                 // empty meaning
        {"子女\t孩子\n", ""},                           // two characters
        {"a\t字母\n", ""},                              // not a Chinese character
        {"子\t孩子\t多余\n", ""},                       // three fields
        {"子\t孩子\n子\t又一次\n", ""},                 // given twice
        {"", "子衿\tboth\t1\t《诗经》\n"},              // four fields
        {"", "子衿\tboth\t1\t《诗经》\t青青\t多余\n"},  // six fields
        {"", "子衿\tmale\t1\t\t\n"},                    // bad sex
        {"", "子衿\tboth\t0\t\t\n"},                    // bad grade
        {"", "子衿\tboth\t12\t\t\n"},                   // bad grade
        {"", "子衿\tboth\t\t\t\n"},                     // no grade
        {"", "子衿子\tboth\t1\t\t\n"},                  // three characters
        {"", "\tboth\t1\t\t\n"},                        // no name
        {"", "Zi\tboth\t1\t\t\n"},                      // not Chinese
        {"", "子衿\tboth\t1\t\t青青子衿\n"},            // a clause without its work
        {"", "子衿\tboth\t1\t《诗经》\t\xff\n"},        // not UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_THROW(NameMeanings::fromText(c.meanings, c.names), std::runtime_error)
            << c.meanings << "|" << c.names;
    }
    // Comments, empty lines and a last line without its line end are fine.
    const NameMeanings ok =
        NameMeanings::fromText("# 注释\n\n子\t孩子", "# 注释\n\n子衿\tboth\t2\t《诗经》\t青青子衿");
    EXPECT_EQ(ok.meaning(U'子'), "孩子");
    EXPECT_EQ(ok.grade("子衿"), 2);
}

TEST(NameMeaningsTest, LinesOfAName) {
    const struct {
        std::string_view given;
        std::vector<std::string> lines;
    } cases[] = {
        {"子衿",
         {"子：孩子，古时对男子的美称", "衿：衣领，喻学子与思慕",
          "出处：《诗经·郑风·子衿》青青子衿，悠悠我心"}},
        {"清扬",
         {"清：水清澈，喻人品纯洁", "扬：高举，传扬",
          "出处：《诗经·郑风·野有蔓草》有美一人，清扬婉兮",
          "出处：《诗经·齐风·猗嗟》猗嗟娈兮，清扬婉兮"}},
        {"明德",  // sources without a meaning of their characters
         {"明：暂无释义", "德：暂无释义", "出处：《大学》在明明德",
          "出处：唐·某人《某诗》明德惟馨"}},
        {"子明", {"子：孩子，古时对男子的美称", "明：暂无释义"}},
        {"衿", {"衿：衣领，喻学子与思慕"}},
        {"小明", {"小：暂无释义", "明：暂无释义"}},
        {"\xff衿", {"\uFFFD：暂无释义", "衿：衣领，喻学子与思慕"}},  // a bad byte is one character
    };
    for (const auto& c : cases) {
        EXPECT_EQ(meaningLines(small(), c.given), c.lines) << c.given;
    }
}

TEST(NameMeaningsTest, ReportSection) {
    const std::string rule = "-----------------字义出处-----------------\r\n";
    const struct {
        std::string_view given;
        std::string section;
    } cases[] = {
        {"子衿", rule + "子：孩子，古时对男子的美称\r\n衿：衣领，喻学子与思慕\r\n"
                        "出处：《诗经·郑风·子衿》青青子衿，悠悠我心\r\n"},
        {"子明", rule + "子：孩子，古时对男子的美称\r\n明：暂无释义\r\n"},
        {"明德", rule + "明：暂无释义\r\n德：暂无释义\r\n出处：《大学》在明明德\r\n"
                        "出处：唐·某人《某诗》明德惟馨\r\n"},
        // Nothing known: one line says so.
        {"小明", rule + "此名暂无字义与出处可查\r\n"},
        {"明", rule + "此名暂无字义与出处可查\r\n"},
    };
    for (const auto& c : cases) {
        std::string report = "前文\r\n";
        appendMeaningSection(small(), c.given, report);
        EXPECT_EQ(report, "前文\r\n" + c.section) << c.given;
    }
    // The rule has as many dashes on each side as the report's other sections.
    std::string other;
    Adds(std::string(17, '-') + "音形分析" + std::string(17, '-'), other);
    EXPECT_EQ(other.size() - std::string("音形分析").size(),
              rule.size() - std::string("字义出处").size());
}

TEST(NameMeaningsTest, CellsOfATableRow) {
    const struct {
        std::string_view given;
        std::string sources;
        std::string meanings;
    } cases[] = {
        {"子衿", "《诗经·郑风·子衿》青青子衿，悠悠我心",
         "子：孩子，古时对男子的美称；衿：衣领，喻学子与思慕"},
        {"清扬", "《诗经·郑风·野有蔓草》有美一人，清扬婉兮；《诗经·齐风·猗嗟》猗嗟娈兮，清扬婉兮",
         "清：水清澈，喻人品纯洁；扬：高举，传扬"},
        {"明德", "《大学》在明明德；唐·某人《某诗》明德惟馨", ""},
        {"明子", "", "子：孩子，古时对男子的美称"},  // only the character with a meaning
        {"小明", "", ""},
    };
    for (const auto& c : cases) {
        const MeaningCells cells = meaningCells(small(), c.given);
        EXPECT_EQ(cells.sources, c.sources) << c.given;
        EXPECT_EQ(cells.meanings, c.meanings) << c.given;
    }
}

// --- The built-in tables ------------------------------------------------------------------------

std::string readSourceFile(const std::string& relative) {
    std::ifstream in(std::string(NORLUNE_SOURCE_DIR) + "/" + relative, std::ios::binary);
    EXPECT_TRUE(in) << relative;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(NameMeaningsBuiltInTest, TheEmbeddedTablesAreTheDataFiles) {
    const NameMeanings tables = NameMeanings::builtIn();
    const std::string meanings = readSourceFile("data/char_meanings.tsv");
    std::size_t characters = 0;
    for (std::string_view line : splitLines(meanings)) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto fields = splitFields(line, '\t');
        ASSERT_EQ(fields.size(), 2u) << line;
        EXPECT_EQ(tables.meaning(utf8ToU32(fields[0]).at(0)), fields[1]) << line;
        ++characters;
    }
    EXPECT_EQ(tables.characterCount(), characters);
    EXPECT_GT(characters, 0u);
    EXPECT_GT(tables.nameCount(), 0u);
}

// Every source quotes a clause that holds both characters of its name in their order, and no name
// has more than three sources.
TEST(NameMeaningsBuiltInTest, EverySourceClauseHoldsTheNameInOrder) {
    const NameMeanings tables = NameMeanings::builtIn();
    const std::string names = readSourceFile("data/names.tsv");
    std::map<std::string, int> sourcesPerName;
    std::size_t sources = 0;
    for (std::string_view line : splitLines(names)) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto fields = splitFields(line, '\t');
        ASSERT_EQ(fields.size(), 5u) << line;
        if (fields[3].empty()) {
            continue;
        }
        ++sources;
        ++sourcesPerName[std::string(fields[0])];
        const std::u32string name = utf8ToU32(fields[0]);
        const std::u32string clause = utf8ToU32(fields[4]);
        ASSERT_EQ(name.size(), 2u) << line;
        const std::size_t first = clause.find(name[0]);
        ASSERT_NE(first, std::u32string::npos) << line;
        EXPECT_NE(clause.find(name[1], first + 1), std::u32string::npos) << line;
        EXPECT_TRUE(fields[3].find("《") != std::string_view::npos &&
                    fields[3].find("》") != std::string_view::npos)
            << line;
        EXPECT_TRUE(tables.hasClassicalSource(fields[0])) << line;
    }
    EXPECT_GT(sources, 0u);
    for (const auto& [name, count] : sourcesPerName) {
        EXPECT_LE(count, 3) << name;
        const std::size_t shown = tables.sources(name).size();
        EXPECT_TRUE(shown >= 1 && shown <= static_cast<std::size_t>(count)) << name;
    }
}

}  // namespace
}  // namespace norlune
