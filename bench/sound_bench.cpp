// The sound analysis: the whole analysis of one name with its five lines (what a report click
// costs), the search's filter per candidate, and a whole search run over one million candidate
// lines with both sound options on beside the same run with both off.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/million_lines.h"
#include "engine/utf8.h"
#include "search/name_search.h"
#include "sound/sound_analysis.h"
#include "textio/text_encoding.h"

namespace {

using namespace norlune;

// Given names from the stroke dictionary's characters, one in four of one character.
std::vector<std::string> givenNames(const NameTables& tables, std::size_t count) {
    std::u32string pool;
    for (int k = 2; k <= 20; ++k) {
        pool += tables.strokes.list(k);
    }
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        std::u32string name(1, pool[(i * 7919) % pool.size()]);
        if (i % 4 != 0) {
            name += pool[(i * 104729 + 17) % pool.size()];
        }
        names.push_back(u32ToUtf8(name));
    }
    return names;
}

void BM_AnalyzeSoundWithLines(benchmark::State& state) {
    const SoundTables sound = SoundTables::builtIn();
    const auto names = givenNames(FillNameTables(), 4096);
    std::size_t i = 0;
    for (auto _ : state) {
        const SoundAnalysis a = analyzeSound(sound, "王", names[i++ % names.size()]);
        benchmark::DoNotOptimize(soundLines(sound, a));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_SoundFilterAccepts(benchmark::State& state) {
    const SoundTables sound = SoundTables::builtIn();
    const auto names = givenNames(FillNameTables(), 4096);
    const SoundFilter filter(sound, "王", true, true);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(filter.accepts(names[i++ % names.size()]));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_BuildSoundTables(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(SoundTables::builtIn());
    }
}

// Arg 0: both sound options off; 1: both on.
void BM_SearchRunMillionLines(benchmark::State& state) {
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists();
    const NameEngine engine(tables, elements);
    const SoundTables sound = SoundTables::builtIn();
    const std::string path = bench::writeMillionLineCandidates(
        tables, (std::filesystem::temp_directory_path() / "norlune-bench-sound.dat").string());
    SearchSettings settings;
    settings.surname = "王";
    settings.cleanSound = state.range(0) != 0;
    settings.standardChars = state.range(0) != 0;
    for (auto _ : state) {
        NameSearch search(engine, &sound);
        search.start(settings, "", path);
        while (!search.step().endOfFile) {
        }
        benchmark::DoNotOptimize(search.finish());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bench::kMillionLines));
    std::filesystem::remove(path);
}

BENCHMARK(BM_AnalyzeSoundWithLines);
BENCHMARK(BM_SoundFilterAccepts);
BENCHMARK(BM_BuildSoundTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRunMillionLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
