// The character lookups: the maps built at start-up must give exactly what the literal scans over
// the stored lists give, for every character of the data and for characters outside it.
#include <gtest/gtest.h>

#include <set>

#include "embedded/elements_txt.h"
#include "embedded/strokes_txt.h"
#include "engine/element_lists.h"
#include "engine/stroke_dictionary.h"
#include "engine/traditional_map.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

// The definition: the first list that contains the text.
std::optional<int> scanStrokes(const StrokeDictionary& dict, std::u32string_view txt) {
    for (int k = 1; k <= StrokeDictionary::kListCount; ++k) {
        if (!dict.list(k).empty() && dict.list(k).find(txt) != std::u32string::npos) {
            return k;
        }
    }
    return std::nullopt;
}

int scanElements(const ElementCharacterLists& lists, std::u32string_view txt) {
    for (int code = 1; code <= ElementCharacterLists::kListCount; ++code) {
        if (!lists.list(code).empty() && lists.list(code).find(txt) != std::u32string::npos) {
            return code;
        }
    }
    return 0;
}

// Every character of both data files plus some that no list holds.
std::set<char32_t> probeCharacters() {
    std::set<char32_t> chars;
    for (char32_t ch : utf8ToU32(embedded::kStrokesTxt)) {
        chars.insert(ch);
    }
    for (char32_t ch : utf8ToU32(embedded::kElementsTxt)) {
        chars.insert(ch);
    }
    for (char32_t ch : std::u32string(U"A z0 *伟張龍劉\U00020000\U0002A6D6")) {
        chars.insert(ch);
    }
    chars.erase(U'\n');
    return chars;
}

TEST(LookupMapTest, StrokeMapAgreesWithListScanForEveryCharacter) {
    // The 33 lists alone: the added counts and the typed forms stand in no list.
    const StrokeDictionary dict = StrokeDictionary::fromText(embedded::kStrokesTxt);
    for (char32_t ch : probeCharacters()) {
        const std::u32string txt(1, ch);
        EXPECT_EQ(dict.getnum(ch), scanStrokes(dict, txt)) << u32ToUtf8(txt);
        EXPECT_EQ(dict.getnum(std::u32string_view(txt)), scanStrokes(dict, txt)) << u32ToUtf8(txt);
    }
}

TEST(LookupMapTest, ElementMapAgreesWithListScanForEveryCharacter) {
    const ElementCharacterLists lists = ElementCharacterLists::builtIn();
    for (char32_t ch : probeCharacters()) {
        const std::u32string txt(1, ch);
        EXPECT_EQ(lists.codeOf(ch), scanElements(lists, txt)) << u32ToUtf8(txt);
    }
}

TEST(StrokeDictionaryTest, QuotedCounts) {
    const StrokeDictionary dict = StrokeDictionary::builtIn();
    const std::pair<char32_t, int> cases[] = {
        {U'一', 1},  {U'四', 4},  {U'五', 5},  {U'七', 7},  {U'十', 10}, {U'个', 10},
        {U'们', 10}, {U'干', 3},  {U'万', 3},  {U'千', 3},  {U'吁', 10}, {U'王', 4},
        {U'张', 11}, {U'云', 12}, {U'杰', 12}, {U'胜', 12}, {U'麤', 33}};
    for (const auto& [ch, count] : cases) {
        EXPECT_EQ(dict.getnum(ch), count) << u32ToUtf8(std::u32string(1, ch));
    }
    EXPECT_EQ(dict.getnum(U'A'), std::nullopt);
    EXPECT_EQ(dict.getnum(U'伟'), 11);            // an added count, as 偉
    EXPECT_EQ(dict.getnum(U'張'), std::nullopt);  // typed forms count once the map is given
    EXPECT_EQ(StrokeDictionary::builtIn(TraditionalMap::builtIn()).getnum(U'張'), 11);
    EXPECT_EQ(dict.getnum(std::u32string_view()), 1);  // the empty text is found in list 1
}

TEST(StrokeDictionaryTest, LowestListWinsAndRunsInsideAListAreFound) {
    const StrokeDictionary dict = StrokeDictionary::fromText("\n甲乙\n丙\n\n乙丙丁\n");
    EXPECT_EQ(dict.getnum(U'乙'), 2);  // lists 2 and 5: the lower wins
    EXPECT_EQ(dict.getnum(U'丁'), 5);
    EXPECT_EQ(dict.getnum(std::u32string_view(U"甲乙")), 2);
    EXPECT_EQ(dict.getnum(std::u32string_view(U"乙丙")), 5);  // only list 5 holds the run
    EXPECT_EQ(dict.getnum(std::u32string_view(U"丙丁丁")), std::nullopt);
    EXPECT_EQ(dict.getnum(std::u32string_view()), 2);  // list 1 is empty here
}

TEST(ElementListsTest, EmptyTextAndStarGiveMetalUnlistedGivesNothing) {
    const ElementCharacterLists lists = FillElementLists();
    EXPECT_EQ(lists.ElementOfCharacter(std::u32string_view()), "金");
    EXPECT_EQ(lists.ElementOfCharacter(U'*'), "金");
    EXPECT_EQ(lists.ElementOfCharacter(U'A'), "");
    EXPECT_EQ(lists.ElementOfCharacter(U'\U00020000'), "");
    EXPECT_EQ(lists.ElementOfCharacter(U'龍'), lists.ElementOfCharacter(U'龙'));
    EXPECT_EQ(lists.ElementOfCharacter(U'才'), "金");
    EXPECT_EQ(lists.ElementOfCharacter(U'木'), "木");
    EXPECT_EQ(lists.ElementOfCharacter(U'水'), "水");
    EXPECT_EQ(lists.ElementOfCharacter(U'火'), "火");
    EXPECT_EQ(lists.ElementOfCharacter(U'土'), "土");
}

TEST(ElementListsTest, FirstListInCodeOrderWins) {
    const ElementCharacterLists lists = ElementCharacterLists::fromText("\n甲\n甲乙\n\n乙丙\n");
    EXPECT_EQ(lists.ElementOfCharacter(U'甲'), "木");
    EXPECT_EQ(lists.ElementOfCharacter(U'乙'), "水");
    EXPECT_EQ(lists.ElementOfCharacter(U'丙'), "土");
    EXPECT_EQ(lists.ElementOfCharacter(std::u32string_view()), "木");  // first non-empty list
}

TEST(TraditionalMapTest, QuotedConversions) {
    const TraditionalMap map = TraditionalMap::builtIn();
    EXPECT_EQ(map.GbToBig("爱国"), "愛國");
    EXPECT_EQ(map.GbToBig("里"), "裏");
    EXPECT_EQ(map.GbToBig("为"), "爲");
    EXPECT_EQ(map.GbToBig("钟"), "鍾");
    EXPECT_EQ(map.GbToBig("迭"), "疊");
    EXPECT_EQ(map.GbToBig("王"), "王");
    EXPECT_EQ(map.GbToBig("A王 爱x"), "A王 愛x");
    EXPECT_EQ(map.GbToBig(""), "");
}

TEST(TraditionalMapTest, PairsApplyInOrderToTheWholeText) {
    // a->b, b->c, then a->d (never reached: a is gone after the first pair), c->a.
    const TraditionalMap map = TraditionalMap::fromText("甲,乙,甲,丙\n乙,丙,丁,甲\n");
    // Literal reading: replace pair by pair over the whole text.
    EXPECT_EQ(map.GbToBig("甲"), "甲");  // 甲->乙->丙->甲
    EXPECT_EQ(map.GbToBig("乙"), "甲");  // 乙->丙->甲
    EXPECT_EQ(map.GbToBig("丙"), "甲");
    EXPECT_EQ(map.GbToBig("丁甲乙"), "丁甲甲");
}

}  // namespace
}  // namespace norlune
