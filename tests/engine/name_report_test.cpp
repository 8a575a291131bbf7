#include "engine/name_report.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/name_engine.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

std::vector<std::string> lines(const std::string& report) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < report.size()) {
        const std::size_t end = report.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) {
            break;
        }
        out.push_back(report.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

TEST(LineSplitTest, AddsAppendsOneLine) {
    std::string s = "x\r\n";
    Adds("", s);
    Adds("天格:5(土)", s);
    EXPECT_EQ(s, "x\r\n\r\n天格:5(土)\r\n");
}

TEST(LineSplitTest, Adds2CutsAfterFullStopAndSpace) {
    std::string s;
    Adds2("第一句。 第二句。 第三句。", s);
    EXPECT_EQ(s, "第一句。\r\n第二句。\r\n第三句。\r\n");
    s.clear();
    Adds2("第一句。 第二句。 第三句。 ", s);  // no empty fourth line
    EXPECT_EQ(s, "第一句。\r\n第二句。\r\n第三句。\r\n");
    s.clear();
    Adds2("", s);
    EXPECT_EQ(s, "");
    s.clear();
    Adds2("句中。没有空格。 结尾", s);  // "。" without a space does not cut
    EXPECT_EQ(s, "句中。没有空格。\r\n结尾\r\n");
    s.clear();
    Adds2("  前后空格  。 尾", s);  // the remainder " 尾" is two characters: kept, trimmed
    EXPECT_EQ(s, "前后空格  。\r\n尾\r\n");
}

TEST(LineSplitTest, Adds3PutsEachCategoryOnItsOwnLine) {
    std::string s;
    Adds3("首领运（智慧仁勇、立上位、能领导众人）吉祥运（表示健全、幸福、名誉等）", s);
    EXPECT_EQ(s, "首领运（智慧仁勇、立上位、能领导众人）\r\n吉祥运（表示健全、幸福、名誉等）\r\n");
    s.clear();
    Adds3("大吉运", s);
    EXPECT_EQ(s, "大吉运\r\n");
    s.clear();
    Adds3("温和运（性情平和、能得上下信望）男性双妻运", s);
    EXPECT_EQ(s, "温和运（性情平和、能得上下信望）\r\n男性双妻运\r\n");
    s.clear();
    Adds3("甲（乙）丙", s);  // a remainder of a single character is dropped
    EXPECT_EQ(s, "甲（乙）\r\n");
}

class NameReportTest : public ::testing::Test {
protected:
    NameTables tables = FillNameTables();
    ElementCharacterLists elements = FillElementLists();
    NameEngine engine{tables, elements};

    std::vector<std::string> report(std::string_view surname, std::string_view given) {
        AnalyzeOptions options;
        options.bShowInfo = true;
        return lines(engine.AnalyzeName(surname, given, options).report);
    }
};

TEST_F(NameReportTest, WangXiaomingHeadAndGridLines) {
    const auto l = report("王", "小明");
    ASSERT_GE(l.size(), 30u);
    const std::string pad(17, ' ');
    const std::string rule(17, '-');
    EXPECT_EQ(l[0], pad + "王小明(繁体:王小明)");
    EXPECT_EQ(l[1], pad + "得分:" + engine.AnalyzeName("王", "小明", {}).score.toString());
    EXPECT_EQ(l[2].rfind("姓名五行:", 0), 0u);
    const std::vector<std::string> quoted = {"天格:5(土)",
                                             "人格:7(金)",
                                             "地格:11(木)",
                                             "总格:15(土)",
                                             "外格:9(水)",
                                             "三才:土金木",
                                             rule + "天格吉凶(大吉)" + rule};
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        EXPECT_EQ(l[3 + i], quoted[i]) << "line " << 4 + i;
    }
    EXPECT_EQ(l[10], tables.numerology.field(5, NumerologyTable::kVerse));
}

TEST_F(NameReportTest, BlocksFollowTheTables) {
    const auto l = report("王", "小明");
    const std::string rule(17, '-');
    // Each of the five blocks: rule line, verse, category lines, explanation; then the three
    // talents.
    std::size_t i = 9;
    const std::pair<const char*, int> blocks[] = {
        {"天格吉凶(", 5}, {"人格吉凶(", 7}, {"地格吉凶(", 11}, {"总格吉凶(", 15}, {"外格吉凶(", 9}};
    for (const auto& [label, n] : blocks) {
        ASSERT_LT(i, l.size());
        EXPECT_EQ(l[i++],
                  rule + label + tables.numerology.field(n, NumerologyTable::kGrade) + ")" + rule);
        EXPECT_EQ(l[i++], tables.numerology.field(n, NumerologyTable::kVerse));
        std::string categories;
        Adds3(tables.numerology.field(n, NumerologyTable::kCategories), categories);
        for (const std::string& c : lines(categories)) {
            EXPECT_EQ(l[i++], c);
        }
        EXPECT_EQ(l[i++], tables.numerology.field(n, NumerologyTable::kExplanation));
    }
    std::array<std::string, 11> sc;
    tables.sanCai.GetSanCaiInfo("土金木", sc);
    EXPECT_EQ(l[i++], rule + "--三才吉凶(" + sc[3] + ")" + rule);
    EXPECT_EQ(l[i++], "三才影响:" + sc[2]);
    EXPECT_EQ(l[i++], "基础运(" + sc[5] + "):" + sc[4]);
    EXPECT_EQ(l[i++], "成功运(" + sc[7] + "):" + sc[6]);
    EXPECT_EQ(l[i++], "人际关系(" + sc[9] + "):" + sc[8]);
    EXPECT_EQ(l[i++], "性格" + sc[10]);
    std::string overview;
    Adds2(sc[1], overview);
    EXPECT_EQ(l.size() - i, lines(overview).size());
}

TEST_F(NameReportTest, RemarkStandsInPlaceOfTheFoundationGrade) {
    std::array<std::string, 11> sc;
    tables.sanCai.GetSanCaiInfo("木火土", sc);
    EXPECT_EQ(sc[3], "吉");
    EXPECT_EQ(sc[4], "基础坚实,身适安泰。");
    EXPECT_EQ(sc[5], "但天格为3或4时,则内部易产生分离倾向,且容易短寿。");
    EXPECT_EQ(sc[7], sc[5]);
    EXPECT_EQ(sc[9], "凶");
    // Every name of few strokes whose key is 木火土 (such as 一二三: 2 3 5) shows the remark in its
    // foundation line.
    const std::u32string pool = U"一乙二丁乃三丈上";
    bool found = false;
    for (char32_t a : pool) {
        for (char32_t b : pool) {
            for (char32_t c : pool) {
                std::string surname;
                std::string given;
                appendUtf8(surname, a);
                appendUtf8(given, b);
                appendUtf8(given, c);
                const FiveGrids g = ComputeFiveGrids(tables.strokes, surname, given).grids;
                if (threeTalentKey(g) != "木火土") {
                    continue;
                }
                found = true;
                const auto l = report(surname, given);
                bool hasLine = false;
                for (const std::string& line : l) {
                    hasLine |= line ==
                               "基础运(但天格为3或4时,则内部易产生分离倾向,且容易短寿。):"
                               "基础坚实,身适安泰。";
                }
                EXPECT_TRUE(hasLine) << surname << given;
            }
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(NameReportTest, OneCharacterGivenNameShowsItsElementTwice) {
    const auto l = report("王", "明");
    const std::string e(elements.ElementOfCharacter(U'明'));
    ASSERT_FALSE(e.empty());
    EXPECT_EQ(l[2], "姓名五行:" + std::string(elements.ElementOfCharacter(U'王')) + e + e);
}

TEST_F(NameReportTest, UnknownCharactersLeaveElementsOutAndTraditionalFormsApply) {
    const auto l = report("A", "爱国");
    EXPECT_EQ(l[0], std::string(17, ' ') + "A爱国(繁体:A愛國)");
    EXPECT_EQ(l[2].rfind("姓名五行:", 0), 0u);
    EXPECT_EQ(l[2].find("A"), std::string::npos);
}

TEST_F(NameReportTest, EveryReportRowIsFilledForEveryKeyOfTheTable) {
    // With the full table in place, the three-talent block of any name is never empty.
    int rows = 0;
    for (int i = 1; i <= tables.sanCai.rowCount(); ++i) {
        rows += tables.sanCai.row(i)[0].empty() ? 0 : 1;
    }
    EXPECT_EQ(rows, 125);
}

struct EntryCase {
    const char* entry;
    const char* Gxing;
    std::optional<std::string> given;
};

TEST(ListEntryTest, GivenNameFromEntry) {
    const EntryCase cases[] = {
        {"王小明", "王", "小明"},
        {"王小明", "欧阳", "明"},  // only the surname's length counts
        {"欧阳小明", "欧阳", "小明"},
        {"86)王小明", "王", "小明"},
        {"王小明=86", "王", "小明"},
        {"86.5)欧阳明=1", "欧阳", "明=1"},  // ")" is looked at first
        {"王", "王", ""},
        {"王", "欧阳", std::nullopt},  // shorter than the surname: nothing to judge
        {"", "王", std::nullopt},
        {"=王", "王", std::nullopt},  // "=" inside the surname's span
        {"王=", "王", ""},
        {"9)", "王", ""},
    };
    for (const EntryCase& c : cases) {
        EXPECT_EQ(givenNameFromListEntry(c.entry, c.Gxing), c.given) << c.entry << " / " << c.Gxing;
    }
}

}  // namespace
}  // namespace norlune
