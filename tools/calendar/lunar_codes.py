#!/usr/bin/python3
"""Derives the code of lunar year 1920 and checks the codes of 1921 to 2020 against the new moons.

A lunar month starts on the day (UTC+8) of a new moon and lasts until the day before the next one.
The program's codes give, for each lunar year, the length (29 or 30 days) of each of its 12 or 13
months; walking them from the first day of lunar year 1920 must meet every new moon day. The code
of 1920 is the 12 month lengths from 1920-02-20 up to 1921-02-08, the first day of lunar year 1921.

    /usr/bin/python3 tools/calendar/lunar_codes.py
"""

import datetime
import sys

import ephem

ZONE_HOURS = 8
FIRST_DAY_1920 = datetime.date(1920, 2, 20)
FIRST_DAY_1921 = datetime.date(1921, 2, 8)

# The codes of the lunar years 1921 to 2020 as the program carries them (see calendar/lunar_date.cpp).
CODES_1921 = [
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


def new_moon_days(first, count):
    """The UTC+8 days of `count` successive new moons, the first on `first`."""
    days = []
    moment = ephem.Date(datetime.datetime(first.year, first.month, first.day) -
                        datetime.timedelta(days=2))
    while len(days) < count:
        moment = ephem.next_new_moon(moment)
        local = ephem.Date(moment + ZONE_HOURS * ephem.hour).datetime().date()
        if local >= first:
            days.append(local)
        moment = ephem.Date(moment + 1)
    return days


def main():
    months_needed = 12 + sum(len(month_lengths(code)) for code in CODES_1921) + 1
    days = new_moon_days(FIRST_DAY_1920, months_needed)
    if days[0] != FIRST_DAY_1920 or days[12] != FIRST_DAY_1921:
        print(f"lunar year 1920 does not run from {FIRST_DAY_1920} to {FIRST_DAY_1921}")
        return 1
    lengths_1920 = [(b - a).days for a, b in zip(days[:12], days[1:13])]
    code_1920 = sum((length - 29) << (11 - i) for i, length in enumerate(lengths_1920))
    print(f"lunar year 1920: months {lengths_1920}, code {code_1920:X}")

    mismatches = []
    index = 12
    for year, code in enumerate(CODES_1921, start=1921):
        for ordinal, length in enumerate(month_lengths(code), start=1):
            start = days[index]
            if days[index + 1] - start != datetime.timedelta(days=length):
                mismatches.append(f"{year} month ordinal {ordinal} (from {start}): code {length} "
                                  f"days, new moons {(days[index + 1] - start).days}")
            index += 1
    print(f"lunar years 1921-2020: {len(mismatches)} month lengths differ from the new moons")
    for line in mismatches:
        print("  " + line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
