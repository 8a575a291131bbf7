#!/usr/bin/python3
"""Tests of summer_time.py on a made-up zone.

Run: /usr/bin/python3 -m unittest discover -s tools/calendar -p 'test_*.py'
"""

import datetime
import unittest

import summer_time as st

UTC = datetime.timezone.utc


class MadeUpZone(datetime.tzinfo):
    """UTC+8, and UTC+9 between the given UTC instants of each year."""

    def __init__(self, spans):
        self.spans = spans

    def offset_at(self, instant):
        summer = any(a <= instant < b for a, b in self.spans)
        return datetime.timedelta(hours=9 if summer else 8)

    def utcoffset(self, dt):
        # A wall-clock reading that summer time could give is summer time, unless it is the
        # second one (fold 1) of a repeated hour.
        wall = dt.replace(tzinfo=UTC, fold=0)
        for offset in sorted({self.offset_at(a) for a, _ in self.spans}, reverse=True):
            if dt.fold == 0 and self.offset_at(wall - offset) == offset:
                return offset
        return datetime.timedelta(hours=8)

    def dst(self, dt):
        return None

    def fromutc(self, dt):
        instant = dt.replace(tzinfo=UTC)
        offset = self.offset_at(instant)
        local = dt + offset
        # The repeated hour after a switch back is marked as the second reading.
        repeated = any(b <= instant < b + (self.offset_at(b - datetime.timedelta(seconds=1)) - offset)
                       for _, b in self.spans)
        return local.replace(fold=1 if repeated else 0)


def utc(*args):
    return datetime.datetime(*args, tzinfo=UTC)


class PeriodsTest(unittest.TestCase):
    def test_clock_readings_of_the_switches(self):
        # Forward at 02:00 standard time (18:00 UTC the day before), back at 02:00 summer time
        # (17:00 UTC the day before).
        zone = MadeUpZone([(utc(1986, 5, 3, 18), utc(1986, 9, 13, 17)),
                           (utc(1987, 4, 11, 18), utc(1987, 9, 12, 17))])
        found = [(a.strftime("%Y-%m-%d %H:%M"), b.strftime("%Y-%m-%d %H:%M"))
                 for a, b in st.periods(zone, 1986, 1987)]
        self.assertEqual(found, [("1986-05-04 02:00", "1986-09-14 02:00"),
                                 ("1987-04-12 02:00", "1987-09-13 02:00")])
        self.assertEqual(st.render(st.periods(zone, 1986, 1987)).splitlines()[0],
                         "1986-05-04 02:00\t1986-09-14 02:00")

    def test_other_changes_of_offset_stop_the_generator(self):
        class TwoHours(MadeUpZone):
            def offset_at(self, instant):
                offset = super().offset_at(instant)
                return offset * 10 // 9 if offset > datetime.timedelta(hours=8) else offset

        with self.assertRaises(SystemExit):
            st.periods(TwoHours([(utc(1988, 4, 16, 18), utc(1988, 9, 10, 17))]), 1988, 1988)


class ZonePeriodsTest(unittest.TestCase):
    def test_boundaries_are_the_readings_before_each_change(self):
        zone = MadeUpZone([(utc(1975, 3, 31, 16), utc(1975, 9, 30, 15))])
        found = st.zone_periods("Made/Up", zone, 1975, 1975)
        self.assertEqual(found, [(datetime.datetime(1975, 4, 1, 0, 0),
                                  datetime.datetime(1975, 10, 1, 0, 0),
                                  datetime.timedelta(hours=9), False)])
        self.assertEqual(st.render_zones({"Made/Up": found}),
                         "Made/Up\t1975-04-01 00:00\t1975-10-01 00:00\t+09:00\tstandard\n")

    def test_skipped_and_repeated_readings_take_the_larger_offset(self):
        # Taiwan's summer time of 1975 from the installed database (zoneinfo's fold semantics).
        found = st.zone_periods("Asia/Taipei", None, 1975, 1975)
        rows = dict(st.transition_rows("Asia/Taipei", None, 1975, 1975))
        self.assertEqual(len(rows), 12)
        local = datetime.datetime
        # Put forward at 00:00: 00:30 was never shown and reads as 23:30 of the day before.
        self.assertEqual(rows[local(1975, 4, 1, 0, 0)], local(1975, 3, 31, 23, 0))
        self.assertEqual(rows[local(1975, 3, 31, 23, 59)], local(1975, 3, 31, 23, 59))
        # Put back at 00:00: 23:00 to 23:59 were shown twice and read on UTC+9.
        self.assertEqual(rows[local(1975, 9, 30, 23, 59)], local(1975, 9, 30, 22, 59))
        self.assertEqual(rows[local(1975, 10, 1, 0, 0)], local(1975, 10, 1, 0, 0))
        for clock, reading in rows.items():
            self.assertEqual(st.table_reading(found, clock), reading, clock)

    def test_offset_text(self):
        self.assertEqual(st.offset_text(datetime.timedelta(hours=9)), "+09:00")
        self.assertEqual(st.offset_text(datetime.timedelta(hours=8, minutes=30)), "+08:30")

    def test_the_installed_zones_start_and_end_on_utc8(self):
        for name in st.ZONES:
            found = st.zone_periods(name)
            self.assertTrue(found, name)
            for start, end, offset, _summer in found:
                self.assertLess(start, end)
                self.assertGreater(offset, st.STANDARD)


if __name__ == "__main__":
    unittest.main()
