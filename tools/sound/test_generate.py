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
    def test_usual_reading_is_the_standard_dictionarys_most_counted(self):
        for props, expected in [
            # the dictionary's reading wins over kMandarin's (罗 luō, 卓 zhuō)
            ({"kMandarin": "luō", "kTGHZ2013": "238.030:luó"}, "luo2"),
            # among several, the one kHanyuPinlu counts most
            ({"kMandarin": "xìng", "kHanyuPinlu": "xìng(499) xīng(164)",
              "kTGHZ2013": "408.020:xīng 409.120:xìng"}, "xing4"),
            # none counted: kMandarin's if the dictionary has it, else the dictionary's first
            ({"kMandarin": "jìng", "kTGHZ2013": "180.170:jìng 221.170:liàng"}, "jing4"),
            ({"kMandarin": "dào", "kTGHZ2013": "361.080:tāo"}, "tao1"),
            # a count of a reading the dictionary lacks does not decide
            ({"kMandarin": "zhēng", "kHanyuPinlu": "zhēng(15)", "kTGHZ2013": "1:zhèng"},
             "zheng4"),
            # outside the dictionary: kHanyuPinlu's most counted, then kMandarin's first
            ({"kMandarin": "bǎi bó", "kHanyuPinlu": "bǎi(1) bó(3)"}, "bo2"),
            ({"kMandarin": "zhā"}, "zha1"),
            ({}, None),
        ]:
            self.assertEqual(g.usual_reading(props), expected, props)

    def test_neutral_tone_gives_way(self):
        self.assertEqual(g.readings_of(PROPS["子"]), ["zi3"])
        self.assertEqual(g.readings_of({"kMandarin": "lei"}), ["lei5"])

    def test_only_readings_common_in_names_follow(self):
        self.assertEqual(g.readings_of(PROPS["乐"]), ["le4", "yue4"])
        # 和 hè and hú are rare: hé alone
        self.assertEqual(g.readings_of({"kMandarin": "hé", "kHanyuPinlu": "hé(9513) hè(9)",
                                        "kTGHZ2013": "1:hé 2:hè 3:hú"}), ["he2"])
        self.assertEqual(g.readings_of(PROPS["单"]), ["dan1"])
        self.assertEqual(g.readings_of({}), [])

    def test_name_reading_comes_first_and_keeps_the_usual_one(self):
        xing = {"kMandarin": "xìng", "kHanyuPinlu": "xìng(499) xīng(164)",
                "kTGHZ2013": "408.020:xīng 409.120:xìng"}
        self.assertEqual(g.readings_of(xing), ["xing4", "xing1"])
        self.assertEqual(g.readings_of(xing, "xing1"), ["xing1", "xing4"])
        self.assertEqual(g.readings_of({"kMandarin": "jìng", "kTGHZ2013": "1:jìng 2:liàng"},
                                       "liang4"), ["liang4", "jing4"])


class SyllableCheckTest(unittest.TestCase):
    def test_readings_must_be_known(self):
        self.assertEqual(g.check_syllables("肚子疼", ["du4", "zi5", "teng2"], PROPS, "t", True),
                         ["du4", "zi5", "teng2"])
        self.assertEqual(g.check_syllables("肚", ["du3"], PROPS, "t"), ["du3"])
        self.assertEqual(g.check_syllables("绿", ["lu4"], PROPS, "t"), ["lu4"])

    def test_mistakes_are_reported(self):
        for word, syllables, neutral in [
                ("肚子", ["du4"], True),       # too few syllables
                ("杜", ["tu4"], True),         # not a reading of the character
                ("杜", ["du3"], True),         # a tone the character does not have
                ("杜", ["du"], True),          # no tone at all
                ("未", ["wei4"], True),        # a character Unihan does not read
                ("子", ["zi5"], False),        # a neutral tone where none is allowed
                ("子", ["za5"], True)]:        # neutral, but letters of no reading
            with self.assertRaises(g.InputError, msg=f"{word} {syllables}"):
                g.check_syllables(word, syllables, PROPS, "t", neutral)


class ListFileTest(unittest.TestCase):
    def write(self, text):
        handle = tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, encoding="utf-8")
        handle.write(text)
        handle.close()
        self.addCleanup(os.remove, handle.name)
        return handle.name

    def test_bad_words_with_strong_marks(self):
        path = self.write("# comment\n肚子疼 du4 zi5 teng2 !  # 杜子腾\n\n乐子 le4 zi5\n")
        self.assertEqual(g.bad_words(path, PROPS),
                         (["肚子疼\tdu4 zi5 teng2", "乐子\tle4 zi5"], ["肚子疼"]))
        for text in ["肚子 du4 zi5\n肚子 du4 zi5\n", "肚 du4\n", "肚子 du zi\n",
                     "肚子疼肚子 du4 zi5 teng2 du4 zi5\n", "肚子 ! du4 zi5\n"]:
            with self.assertRaises(g.InputError, msg=text):
                g.bad_words(self.write(text), PROPS)

    def test_surname_readings_need_tones(self):
        self.assertEqual(g.surname_readings(self.write("单 shan4\n万俟 mo4 qi2\n"), PROPS),
                         ["单\tshan4", "万俟\tmo4 qi2"])
        for text in ["单 shan\n", "单 dan4\n", "单 shan4\n单 shan4\n", "子 zi5\n"]:
            with self.assertRaises(g.InputError, msg=text):
                g.surname_readings(self.write(text), PROPS)

    def test_name_readings_by_character_and_by_word(self):
        path = self.write("乐 yue4  # music\n单乐 chan2 yue4\n")
        self.assertEqual(g.name_readings(path, PROPS), ({"乐": "yue4"}, ["单乐\tchan2 yue4"]))
        for text in ["乐 yue4\n乐 le4\n", "乐 lao4\n", "单乐子 dan1 le4 zi3\n"]:
            with self.assertRaises(g.InputError, msg=text):
                g.name_readings(self.write(text), PROPS)


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
