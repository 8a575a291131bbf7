#!/usr/bin/python3
"""Tests of the names from the classics, the grade tables and the graded lists of generate.py,
and of the shipped table data/names.tsv against the committed extract of the classical texts.

Run: /usr/bin/python3 -m unittest discover -s tools/candidates -p 'test_*.py'
"""

import pathlib
import tempfile
import unittest

import generate as g

ROOT = pathlib.Path(__file__).resolve().parent.parent.parent


def clause_holds(clause, name):
    """Whether the clause holds the name's two characters in order, at most one between."""
    return any(clause[i] == name[0] and name[1] in clause[i + 1:i + 3]
               for i in range(len(clause)))


class ClausesTest(unittest.TestCase):
    def test_split_at_punctuation_and_paragraphs(self):
        self.assertEqual(g.clauses("青青子衿，悠悠我心。纵我不往｜子宁不嗣音？"),
                         ["青青子衿", "悠悠我心", "纵我不往", "子宁不嗣音"])
        self.assertEqual(g.clauses("子曰：“学而时习之，不亦说乎？”"),
                         ["子曰", "学而时习之", "不亦说乎"])
        self.assertEqual(g.clauses("，。"), [])
        self.assertEqual(g.clauses("明月"), ["明月"])


class ClassicalNamesTest(unittest.TestCase):
    PIECES = [
        ("唐诗三百首", "唐·王维《山居秋暝》", 10, "明月松间照，清泉石上流。"),
        ("诗经", "《诗经·郑风·子衿》", 0, "青青子衿，悠悠我心。"),
        ("楚辞", "《楚辞·九歌·湘夫人》", 0, "沅有芷兮澧有兰，思公子兮未敢言。"),
        ("唐诗三百首", "唐·李白《静夜思》", 99, "举头望明月，低头思故乡。"),
        ("宋词三百首", "宋·无名氏《某》", 0, "明清白，死别明月"),
    ]
    NAME_CHARS = set("明月松清泉青子心悠芷兰思公言")

    def test_pairs_in_order_adjacent_or_one_between(self):
        names = g.classical_names(self.PIECES, self.NAME_CHARS, {"死"})
        self.assertEqual(set(names), {
            "明月", "明松", "月松", "清泉",           # 明月松间照 (间 照 are no name characters)
            "青青", "青子", "悠悠", "悠心",           # 青青子衿 悠悠我心
            "思公", "思子", "公子",                   # 思公子兮未敢言
            "明清"})                                  # 明清白 (死别明月 is spoilt)
        self.assertNotIn("月明", names)   # never against the order of the text
        self.assertNotIn("松清", names)   # never across two clauses
        self.assertNotIn("子心", names)

    def test_gap_rule_exactly(self):
        names = g.classical_names([("诗经", "《诗经》", 0, "明甲月乙丙清")], set("明月清"), set())
        self.assertEqual(set(names), {"明月"})  # 月 and 清 have two between

    def test_a_verse_line_is_quoted_whole_prose_by_its_clause(self):
        self.assertEqual(g.sentences("青青子衿，悠悠我心。纵我不往｜子宁不嗣音？"),
                         ["青青子衿，悠悠我心", "纵我不往", "子宁不嗣音"])
        rows = [
            ("青青子衿，悠悠我心", True),
            ("青青子衿", False),                       # one clause: the clause says it all
            ("子曰：“学而时习之，不亦说乎", False),     # prose with its speaker and quotes
            ("明月松间照，清泉石上流，竹喧归浣女，莲动下渔舟，随意春芳歇", False),  # too long
            ("明月别枝惊鹊，清风半夜鸣蝉", True),
            ("青青河畔草，死生亦何如", False),          # a bad character elsewhere in the line
        ]
        for sentence, whole in rows:
            with self.subTest(sentence=sentence):
                self.assertEqual(g.quotable(sentence, set("死")), whole)
        names = g.classical_names([("诗经", "《诗经·郑风·子衿》", 0, "青青子衿，悠悠我心。")],
                                  set("子衿悠心"), set())
        self.assertEqual(names["子衿"], [("《诗经·郑风·子衿》", "青青子衿，悠悠我心")])

    def test_a_bad_character_spoils_its_clause_only(self):
        names = g.classical_names(self.PIECES, self.NAME_CHARS, {"死"})
        self.assertNotIn("宋·无名氏《某》", [w for w, _ in names["明月"]])
        self.assertEqual(names["明清"], [("宋·无名氏《某》", "明清白")])  # the other clause

    def test_sources_best_known_first_at_most_three(self):
        names = g.classical_names(self.PIECES, self.NAME_CHARS, {"死"})
        # 诗经 before 楚辞 before 唐诗 (by collection), then the more popular piece
        self.assertEqual([w for w, _ in names["明月"]],
                         ["唐·李白《静夜思》", "唐·王维《山居秋暝》"])
        many = [("诗经", f"《诗经·{i}》", 0, "明月") for i in range(5)]
        self.assertEqual(len(g.classical_names(many, set("明月"), set())["明月"]),
                         g.MAX_SOURCES)
        twice = [("诗经", "《诗经·甲》", 0, "明月，明月。明月")]  # the same line once
        self.assertEqual(g.classical_names(twice, set("明月"), set())["明月"],
                         [("《诗经·甲》", "明月"), ("《诗经·甲》", "明月，明月")])

    def test_a_title_that_holds_the_name_comes_first_in_its_collection(self):
        pieces = [("诗经", "《诗经·召南·草虫》", 0, "言采其薇"),
                  ("诗经", "《诗经·小雅·采薇》", 0, "采薇采薇"),
                  ("楚辞", "《楚辞·采薇》", 0, "采薇")]
        names = g.classical_names(pieces, set("采薇"), set())
        self.assertEqual([w for w, _ in names["采薇"]],
                         ["《诗经·小雅·采薇》", "《诗经·召南·草虫》", "《楚辞·采薇》"])

    def test_names_come_in_the_order_of_their_best_source(self):
        names = list(g.classical_names(self.PIECES, self.NAME_CHARS, {"死"}))
        self.assertLess(names.index("悠心"), names.index("明月"))  # 诗经 first

    def test_every_source_holds_its_name(self):
        names = g.classical_names(self.PIECES, self.NAME_CHARS, {"死"})
        for name, sources in names.items():
            for work, clause in sources:
                with self.subTest(name=name, work=work):
                    self.assertTrue(clause_holds(clause, name))


class GradesTest(unittest.TestCase):
    def read(self, text):
        with tempfile.TemporaryDirectory() as directory:
            path = pathlib.Path(directory) / "grades.tsv"
            path.write_text(text, encoding="utf-8")
            return g.read_grades(path)

    def test_table_round_trip(self):
        grades = self.read("子衿\t1\t\n建国\t2\n德达\t3\t无意义\n")
        self.assertEqual(grades, {"子衿": (1, ""), "建国": (2, ""), "德达": (3, "无意义")})
        # names in code point order: 子 U+5B50, 建 U+5EFA, 德 U+5FB7
        self.assertEqual(g.format_grades(grades), "子衿\t1\n建国\t2\n德达\t3\t无意义\n")
        self.assertEqual(self.read(g.format_grades(grades)), grades)

    def test_bad_lines_are_refused(self):
        for text in ("德达\t3\n", "德达\t4\tx\n", "德达\n", "三个字\t1\n", "子衿\t1\n子衿\t2\n"):
            with self.subTest(text=text), self.assertRaises(g.InputError):
                self.read(text)

    def test_dated_names_at_grade_2_at_best(self):
        dated = {"建国"}
        self.assertEqual(g.shipped_grade("建国", 1, dated), 2)
        self.assertEqual(g.shipped_grade("桂英", 1, dated), 2)   # 英 ends it
        self.assertEqual(g.shipped_grade("桂英", 3, dated), 3)
        self.assertEqual(g.shipped_grade("英", 1, dated), 1)     # one character
        self.assertEqual(g.shipped_grade("子衿", 1, dated), 1)


    def test_dated_real_names_ship_last_and_only_a_share(self):
        # 100 good names and 20 dated real ones, with a made pair and a rejected name in the style
        good = [f"好{i}" for i in range(100)]
        dated = [f"旧{i}" for i in range(20)]
        pool = dated[:10] + good + ["旧造", "旧拒"] + dated[10:]
        grades = {n: 1 if n.startswith("好1") else 2 for n in pool}
        grades["旧拒"] = 3
        kind = {n: "generated" if n == "旧造" else "real" for n in pool}
        for share, kept in ((0.08, 8), (0.25, 20), (0.0, 0)):
            tiers = g.shipped_tiers(pool, grades.get, lambda n: n.startswith("旧"), kind, share)
            self.assertEqual(tiers[0], [n for n in good if n.startswith("好1")])
            self.assertEqual(tiers[1], [n for n in good if not n.startswith("好1")])
            self.assertEqual(tiers[2], dated[:kept])   # the first of the pool, the most used
        # the files ship none
        self.assertEqual(g.shipped_tiers(pool, grades.get, lambda n: n.startswith("旧"), kind)[2],
                         [])


class CuratedFilesTest(unittest.TestCase):
    def write(self, directory, name, text):
        path = pathlib.Path(directory) / name
        path.write_text(text, encoding="utf-8")
        return path

    def test_bad_characters_with_reasons(self):
        with tempfile.TemporaryDirectory() as d:
            path = self.write(d, "bad.txt", "# why\n死 death\n泣 weeping # tears\n\n")
            self.assertEqual(g.read_reasons(path), {"死": "death", "泣": "weeping"})
            for text in ("死\n", "死亡 death\n", "死 a\n死 b\n"):
                with self.subTest(text=text), self.assertRaises(g.InputError):
                    g.read_reasons(self.write(d, "bad.txt", text))

    def test_modern_characters_for_each_file(self):
        with tempfile.TemporaryDirectory() as d:
            path = self.write(d, "modern.txt",
                              "female: 涵 欣\nmale: 浩 宇\neither: 梓 子 涵\nfemale: 妤\n")
            self.assertEqual(g.read_modern(path), {"F": list("涵欣妤梓子"), "M": list("浩宇梓子涵")})
            with self.assertRaises(g.InputError):
                g.read_modern(self.write(d, "modern.txt", "boys: 浩\n"))


class OrderTest(unittest.TestCase):
    def test_interleave_takes_in_turn(self):
        self.assertEqual(g.interleave([["a1", "a2", "a3"], ["b1"], [], ["c1", "c2"]]),
                         ["a1", "b1", "c1", "a2", "c2", "a3"])

    def test_varied_keeps_last_characters_apart(self):
        names = ["子轩", "浩轩", "宇轩", "明轩", "子涵", "浩宇"]
        placed = g.varied(names, window=3, most=1, lookahead=10)
        self.assertEqual(sorted(placed), sorted(names))
        self.assertEqual(placed[:3], ["子轩", "子涵", "浩宇"])
        # where nothing else is at hand the order is kept
        self.assertEqual(g.varied(["甲轩", "乙轩"], window=3, most=1), ["甲轩", "乙轩"])

    def test_varied_bounds_every_window(self):
        names = [a + b for b in "轩涵宇泽辰" for a in "子浩明博思一"]
        placed = g.varied(names, window=5, most=2, lookahead=50)
        self.assertEqual(sorted(placed), sorted(names))
        # (towards the end only the last endings are left, and they must repeat)
        for start in range(10):
            ends = [n[-1] for n in placed[start:start + 5]]
            with self.subTest(start=start):
                self.assertLessEqual(max(ends.count(e) for e in set(ends)), 2)


class PoolTest(unittest.TestCase):
    def test_new_names_become_new_batches_only(self):
        class Fake:
            def __init__(self, pools):
                self.pools = pools
                self.grades = {"M": {"甲乙": (1, "")}, "F": {}}

            def pool_lines(self, sex):
                return self.pools[sex]

        with tempfile.TemporaryDirectory() as directory:
            directory = pathlib.Path(directory)
            old = g.BATCH_SIZE
            g.BATCH_SIZE = 2
            try:
                first = g.write_pool(Fake({"M": ["甲乙", "丙丁\t丙丁之诗", "戊"],
                                           "F": ["己"]}), directory)
                self.assertEqual(first, ["batch_M_01.txt", "batch_F_01.txt"])
                self.assertEqual((directory / "batch_M_01.txt").read_text(encoding="utf-8"),
                                 "丙丁\t丙丁之诗\n戊\n")   # 甲乙 is graded already
                before = (directory / "batch_M_01.txt").read_bytes()
                second = g.write_pool(Fake({"M": ["戊", "丙丁", "庚", "辛", "壬"],
                                            "F": ["己"]}), directory)
                self.assertEqual(second, ["batch_M_02.txt", "batch_M_03.txt"])
                self.assertEqual((directory / "batch_M_01.txt").read_bytes(), before)
                self.assertEqual((directory / "batch_M_02.txt").read_text(encoding="utf-8"),
                                 "庚\n辛\n")
                self.assertEqual((directory / "pool_M.txt").read_text(encoding="utf-8"),
                                 "戊\n丙丁\n庚\n辛\n壬\n")
            finally:
                g.BATCH_SIZE = old

    def test_merge_keeps_earlier_grades(self):
        with tempfile.TemporaryDirectory() as directory:
            directory = pathlib.Path(directory)
            tables = {"M": directory / "grades_M.tsv", "F": directory / "grades_F.tsv"}
            tables["M"].write_text("甲乙\t1\n", encoding="utf-8")
            (directory / "graded_M_01.tsv").write_text("甲乙\t3\t重\n丙丁\t2\t\n",
                                                       encoding="utf-8")
            (directory / "graded_F_01.tsv").write_text("己\t3\t生僻\n", encoding="utf-8")
            read = g.merge_graded(directory, tables)
            self.assertEqual(read, ["graded_M_01.tsv", "graded_F_01.tsv"])
            self.assertEqual(g.read_grades(tables["M"]), {"甲乙": (1, ""), "丙丁": (2, "")})
            self.assertEqual(g.read_grades(tables["F"]), {"己": (3, "生僻")})
            # a second reading: a 3 of either reading wins (marked), else the better grade
            tables["M"].write_text("甲乙\t1\n丙丁\t2\n庚\t1\n辛\t3\t生僻\n", encoding="utf-8")
            (directory / "graded_M_01.tsv").write_text(
                "甲乙\t3\t拗口\n丙丁\t1\t\n戊\t2\t\n庚\t2\t\n辛\t1\t\n", encoding="utf-8")
            g.merge_graded(directory, tables, reread=True)
            self.assertEqual(g.read_grades(tables["M"]),
                             {"甲乙": (3, "复读：拗口"), "丙丁": (1, ""), "戊": (2, ""),
                              "庚": (1, ""), "辛": (3, "生僻")})
            # a rescue reading lifts a rejected name it accepts and changes nothing else
            (directory / "graded_M_01.tsv").write_text("甲乙\t2\t\n丙丁\t3\t怪\n辛\t3\t俗\n",
                                                       encoding="utf-8")
            g.merge_graded(directory, tables, rescue=True)
            self.assertEqual(g.read_grades(tables["M"]),
                             {"甲乙": (2, ""), "丙丁": (1, ""), "戊": (2, ""),
                              "庚": (1, ""), "辛": (3, "生僻")})


class ShippedTableTest(unittest.TestCase):
    """data/names.tsv against the committed extract: every source quotes a clause of its work's
    text that holds both characters of the name in order."""

    TABLE = ROOT / "data" / g.NAMES_TABLE

    @unittest.skipUnless(TABLE.exists(), "data/names.tsv is not generated yet")
    def test_every_source_is_quoted_from_its_work(self):
        clauses_of = {}
        for _, work, _, text in g.read_classics(g.CLASSICS):
            quotes = clauses_of.setdefault(work, set())
            quotes.update(g.clauses(text))
            quotes.update(g.sentences(text))
        lines = self.TABLE.read_text(encoding="utf-8").splitlines()
        self.assertTrue(lines)
        quoted = 0
        for number, line in enumerate(lines, 1):
            fields = line.split("\t")
            with self.subTest(line=number):
                self.assertEqual(len(fields), 5)
                name, sex, grade, work, clause = fields
                self.assertIn(len(name), (1, 2))
                self.assertIn(sex, ("M", "F", "both"))
                self.assertIn(grade, ("1", "2"))
                self.assertEqual(bool(work), bool(clause))
                if work:
                    quoted += 1
                    self.assertIn(clause, clauses_of.get(work, set()))
                    self.assertTrue(any(clause_holds(part, name) for part in g.clauses(clause)))
        self.assertGreater(quoted, 0)

    @unittest.skipUnless(TABLE.exists(), "data/names.tsv is not generated yet")
    def test_the_table_names_every_name_of_both_files(self):
        table = {}
        for line in self.TABLE.read_text(encoding="utf-8").splitlines():
            name, sex = line.split("\t")[:2]
            table[name] = sex
        for sex in "MF":
            lines = (ROOT / "data" / f"{sex}.dat").read_bytes().decode("gbk").split("\r\n")
            names = [n for n in lines[1:] if n]
            with self.subTest(file=sex):
                self.assertEqual(set(names), {n for n, s in table.items() if s in (sex, "both")})


if __name__ == "__main__":
    unittest.main()
