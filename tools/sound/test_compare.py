#!/usr/bin/python3
"""Tests of the check against pinyin-pro: the table of differences and how it is judged.

Run: /usr/bin/python3 -m unittest discover -s tools/sound -p 'test_*.py'
"""

import os
import tempfile
import unittest
from unittest import mock

import compare as c


class TableTest(unittest.TestCase):
    def write(self, text):
        handle = tempfile.NamedTemporaryFile("w", suffix=".md", delete=False, encoding="utf-8")
        handle.write(text)
        handle.close()
        self.addCleanup(os.remove, handle.name)
        return handle.name

    def test_rows_are_read_between_the_marks(self):
        path = self.write(f"| 字 | 甲 | a1 | b1 | outside |\n{c.TABLE_START}\n"
                          "| kind | item | ours | pinyin-pro | reason |\n|---|---|---|---|---|\n"
                          "| 字 | 兴 | xing1 | xing4 | in names |\n"
                          f"| 词 | 朝阳 | zhao1 yang2 | chao2 yang2 | morning |\n{c.TABLE_END}\n")
        self.assertEqual(c.listed(path), {("字", "兴"): ("xing1", "xing4", "in names"),
                                          ("词", "朝阳"): ("zhao1 yang2", "chao2 yang2",
                                                         "morning")})

    def test_rows_of_unknown_kinds_are_no_rows(self):
        path = self.write(f"{c.TABLE_START}\n| kind | item | ours | pinyin-pro | reason |\n"
                          f"| 字 | 兴 | xing1 | xing4 | in names |\n| 甲 | 兴 | x1 | x2 | y |\n"
                          f"{c.TABLE_END}\n")
        self.assertEqual(list(c.listed(path)), [("字", "兴")])

    def test_a_row_needs_a_reason_and_the_table_its_marks(self):
        with self.assertRaises(ValueError):
            c.listed(self.write(f"{c.TABLE_START}\n| 字 | 兴 | xing1 | xing4 |  |\n{c.TABLE_END}\n"))
        with self.assertRaises(ValueError):
            c.listed(self.write("| 字 | 兴 | xing1 | xing4 | why |\n"))

    def test_the_committed_readme_holds_a_table(self):
        rows = c.listed()
        self.assertGreater(len(rows), 20)
        self.assertEqual(rows[("词", "朝阳")][0], "zhao1 yang2")
        self.assertEqual({kind for kind, _ in rows}, set(c.GROUPS))


class JudgementTest(unittest.TestCase):
    ours = {("字", "兴"): "xing1", ("字", "一"): "yi1", ("姓", "罗"): "luo2"}
    rows = {("字", "兴"): ("xing1", "xing4", "in names")}

    def test_everything_in_order(self):
        found = c.differences(self.ours, {("字", "兴"): "xing4", ("字", "一"): "yi1",
                                          ("姓", "罗"): "luo2"})
        self.assertEqual(found, {("字", "兴"): ("xing1", "xing4")})
        self.assertEqual(c.problems(self.ours, self.rows, found), [])
        self.assertEqual(c.problems(self.ours, self.rows), [])

    def test_each_kind_of_fault_is_named(self):
        # a new difference without a row
        found = {("字", "兴"): ("xing1", "xing4"), ("姓", "罗"): ("luo2", "luo1")}
        self.assertEqual(len(c.problems(self.ours, self.rows, found)), 1)
        # the library now agrees: the row is stale
        self.assertEqual(len(c.problems(self.ours, self.rows, {})), 1)
        # the library answers otherwise than the row says
        self.assertEqual(len(c.problems(self.ours, self.rows, {("字", "兴"): ("xing1", "xing2")})),
                         1)
        # without the library, a row whose own reading is no longer ours is still found
        self.assertEqual(len(c.problems({("字", "兴"): "xing4"}, self.rows)), 1)
        self.assertEqual(len(c.problems({}, self.rows)), 1)

    def test_neutral_tone_is_written_as_ours(self):
        self.assertEqual(c.numbered_neutral("ma0 ma2"), "ma5 ma2")

    def test_unavailable_library_still_checks_the_rows(self):
        outputs = {"readings.txt": ["兴\txing4 xing1"], "name_readings.txt": [],
                   "surname_readings.txt": [], "bad_words.txt": []}
        props = {"兴": {"kTGH": "2013:1"}}
        report = tempfile.TemporaryFile("w+", encoding="utf-8")
        self.addCleanup(report.close)
        with mock.patch.object(c, "install", side_effect=c.Unavailable("no npm")), \
                mock.patch.object(c, "listed", return_value=self.rows):
            status = c.check(outputs, props, "/nonexistent", report)
        report.seek(0)
        text = report.read()
        self.assertEqual(status, 1)  # 兴 is listed as xing1, but the data gives xing4
        self.assertIn("unavailable (no npm)", text)
        self.assertIn("the data gives xing4", text)


if __name__ == "__main__":
    unittest.main()
