#!/usr/bin/python3
"""Writes data/summer_time.txt and data/clock_zones.txt: when the clocks of China, Taiwan, Hong Kong and Macau did not keep UTC+8.

    /usr/bin/python3 tools/calendar/summer_time.py            # rewrite the files
    /usr/bin/python3 tools/calendar/summer_time.py --check    # fail if one differs from a rerun

data/summer_time.txt holds the periods of China's summer time from 1986 to 1991.

The periods come from the time-zone database as Debian's tzdata installs it (zone Asia/Shanghai),
read through Python's zoneinfo. Each line holds two clock readings, separated by a TAB:

    1986-05-04 02:00<TAB>1986-09-14 02:00

the first is the standard clock time at which the clocks were put forward (02:00 became 03:00), the
second the summer clock time at which they were put back (02:00 became 01:00). A clock reading from
the first up to, but not including, the second is summer time; the hour 01:00 to 01:59 that the
clocks showed twice at the end therefore counts as summer time.

data/clock_zones.txt holds, for the zones Asia/Taipei, Asia/Hong_Kong and Asia/Macau, every period
from 1921 to 2100 in which the zone's clocks did not show UTC+8, summer time and other standard
offsets alike (Taiwan kept UTC+9 from 1937 to 1945). One line a period, five fields separated by TABs:

    Asia/Taipei<TAB>1937-10-01 00:00<TAB>1945-09-21 01:00<TAB>+09:00<TAB>standard

the zone; the clock reading at which the period began, as the clock showed it just before the
change; the clock reading at which it ended, as the period's own clock showed it; the UTC offset of
the period; and "summer" for summer time, "standard" for a standard offset. Every boundary between
two periods is the reading the clock showed just before the change, so a reading that the clocks
skipped when they were put forward belongs to the period after, and one they showed twice when they
were put back to the period before: a reading that could be either is read on the larger offset,
the rule of the summer-time file above.

tests/data/clock_zone_transitions.tsv holds, for every change of offset of those zones, the clock
readings one minute before, at and one minute after the change on either clock, each with the
UTC+8 reading that Python's zoneinfo gives for it (on the larger offset where a reading is skipped
or repeated); the program's tests check its own reading of data/clock_zones.txt against them.
"""

import argparse
import datetime
import os
import sys
import zoneinfo

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from generated_file import write_or_check  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUTPUT = os.path.join(ROOT, "data", "summer_time.txt")
ZONES_OUTPUT = os.path.join(ROOT, "data", "clock_zones.txt")
ROWS_OUTPUT = os.path.join(ROOT, "tests", "data", "clock_zone_transitions.tsv")
ZONE = "Asia/Shanghai"
STANDARD = datetime.timedelta(hours=8)
SUMMER = datetime.timedelta(hours=9)  # the program moves summer-time readings back one hour
FIRST_YEAR, LAST_YEAR = 1986, 1991
# The zones of the places outside the mainland, over the years of the births.
ZONES = ["Asia/Taipei", "Asia/Hong_Kong", "Asia/Macau"]
ZONES_FIRST_YEAR, ZONES_LAST_YEAR = 1921, 2100
MINUTE = datetime.timedelta(minutes=1)
# The scan looks at the offset every six hours and narrows each change down to the minute; no
# zone changes its offset twice within six hours.
STEP = datetime.timedelta(hours=6)


def transitions(zone, first_year, last_year):
    """(instant in UTC, offset before, offset after) of every change of the zone's UTC offset:
    the instant is the first minute on the new offset."""
    utc = datetime.timezone.utc
    moment = datetime.datetime(first_year, 1, 1, tzinfo=utc)
    end = datetime.datetime(last_year + 1, 1, 1, tzinfo=utc)
    before = moment.astimezone(zone).utcoffset()
    found = []
    while moment < end:
        after = (moment + STEP).astimezone(zone).utcoffset()
        if after != before:
            low, high = moment, moment + STEP  # the offset is `before` at low, `after` at high
            while high - low > MINUTE:
                middle = low + (high - low) // MINUTE // 2 * MINUTE
                if middle.astimezone(zone).utcoffset() == before:
                    low = middle
                else:
                    high = middle
            found.append((high, before, after))
            before = after
        moment += STEP
    return found


def periods(zone=None, first_year=FIRST_YEAR, last_year=LAST_YEAR):
    """(start, end) clock readings of each summer-time period, as naive datetimes."""
    zone = zone or zoneinfo.ZoneInfo(ZONE)
    result = []
    start = None
    for instant, before, after in transitions(zone, first_year, last_year):
        if before == STANDARD and after == SUMMER and start is None:
            start = (instant + before).replace(tzinfo=None)
        elif before == SUMMER and after == STANDARD and start is not None:
            result.append((start, (instant + before).replace(tzinfo=None)))
            start = None
        else:
            raise SystemExit(f"unexpected change of offset at {instant}: {before} -> {after}")
    return result


def render(found):
    fmt = "%Y-%m-%d %H:%M"
    return "".join(f"{a.strftime(fmt)}\t{b.strftime(fmt)}\n" for a, b in found)


def offset_text(offset):
    minutes = offset // MINUTE
    return f"{'-' if minutes < 0 else '+'}{abs(minutes) // 60:02d}:{abs(minutes) % 60:02d}"


def zone_periods(name, zone=None, first_year=ZONES_FIRST_YEAR, last_year=ZONES_LAST_YEAR):
    """(start, end, offset, summer) of every period off UTC+8 of a zone, start and end as naive
    clock readings: each boundary is the reading the clock showed just before the change."""
    zone = zone or zoneinfo.ZoneInfo(name)
    utc = datetime.timezone.utc
    first = datetime.datetime(first_year, 1, 1, tzinfo=utc)
    if first.astimezone(zone).utcoffset() != STANDARD:
        raise SystemExit(f"{name}: expected UTC+8 at the start of {first_year}")
    result = []
    start = None
    for instant, before, after in transitions(zone, first_year, last_year):
        boundary = (instant + before).replace(tzinfo=None)
        if start is not None:
            result.append((start, boundary, before, summer))
            start = None
        if after != STANDARD:
            if after < STANDARD:
                raise SystemExit(f"{name}: offset {after} below UTC+8 at {instant}")
            start = boundary
            summer = bool(instant.astimezone(zone).dst())
        elif instant.astimezone(zone).dst():
            raise SystemExit(f"{name}: summer time on UTC+8 at {instant}")
    if start is not None:
        raise SystemExit(f"{name}: the clocks are still off UTC+8 at the end of {last_year}")
    return result


def render_zones(found):
    """The lines of data/clock_zones.txt from {zone: zone_periods(zone)}."""
    fmt = "%Y-%m-%d %H:%M"
    return "".join(f"{name}\t{a.strftime(fmt)}\t{b.strftime(fmt)}\t{offset_text(offset)}\t"
                   f"{'summer' if summer else 'standard'}\n"
                   for name in found for a, b, offset, summer in found[name])


def zoneinfo_reading(zone, clock):
    """The UTC+8 reading of a naive clock reading of a zone by Python's zoneinfo: a reading the
    clocks skipped or showed twice has two offsets (fold 0 and 1), and the larger is taken."""
    offset = max(clock.replace(tzinfo=zone, fold=fold).utcoffset() for fold in (0, 1))
    return clock - (offset - STANDARD)


def table_reading(found, clock):
    """The UTC+8 reading of a clock reading by the periods of one zone, as the program reads them."""
    for start, end, offset, _summer in found:
        if start <= clock < end:
            return clock - (offset - STANDARD)
    return clock


def transition_rows(name, zone=None, first_year=ZONES_FIRST_YEAR, last_year=ZONES_LAST_YEAR):
    """(clock reading, UTC+8 reading by zoneinfo) one minute either side of and at each change of
    offset, on the clock before and on the clock after the change."""
    zone = zone or zoneinfo.ZoneInfo(name)
    rows = set()
    for instant, before, after in transitions(zone, first_year, last_year):
        for offset in (before, after):
            for minutes in (-1, 0, 1):
                clock = (instant + offset + minutes * MINUTE).replace(tzinfo=None)
                rows.add((clock, zoneinfo_reading(zone, clock)))
    return sorted(rows)


def render_rows(rows):
    fmt = "%Y-%m-%d %H:%M"
    return "".join(f"{name}\t{clock.strftime(fmt)}\t{reading.strftime(fmt)}\n"
                   for name in rows for clock, reading in rows[name])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the files in data/")
    args = parser.parse_args()
    found = periods()
    if len(found) != LAST_YEAR - FIRST_YEAR + 1 or any(a.year != b.year for a, b in found):
        raise SystemExit(f"expected one summer-time period per year {FIRST_YEAR}-{LAST_YEAR}")
    status = write_or_check(OUTPUT, render(found), args.check, "tools/calendar/summer_time.py")

    zones = {name: zone_periods(name) for name in ZONES}
    rows = {name: transition_rows(name) for name in ZONES}
    for name in ZONES:
        for clock, reading in rows[name]:
            if table_reading(zones[name], clock) != reading:
                raise SystemExit(f"{name} {clock}: the periods give {table_reading(zones[name], clock)}, "
                                 f"zoneinfo {reading}")
    status |= write_or_check(ZONES_OUTPUT, render_zones(zones), args.check,
                             "tools/calendar/summer_time.py")
    status |= write_or_check(ROWS_OUTPUT, render_rows(rows), args.check,
                             "tools/calendar/summer_time.py")
    return status


if __name__ == "__main__":
    sys.exit(main())
