#!/usr/bin/python3
"""Tests of the sound data generator's rules on small inputs.

Run: /usr/bin/python3 -m unittest discover -s tools/sound -p 'test_*.py'
"""

import os
import tempfile
import unittest

import generate as g

# Unihan-like properties of a few characters, as the generator reads them.
PROPS = {
    "子": {"kMandarin": "zi", "kHanyuPinlu": "zi(6853) zǐ(1114)", "kXHC1983": "1531.040:zǐ"},
    "乐": {"kMandarin": "lè", "kHanyuPinlu": "lè(283) yuè(54)",
          "kTGHZ2013": "212.030:lè 453.020:yuè"},
    "单": {"kMandarin": "dān", "kTGHZ2013": "036.140:chán 064.090:dān 325.010:shàn"},
    "俟": {"kMandarin": "qí", "kHanyuPinyin": "10168.030:sì,qí"},
    "万": {"kMandarin": "wàn mò", "kHanyuPinlu": "wàn(1335)"},
    "杜": {"kMandarin": "dù"},
    "肚": {"kMandarin": "dù", "kXHC1983": "0244.010:dǔ 0245.040:dù"},
    "疼": {"kMandarin": "téng"},
    "绿": {"kMandarin": "lǜ", "kXHC1983": "0760.050:lù 0766.010:lǜ"},
    "和": {"kMandarin": "hé", "kTGHZ2013": "1:hé 2:hè 3:hú 4:huó 5:huò 6:huo"},
}


class PinyinTest(unittest.TestCase):
    def test_numbered(self):
        for reading, expected in [("zhōng", "zhong1"), ("lǜ", "lv4"), ("nǚ", "nv3"),
                                  ("é", "e2"), ("de", "de5"), ("Lüè", "lve4")]:
            self.assertEqual(g.numbered(reading), expected, reading)
        with self.assertRaises(g.InputError):
            g.numbered("zh1ong")

    def test_field_order(self):
        self.assertEqual(g.field_readings("kHanyuPinlu", "a(1) b(30) c(2)"), ["b", "c", "a"])
        self.assertEqual(g.field_readings("kHanyuPinyin", "1.1:sì,qí 2.2:yí"), ["sì", "qí", "yí"])


class ReadingsTest(unittest.TestCase):
    def test_usual_reading_first_then_the_dictionaries(self):
        self.assertEqual(g.readings_of(PROPS["单"]), ["dan1", "chan2", "shan4"])
        self.assertEqual(g.readings_of(PROPS["乐"]), ["le4", "yue4"])
        # the second kMandarin value comes after the dictionaries' readings
        self.assertEqual(g.readings_of(PROPS["万"]), ["wan4", "mo4"])

    def test_neutral_tone_gives_way(self):
        self.assertEqual(g.readings_of(PROPS["子"]), ["zi3"])
        self.assertEqual(g.readings_of({"kMandarin": "lei"}), ["lei5"])

    def test_hanyu_pinyin_only_without_modern_dictionaries(self):
        self.assertEqual(g.readings_of(PROPS["俟"]), ["qi2", "si4"])
        self.assertEqual(g.readings_of({"kMandarin": "qí", "kXHC1983": "1:qí",
                                        "kHanyuPinyin": "1:sì,qí"}), ["qi2"])

    def test_at_most_four_readings(self):
        self.assertEqual(g.readings_of(PROPS["和"]), ["he2", "he4", "hu2", "huo2"])


class ResolveTest(unittest.TestCase):
    def test_tone_from_the_first_matching_reading(self):
        self.assertEqual(g.resolve("肚子疼", ["du", "zi", "teng"], PROPS, "t"),
                         ["du4", "zi3", "teng2"])
        self.assertEqual(g.resolve("肚", ["du3"], PROPS, "t"), ["du3"])
        self.assertEqual(g.resolve("绿", ["lv"], PROPS, "t"), ["lv4"])
        self.assertEqual(g.resolve("绿", ["lu"], PROPS, "t"), ["lu4"])

    def test_mistakes_are_reported(self):
        for word, syllables in [("肚子", ["du"]), ("杜", ["tu"]), ("杜", ["du3"]),
                                ("未", ["wei"])]:
            with self.assertRaises(g.InputError, msg=word):
                g.resolve(word, syllables, PROPS, "t")


class ListFileTest(unittest.TestCase):
    def write(self, text):
        handle = tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, encoding="utf-8")
        handle.write(text)
        handle.close()
        self.addCleanup(os.remove, handle.name)
        return handle.name

    def test_bad_words(self):
        path = self.write("# comment\n肚子疼 du zi teng  # 杜子腾\n\n乐子 yue zi\n")
        self.assertEqual(g.bad_words(path, PROPS), ["肚子疼\tdu4 zi3 teng2", "乐子\tyue4 zi3"])
        for text in ["肚子 du zi\n肚子 du zi\n", "肚 du\n", "肚子疼肚子 du zi teng du zi\n"]:
            with self.assertRaises(g.InputError, msg=text):
                g.bad_words(self.write(text), PROPS)

    def test_surname_readings_need_tones(self):
        self.assertEqual(g.surname_readings(self.write("单 shan4\n万俟 mo4 qi2\n"), PROPS),
                         ["单\tshan4", "万俟\tmo4 qi2"])
        for text in ["单 shan\n", "单 dan4\n", "单 shan4\n单 shan4\n"]:
            with self.assertRaises(g.InputError, msg=text):
                g.surname_readings(self.write(text), PROPS)


class CharacterSetTest(unittest.TestCase):
    def test_standard_table_levels_and_size(self):
        props = {chr(0x4E00 + n): {"kTGH": f"2013:{n}"} for n in range(1, 8106)}
        table = g.standard_table(props)
        self.assertEqual([level for _, level in table[3499:3501]], [1, 2])
        self.assertEqual([level for _, level in table[6499:6501]], [2, 3])
        del props[chr(0x4E00 + 5)]
        with self.assertRaises(g.InputError):
            g.standard_table(props)


if __name__ == "__main__":
    unittest.main()
