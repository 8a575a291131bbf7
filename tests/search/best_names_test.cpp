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

#include "engine/utf8.h"

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

// Which part of the variety rule decides for a name, read off the plain table before the name.
enum class VarietyCase { Open, FirstFull, LastFull, BothFullShared, BothFullApart };

VarietyCase varietyCase(const LinearTable& t, char32_t first, char32_t last) {
    int firsts = 0;
    int lasts = 0;
    bool shared = false;
    for (int i = 1; i <= t.highest; ++i) {
        if (t.names[static_cast<std::size_t>(i)].empty()) {
            continue;
        }
        const bool f = t.firsts[static_cast<std::size_t>(i)] == first;
        const bool l = t.lasts[static_cast<std::size_t>(i)] == last;
        firsts += f ? 1 : 0;
        lasts += l ? 1 : 0;
        shared = shared || (f && l);
    }
    if (firsts >= t.limit && lasts >= t.limit) {
        return shared ? VarietyCase::BothFullShared : VarietyCase::BothFullApart;
    }
    return firsts >= t.limit  ? VarietyCase::FirstFull
           : lasts >= t.limit ? VarietyCase::LastFull
                              : VarietyCase::Open;
}

// Random given names of one or two characters from a small pool, so that groups fill up, first
// and last characters are shared across names, and some two-character names repeat a character.
struct GivenName {
    std::u32string text;
    char32_t first() const { return text.front(); }
    char32_t last() const { return text.back(); }
};

GivenName randomGiven(std::mt19937& rng, int pool) {
    const auto pick = [&] {
        return U'一' + static_cast<char32_t>(rng() % static_cast<unsigned>(pool));
    };
    GivenName given{std::u32string(1, pick())};
    if (rng() % 4 != 0) {
        given.text += rng() % 8 == 0 ? given.text.front() : pick();
    }
    return given;
}

TEST(BestNameTableVarietyTest, KeepsExactlyWhatThePlainPassKeeps) {
    std::mt19937 rng(14);
    std::map<VarietyCase, std::pair<int, int>> seen;  // kept, dropped
    for (int round = 0; round < 80; ++round) {
        const int limit = 1 + round % BestNameTable::kMaxVariety;
        BestNameTable fast;
        fast.clear(limit);
        LinearTable plain;
        plain.limit = limit;
        std::vector<GivenName> givenOf(BestNameTable::kMaxSlots + 1);
        int listNum = 100 * static_cast<int>(1 + rng() % 3);
        // Few characters, so that groups fill up; scores on few values, so that ties are common.
        const int pool = 3 + static_cast<int>(rng() % 40);
        std::uniform_int_distribution<int> base(69, 76);
        for (int n = 0; n < 1500; ++n) {
            if (n % 300 == 150) {
                listNum = 100 * static_cast<int>(1 + rng() % 4);  // the list size changed
            }
            const int f = (rng() % 3 == 0) ? 10 : static_cast<int>(rng() % 20);
            const Score score = Score::fromTwentieths(base(rng) * 20 + f);
            const GivenName given = randomGiven(rng, pool);
            const std::string name = "王" + u32ToUtf8(given.text) + std::to_string(n);
            const VarietyCase kind = varietyCase(plain, given.first(), given.last());
            const int slot = fast.keep(name, score, listNum, given.first(), given.last());
            ASSERT_EQ(slot, plain.keep(name, score, listNum, given.first(), given.last()))
                << round << " " << n;
            if (slot != 0) {
                ++seen[kind].first;
                givenOf[static_cast<std::size_t>(slot)] = given;
                ASSERT_EQ(fast.exactScore(slot), score);
            } else {
                ++seen[kind].second;
            }
        }
        expectSameSlots(fast, plain, 400);
        std::map<char32_t, int> firsts;
        std::map<char32_t, int> lasts;
        for (int i = 1; i <= BestNameTable::kMaxSlots; ++i) {
            if (!fast.BestNames(i).empty()) {
                EXPECT_LE(++firsts[givenOf[static_cast<std::size_t>(i)].first()], limit);
                EXPECT_LE(++lasts[givenOf[static_cast<std::size_t>(i)].last()], limit);
            }
        }
    }
    // Every part of the rule both kept and dropped names along the way.
    for (VarietyCase kind : {VarietyCase::Open, VarietyCase::FirstFull, VarietyCase::LastFull,
                             VarietyCase::BothFullShared}) {
        EXPECT_GT(seen[kind].first, 0) << static_cast<int>(kind);
        EXPECT_GT(seen[kind].second, 0) << static_cast<int>(kind);
    }
    EXPECT_GT(seen[VarietyCase::BothFullApart].second, 0);
    EXPECT_EQ(seen[VarietyCase::BothFullApart].first, 0);
}

TEST(BestNameTableVarietyTest, AFullTableWithManyGroupsAgreesToo) {
    std::mt19937 rng(99);
    for (int limit : {1, 4, 10}) {
        BestNameTable fast;
        fast.clear(limit);
        LinearTable plain;
        plain.limit = limit;
        for (int n = 0; n < 6000; ++n) {
            const int listNum = n < 3000 ? 2000 : 1200;  // the list shrinks under kept names
            const Score score = Score::fromTwentieths(1400 + static_cast<int>(rng() % 500));
            const GivenName given = randomGiven(rng, 300);
            const std::string name = std::to_string(n);
            ASSERT_EQ(fast.keep(name, score, listNum, given.first(), given.last()),
                      plain.keep(name, score, listNum, given.first(), given.last()))
                << limit << " " << n;
        }
        expectSameSlots(fast, plain, 2000);
    }
}

TEST(BestNameTableVarietyTest, FullGroupReplacesOnlyItsOwnLowestWhenStrictlyHigher) {
    BestNameTable t;
    t.clear(2);
    EXPECT_EQ(t.keep("王力甲", Score::fromTwentieths(90 * 20), 100, U'力', U'甲'), 1);
    EXPECT_EQ(t.keep("王力乙", Score::fromTwentieths(80 * 20), 100, U'力', U'乙'), 2);
    EXPECT_EQ(t.keep("王文甲", Score::fromTwentieths(75 * 20), 100, U'文', U'甲'), 3);
    // A third 力 name lower than both 力 names is dropped even though free slots remain.
    EXPECT_EQ(t.keep("王力丙", Score::fromTwentieths(79 * 20), 100, U'力', U'丙'), 0);
    // Equal to the group's lowest: dropped as well.
    EXPECT_EQ(t.keep("王力丁", Score::fromTwentieths(80 * 20), 100, U'力', U'丁'), 0);
    // Higher than the group's lowest (slot 2), though not than the table's lowest (slot 4, free).
    EXPECT_EQ(t.keep("王力戊", Score::fromTwentieths(85 * 20), 100, U'力', U'戊'), 2);
    EXPECT_EQ(t.BestNames(2), "王力戊");
    EXPECT_EQ(t.names(100), (std::vector<std::string>{"王力甲", "王力戊", "王文甲"}));
    // Without a limit the same names all stay.
    BestNameTable u;
    u.clear(0);
    for (const char* name : {"王力甲", "王力乙", "王力丙"}) {
        EXPECT_NE(u.keep(name, Score::fromTwentieths(80 * 20), 100, U'力', U'甲'), 0);
    }
}

TEST(BestNameTableVarietyTest, ADisplacedNameFreesItsGroupsPlace) {
    BestNameTable t;
    t.clear(1);
    EXPECT_EQ(t.keep("甲", Score::fromTwentieths(71 * 20), 2, U'甲', U'甲'), 1);
    EXPECT_EQ(t.keep("乙", Score::fromTwentieths(90 * 20), 2, U'乙', U'乙'), 2);
    // The list is full; 丙 displaces the lowest (甲, slot 1) through the usual rule.
    EXPECT_EQ(t.keep("丙", Score::fromTwentieths(80 * 20), 2, U'丙', U'丙'), 1);
    // 甲's group is empty again, so another 甲 name may come back by the usual rule.
    EXPECT_EQ(t.keep("甲二", Score::fromTwentieths(85 * 20), 2, U'甲', U'二'), 1);
    EXPECT_EQ(t.names(2), (std::vector<std::string>{"甲二", "乙"}));
}

Score points(int whole) {
    return Score::fromTwentieths(whole * 20);
}

TEST(BestNameTableVarietyTest, FullLastCharacterReplacesOnlyItsOwnLowest) {
    BestNameTable t;
    t.clear(2);
    EXPECT_EQ(t.keep("王子轩", points(90), 100, U'子', U'轩'), 1);
    EXPECT_EQ(t.keep("王浩轩", points(80), 100, U'浩', U'轩'), 2);
    // 轩 is full, 宇 is not: 宇轩 may only take 轩's lowest place (slot 2), though slot 3 is free.
    EXPECT_EQ(t.keep("王宇轩", points(85), 100, U'宇', U'轩'), 2);
    // Not higher than 轩's lowest (85 now): dropped.
    EXPECT_EQ(t.keep("王天轩", points(85), 100, U'天', U'轩'), 0);
    // 浩轩 left 浩 with 轩: 浩 is free again and 浩然 takes a free slot by the usual rule.
    EXPECT_EQ(t.keep("王浩然", points(75), 100, U'浩', U'然'), 3);
    EXPECT_EQ(t.keep("王浩宇", points(74), 100, U'浩', U'宇'), 4);
    // 浩 full (75, 74), 宇 not: 74 is 浩's lowest.
    EXPECT_EQ(t.keep("王浩天", points(76), 100, U'浩', U'天'), 4);
    EXPECT_EQ(t.names(100), (std::vector<std::string>{"王子轩", "王宇轩", "王浩然", "王浩天"}));
}

TEST(BestNameTableVarietyTest, BothFullReplaceOnlyANameSharingBothCharacters) {
    BestNameTable t;
    t.clear(2);
    EXPECT_EQ(t.keep("王子轩", points(90), 100, U'子', U'轩'), 1);
    EXPECT_EQ(t.keep("王子涵", points(72), 100, U'子', U'涵'), 2);
    EXPECT_EQ(t.keep("王浩轩", points(80), 100, U'浩', U'轩'), 3);
    // 子 and 轩 are full; only slot 1 is in both. 85 beats 子's lowest (72) and 轩's (80) but not
    // slot 1 (90).
    EXPECT_EQ(t.keep("王子轩二", points(85), 100, U'子', U'轩'), 0);
    EXPECT_EQ(t.keep("王子轩三", points(90), 100, U'子', U'轩'), 0);
    EXPECT_EQ(t.keep("王子轩四", Score::fromTwentieths(90 * 20 + 1), 100, U'子', U'轩'), 1);
    // Two names in both: the lower one goes, the first slot among equals.
    BestNameTable u;
    u.clear(2);
    EXPECT_EQ(u.keep("甲", points(80), 100, U'子', U'轩'), 1);
    EXPECT_EQ(u.keep("乙", points(80), 100, U'子', U'轩'), 2);
    EXPECT_EQ(u.keep("丙", points(80), 100, U'子', U'轩'), 0);  // equal: dropped
    EXPECT_EQ(u.keep("丁", points(81), 100, U'子', U'轩'), 1);  // the first slot among equals
    EXPECT_EQ(u.keep("戊", points(81), 100, U'子', U'轩'), 2);  // 80 on slot 2 is the lowest now
    EXPECT_EQ(u.names(100), (std::vector<std::string>{"丁", "戊"}));
}

TEST(BestNameTableVarietyTest, BothFullWithNoSharedNameKeepNothing) {
    BestNameTable t;
    t.clear(1);
    EXPECT_EQ(t.keep("王子涵", points(71), 100, U'子', U'涵'), 1);
    EXPECT_EQ(t.keep("王浩轩", points(71), 100, U'浩', U'轩'), 2);
    EXPECT_EQ(t.keep("王子轩", points(99), 100, U'子', U'轩'), 0);
    EXPECT_EQ(t.names(100), (std::vector<std::string>{"王子涵", "王浩轩"}));
}

TEST(BestNameTableVarietyTest, OneCharacterNamesCountAsFirstAndLastApart) {
    BestNameTable t;
    t.clear(1);
    EXPECT_EQ(t.keep("王明", points(80), 100, U'明', U'明'), 1);
    // 明 is full as a first character: 明亮 may only take 王明's place.
    EXPECT_EQ(t.keep("王明亮", points(79), 100, U'明', U'亮'), 0);
    EXPECT_EQ(t.keep("王明亮", points(90), 100, U'明', U'亮'), 1);
    // 王明 left 明 as a last character too, so 小明 comes in by the usual rule.
    EXPECT_EQ(t.keep("王小明", points(85), 100, U'小', U'明'), 2);
    // Now 明 is full as a first character (明亮) and as a last one (小明), with no name in both.
    EXPECT_EQ(t.keep("王明", points(99), 100, U'明', U'明'), 0);
    // The two counts are apart: a last 亮 and a first 小 are full, 晓 and 光 are not.
    EXPECT_EQ(t.keep("王晓光", points(70), 100, U'晓', U'光'), 3);
    EXPECT_EQ(t.names(100), (std::vector<std::string>{"王明亮", "王小明", "王晓光"}));
}

TEST(BestNameTableVarietyTest, ADisplacedNameLeavesBothOfItsGroups) {
    BestNameTable t;
    t.clear(1);
    EXPECT_EQ(t.keep("王子轩", points(71), 2, U'子', U'轩'), 1);
    EXPECT_EQ(t.keep("王浩然", points(90), 2, U'浩', U'然'), 2);
    EXPECT_EQ(t.keep("王宇航", points(80), 2, U'宇', U'航'), 1);  // the usual rule: 子轩 goes
    EXPECT_EQ(t.keep("王子墨", points(85), 2, U'子', U'墨'), 1);  // 子 is free again
    EXPECT_EQ(t.keep("王天航", points(86), 2, U'天', U'航'), 1);  // and 航 after 宇航 went
    // A name that replaces a full group's lowest takes its place in its own other group.
    EXPECT_EQ(t.keep("王天然", points(87), 2, U'天', U'然'), 0);  // both full, none shared
    EXPECT_EQ(t.keep("王天一", points(87), 2, U'天', U'一'), 1);  // 天 full: slot 1
    EXPECT_EQ(t.keep("王二航", points(88), 2, U'二', U'航'), 1);  // 航 left with 天航
    EXPECT_EQ(t.names(2), (std::vector<std::string>{"王二航", "王浩然"}));
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
