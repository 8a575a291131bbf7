#!/usr/bin/python3
"""Tests of generate.py's gathering of texts and derivation of phrase rows, on small inputs.

Run: /usr/bin/python3 -m unittest discover -s tools/hant -p 'test_*.py'
"""

import contextlib
import io
import unittest

import generate as g


class LiteralsTest(unittest.TestCase):
    def test_comments_and_character_literals_are_skipped(self):
        source = ('// 注释里的字\n'
                  'const char* a = "天格"; /* 块注释 "不算" */\n'
                  "char q = '\"'; auto b = u8\"人格\";\n"
                  'std::u32string c = U"金木水火土";\n')
        self.assertEqual(g.cxx_literals(source), ["天格", "人格", "金木水火土"])

    def test_escapes_and_line_breaks(self):
        self.assertEqual(g.cxx_literals(r'x = "第一行\n第二行\"引号\" \\ 完";'),
                         ["第一行", '第二行"引号" \\ 完'])

    def test_raw_strings_keep_their_lines(self):
        self.assertEqual(g.cxx_literals('x = R"(一行\n"二"行)";'), ["一行", '"二"行'])


class OverridesTest(unittest.TestCase):
    def test_every_occurrence_is_replaced_in_place(self):
        self.assertEqual(g.apply_overrides("天干与天干", "天幹與天幹", [("天干", "天干")]),
                         "天干與天干")

    def test_later_overrides_win_where_they_overlap(self):
        self.assertEqual(g.apply_overrides("相克服", "相剋服", [("相克", "相剋"), ("克服", "克服")]),
                         "相克服")

    def test_the_committed_overrides_are_well_formed(self):
        rows = g.read_overrides()
        self.assertGreater(len(rows), 40)
        for simple, trad in rows:
            self.assertEqual(len(simple), len(trad), simple)


class TableTest(unittest.TestCase):
    def test_longest_phrase_at_each_position_else_the_character(self):
        table = g.Table({"发": "發", "后": "後", "头": "頭"})
        table.add_phrase("头发", "頭髮")
        table.add_phrase("头发长", "頭髮長")
        table.add_phrase("后羿", "后羿")
        self.assertEqual(table.convert("后来后羿头发长头发发"), "後来后羿頭髮長頭髮發")

    def test_derive_adds_phrases_until_the_corpus_converts(self):
        texts = ["头发", "发展", "出发点", "毛发、羽毛"]
        expected = ["頭髮", "發展", "出發點", "毛髮、羽毛"]
        table = g.Table({"发": "發", "头": "頭", "展": "展", "点": "點"})
        g.derive(texts, expected, table, {"毛发"})
        for text, want in zip(texts, expected):
            self.assertEqual(table.convert(text), want)
        # An OpenCC word is chosen over a piece with punctuation.
        self.assertIn("毛发", table.phrases)
        self.assertNotIn("发、", table.phrases)

    def test_a_piece_converted_two_ways_asks_for_a_decision(self):
        table = g.Table({"升": "升"})
        said = io.StringIO()
        with self.assertRaises(SystemExit), contextlib.redirect_stderr(said):
            g.derive(["升天", "旭日升天"], ["昇天", "旭日升天"], table, set())
        self.assertIn("升天", said.getvalue())

    def test_the_window_reaches_left_first(self):
        table = g.Table({})
        always = lambda piece: True  # noqa: E731
        self.assertEqual(g.choose_window("外强中干", 3, table, always, set()), (2, 2))
        self.assertEqual(g.choose_window("干燥向阳", 0, table, always, set()), (0, 2))
        self.assertEqual(g.choose_window("干燥向阳", 0, table, always, {"干燥"}), (0, 2))
        self.assertEqual(g.choose_window("中干燥", 1, table, always, {"干燥"}), (1, 2))


if __name__ == "__main__":
    unittest.main()
