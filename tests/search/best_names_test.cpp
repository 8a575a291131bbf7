// The best-name table against the plain pass over the slots that defines it: lowest stored score
// from 100 down, first slot among equals, replace only when strictly higher, stored score rounded
// half to even, compared unrounded.
#include "search/best_names.h"

#include <gtest/gtest.h>

#include "linear_table.h"

#include <algorithm>
#include <cmath>
#include <map>
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

namespace norlune {
namespace {

using testing_support::LinearTable;

// Kept names per group over the whole table.
std::map<char32_t, int> groupCounts(const BestNameTable& t, const std::vector<char32_t>& groupOf) {
    std::map<char32_t, int> counts;
    for (int i = 1; i <= BestNameTable::kMaxSlots; ++i) {
        if (!t.BestNames(i).empty()) {
            ++counts[groupOf[static_cast<std::size_t>(i)]];
        }
    }
    return counts;
}

TEST(BestNameTableVarietyTest, KeepsExactlyWhatThePlainPassKeeps) {
    std::mt19937 rng(14);
    for (int round = 0; round < 60; ++round) {
        const int limit = 1 + round % BestNameTable::kMaxVariety;
        BestNameTable fast;
        fast.clear(limit);
        LinearTable plain;
        plain.limit = limit;
        std::vector<char32_t> groupOf(BestNameTable::kMaxSlots + 1, 0);
        int listNum = 100 * static_cast<int>(1 + rng() % 3);
        // Few groups, so that they fill up; scores on few values, so that ties are common.
        const int groups = 3 + static_cast<int>(rng() % 40);
        std::uniform_int_distribution<int> base(69, 76);
        for (int n = 0; n < 1500; ++n) {
            if (n % 300 == 150) {
                listNum = 100 * static_cast<int>(1 + rng() % 4);  // the list size changed
            }
            const int f = (rng() % 3 == 0) ? 10 : static_cast<int>(rng() % 20);
            const Score score = Score::fromTwentieths(base(rng) * 20 + f);
            const char32_t group = U'一' + static_cast<char32_t>(rng() % groups);
            const std::string name = "名" + std::to_string(n);
            const int slot = fast.keep(name, score, listNum, group);
            ASSERT_EQ(slot, plain.keep(name, score, listNum, group)) << round << " " << n;
            if (slot != 0) {
                groupOf[static_cast<std::size_t>(slot)] = group;
                ASSERT_EQ(fast.exactScore(slot), score);
            }
        }
        expectSameSlots(fast, plain, 400);
        for (const auto& [group, count] : groupCounts(fast, groupOf)) {
            EXPECT_LE(count, limit) << static_cast<int>(group);
        }
    }
}

TEST(BestNameTableVarietyTest, FullGroupReplacesOnlyItsOwnLowestWhenStrictlyHigher) {
    BestNameTable t;
    t.clear(2);
    EXPECT_EQ(t.keep("王力甲", Score::fromTwentieths(90 * 20), 100, U'力'), 1);
    EXPECT_EQ(t.keep("王力乙", Score::fromTwentieths(80 * 20), 100, U'力'), 2);
    EXPECT_EQ(t.keep("王文甲", Score::fromTwentieths(75 * 20), 100, U'文'), 3);
    // A third 力 name lower than both 力 names is dropped even though free slots remain.
    EXPECT_EQ(t.keep("王力丙", Score::fromTwentieths(79 * 20), 100, U'力'), 0);
    // Equal to the group's lowest: dropped as well.
    EXPECT_EQ(t.keep("王力丁", Score::fromTwentieths(80 * 20), 100, U'力'), 0);
    // Higher than the group's lowest (slot 2), though not than the table's lowest (slot 4, free).
    EXPECT_EQ(t.keep("王力戊", Score::fromTwentieths(85 * 20), 100, U'力'), 2);
    EXPECT_EQ(t.BestNames(2), "王力戊");
    EXPECT_EQ(t.names(100), (std::vector<std::string>{"王力甲", "王力戊", "王文甲"}));
    // Without a limit the same names all stay.
    BestNameTable u;
    u.clear(0);
    for (const char* name : {"王力甲", "王力乙", "王力丙"}) {
        EXPECT_NE(u.keep(name, Score::fromTwentieths(80 * 20), 100, U'力'), 0);
    }
}

TEST(BestNameTableVarietyTest, ADisplacedNameFreesItsGroupsPlace) {
    BestNameTable t;
    t.clear(1);
    EXPECT_EQ(t.keep("甲", Score::fromTwentieths(71 * 20), 2, U'甲'), 1);
    EXPECT_EQ(t.keep("乙", Score::fromTwentieths(90 * 20), 2, U'乙'), 2);
    // The list is full; 丙 displaces the lowest (甲, slot 1) through the usual rule.
    EXPECT_EQ(t.keep("丙", Score::fromTwentieths(80 * 20), 2, U'丙'), 1);
    // 甲's group is empty again, so another 甲 name may come back by the usual rule.
    EXPECT_EQ(t.keep("甲二", Score::fromTwentieths(85 * 20), 2, U'甲'), 1);
    EXPECT_EQ(t.names(2), (std::vector<std::string>{"甲二", "乙"}));
}

TEST(BestNameTableTest, KeptNamesCarryUnroundedScoresAndSortBestFirstStably) {
    BestNameTable t;
    const std::vector<std::pair<const char*, int>> stream = {
        {"王一", 1689}, {"王二", 1900}, {"王三", 1689}, {"王四", 1701}, {"王五", 1900}};
    for (const auto& [name, twentieths] : stream) {
        t.keep(name, Score::fromTwentieths(twentieths), 100);
    }
    std::vector<KeptName> kept = t.kept(100);
    ASSERT_EQ(kept.size(), 5u);
    EXPECT_EQ(kept[0], (KeptName{"王一", Score::fromTwentieths(1689), 1}));
    sortBestFirst(kept);
    std::vector<std::string> entries;
    for (const KeptName& k : kept) {
        entries.push_back(scoredEntry(k));
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"王二=95", "王五=95", "王四=85.05", "王一=84.45",
                                                 "王三=84.45"}));
    EXPECT_EQ(t.kept(3).size(), 3u);
}

}  // namespace
}  // namespace norlune
