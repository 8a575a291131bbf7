// The birth moment: parsing any text, and for every moment of the birth years the four pillars,
// the lunar date and the BaZi report of both sexes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "calendar/bazi_report.h"
#include "calendar/birth_moment.h"
#include "calendar/calendar_tables.h"
#include "calendar/four_pillars.h"
#include "calendar/lunar_date.h"
#include "engine/utf8.h"
#include "fuzz/fuzz_support.h"

using norlune::fuzz::check;

namespace {

void judgeMoment(const norlune::BirthMoment& moment) {
    static const norlune::CalendarTables tables = norlune::FillCalendarTables();
    const norlune::FourPillars pillars = norlune::ComputeFourPillars(tables, moment);
    for (const std::string* pillar : {&pillars.year, &pillars.month, &pillars.day, &pillars.hour}) {
        check(norlune::codePointCount(*pillar) == 2, "a pillar is not a stem and a branch");
    }
    const norlune::LunarDate lunar = norlune::ComputeLunarDate(moment);
    check(norlune::isValidUtf8(lunar.text), "the lunar date is not valid UTF-8");
    for (int sex : {norlune::kSexMale, norlune::kSexFemale}) {
        const norlune::BaZiReport report = norlune::BuildBaZiReport(tables, moment, sex);
        check(!report.text.empty() && norlune::isValidUtf8(report.text),
              "the BaZi report is empty or not valid UTF-8");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    if (provider.ConsumeBool()) {
        // A moment built from numbers, so that every minute of the birth years is reachable.
        const int year = provider.ConsumeIntegralInRange(norlune::kFirstBirthYear - 2,
                                                         norlune::kLastBirthYear + 2);
        const auto month = provider.ConsumeIntegralInRange<unsigned>(0, 13);
        const auto day = provider.ConsumeIntegralInRange<unsigned>(0, 32);
        const int hour = provider.ConsumeIntegralInRange(-1, 24);
        const int minute = provider.ConsumeIntegralInRange(-1, 60);
        const auto moment = norlune::makeBirthMoment(year, month, day, hour, minute);
        if (moment && norlune::inBirthYears(*moment)) {
            judgeMoment(*moment);
        }
        return 0;
    }
    const std::string text = provider.ConsumeRemainingBytesAsString();
    const auto moment = norlune::parseBirthMoment(text);
    if (moment && norlune::inBirthYears(*moment)) {
        judgeMoment(*moment);
    }
    return 0;
}
