#!/usr/bin/python3
"""Builds ui/translations/norlune_zh_Hant.ts, the window's own strings for the traditional interface.

Run from anywhere:  python3 tools/hant/ui_translations.py [--check] [--lupdate PATH]

The strings are those of ui/ as Qt's lupdate (Debian's qt6-l10n-tools) extracts them: the texts of
tr() and QCoreApplication::translate(), written in Simplified Chinese. Each is converted with OpenCC
(the `opencc` command of Debian's opencc package, Apache-2.0) and its Taiwan set s2tw, the same set
the libraries' texts are converted with; the terms of tools/hant/overrides.txt (this field's terms
where the plain conversion is wrong) are written as that table gives them. The build compiles the
catalogue with lrelease and builds it into the program. --check writes nothing and exits with 1 when
the committed catalogue differs from a rerun.
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.dirname(HERE))

from generated_file import write_or_check  # noqa: E402

OUTPUT = os.path.join(ROOT, "ui", "translations", "norlune_zh_Hant.ts")
OVERRIDES = os.path.join(HERE, "overrides.txt")
OPENCC_CONFIG = "s2tw.json"
LUPDATE = "/usr/lib/qt6/bin/lupdate"


def read_overrides(path=OVERRIDES):
    """The reviewed terms: (simplified, traditional) pairs, longest simplified first. A line holds
    the two forms separated by a tab; '#' starts a comment. No file: no overrides."""
    pairs = []
    try:
        with open(path, encoding="utf-8") as f:
            for line in f:
                line = line.split("#", 1)[0].rstrip("\n")
                if not line.strip():
                    continue
                fields = [field.strip() for field in line.split("\t") if field.strip()]
                if len(fields) < 2:
                    raise ValueError(f"{path}: line without a traditional form: {line!r}")
                pairs.append((fields[0], fields[1]))
    except FileNotFoundError:
        return []
    pairs.sort(key=lambda pair: (-len(pair[0]), pair[0]))
    return pairs


def opencc_convert(texts):
    """Every text converted by one run of the opencc command. Each text travels as one JSON line,
    so that line ends inside a text survive (OpenCC leaves ASCII alone)."""
    if not texts:
        return []
    lines = "".join(json.dumps(text, ensure_ascii=False) + "\n" for text in texts)
    out = subprocess.run(["opencc", "-c", OPENCC_CONFIG], input=lines.encode("utf-8"),
                         stdout=subprocess.PIPE, check=True).stdout.decode("utf-8")
    converted = [json.loads(line) for line in out.splitlines()]
    if len(converted) != len(texts):
        raise RuntimeError("opencc returned another number of lines than it was given")
    return converted


def split_by_overrides(text, overrides):
    """The text as pieces: (piece, None) to convert, (simplified, traditional) for an override's
    term; at a position the longest term wins."""
    pieces = []
    plain = ""
    i = 0
    while i < len(text):
        for simplified, traditional in overrides:
            if simplified and text.startswith(simplified, i):
                if plain:
                    pieces.append((plain, None))
                    plain = ""
                pieces.append((simplified, traditional))
                i += len(simplified)
                break
        else:
            plain += text[i]
            i += 1
    if plain:
        pieces.append((plain, None))
    return pieces


def convert_all(texts, overrides):
    """The traditional form of every text: OpenCC for the plain pieces, the table for its terms."""
    split = [split_by_overrides(text, overrides) for text in texts]
    plain = [piece for pieces in split for piece, fixed in pieces if fixed is None]
    converted = iter(opencc_convert(plain))
    return ["".join(fixed if fixed is not None else next(converted) for _, fixed in pieces)
            for pieces in split]


def extract(lupdate):
    """The (context, source) pairs of the window's strings, in lupdate's order."""
    with tempfile.TemporaryDirectory() as tmp:
        ts = os.path.join(tmp, "extract.ts")
        subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none",
                        "-extensions", "cpp,h", "-no-recursive", "-I", ROOT,
                        "-source-language", "zh_CN", "-target-language", "zh_TW",
                        os.path.join(ROOT, "ui"), "-ts", ts],
                       check=True, stdout=subprocess.DEVNULL)
        tree = ET.parse(ts)
    messages = []
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            messages.append((name, message.findtext("source")))
    return messages


def catalogue(messages, translations):
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           "<!DOCTYPE TS>",
           '<TS version="2.1" language="zh_Hant" sourcelanguage="zh_CN">',
           "<!-- Generated by tools/hant/ui_translations.py from the strings of ui/ (OpenCC s2tw and"
           " tools/hant/overrides.txt); do not edit. -->"]
    current = None
    for (context, source), translation in zip(messages, translations):
        if context != current:
            if current is not None:
                out.append("</context>")
            out.append("<context>")
            out.append(f"    <name>{escape(context)}</name>")
            current = context
        out.append("    <message>")
        out.append(f"        <source>{escape(source)}</source>")
        out.append(f"        <translation>{escape(translation)}</translation>")
        out.append("    </message>")
    if current is not None:
        out.append("</context>")
    out.append("</TS>")
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--lupdate", default=LUPDATE)
    args = parser.parse_args()
    messages = extract(args.lupdate)
    translations = convert_all([source for _, source in messages], read_overrides())
    return write_or_check(OUTPUT, catalogue(messages, translations), args.check,
                          "tools/hant/ui_translations.py")


if __name__ == "__main__":
    sys.exit(main())
