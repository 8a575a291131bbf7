#!/usr/bin/python3
"""Tests of extract_classics.py on a small hand-made package of the same layout as
chinese-poetry 2.0.1.

Run: /usr/bin/python3 -m unittest discover -s tools/candidates -p 'test_*.py'
"""

import json
import pathlib
import shutil
import tempfile
import unittest

import extract_classics as x
import generate as g

FILES = {
    "shijing/shijing.json": [
        {"title": "子衿", "chapter": "国风", "section": "郑风",
         "content": ["青青子衿，悠悠我心。", "纵我不往，子宁不嗣音？"]},
        {"title": "采薇", "chapter": "小雅", "section": "鹿鸣之什", "content": ["采薇采薇。"]},
    ],
    "chuci/chuci.json": [
        {"title": "离骚", "section": "离骚", "author": "屈原", "content": ["帝高阳之苗裔兮。"]},
        {"title": "湘夫人", "section": "九歌", "author": "屈原", "content": ["沅有芷兮澧有兰。"]},
        {"title": "哀时命", "section": "哀时命", "author": "庄忌", "content": ["哀时命。"]},
    ],
    "mengxue/tangshisanbaishou.json": {"title": "唐詩三百首", "content": [
        {"type": "五言律詩", "content": [
            {"chapter": "山居秋暝", "subchapter": None, "author": "王維",
             "paragraphs": ["明月松間照，清泉石上流。"]}]}]},
    "songci/宋词三百首.json": [
        {"author": "苏轼", "rhythmic": "水调歌头", "paragraphs": ["明月几时有。"],
         "tags": ["宋词三百首"]}],
    "mengxue/qianjiashi.json": {"title": "千家詩", "author": "", "content": [
        {"type": "五言絕句", "content": [
            {"chapter": "春眠", "author": "（唐）孟浩然", "paragraphs": ["春眠不覺曉。"]},
            {"chapter": "題壁", "author": "無名氏", "paragraphs": ["一團茅草亂蓬蓬。"]},
            {"chapter": "曲江", "author": "（唐）杜甫", "paragraphs": [
                {"subchapter": "其一", "paragraphs": ["一片花飛減卻春。"]},
                {"subchapter": "其二", "paragraphs": ["朝回日日典春衣。"]}]}]}]},
    "lunyu/lunyu.json": [{"chapter": "学而篇", "paragraphs": ["子曰：“学而时习之。”"]}],
    "sishuwujing/mengzi.json": [{"chapter": "梁惠王上", "paragraphs": ["孟子見梁惠王。"]}],
    "sishuwujing/daxue.json": {"chapter": "大學", "paragraphs": ["大學之道，在明明德。"]},
    "sishuwujing/zhongyong.json": {"chapter": "中庸", "paragraphs": ["天命之謂性。"]},
    "rank/poet/poet.tang.rank.0.json": [
        {"author": "王維", "title": "山居秋暝", "baidu": 120, "google": 5}],
    "rank/ci/ci.song.rank.0.json": [
        {"author": "苏轼", "rhythmic": "水调歌头", "baidu": 70},
        {"author": "苏轼", "rhythmic": "水调歌头", "baidu": 90}],
}


@unittest.skipUnless(shutil.which("opencc"), "Debian's opencc is not installed")
class ExtractTest(unittest.TestCase):
    def setUp(self):
        self.directory = tempfile.TemporaryDirectory()
        self.package = pathlib.Path(self.directory.name)
        (self.package / "package.json").write_text(
            json.dumps({"name": "chinese-poetry", "version": "2.0.1"}), encoding="utf-8")
        for relative, content in FILES.items():
            path = self.package / "dist" / relative
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(json.dumps(content, ensure_ascii=False), encoding="utf-8")

    def tearDown(self):
        self.directory.cleanup()

    def rows(self):
        lines = x.build(self.package).splitlines()
        self.assertEqual(lines[0], x.HEADER)
        return [line.split("\t") for line in lines[1:]]

    def test_works_are_cited_as_readers_know_them(self):
        works = [row[1] for row in self.rows()]
        self.assertEqual(works, [
            "《诗经·郑风·子衿》", "《诗经·小雅·采薇》",
            "《楚辞·离骚》", "《楚辞·九歌·湘夫人》", "《楚辞·哀时命》",
            "唐·王维《山居秋暝》", "宋·苏轼《水调歌头》",
            "唐·孟浩然《春眠》", "无名氏《题壁》", "唐·杜甫《曲江》", "唐·杜甫《曲江》",
            "《论语·学而》", "《孟子·梁惠王上》", "《大学》", "《中庸》"])

    def test_text_is_simplified_and_paragraphs_joined(self):
        rows = {row[1]: row for row in self.rows()}
        self.assertEqual(rows["唐·王维《山居秋暝》"][5], "明月松间照，清泉石上流。")
        self.assertEqual(rows["《诗经·郑风·子衿》"][5], "青青子衿，悠悠我心。｜纵我不往，子宁不嗣音？")
        self.assertEqual(rows["《大学》"][5], "大学之道，在明明德。")
        self.assertEqual([r[5] for r in self.rows() if r[1] == "唐·杜甫《曲江》"],
                         ["一片花飞减却春。", "朝回日日典春衣。"])   # one row per part

    def test_author_dynasty_and_popularity(self):
        rows = {row[1]: row for row in self.rows()}
        self.assertEqual(rows["唐·王维《山居秋暝》"][2:5], ["王维", "唐", "120"])
        self.assertEqual(rows["宋·苏轼《水调歌头》"][4], "90")      # the highest of its entries
        self.assertEqual(rows["《楚辞·离骚》"][2:4], ["屈原", "战国"])
        self.assertEqual(rows["《楚辞·哀时命》"][3], "汉")
        self.assertEqual(rows["无名氏《题壁》"][2:4], ["无名氏", ""])

    def test_the_generator_reads_what_the_extractor_writes(self):
        path = self.package / "texts.tsv"
        path.write_text(x.build(self.package), encoding="utf-8")
        pieces = g.read_classics(path)
        self.assertEqual(len(pieces), 15)
        names = g.classical_names(pieces, set("明月清泉青子悠心"), set())
        # 唐诗三百首 comes before 宋词三百首, whatever the popularity
        self.assertEqual(names["明月"], [("唐·王维《山居秋暝》", "明月松间照，清泉石上流"),
                                         ("宋·苏轼《水调歌头》", "明月几时有")])

    def test_another_package_is_refused(self):
        (self.package / "package.json").write_text(
            json.dumps({"name": "chinese-poetry", "version": "2.0.0"}), encoding="utf-8")
        with self.assertRaises(x.ExtractError):
            x.build(self.package)


class IntegrityTest(unittest.TestCase):
    def test_integrity_of_a_file(self):
        with tempfile.NamedTemporaryFile() as f:
            f.write(b"abc")
            f.flush()
            self.assertEqual(x.tarball_integrity(pathlib.Path(f.name)),
                             "sha512-3a81oZNherrMQXNJriBBMRLm+k6JqX6iCp7u5ktV05ohkpkqJ0/BqDa6PCOj/"
                             "uu9RU1EI2Q86A4qmslPpUyknw==")


if __name__ == "__main__":
    unittest.main()
