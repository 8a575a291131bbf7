#!/usr/bin/python3
"""Tests of the rules of generate.py on small hand-made inputs.

Run: /usr/bin/python3 -m unittest discover -s tools/candidates -p 'test_*.py'
"""

import pathlib
import tempfile
import types
import unittest

import generate as g

LISTS = {
    "chars_male.txt": "# boys\n刚 强 峰\n",
    "chars_female.txt": "# girls\n婷 芳 梅\n",
    "chars_either.txt": "# either\n文 安 熙 希 子 思\n",
    "excluded_chars.txt": "死 病\n",
    "surnames.txt": "王 李\n欧阳\n",
    "reduplications.txt": "芳芳\n",
    "accepted_names.txt": "文安\n",
    "rejected_names.txt": "子\n安文\n",
    "places.txt": "second: 峰 梅\nfirst: 子\ntoday: 梅\n",
    "homophones.txt": "an1 xi1  # a word\nsi wen\n",
    "rare_chars.txt": "熙 思\n",
}


def curated_from(**changes):
    """Curated read from a scratch directory holding LISTS with some files replaced."""
    with tempfile.TemporaryDirectory() as directory:
        for name, text in {**LISTS, **changes}.items():
            (pathlib.Path(directory) / name).write_text(text, encoding="utf-8")
        return g.Curated(pathlib.Path(directory))


class PinyinTest(unittest.TestCase):
    def test_tone_marks_and_umlaut(self):
        self.assertEqual(g.parse_pinyin("xīn"), ("xin", 1))
        self.assertEqual(g.parse_pinyin("lǜ"), ("lv", 4))
        self.assertEqual(g.parse_pinyin("nǚ"), ("nv", 3))
        self.assertEqual(g.parse_pinyin("ma"), ("ma", 5))

    def test_initial_and_final(self):
        self.assertEqual(g.split_syllable("zhang"), ("zh", "ang"))
        self.assertEqual(g.split_syllable("shi"), ("sh", "i"))
        self.assertEqual(g.split_syllable("an"), ("", "an"))
        self.assertEqual(g.split_syllable("er"), ("", "er"))


class CuratedTest(unittest.TestCase):
    def test_files_by_the_sex_of_the_characters(self):
        c = curated_from()
        self.assertEqual(c.files_of("刚强"), "M")
        self.assertEqual(c.files_of("文刚"), "M")
        self.assertEqual(c.files_of("芳"), "F")
        self.assertEqual(c.files_of("文安"), "MF")
        self.assertEqual(c.files_of("刚芳"), "")

    def test_places_and_repeats(self):
        c = curated_from()
        self.assertTrue(c.out_of_place("峰刚"))   # 峰 only ends a name
        self.assertTrue(c.out_of_place("文子"))   # 子 only begins one
        self.assertFalse(c.out_of_place("刚峰"))
        self.assertFalse(c.out_of_place("峰峰"))  # repeats are for reduplications.txt
        # a character of the today: line begins only today's pairs and the written names
        for name, today, misplaced in (("梅芳", False, True), ("梅芳", True, False),
                                       ("峰刚", True, True), ("梅子", True, True)):
            with self.subTest(name=name, today=today):
                self.assertEqual(c.out_of_place(name, today=today), misplaced)

    def test_contradicting_lists_are_refused(self):
        cases = {
            "in two sex lists": {"chars_either.txt": "文 刚\n"},
            "excluded yet curated": {"excluded_chars.txt": "死 芳\n"},
            "dead entry": {"rejected_names.txt": "王安\n"},
            "both places": {"places.txt": "first: 子\nsecond: 子\n"},
            "today but not second": {"places.txt": "second: 峰\ntoday: 文\n"},
            "no place keyword": {"places.txt": "峰 梅\n"},
            "not a repeat": {"reduplications.txt": "芳梅\n"},
            "three-syllable reading": {"homophones.txt": "an xi wen\n"},
            "three-character surname": {"surnames.txt": "王 欧阳修\n"},
        }
        for case, change in cases.items():
            with self.subTest(case), self.assertRaises(g.InputError):
                curated_from(**change)

    def test_characters_of_real_names_only(self):
        with tempfile.TemporaryDirectory() as directory:
            for name, text in {**LISTS, "chars_classics.txt": "male: 修\n",
                               "chars_real.txt": "male: 世\neither: 之\n"}.items():
                (pathlib.Path(directory) / name).write_text(text, encoding="utf-8")
            c = g.Curated(pathlib.Path(directory), with_classics=True)
        self.assertEqual(c.real_only, {"世", "之"})
        self.assertEqual(c.files_of("世刚"), "M")
        self.assertEqual(c.files_of("思之"), "MF")
        self.assertEqual(c.files_of("婷之"), "F")
        # they never tell how names of a sex are formed: 世之 leans to no file
        self.assertFalse(c.leans_to("世之", "M"))
        self.assertTrue(c.leans_to("世刚", "M"))

    def test_written_names_by_sex(self):
        with tempfile.TemporaryDirectory() as directory:
            path = pathlib.Path(directory) / "written_names.txt"
            path.write_text("# ours\nfemale: 思婷 子芳\nmale: 子刚\nfemale: 安婷\n", encoding="utf-8")
            self.assertEqual(g.read_written(path), {"M": ["子刚"], "F": ["思婷", "子芳", "安婷"]})
            path.write_text("girls: 思婷\n", encoding="utf-8")
            with self.assertRaises(g.InputError):
                g.read_written(path)

    def test_given_name_after_the_surname(self):
        c = curated_from()
        self.assertEqual(g.given_name_of("王芳", c), "芳")
        self.assertEqual(g.given_name_of("欧阳文安", c), "文安")
        self.assertEqual(g.given_name_of("欧阳芳", c), "芳")  # the double surname first
        self.assertIsNone(g.given_name_of("张芳", c))


def rules_for(curated, words=None, foreign=(), name_characters=()):
    readings = {"刚": ("gang", 1), "强": ("qiang", 2), "峰": ("feng", 1), "婷": ("ting", 2),
                "芳": ("fang", 1), "梅": ("mei", 2), "文": ("wen", 2), "安": ("an", 1),
                "熙": ("xi", 1), "希": ("xi", 1), "子": ("zi", 3), "思": ("si", 1),
                "玥": ("yue", 4)}
    # 玥 lies beyond GB 2312.
    unihan = types.SimpleNamespace(reading=readings, gb2312=set(readings) - {"玥"},
                                   traditional_only=set())
    chars = types.SimpleNamespace(traditional=set(), knows=lambda c: c != "婷")
    real = types.SimpleNamespace(word_frequency=words or {}, foreign=set(foreign))
    return g.Rules(curated, chars, unihan, real, name_characters)


class RulesTest(unittest.TestCase):
    def test_beyond_gb2312_only_what_name_characters_names(self):
        curated = curated_from(**{"chars_female.txt": "婷 芳 梅 玥\n"})
        with self.assertRaises(g.InputError):
            rules_for(curated)
        with self.assertRaises(g.InputError):
            rules_for(curated, name_characters=["璟"])
        rules = rules_for(curated, name_characters=["玥", "璟"])
        self.assertIn("玥", rules.usable)


    def test_reasons(self):
        rules = rules_for(curated_from(), words={"刚强": 500, "文刚": 50, "芳芳": 900,
                                                 "文安": 900},
                          foreign={"思刚"})
        cases = [
            ("刚", "generated", None),
            ("芳芳", "generated", None),           # accepted repeat, although a word
            ("刚刚", "generated", "repeated character"),
            ("婷芳", "generated", "character not in the lists or the character data"),
            ("子", "single", "rejected name"),
            ("安文", "generated", "rejected name"),
            ("刚芳", "generated", "boy and girl characters mixed"),
            ("梅芳", "generated", "character out of place"),
            ("梅芳", "real", "character out of place"),
            ("梅芳", "modern", None),             # 梅 is on the today: line
            ("梅芳", "written", None),
            ("峰刚", "modern", "character out of place"),   # 峰 is not on the today: line
            ("峰刚", "written", None),            # a written name keeps its order
            ("安熙", "generated", "sound"),      # an1 xi1 with the right tones
            ("安希", "generated", "sound"),      # 希 reads xi1 as well
            ("熙希", "generated", "sound"),      # one syllable twice
            ("思文", "generated", "sound"),      # si wen matches any tones
            ("刚强", "generated", "common word"),
            ("刚强", "real", "common word"),      # 500 is enough for a real name too
            ("文刚", "generated", "common word"),
            ("文刚", "real", None),               # 50 is not
            ("文安", "generated", None),          # accepted_names.txt
            ("思刚", "generated", "part of a foreign name"),
            ("死", "single", "excluded character"),
            ("刚强峰", "generated", "length"),
            ("思熙", "generated", "two rare characters"),
            ("思熙", "real", None),               # a real name keeps its rare characters
            ("思熙", "modern", "two rare characters"),
            ("思文", "real", "sound"),
        ]
        for name, source, reason in cases:
            with self.subTest(name=name, source=source):
                self.assertEqual(rules.why_not(name, source), reason)

    def test_names_that_spell_a_bad_word(self):
        bad = g.BadWords("思\tsi1\n期\tqi1 ji1\n琪\tqi2\n文\twen2\n乐\tle4 yue4\n",
                         "死期\tsi3 qi1\n月经\tyue4 jing1\n死亡人\tsi3 wang2 ren2\n")
        cases = [
            ("思琪", "死期"),   # other tones
            ("思期", "死期"),
            ("琪思", None),     # the order counts
            ("思", None),       # one syllable spells no word
            ("乐经", None),     # 经 has no reading here
            ("思文", None),
        ]
        for name, word in cases:
            with self.subTest(name=name):
                self.assertEqual(bad.spelt_by(name), word)
        bad.readings["经"] = ["jing"]
        self.assertEqual(bad.spelt_by("乐经"), "月经")  # by the second reading of 乐
        curated = curated_from()
        rules = rules_for(curated)
        rules.bad_words = g.BadWords("思\tsi1\n刚\tgang1\n", "死缸\tsi3 gang1\n")
        self.assertEqual(rules.why_not("思刚", "generated"), "spells a bad word")
        self.assertIsNone(rules.why_not("刚", "generated"))

    def test_tones_must_match_where_given(self):
        rules = rules_for(curated_from(**{"homophones.txt": "an2 xi1\n"}))
        self.assertFalse(rules.sounds_bad("安熙"))

    def test_euphony_counts_what_the_syllables_share(self):
        rules = rules_for(curated_from())
        self.assertAlmostEqual(rules.euphony("文刚"), 1.0)
        self.assertAlmostEqual(rules.euphony("刚峰"), g.SAME_TONE)  # both tone 1
        self.assertAlmostEqual(rules.euphony("刚强"), 1.0)         # -ang and -iang differ
        self.assertAlmostEqual(rules.euphony("刚芳"), g.SAME_TONE * g.SAME_FINAL)
        self.assertAlmostEqual(rules.euphony("芳峰"), g.SAME_TONE * g.SAME_INITIAL)


class AffinityTest(unittest.TestCase):
    def test_company_speaks_for_unseen_pairs(self):
        a = g.Affinity(["国华", "国强", "建华", "立新", "立明"])
        self.assertGreater(a.score("建", "强"), 0)     # 华 and 强 follow the same 国
        self.assertEqual(a.score("建", "明"), 0)       # nothing links 建 with 明
        self.assertGreater(a.score("国", "华"), a.score("建", "强"))

    def test_popularity_counts_uses_in_their_place(self):
        a = g.Affinity(["国华", "国强", "建华", "华强"])
        self.assertEqual(g.popularity(a, "国", "华"), (2 + 1) * (2 + 1))
        self.assertEqual(g.popularity(a, "建", "强"), (1 + 1) * (2 + 1))
        self.assertEqual(g.popularity(a, "强", "国"), 1)   # neither stands in that place

    def test_place_share(self):
        a = g.Affinity(["国华", "华强"])
        self.assertAlmostEqual(a.place("国", second=False), 2 / 3)
        self.assertAlmostEqual(a.place("华", second=False), 1 / 2)
        self.assertAlmostEqual(a.place("无", second=True), 1 / 2)


class FileBytesTest(unittest.TestCase):
    def test_header_names_crlf_gbk(self):
        data = g.file_bytes(["志强", "芳"])
        self.assertEqual(data, "2\r\n志强\r\n芳\r\n".encode("gbk"))
        self.assertEqual(g.file_bytes([]), b"0\r\n")


if __name__ == "__main__":
    unittest.main()
