// Names typed in traditional characters or in the variants of Taiwan and Hong Kong: each typed
// form counts, and has the element, of the character it stands for.
#include <gtest/gtest.h>

#include <set>

#include "embedded/strokes_txt.h"
#include "engine/name_engine.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

struct Tables {
    NameTables names = FillNameTables();
    ElementCharacterLists elements = FillElementLists(names.traditional);
    // The 33 lists alone, for the lists a character stands in.
    StrokeDictionary lists = StrokeDictionary::fromText(embedded::kStrokesTxt);
};

const Tables& tables() {
    static const Tables t;
    return t;
}

std::string text(char32_t ch) {
    return u32ToUtf8(std::u32string(1, ch));
}

std::set<int> listsHolding(char32_t ch) {
    std::set<int> found;
    for (int k = 1; k <= StrokeDictionary::kListCount; ++k) {
        if (tables().lists.list(k).find(ch) != std::u32string::npos) {
            found.insert(k);
        }
    }
    return found;
}

// Every pair of the table: the traditional form a character is converted to counts as that
// character and has its element; a further form of a character with two pairs (鐘 beside 鍾)
// counts as one of the lists the character stands in, and has its element too.
TEST(TypedFormsTest, EveryTraditionalFormOfThePairsCountsAsItsCharacter) {
    const TraditionalMap& map = tables().names.traditional;
    const StrokeDictionary& strokes = tables().names.strokes;
    const std::set<char32_t> simplified = [&] {
        std::set<char32_t> s;
        for (const std::u32string& ch : map.simplified()) {
            s.insert(ch[0]);
        }
        return s;
    }();
    int converted = 0;
    int further = 0;
    for (std::size_t i = 0; i < map.simplified().size(); ++i) {
        const char32_t s = map.simplified()[i][0];
        const char32_t t = map.traditional()[i][0];
        if (simplified.contains(t)) {
            continue;  // 叠 is typed as itself: it is the simplified side of a later pair
        }
        SCOPED_TRACE(text(s) + " " + text(t));
        ASSERT_TRUE(strokes.getnum(s).has_value());
        EXPECT_EQ(map.countedForm(t), s);
        EXPECT_EQ(tables().elements.codeOf(t), tables().elements.codeOf(s));
        EXPECT_NE(tables().elements.codeOf(t), 0);
        if (map.convert(s) == t) {
            EXPECT_EQ(strokes.getnum(t), strokes.getnum(s));
            ++converted;
        } else {
            ASSERT_TRUE(strokes.getnum(t).has_value());
            EXPECT_TRUE(listsHolding(s).contains(*strokes.getnum(t)) ||
                        strokes.getnum(t) == strokes.getnum(s))
                << *strokes.getnum(t);
            ++further;
        }
    }
    // 1,275 pairs: the pair 迭 叠 aside, 1,268 converted forms (國 and 愛 twice) and the six
    // further forms 鐘 麼 為 啟 裡 鍊.
    EXPECT_EQ(converted, 1268);
    EXPECT_EQ(further, 6);
}

TEST(TypedFormsTest, QuotedCounts) {
    struct Row {
        const char* typed;
        int count;
        const char* standsFor;
    };
    const Row rows[] =
        {
            {"張", 11, "张"}, {"陳", 16, "陈"}, {"偉", 11, "伟"},
            {"東", 8, "东"},  {"劉", 15, "刘"}, {"黃", 12, "黄"},
            {"溫", 14, "温"}, {"峯", 10, "峰"}, {"疊", 22, "叠"},  // the end of the chain 迭 叠 疊
            {"鐘", 20, "钟"},  // a further form with a list of its own
            {"衆", 12, "众"},  // a Hong Kong variant drawn with a count of its own (眾 11)
            {"髮", 15, "发"},  // a traditional form beyond the pairs (發 12)
        };
    const TraditionalMap& map = tables().names.traditional;
    for (const Row& r : rows) {
        const char32_t typed = utf8ToU32(r.typed)[0];
        const char32_t standsFor = utf8ToU32(r.standsFor)[0];
        EXPECT_EQ(tables().names.strokes.getnum(typed), r.count) << r.typed;
        EXPECT_EQ(map.countedForm(typed), standsFor) << r.typed;
        EXPECT_EQ(tables().elements.codeOf(typed), tables().elements.codeOf(standsFor)) << r.typed;
    }
    EXPECT_EQ(map.countedForm(U'张'), U'张');
    EXPECT_EQ(map.countedForm(U'叠'), U'叠');
    EXPECT_EQ(map.countedForm(U'A'), U'A');
}

// Surnames whose traditional form is another word count in their own form: 后 (后羿) is not 後,
// 党 is not 黨. Typed in that other form, the character counts as written.
TEST(TypedFormsTest, SurnamesKeepTheirOwnForm) {
    struct Row {
        const char* surname;
        int count;
        const char* given;
        FiveGrids grids;
    };
    const Row rows[] = {
        {"后", 6, "羿", {7, 15, 10, 15, 2}},  {"後", 9, "羿", {10, 18, 10, 18, 2}},
        {"党", 10, "明", {11, 18, 9, 18, 2}}, {"黨", 20, "明", {21, 28, 9, 28, 2}},
        {"余", 7, "明", {8, 15, 9, 15, 2}},   {"范", 11, "明", {12, 19, 9, 19, 2}},
        {"張", 11, "明", {12, 19, 9, 19, 2}}, {"张", 11, "明", {12, 19, 9, 19, 2}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(tables().names.strokes.getnum(utf8ToU32(r.surname)[0]), r.count) << r.surname;
        EXPECT_EQ(ComputeFiveGrids(tables().names.strokes, r.surname, r.given).grids, r.grids)
            << r.surname;
    }
    // The report shows them in their own form too.
    EXPECT_EQ(tables().names.traditional.GbToBig("后党"), "后党");
    EXPECT_EQ(tables().names.traditional.countedForm(U'後'), U'后');
    EXPECT_EQ(tables().names.traditional.countedForm(U'黨'), U'党');
}

TEST(TypedFormsTest, MixedAndTraditionalNamesJudgeAsTheSimplifiedName) {
    const NameEngine engine(tables().names, tables().elements);
    struct Row {
        const char* surname;
        const char* given;
        const char* simplifiedSurname;
        const char* simplifiedGiven;
    };
    const Row rows[] = {
        {"張", "偉", "张", "伟"},     {"張", "伟", "张", "伟"},     {"陳", "志明", "陈", "志明"},
        {"劉", "德華", "刘", "德华"}, {"黃", "曉明", "黄", "晓明"}, {"歐陽", "東", "欧阳", "东"},
        {"溫", "峯", "温", "峰"},     {"鍾", "麗緹", "钟", "丽缇"},
    };
    for (const Row& r : rows) {
        for (const bool female : {false, true}) {
            AnalyzeOptions options;
            options.bFamale = female;
            options.bShenChen = true;
            options.sNeedWx = "金";
            const Score typed = engine.scoreName(r.surname, r.given, options);
            const Score plain = engine.scoreName(r.simplifiedSurname, r.simplifiedGiven, options);
            EXPECT_EQ(typed.toString(), plain.toString()) << r.surname << r.given;
        }
        EXPECT_EQ(
            ComputeFiveGrids(tables().names.strokes, r.surname, r.given).grids,
            ComputeFiveGrids(tables().names.strokes, r.simplifiedSurname, r.simplifiedGiven).grids)
            << r.surname << r.given;
    }
}

TEST(TypedFormsTest, VariantsFromTheirOwnTableAndThePairsRules) {
    const TraditionalMap map =
        TraditionalMap::fromText("东,张,迭,叠\n東,張,叠,疊\n", "峯,東,張,东,衆\n峰,东,长,冬,众\n");
    EXPECT_EQ(map.countedForm(U'東'), U'东');
    EXPECT_EQ(map.countedForm(U'疊'), U'叠');
    EXPECT_EQ(map.countedForm(U'叠'), U'叠');  // a simplified character is typed as itself
    EXPECT_EQ(map.countedForm(U'峯'), U'峰');
    EXPECT_EQ(map.countedForm(U'衆'), U'众');
    // A variant never overrides a pair, nor makes a simplified character stand for another.
    EXPECT_EQ(map.countedForm(U'張'), U'张');
    EXPECT_EQ(map.countedForm(U'东'), U'东');
    const StrokeDictionary strokes = [&] {
        StrokeDictionary d = StrokeDictionary::fromText("\n\n\n\n东\n\n\n\n\n众\n张\n",
                                                        "\n\n\n\n\n\n\n\n\n\n\n\n衆\n");
        d.countTypedForms(map);
        return d;
    }();
    EXPECT_EQ(strokes.getnum(U'東'), 5);
    EXPECT_EQ(strokes.getnum(U'張'), 11);
    EXPECT_EQ(strokes.getnum(U'衆'), 13);            // its own added count stays
    EXPECT_EQ(strokes.getnum(U'峯'), std::nullopt);  // 峰 has no count here
}

TEST(UncountedTest, ListsTheCharactersWithoutACountOnceInOrder) {
    const StrokeDictionary& strokes = tables().names.strokes;
    EXPECT_EQ(strokes.uncounted(U"王小明"), U"");
    EXPECT_EQ(strokes.uncounted(U"張偉"), U"");
    EXPECT_EQ(strokes.uncounted(U"王㐂"), U"㐂");
    EXPECT_EQ(strokes.uncounted(U"\U00020000\U0002A6A5\U00020000"), U"\U00020000\U0002A6A5");
    EXPECT_TRUE(strokes.countsAll("張伟"));
    EXPECT_FALSE(strokes.countsAll("王㐂"));
    EXPECT_FALSE(strokes.countsAll("\xF0\xA0\x80\x80"));
    EXPECT_EQ(uncountedMessage(U"㐂"), "无法计算笔画的字：㐂");
    EXPECT_EQ(uncountedMessage(U"\U00020000\U0002A6A5"), "无法计算笔画的字：\U00020000\U0002A6A5");
}

}  // namespace
}  // namespace norlune
