// The BaZi side: filling the calendar tables at start-up, whole reports, the four pillars alone,
// and the solar-term lookup (indexed) against the text scan from index 1 that the lookup is defined
// by.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "calendar/bazi_report.h"
#include "calendar/four_pillars.h"

namespace {

using namespace norlune;
using namespace std::chrono;

struct Fixture {
    CalendarTables tables = FillCalendarTables();
    std::vector<BirthMoment> births;
    std::vector<std::string> momentTexts;  // the same moments in the solar-term layout

    Fixture() {
        // Every 37th day from 1921 to 2019, at hours that walk round the clock.
        int hour = 0;
        for (sys_days d{1921y / 1 / 1}; d <= sys_days{2019y / 12 / 31}; d += days{37}) {
            const year_month_day ymd{d};
            const BirthMoment birth =
                *makeBirthMoment(static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                                 static_cast<unsigned>(ymd.day()), hour, (hour * 7) % 60);
            births.push_back(birth);
            char text[32];
            std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d",
                          static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                          static_cast<unsigned>(ymd.day()), hour, (hour * 7) % 60);
            momentTexts.emplace_back(text);
            hour = (hour + 5) % 24;
        }
    }
};

const Fixture& fixture() {
    static const Fixture f;
    return f;
}

void BM_FillCalendarTables(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(FillCalendarTables());
    }
}

// The part of the fill that the birthplaces, the summer-time periods and the clocks of Taiwan,
// Hong Kong and Macau add.
void BM_FillPlacesAndSummerTime(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(FillPlaceTable());
        benchmark::DoNotOptimize(builtInSummerTime());
        benchmark::DoNotOptimize(builtInClockZones());
    }
}

// A pillar computation for a birth in Taipei, whose clock reading is looked up among Taiwan's
// twenty periods off UTC+8.
void BM_FourPillarsInTaipei(benchmark::State& state) {
    const Fixture& f = fixture();
    const BirthPlace place = *f.tables.places.find("台北市");
    std::size_t i = 0;
    for (auto _ : state) {
        BirthMoment birth = f.births[i % f.births.size()];
        birth.place = place;
        birth.summerTime = true;
        benchmark::DoNotOptimize(ComputeFourPillars(f.tables, birth));
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// A report with a birthplace and a summer-time reading: two corrections and three extra lines.
void BM_BuildBaZiReportWithPlace(benchmark::State& state) {
    const Fixture& f = fixture();
    const BirthPlace place = *f.tables.places.find("成都");
    std::size_t i = 0;
    for (auto _ : state) {
        BirthMoment birth = f.births[i % f.births.size()];
        birth.place = place;
        birth.summerTime = true;
        benchmark::DoNotOptimize(
            BuildBaZiReport(f.tables, birth, i % 2 == 0 ? kSexMale : kSexFemale));
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_BuildBaZiReport(benchmark::State& state) {
    const Fixture& f = fixture();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildBaZiReport(f.tables, f.births[i % f.births.size()],
                                                 i % 2 == 0 ? kSexMale : kSexFemale));
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_ComputeFourPillars(benchmark::State& state) {
    const Fixture& f = fixture();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeFourPillars(f.tables, f.births[i++ % f.births.size()]));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_TermLookupTextScan(benchmark::State& state) {
    const Fixture& f = fixture();
    const auto& table = f.tables.SolarTermTable;
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& text = f.momentTexts[i++ % f.momentTexts.size()];
        std::size_t found = table.size() - 1;
        for (std::size_t k = 1; k < table.size(); ++k) {
            if (table[k] > text) {
                found = k;
                break;
            }
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_TermLookupIndexed(benchmark::State& state) {
    const Fixture& f = fixture();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.tables.firstTermAfter(f.births[i++ % f.births.size()].clock));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

BENCHMARK(BM_FillCalendarTables);
BENCHMARK(BM_FillPlacesAndSummerTime);
BENCHMARK(BM_FourPillarsInTaipei);
BENCHMARK(BM_BuildBaZiReport);
BENCHMARK(BM_BuildBaZiReportWithPlace);
BENCHMARK(BM_ComputeFourPillars);
BENCHMARK(BM_TermLookupTextScan);
BENCHMARK(BM_TermLookupIndexed);

}  // namespace

int main(int argc, char** argv) {
    return norlune::bench::runWithRatios(argc, argv,
                                         {{"BM_TermLookupTextScan", "BM_TermLookupIndexed"}});
}
