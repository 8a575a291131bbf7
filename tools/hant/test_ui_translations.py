#!/usr/bin/python3
"""Tests of ui_translations.py: the conversion of the window's strings and the catalogue it writes.

Run: /usr/bin/python3 -m unittest discover -s tools/hant -p 'test_*.py'
"""

import os
import tempfile
import unittest
import xml.etree.ElementTree as ET

import ui_translations as u


class ConversionTest(unittest.TestCase):
    def test_lines_convert_one_by_one_and_keep_their_breaks(self):
        self.assertEqual(u.convert_all(["诺伦取名\n版本 %1\n按五格数理评判姓名"]),
                         ["諾倫取名\n版本 %1\n按五格數理評判姓名"])

    def test_the_reviewed_terms_win_over_opencc(self):
        # OpenCC alone writes 藏幹 and 醜時; the overrides keep the stem and the branch.
        self.assertEqual(u.convert_all(["藏干", "丑时", "开始测算"]), ["藏干", "丑時", "開始測算"])

    def test_no_text_no_conversion(self):
        self.assertEqual(u.convert_all([]), [])
        self.assertEqual(u.convert_all([""]), [""])


class CatalogueTest(unittest.TestCase):
    def test_contexts_group_their_messages_and_text_is_escaped(self):
        text = u.catalogue([("A", "甲<乙>&"), ("A", "丙"), ("B", "丁")],
                           ["甲<乙>&", "丙", "丁"])
        root = ET.fromstring(text.split("\n", 2)[2])
        contexts = root.findall("context")
        self.assertEqual([c.findtext("name") for c in contexts], ["A", "B"])
        self.assertEqual([m.findtext("source") for m in contexts[0].iter("message")],
                         ["甲<乙>&", "丙"])
        self.assertEqual(root.get("language"), "zh_Hant")
        self.assertEqual(root.get("sourcelanguage"), "zh_CN")

    def test_extract_finds_tr_and_its_class_context(self):
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "w.h"), "w", encoding="utf-8") as f:
                f.write("#include <QObject>\nnamespace n {\nclass W : public QObject {\n"
                        "    Q_OBJECT\npublic:\n    void f();\n};\n}\n")
            with open(os.path.join(folder, "w.cpp"), "w", encoding="utf-8") as f:
                f.write('#include "w.h"\nnamespace n {\nvoid W::f() { tr("选项"); }\n'
                        'void g() { QCoreApplication::translate("n::Other", "帮助"); }\n}\n')
            messages = u.extract(u.LUPDATE, folder)
        self.assertIn(("n::W", "选项"), messages)
        self.assertIn(("n::Other", "帮助"), messages)

    def test_the_committed_catalogue_translates_every_string_as_the_table(self):
        root = ET.parse(u.OUTPUT).getroot()
        sources = [m.findtext("source") for m in root.iter("message")]
        translations = [m.findtext("translation") for m in root.iter("message")]
        self.assertGreater(len(sources), 100)
        self.assertEqual(translations, u.convert_all(sources))
        # 简体 names itself in its own characters and is no translatable string.
        self.assertNotIn("简体", sources)


if __name__ == "__main__":
    unittest.main()
