#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "engine/utf8.h"
#include "search/avoid_filter.h"
#include "search/name_search.h"
#include "search/twins.h"

namespace norlune {
namespace {

const SoundTables& sound() {
    static const SoundTables tables = SoundTables::builtIn();
    return tables;
}

TEST(AvoidFilterTest, CharactersAndTheirSyllables) {
    struct Row {
        const char* avoid;
        bool bySound;
        const char* given;
        bool accepted;
    };
    const Row rows[] = {
        {"明", false, "明轩", false},       {"明", false, "小明", false},
        {"明", false, "铭轩", true},        {"明", true, "铭轩", false},
        {"明", true, "一鸣", false},        {"明", true, "茗", false},
        {"明", true, "敏轩", true},         {"明", true, "子涵", true},
        {"建国秀英", false, "国栋", false}, {"建国秀英", true, "剑", false},
        {"建国秀英", true, "郭", false},  // guō and guó: one syllable
        {"建国秀英", false, "英", false},   {"", false, "明", true},
    };
    for (const Row& row : rows) {
        const AvoidFilter filter(row.avoid, &sound(), row.bySound);
        EXPECT_EQ(filter.accepts(row.given), row.accepted) << row.avoid << ' ' << row.given;
    }
}

TEST(AvoidFilterTest, SearchSkipsAndCountsTheAvoidedNames) {
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists();
    const NameEngine engine(tables, elements);
    const std::string file = "6\r\n明轩\r\n铭轩\r\n子涵\r\n一鸣\r\n浩然\r\n思远\r\n";
    for (const bool bySound : {false, true}) {
        NameSearch search(engine, &sound());
        SearchSettings settings;
        settings.surname = "王";
        settings.avoid = "明";
        settings.avoidSound = bySound;
        ASSERT_EQ(search.startOnBytes(settings, file).kind,
                  NameSearch::StartResult::Kind::Searching);
        std::string end;
        for (;;) {
            const NameSearch::Step step = search.step();
            if (step.endOfFile) {
                end = step.message;
                break;
            }
        }
        const std::vector<std::string> names = search.finish();
        const long long expected = bySound ? 3 : 1;
        EXPECT_EQ(search.avoidedNames(), expected);
        EXPECT_NE(end.find("（已避开 " + std::to_string(expected) + " 个含避讳用字的名字）"),
                  std::string::npos);
        for (const std::string& name : names) {
            EXPECT_EQ(name.find("明"), std::string::npos);
            if (bySound) {
                EXPECT_EQ(name.find("铭"), std::string::npos);
                EXPECT_EQ(name.find("鸣"), std::string::npos);
            }
        }
    }
}

TEST(AvoidFilterTest, NoAvoidLeavesTheEndMessageAlone) {
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists();
    const NameEngine engine(tables, elements);
    NameSearch search(engine);
    SearchSettings settings;
    settings.surname = "王";
    ASSERT_EQ(search.startOnBytes(settings, "1\r\n明轩\r\n").kind,
              NameSearch::StartResult::Kind::Searching);
    std::string end;
    while (end.empty()) {
        const NameSearch::Step step = search.step();
        if (step.endOfFile) {
            end = step.message;
        }
    }
    EXPECT_EQ(end, kSearchCompleteMessage);
}

TwinCandidate candidate(const char* given, double score, std::vector<std::uint32_t> clauses = {}) {
    return {utf8ToU32(given), Score::fromTwentieths(static_cast<int>(score * 20)),
            std::move(clauses)};
}

// The twins read candidate names as the search does: a name with a character that has no stroke
// count is left out, one typed in traditional characters judged as the simplified one.
TEST(TwinsTest, CandidatesWithoutAStrokeCountAreLeftOut) {
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists(tables.traditional);
    const NameEngine engine(tables, elements);
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("norlune_twins_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::ofstream(path, std::ios::binary)
        << "5\r\n明轩\r\n㐂\r\n伟\r\n偉\r\n明\xF0\xAA\x9A\xA5\r\n";
    std::string message;
    const auto names = readTwinCandidates(path.string(), engine, "张", false, message);
    std::filesystem::remove(path);
    ASSERT_TRUE(names.has_value()) << message;
    ASSERT_EQ(names->size(), 3u);
    EXPECT_EQ((*names)[0].given, U"明轩");
    EXPECT_EQ((*names)[1].given, U"伟");
    EXPECT_EQ((*names)[2].given, U"偉");
    EXPECT_EQ((*names)[1].score.toString(), (*names)[2].score.toString());
    EXPECT_EQ((*names)[1].score.toString(), engine.scoreName("张", "伟", {}).toString());
}

TEST(TwinsTest, SharedCharacterPairsOrderedByTheWeakerName) {
    const std::vector<TwinCandidate> list = {
        candidate("思远", 90), candidate("思齐", 95), candidate("思源", 80),
        candidate("浩然", 99), candidate("浩宇", 60),  // below the threshold
        candidate("明", 99),   candidate("明远", 85),
    };
    TwinQuery query;
    query.share = TwinShare::First;
    query.distinctNames = false;
    const std::vector<TwinPair> pairs = findTwins(list, nullptr, query);
    // 思远+思齐 (low 90), 思齐+思源 and 思远+思源 (low 80; sum 175 before 170); 明 is one
    // character.
    ASSERT_EQ(pairs.size(), 3U);
    EXPECT_EQ(pairs[0], (TwinPair{0, 1, false, 0}));
    EXPECT_EQ(pairs[1], (TwinPair{1, 2, false, 0}));
    EXPECT_EQ(pairs[2], (TwinPair{0, 2, false, 0}));
    query.share = TwinShare::Last;
    const std::vector<TwinPair> last = findTwins(list, nullptr, query);
    ASSERT_EQ(last.size(), 1U);
    EXPECT_EQ(last[0], (TwinPair{0, 6, false, 0}));  // 思远 明远
    // With each name once, 思源 has no partner left after 思远+思齐.
    query.share = TwinShare::First;
    query.distinctNames = true;
    const std::vector<TwinPair> distinct = findTwins(list, nullptr, query);
    ASSERT_EQ(distinct.size(), 1U);
    EXPECT_EQ(distinct[0], (TwinPair{0, 1, false, 0}));
}

TEST(TwinsTest, ClausePairsNeedNoSharedCharacter) {
    const std::vector<TwinCandidate> boys = {candidate("子衿", 88, {7}), candidate("浩然", 99)};
    const std::vector<TwinCandidate> girls = {candidate("悠然", 92, {7}),
                                              candidate("子衿", 95, {7})};
    TwinQuery query;
    const std::vector<TwinPair> pairs = findTwins(boys, &girls, query);
    // 子衿 with 子衿 is one name twice, never a pair.
    ASSERT_EQ(pairs.size(), 1U);
    EXPECT_EQ(pairs[0], (TwinPair{0, 0, true, 7}));
}

// The indexed search must give exactly what looking at every pair gives, ties and all.
// A clause that two names share gets one id, whichever list (and sex) the names stand in; a name
// has the ids of every source its sex's table gives.
TEST(TwinsTest, ClausesAreNumberedOncePerText) {
    const NameMeanings meanings =
        NameMeanings::fromText("",
                               "子衿\tboth\t1\t《诗经·郑风·子衿》\t青青子衿，悠悠我心\n"
                               "悠心\tF\t2\t《诗经·郑风·子衿》\t青青子衿，悠悠我心\n"
                               "明月\tM\t1\t唐·李白《静夜思》\t举头望明月\n"
                               "明月\tM\t1\t唐·王维《山居秋暝》\t明月松间照，清泉石上流\n");
    std::vector<TwinCandidate> boys = {
        {U"明月", Score{}, {}}, {U"子衿", Score{}, {}}, {U"浩然", Score{}, {}}};
    std::vector<TwinCandidate> girls = {{U"悠心", Score{}, {}}, {U"明月", Score{}, {}}};
    TwinClauses clauses;
    clauses.addSources(boys, meanings, false);
    clauses.addSources(girls, meanings, true);
    EXPECT_EQ(boys[0].clauses, (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(boys[1].clauses, (std::vector<std::uint32_t>{2}));
    EXPECT_TRUE(boys[2].clauses.empty());
    EXPECT_EQ(girls[0].clauses, (std::vector<std::uint32_t>{2}));
    EXPECT_TRUE(girls[1].clauses.empty());  // 明月 has sources for boys only
    EXPECT_EQ(clauses.text(2), "《诗经·郑风·子衿》青青子衿，悠悠我心");
    EXPECT_EQ(clauses.text(1), "唐·王维《山居秋暝》明月松间照，清泉石上流");
}

TEST(TwinsTest, AgreesWithEveryPairOnRandomLists) {
    std::mt19937 random(20261208);
    const std::u32string alphabet = U"思远齐浩然子衿明";
    auto randomList = [&](std::size_t size) {
        std::vector<TwinCandidate> list;
        for (std::size_t i = 0; i < size; ++i) {
            TwinCandidate c;
            const std::size_t length = random() % 5 == 0 ? 1 : 2;
            for (std::size_t k = 0; k < length; ++k) {
                c.given.push_back(alphabet[random() % alphabet.size()]);
            }
            c.score = Score::fromTwentieths(static_cast<int>(1300 + random() % 700));
            for (std::size_t k = random() % 3; k > 0; --k) {
                const auto clause = static_cast<std::uint32_t>(random() % 6);
                if (std::find(c.clauses.begin(), c.clauses.end(), clause) == c.clauses.end()) {
                    c.clauses.push_back(clause);
                }
            }
            list.push_back(std::move(c));
        }
        return list;
    };
    for (int round = 0; round < 600; ++round) {
        const std::vector<TwinCandidate> first = randomList(random() % 40);
        const std::vector<TwinCandidate> second = randomList(random() % 40);
        const bool mixed = round % 2 == 1;
        TwinQuery query;
        query.share = static_cast<TwinShare>(random() % 3);
        query.top = random() % 25;
        query.distinctNames = random() % 2 == 0;
        const std::vector<TwinCandidate>* other = mixed ? &second : nullptr;
        ASSERT_EQ(findTwins(first, other, query), findTwinsByEveryPair(first, other, query))
            << "round " << round;
    }
}

}  // namespace
}  // namespace norlune
