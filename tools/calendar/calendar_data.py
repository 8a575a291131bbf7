#!/usr/bin/python3
"""Writes the calendar tables from the apparent positions of the Sun and the Moon.

data/equation_of_time.txt, data/solar_terms.txt and calendar/lunar_year_codes.inc are computed with
PyEphem (Debian's python3-ephem); every run gives the same bytes. A handful of published values of
the tables differ from the computation and are kept as published: they are listed in
PUBLISHED_EQUATION_OF_TIME, PUBLISHED_SOLAR_TERMS and lunar_codes.PUBLISHED_CODES and in README.md.

    /usr/bin/python3 tools/calendar/calendar_data.py            # rewrite the three files
    /usr/bin/python3 tools/calendar/calendar_data.py --check    # fail if they differ from a rerun
    /usr/bin/python3 tools/calendar/calendar_data.py --report   # print computed vs. published
"""

import argparse
import datetime
import math
import os
import sys

import ephem

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
EQUATION_FILE = os.path.join(ROOT, "data", "equation_of_time.txt")
SOLAR_TERM_FILE = os.path.join(ROOT, "data", "solar_terms.txt")
LUNAR_CODE_FILE = os.path.join(ROOT, "calendar", "lunar_year_codes.inc")

# Clock time is the mean time of the 120th meridian east (UTC+8).
ZONE_HOURS = 8
MERIDIAN_DEGREES = 120

# The equation of time is taken for one leap year (so that 29 February has a value) at noon on the
# clock. 1988 lies inside the span of births, and its extremes agree with the published range
# (-14 min 15 s in mid-February, +16 min 25 s at the start of November), so no value has to be cut.
EQUATION_YEAR = 1988
EQUATION_HOUR = 12
EQUATION_MIN_SECONDS = -(14 * 60 + 15)
EQUATION_MAX_SECONDS = 16 * 60 + 25

# The solar terms that open the Gregorian months, January 1901 to December 2101: month m opens at
# the apparent ecliptic longitude 285 + 30 (m - 1) degrees (小寒 in January ... 大雪 in December).
# Births run to the end of 2100; a December 2100 birth counts its start age to the term of January
# 2101, and a whole year beyond keeps every lookup inside the table.
FIRST_TERM_YEAR = 1901
LAST_TERM_YEAR = 2101

# Entries that the program's tables have always carried and that stand as they are, even where the
# computation differs (see README.md). Month-day key -> stored entry without the closing colon.
PUBLISHED_EQUATION_OF_TIME = {
    (1, 1): "1:01:-3:9",
    (1, 10): "1:10:-7:10",
    (1, 22): "1:22:-11:22",
    (2, 4): "2:04:-14:1",
    (2, 10): "2:10:-14:15",
    (2, 29): "2:29:-12:8",
    (4, 15): "4:15:+0:27",
    (4, 30): "4:30:+3:4",
    (5, 1): "5:01:+1:10",
    (6, 13): "6:13:+0:39",
    (9, 1): "9:01:+1:0",
    (10, 1): "10:01:+10:59",
    (10, 9): "10:09:+12:60",
    (11, 1): "11:01:+16:24",
    (11, 3): "11:03:+16:25",
    (11, 17): "11:17:+14:60",
    (12, 8): "12:08:+8:3",
    (12, 25): "12:25:+0:7",
    (12, 31): "12:31:-3:3",
}

# Term instants that stand as published: (year, month) -> "YYYY-MM-DD HH:MM".
PUBLISHED_SOLAR_TERMS = {
    (1901, 1): "1901-01-06 00:00",
    (1901, 2): "1901-02-04 20:46",
    (1901, 12): "1901-12-08 03:42",
    (1921, 2): "1921-02-04 16:21",
    (1985, 2): "1985-02-04 05:15",
    (2010, 12): "2010-12-07 13:41",
}

# Published dates of terms whose time of day was never given: the computed instant must fall on them.
PUBLISHED_TERM_DATES = {
    (1984, 2): "1984-02-04",
    (1984, 3): "1984-03-05",
    (2011, 1): "2011-01-06",
    (2011, 12): "2011-12-07",
    (2015, 2): "2015-02-04",
    (2019, 12): "2019-12-07",
}

EPHEM_EPOCH = datetime.datetime(1899, 12, 31, 12)  # ephem.Date 0.0, in UT


def to_ephem(moment):
    """A naive UT datetime as an ephem.Date."""
    return ephem.Date((moment - EPHEM_EPOCH) / datetime.timedelta(days=1))


def apparent_longitude(date):
    """The Sun's apparent geocentric ecliptic longitude of date, radians, at an ephem.Date (UT)."""
    sun = ephem.Sun(date)
    equatorial = ephem.Equatorial(sun.g_ra, sun.g_dec, epoch=date)
    return float(ephem.Ecliptic(equatorial).lon)


def longitude_instant(year, month, degrees, first_day=1, span_days=12.0):
    """The UT moment (ephem.Date float) when the Sun's apparent longitude reaches `degrees`, searched
    from 00:00 UT of the month's `first_day` over `span_days` days."""
    target = math.radians(degrees % 360)

    def offset(d):
        return (apparent_longitude(d) - target + math.pi) % (2 * math.pi) - math.pi

    lo = float(to_ephem(datetime.datetime(year, month, first_day)))
    hi = lo + span_days
    if not (offset(lo) < 0 < offset(hi)):
        raise RuntimeError(f"the Sun does not reach {degrees} degrees from {year}-{month:02d}-"
                           f"{first_day:02d}")
    # About 1e-7 day after 40 halvings: far below the minute the table keeps.
    for _ in range(40):
        mid = (lo + hi) / 2
        if offset(mid) < 0:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


def term_instant(year, month):
    """The UT moment (ephem.Date float) when the Sun reaches the longitude that opens the month."""
    return longitude_instant(year, month, 285 + 30 * (month - 1))


def term_text(year, month):
    """The instant of the month's term in UTC+8, to the nearest minute, in the stored layout."""
    days = term_instant(year, month) + ZONE_HOURS / 24
    minutes = math.floor(days * 1440 + 0.5)
    local = EPHEM_EPOCH + datetime.timedelta(minutes=minutes)
    return local.strftime("%Y-%m-%d %H:%M")


def equation_seconds(month, day):
    """Equation of time (true solar minus clock time) in whole seconds, at noon on the clock."""
    observer = ephem.Observer()
    observer.lon = str(MERIDIAN_DEGREES)
    observer.lat = "0"
    clock = datetime.datetime(EQUATION_YEAR, month, day, EQUATION_HOUR)
    observer.date = to_ephem(clock - datetime.timedelta(hours=ZONE_HOURS))
    sun = ephem.Sun(observer)
    hour_angle = float(observer.sidereal_time()) - float(sun.g_ra)
    seconds = hour_angle / (2 * math.pi) * 86400 + 12 * 3600 - EQUATION_HOUR * 3600
    seconds = (seconds + 43200) % 86400 - 43200
    return math.floor(seconds + 0.5)


def equation_text(month, day, seconds):
    """The stored entry (without closing colon). The sign belongs to the minutes; minutes of 0 are
    always written "+0", as the table has always done."""
    minutes, rest = divmod(abs(seconds), 60)
    sign = "-" if seconds < 0 and minutes > 0 else "+"
    return f"{month}:{day:02d}:{sign}{minutes}:{rest}"


def stored_day_order():
    """(month, day) in stored order: 1-22 January, 1 May to 31 December, 23 January to 30 April."""
    days = []

    def add(first, last):
        d = first
        while d <= last:
            days.append((d.month, d.day))
            d += datetime.timedelta(days=1)

    year = 2000  # any leap year: the order includes 29 February
    add(datetime.date(year, 1, 1), datetime.date(year, 1, 22))
    add(datetime.date(year, 5, 1), datetime.date(year, 12, 31))
    add(datetime.date(year, 1, 23), datetime.date(year, 4, 30))
    return days


def equation_entries():
    """[(month, day, computed seconds, stored text)] in stored order."""
    rows = []
    for month, day in stored_day_order():
        seconds = equation_seconds(month, day)
        if not EQUATION_MIN_SECONDS <= seconds <= EQUATION_MAX_SECONDS:
            raise RuntimeError(f"equation of time {seconds} s on {month}-{day} is out of range")
        text = PUBLISHED_EQUATION_OF_TIME.get((month, day), equation_text(month, day, seconds))
        rows.append((month, day, seconds, text))
    return rows


def equation_file_text(rows):
    lines = [text + ":" for _, _, _, text in rows]
    lines[-1] = lines[-1][:-1]  # the last entry has never had its closing colon
    return "\n".join(lines) + "\n"


def term_entries():
    """[(year, month, computed text, stored text)] in time order."""
    rows = []
    for year in range(FIRST_TERM_YEAR, LAST_TERM_YEAR + 1):
        for month in range(1, 13):
            computed = term_text(year, month)
            stored = PUBLISHED_SOLAR_TERMS.get((year, month), computed)
            date = PUBLISHED_TERM_DATES.get((year, month))
            if date is not None and not stored.startswith(date):
                raise RuntimeError(f"term of {year}-{month:02d} is {stored}, published {date}")
            if not 3 <= int(stored[8:10]) <= 9:
                raise RuntimeError(f"term of {year}-{month:02d} on day {stored[8:10]}")
            rows.append((year, month, computed, stored))
    stored = [row[3] for row in rows]
    if any(a >= b for a, b in zip(stored, stored[1:])):
        raise RuntimeError("term instants are not strictly increasing")
    return rows


def term_file_text(rows):
    return "".join(stored + "\n" for _, _, _, stored in rows)


def report(equation, terms):
    print("equation of time: published entries that differ from the computation")
    for month, day, seconds, text in equation:
        computed = equation_text(month, day, seconds)
        if (month, day) in PUBLISHED_EQUATION_OF_TIME and computed != text:
            print(f"  {text:<14} computed {computed}")
    print("solar terms: published instants that differ from the computation")
    for year, month, computed, stored in terms:
        if computed != stored:
            print(f"  {stored}  computed {computed}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the files in data/")
    parser.add_argument("--report", action="store_true", help="list published vs. computed")
    args = parser.parse_args()

    import lunar_codes  # it builds on the Sun's longitude above

    equation = equation_entries()
    terms = term_entries()
    computed_codes = lunar_codes.computed_codes()
    outputs = {
        EQUATION_FILE: equation_file_text(equation),
        SOLAR_TERM_FILE: term_file_text(terms),
        LUNAR_CODE_FILE: lunar_codes.code_file_text(lunar_codes.program_codes(computed_codes)),
    }
    if args.report:
        report(equation, terms)
        published = dict(zip(range(lunar_codes.FIRST_PUBLISHED_YEAR, 2021),
                             lunar_codes.PUBLISHED_CODES))
        lunar_codes.compare("lunar year codes: published against computed", published,
                            computed_codes)
        return 0
    if args.check:
        stale = []
        for path, text in outputs.items():
            with open(path, encoding="utf-8", newline="") as f:
                if f.read() != text:
                    stale.append(os.path.relpath(path, ROOT))
        if stale:
            print("differs from a rerun: " + ", ".join(stale), file=sys.stderr)
            return 1
        print("data files match a rerun")
        return 0
    for path, text in outputs.items():
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
