// The birth moment: parsing any text, and for every moment of the birth years, birthplace and
// summer-time reading the four pillars, the lunar date and the BaZi report of both sexes. A text
// input is "moment|place or longitude|s" (the last two fields optional, "s" for summer time).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "calendar/bazi_report.h"
#include "calendar/birth_moment.h"
#include "calendar/birth_place.h"
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

const norlune::PlaceTable& places() {
    static const norlune::PlaceTable table = norlune::FillPlaceTable();
    return table;
}

void judgeMomentAndPlace(std::optional<norlune::BirthMoment> moment,
                         std::optional<norlune::BirthPlace> place, bool summerTime) {
    if (moment && norlune::inBirthYears(*moment)) {
        moment->place = std::move(place);
        moment->summerTime = summerTime;
        judgeMoment(*moment);
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
        const bool summerTime = provider.ConsumeBool();
        const auto& all = places().places();
        const auto which =
            provider.ConsumeIntegralInRange<long>(-2, static_cast<long>(all.size()) - 1);
        std::optional<norlune::BirthPlace> place;
        if (which == -1) {
            place = norlune::placeAtLongitude(provider.ConsumeFloatingPointInRange(60.0, 150.0));
        } else if (which >= 0) {
            place = all[static_cast<std::size_t>(which)];
        }
        judgeMomentAndPlace(norlune::makeBirthMoment(year, month, day, hour, minute), place,
                            summerTime);
        return 0;
    }
    const std::string text = provider.ConsumeRemainingBytesAsString();
    const std::string_view whole = text;
    const std::size_t bar = whole.find('|');
    std::optional<norlune::BirthPlace> place;
    bool summerTime = false;
    if (bar != std::string_view::npos) {
        std::string_view rest = whole.substr(bar + 1);
        const std::size_t secondBar = rest.find('|');
        if (secondBar != std::string_view::npos) {
            summerTime = rest.substr(secondBar + 1) == "s";
            rest = rest.substr(0, secondBar);
        }
        if (const norlune::BirthPlace* city = places().find(rest)) {
            place = *city;
        } else if (const auto degrees = norlune::parseLongitude(rest)) {
            place = norlune::placeAtLongitude(*degrees);
        }
    }
    judgeMomentAndPlace(norlune::parseBirthMoment(whole.substr(0, bar)), place, summerTime);
    return 0;
}
