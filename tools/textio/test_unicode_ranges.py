import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import unicode_ranges  # noqa: E402
from generated_file import write_or_check  # noqa: E402


class UnusualRangesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.ranges = unicode_ranges.unusual_ranges(unicode_ranges.categories())

    def unusual(self, cp):
        return any(a <= cp <= b for a, b in self.ranges)

    def test_names_and_their_signs_are_usual(self):
        for ch in "王小明𪚥〇·—、，（）ÀЖא\uFFFD":
            self.assertFalse(self.unusual(ord(ch)), ch)

    def test_what_a_wrong_reading_gives_is_unusual(self):
        for cp in [0x00, 0x1B, 0x85, 0x9F, 0xE000, 0xF8FF, 0xF0000, 0x10FFFD, 0xFFFF, 0x2500,
                   0x2588, 0x0378, 0x40000, 0xD800]:
            self.assertTrue(self.unusual(cp), hex(cp))

    def test_ranges_ascend_and_never_touch(self):
        for (a, b), (c, _) in zip(self.ranges, self.ranges[1:]):
            self.assertLessEqual(a, b)
            self.assertGreater(c, b + 1)


class NameCharactersTest(unittest.TestCase):
    def test_the_standard_tables_characters_beyond_gb2312(self):
        names = unicode_ranges.standard_beyond_gb2312()
        self.assertIn(0x2CCF6, names)  # beyond the basic plane
        self.assertIn(ord("堃"), names)  # a GBK character
        self.assertNotIn(ord("王"), names)  # GB 2312
        self.assertNotIn(0x25D3A, names)  # not in the table
        with open(os.path.join(unicode_ranges.ROOT, "data", "standard_chars.txt"), encoding="utf-8") as f:
            standard = {ord(c) for c in f.read() if ord(c) >= 0x3400}

        def in_gb2312(cp):
            try:
                chr(cp).encode("gb2312")
                return True
            except UnicodeEncodeError:
                return False

        self.assertEqual(set(names), {cp for cp in standard if not in_gb2312(cp)})

    def test_ranges_of_points(self):
        self.assertEqual(unicode_ranges.as_ranges([1, 2, 3, 7, 9, 10]), [(1, 3), (7, 7), (9, 10)])


class WriteOrCheckTest(unittest.TestCase):
    def test_check_compares_and_writing_replaces(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "out.txt")
            self.assertEqual(write_or_check(path, "a\n", True, "gen"), 1)  # missing
            self.assertEqual(write_or_check(path, "a\n", False, "gen"), 0)
            self.assertEqual(write_or_check(path, "a\n", True, "gen"), 0)
            self.assertEqual(write_or_check(path, "b\n", True, "gen"), 1)
            self.assertEqual(os.listdir(folder), ["out.txt"])


if __name__ == "__main__":
    unittest.main()
