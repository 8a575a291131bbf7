#!/usr/bin/python3
"""Tests of zhuyin.py: the spelling rules on syllables of every kind, and the whole table.

Run: /usr/bin/python3 -m unittest discover -s tools/sound -p 'test_*.py'
"""

import os
import unittest

import zhuyin as z


class SpellingTest(unittest.TestCase):
    def test_syllables_of_every_kind(self):
        rows = [
            # initial and simple rime
            ("ba", "ㄅㄚ"), ("de", "ㄉㄜ"), ("gou", "ㄍㄡ"), ("feng", "ㄈㄥ"), ("kang", "ㄎㄤ"),
            # bo po mo fo: the o is no medial; uo is
            ("bo", "ㄅㄛ"), ("mo", "ㄇㄛ"), ("duo", "ㄉㄨㄛ"), ("lo", "ㄌㄛ"),
            # apical vowels are not written
            ("zhi", "ㄓ"), ("chi", "ㄔ"), ("shi", "ㄕ"), ("ri", "ㄖ"), ("zi", "ㄗ"), ("ci", "ㄘ"),
            ("si", "ㄙ"),
            # shortened finals
            ("liu", "ㄌㄧㄡ"), ("gui", "ㄍㄨㄟ"), ("dun", "ㄉㄨㄣ"),
            # ü after j q x y, and written v after n l
            ("ju", "ㄐㄩ"), ("que", "ㄑㄩㄝ"), ("xuan", "ㄒㄩㄢ"), ("jun", "ㄐㄩㄣ"), ("lv", "ㄌㄩ"),
            ("nve", "ㄋㄩㄝ"), ("lu", "ㄌㄨ"),
            # y and w spellings
            ("yi", "ㄧ"), ("ya", "ㄧㄚ"), ("ye", "ㄧㄝ"), ("yo", "ㄧㄛ"), ("yai", "ㄧㄞ"),
            ("yao", "ㄧㄠ"), ("you", "ㄧㄡ"), ("yan", "ㄧㄢ"), ("yin", "ㄧㄣ"), ("yang", "ㄧㄤ"),
            ("ying", "ㄧㄥ"), ("yong", "ㄩㄥ"), ("yu", "ㄩ"), ("yue", "ㄩㄝ"), ("yuan", "ㄩㄢ"),
            ("yun", "ㄩㄣ"), ("wu", "ㄨ"), ("wa", "ㄨㄚ"), ("wo", "ㄨㄛ"), ("wai", "ㄨㄞ"),
            ("wei", "ㄨㄟ"), ("wan", "ㄨㄢ"), ("wen", "ㄨㄣ"), ("wang", "ㄨㄤ"), ("weng", "ㄨㄥ"),
            # medials with rimes
            ("xiao", "ㄒㄧㄠ"), ("ming", "ㄇㄧㄥ"), ("jiong", "ㄐㄩㄥ"), ("hong", "ㄏㄨㄥ"),
            ("zhuang", "ㄓㄨㄤ"), ("lin", "ㄌㄧㄣ"), ("dia", "ㄉㄧㄚ"), ("biang", "ㄅㄧㄤ"),
            # syllables without an initial, and the nasal ones
            ("a", "ㄚ"), ("o", "ㄛ"), ("e", "ㄜ"), ("ê", "ㄝ"), ("ei", "ㄟ"), ("er", "ㄦ"),
            ("ang", "ㄤ"), ("m", "ㄇ"), ("n", "ㄋ"), ("ng", "ㄫ"), ("hm", "ㄏㄇ"), ("hng", "ㄏㄫ"),
        ]
        for letters, expected in rows:
            self.assertEqual(z.zhuyin(letters), expected, letters)

    def test_what_fits_no_rule_is_refused(self):
        for letters in ("wong", "x", "bx", "ZHI", "zhiu", "jer", ""):
            with self.assertRaises(z.RuleError, msg=letters):
                z.zhuyin(letters)

    def test_split_undoes_the_spellings(self):
        self.assertEqual(z.split_syllable("yong"), ("", "iong"))
        self.assertEqual(z.split_syllable("ju"), ("j", "v"))
        self.assertEqual(z.split_syllable("gui"), ("g", "uei"))
        self.assertEqual(z.split_syllable("zhi"), ("zh", ""))
        self.assertEqual(z.split_syllable("wu"), ("", "u"))

    def test_readings_lose_their_tone_marks_only(self):
        self.assertEqual(z.toneless("lǜ"), "lv")
        self.assertEqual(z.toneless("zhōng"), "zhong")
        self.assertEqual(z.toneless("ế"), "ê")
        self.assertEqual(z.toneless("Nǚ"), "nv")


class TableTest(unittest.TestCase):
    def test_two_syllables_never_share_a_spelling_and_data_must_be_covered(self):
        with self.assertRaises(SystemExit):
            z.build({"ba"}, {"ba", "xiao"})  # xiao is not in the table
        self.assertEqual(z.build({"ba", "wong"}, {"ba"}), {"ba": "ㄅㄚ"})
        self.assertEqual(z.render({"xiao": "ㄒㄧㄠ", "ba": "ㄅㄚ"}), "ba\tㄅㄚ\nxiao\tㄒㄧㄠ\n")

    @unittest.skipUnless(os.path.exists(z.UNIHAN_READINGS), "needs Debian's unicode-data")
    def test_every_syllable_of_the_sound_data_is_spelt(self):
        needed = z.data_syllables()
        self.assertGreater(len(needed), 400)
        table = z.build(z.unihan_syllables(), needed)
        self.assertTrue(needed <= set(table))
        self.assertEqual(len(set(table.values())), len(table))


if __name__ == "__main__":
    unittest.main()
