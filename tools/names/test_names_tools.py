"""Tests of name_chars.py and check_meanings.py on small hand-made inputs.

    /usr/bin/python3 -m unittest discover -s tools/names -p 'test_*.py'
"""
import pathlib
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

import check_meanings  # noqa: E402
import name_chars  # noqa: E402

SINGLE = {"王", "李", "马"}
DOUBLE = {"欧阳"}


class GivenNameTest(unittest.TestCase):
    def test_surnames_are_taken_off(self):
        cases = [
            ("王小明", "小明"),
            ("欧阳小明", "小明"),
            ("欧阳明", None),   # a double surname needs a four-character name
            ("王明", None),     # two characters: titles and kin terms, not counted
            ("赵小明", None),   # unknown surname
            ("王小明明", None),  # three-character given name
            ("欧阳", None),
        ]
        for full, given in cases:
            with self.subTest(full=full):
                self.assertEqual(name_chars.given_name(full, SINGLE, DOUBLE), given)


class TopCharactersTest(unittest.TestCase):
    def entries(self):
        rows = [
            ("王子涵", 5, "nr"), ("李子轩", 3, "nr"), ("王涵宇", 2, "nrfg"), ("李宇", 9, "nr"),
            ("王宇航", 1, "nr"),
            ("欧阳子墨", 1, "nr"),
            ("王爷", 99, "nr"),        # too short
            ("王大明", 50, "ns"),      # not a person
            ("王小S", 50, "nr"),       # not Chinese
            # transliterations: tagged nrt, or inside an nrt entry, or made of typical characters
            ("克拉克", 9, "nrt"), ("王克拉", 9, "nr"), ("马斯特", 9, "nr"),
        ]
        # 斯 and 特 stand in thirty foreign entries and in no Chinese name: typical.
        rows += [("斯" + chr(0x4E00 + i) + "特", 1, "nrt") for i in range(30)]
        # 斯 is used more in transliteration: a name with it goes, whatever its other character.
        rows += [("李斯墨", 50, "nr"), ("王斯子", 50, "nr")]
        return rows

    def test_ranking(self):
        top = name_chars.top_characters(self.entries(), SINGLE, DOUBLE, count=10)
        # 子: three names; 涵 and 宇: two each, 涵 with the higher summed frequency (7 > 3);
        # 轩, 墨 and 航 one each, 轩 first by frequency, then 墨 before 航 by code point.
        self.assertEqual(top, ["子", "涵", "宇", "轩", "墨", "航"])

    def test_count_cuts_the_list(self):
        self.assertEqual(name_chars.top_characters(self.entries(), SINGLE, DOUBLE, count=2),
                         ["子", "涵"])

    def test_a_typical_character_alone_does_not_drop_a_name(self):
        # 维 stands in thirty foreign entries and in forty Chinese names: typical, not foreign
        # only. 维新 stays (新 is no transliteration character); 维斯 and 维维 go.
        rows = [("维" + chr(0x4E00 + i) + "卡", 1, "nrt") for i in range(30)]
        rows += [("王" + chr(0x5000 + i) + "维", 1, "nr") for i in range(40)]
        rows += [("王维新", 9, "nr"), ("李维维", 9, "nr")]
        top = name_chars.top_characters(rows, SINGLE, DOUBLE, count=100)
        self.assertIn("新", top)
        self.assertNotIn("卡", top)
        self.assertEqual(top[0], "维")

    def test_a_chinese_character_in_foreign_names_stays(self):
        # 安 stands in thirty foreign entries but in more Chinese given names: not typical.
        rows = [("安" + chr(0x4E00 + i) + "娜", 1, "nrt") for i in range(30)]
        rows += [("王安" + chr(0x5000 + i), 1, "nr") for i in range(70)]
        top = name_chars.top_characters(rows, SINGLE, DOUBLE, count=1)
        self.assertEqual(top, ["安"])

    def test_render_and_the_shipped_list(self):
        self.assertEqual(name_chars.render(["子", "涵"]).splitlines()[-2:], ["子", "涵"])
        shipped = name_chars.OUTPUT.read_text(encoding="utf-8").splitlines()
        chars = [line for line in shipped if not line.startswith("#")]
        self.assertEqual(len(chars), name_chars.COUNT)
        self.assertEqual(len(set(chars)), len(chars))
        self.assertTrue(all(len(c) == 1 and name_chars.is_han(c) for c in chars))
        for common in "明华文子伟涵":
            self.assertIn(common, chars)
        for foreign in "斯尔拉":
            self.assertNotIn(foreign, chars[:200])


class ParseMeaningsTest(unittest.TestCase):
    def faults(self, text):
        return check_meanings.parse_meanings(text, "t")[1]

    def test_good_text(self):
        meanings, faults = check_meanings.parse_meanings("子\t孩子\n涵\t包容，涵养深厚\n", "t")
        self.assertEqual(faults, [])
        self.assertEqual(meanings, {"子": "孩子", "涵": "包容，涵养深厚"})

    def test_faults(self):
        cases = [
            ("子\n", "not 'character TAB meaning'"),
            ("子\t孩子\t多\n", "not 'character TAB meaning'"),
            ("\n", "not 'character TAB meaning'"),
            ("子女\t孩子\n", "not one Chinese character"),
            ("a\t字母\n", "not one Chinese character"),
            ("子\t\n", "empty meaning"),
            ("子\t 孩子\n", "blanks at an end"),
            ("子\t" + "好" * 33 + "\n", "meaning of 33 characters"),
            ("子\t孩子，即child\n", "ASCII letters"),
            ("子\t孩子\n子\t儿子\n", "given twice"),
            ("涵\t包容\n子\t孩子\n", "out of code-point order"),
            ("子\t孩子", "no line end"),
        ]
        for text, fault in cases:
            with self.subTest(text=text):
                found = self.faults(text)
                self.assertTrue(any(fault in f for f in found), found)

    def test_thirty_two_characters_are_allowed(self):
        self.assertEqual(self.faults("子\t" + "好" * 32 + "\n"), [])


class CoverageTest(unittest.TestCase):
    def test_missing_characters_are_named(self):
        faults = check_meanings.coverage_faults(
            {"子": "孩子"}, [("a", ["子", "涵"]), ("b", ["子"]), ("c", ["宇", "墨"])])
        self.assertEqual(faults, ["1 characters of a have no meaning: 涵",
                                  "2 characters of c have no meaning: 宇墨"])

    def test_candidate_file_characters(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = pathlib.Path(tmp) / "M.dat"
            path.write_bytes("3\r\n子涵\r\n 宇 \r\n涵\r\n".encode("gb18030"))
            self.assertEqual(check_meanings.candidate_characters(path), ["子", "涵", "宇"])

    def test_names_table_characters(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = pathlib.Path(tmp) / "names.tsv"
            path.write_text("# 注释\n子衿\tboth\t1\t《诗经》\t青青子衿\n清扬\tF\t1\t\t\n",
                            encoding="utf-8")
            self.assertEqual(check_meanings.names_characters(path), ["子", "衿", "清", "扬"])


class BuildTest(unittest.TestCase):
    def write(self, directory, name, text):
        path = pathlib.Path(directory) / name
        path.write_text(text, encoding="utf-8")
        return path

    def test_files_are_merged_in_code_point_order(self):
        with tempfile.TemporaryDirectory() as tmp:
            a = self.write(tmp, "a.tsv", "涵\t包容\n子\t孩子\n")
            b = self.write(tmp, "b.tsv", "宇\t屋宇\n子\t孩子")  # same line again, no last line end
            text, faults = check_meanings.build([a, b])
            self.assertEqual(faults, [])
            self.assertEqual(text, "子\t孩子\n宇\t屋宇\n涵\t包容\n")
            self.assertEqual(check_meanings.parse_meanings(text, "t")[1], [])

    def test_conflicts_and_bad_lines_are_faults(self):
        with tempfile.TemporaryDirectory() as tmp:
            a = self.write(tmp, "a.tsv", "子\t孩子\n")
            b = self.write(tmp, "b.tsv", "子\t儿子\n宇\tyu\n")
            _, faults = check_meanings.build([a, b])
            self.assertTrue(any("another meaning" in f for f in faults), faults)
            self.assertTrue(any("ASCII letters" in f for f in faults), faults)


if __name__ == "__main__":
    unittest.main()
