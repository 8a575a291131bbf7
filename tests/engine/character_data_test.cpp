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
#include <utility>
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
        {"闫", 11}, {"覃", 12}, {"滕", 15}, {"岑", 7},  {"佟", 7}, {"瞿", 18},
        {"褚", 15}, {"濮", 18}, {"邬", 17}, {"臧", 14}, {"冼", 8}, {"亓", 4},
    };
    for (const auto& [ch, count] : counts) {
        EXPECT_EQ(data.lowest(cp(ch)), count) << ch;
    }
    // 於 counts in its own form, 于 keeps its 3 strokes.
    EXPECT_EQ(data.lowest(cp("於")), 8);
    EXPECT_EQ(data.lowest(cp("于")), 3);
}

// Counts that naming books agree on, for the most common surnames and given-name characters, each
// with the rule it follows: the full Kangxi radical plus the residual strokes (short radical forms
// counted in full: 氵 as 水 4, 艹 as 艸 6, left 阝 as 阜 8 ...), on the traditional form where the
// character has one; or the drawn total, where the character is drawn with more strokes than the
// radical plus the residual (泰 10, not 9). A generator change that brings back a count that is
// one short, or counts a variant glyph instead of the standard form, fails here.
struct KnownCount {
    std::string_view ch;
    int count;
    std::string_view rule;
};

constexpr KnownCount kKnownCounts[] = {
    {"王", 4, "radical + residual"},
    {"李", 7, "radical + residual"},
    {"张", 11, "張: radical + residual"},
    {"刘", 15, "劉: radical + residual"},
    {"陈", 16, "陳: left 阝 as 阜 8 + residual"},
    {"杨", 13, "楊: radical + residual"},
    {"黄", 12, "黃: radical + residual"},
    {"赵", 14, "趙: radical + residual"},
    {"吴", 7, "吳: radical + residual"},
    {"周", 8, "radical + residual"},
    {"徐", 10, "radical + residual"},
    {"孙", 10, "孫: radical + residual"},
    {"马", 10, "馬: radical + residual"},
    {"朱", 6, "own form: radical + residual"},
    {"胡", 11, "own form: 月 as 肉 6 + residual"},
    {"郭", 15, "right 阝 as 邑 7 + residual"},
    {"何", 7, "radical + residual"},
    {"高", 10, "radical + residual"},
    {"林", 8, "radical + residual"},
    {"罗", 20, "羅: radical + residual"},
    {"郑", 19, "鄭: right 阝 as 邑 7 + residual"},
    {"梁", 11, "radical + residual"},
    {"谢", 17, "謝: radical + residual"},
    {"宋", 7, "radical + residual"},
    {"唐", 10, "radical + residual"},
    {"许", 11, "許: radical + residual"},
    {"韩", 17, "韓: radical + residual"},
    {"冯", 12, "馮: radical + residual"},
    {"邓", 19, "鄧: right 阝 as 邑 7 + residual"},
    {"曹", 11, "radical + residual"},
    {"彭", 12, "radical + residual"},
    {"曾", 12, "radical + residual"},
    {"肖", 9, "月 as 肉 6 + residual"},
    {"田", 5, "radical + residual"},
    {"董", 15, "艹 as 艸 6 + residual"},
    {"袁", 10, "radical + residual"},
    {"潘", 16, "氵 as 水 4 + residual"},
    {"于", 3, "own form: radical + residual"},
    {"蒋", 17, "蔣: 艹 as 艸 6 + residual"},
    {"蔡", 17, "艹 as 艸 6 + residual"},
    {"余", 7, "own form: radical + residual"},
    {"杜", 7, "radical + residual"},
    {"叶", 15, "葉: 艹 as 艸 6 + residual"},
    {"程", 12, "radical + residual"},
    {"苏", 22, "蘇: 艹 as 艸 6 + residual"},
    {"魏", 18, "radical + residual"},
    {"吕", 7, "呂: radical + residual"},
    {"丁", 2, "radical + residual"},
    {"任", 6, "radical + residual"},
    {"沈", 8, "own form: 氵 as 水 4 + residual"},
    {"姚", 9, "radical + residual"},
    {"卢", 16, "盧: radical + residual"},
    {"姜", 9, "own form: radical + residual"},
    {"崔", 11, "radical + residual"},
    {"钟", 17, "鍾: radical + residual"},
    {"谭", 19, "譚: radical + residual"},
    {"陆", 16, "陸: left 阝 as 阜 8 + residual"},
    {"汪", 8, "氵 as 水 4 + residual"},
    {"范", 11, "own form: 艹 as 艸 6 + residual"},
    {"金", 8, "radical + residual"},
    {"石", 5, "radical + residual"},
    {"廖", 14, "radical + residual"},
    {"贾", 13, "賈: radical + residual"},
    {"夏", 10, "radical + residual"},
    {"韦", 9, "韋: radical + residual"},
    {"方", 4, "radical + residual"},
    {"白", 5, "radical + residual"},
    {"邹", 17, "鄒: right 阝 as 邑 7 + residual"},
    {"孟", 8, "radical + residual"},
    {"熊", 14, "radical + residual"},
    {"秦", 10, "radical + residual"},
    {"邱", 12, "right 阝 as 邑 7 + residual"},
    {"江", 7, "氵 as 水 4 + residual"},
    {"尹", 4, "radical + residual"},
    {"薛", 19, "艹 as 艸 6 + residual"},
    {"闫", 11, "閆: radical + residual"},
    {"段", 9, "radical + residual"},
    {"雷", 13, "radical + residual"},
    {"侯", 9, "radical + residual"},
    {"龙", 16, "龍: radical + residual"},
    {"史", 5, "radical + residual"},
    {"陶", 16, "left 阝 as 阜 8 + residual"},
    {"黎", 15, "radical + residual"},
    {"贺", 12, "賀: radical + residual"},
    {"顾", 21, "顧: radical + residual"},
    {"毛", 4, "radical + residual"},
    {"郝", 14, "right 阝 as 邑 7 + residual"},
    {"龚", 22, "龔: radical + residual"},
    {"邵", 12, "right 阝 as 邑 7 + residual"},
    {"钱", 16, "錢: radical + residual"},
    {"严", 20, "嚴: radical + residual"},
    {"覃", 12, "radical + residual"},
    {"武", 8, "radical + residual"},
    {"戴", 18, "radical + residual"},
    {"莫", 13, "艹 as 艸 6 + residual"},
    {"孔", 4, "radical + residual"},
    {"向", 6, "own form: radical + residual"},
    {"汤", 13, "湯: 氵 as 水 4 + residual"},
    {"常", 11, "radical + residual"},
    {"温", 14, "溫: 氵 as 水 4 + residual"},
    {"康", 11, "radical + residual"},
    {"施", 9, "radical + residual"},
    {"文", 4, "radical + residual"},
    {"牛", 4, "radical + residual"},
    {"葛", 15, "艹 as 艸 6 + residual"},
    {"邢", 11, "right 阝 as 邑 7 + residual"},
    {"安", 6, "radical + residual"},
    {"齐", 14, "齊: radical + residual"},
    {"易", 8, "radical + residual"},
    {"乔", 12, "喬: radical + residual"},
    {"伍", 6, "radical + residual"},
    {"庞", 19, "龐: radical + residual"},
    {"颜", 18, "顏: radical + residual"},
    {"倪", 10, "radical + residual"},
    {"庄", 13, "莊: 艹 as 艸 6 + residual"},
    {"聂", 18, "聶: radical + residual"},
    {"章", 11, "radical + residual"},
    {"滕", 15, "drawn total"},
    {"欧", 15, "歐: radical + residual"},
    {"阳", 17, "陽: left 阝 as 阜 8 + residual"},
    {"政", 9, "drawn total"},
    {"泰", 10, "drawn total"},
    {"露", 21, "drawn total"},
    {"紫", 12, "drawn total"},
    {"斌", 12, "drawn total"},
    {"兴", 16, "興: drawn total"},
    {"毓", 14, "drawn total"},
    {"求", 7, "drawn total"},
    {"致", 10, "own form: drawn total"},
    {"整", 16, "drawn total"},
    {"绣", 19, "繡: drawn total"},
    {"蕴", 22, "蘊: 艹 as 艸 6 + residual"},
    {"箫", 19, "簫: drawn total"},
    {"明", 8, "radical + residual"},
    {"国", 11, "國: radical + residual"},
    {"家", 10, "own form: radical + residual"},
    {"军", 9, "軍: radical + residual"},
    {"华", 14, "華: 艹 as 艸 6 + residual"},
    {"生", 5, "radical + residual"},
    {"玉", 5, "radical + residual"},
    {"光", 6, "radical + residual"},
    {"天", 4, "radical + residual"},
    {"云", 12, "雲: radical + residual"},
    {"志", 7, "own form: radical + residual"},
    {"海", 11, "氵 as 水 4 + residual"},
    {"东", 8, "東: radical + residual"},
    {"建", 9, "radical + residual"},
    {"英", 11, "艹 as 艸 6 + residual"},
    {"宝", 20, "寶: radical + residual"},
    {"永", 5, "radical + residual"},
    {"春", 9, "radical + residual"},
    {"达", 16, "達: 辶 as 辵 7 + residual"},
    {"兰", 23, "蘭: 艹 as 艸 6 + residual"},
    {"清", 12, "氵 as 水 4 + residual"},
    {"晓", 16, "曉: radical + residual"},
    {"祥", 11, "礻 as 示 5 + residual"},
    {"丽", 19, "麗: radical + residual"},
    {"庆", 15, "慶: radical + residual"},
    {"秀", 7, "radical + residual"},
    {"忠", 8, "radical + residual"},
    {"福", 14, "礻 as 示 5 + residual"},
    {"荣", 14, "榮: radical + residual"},
    {"义", 13, "義: radical + residual"},
    {"民", 5, "radical + residual"},
    {"思", 9, "radical + residual"},
    {"昌", 8, "radical + residual"},
    {"峰", 10, "radical + residual"},
    {"俊", 9, "radical + residual"},
    {"红", 9, "紅: radical + residual"},
    {"波", 9, "氵 as 水 4 + residual"},
    {"飞", 9, "飛: radical + residual"},
    {"剑", 15, "劍: radical + residual"},
    {"敏", 11, "radical + residual"},
    {"梅", 11, "radical + residual"},
    {"宁", 14, "寧: radical + residual"},
    {"杰", 12, "傑: radical + residual"},
    {"美", 9, "radical + residual"},
    {"凤", 14, "鳳: radical + residual"},
    {"振", 11, "扌 as 手 4 + residual"},
    {"瑞", 14, "王 as 玉 5 + residual"},
    {"松", 8, "own form: radical + residual"},
    {"贵", 12, "貴: radical + residual"},
    {"诺", 16, "諾: radical + residual"},
    {"刚", 10, "剛: radical + residual"},
    {"嘉", 14, "radical + residual"},
    {"景", 12, "radical + residual"},
    {"芳", 10, "艹 as 艸 6 + residual"},
    {"胜", 12, "勝: radical + residual"},
    {"书", 10, "書: radical + residual"},
    {"香", 9, "radical + residual"},
    {"贤", 15, "賢: radical + residual"},
    {"进", 15, "進: 辶 as 辵 7 + residual"},
    {"强", 11, "強: radical + residual"},
    {"远", 17, "遠: 辶 as 辵 7 + residual"},
    {"礼", 18, "禮: 礻 as 示 5 + residual"},
    {"泽", 17, "澤: 氵 as 水 4 + residual"},
    {"顺", 12, "順: radical + residual"},
    {"博", 12, "radical + residual"},
    {"鹏", 19, "鵬: radical + residual"},
    {"智", 12, "radical + residual"},
    {"辉", 15, "輝: radical + residual"},
    {"慧", 15, "radical + residual"},
    {"雪", 11, "radical + residual"},
    {"继", 20, "繼: radical + residual"},
    {"灵", 24, "靈: radical + residual"},
    {"寿", 14, "壽: radical + residual"},
    {"鸿", 17, "鴻: radical + residual"},
    {"雄", 12, "radical + residual"},
    {"勇", 9, "radical + residual"},
    {"群", 13, "radical + residual"},
    {"健", 11, "radical + residual"},
    {"诗", 13, "詩: radical + residual"},
    {"爱", 13, "愛: radical + residual"},
    {"萍", 14, "艹 as 艸 6 + residual"},
    {"婷", 12, "radical + residual"},
    {"怡", 9, "忄 as 心 4 + residual"},
    {"萱", 15, "艹 as 艸 6 + residual"},
    {"梓", 11, "radical + residual"},
    {"昊", 8, "radical + residual"},
    {"皓", 12, "radical + residual"},
    {"涛", 18, "濤: 氵 as 水 4 + residual"},
    {"浩", 11, "氵 as 水 4 + residual"},
    {"淑", 12, "氵 as 水 4 + residual"},
    {"琪", 13, "王 as 玉 5 + residual"},
    {"瑜", 14, "王 as 玉 5 + residual"},
    {"毅", 15, "radical + residual"},
    {"欣", 8, "radical + residual"},
    {"悦", 11, "悅: 忄 as 心 4 + residual"},
    {"雯", 12, "radical + residual"},
    {"琳", 13, "王 as 玉 5 + residual"},
    {"涵", 12, "氵 as 水 4 + residual"},
    {"轩", 10, "軒: radical + residual"},
    {"宇", 6, "radical + residual"},
    {"泓", 9, "氵 as 水 4 + residual"},
    {"淼", 12, "radical + residual"},
    {"鑫", 24, "radical + residual"},
};

TEST(StrokeDataTest, WellKnownCountsOfSurnamesAndNameCharacters) {
    const StrokeData data = StrokeData::load();
    std::set<std::string_view> seen;
    for (const KnownCount& known : kKnownCounts) {
        EXPECT_TRUE(seen.insert(known.ch).second) << known.ch << " listed twice";
        EXPECT_EQ(data.lowest(cp(known.ch)), known.count) << known.ch << " (" << known.rule << ")";
    }
    EXPECT_GE(seen.size(), 150u);
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
    // 後 is no pair's side since 后 keeps its own form: it has an element of its own.
    for (std::string_view absent : {"龍", "劉", "張", "麽"}) {
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
    EXPECT_EQ(dict.getnum(cp("伟")), 11);  // not in the lists: an added count, as 偉
}

// The report shows the surname and the given name in traditional form. Every surname of the
// candidate generator and the 300 given-name characters that real names use most show the form that
// is right in a name: the standard traditional form (繡 蘊 銳, not GB 12345's 綉 藴 鋭), and their
// own form where that is the surname or the name character (余 not 餘, 松 not 鬆, 范 not 範). Two
// forms are fixed by the positions of their pairs: 里 is 裏 (百里) and 启 is 啓.
TEST(PairDataTest, SurnamesAndCommonNameCharactersShowTheirFormInNames) {
    const TraditionalMap map = TraditionalMap::builtIn();
    const std::vector<std::pair<std::string_view, std::string_view>> converted = {
        {"张", "張"},     {"刘", "劉"},     {"陈", "陳"},     {"杨", "楊"},     {"黄", "黃"},
        {"赵", "趙"},     {"吴", "吳"},     {"孙", "孫"},     {"马", "馬"},     {"罗", "羅"},
        {"郑", "鄭"},     {"谢", "謝"},     {"许", "許"},     {"韩", "韓"},     {"冯", "馮"},
        {"邓", "鄧"},     {"蒋", "蔣"},     {"叶", "葉"},     {"苏", "蘇"},     {"吕", "呂"},
        {"卢", "盧"},     {"钟", "鍾"},     {"谭", "譚"},     {"陆", "陸"},     {"贾", "賈"},
        {"韦", "韋"},     {"邹", "鄒"},     {"闫", "閆"},     {"龙", "龍"},     {"贺", "賀"},
        {"顾", "顧"},     {"龚", "龔"},     {"钱", "錢"},     {"严", "嚴"},     {"汤", "湯"},
        {"温", "溫"},     {"齐", "齊"},     {"乔", "喬"},     {"庞", "龐"},     {"颜", "顏"},
        {"庄", "莊"},     {"聂", "聶"},     {"鲁", "魯"},     {"欧", "歐"},     {"关", "關"},
        {"兰", "蘭"},     {"宁", "寧"},     {"纪", "紀"},     {"毕", "畢"},     {"单", "單"},
        {"骆", "駱"},     {"蓝", "藍"},     {"鲍", "鮑"},     {"华", "華"},     {"饶", "饒"},
        {"阳", "陽"},     {"时", "時"},     {"农", "農"},     {"缪", "繆"},     {"简", "簡"},
        {"车", "車"},     {"项", "項"},     {"连", "連"},     {"芦", "蘆"},     {"麦", "麥"},
        {"娄", "婁"},     {"窦", "竇"},     {"宫", "宮"},     {"费", "費"},     {"卫", "衛"},
        {"应", "應"},     {"闵", "閔"},     {"邬", "鄔"},     {"边", "邊"},     {"师", "師"},
        {"栾", "欒"},     {"荣", "榮"},     {"丛", "叢"},     {"巩", "鞏"},     {"迟", "遲"},
        {"邝", "鄺"},     {"谈", "談"},     {"荆", "荊"},     {"乐", "樂"},     {"储", "儲"},
        {"劳", "勞"},     {"谌", "諶"},     {"蔺", "藺"},     {"楼", "樓"},     {"盘", "盤"},
        {"满", "滿"},     {"闻", "聞"},     {"厉", "厲"},     {"区", "區"},     {"阚", "闞"},
        {"权", "權"},     {"强", "強"},     {"帅", "帥"},     {"盖", "蓋"},     {"练", "練"},
        {"丰", "豐"},     {"国", "國"},     {"计", "計"},     {"晋", "晉"},     {"门", "門"},
        {"云", "雲"},     {"来", "來"},     {"阙", "闕"},     {"乌", "烏"},     {"况", "況"},
        {"鲜", "鮮"},     {"诸", "諸"},     {"战", "戰"},     {"银", "銀"},     {"宾", "賓"},
        {"阴", "陰"},     {"尧", "堯"},     {"闭", "閉"},     {"欧阳", "歐陽"}, {"司马", "司馬"},
        {"诸葛", "諸葛"}, {"东方", "東方"}, {"尉迟", "尉遲"}, {"公孙", "公孫"}, {"长孙", "長孫"},
        {"轩辕", "軒轅"}, {"西门", "西門"}, {"南宫", "南宮"}, {"独孤", "獨孤"}, {"百里", "百裏"},
        {"东郭", "東郭"}, {"闻人", "聞人"}, {"澹台", "澹臺"}, {"濮阳", "濮陽"}, {"钟离", "鍾離"},
        {"赫连", "赫連"}, {"单于", "單于"}, {"子车", "子車"}, {"军", "軍"},     {"东", "東"},
        {"宝", "寶"},     {"达", "達"},     {"维", "維"},     {"晓", "曉"},     {"丽", "麗"},
        {"庆", "慶"},     {"学", "學"},     {"汉", "漢"},     {"义", "義"},     {"树", "樹"},
        {"红", "紅"},     {"飞", "飛"},     {"兴", "興"},     {"伟", "偉"},     {"剑", "劍"},
        {"杰", "傑"},     {"凤", "鳳"},     {"贵", "貴"},     {"诺", "諾"},     {"刚", "剛"},
        {"胜", "勝"},     {"书", "書"},     {"贤", "賢"},     {"进", "進"},     {"远", "遠"},
        {"礼", "禮"},     {"泽", "澤"},     {"顺", "順"},     {"广", "廣"},     {"伦", "倫"},
        {"辉", "輝"},     {"绍", "紹"},     {"鹏", "鵬"},     {"继", "繼"},     {"启", "啓"},
        {"灵", "靈"},     {"寿", "壽"},     {"鸿", "鴻"},     {"诗", "詩"},     {"爱", "愛"},
        {"仪", "儀"},     {"凯", "凱"},     {"诚", "誠"},     {"彦", "彥"},     {"莲", "蓮"},
        {"锦", "錦"},     {"静", "靜"},     {"禄", "祿"},     {"涛", "濤"},     {"贞", "貞"},
        {"鸣", "鳴"},     {"锋", "鋒"},     {"梦", "夢"},     {"坚", "堅"},     {"鹤", "鶴"},
        {"扬", "揚"},     {"语", "語"},     {"钧", "鈞"},     {"铭", "銘"},     {"恒", "恆"},
        {"宪", "憲"},     {"润", "潤"},     {"勋", "勳"},     {"业", "業"},     {"艳", "艷"},
        {"谦", "謙"},     {"钦", "欽"},     {"渊", "淵"},     {"纯", "純"},     {"轩", "軒"},
    };
    for (const auto& [simplified, traditional] : converted) {
        EXPECT_EQ(map.GbToBig(simplified), traditional) << simplified;
    }
    const std::u32string ownForm =
        U"王李周徐朱胡郭何高林梁宋唐曹彭曾肖田董袁潘于蔡余杜程魏丁任沈姚姜崔汪范金石廖夏付方白孟熊"
        U"秦邱江尹薛段雷侯史陶黎毛郝邵万覃武戴莫孔向常康施文牛樊葛邢安易伍倪章岳翟殷詹申耿焦俞左柳"
        U"甘祝包尚符舒阮柯梅童凌季裴霍涂成苗谷盛曲翁冉路游辛靳管柴蒙喻祁蒲房滕屈解牟艾尤穆司卓古吉"
        U"褚戚岑景卜冷晏席米柏宗瞿桂全佟臧苟卞姬和仇隋商刁沙巫寇桑郎甄仲虞敖明佘池查麻苑官封匡鞠惠"
        U"冀郁胥南班原栗燕楚鄢奚皮粟冼位伊仝郜海花屠豆朴廉禹井祖漆巴支卿狄平索宣相初容敬扈晁芮都普"
        U"浦戈伏鹿薄邸雍辜羊阿母裘亓修邰赫杭那宿印逯隆茹慕危玉亢嵇公哈湛戎勾茅利於呼居揭干但尉冶斯"
        U"元束檀衣信展昝智幸奉植衡富由德子家生山光天志建正道英永伯春一清士立靖祥秀青君仁忠新福民思"
        U"昌峰俊良恩蓉波基敏美奇朝振瑞松可森嘉泰心才芳真廷香希丹如曼宇政星博力承泉孝守素洪宏虎延慧"
        U"邦珍亮雪秋威定若雄勇善群健川萍培雅超玲斐亭炳斌耀昭娜溪友紫崇雨言源岩冰兆月朗亦麟菲芬佩震"
        U"珠毅功浩冠琴越霞征茂直哲厚鼎以乾庭柱竹欣佳豪奎然旭冬莉勤佐碧琪依儒霖秉昆炎湘桓彩念翠逸怡"
        U"凡恭翰宜允琳党后";
    for (char32_t ch : ownForm) {
        const std::string text = u32ToUtf8(std::u32string(1, ch));
        EXPECT_EQ(map.GbToBig(text), text);
    }
    for (std::string_view name :
         {"上官", "皇甫", "慕容", "宇文", "司徒", "夏侯", "令狐", "端木", "呼延", "万俟", "公冶",
          "宗政", "太叔", "申屠", "拓跋", "第五", "司空", "左丘", "亓官"}) {
        EXPECT_EQ(map.GbToBig(name), name);
    }
}

// Characters under the rain radical are water, like those under 氵: rain, snow, frost, dew, cloud
// and thunder. (The sound of their reading alone made 雪 and 霞 metal.)
TEST(ElementDataTest, RainCharactersAreWater) {
    const ElementCharacterLists elements = ElementCharacterLists::builtIn();
    for (char32_t ch : std::u32string(U"雨雪雯雳零雷雾需霁霄霆震霉霍霎霏霓霖霜霞霭露霸霰霹")) {
        EXPECT_EQ(elements.ElementOfCharacter(ch), "水") << u32ToUtf8(std::u32string(1, ch));
    }
}

// The elements of the most used given-name characters: balancing the lists after a rule change
// moves characters that names do not use, so none of these may change by accident.
TEST(ElementDataTest, MostUsedNameCharactersKeepTheirElements) {
    const ElementCharacterLists elements = ElementCharacterLists::builtIn();
    const std::map<std::string_view, std::string_view> expected = {
        {"德", "火"}, {"文", "水"}, {"子", "水"}, {"明", "水"}, {"国", "木"}, {"家", "木"},
        {"军", "木"}, {"华", "水"}, {"生", "金"}, {"山", "土"}, {"林", "木"}, {"平", "水"},
        {"玉", "土"}, {"光", "木"}, {"天", "火"}, {"宗", "金"}, {"云", "土"}, {"志", "金"},
        {"海", "水"}, {"东", "火"}, {"金", "金"}, {"元", "木"}, {"建", "木"}, {"正", "金"},
        {"龙", "火"}, {"道", "火"}, {"英", "木"}, {"利", "火"}, {"宝", "水"}, {"成", "金"},
        {"安", "土"}, {"永", "水"}, {"伯", "水"}, {"春", "金"}, {"一", "土"}, {"达", "火"},
        {"兰", "火"}, {"维", "土"}, {"清", "水"}, {"士", "金"}, {"晓", "水"}, {"武", "水"},
        {"江", "水"}, {"立", "火"}, {"靖", "木"}, {"祥", "金"}, {"丽", "火"}, {"庆", "木"},
        {"秀", "金"}, {"青", "木"}, {"君", "木"}, {"仁", "金"}, {"学", "水"}, {"汉", "水"},
        {"忠", "金"}, {"新", "金"}, {"福", "水"}, {"荣", "木"}, {"义", "土"}, {"民", "水"},
        {"思", "金"}, {"昌", "金"}, {"峰", "水"}, {"阳", "土"}, {"俊", "木"}, {"良", "火"},
        {"恩", "土"}, {"蓉", "木"}, {"石", "金"}, {"树", "木"}, {"红", "水"}, {"波", "水"},
        {"飞", "水"}, {"兴", "水"}, {"和", "水"}, {"基", "土"}, {"伟", "土"}, {"剑", "木"},
        {"敏", "水"}, {"梅", "木"},
    };
    for (const auto& [ch, element] : expected) {
        EXPECT_EQ(elements.ElementOfCharacter(cp(ch)), element) << ch;
    }
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
