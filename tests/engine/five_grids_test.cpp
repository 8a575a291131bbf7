#include "engine/five_grids.h"

#include <gtest/gtest.h>

#include "engine/name_engine.h"

namespace norlune {
namespace {

const NameTables& tables() {
    static const NameTables t = FillNameTables();
    return t;
}

struct GridCase {
    const char* surname;
    const char* given;
    FiveGrids grids;
    const char* key;
};

class FiveGridsTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(FiveGridsTest, GridsAndKey) {
    const GridCase& c = GetParam();
    const FiveGrids g = ComputeFiveGrids(tables().strokes, c.surname, c.given).grids;
    EXPECT_EQ(g, c.grids) << c.surname << c.given << ": " << g.heaven << ' ' << g.person << ' '
                          << g.earth << ' ' << g.total << ' ' << g.outer;
    EXPECT_EQ(threeTalentKey(g), c.key);
}

INSTANTIATE_TEST_SUITE_P(
    QuotedNames, FiveGridsTest,
    ::testing::Values(GridCase{"王", "小明", {5, 7, 11, 15, 9}, "土金木"},
                      GridCase{"王", "明", {5, 12, 9, 12, 2}, "土木水"},
                      GridCase{"欧阳", "明", {32, 25, 9, 40, 16}, "木土水"},
                      GridCase{"欧阳", "小明", {32, 20, 11, 43, 23}, "木水木"},
                      // 伟 counts as 偉 (11); typed in traditional characters the name is the same.
                      GridCase{"张", "伟", {12, 22, 12, 22, 2}, "木木木"},
                      GridCase{"張", "偉", {12, 22, 12, 22, 2}, "木木木"},
                      GridCase{"張", "伟", {12, 22, 12, 22, 2}, "木木木"},
                      GridCase{"陳", "志明", {17, 23, 15, 31, 9}, "金火土"},
                      // Only the first two characters of the given name count.
                      GridCase{"王", "小明明", {5, 7, 11, 15, 9}, "土金木"},
                      // An empty given name is one character counted as the empty text (1 stroke).
                      GridCase{"王", "", {5, 5, 2, 5, 2}, "土土木"},
                      // A surname without a count still has heaven 1.
                      GridCase{"A", "明", {1, 8, 9, 8, 2}, "木金水"}));

TEST(GetSanCaiTest, LastDigitDecides) {
    const std::pair<int, const char*> cases[] = {
        {0, "水"},  {1, "木"},  {2, "木"},  {3, "火"},  {4, "火"},  {5, "土"},
        {6, "土"},  {7, "金"},  {8, "金"},  {9, "水"},  {10, "水"}, {11, "木"},
        {12, "木"}, {13, "火"}, {20, "水"}, {81, "木"}, {98, "金"}, {132, "木"}};
    for (const auto& [n, element] : cases) {
        EXPECT_EQ(GetSanCai(n), element) << n;
    }
}

}  // namespace
}  // namespace norlune
