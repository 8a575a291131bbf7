#!/usr/bin/python3
"""The lunar year codes from the new moons and the principal solar terms.

A lunar month starts on the day (UTC+8) of a new moon and lasts until the day before the next one.
The month that holds the day of the winter solstice is the eleventh. When twelve new moons do not
bring the next solstice month, the period between the two solstice months has thirteen months, and
the first of them that holds no principal term (the Sun at a multiple of 30 degrees of apparent
longitude) is the leap month, named after the month before it. A lunar year runs from one first
month to the next.

The program carries the codes of 1921 to 2020 as it always has (PUBLISHED_CODES); calendar_data.py
writes them, the code of 1920 and the codes of 2021 to 2100 computed here into
calendar/lunar_year_codes.inc. Run by hand, this script compares every published code with the
computation, month by month:

    /usr/bin/python3 tools/calendar/lunar_codes.py
"""

import datetime
import os
import sys

import ephem

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import calendar_data  # noqa: E402  (the Sun's longitude, the zone)

FIRST_YEAR = 1920
LAST_YEAR = 2100
FIRST_PUBLISHED_YEAR = 1921

# The codes of the lunar years 1921 to 2020 as the program has always carried them.
PUBLISHED_CODES = [
    0xA4B, 0x5164B, 0x6A5, 0x6D4, 0x415B5, 0x2B6, 0x957, 0x2092F, 0x497, 0x60C96,
    0xD4A, 0xEA5, 0x50DA9, 0x5AD, 0x2B6, 0x3126E, 0x92E, 0x7192D, 0xC95, 0xD4A,
    0x61B4A, 0xB55, 0x56A, 0x4155B, 0x25D, 0x92D, 0x2192B, 0xA95, 0x71695, 0x6CA,
    0xB55, 0x50AB5, 0x4DA, 0xA5B, 0x30A57, 0x52B, 0x8152A, 0xE95, 0x6AA, 0x615AA,
    0xAB5, 0x4B6, 0x414AE, 0xA57, 0x526, 0x31D26, 0xD95, 0x70B55, 0x56A, 0x96D,
    0x5095D, 0x4AD, 0xA4D, 0x41A4D, 0xD25, 0x81AA5, 0xB54, 0xB6A, 0x612DA, 0x95B,
    0x49B, 0x41497, 0xA4B, 0xA164B, 0x6A5, 0x6D4, 0x615B4, 0xAB6, 0x957, 0x5092F,
    0x497, 0x64B, 0x30D4A, 0xEA5, 0x80D65, 0x5AC, 0xAB6, 0x5126D, 0x92E, 0xC96,
    0x41A95, 0xD4A, 0xDA5, 0x20B55, 0x56A, 0x7155B, 0x25D, 0x92D, 0x5192B, 0xA95,
    0xB4A, 0x416AA, 0xAD5, 0x90AB5, 0x4BA, 0xA5B, 0x60A57, 0x52B, 0xA93, 0x40E95,
]


def month_lengths(code):
    """The month lengths a code gives, in order of occurrence."""
    top = 11 if code < 4095 else 12
    return [29 + ((code >> bit) & 1) for bit in range(top, -1, -1)]


def leap_after(code):
    """The month number that the leap month of a code follows; 0 for a year of twelve months."""
    return code >> 16 if code >= 4095 else 0


# ---- the calendar rule, whatever astronomy gives the days ----

def lunar_months(new_moons, principal_terms, solstices):
    """[(first day, number, leap)] of the months that start on the days in `new_moons` (sorted),
    numbered from the solstice months; `principal_terms` and `solstices` are the days of the
    principal terms and of the winter solstices."""
    terms = sorted(principal_terms)

    def month_of(day):
        for i in range(len(new_moons) - 1):
            if new_moons[i] <= day < new_moons[i + 1]:
                return i
        raise RuntimeError(f"no new moon before and after {day}")

    def holds_term(i):
        return any(new_moons[i] <= d < new_moons[i + 1] for d in terms)

    months = []
    solstice_months = [month_of(day) for day in sorted(solstices)]
    for a, b in zip(solstice_months, solstice_months[1:]):
        if b - a not in (12, 13):
            raise RuntimeError(f"{b - a} months between the solstice months from {new_moons[a]}")
        leap = None
        if b - a == 13:
            leap = next(i for i in range(a + 1, b) if not holds_term(i))
        number = 11
        months.append((new_moons[a], 11, False))
        for i in range(a + 1, b):
            if i != leap:
                number = number % 12 + 1
            months.append((new_moons[i], number, i == leap))
    months.append((new_moons[solstice_months[-1]], 11, False))
    return months


def year_codes(months, first_year, last_year):
    """{lunar year: code} for the years whose months `months` holds in full."""
    codes = {}
    starts = [i for i, (day, number, leap) in enumerate(months) if number == 1 and not leap]
    for i, j in zip(starts, starts[1:]):
        year = months[i][0].year
        if not first_year <= year <= last_year:
            continue
        lengths = [(months[k + 1][0] - months[k][0]).days for k in range(i, j)]
        code = 0
        for length in lengths:
            code = code * 2 + (length - 29)
        leaps = [months[k][1] for k in range(i, j) if months[k][2]]
        if leaps:
            code |= leaps[0] << 16
        codes[year] = code
    return codes


# ---- the astronomy of the generator (PyEphem) ----

def local_day(ephem_date):
    """The UTC+8 calendar day of an ephem.Date."""
    return ephem.Date(ephem_date + calendar_data.ZONE_HOURS * ephem.hour).datetime().date()


def new_moon_days(first, last):
    """The UTC+8 days of the new moons from `first` to `last` (dates)."""
    days = []
    moment = ephem.Date(datetime.datetime(first.year, first.month, first.day))
    while True:
        moment = ephem.next_new_moon(moment)
        day = local_day(moment)
        if day > last:
            return days
        days.append(day)
        moment = ephem.Date(moment + 1)


def principal_term_days(first_year, last_year):
    """The UTC+8 days of the principal terms of the years: the Sun at 300 + 30 (m - 1) degrees in
    Gregorian month m (大寒 in January ... 冬至 in December), and of the winter solstices alone."""
    days, solstices = [], []
    for year in range(first_year, last_year + 1):
        for month in range(1, 13):
            degrees = 300 + 30 * (month - 1)
            day = local_day(calendar_data.longitude_instant(year, month, degrees, first_day=14))
            days.append(day)
            if month == 12:
                solstices.append(day)
    return days, solstices


def computed_codes(first_year=FIRST_YEAR, last_year=LAST_YEAR):
    """{lunar year: code} for first_year to last_year from PyEphem's new moons and terms."""
    terms, solstices = principal_term_days(first_year - 1, last_year + 1)
    new_moons = new_moon_days(datetime.date(first_year - 1, 11, 1),
                              datetime.date(last_year + 2, 1, 31))
    return year_codes(lunar_months(new_moons, terms, solstices), first_year, last_year)


def program_codes(computed):
    """The codes the program carries: the published ones for 1921 to 2020, computed otherwise."""
    codes = dict(computed)
    for offset, code in enumerate(PUBLISHED_CODES):
        codes[FIRST_PUBLISHED_YEAR + offset] = code
    return [codes[year] for year in range(FIRST_YEAR, LAST_YEAR + 1)]


def code_file_text(codes):
    lines = ["// Generated by tools/calendar/calendar_data.py from the new moons and the principal",
             "// solar terms (1920, 2021 to 2100) and the codes the program has always carried",
             "// (1921 to 2020); do not edit. One code per lunar year, 1920 to 2100."]
    for offset, code in enumerate(codes):
        lines.append(f"0x{code:X},  // {FIRST_YEAR + offset}")
    return "\n".join(lines) + "\n"


def describe(code):
    lengths = "".join("L" if n == 30 else "s" for n in month_lengths(code))
    leap = leap_after(code)
    return f"{code:X} ({lengths}{f', leap after {leap}' if leap else ''})"


def compare(label, program, other):
    """Prints the years whose codes differ; returns how many do."""
    differ = [year for year in sorted(program) if program[year] != other.get(year)]
    print(f"{label}: {len(differ)} of {len(program)} lunar years differ")
    for year in differ:
        print(f"  {year}: program {describe(program[year])}, computed {describe(other[year])}")
    return len(differ)


def main():
    computed = computed_codes()
    program = dict(zip(range(FIRST_YEAR, LAST_YEAR + 1), program_codes(computed)))
    published = {y: c for y, c in program.items() if FIRST_PUBLISHED_YEAR <= y <= 2020}
    compare("published codes 1921-2020 against the new moons", published, computed)
    print(f"lunar year 1920: {describe(program[1920])}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
