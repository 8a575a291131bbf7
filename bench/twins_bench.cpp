// Names for twins over the shipped candidate files for one surname: the indexed pair search against
// the plain look at every pair, and the whole work of `norlune-cli twins --mixed` (reading and
// scoring both files, then the search).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/ratio_reporter.h"
#include "search/candidate_file.h"
#include "search/twins.h"

namespace {

using namespace norlune;

struct Lists {
    NameTables tables = FillNameTables();
    ElementCharacterLists elements = FillElementLists();
    NameEngine engine{tables, elements};
    std::string dir = std::filesystem::canonical("/proc/self/exe").parent_path().string();
    std::vector<TwinCandidate> boys = read(false);
    std::vector<TwinCandidate> girls = read(true);

    std::vector<TwinCandidate> read(bool female) {
        std::string message;
        return readTwinCandidates(candidateFilePath(dir, female), engine, "李", female, message)
            .value_or(std::vector<TwinCandidate>{});
    }
};

const Lists& lists() {
    static const Lists l;
    return l;
}

void run(benchmark::State& state, bool indexed) {
    const Lists& l = lists();
    TwinQuery query;
    query.share = static_cast<TwinShare>(state.range(0));
    for (auto _ : state) {
        auto pairs = indexed ? findTwins(l.boys, &l.girls, query)
                             : findTwinsByEveryPair(l.boys, &l.girls, query);
        benchmark::DoNotOptimize(pairs);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    state.counters["boys"] = static_cast<double>(l.boys.size());
    state.counters["girls"] = static_cast<double>(l.girls.size());
}

void BM_TwinsEveryPair(benchmark::State& state) {
    run(state, false);
}
void BM_TwinsIndexed(benchmark::State& state) {
    run(state, true);
}

void BM_TwinsReadScoreAndSearch(benchmark::State& state) {
    const Lists& l = lists();
    for (auto _ : state) {
        Lists fresh;
        TwinQuery query;
        benchmark::DoNotOptimize(findTwins(fresh.boys, &fresh.girls, query));
    }
    state.counters["boys"] = static_cast<double>(l.boys.size());
}

BENCHMARK(BM_TwinsEveryPair)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwinsIndexed)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwinsReadScoreAndSearch)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return norlune::bench::runWithRatios(argc, argv,
                                         {{"BM_TwinsEveryPair/0", "BM_TwinsIndexed/0"},
                                          {"BM_TwinsEveryPair/2", "BM_TwinsIndexed/2"}});
}
