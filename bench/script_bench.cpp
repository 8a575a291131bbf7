// The traditional interface: building the converter at start-up, converting a whole name report
// (what `report --hant` adds), and converting the help text; each beside copying the same text,
// which is what the simplified interface costs.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>

#include "embedded/hant_table_txt.h"
#include "engine/name_engine.h"
#include "script/interface_script.h"

namespace {

using namespace norlune;

std::string nameReport() {
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists();
    const NameEngine engine(tables, elements);
    AnalyzeOptions options;
    options.bShowInfo = true;
    return engine.AnalyzeName("王", "小明", options).report;
}

void BM_BuildConverter(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScriptConverter(embedded::kHantTableTxt));
    }
}

void BM_ConvertReport(benchmark::State& state) {
    const ScriptConverter& converter = ScriptConverter::builtIn();
    const std::string report = nameReport();
    const std::array<std::string_view, 6> keep = {"王小明", "王小明", "“王”",
                                                  "“小明”", "小：",   "明："};
    for (auto _ : state) {
        benchmark::DoNotOptimize(converter.toHant(report, keep));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * report.size()));
}

void BM_CopyReport(benchmark::State& state) {
    const std::string report = nameReport();
    for (auto _ : state) {
        benchmark::DoNotOptimize(present(ScriptConverter::builtIn(), Script::Hans, report));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * report.size()));
}

void BM_ConvertTable(benchmark::State& state) {
    // The table itself: 4,000 lines of mixed text, most of them characters with a rule.
    const ScriptConverter& converter = ScriptConverter::builtIn();
    const std::string_view text = embedded::kHantTableTxt;
    for (auto _ : state) {
        benchmark::DoNotOptimize(converter.toHant(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(BM_BuildConverter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvertReport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CopyReport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvertTable)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
