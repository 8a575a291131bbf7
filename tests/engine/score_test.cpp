// Grades, the exact score arithmetic and AnalyzeName's adjustments, on built-in and on small
// made-up tables whose grades put each rule to the test.
#include <gtest/gtest.h>

#include "engine/name_engine.h"

namespace norlune {
namespace {

TEST(GetpfTest, GradePoints) {
    EXPECT_EQ(getpf("大吉"), 12);
    EXPECT_EQ(getpf("吉"), 8);
    EXPECT_EQ(getpf("半吉"), 5);
    EXPECT_EQ(getpf("平"), 4);
    EXPECT_EQ(getpf("半凶"), 2);
    EXPECT_EQ(getpf("凶"), 1);
    EXPECT_EQ(getpf("大凶"), 0);
    EXPECT_EQ(getpf("但天格为1或2时吉利。"), std::nullopt);
    EXPECT_EQ(getpf(""), std::nullopt);
    EXPECT_EQ(getpf("吉 "), std::nullopt);
}

TEST(ScoreTest, ShortestDecimalForm) {
    const std::pair<int, const char*> cases[] = {
        {1500, "75"},  {1254, "62.7"}, {1769, "88.45"}, {1, "0.05"},    {2, "0.1"},     {0, "0"},
        {-200, "-10"}, {-1, "-0.05"},  {-19, "-0.95"},  {1928, "96.4"}, {1999, "99.95"}};
    for (const auto& [twentieths, text] : cases) {
        EXPECT_EQ(Score::fromTwentieths(twentieths).toString(), text) << twentieths;
    }
}

TEST(ScoreTest, RoundingHalvesToEven) {
    const std::pair<int, int> cases[] = {{1690, 84},              // 84.5
                                         {1710, 86},              // 85.5
                                         {1689, 84},              // 84.45
                                         {1691, 85},              // 84.55
                                         {1400, 70}, {1410, 70},  // 70.5
                                         {1430, 72},              // 71.5
                                         {-10, 0},                // -0.5
                                         {-30, -2}};              // -1.5
    for (const auto& [twentieths, rounded] : cases) {
        EXPECT_EQ(Score::fromTwentieths(twentieths).roundedHalfEven(), rounded) << twentieths;
    }
}

// Small tables: the name 王小明 has grids 5 7 11 15 9 and key 土金木 with the built-in strokes.
struct MadeUpTables {
    NameTables tables;
    ElementCharacterLists elements;
    NameEngine engine{tables, elements};

    MadeUpTables(std::string_view numerology, std::string_view sanCai, std::string_view strokes,
                 std::string_view elementText)
        : tables{TraditionalMap::fromText(""), StrokeDictionary::fromText(strokes),
                 NumerologyTable::fromText(numerology), SanCaiTable::fromText(sanCai)},
          elements(ElementCharacterLists::fromText(elementText)) {}
};

std::string sanCaiRow(std::string_view key, std::string_view g3, std::string_view g5,
                      std::string_view g7, std::string_view g9) {
    return std::string(key) + "\t\t\t" + std::string(g3) + "\t\t" + std::string(g5) + "\t\t" +
           std::string(g7) + "\t\t" + std::string(g9) + "\t\n";
}

std::string numerologyLine(int n, std::string_view grade) {
    return std::to_string(n) + "\t\t" + std::string(grade) + "\t\t\n";
}

// Stroke lists where 甲 has 4 strokes, 乙 3, 丙 8 (王 小 明 of the real lists).
constexpr std::string_view kStrokes = "\n\n乙\n甲\n\n\n\n丙\n";

TEST(AnalyzeNameTest, HighestGradesGiveNinetySixPointFour) {
    std::string numerology;
    for (int n : {5, 7, 11, 15, 9}) {
        numerology += numerologyLine(n, "大吉");
    }
    MadeUpTables t(numerology, sanCaiRow("土金木", "吉", "吉", "吉", "吉"), kStrokes, "");
    const NameAnalysis a = t.engine.AnalyzeName("甲", "乙丙", {});
    EXPECT_EQ(a.score.toString(), "96.4");
    EXPECT_EQ(a.score.twentieths(), (464 + 500) * 2);
}

TEST(AnalyzeNameTest, LowGradesAndTheTotalAboveSixtyPenalty) {
    // Surname 甲 (30), given name 乙丙 (16 + 16 or 16 + 14): heaven 31, person 46, earth 32 or 30,
    // total 62 or 60, outer 17 or 15.
    const std::string strokes = std::string(13, '\n') + "丁\n\n乙\n" + std::string(13, '\n') +
                                "甲\n";  // 丁 14, 乙 16, 甲 30
    std::string numerology;
    for (int n : {31, 17, 15}) {
        numerology += numerologyLine(n, "大凶");
    }
    for (int n : {46, 32, 30, 62, 60}) {
        numerology += numerologyLine(n, "凶");
    }
    std::string sanCai;
    for (const char* key : {"木土水", "木土木"}) {
        sanCai += sanCaiRow(key, "凶", "凶", "凶", "凶");
    }
    MadeUpTables t(numerology, sanCai, strokes, "");
    const NameAnalysis at62 = t.engine.AnalyzeName("甲", "乙乙", {});
    EXPECT_EQ(ComputeFiveGrids(t.tables.strokes, "甲", "乙乙").grids.total, 62);
    EXPECT_EQ(at62.score.toString(), "49");
    const NameAnalysis at60 = t.engine.AnalyzeName("甲", "乙丁", {});
    EXPECT_EQ(ComputeFiveGrids(t.tables.strokes, "甲", "乙丁").grids.total, 60);
    EXPECT_EQ(at60.score.toString(), "54");
}

TEST(AnalyzeNameTest, FemaleNamesLoseFiveForEachUnfavourableGrid) {
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists();
    const NameEngine engine(tables, elements);
    // 欧阳小明: 32 20 11 43 23 -> only 23 counts against a woman.
    const NameAnalysis male = engine.AnalyzeName("欧阳", "小明", {});
    AnalyzeOptions female;
    female.bFamale = true;
    const NameAnalysis girl = engine.AnalyzeName("欧阳", "小明", female);
    EXPECT_EQ(male.Fbadn, 1);
    EXPECT_EQ(girl.Fbadn, 1);
    EXPECT_EQ(male.score.twentieths() - girl.score.twentieths(), 5 * 20);
    // 王明: 5 12 9 12 2 -> 9 counts once.
    EXPECT_EQ(engine.AnalyzeName("王", "明", female).Fbadn, 1);
    // 王小明: 5 7 11 15 9 -> 9 once.
    EXPECT_EQ(engine.AnalyzeName("王", "小明", {}).Fbadn, 1);
}

TEST(AnalyzeNameTest, FemaleCountCoversEveryGridThatHasTheNumber) {
    // Surname 丙 (20), given name 丁 (1): heaven 21, person 21, earth 2, total 21, outer 2, so the
    // number 21 counts three times.
    const std::string strokes = "丁\n\n\n\n\n\n\n甲\n\n\n\n乙\n\n\n\n\n\n\n\n丙\n";
    MadeUpTables t("", "", strokes, "");
    AnalyzeOptions female;
    female.bFamale = true;
    const NameAnalysis a = t.engine.AnalyzeName("丙", "丁", female);
    EXPECT_EQ(a.Fbadn, 3);
    EXPECT_EQ(t.engine.AnalyzeName("丙", "丁", {}).score.twentieths() - a.score.twentieths(), 300);
}

TEST(AnalyzeNameTest, BaZiRuleSubtractsThirtyOnce) {
    // Elements: 甲 金, 乙 木, 丙 金, 丁 not listed.
    const std::string elements = "甲丙\n乙\n\n\n\n";
    MadeUpTables t("", "", kStrokes, elements);
    AnalyzeOptions need;
    need.bShenChen = true;
    need.sNeedWx = "金";
    const int base = t.engine.AnalyzeName("甲", "甲丙", {}).score.twentieths();
    auto lost = [&](std::string_view surname, std::string_view given, const AnalyzeOptions& o) {
        return (t.engine.AnalyzeName(surname, given, {}).score.twentieths() -
                t.engine.AnalyzeName(surname, given, o).score.twentieths()) /
               20;
    };
    EXPECT_EQ(base, t.engine.AnalyzeName("甲", "甲丙", need).score.twentieths());
    EXPECT_EQ(lost("甲", "甲乙", need), 30);  // last character 木
    EXPECT_EQ(lost("甲", "乙丙", need), 30);  // first character 木
    EXPECT_EQ(lost("甲", "乙乙", need), 30);  // both: still once
    EXPECT_EQ(lost("乙", "甲丙", need), 0);   // the surname's element never counts
    EXPECT_EQ(lost("甲", "丁丁", need), 0);   // unlisted characters never trigger it
    EXPECT_EQ(lost("甲", "甲丁", need), 0);
    EXPECT_EQ(lost("甲", "丙", need), 0);  // one character: first and last are the same
    EXPECT_EQ(lost("甲", "乙", need), 30);

    AnalyzeOptions off = need;
    off.bShenChen = false;
    EXPECT_EQ(lost("甲", "乙乙", off), 0);
    AnalyzeOptions empty = need;
    empty.sNeedWx.clear();
    EXPECT_EQ(lost("甲", "乙乙", empty), 0);
    AnalyzeOptions several = need;
    several.sNeedWx = "木水火";
    EXPECT_EQ(lost("甲", "乙乙", several), 0);
    EXPECT_EQ(lost("甲", "乙丙", several), 30);
}

TEST(AnalyzeNameTest, GridsBeyondEightyOneScoreNothingAndJudgingGoesOn) {
    // 麤 (33) twice as surname and twice as given name: total 132.
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists();
    const NameEngine engine(tables, elements);
    const GridResult g = ComputeFiveGrids(tables.strokes, "麤麤", "麤麤");
    EXPECT_EQ(g.grids.total, 132);
    AnalyzeOptions withReport;
    withReport.bShowInfo = true;
    const NameAnalysis a = engine.AnalyzeName("麤麤", "麤麤", withReport);
    // heaven 66, person 66, earth 66 (凶 each in the table), total 132 and outer 66: total scores
    // 0, and the 5 off for a total above 60 still applies.
    EXPECT_NE(a.report.find("总格:132(木)"), std::string::npos);
    EXPECT_NE(a.report.find("总格吉凶()"), std::string::npos);
    const int expected = 2 * tables.numerology.points(66) + 20 * tables.numerology.points(66) * 2 +
                         2 * tables.numerology.points(66) +
                         5 * tables.sanCai.gradePoints(threeTalentIndex(g.grids)) - 100 + 1000;
    EXPECT_EQ(a.score.twentieths(), expected);
    EXPECT_EQ(engine.AnalyzeName("王", "小明", {}).score.toString(),
              engine.AnalyzeName("王", "小明", withReport).score.toString());
}

}  // namespace
}  // namespace norlune
