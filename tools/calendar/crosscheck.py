#!/usr/bin/python3
"""Checks the calendar data, and the program's pillars and lunar dates, against a second source.

The generator uses PyEphem (VSOP87 planetary theory, its own delta T, its own lunar theory). This
check uses ERFA (Debian's python3-erfa: the Earth ephemeris epv00, IAU 2006/2000A
precession-nutation, annual aberration, the Moon of moon98) with the Espenak-Meeus polynomials for
delta T, and reports the largest differences:

- the solar-term instants of data/solar_terms.txt and the equation of time of
  data/equation_of_time.txt (published entries that stand as published are left out);
- the lunar year codes of calendar/lunar_year_codes.inc, from ERFA's new moons and principal terms
  under the same calendar rule (lunar_codes.lunar_months);
- with --cli PROGRAM, the four pillars and the lunar date that `PROGRAM bazi` prints for a dense
  sample of births from 2020 to 2100, against pillars and lunar dates computed here from ERFA's
  instants (the equation of time, the hour and 23:00 rules are the program's own definitions and are
  taken as defined);
- with --write-sample FILE, a table of such births (moment, pillars, lunar date) computed here
  alone, away from the minutes where the two sources may part, for the program's tests.

    /usr/bin/python3 tools/calendar/crosscheck.py [--cli build/cli/norlune-cli] [--write-sample F]
"""

import argparse
import datetime
import math
import os
import subprocess
import sys

import erfa
import numpy

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import calendar_data  # noqa: E402  (the published entries and the stored layout)
import lunar_codes  # noqa: E402  (the calendar rule, the published lunar codes)

LIGHT_AU_PER_DAY = 173.1446326846693
UNIX_JD = 2440587.5


def delta_t_seconds(year):
    """TT - UT after Espenak and Meeus (polynomial fits to the observed values to 2005, their
    extrapolations after), 1900 to 2150."""
    if year < 1920:
        t = year - 1900
        return -2.79 + 1.494119 * t - 0.0598939 * t**2 + 0.0061966 * t**3 - 0.000197 * t**4
    if year < 1941:
        t = year - 1920
        return 21.20 + 0.84493 * t - 0.076100 * t**2 + 0.0020936 * t**3
    if year < 1961:
        t = year - 1950
        return 29.07 + 0.407 * t - t**2 / 233 + t**3 / 2547
    if year < 1986:
        t = year - 1975
        return 45.45 + 1.067 * t - t**2 / 260 - t**3 / 718
    if year < 2005:
        t = year - 2000
        return (63.86 + 0.3345 * t - 0.060374 * t**2 + 0.0017275 * t**3 + 0.000651814 * t**4
                + 0.00002373599 * t**5)
    if year < 2050:
        t = year - 2000
        return 62.92 + 0.32217 * t + 0.005589 * t**2
    u = (year - 1820) / 100
    return -20 + 32 * u**2 - 0.5628 * (2150 - year)


def julian_ut(moment):
    """Julian date (UT) of a naive UT datetime, as two parts."""
    seconds = (moment - datetime.datetime(1970, 1, 1)).total_seconds()
    return UNIX_JD, seconds / 86400


def tt_part(ut1, ut2):
    days = ut1 - 2451544.5 + ut2
    return ut2 + delta_t_seconds(2000 + days / 365.25) / 86400


def ecliptic_of_date(vector, ut1, tt2):
    """Longitude (radians) and right ascension of a GCRS vector, on the true equator and ecliptic
    of date."""
    of_date = erfa.pnm06a(ut1, tt2) @ vector
    _, deps = erfa.nut06a(ut1, tt2)
    eps = erfa.obl06(ut1, tt2) + deps
    x, y, z = of_date
    return math.atan2(y * math.cos(eps) + z * math.sin(eps), x), math.atan2(y, x)


def sun_of_date(ut1, ut2):
    """The Sun's apparent ecliptic longitude and right ascension of date (radians), and TT."""
    tt2 = tt_part(ut1, ut2)
    heliocentric, barycentric = erfa.epv00(ut1, tt2)
    toward_sun = -numpy.asarray(heliocentric["p"])
    distance = numpy.linalg.norm(toward_sun)
    velocity = numpy.asarray(barycentric["v"]) / LIGHT_AU_PER_DAY
    bm1 = math.sqrt(1 - float(velocity @ velocity))
    apparent = erfa.ab(toward_sun / distance, velocity, distance, bm1)
    longitude, right_ascension = ecliptic_of_date(apparent, ut1, tt2)
    return longitude, right_ascension, tt2


def moon_longitude(ut1, ut2):
    """The Moon's apparent geocentric ecliptic longitude of date (radians), light time included."""
    tt2 = tt_part(ut1, ut2)
    pv = erfa.moon98(ut1, tt2)
    position = numpy.asarray(pv["p"])
    position = position - numpy.asarray(pv["v"]) * numpy.linalg.norm(position) / LIGHT_AU_PER_DAY
    return ecliptic_of_date(position, ut1, tt2)[0]


def longitude_moment(year, month, degrees, first_day=1, span_days=12.0):
    """The UT datetime when the Sun's apparent longitude reaches `degrees`, searched from 00:00 UT of
    the month's `first_day` over `span_days` days."""
    target = math.radians(degrees % 360)
    start = datetime.datetime(year, month, first_day)

    def offset(day):
        longitude, _, _ = sun_of_date(*julian_ut(start + datetime.timedelta(days=day)))
        return (longitude - target + math.pi) % (2 * math.pi) - math.pi

    lo, hi = 0.0, span_days
    for _ in range(40):
        mid = (lo + hi) / 2
        if offset(mid) < 0:
            lo = mid
        else:
            hi = mid
    return start + datetime.timedelta(days=(lo + hi) / 2)


def term_moment(year, month):
    """The UT datetime when the apparent longitude reaches the month's term."""
    return longitude_moment(year, month, 285 + 30 * (month - 1))


def new_moon_moments(first, last):
    """The UT datetimes of the new moons (the Moon's and the Sun's apparent longitudes equal) from
    the date `first` to the date `last`."""
    def elongation(moment):
        ut = julian_ut(moment)
        difference = moon_longitude(*ut) - sun_of_date(*ut)[0]
        return (difference + math.pi) % (2 * math.pi) - math.pi

    moments = []
    step = datetime.timedelta(days=2)
    moment = datetime.datetime(first.year, first.month, first.day)
    before = elongation(moment)
    while moment.date() <= last:
        after = elongation(moment + step)
        if before < 0 <= after:
            lo, hi = 0.0, 2.0
            for _ in range(36):
                mid = (lo + hi) / 2
                if elongation(moment + datetime.timedelta(days=mid)) < 0:
                    lo = mid
                else:
                    hi = mid
            found = moment + datetime.timedelta(days=(lo + hi) / 2)
            if first <= found.date() <= last:
                moments.append(found)
        moment += step
        before = after
    return moments


def equation_seconds(month, day):
    clock = datetime.datetime(calendar_data.EQUATION_YEAR, month, day, calendar_data.EQUATION_HOUR)
    ut1, ut2 = julian_ut(clock - datetime.timedelta(hours=calendar_data.ZONE_HOURS))
    _, right_ascension, tt2 = sun_of_date(ut1, ut2)
    sidereal = erfa.gst06a(ut1, ut2, ut1, tt2) + math.radians(calendar_data.MERIDIAN_DEGREES)
    seconds = (sidereal - right_ascension) / (2 * math.pi) * 86400
    seconds += 12 * 3600 - calendar_data.EQUATION_HOUR * 3600
    return (seconds + 43200) % 86400 - 43200


def stored_seconds(entry):
    month, day, minutes, seconds = entry.rstrip(":").split(":")
    value = abs(int(minutes)) * 60 + int(seconds)
    return (int(month), int(day)), -value if minutes.startswith("-") else value


ZONE = datetime.timedelta(hours=calendar_data.ZONE_HOURS)
STEMS = "甲乙丙丁戊己庚辛壬癸"
BRANCHES = "子丑寅卯辰巳午未申酉戌亥"
MONTH_NAMES = ["", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "腊"]
SAMPLE_FIRST = datetime.datetime(2020, 1, 1)
SAMPLE_LAST = datetime.datetime(2100, 12, 31, 23, 59)


def check_terms():
    """Compares the stored term instants with ERFA's; returns ERFA's, UTC+8, by (year, month)."""
    with open(calendar_data.SOLAR_TERM_FILE, encoding="utf-8") as f:
        terms = f.read().splitlines()
    second = {}
    worst = {}
    other_minute = {}
    for index, entry in enumerate(terms):
        year, month = calendar_data.FIRST_TERM_YEAR + index // 12, index % 12 + 1
        local = term_moment(year, month) + ZONE
        second[(year, month)] = local
        if (year, month) in calendar_data.PUBLISHED_SOLAR_TERMS:
            continue
        period = "1901-2020" if year <= 2020 else "2021-2101"
        stored = datetime.datetime.strptime(entry, "%Y-%m-%d %H:%M")
        difference = abs((local - stored).total_seconds())
        if difference >= 30:
            other_minute[period] = other_minute.get(period, 0) + 1
        if difference > worst.get(period, (0.0, ""))[0]:
            worst[period] = (difference, f"{entry} (second source {local:%Y-%m-%d %H:%M:%S})")
    for period, (difference, where) in sorted(worst.items()):
        print(f"solar terms {period}: largest difference {difference:.0f} s at {where}; "
              f"{other_minute.get(period, 0)} would round to another minute")
    return second


def check_equation_of_time():
    worst_equation = (0.0, "")
    with open(calendar_data.EQUATION_FILE, encoding="utf-8") as f:
        entries = f.read().splitlines()
    for entry in entries:
        (month, day), value = stored_seconds(entry)
        if (month, day) in calendar_data.PUBLISHED_EQUATION_OF_TIME:
            continue
        other = equation_seconds(month, day)
        # Minutes of 0 are stored with "+", so compare magnitudes there.
        difference = abs(abs(other) - value) if abs(value) < 60 else abs(other - value)
        if difference > worst_equation[0]:
            worst_equation = (difference, f"{entry} (second source {other:+.1f} s)")
    print(f"equation of time: largest difference {worst_equation[0]:.1f} s at {worst_equation[1]}")


def nearest_midnight(moments):
    """The UTC+8 moment among `moments` (UT) closest to a local midnight, and its distance (s)."""
    def distance(moment):
        local = moment + ZONE
        seconds = local.hour * 3600 + local.minute * 60 + local.second + local.microsecond / 1e6
        return min(seconds, 86400 - seconds)
    closest = min(moments, key=distance)
    return closest + ZONE, distance(closest)


def erfa_months(first_year, last_year):
    """The lunar months of ERFA's new moons and principal terms, first_year - 1 to last_year + 1."""
    principal, solstices = [], []
    principal_moments = []
    for year in range(first_year - 1, last_year + 2):
        for month in range(1, 13):
            moment = longitude_moment(year, month, 300 + 30 * (month - 1), first_day=14)
            principal_moments.append(moment)
            principal.append((moment + ZONE).date())
            if month == 12:
                solstices.append((moment + ZONE).date())
    new_moons = new_moon_moments(datetime.date(first_year - 1, 11, 1),
                                 datetime.date(last_year + 2, 1, 31))
    for label, moments in (("new moon", new_moons), ("principal term", principal_moments)):
        closest, seconds = nearest_midnight(moments)
        print(f"  closest {label} to a UTC+8 midnight: {closest:%Y-%m-%d %H:%M:%S} ({seconds:.0f} s)")
    days = [(moment + ZONE).date() for moment in new_moons]
    return lunar_codes.lunar_months(days, principal, solstices)


def program_lunar_codes():
    with open(calendar_data.LUNAR_CODE_FILE, encoding="utf-8") as f:
        lines = [line for line in f.read().splitlines() if line.startswith("0x")]
    return {lunar_codes.FIRST_YEAR + i: int(line.split(",")[0], 16) for i, line in enumerate(lines)}


def check_lunar_codes(months):
    program = program_lunar_codes()
    second = lunar_codes.year_codes(months, lunar_codes.FIRST_YEAR, lunar_codes.LAST_YEAR)
    for first, last in ((1921, 2020), (2021, 2100)):
        lunar_codes.compare(f"lunar year codes {first}-{last} against ERFA's new moons",
                            {y: c for y, c in program.items() if first <= y <= last}, second)


def read_equation_of_time():
    table = {}
    with open(calendar_data.EQUATION_FILE, encoding="utf-8") as f:
        for entry in f.read().splitlines():
            key, value = stored_seconds(entry)
            table.setdefault(key, value)
    return table


def sexagenary(stem, branch):
    return STEMS[stem % 10] + BRANCHES[branch % 12]


def pillars_of(clock, terms, equation):
    """The pillars of a clock moment from the term instants `terms` (UTC+8, by (year, month))."""
    t = clock + datetime.timedelta(seconds=equation[(clock.month, clock.day)])
    year = t.year if t.month > 2 or (t.month == 2 and t >= terms[(t.year, 2)]) else t.year - 1
    k = t.month if t >= terms[(t.year, t.month)] else t.month - 1
    k = 12 if k == 0 else k
    year_stem = (year - 4) % 10
    tiger = (2 * year_stem + 2) % 10  # the stem of the 寅 month
    month = sexagenary(tiger + (k - 2) % 12, k)
    day_number = t.toordinal() + 1721425 + 49  # Julian day number + 49: 甲子 = 0
    if t.hour == 23:
        day_number += 1
    minutes = t.hour * 60 + t.minute
    branch = round(minutes / 120) % 12  # halves to the even neighbour, as the program defines it
    hour = sexagenary(2 * (day_number % 10) + branch, branch)
    return " ".join([sexagenary(year - 4, year - 4), month, sexagenary(day_number, day_number),
                     hour])


def day_name(day):
    digits = "一二三四五六七八九"
    if day <= 10:
        return "初" + ("十" if day == 10 else digits[day - 1])
    if day < 20:
        return "十" + digits[day - 11]
    if day == 20:
        return "二十"
    if day < 30:
        return "廿" + digits[day - 21]
    return "三十"


def lunar_of(clock, months):
    day = clock.date()
    i = max(k for k, (start, _, _) in enumerate(months) if start <= day)
    start, number, _ = months[i]
    first = max(s for s, n, leap in months[: i + 1] if n == 1 and not leap)
    name = sexagenary(first.year - 4, first.year - 4)
    return (f"{name}年{MONTH_NAMES[number]}月{day_name((day - start).days + 1)}日"
            f"{BRANCHES[clock.hour // 2]}时")


def sample_moments(terms, equation):
    """Every 97 hours at shifting minutes, and three minutes either side of the clock moment at
    which true solar time reaches each term."""
    moments = []
    i = 0
    while True:
        moment = SAMPLE_FIRST + datetime.timedelta(hours=97 * i, minutes=(i * 29) % 60)
        if moment > SAMPLE_LAST:
            break
        moments.append(moment)
        i += 1
    for (year, month), term in terms.items():
        clock = term - datetime.timedelta(seconds=equation[(term.month, term.day)])
        for step in (-3, 3):
            moment = (clock + datetime.timedelta(minutes=step)).replace(second=0, microsecond=0)
            if SAMPLE_FIRST <= moment <= SAMPLE_LAST:
                moments.append(moment)
    moments.append(SAMPLE_LAST)
    return sorted(set(moments))


def near_term(clock, terms, equation, minutes):
    t = clock + datetime.timedelta(seconds=equation[(clock.month, clock.day)])
    return any(abs((term - t).total_seconds()) < 60 * minutes
               for term in (terms.get((t.year, t.month)), terms.get((t.year, t.month % 12 + 1)))
               if term is not None)


def check_program(cli, terms, months, equation):
    moments = sample_moments(terms, equation)
    differences = []
    for clock in moments:
        text = f"{clock:%Y-%m-%d %H:%M}"
        run = subprocess.run([cli, "bazi", text], capture_output=True, text=True, check=False)
        lines = run.stdout.splitlines()
        if run.returncode != 0 or len(lines) < 2:
            differences.append(f"{text}: exit {run.returncode} {run.stderr.strip()}")
            continue
        lunar = lines[0].removeprefix("农历出生时间：").removesuffix("(男性)")
        pillars = lines[1].removeprefix("命主生辰八字：")
        expected = (pillars_of(clock, terms, equation), lunar_of(clock, months))
        if (pillars, lunar) != expected:
            differences.append(f"{text}: program {pillars} {lunar}, second source "
                               f"{expected[0]} {expected[1]}")
    print(f"program against ERFA, {len(moments)} births 2020-2100: {len(differences)} differ")
    for line in differences:
        print("  " + line)


def write_sample(path, terms, months, equation):
    rows = []
    for i, clock in enumerate(sample_moments(terms, equation)):
        if i % 3 != 0 and clock != SAMPLE_LAST:
            continue
        if near_term(clock, terms, equation, 5):
            continue
        rows.append(f"{clock:%Y-%m-%d %H:%M}\t{pillars_of(clock, terms, equation)}\t"
                    f"{lunar_of(clock, months)}\n")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.writelines(rows)
    print(f"wrote {len(rows)} births to {path}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[1])
    parser.add_argument("--cli", help="norlune-cli to compare pillars and lunar dates with")
    parser.add_argument("--write-sample", help="write a table of births 2020-2100 to this file")
    args = parser.parse_args()

    terms = check_terms()
    check_equation_of_time()
    months = erfa_months(lunar_codes.FIRST_YEAR, lunar_codes.LAST_YEAR)
    check_lunar_codes(months)
    equation = read_equation_of_time()
    if args.cli:
        check_program(args.cli, terms, months, equation)
    if args.write_sample:
        write_sample(args.write_sample, terms, months, equation)
    return 0


if __name__ == "__main__":
    sys.exit(main())
