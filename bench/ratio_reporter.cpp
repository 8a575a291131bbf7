#include "bench/ratio_reporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace norlune::bench {
namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto it = run.counters.find("items_per_second");
            if (it != run.counters.end()) {
                rates[run.benchmark_name()] = it->second.value;
            }
        }
    }
    std::map<std::string, double> rates;
};

}  // namespace

int runWithRatios(int argc, char** argv,
                  const std::vector<std::pair<std::string, std::string>>& pairs) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto& [plain, fast] : pairs) {
        const auto p = reporter.rates.find(plain);
        const auto f = reporter.rates.find(fast);
        if (p != reporter.rates.end() && f != reporter.rates.end() && p->second > 0) {
            std::printf("ratio %s / %s: %.1fx (%.0f vs %.0f items/s)\n", fast.c_str(),
                        plain.c_str(), f->second / p->second, f->second, p->second);
        }
    }
    benchmark::Shutdown();
    return 0;
}

}  // namespace norlune::bench
