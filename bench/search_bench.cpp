// The search: keeping names with ListNum 10000 and every name qualifying (the plain pass over the
// slots against the table's segment tree, without and with a variety limit), and a whole run over
// a generated file of one million lines.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/million_lines.h"
#include "bench/ratio_reporter.h"
#include "engine/utf8.h"
#include "search/name_search.h"
#include "tests/search/linear_table.h"
#include "textio/text_encoding.h"

namespace {

using namespace norlune;

std::vector<Score> qualifyingScores(std::size_t n) {
    std::mt19937 rng(42);
    std::vector<Score> scores;
    for (std::size_t i = 0; i < n; ++i) {
        scores.push_back(Score::fromTwentieths(1400 + static_cast<int>(rng() % 540)));
    }
    return scores;
}

// The keep step as a pass over all slots.
struct PlainTable {
    std::vector<std::string> names = std::vector<std::string>(BestNameTable::kMaxSlots + 1);
    std::vector<std::int16_t> scores = std::vector<std::int16_t>(BestNameTable::kMaxSlots + 1, 0);
    void keep(const std::string& name, Score score, int listNum) {
        if (score.twentieths() < 1400) {
            return;
        }
        int lowest = 100;
        int slot = 0;
        for (int i = 1; i <= listNum; ++i) {
            if (scores[static_cast<std::size_t>(i)] < lowest) {
                lowest = scores[static_cast<std::size_t>(i)];
                slot = i;
            }
        }
        if (slot != 0 && score.twentieths() > lowest * 20) {
            names[static_cast<std::size_t>(slot)] = name;
            scores[static_cast<std::size_t>(slot)] =
                static_cast<std::int16_t>(score.roundedHalfEven());
        }
    }
};

void BM_KeepPlainPass(benchmark::State& state) {
    const auto scores = qualifyingScores(1 << 16);
    PlainTable table;
    const std::string name = "欧阳明明";
    std::size_t i = 0;
    for (auto _ : state) {
        table.keep(name, scores[i++ % scores.size()], 10000);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_KeepSegmentTree(benchmark::State& state) {
    const auto scores = qualifyingScores(1 << 16);
    BestNameTable table;
    const std::string name = "欧阳明明";
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.keep(name, scores[i++ % scores.size()], 10000));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// Given names with the first and last characters of a real list: about 3000 of each, so that many
// groups fill up.
struct GivenEnds {
    char32_t first;
    char32_t last;
};

std::vector<GivenEnds> givenStream(std::size_t n) {
    std::mt19937 rng(7);
    std::vector<GivenEnds> given;
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t first = U'一' + static_cast<char32_t>(rng() % 3000);
        given.push_back({first, U'一' + static_cast<char32_t>(rng() % 3000)});
    }
    return given;
}

// The keep step with a variety limit of 2 as defined: the first and the last character counted
// over the table, then the plain pass over the slots.
void BM_KeepVarietyPlain(benchmark::State& state) {
    const auto scores = qualifyingScores(1 << 16);
    const auto given = givenStream(1 << 16);
    testing_support::LinearTable table;
    table.limit = 2;
    const std::string name = "欧阳明明";
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t k = i++ % scores.size();
        benchmark::DoNotOptimize(table.keep(name, scores[k], 10000, given[k].first, given[k].last));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_KeepVarietyTable(benchmark::State& state) {
    const auto scores = qualifyingScores(1 << 16);
    const auto given = givenStream(1 << 16);
    BestNameTable table;
    table.clear(2);
    const std::string name = "欧阳明明";
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t k = i++ % scores.size();
        benchmark::DoNotOptimize(table.keep(name, scores[k], 10000, given[k].first, given[k].last));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_SearchRunMillionLines(benchmark::State& state) {
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists();
    const NameEngine engine(tables, elements);
    const std::string path = bench::writeMillionLineCandidates(
        tables, (std::filesystem::temp_directory_path() / "norlune-bench-candidates.dat").string());
    SearchSettings settings;
    settings.surname = "王";
    for (auto _ : state) {
        NameSearch search(engine);
        search.setListNum(static_cast<int>(state.range(0)));
        search.setVarietyLimit(static_cast<int>(state.range(1)));
        search.start(settings, "", path);
        while (!search.step().endOfFile) {
        }
        search.finish();
        std::vector<KeptName> kept = search.kept();
        sortBestFirst(kept);
        benchmark::DoNotOptimize(kept);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bench::kMillionLines));
    std::filesystem::remove(path);
}

BENCHMARK(BM_KeepPlainPass);
BENCHMARK(BM_KeepSegmentTree);
BENCHMARK(BM_KeepVarietyPlain);
BENCHMARK(BM_KeepVarietyTable);
// ListNum, variety limit; the list is sorted best first at the end.
BENCHMARK(BM_SearchRunMillionLines)
    ->Args({100, 0})
    ->Args({10000, 0})
    ->Args({100, 2})
    ->Args({10000, 2})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return norlune::bench::runWithRatios(argc, argv,
                                         {{"BM_KeepPlainPass", "BM_KeepSegmentTree"},
                                          {"BM_KeepVarietyPlain", "BM_KeepVarietyTable"}});
}
