#!/usr/bin/python3
"""Tests of the stroke dictionary's rule for name characters.

Run: /usr/bin/python3 -m unittest discover -s tools/chardata -p 'test_*.py'

The rule itself is tested on small lists; the build is tested on Debian's Unihan files (the tests
that need them are skipped where unicode-data is not installed).
"""

import os
import tempfile
import unittest

import elements
import pairs
import strokes
from tables import NameLists, read_characters, read_keep_own, read_name_characters
from unihan import Unihan

UNIHAN_DIR = "/usr/share/unicode"
HAVE_UNIHAN = os.path.exists(os.path.join(UNIHAN_DIR, "Unihan_Readings.txt.bz2"))


class MakeRoomTest(unittest.TestCase):
    # A list's characters, most preferred first; 死 and 病 are unsuitable for names.
    CHOSEN = ["死", "明", "华", "病", "梅", "兰"]
    UNSUITABLE = {"死", "病", "穷"}

    def room(self, wanted, protected=()):
        return strokes.make_room(self.CHOSEN, wanted, set(protected), self.UNSUITABLE)

    def test_unsuitable_characters_go_first_least_preferred_first(self):
        self.assertEqual(self.room(["婷"]), ["病"])
        self.assertEqual(self.room(["婷", "萱"]), ["病", "死"])

    def test_then_the_least_preferred_of_the_rest(self):
        self.assertEqual(self.room(["婷", "萱", "怡"]), ["病", "死", "兰"])
        self.assertEqual(self.room(list("婷萱怡妍")), ["病", "死", "兰", "梅"])

    def test_protected_characters_never_go(self):
        self.assertEqual(self.room(["婷"], protected={"病"}), ["死"])
        self.assertEqual(self.room(["婷", "萱", "怡"], protected={"兰"}), ["病", "死", "梅"])

    def test_nothing_wanted_nothing_displaced(self):
        self.assertEqual(self.room([]), [])

    def test_too_few_that_may_go_stops(self):
        with self.assertRaises(SystemExit):
            self.room(["婷", "萱"], protected={"死", "明", "华", "病", "梅"})


class ListFilesTest(unittest.TestCase):
    def write(self, directory, name, text):
        with open(os.path.join(directory, name), "w", encoding="utf-8") as handle:
            handle.write(text)
        return os.path.join(directory, name)

    def test_characters_outside_blanks_and_comments(self):
        with tempfile.TemporaryDirectory() as directory:
            path = self.write(directory, "a.txt", "# 注释 不算\n婷 萱  # 怡 也不算\n\n梓\t昊\n")
            self.assertEqual(read_characters(path), ["婷", "萱", "梓", "昊"])

    def test_a_character_listed_twice_stops(self):
        with tempfile.TemporaryDirectory() as directory:
            path = self.write(directory, "a.txt", "婷 萱\n婷\n")
            with self.assertRaises(SystemExit):
                read_characters(path)

    def test_name_lists_of_the_candidate_generator(self):
        with tempfile.TemporaryDirectory() as directory:
            self.write(directory, "chars_male.txt", "# boys\n刚 强\n")
            self.write(directory, "chars_female.txt", "婷\n")
            self.write(directory, "chars_either.txt", "文  # 安 is a comment\n")
            self.write(directory, "excluded_chars.txt", "死 病\n")
            self.write(directory, "surnames.txt", "王 李  # 张\n欧阳 司马\n")
            lists = NameLists(directory)
            self.assertEqual(lists.curated, set("刚强婷文"))
            self.assertEqual(lists.unsuitable, set("死病"))
            self.assertEqual(lists.surname_chars, set("王李欧阳司马"))

    def test_the_shipped_name_characters(self):
        names = read_name_characters()
        self.assertGreater(len(names), 100)
        for ch in "婷萱梓昊玥":
            self.assertIn(ch, names)
        # 伟 has no count on purpose and must not be asked for.
        self.assertNotIn("伟", names)


@unittest.skipUnless(HAVE_UNIHAN, "needs unicode-data")
class SequenceTest(unittest.TestCase):
    def test_characters_beyond_level_one_stand_among_those_of_their_reading(self):
        uh = Unihan(UNIHAN_DIR)
        level1 = list("安岸八白班")
        order = pairs.sequence(uh, level1, ["岚", "昂", "钯"])
        self.assertEqual(order, list("安岸昂八钯白班岚"))


class BalanceTest(unittest.TestCase):
    """Balancing the element lists on made-up characters: every character sounds x and may move
    from 水 to 金; usage follows the order of the text (first = most used)."""

    class Usage:
        def __init__(self, order):
            self.order = order

        def usage_key(self, ch):
            return self.order.index(ch)

    class Sound:
        def meaning(self, ch):
            return None

        def movable(self, ch):
            return [("水", "金")]

    def balance(self, names=frozenset(), surplus=2):
        water = list("甲乙丙丁戊")
        members = {e: [] for e in elements.ELEMENTS}
        members["水"] = water
        target = {e: 0 for e in elements.ELEMENTS}
        target["水"], target["金"] = len(water) - surplus, surplus
        return elements.balance(self.Usage(water), self.Sound(), members, target, {}, names)

    def test_least_used_move_first(self):
        self.assertEqual(self.balance(), [("戊", "水", "金"), ("丁", "水", "金")])

    def test_characters_of_names_move_last(self):
        self.assertEqual(self.balance(names={"戊"}), [("丁", "水", "金"), ("丙", "水", "金")])
        self.assertEqual(self.balance(names=set("乙丙丁戊"), surplus=2),
                         [("甲", "水", "金"), ("戊", "水", "金")])


@unittest.skipUnless(HAVE_UNIHAN, "needs unicode-data")
class BuildTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.uh = Unihan(UNIHAN_DIR)
        cls.keep_own = read_keep_own()
        cls.name_lists = NameLists()
        cls.names = read_name_characters()
        cls.simple, cls.trad, pair_report = pairs.build(
            cls.uh, cls.keep_own,
            set(cls.names) | cls.name_lists.curated | cls.name_lists.surname_chars,
            cls.name_lists.unsuitable)
        simple, trad = cls.simple, cls.trad
        cls.pair_traditionals = set(trad)
        cls.shown = pair_report["shown"]
        cls.lists, cls.report = cls.build(cls.names)
        # Without name characters and without the candidate generator's lists nothing asks for
        # a place: the plain fill order.
        with tempfile.TemporaryDirectory() as directory:
            for name in ("chars_male.txt", "chars_female.txt", "chars_either.txt",
                         "excluded_chars.txt", "surnames.txt"):
                open(os.path.join(directory, name), "w", encoding="utf-8").close()
            cls.plain, _ = cls.build([], NameLists(directory))

    @classmethod
    def build(cls, names, name_lists=None):
        return strokes.build(cls.uh, cls.keep_own, cls.pair_traditionals, cls.shown,
                             names, name_lists or cls.name_lists)

    @staticmethod
    def lowest(lists):
        found = {}
        for k in range(1, strokes.LISTS + 1):
            for ch in lists[k]:
                found.setdefault(ch, k)
        return found

    def test_every_name_character_stands_in_the_list_of_its_own_count(self):
        counter = strokes.Counter(self.uh, self.keep_own, self.shown)
        lowest = self.lowest(self.lists)
        for ch in self.names:
            self.assertEqual(lowest.get(ch), counter.count(counter.form(ch)), ch)
        # Samples counted by hand: full radical plus the residual of the traditional form.
        for ch, count in {"婷": 12, "萱": 15, "梓": 11, "昊": 8, "鑫": 24, "玥": 9, "芸": 10,
                          "姹": 9, "薇": 19, "皓": 12}.items():
            self.assertEqual(lowest.get(ch), count, ch)

    def test_every_surname_of_the_candidate_lists_has_a_count(self):
        lowest = self.lowest(self.lists)
        missing = sorted(c for c in self.name_lists.surname_chars if c not in lowest)
        self.assertEqual(missing, [])

    def test_sizes_are_those_without_name_characters(self):
        table = strokes.StrokeTable()
        seen = set()
        for k in range(1, strokes.LISTS + 1):
            self.assertEqual(len(self.lists[k]), len(self.plain[k]), f"list {k}")
            self.assertEqual(len(self.lists[k]), table.chars[k], f"list {k}")
            fresh = set(self.lists[k]) - seen
            self.assertEqual(len(fresh), table.effective[k], f"list {k}")
            seen |= fresh

    def test_the_lists_differ_by_the_reported_exchanges_only(self):
        with_names, without = self.lowest(self.lists), self.lowest(self.plain)
        displaced = self.report["displaced"]
        self.assertEqual({name for _, name, _ in displaced},
                         set(with_names) - set(without))
        self.assertEqual({gone for _, _, gone in displaced}, set(without) - set(with_names))
        for k, name, gone in displaced:
            self.assertEqual(with_names[name], k)
            self.assertEqual(without[gone], k, f"{gone} gave way in another list than {k}")
        common = set(with_names) & set(without)
        self.assertTrue(all(with_names[ch] == without[ch] for ch in common))

    def test_what_gives_way_is_never_used_in_names(self):
        table = strokes.StrokeTable()
        never = (table.pinned() | self.name_lists.curated | self.name_lists.surname_chars
                 | set(self.names))
        for k, name, gone in self.report["displaced"]:
            self.assertNotIn(gone, never, f"{gone} gave way to {name}")

    def test_unsuitable_characters_give_way_before_any_other(self):
        by_list = {}
        for k, _, gone in self.report["displaced"]:
            by_list.setdefault(k, []).append(gone)
        table = strokes.StrokeTable()
        keep = (table.pinned() | self.name_lists.curated | self.name_lists.surname_chars)
        for k, gone in by_list.items():
            if any(ch not in self.name_lists.unsuitable for ch in gone):
                left = [ch for ch in set(self.lists[k]) - keep
                        if ch in self.name_lists.unsuitable and self.lowest(self.lists)[ch] == k]
                self.assertEqual(left, [], f"list {k} kept unsuitable characters")

    def test_count_and_shown_form_agree(self):
        counter = strokes.Counter(self.uh, self.keep_own, self.shown)
        lowest = self.lowest(self.lists)
        for ch, shown in self.shown.items():
            if ch in lowest and ch not in strokes.StrokeTable().pinned():
                self.assertEqual(counter.form(ch), shown, ch)
        # Characters that count in their own form are shown in it, unless a pair's position is
        # fixed (爱 国 里 链 么 启 为 钟).
        for ch in self.keep_own:
            self.assertNotIn(ch, self.shown, ch)

    def test_pairs_of_names_and_standard_forms(self):
        pairs_of = dict(zip(reversed(self.simple), reversed(self.trad)))
        for simple, trad in {"晖": "暉", "钰": "鈺", "娴": "嫻", "岚": "嵐", "闫": "閆",
                             "绣": "繡", "蕴": "蘊", "锐": "銳", "说": "說", "勋": "勳"}.items():
            self.assertEqual(pairs_of.get(simple), trad, simple)
        for ch in "松余范郁万干了朴涂采":
            self.assertNotIn(ch, pairs_of, ch)

    def test_a_name_character_on_a_hand_made_list_stops(self):
        # 叉 counts 3, and list 3 is given whole by hand.
        with self.assertRaises(SystemExit):
            self.build(["叉"])

    def test_a_traditional_form_cannot_be_a_name_character(self):
        with self.assertRaises(SystemExit):
            self.build(["愛"])


if __name__ == "__main__":
    unittest.main()
