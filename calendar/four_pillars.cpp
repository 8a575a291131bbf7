#include "calendar/four_pillars.h"

#include "calendar/stem_branch.h"

namespace norlune {
namespace {

using namespace std::chrono;

constexpr int kEpochYear = 1924;                             // a 甲子 year
constexpr local_days kEpochDay{year{1900} / February / 20};  // a 甲子 day

}  // namespace

const ClockPeriod* clockPeriod(const CalendarTables& tables, const BirthMoment& moment) {
    if (!moment.summerTime) {
        return nullptr;
    }
    if (moment.place && moment.place->hasOwnClock()) {
        const SummerTimePeriods* periods = tables.clockZones.find(moment.place->zone);
        return periods == nullptr ? nullptr : periods->find(moment.clock);
    }
    return tables.summerTime.find(moment.clock);
}

bool readsAsSummerTime(const CalendarTables& tables, const BirthMoment& moment) {
    return clockPeriod(tables, moment) != nullptr;
}

BirthMoment standardTime(const CalendarTables& tables, const BirthMoment& moment) {
    BirthMoment standard = moment;
    if (const ClockPeriod* period = clockPeriod(tables, moment)) {
        standard.clock -= period->ahead;
    }
    standard.summerTime = false;
    return standard;
}

SolarTimeSteps solarTimeSteps(const CalendarTables& tables, const BirthMoment& moment) {
    SolarTimeSteps steps;
    steps.standard = standardTime(tables, moment).clock;
    if (moment.place) {
        steps.longitude = longitudeCorrection(*moment.place);
    }
    // The equation of time belongs to the day of the local mean time, which the longitude
    // correction can move across midnight.
    const local_seconds meanTime = local_seconds{steps.standard} + steps.longitude;
    const year_month_day date{floor<days>(meanTime)};
    steps.equation =
        tables
            .equationOfTime(static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()))
            .value_or(seconds{0});
    steps.trueSolar = meanTime + steps.equation;
    return steps;
}

local_seconds trueSolarTime(const CalendarTables& tables, const BirthMoment& moment) {
    return solarTimeSteps(tables, moment).trueSolar;
}

int hourBranch(int minutesOfDay) {
    constexpr int kPeriod = 120;
    int steps = minutesOfDay / kPeriod;
    const int rest = minutesOfDay % kPeriod;
    if (rest > kPeriod / 2 || (rest == kPeriod / 2 && steps % 2 == 1)) {
        ++steps;
    }
    return floorMod(steps, 12);
}

FourPillars ComputeFourPillars(const CalendarTables& tables, const BirthMoment& moment) {
    // Everything below works on T to the minute; T's seconds play no part.
    const LocalMinutes t = floor<minutes>(trueSolarTime(tables, moment));
    const local_days tDay = floor<days>(t);
    const year_month_day date{tDay};
    const int y0 = static_cast<int>(date.year());
    const unsigned month = static_cast<unsigned>(date.month());
    const int minutesOfDay = static_cast<int>((t - tDay).count());

    // The pillar year starts at the February term; a birth in the term's own minute is still in
    // the old year.
    int pillarYear = y0;
    if (month == 1) {
        pillarYear = y0 - 1;
    } else if (month == 2) {
        const int term = tables.februaryTermIndex(y0);
        if (term != 0 && t <= tables.termInstant(term)) {
            pillarYear = y0 - 1;
        }
    }

    // The solar month is named after the Gregorian month in which its opening term fell; a birth
    // in the term's own minute already belongs to the new month.
    const int next = tables.firstTermAfter(t);
    const auto nextMonth = static_cast<int>(
        static_cast<unsigned>(year_month_day{floor<days>(tables.termInstant(next))}.month()));
    const int k = nextMonth == 1 ? 12 : nextMonth - 1;

    FourPillars pillars;
    pillars.year = stemBranchName(pillarYear - kEpochYear, pillarYear - kEpochYear);

    const int tigerStem = floorMod(2 * floorMod(pillarYear, 5) + 4, 10);  // stem of the 寅 month
    const int monthStem = k == 1 ? floorMod(tigerStem + 11, 10) : floorMod(tigerStem + k - 2, 10);
    pillars.month = stemBranchName(monthStem, k);

    long long dayNumber = (tDay - kEpochDay).count();
    if (minutesOfDay / 60 == 23) {
        ++dayNumber;  // the day changes at 23:00
    }
    const int dayStem = floorMod(dayNumber, 10);
    pillars.day = stemBranchName(dayStem, dayNumber);

    const int branch = hourBranch(minutesOfDay);
    pillars.hour = stemBranchName(2 * dayStem + branch, branch);
    return pillars;
}

}  // namespace norlune
