// Checks the built-in meanings of the numbers 1 to 81 (data/numerology.txt) against the facts that
// the rest of the system and the name report rely on: names, grades, category units and their
// counts, text lengths and the closing poems.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/numerology_txt.h"
#include "engine/numerology_tables.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

constexpr int kCount = 81;

struct Entry {
    int number = 0;
    std::string verse;
    std::string grade;
    std::string categories;
    std::string explanation;
};

// The name that opens each verse, between the full-width parentheses.
constexpr std::array<std::string_view, kCount> kNames = {
    "太极之数", "两仪之数", "三才之数", "四象之数", "五行之数", "六爻之数", "七政之数", "八卦之数",
    "大成之数", "终结之数", "旱苗逢雨", "掘井无泉", "春日牡丹", "破兆",     "福寿",     "厚重",
    "刚强",     "铁镜重磨", "多难",     "屋下藏金", "明月中天", "秋草逢霜", "壮丽",     "掘藏得金",
    "荣俊",     "变怪",     "增长",     "阔水浮萍", "智谋",     "非运",     "春日花开", "宝马金鞍",
    "旭日升天", "破家",     "高楼望月", "波澜重叠", "猛虎出林", "磨铁成针", "富贵荣华", "退安",
    "有德",     "寒蝉在柳", "散财破产", "烦闷",     "顺风",     "浪里淘金", "点石成金", "古松立鹤",
    "转变",     "小舟入海", "沉浮",     "达眼",     "曲卷难星", "石上栽花", "善恶",     "浪里行舟",
    "日照春松", "晚行遇月", "寒蝉悲风", "无谋",     "牡丹芙蓉", "衰败",     "舟归平海", "非命",
    "巨流归海", "岩头步马", "顺风通达", "非业",     "非业",     "残菊逢霜", "石上金花", "无勇",
    "残菊经霜", "残菊经霜", "退守",     "离散",     "半吉",     "晚苦",     "云头望月", "遁吉",
    "万物回春",
};

struct GradeGroup {
    std::string_view grade;
    std::vector<int> numbers;
};

const std::vector<GradeGroup>& gradeGroups() {
    static const std::vector<GradeGroup> groups = {
        {"大吉", {1,  3,  5,  11, 13, 15, 16, 18, 21, 23, 24, 25, 31, 32, 33,
                  35, 37, 39, 41, 45, 47, 48, 52, 57, 61, 63, 65, 67, 81}},
        {"吉", {7, 8}},
        {"半吉", {6, 17, 26, 27, 29, 30, 38, 49, 51, 55, 58, 71, 72, 75, 77}},
        {"凶", {4,  9,  10, 12, 14, 19, 20, 22, 28, 36, 40, 42, 43, 44, 46, 50, 53,
                54, 56, 59, 60, 62, 64, 66, 68, 69, 70, 73, 74, 76, 78, 79, 80}},
        {"大凶", {2, 34}},
    };
    return groups;
}

constexpr std::string_view kUnlucky = "凶数运（表示逆境、沉浮、薄弱、病难、困难、多灾等）";
constexpr std::string_view kLucky = "吉祥运（表示健全、幸福、名誉等）";
constexpr std::string_view kFairlyLucky = "次吉祥运（表示多少有些障碍，但能获得吉运）";
constexpr std::string_view kLeader = "首领运（智慧仁勇、立上位、能领导众人）";
constexpr std::string_view kArts = "艺能运（富有艺术天才，对审美、艺术、演艺、体育有通达之能）";
constexpr std::string_view kStubborn = "刚情运（性刚固执、意气用事）";
constexpr std::string_view kWealth = "富贵运（多钱财、富贵、白手可获巨财）";
constexpr std::string_view kLonely = "孤独运（妻凌夫或夫克妻）";
constexpr std::string_view kMild = "温和运（性情平和、能得上下信望）";
constexpr std::string_view kTwoWives = "男性双妻运";
constexpr std::string_view kGreatLuck = "大吉运";

struct UnitCount {
    std::string_view unit;
    int entries;
};

constexpr std::array<UnitCount, 11> kUnitCounts = {{
    {kUnlucky, 35},
    {kLucky, 30},
    {kFairlyLucky, 15},
    {kLeader, 12},
    {kArts, 9},
    {kStubborn, 8},
    {kWealth, 8},
    {kLonely, 7},
    {kMild, 9},
    {kTwoWives, 7},
    {kGreatLuck, 1},
}};

std::size_t length(std::string_view text) {
    return utf8ToU32(text).size();
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Reads the embedded text strictly: any line that does not have five fields fails the test that
// calls this, and the entry keeps whatever could be read.
std::vector<Entry> parseEntries() {
    std::vector<Entry> entries;
    for (std::string_view line : splitLines(embedded::kNumerologyTxt)) {
        const auto fields = splitFields(line, '\t');
        Entry e;
        e.number = static_cast<int>(entries.size()) + 1;
        if (fields.size() != 5) {
            ADD_FAILURE() << "line " << e.number << " has " << fields.size() << " fields";
        }
        if (fields.empty() || fields[0] != std::to_string(e.number)) {
            ADD_FAILURE() << "line " << e.number << " is not numbered " << e.number;
        }
        std::array<std::string*, 4> slots = {&e.verse, &e.grade, &e.categories, &e.explanation};
        for (std::size_t f = 1; f < fields.size() && f <= slots.size(); ++f) {
            *slots[f - 1] = std::string(fields[f]);
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

const std::vector<Entry>& entries() {
    static const std::vector<Entry> all = parseEntries();
    return all;
}

const Entry& entry(int n) {
    return entries().at(static_cast<std::size_t>(n - 1));
}

// Cuts a categories text into its units. Returns false when some part is not a known unit.
bool splitUnits(std::string_view text, std::vector<std::string_view>& units) {
    units.clear();
    while (!text.empty()) {
        const auto it = std::find_if(kUnitCounts.begin(), kUnitCounts.end(),
                                     [&](const UnitCount& u) { return startsWith(text, u.unit); });
        if (it == kUnitCounts.end()) {
            return false;
        }
        units.push_back(it->unit);
        text.remove_prefix(it->unit.size());
    }
    return true;
}

// Four lines of seven characters, the first three ending "，", the last "。", and nothing else.
bool isSevenCharacterQuatrain(std::u32string_view text) {
    if (text.size() != 4 * 8) {
        return false;
    }
    for (std::size_t line = 0; line < 4; ++line) {
        const std::u32string_view body = text.substr(line * 8, 7);
        if (body.find_first_of(U"，。：；、 ") != std::u32string_view::npos) {
            return false;
        }
        if (text[line * 8 + 7] != (line < 3 ? U'，' : U'。')) {
            return false;
        }
    }
    return true;
}

std::string_view gradeOf(int n) {
    for (const GradeGroup& g : gradeGroups()) {
        if (std::find(g.numbers.begin(), g.numbers.end(), n) != g.numbers.end()) {
            return g.grade;
        }
    }
    return {};
}

TEST(NumerologyData, FileIsPlainUtf8WithEightyOneNumberedLines) {
    const std::string_view text = embedded::kNumerologyTxt;
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_FALSE(startsWith(text, "\xEF\xBB\xBF")) << "byte-order mark";
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string_view::npos);
    ASSERT_EQ(entries().size(), static_cast<std::size_t>(kCount));
    for (const Entry& e : entries()) {
        SCOPED_TRACE(e.number);
        EXPECT_FALSE(e.verse.empty());
        EXPECT_FALSE(e.grade.empty());
        EXPECT_FALSE(e.categories.empty());
        EXPECT_FALSE(e.explanation.empty());
        for (const std::string* field : {&e.verse, &e.grade, &e.categories, &e.explanation}) {
            EXPECT_EQ(field->find(' '), std::string::npos) << *field;
        }
    }
}

TEST(NumerologyData, EngineReadsEveryFieldAsStored) {
    const NumerologyTable table = NumerologyTable::builtIn();
    for (const Entry& e : entries()) {
        SCOPED_TRACE(e.number);
        EXPECT_EQ(table.field(e.number, NumerologyTable::kVerse), e.verse);
        EXPECT_EQ(table.field(e.number, NumerologyTable::kGrade), e.grade);
        EXPECT_EQ(table.field(e.number, NumerologyTable::kCategories), e.categories);
        EXPECT_EQ(table.field(e.number, NumerologyTable::kExplanation), e.explanation);
    }
}

TEST(NumerologyData, QuotedEntriesAreExact) {
    ASSERT_EQ(entries().size(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(entry(1).verse, "（太极之数）太极之数，万物开泰，生发无穷，利禄亨通。");
    EXPECT_EQ(entry(1).grade, "大吉");
    EXPECT_EQ(entry(1).categories, "大吉运");
    EXPECT_TRUE(startsWith(entry(1).explanation,
                           "天地开泰万事成，身体康安亦富荣，否泰名誉兼享福，一生无忧乐绵长。"))
        << entry(1).explanation;

    EXPECT_EQ(entry(2).verse, "（两仪之数）两仪之数，混沌未开，进退保守，志望难达。");
    EXPECT_EQ(entry(2).grade, "大凶");
    EXPECT_EQ(entry(2).categories, kUnlucky);
    EXPECT_TRUE(
        startsWith(entry(2).explanation, "未定的分离破灭数，混沌未定，为最大凶恶的暗示。诗曰："))
        << entry(2).explanation;

    EXPECT_EQ(entry(3).verse, "（三才之数）三才之数，天地人和，大事大业，繁荣昌隆。");
    EXPECT_EQ(entry(3).grade, "大吉");
    EXPECT_EQ(entry(3).categories, std::string(kLeader) + std::string(kLucky));
}

TEST(NumerologyData, VerseOpensWithTheNameAndHasFourPhrases) {
    ASSERT_EQ(entries().size(), static_cast<std::size_t>(kCount));
    for (const Entry& e : entries()) {
        SCOPED_TRACE(e.number);
        const std::string head =
            "（" + std::string(kNames[static_cast<std::size_t>(e.number - 1)]) + "）";
        ASSERT_TRUE(startsWith(e.verse, head)) << e.verse;
        const std::size_t chars = length(e.verse);
        EXPECT_GE(chars, 25u) << e.verse;
        EXPECT_LE(chars, 34u) << e.verse;

        // Four phrases: three commas, one closing full stop, and no empty phrase.
        const std::u32string body = utf8ToU32(std::string_view(e.verse).substr(head.size()));
        EXPECT_EQ(std::count(body.begin(), body.end(), U'，'), 3) << e.verse;
        EXPECT_EQ(std::count(body.begin(), body.end(), U'。'), 1) << e.verse;
        EXPECT_EQ(body.back(), U'。') << e.verse;
        EXPECT_EQ(body.find(U"，，"), std::u32string::npos) << e.verse;
        EXPECT_NE(body.front(), U'，') << e.verse;
        EXPECT_EQ(body.find(U"，。"), std::u32string::npos) << e.verse;
        EXPECT_EQ(body.find_first_of(U"（）"), std::u32string::npos) << e.verse;
    }
}

TEST(NumerologyData, GradesAreExactlyTheListedOnes) {
    // The grade table itself must name every number once.
    std::set<int> seen;
    std::map<std::string_view, std::size_t> sizes;
    for (const GradeGroup& g : gradeGroups()) {
        sizes[g.grade] = g.numbers.size();
        for (int n : g.numbers) {
            EXPECT_TRUE(seen.insert(n).second) << n << " listed twice";
        }
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(*seen.begin(), 1);
    EXPECT_EQ(*seen.rbegin(), kCount);
    EXPECT_EQ(sizes["大吉"], 29u);
    EXPECT_EQ(sizes["吉"], 2u);
    EXPECT_EQ(sizes["半吉"], 15u);
    EXPECT_EQ(sizes["凶"], 33u);
    EXPECT_EQ(sizes["大凶"], 2u);

    ASSERT_EQ(entries().size(), static_cast<std::size_t>(kCount));
    for (const Entry& e : entries()) {
        EXPECT_EQ(e.grade, gradeOf(e.number)) << "number " << e.number;
    }
}

TEST(NumerologyData, CategoryUnitsAreKnownAndCountedAsListed) {
    ASSERT_EQ(entries().size(), static_cast<std::size_t>(kCount));
    std::map<std::string_view, int> counts;
    for (const Entry& e : entries()) {
        SCOPED_TRACE(e.number);
        std::vector<std::string_view> units;
        ASSERT_TRUE(splitUnits(e.categories, units)) << e.categories;
        const std::set<std::string_view> distinct(units.begin(), units.end());
        EXPECT_EQ(distinct.size(), units.size()) << "a unit repeats: " << e.categories;
        for (std::string_view u : distinct) {
            ++counts[u];
        }
    }
    for (const UnitCount& u : kUnitCounts) {
        EXPECT_EQ(counts[u.unit], u.entries) << u.unit;
    }
}

TEST(NumerologyData, FortuneUnitFollowsTheGrade) {
    // Every number carries exactly one of the four fortune units, and it agrees with its grade:
    // 1 has its own unit, the other lucky numbers the lucky one, the half-lucky numbers the fairly
    // lucky one and every unlucky number the unlucky one.
    ASSERT_EQ(entries().size(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(entry(1).categories, kGreatLuck);
    for (const Entry& e : entries()) {
        SCOPED_TRACE(e.number);
        std::vector<std::string_view> units;
        ASSERT_TRUE(splitUnits(e.categories, units)) << e.categories;
        std::vector<std::string_view> fortune;
        std::copy_if(
            units.begin(), units.end(), std::back_inserter(fortune), [](std::string_view u) {
                return u == kGreatLuck || u == kLucky || u == kFairlyLucky || u == kUnlucky;
            });
        ASSERT_EQ(fortune.size(), 1u) << e.categories;
        std::string_view expected = kUnlucky;
        if (e.number == 1) {
            expected = kGreatLuck;
        } else if (e.grade == "大吉" || e.grade == "吉") {
            expected = kLucky;
        } else if (e.grade == "半吉") {
            expected = kFairlyLucky;
        }
        EXPECT_EQ(fortune.front(), expected) << e.categories;
    }
}

TEST(NumerologyData, TwoWivesUnitStandsBeforeMildOrAtTheEnd) {
    ASSERT_EQ(entries().size(), static_cast<std::size_t>(kCount));
    std::set<int> beforeMild;
    std::set<int> atEnd;
    for (const Entry& e : entries()) {
        SCOPED_TRACE(e.number);
        std::vector<std::string_view> units;
        ASSERT_TRUE(splitUnits(e.categories, units)) << e.categories;
        for (std::size_t i = 0; i < units.size(); ++i) {
            if (units[i] != kTwoWives) {
                continue;
            }
            if (i + 1 == units.size()) {
                atEnd.insert(e.number);
            } else if (units[i + 1] == kMild) {
                beforeMild.insert(e.number);
            } else {
                ADD_FAILURE() << "男性双妻运 followed by " << units[i + 1];
            }
        }
    }
    EXPECT_EQ(beforeMild.size(), 5u);
    EXPECT_EQ(atEnd, (std::set<int>{39, 41}));
    // In 39 and 41 it follows a closed unit, so the report shows it on a line of its own.
    EXPECT_TRUE(entry(39).categories.ends_with(std::string("）") + std::string(kTwoWives)));
    EXPECT_TRUE(entry(41).categories.ends_with(std::string("）") + std::string(kTwoWives)));
}

TEST(NumerologyData, ExplanationsHaveTheirLengthAndClosingPoem) {
    ASSERT_EQ(entries().size(), static_cast<std::size_t>(kCount));
    const std::string_view marker = "诗曰：";
    std::set<int> withoutPoem;
    for (const Entry& e : entries()) {
        SCOPED_TRACE(e.number);
        const std::size_t chars = length(e.explanation);
        // Entry 2 is its quoted opening followed directly by the poem, which keeps it shorter.
        if (e.number != 2) {
            EXPECT_GE(chars, 80u) << e.explanation;
        }
        EXPECT_LE(chars, 250u) << e.explanation;

        const std::size_t at = e.explanation.find(marker);
        if (at == std::string::npos) {
            withoutPoem.insert(e.number);
            // The two entries without a poem open with a verse of their own instead.
            const std::u32string text = utf8ToU32(e.explanation);
            EXPECT_TRUE(isSevenCharacterQuatrain(std::u32string_view(text).substr(0, 32)))
                << e.explanation;
            EXPECT_GT(text.size(), 32u + 40u) << "too little prose after the opening verse";
            continue;
        }
        EXPECT_EQ(e.explanation.find(marker, at + marker.size()), std::string::npos)
            << "more than one poem";
        EXPECT_GT(at, 0u) << "no prose before the poem";
        const std::u32string poem =
            utf8ToU32(std::string_view(e.explanation).substr(at + marker.size()));
        EXPECT_TRUE(isSevenCharacterQuatrain(poem)) << e.explanation;
    }
    EXPECT_EQ(kCount - static_cast<int>(withoutPoem.size()), 79);
    EXPECT_EQ(withoutPoem, (std::set<int>{1, 81}));
}

TEST(NumerologyData, EntryTwoIsItsOpeningAndAPoem) {
    ASSERT_EQ(entries().size(), static_cast<std::size_t>(kCount));
    const std::string_view opening = "未定的分离破灭数，混沌未定，为最大凶恶的暗示。诗曰：";
    const std::string_view text = entry(2).explanation;
    ASSERT_TRUE(startsWith(text, opening)) << text;
    EXPECT_TRUE(isSevenCharacterQuatrain(utf8ToU32(text.substr(opening.size())))) << text;
}

TEST(NumerologyData, QuatrainCheckRejectsBrokenPoems) {
    EXPECT_TRUE(isSevenCharacterQuatrain(
        U"天地开泰万事成，身体康安亦富荣，否泰名誉兼享福，一生无忧乐绵长。"));
    // A line one character short, a missing closing stop and a fifth line all fail.
    EXPECT_FALSE(isSevenCharacterQuatrain(
        U"天地开泰万事，身体康安亦富荣，否泰名誉兼享福，一生无忧乐绵长。"));
    EXPECT_FALSE(isSevenCharacterQuatrain(
        U"天地开泰万事成，身体康安亦富荣，否泰名誉兼享福，一生无忧乐绵长，"));
    EXPECT_FALSE(isSevenCharacterQuatrain(
        U"天地开泰万事成，身体康安亦富荣，否泰名誉兼享福，一生无忧乐绵长。一生无忧乐绵长。"));
    EXPECT_FALSE(isSevenCharacterQuatrain(
        U"天地开泰万事成。身体康安亦富荣，否泰名誉兼享福，一生无忧乐绵长。"));
}

TEST(NumerologyData, UnitSplitterRejectsUnknownText) {
    std::vector<std::string_view> units;
    EXPECT_TRUE(splitUnits(std::string(kFairlyLucky) + std::string(kLucky), units));
    EXPECT_EQ(units, (std::vector<std::string_view>{kFairlyLucky, kLucky}));
    // "次吉祥运（…）" must not be taken for "吉祥运（…）", and a changed explanation is unknown.
    EXPECT_FALSE(splitUnits("吉祥运（表示健全、幸福等）", units));
    EXPECT_FALSE(splitUnits(std::string(kLucky) + "x", units));
}

}  // namespace
}  // namespace norlune
