// Judging names: the engine's map-based lookups against the literal list scans that the lookups are
// defined by, with the report off and on.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "engine/name_engine.h"
#include "engine/utf8.h"

namespace {

using namespace norlune;

struct Fixture {
    NameTables tables = FillNameTables();
    ElementCharacterLists elements = FillElementLists();
    NameEngine engine{tables, elements};
    std::vector<std::string> surnames = {"王", "李", "欧阳", "张", "赵"};
    std::vector<std::string> givenNames;

    Fixture() {
        // Given names from the dictionary's own characters, one and two characters long.
        std::u32string pool;
        for (int k = 2; k <= 20; ++k) {
            pool += tables.strokes.list(k).substr(0, 40);
        }
        for (std::size_t i = 0; givenNames.size() < 4096; ++i) {
            std::u32string name(1, pool[(i * 7) % pool.size()]);
            if (i % 5 != 0) {
                name += pool[(i * 13 + 3) % pool.size()];
            }
            givenNames.push_back(u32ToUtf8(name));
        }
    }
};

const Fixture& fixture() {
    static const Fixture f;
    return f;
}

// The lookups as defined: scan the lists in order for the character.
int literalGetnum(const StrokeDictionary& dict, char32_t ch) {
    for (int k = 1; k <= StrokeDictionary::kListCount; ++k) {
        if (dict.list(k).find(ch) != std::u32string::npos) {
            return k;
        }
    }
    return 0;
}

std::string_view literalElement(const ElementCharacterLists& lists, char32_t ch) {
    for (int code = 1; code <= ElementCharacterLists::kListCount; ++code) {
        if (lists.list(code).find(ch) != std::u32string::npos) {
            return kElementByCode[static_cast<std::size_t>(code)];
        }
    }
    return {};
}

// A plain judge: literal scans for strokes and elements, grades read as text from the tables.
double literalScore(const Fixture& f, std::string_view surname, std::string_view given,
                    std::string_view need) {
    const std::u32string s = utf8ToU32(surname);
    const std::u32string g = utf8ToU32(given);
    const int s1 = literalGetnum(f.tables.strokes, s[0]);
    const int s2 = s.size() > 1 ? literalGetnum(f.tables.strokes, s[1]) : 0;
    const int g1 = literalGetnum(f.tables.strokes, g[0]);
    const int g2 = g.size() > 1 ? literalGetnum(f.tables.strokes, g[1]) : 0;
    FiveGrids grids;
    grids.heaven = s.size() > 1 ? s1 + s2 : s1 + 1;
    grids.person = (s.size() > 1 ? s2 : s1) + g1;
    grids.earth = g.size() > 1 ? g1 + g2 : g1 + 1;
    grids.total = s1 + s2 + g1 + g2;
    grids.outer = grids.total - grids.person + (s.size() > 1 ? 0 : 1) + (g.size() > 1 ? 0 : 1);
    std::array<std::string, 5> a;
    int Fbadn = 0;
    double sum = 0;
    const std::array<std::pair<int, double>, 5> weighted = {{{grids.heaven, 0.1},
                                                             {grids.person, 1},
                                                             {grids.earth, 1},
                                                             {grids.total, 1},
                                                             {grids.outer, 0.1}}};
    for (const auto& [number, weight] : weighted) {
        f.tables.numerology.GetSge(number, a, Fbadn);
        sum += getpf(a[2]).value_or(0) * weight;
    }
    std::array<std::string, 11> sc;
    f.tables.sanCai.GetSanCaiInfo(threeTalentKey(grids), sc);
    for (int slot : {3, 5, 7, 9}) {
        sum += getpf(sc[static_cast<std::size_t>(slot)]).value_or(0) / 4.0;
    }
    sum += grids.total > 60 ? 45 : 50;
    const std::string_view e1 = literalElement(f.elements, g.front());
    const std::string_view e2 = literalElement(f.elements, g.back());
    if (!need.empty() &&
        (need.find(e1) == std::string_view::npos || need.find(e2) == std::string_view::npos)) {
        sum -= 30;
    }
    return sum;
}

void BM_JudgeLiteralScan(benchmark::State& state) {
    const Fixture& f = fixture();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& given = f.givenNames[i % f.givenNames.size()];
        benchmark::DoNotOptimize(literalScore(f, f.surnames[i % f.surnames.size()], given, "木水"));
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void judge(benchmark::State& state, bool report) {
    const Fixture& f = fixture();
    AnalyzeOptions options;
    options.bShenChen = true;
    options.sNeedWx = "木水";
    options.bShowInfo = report;
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& given = f.givenNames[i % f.givenNames.size()];
        benchmark::DoNotOptimize(
            f.engine.AnalyzeName(f.surnames[i % f.surnames.size()], given, options));
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_AnalyzeNameReportOff(benchmark::State& state) {
    judge(state, false);
}
void BM_AnalyzeNameReportOn(benchmark::State& state) {
    judge(state, true);
}

void BM_GetnumLiteralScan(benchmark::State& state) {
    const Fixture& f = fixture();
    const std::u32string chars = utf8ToU32(f.givenNames[1]) + utf8ToU32(f.givenNames[2]);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(literalGetnum(f.tables.strokes, chars[i++ % chars.size()]));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_GetnumMap(benchmark::State& state) {
    const Fixture& f = fixture();
    const std::u32string chars = utf8ToU32(f.givenNames[1]) + utf8ToU32(f.givenNames[2]);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.tables.strokes.getnum(chars[i++ % chars.size()]));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_ElementLiteralScan(benchmark::State& state) {
    const Fixture& f = fixture();
    const std::u32string chars = utf8ToU32(f.givenNames[1]) + utf8ToU32(f.givenNames[2]);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(literalElement(f.elements, chars[i++ % chars.size()]));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_ElementMap(benchmark::State& state) {
    const Fixture& f = fixture();
    const std::u32string chars = utf8ToU32(f.givenNames[1]) + utf8ToU32(f.givenNames[2]);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.elements.ElementOfCharacter(chars[i++ % chars.size()]));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

BENCHMARK(BM_JudgeLiteralScan);
BENCHMARK(BM_AnalyzeNameReportOff);
BENCHMARK(BM_AnalyzeNameReportOn);
BENCHMARK(BM_GetnumLiteralScan);
BENCHMARK(BM_GetnumMap);
BENCHMARK(BM_ElementLiteralScan);
BENCHMARK(BM_ElementMap);

}  // namespace

int main(int argc, char** argv) {
    return norlune::bench::runWithRatios(argc, argv,
                                         {{"BM_JudgeLiteralScan", "BM_AnalyzeNameReportOff"},
                                          {"BM_GetnumLiteralScan", "BM_GetnumMap"},
                                          {"BM_ElementLiteralScan", "BM_ElementMap"}});
}
