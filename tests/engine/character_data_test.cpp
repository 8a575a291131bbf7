// Checks the generated character data (data/strokes.txt, data/traditional.txt, data/elements.txt)
// against the facts that lookups and reports rely on: list sizes and effective counts, the fixed
// lists and beginnings, characters with several lists, pair indices, element list lengths, marks,
// beginnings and ends. A regenerated file that breaks one of them fails here.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/elements_txt.h"
#include "embedded/strokes_txt.h"
#include "embedded/traditional_txt.h"
#include "engine/element_lists.h"
#include "engine/stroke_dictionary.h"
#include "engine/text_lines.h"
#include "engine/traditional_map.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

char32_t cp(std::string_view oneChar) {
    const std::u32string decoded = utf8ToU32(oneChar);
    EXPECT_EQ(decoded.size(), 1u) << oneChar;
    return decoded.empty() ? U'\0' : decoded.front();
}

bool isHan(char32_t ch) {
    return (ch >= 0x4E00 && ch <= 0x9FFF) || (ch >= 0x3400 && ch <= 0x4DBF);
}

// The shape every data file shares: UTF-8 without byte-order mark, LF line ends, a final LF.
void expectPlainTextFile(std::string_view text, std::size_t lines) {
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(text.find('\r'), std::string_view::npos);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(splitLines(text).size(), lines);
}

// ---------------------------------------------------------------------------------------------
// Stroke dictionary

struct StrokeData {
    std::vector<std::u32string> lists;  // lists[k] for k = 1..33, lists[0] empty

    static StrokeData load() {
        StrokeData data;
        data.lists.emplace_back();
        for (std::string_view line : splitLines(embedded::kStrokesTxt)) {
            data.lists.push_back(utf8ToU32(line));
        }
        return data;
    }

    // The lowest list holding the character, as the lookup defines it.
    std::optional<int> lowest(char32_t ch) const {
        for (std::size_t k = 1; k < lists.size(); ++k) {
            if (lists[k].find(ch) != std::u32string::npos) {
                return static_cast<int>(k);
            }
        }
        return std::nullopt;
    }

    std::vector<int> listsOf(char32_t ch) const {
        std::vector<int> found;
        for (std::size_t k = 1; k < lists.size(); ++k) {
            if (lists[k].find(ch) != std::u32string::npos) {
                found.push_back(static_cast<int>(k));
            }
        }
        return found;
    }
};

struct ListSize {
    int chars;
    int effective;
};

// Characters as stored and characters that no lower list holds, for lists 1..33.
constexpr std::array<ListSize, 34> kListSizes = {{
    {0, 0},     {2, 2},     {12, 12},   {31, 30},   {75, 75},   {94, 94},   {118, 117},
    {173, 168}, {218, 214}, {258, 254}, {338, 325}, {354, 340}, {342, 325}, {379, 358},
    {363, 341}, {307, 289}, {254, 241}, {208, 194}, {137, 125}, {115, 106}, {94, 86},
    {69, 65},   {85, 74},   {51, 45},   {22, 19},   {21, 20},   {8, 7},     {10, 10},
    {5, 4},     {3, 2},     {3, 3},     {0, 0},     {1, 0},     {1, 1},
}};

TEST(StrokeDataTest, FileHasThirtyThreeLines) {
    expectPlainTextFile(embedded::kStrokesTxt, 33);
}

TEST(StrokeDataTest, ListSizesAndEffectiveCountsUnderTheLowestListRule) {
    const StrokeData data = StrokeData::load();
    ASSERT_EQ(data.lists.size(), 34u);
    std::set<char32_t> seen;
    std::size_t occurrences = 0;
    for (std::size_t k = 1; k <= 33; ++k) {
        std::set<char32_t> fresh;
        for (char32_t ch : data.lists[k]) {
            if (!seen.count(ch)) {
                fresh.insert(ch);
            }
        }
        EXPECT_EQ(data.lists[k].size(), static_cast<std::size_t>(kListSizes[k].chars))
            << "list " << k;
        EXPECT_EQ(fresh.size(), static_cast<std::size_t>(kListSizes[k].effective)) << "list " << k;
        seen.insert(fresh.begin(), fresh.end());
        occurrences += data.lists[k].size();
    }
    EXPECT_EQ(occurrences, 4151u);
    EXPECT_EQ(seen.size(), 3946u);
    EXPECT_TRUE(data.lists[31].empty());
}

TEST(StrokeDataTest, ListsHoldOnlyHanCharacters) {
    const StrokeData data = StrokeData::load();
    for (std::size_t k = 1; k < data.lists.size(); ++k) {
        for (char32_t ch : data.lists[k]) {
            EXPECT_TRUE(isHan(ch))
                << "list " << k << " holds U+" << std::hex << static_cast<unsigned>(ch);
        }
    }
}

TEST(StrokeDataTest, FixedListsAreExact) {
    const StrokeData data = StrokeData::load();
    const std::map<int, std::string_view> fixed = {
        {1, "一乙"},
        {2, "二丁乃入了人刀刁力匕卜又"},
        {3, "三丈上下久夕仃乞干刃千口土士大女子于小山川工己已巾夕弓才万丸凡"},
        {30, "鲡鸾鹂"},
        {32, "吁"},
        {33, "麤"},
    };
    for (const auto& [k, text] : fixed) {
        EXPECT_EQ(u32ToUtf8(data.lists[static_cast<std::size_t>(k)]), text) << "list " << k;
    }
}

TEST(StrokeDataTest, ListsFourAndTenKeepTheirBeginnings) {
    const StrokeData data = StrokeData::load();
    EXPECT_EQ(u32ToUtf8(data.lists[4].substr(0, 8)), "四不中丹之予互井");
    EXPECT_EQ(u32ToUtf8(data.lists[10].substr(0, 6)), "十乘修俱俸倅");
}

TEST(StrokeDataTest, NumeralsLeadTheListOfTheirValue) {
    const StrokeData data = StrokeData::load();
    const std::u32string numerals = U"一二三四五六七八九十";
    for (std::size_t i = 0; i < numerals.size(); ++i) {
        const int value = static_cast<int>(i) + 1;
        EXPECT_EQ(data.lists[i + 1].front(), numerals[i]) << "list " << value;
        EXPECT_EQ(data.lowest(numerals[i]), value);
    }
}

TEST(StrokeDataTest, CharactersWithSeveralListsStandInExactlyThose) {
    const StrokeData data = StrokeData::load();
    EXPECT_EQ(data.listsOf(cp("干")), (std::vector<int>{3, 11, 13}));
    EXPECT_EQ(data.listsOf(cp("万")), (std::vector<int>{3, 15}));
    EXPECT_EQ(data.listsOf(cp("千")), (std::vector<int>{3, 24}));
    EXPECT_EQ(data.listsOf(cp("吁")), (std::vector<int>{10, 32}));
    // 夕 stands twice in list 3.
    std::size_t xi = 0;
    for (char32_t ch : data.lists[3]) {
        xi += ch == cp("夕") ? 1 : 0;
    }
    EXPECT_EQ(xi, 2u);
}

TEST(StrokeDataTest, CountsFollowTheTraditionalForm) {
    const StrokeData data = StrokeData::load();
    const std::map<std::string_view, int> counts = {
        {"一", 1},
        {"四", 4},
        {"五", 5},
        {"七", 7},
        {"十", 10},
        {"个", 10},
        {"们", 10},
        {"云", 12},
        {"杰", 12},
        {"胜", 12},
        {"干", 3},
        {"万", 3},
        {"千", 3},
        {"吁", 10},
        {"王", 4},
        {"小", 3},
        {"明", 8},
        {"欧", 15},
        {"阳", 17},
        {"张", 11},
        {"才", 3},
        // 钟 counts as 鍾, the form its first pair converts it to; 鐘 adds list 20.
        {"钟", 17},
    };
    for (const auto& [ch, count] : counts) {
        EXPECT_EQ(data.lowest(cp(ch)), count) << ch;
    }
}

TEST(StrokeDataTest, TraditionalFormsAndLeftOutCharactersHaveNoCount) {
    const StrokeData data = StrokeData::load();
    for (std::string_view ch : {"伟", "張", "個", "萬", "陽", "歐"}) {
        EXPECT_EQ(data.lowest(cp(ch)), std::nullopt) << ch;
    }
    EXPECT_EQ(data.lowest(U'A'), std::nullopt);
    // No traditional character of the pairs stands in any list (叠 included, which is also the
    // simplified side of a later pair).
    const std::vector<std::string_view> rows = splitLines(embedded::kTraditionalTxt);
    ASSERT_EQ(rows.size(), 2u);
    for (std::string_view field : splitFields(rows[1], ',')) {
        const std::u32string trad = utf8ToU32(field);
        ASSERT_EQ(trad.size(), 1u);
        EXPECT_EQ(data.lowest(trad.front()), std::nullopt) << field;
    }
}

// Characters common in given names count although GB 2312 puts most of them on its second level
// (or beyond it); same-count characters that names avoid gave way to them.
TEST(StrokeDataTest, CommonNameCharactersHaveTheirCountsAndElements) {
    const StrokeData data = StrokeData::load();
    const ElementCharacterLists elements = ElementCharacterLists::builtIn();
    const std::map<std::string_view, int> counts = {
        {"婷", 12},
        {"怡", 9},
        {"萱", 15},
        {"妍", 9},
        {"雯", 12},
        {"倩", 10},
        {"媛", 12},
        {"薇", 19},
        {"梓", 11},
        {"昊", 8},
        {"皓", 12},
        {"晗", 11},
        {"宸", 10},
        {"瑾", 16},
        {"娅", 11},
        {"婕", 11},
        {"霏", 16},
        {"翊", 11},
        {"鑫", 24},
        {"淼", 12},
        {"焱", 12},
        {"茜", 12},
        {"滢", 19},
        {"淇", 12},
        {"琛", 13},
        {"璇", 16},
        {"珂", 10},
        {"珏", 10},
        {"烨", 16},
        {"晔", 16},
        {"昕", 8},
        {"晟", 11},
        {"昀", 8},
        {"玥", 9},
        // Counted in their own form, not as 蕓 (18) and 奼 (6).
        {"芸", 10},
        {"姹", 9},
    };
    for (const auto& [ch, count] : counts) {
        EXPECT_EQ(data.lowest(cp(ch)), count) << ch;
        EXPECT_NE(elements.ElementOfCharacter(cp(ch)), "") << ch << " has no element";
    }
    // Among those that gave way: characters of filth, illness and death.
    for (std::string_view ch : {"屎", "瘟", "棺", "尸"}) {
        EXPECT_EQ(data.lowest(cp(ch)), std::nullopt) << ch;
    }
}

// Surnames count too, so that no grid of a full name adds 0 for its surname.
TEST(StrokeDataTest, SurnamesOfTheSecondLevelHaveTheirCounts) {
    const StrokeData data = StrokeData::load();
    const std::map<std::string_view, int> counts = {
        {"闫", 11}, {"覃", 12}, {"滕", 14}, {"岑", 7},  {"佟", 7}, {"瞿", 18},
        {"褚", 15}, {"濮", 18}, {"邬", 17}, {"臧", 14}, {"冼", 8}, {"亓", 4},
    };
    for (const auto& [ch, count] : counts) {
        EXPECT_EQ(data.lowest(cp(ch)), count) << ch;
    }
    // 於 counts in its own form, 于 keeps its 3 strokes.
    EXPECT_EQ(data.lowest(cp("於")), 8);
    EXPECT_EQ(data.lowest(cp("于")), 3);
}

// ---------------------------------------------------------------------------------------------
// Simplified/traditional pairs

struct PairData {
    std::vector<char32_t> simplified;
    std::vector<char32_t> traditional;

    static PairData load() {
        PairData data;
        const std::vector<std::string_view> rows = splitLines(embedded::kTraditionalTxt);
        if (rows.size() != 2) {
            return data;
        }
        for (std::size_t row = 0; row < 2; ++row) {
            auto& out = row == 0 ? data.simplified : data.traditional;
            for (std::string_view field : splitFields(rows[row], ',')) {
                const std::u32string ch = utf8ToU32(field);
                out.push_back(ch.size() == 1 ? ch.front() : U'\0');
            }
        }
        return data;
    }

    // The conversion as defined: every pair in order, each on the result of those before.
    std::u32string convert(std::u32string text) const {
        for (std::size_t i = 0; i < simplified.size(); ++i) {
            for (char32_t& ch : text) {
                if (ch == simplified[i]) {
                    ch = traditional[i];
                }
            }
        }
        return text;
    }
};

TEST(TraditionalDataTest, TwoListsOf1275SingleCharacters) {
    expectPlainTextFile(embedded::kTraditionalTxt, 2);
    const PairData data = PairData::load();
    ASSERT_EQ(data.simplified.size(), 1275u);
    ASSERT_EQ(data.traditional.size(), 1275u);
    for (std::size_t i = 0; i < data.simplified.size(); ++i) {
        EXPECT_TRUE(isHan(data.simplified[i])) << "pair " << i;
        EXPECT_TRUE(isHan(data.traditional[i])) << "pair " << i;
        EXPECT_NE(data.simplified[i], data.traditional[i]) << "pair " << i << " maps to itself";
    }
}

TEST(TraditionalDataTest, FirstAndLastPairs) {
    const PairData data = PairData::load();
    ASSERT_EQ(data.simplified.size(), 1275u);
    const std::vector<std::pair<std::size_t, std::string_view>> pairs = {
        {0, "皑皚"}, {1, "蔼藹"}, {2, "碍礙"}, {1273, "链鍊"}, {1274, "泄洩"},
    };
    for (const auto& [index, pair] : pairs) {
        EXPECT_EQ(u32ToUtf8(std::u32string{data.simplified[index], data.traditional[index]}), pair)
            << "pair " << index;
    }
}

TEST(TraditionalDataTest, EightCharactersHaveTwoPairsAtFixedIndices) {
    const PairData data = PairData::load();
    ASSERT_EQ(data.simplified.size(), 1275u);
    struct Twice {
        std::string_view simple;
        std::size_t first;
        std::string_view firstTrad;
        std::size_t second;
        std::string_view secondTrad;
    };
    const std::vector<Twice> expected = {
        {"爱", 3, "愛", 704, "愛"},    {"国", 296, "國", 703, "國"},
        {"里", 524, "裏", 1270, "裡"}, {"链", 544, "鏈", 1273, "鍊"},
        {"么", 644, "麽", 1263, "麼"}, {"启", 725, "啓", 1268, "啟"},
        {"为", 927, "爲", 1264, "為"}, {"钟", 1214, "鍾", 1262, "鐘"},
    };
    std::map<char32_t, std::vector<std::size_t>> indices;
    for (std::size_t i = 0; i < data.simplified.size(); ++i) {
        indices[data.simplified[i]].push_back(i);
    }
    std::set<char32_t> twice;
    for (const auto& [ch, where] : indices) {
        EXPECT_LE(where.size(), 2u);
        if (where.size() == 2) {
            twice.insert(ch);
        }
    }
    EXPECT_EQ(twice.size(), expected.size());
    for (const Twice& t : expected) {
        const char32_t ch = cp(t.simple);
        EXPECT_EQ(indices[ch], (std::vector<std::size_t>{t.first, t.second})) << t.simple;
        EXPECT_EQ(data.traditional[t.first], cp(t.firstTrad)) << t.simple;
        EXPECT_EQ(data.traditional[t.second], cp(t.secondTrad)) << t.simple;
    }
}

TEST(TraditionalDataTest, OnlyTheDieChainLinksTwoPairs) {
    const PairData data = PairData::load();
    ASSERT_EQ(data.simplified.size(), 1275u);
    EXPECT_EQ(data.simplified[170], cp("迭"));
    EXPECT_EQ(data.traditional[170], cp("叠"));
    EXPECT_EQ(data.simplified[172], cp("叠"));
    EXPECT_EQ(data.traditional[172], cp("疊"));
    std::map<char32_t, std::size_t> firstSimple;
    for (std::size_t i = 0; i < data.simplified.size(); ++i) {
        firstSimple.emplace(data.simplified[i], i);
    }
    std::vector<std::size_t> chained;
    for (std::size_t i = 0; i < data.traditional.size(); ++i) {
        if (firstSimple.count(data.traditional[i])) {
            chained.push_back(i);
        }
    }
    EXPECT_EQ(chained, (std::vector<std::size_t>{170}));
}

TEST(TraditionalDataTest, ConversionInPairOrder) {
    const PairData data = PairData::load();
    ASSERT_EQ(data.simplified.size(), 1275u);
    const std::vector<std::pair<std::u32string, std::u32string>> cases = {
        {U"爱国", U"愛國"}, {U"里", U"裏"}, {U"迭", U"疊"},     {U"为", U"爲"},
        {U"钟", U"鍾"},     {U"么", U"麽"}, {U"启", U"啓"},     {U"链", U"鏈"},
        {U"泄", U"洩"},     {U"王", U"王"}, {U"欧阳", U"歐陽"}, {U"张", U"張"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(u32ToUtf8(data.convert(in)), u32ToUtf8(out)) << u32ToUtf8(in);
    }
}

// ---------------------------------------------------------------------------------------------
// Element character lists

struct ElementList {
    std::string_view element;
    std::size_t length;
    std::size_t han;
    std::vector<std::size_t> marks;  // positions counted from 1
    std::string_view begin;
    std::string_view end;
};

const std::array<ElementList, 5>& elementLists() {
    static const std::array<ElementList, 5> lists = {{
        {"金",
         1502,
         1500,
         {7, 43},
         "匕刀人入厶才*亍川寸千刃三上尸士夕小仇乏戈仁仍冗少升什氏手殳",
         "骥镊酾跹趱黩銮锣颞钻齼爨"},
        {"木",
         1829,
         1827,
         {67, 112},
         "干工弓丌及孑巾久口廿乞彡已卞丐公勾介今斤亢孔木牛亓欠犬牙元月",
         "榄萝箩蘸缵蠼躜颧谳笾戆棂"},
        {"水",
         1569,
         1568,
         {110},
         "勹卜乜凡亡下子巴比不歹反方分夫父互户化幻毛爿匹片壬卅水文毋勿",
         "灏鹱漯蛮蘼襻湾滦缬滟戅骉"},
        {"火",
         1366,
         1366,
         {},
         "刁丁二力了彳大孓女勺巳乇幺弋丈尺丹吊仃斗火井仂内日太天屯午爻",
         "鸬鲈骧魑轹跞骊躏鹂鲡鸾馕"},
        {"土",
         786,
         786,
         {},
         "又一乙己山土丸兀丫也尢于厄切王卬夭尹引尤友予曰允凹瓦戊矽央以",
         "鳙饔娈岩缨坝罐盐艳呓鹦鹳"},
    }};
    return lists;
}

std::vector<std::u32string> loadElementLists() {
    std::vector<std::u32string> lists;
    for (std::string_view line : splitLines(embedded::kElementsTxt)) {
        lists.push_back(utf8ToU32(line));
    }
    return lists;
}

TEST(ElementDataTest, FiveListsWithTheirLengthsAndMarks) {
    expectPlainTextFile(embedded::kElementsTxt, 5);
    const std::vector<std::u32string> lists = loadElementLists();
    ASSERT_EQ(lists.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        const ElementList& want = elementLists()[i];
        EXPECT_EQ(lists[i].size(), want.length) << want.element;
        std::vector<std::size_t> marks;
        std::size_t han = 0;
        for (std::size_t pos = 0; pos < lists[i].size(); ++pos) {
            if (lists[i][pos] == U'*') {
                marks.push_back(pos + 1);
            } else {
                EXPECT_TRUE(isHan(lists[i][pos])) << want.element << " position " << pos + 1;
                ++han;
            }
        }
        EXPECT_EQ(han, want.han) << want.element;
        EXPECT_EQ(marks, want.marks) << want.element;
    }
}

TEST(ElementDataTest, BeginningsAndEndsAreExact) {
    const std::vector<std::u32string> lists = loadElementLists();
    ASSERT_EQ(lists.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        const ElementList& want = elementLists()[i];
        const std::u32string begin = utf8ToU32(want.begin);
        const std::u32string end = utf8ToU32(want.end);
        ASSERT_GE(lists[i].size(), begin.size() + end.size());
        EXPECT_EQ(u32ToUtf8(lists[i].substr(0, begin.size())), want.begin) << want.element;
        EXPECT_EQ(u32ToUtf8(lists[i].substr(lists[i].size() - end.size())), want.end)
            << want.element;
    }
}

TEST(ElementDataTest, ListsAreDisjointWithoutRepeats) {
    const std::vector<std::u32string> lists = loadElementLists();
    ASSERT_EQ(lists.size(), 5u);
    std::map<char32_t, std::size_t> owner;
    std::size_t han = 0;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        for (char32_t ch : lists[i]) {
            if (ch == U'*') {
                continue;
            }
            ++han;
            const auto [it, fresh] = owner.emplace(ch, i);
            EXPECT_TRUE(fresh) << u32ToUtf8(std::u32string(1, ch)) << " in "
                               << elementLists()[it->second].element << " and "
                               << elementLists()[i].element;
        }
    }
    EXPECT_EQ(han, 7047u);
    EXPECT_EQ(owner.size(), 7047u);
}

TEST(ElementDataTest, ListsHoldSimplifiedFormsOnly) {
    const std::vector<std::u32string> lists = loadElementLists();
    std::u32string all;
    for (const std::u32string& list : lists) {
        all += list;
    }
    for (std::string_view present : {"龙", "刘", "张", "叠"}) {
        EXPECT_NE(all.find(cp(present)), std::u32string::npos) << present;
    }
    for (std::string_view absent : {"龍", "劉", "張", "後", "麽"}) {
        EXPECT_EQ(all.find(cp(absent)), std::u32string::npos) << absent;
    }
    // A traditional side of a pair appears only where it is also the simplified side of one.
    const PairData pairs = PairData::load();
    const std::set<char32_t> simple(pairs.simplified.begin(), pairs.simplified.end());
    for (char32_t trad : pairs.traditional) {
        if (!simple.count(trad)) {
            EXPECT_EQ(all.find(trad), std::u32string::npos) << u32ToUtf8(std::u32string(1, trad));
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The built-in tables read from the same data

TEST(CharacterDataEngineTest, BuiltInDictionaryGivesTheKnownCounts) {
    const StrokeDictionary dict = StrokeDictionary::builtIn();
    EXPECT_EQ(dict.getnum(cp("王")), 4);
    EXPECT_EQ(dict.getnum(cp("明")), 8);
    EXPECT_EQ(dict.getnum(cp("小")), 3);
    EXPECT_EQ(dict.getnum(cp("欧")), 15);
    EXPECT_EQ(dict.getnum(cp("阳")), 17);
    EXPECT_EQ(dict.getnum(cp("张")), 11);
    EXPECT_EQ(dict.getnum(cp("干")), 3);
    EXPECT_EQ(dict.getnum(cp("吁")), 10);
    EXPECT_EQ(dict.getnum(cp("張")), std::nullopt);
    EXPECT_EQ(dict.getnum(cp("伟")), std::nullopt);
}

TEST(CharacterDataEngineTest, BuiltInConversionAndElements) {
    const TraditionalMap map = TraditionalMap::builtIn();
    EXPECT_EQ(map.GbToBig("爱国"), "愛國");
    EXPECT_EQ(map.GbToBig("迭"), "疊");
    EXPECT_EQ(map.GbToBig("里"), "裏");
    EXPECT_EQ(map.GbToBig("王"), "王");
    const ElementCharacterLists elements = ElementCharacterLists::builtIn();
    EXPECT_EQ(elements.ElementOfCharacter(cp("匕")), "金");
    EXPECT_EQ(elements.ElementOfCharacter(cp("木")), "木");
    EXPECT_EQ(elements.ElementOfCharacter(cp("水")), "水");
    EXPECT_EQ(elements.ElementOfCharacter(cp("火")), "火");
    EXPECT_EQ(elements.ElementOfCharacter(cp("王")), "土");
    EXPECT_EQ(elements.ElementOfCharacter(U'*'), "金");
    EXPECT_EQ(elements.ElementOfCharacter(cp("龍")), "");
}

}  // namespace
}  // namespace norlune
