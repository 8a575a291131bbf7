// Rows of the name table and their CSV text.
#include "search/name_sheet.h"

#include <gtest/gtest.h>

namespace norlune {
namespace {

class NameSheetTest : public ::testing::Test {
protected:
    NameTables tables = FillNameTables();
    ElementCharacterLists elements = FillElementLists();
    NameEngine engine{tables, elements};
};

TEST_F(NameSheetTest, RowOfTheSampleName) {
    const NameSheetRow row = judgeNameRow(engine, "王", "小明", {});
    EXPECT_EQ(row.fullName, "王小明");
    EXPECT_EQ(row.traditional, tables.traditional.GbToBig("王小明"));
    EXPECT_EQ(row.score, engine.scoreName("王", "小明", {}));
    EXPECT_EQ(row.grids, (std::array<int, 5>{5, 7, 11, 15, 9}));
    EXPECT_EQ(row.grades[0], "大吉");  // 天格吉凶(大吉) in the report of 王小明
    EXPECT_EQ(row.threeTalentKey, "土金木");
    std::array<std::string, 11> sanCai;
    tables.sanCai.GetSanCaiInfo("土金木", sanCai);
    EXPECT_EQ(row.threeTalentGrade, sanCai[3]);
    EXPECT_EQ(row.givenElements, std::string(elements.ElementOfCharacter(U'小')) +
                                     std::string(elements.ElementOfCharacter(U'明')));
    EXPECT_FALSE(row.meetsFavourable.has_value());
}

TEST_F(NameSheetTest, FavourableElementsAreMetExactlyWhenTheScoreLosesNothing) {
    const std::string first(elements.ElementOfCharacter(U'小'));
    const std::string last(elements.ElementOfCharacter(U'明'));
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(last.empty());
    struct Case {
        std::string need;
        bool meets;
    };
    std::string other;
    for (const char* element : {"金", "木", "水", "火", "土"}) {
        if (first != element && last != element) {
            other = element;
            break;
        }
    }
    for (const Case& c :
         {Case{first + last, true}, Case{other, false}, Case{first, first == last}}) {
        const AnalyzeOptions options{false, true, c.need, false};
        const NameSheetRow row = judgeNameRow(engine, "王", "小明", options);
        ASSERT_TRUE(row.meetsFavourable.has_value()) << c.need;
        EXPECT_EQ(*row.meetsFavourable, c.meets) << c.need;
        EXPECT_EQ(row.score, engine.scoreName("王", "小明", options));
        // The column is there also when the option itself is off but elements are known.
        const NameSheetRow off = judgeNameRow(engine, "王", "小明", {false, false, c.need, false});
        EXPECT_EQ(off.meetsFavourable, row.meetsFavourable);
    }
}

TEST(NameSheetCsvTest, FieldsAreQuotedOnlyWhenNeeded) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"王小明", "王小明"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {"86.05", "86.05"},
        {"-水", "'-水"},
        {"--", "'--"},
        {"=1+2", "'=1+2"},
        {"+86", "'+86"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        {"=a,b", "\"'=a,b\""},
        {"a-b=c", "a-b=c"},
        {"'quoted", "'quoted"},
    };
    for (const auto& [text, field] : cases) {
        EXPECT_EQ(csvField(text), field) << text;
    }
}

TEST(NameSheetCsvTest, HeaderRowsAndLineEnds) {
    NameSheetRow row;
    row.fullName = "王,明";
    row.traditional = "王明";
    row.score = Score::fromTwentieths(1721);
    row.grids = {5, 12, 9, 12, 2};
    row.grades = {"大吉", "凶", "凶", "凶", "大凶"};
    row.threeTalentKey = "土木水";
    row.threeTalentGrade = "凶";
    row.givenElements = "水";
    row.meetsFavourable = false;
    row.meanings = "明：光明";
    const std::string plain = nameSheetCsv({row}, false);
    EXPECT_EQ(plain.substr(plain.find("\r\n") + 2),
              "\"王,明\",王明,86.05,5,大吉,12,凶,9,凶,12,凶,2,大凶,土木水,凶,水,,明：光明\r\n");
    const std::string withBirth = nameSheetCsv({row}, true);
    EXPECT_EQ(withBirth.substr(withBirth.find("\r\n") + 2),
              "\"王,明\",王明,86.05,5,大吉,12,凶,9,凶,12,凶,2,大凶,土木水,凶,水,否,,明：光明\r\n");
    EXPECT_EQ(withBirth.substr(0, withBirth.find("\r\n")).substr(withBirth.find("名字五行")),
              "名字五行,符合喜用五行,出处,字义");
    row.meanings.clear();
    EXPECT_EQ(nameSheetCsv({}, false).find("\r\n"), nameSheetCsv({}, false).size() - 2);
    // A character without an element is 无, and a cell never starts a formula.
    row.givenElements = "无水";
    row.score = Score::fromTwentieths(-200);
    const std::string odd = nameSheetCsv({row}, false);
    EXPECT_NE(odd.find(",'-10,"), std::string::npos) << odd;
    EXPECT_NE(odd.find(",无水,,\r\n"), std::string::npos) << odd;
    for (const std::string& line : nameSheetLines({row}, true)) {
        std::size_t start = 0;
        while (start <= line.size()) {
            const std::size_t end = std::min(line.find(',', start), line.size());
            if (end > start) {
                EXPECT_EQ(std::string_view("=+-@\t").find(line[start]), std::string_view::npos)
                    << line;
            }
            start = end + 1;
        }
    }
}

}  // namespace
}  // namespace norlune
