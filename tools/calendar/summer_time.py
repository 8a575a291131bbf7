#!/usr/bin/python3
"""Writes data/summer_time.txt: the periods of China's summer time from 1986 to 1991.

    /usr/bin/python3 tools/calendar/summer_time.py            # rewrite the file
    /usr/bin/python3 tools/calendar/summer_time.py --check    # fail if it differs from a rerun

The periods come from the time-zone database as Debian's tzdata installs it (zone Asia/Shanghai),
read through Python's zoneinfo. Each line holds two clock readings, separated by a TAB:

    1986-05-04 02:00<TAB>1986-09-14 02:00

the first is the standard clock time at which the clocks were put forward (02:00 became 03:00), the
second the summer clock time at which they were put back (02:00 became 01:00). A clock reading from
the first up to, but not including, the second is summer time; the hour 01:00 to 01:59 that the
clocks showed twice at the end therefore counts as summer time.
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
ZONE = "Asia/Shanghai"
STANDARD = datetime.timedelta(hours=8)
SUMMER = datetime.timedelta(hours=9)  # the program moves summer-time readings back one hour
FIRST_YEAR, LAST_YEAR = 1986, 1991


def transitions(zone, first_year, last_year):
    """(instant in UTC, offset before, offset after) of every change of the zone's UTC offset."""
    utc = datetime.timezone.utc
    moment = datetime.datetime(first_year, 1, 1, tzinfo=utc)
    end = datetime.datetime(last_year + 1, 1, 1, tzinfo=utc)
    step = datetime.timedelta(minutes=15)
    before = moment.astimezone(zone).utcoffset()
    found = []
    while moment < end:
        after = (moment + step).astimezone(zone).utcoffset()
        if after != before:
            found.append((moment + step, before, after))
            before = after
        moment += step
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


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the file in data/")
    args = parser.parse_args()
    found = periods()
    if len(found) != LAST_YEAR - FIRST_YEAR + 1 or any(a.year != b.year for a, b in found):
        raise SystemExit(f"expected one summer-time period per year {FIRST_YEAR}-{LAST_YEAR}")
    text = render(found)
    return write_or_check(OUTPUT, text, args.check, "tools/calendar/summer_time.py")


if __name__ == "__main__":
    sys.exit(main())
