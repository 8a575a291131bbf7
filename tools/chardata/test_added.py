#!/usr/bin/python3
"""Tests of the typed forms and of the surname review (added.py).

Run: /usr/bin/python3 -m unittest discover -s tools/chardata -p 'test_*.py'
"""

import os
import unittest

import added
from tables import NameLists, read_keep_own

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class TypedFormsTest(unittest.TestCase):
    SIMPLE = ["东", "钟", "迭", "叠", "钟"]
    TRAD = ["東", "鍾", "叠", "疊", "鐘"]
    SHOWN = {"东": "東", "钟": "鍾", "迭": "疊", "叠": "疊"}

    def test_pairs_read_backwards_as_the_program_reads_them(self):
        typed = added.typed_forms(self.SIMPLE, self.TRAD, self.SHOWN, [])
        self.assertEqual(typed, {"東": "东", "鍾": "钟", "疊": "叠", "鐘": "钟"})
        # The converted forms first, the further form (鐘) after them; 叠 stands for itself.
        self.assertEqual(list(typed)[-1], "鐘")
        self.assertNotIn("叠", typed)

    def test_variants_stand_for_their_character_and_never_override_a_pair(self):
        typed = added.typed_forms(self.SIMPLE, self.TRAD, self.SHOWN, [("峯", "峰")])
        self.assertEqual(typed["峯"], "峰")
        for variant in (("東", "冬"), ("叠", "迭")):
            with self.assertRaises(SystemExit):
                added.typed_forms(self.SIMPLE, self.TRAD, self.SHOWN, [variant])


class SurnameReviewTest(unittest.TestCase):
    def setUp(self):
        with open(os.path.join(ROOT, "data", "traditional.txt"), encoding="utf-8") as handle:
            self.simple, self.trad = [line.split(",") for line in handle.read().split("\n")[:2]]
        self.keep_own = read_keep_own()
        self.surnames = NameLists().surname_chars

    def test_the_committed_review_covers_every_surname_with_a_pair(self):
        added.check_surnames(self.simple, self.trad, self.keep_own, self.surnames)
        self.assertTrue({"后", "党", "余", "范"} <= self.keep_own)

    def test_a_surname_with_a_pair_in_neither_file_stops_the_generator(self):
        with self.assertRaises(SystemExit):
            added.check_surnames(self.simple + ["余"], self.trad + ["餘"],
                                 self.keep_own - {"余"}, self.surnames)
        # A reviewed surname whose pair goes is reported too.
        with self.assertRaises(SystemExit):
            added.check_surnames(self.simple, self.trad, self.keep_own | {"张"}, self.surnames)


if __name__ == "__main__":
    unittest.main()
