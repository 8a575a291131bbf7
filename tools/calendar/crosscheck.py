#!/usr/bin/python3
"""Checks data/solar_terms.txt and data/equation_of_time.txt against a second, independent source.

The generator uses PyEphem (VSOP87 planetary theory, its own delta T). This check uses ERFA
(Debian's python3-erfa: the Earth ephemeris epv00, IAU 2006/2000A precession-nutation, annual
aberration) with the Espenak-Meeus polynomials for delta T, and reports the largest differences.
Published entries that stand as published (see calendar_data.py) are left out of the maxima.

    /usr/bin/python3 tools/calendar/crosscheck.py
"""

import datetime
import math
import os
import sys

import erfa
import numpy

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import calendar_data  # noqa: E402  (the published entries and the stored layout)

LIGHT_AU_PER_DAY = 173.1446326846693
UNIX_JD = 2440587.5


def delta_t_seconds(year):
    """TT - UT after Espenak and Meeus (polynomial fits to the observed values), 1900 to 2050."""
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
    t = year - 2000
    return 62.92 + 0.32217 * t + 0.005589 * t**2


def julian_ut(moment):
    """Julian date (UT) of a naive UT datetime, as two parts."""
    seconds = (moment - datetime.datetime(1970, 1, 1)).total_seconds()
    return UNIX_JD, seconds / 86400


def sun_of_date(ut1, ut2):
    """The Sun's apparent ecliptic longitude and right ascension of date (radians), and TT."""
    days = ut1 - 2451544.5 + ut2
    tt2 = ut2 + delta_t_seconds(2000 + days / 365.25) / 86400
    heliocentric, barycentric = erfa.epv00(ut1, tt2)
    toward_sun = -numpy.asarray(heliocentric["p"])
    distance = numpy.linalg.norm(toward_sun)
    velocity = numpy.asarray(barycentric["v"]) / LIGHT_AU_PER_DAY
    bm1 = math.sqrt(1 - float(velocity @ velocity))
    apparent = erfa.ab(toward_sun / distance, velocity, distance, bm1)
    of_date = erfa.pnm06a(ut1, tt2) @ apparent
    _, deps = erfa.nut06a(ut1, tt2)
    eps = erfa.obl06(ut1, tt2) + deps
    x, y, z = of_date
    longitude = math.atan2(y * math.cos(eps) + z * math.sin(eps), x)
    right_ascension = math.atan2(y, x)
    return longitude, right_ascension, tt2


def term_moment(year, month):
    """The UT datetime when the apparent longitude reaches the month's term."""
    target = math.radians((285 + 30 * (month - 1)) % 360)
    start = datetime.datetime(year, month, 1)

    def offset(day):
        longitude, _, _ = sun_of_date(*julian_ut(start + datetime.timedelta(days=day)))
        return (longitude - target + math.pi) % (2 * math.pi) - math.pi

    lo, hi = 0.0, 12.0
    for _ in range(40):
        mid = (lo + hi) / 2
        if offset(mid) < 0:
            lo = mid
        else:
            hi = mid
    return start + datetime.timedelta(days=(lo + hi) / 2)


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


def main():
    worst_term = (0.0, "")
    other_minute = 0
    with open(calendar_data.SOLAR_TERM_FILE, encoding="utf-8") as f:
        terms = f.read().splitlines()
    for index, entry in enumerate(terms):
        year, month = calendar_data.FIRST_TERM_YEAR + index // 12, index % 12 + 1
        if (year, month) in calendar_data.PUBLISHED_SOLAR_TERMS:
            continue
        local = term_moment(year, month) + datetime.timedelta(hours=calendar_data.ZONE_HOURS)
        stored = datetime.datetime.strptime(entry, "%Y-%m-%d %H:%M")
        difference = abs((local - stored).total_seconds())
        if difference >= 30:
            other_minute += 1
        if difference > worst_term[0]:
            worst_term = (difference, f"{entry} (second source {local:%Y-%m-%d %H:%M:%S})")
    print(f"solar terms: largest difference {worst_term[0]:.0f} s at {worst_term[1]}; "
          f"{other_minute} of {len(terms)} would round to another minute")

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
    return 0


if __name__ == "__main__":
    sys.exit(main())
