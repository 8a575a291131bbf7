// What a name means and where it comes from: the lines of one name as the report and
// `norlune-cli meaning` show them, the per-name lookups (source, grade) over a names table of the
// shipped size, the same answers found by scanning the table's text as the plain way of reading
// the table, and building the tables at start-up.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "embedded/char_meanings_tsv.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"
#include "names/name_meanings.h"

namespace {

using namespace norlune;

// The characters that have a meaning, in the table's order.
std::u32string meaningCharacters() {
    std::u32string chars;
    for (std::string_view line : splitLines(embedded::kCharMeaningsTsv)) {
        if (!line.empty() && line.front() != '#') {
            chars += utf8ToU32(line.substr(0, line.find('\t')));
        }
    }
    return chars;
}

// Two-character names from the meaning characters; a quarter of them with one source, a few with
// two.
std::vector<std::string> pairNames(std::size_t count) {
    const std::u32string pool = meaningCharacters();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        std::u32string name{pool[(i * 7919) % pool.size()], pool[(i * 104729 + 17) % pool.size()]};
        names.push_back(u32ToUtf8(name));
    }
    return names;
}

// A names table of about the shipped size: 40,000 names, one line each, a source on every fourth,
// a second source on every twentieth.
std::string namesTable(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& n = names[i];
        const char* sex = i % 3 == 0 ? "M" : (i % 3 == 1 ? "F" : "both");
        const std::string grade = i % 5 == 0 ? "2" : "1";
        if (i % 4 != 0) {
            text += n + "\t" + sex + "\t" + grade + "\t\t\n";
            continue;
        }
        text += n + "\t" + sex + "\t" + grade + "\t《诗经·某风·某篇》\t某某" + n + "某某\n";
        if (i % 20 == 0) {
            text += n + "\t" + sex + "\t" + grade + "\t唐·某人《某诗》\t" + n + "某某某\n";
        }
    }
    return text;
}

constexpr std::size_t kTableNames = 40000;

struct Fixture {
    std::vector<std::string> names = pairNames(kTableNames);
    std::string table = namesTable(names);
    NameMeanings meanings = NameMeanings::fromText(embedded::kCharMeaningsTsv, table);
    // Half the names asked for are in the table, half are not.
    std::vector<std::string> asked = [this] {
        std::vector<std::string> out;
        const std::vector<std::string> others = pairNames(kTableNames * 2);
        for (std::size_t i = 0; i < 4096; ++i) {
            out.push_back(i % 2 == 0 ? names[(i * 31) % names.size()]
                                     : others[kTableNames + (i * 37) % kTableNames]);
        }
        return out;
    }();
};

const Fixture& fixture() {
    static const Fixture f;
    return f;
}

// The lines of one name: meaning of each character and its sources.
void BM_MeaningLines(benchmark::State& state) {
    const Fixture& f = fixture();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(meaningLines(f.meanings, f.asked[i++ % f.asked.size()]));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// What a list of names asks per name: whether it comes from the classics, and its grade.
void BM_SourceAndGrade(benchmark::State& state) {
    const Fixture& f = fixture();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& name = f.asked[i++ % f.asked.size()];
        benchmark::DoNotOptimize(f.meanings.hasClassicalSource(name));
        benchmark::DoNotOptimize(f.meanings.grade(name, NameSex::Female));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// The same two answers read from the table's text line by line.
void BM_SourceAndGradePlainScan(benchmark::State& state) {
    const Fixture& f = fixture();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& name = f.asked[i++ % f.asked.size()];
        bool classical = false;
        int grade = 0;
        std::string_view text = f.table;
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            const std::string_view line = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            if (!line.starts_with(name) || line.size() <= name.size() ||
                line[name.size()] != '\t') {
                continue;
            }
            const auto fields = splitFields(line, '\t');
            classical = classical || !fields[3].empty();
            if (fields[1] != "M") {
                const int g = fields[2][0] - '0';
                grade = grade == 0 || g < grade ? g : grade;
            }
        }
        benchmark::DoNotOptimize(classical);
        benchmark::DoNotOptimize(grade);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_BuildBuiltIn(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(NameMeanings::builtIn());
    }
}

void BM_BuildShippedSize(benchmark::State& state) {
    const Fixture& f = fixture();
    for (auto _ : state) {
        benchmark::DoNotOptimize(NameMeanings::fromText(embedded::kCharMeaningsTsv, f.table));
    }
}

BENCHMARK(BM_MeaningLines);
BENCHMARK(BM_SourceAndGrade);
BENCHMARK(BM_SourceAndGradePlainScan)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildBuiltIn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildShippedSize)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return norlune::bench::runWithRatios(argc, argv,
                                         {{"BM_SourceAndGradePlainScan", "BM_SourceAndGrade"}});
}
