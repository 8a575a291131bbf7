// The best-name table against the plain pass over the slots that defines it: lowest stored score
// from 100 down, first slot among equals, replace only when strictly higher, stored score rounded
// half to even, compared unrounded.
#include "search/best_names.h"

#include <gtest/gtest.h>

#include "linear_table.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace norlune {
namespace {

using testing_support::LinearTable;

void expectSameSlots(const BestNameTable& fast, const LinearTable& plain, int upTo) {
    for (int i = 1; i <= upTo; ++i) {
        ASSERT_EQ(fast.BestNames(i), plain.names[static_cast<std::size_t>(i)]) << "slot " << i;
        ASSERT_EQ(fast.BestScores(i), plain.scores[static_cast<std::size_t>(i)]) << "slot " << i;
    }
}

TEST(BestNameTableTest, MatchesTheLinearPassOnRandomStreams) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 40; ++round) {
        BestNameTable fast;
        LinearTable plain;
        int listNum = 100 * static_cast<int>(1 + rng() % 3);
        // Scores clustered around a few values so that ties and x.5 and x.45 values are frequent.
        std::uniform_int_distribution<int> base(68, 80);
        std::uniform_int_distribution<int> frac(0, 19);
        for (int n = 0; n < 3000; ++n) {
            if (n % 500 == 250) {
                listNum = 100 * static_cast<int>(1 + rng() % 4);  // the scroll bar moved
            }
            const int f = (rng() % 3 == 0) ? 10 : frac(rng);
            const Score score = Score::fromTwentieths(base(rng) * 20 + f);
            const std::string name = "名" + std::to_string(n);
            ASSERT_EQ(fast.keep(name, score, listNum), plain.keep(name, score, listNum)) << n;
        }
        expectSameSlots(fast, plain, 400);
        EXPECT_EQ(fast.names(listNum).size(),
                  static_cast<std::size_t>(
                      std::count_if(plain.names.begin() + 1, plain.names.begin() + 1 + listNum,
                                    [](const std::string& s) { return !s.empty(); })));
    }
}

TEST(BestNameTableTest, FullTableOfTenThousandAgreesToo) {
    std::mt19937 rng(7);
    BestNameTable fast;
    LinearTable plain;
    for (int n = 0; n < 30000; ++n) {
        const Score score = Score::fromTwentieths(1400 + static_cast<int>(rng() % 500));
        const std::string name = std::to_string(n);
        ASSERT_EQ(fast.keep(name, score, 10000), plain.keep(name, score, 10000)) << n;
    }
    expectSameSlots(fast, plain, 10000);
}

TEST(BestNameTableTest, QuotedRules) {
    BestNameTable t;
    EXPECT_EQ(t.keep("低", Score::fromTwentieths(69 * 20 + 18), 100), 0);  // 69.9 is not kept
    EXPECT_EQ(t.keep("七十", Score::fromTwentieths(70 * 20), 100), 1);     // 70 is
    EXPECT_EQ(t.BestScores(1), 70);
    EXPECT_EQ(t.keep("甲", Score::fromTwentieths(1690), 100), 2);  // 84.5 stored as 84
    EXPECT_EQ(t.BestScores(2), 84);
    EXPECT_EQ(t.keep("乙", Score::fromTwentieths(1710), 100), 3);  // 85.5 stored as 86
    EXPECT_EQ(t.BestScores(3), 86);
}

TEST(BestNameTableTest, EqualScoresDoNotDisplaceButUnroundedHigherOnesDo) {
    BestNameTable t;
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(t.keep("名" + std::to_string(i), Score::fromTwentieths(80 * 20), 100), i + 1);
    }
    EXPECT_EQ(t.keep("同分", Score::fromTwentieths(80 * 20), 100), 0);        // equal: dropped
    EXPECT_EQ(t.keep("高一点", Score::fromTwentieths(80 * 20 + 1), 100), 1);  // 80.05 > 80
    EXPECT_EQ(t.BestScores(1), 80);
    // 84.45 is stored as 84; another 84.45 then beats the stored 84.
    BestNameTable u;
    u.keep("先", Score::fromTwentieths(1689), 1);
    EXPECT_EQ(u.keep("后", Score::fromTwentieths(1689), 1), 1);
    EXPECT_EQ(u.BestNames(1), "后");
    EXPECT_EQ(t.names(100).size(), 100u);
}

TEST(BestNameTableTest, ClearEmptiesEverySlotNotOnlyTheListed) {
    BestNameTable t;
    for (int i = 0; i < 5000; ++i) {
        t.keep(std::to_string(i), Score::fromTwentieths(1500), 5000);
    }
    t.clear();
    EXPECT_TRUE(t.names(10000).empty());
    EXPECT_EQ(t.BestScores(4999), 0);
    EXPECT_EQ(t.keep("新", Score::fromTwentieths(1500), 10000), 1);
}

}  // namespace
}  // namespace norlune
