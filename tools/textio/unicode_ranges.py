#!/usr/bin/python3
"""Writes data/char_classes.txt: the classes of code points that the encoding judgement of textio/
weighs when it reads a file both as UTF-8 and as GB18030.

    /usr/bin/python3 tools/textio/unicode_ranges.py            # rewrite data/char_classes.txt
    /usr/bin/python3 tools/textio/unicode_ranges.py --check    # fail if it differs from a rerun

Sources, both of the Unicode Character Database (Debian's unicode-data, Unicode licence,
© Unicode, Inc.):

- UnicodeData.txt. A code point is unusual (class u) when its general category is Cn (unassigned,
  including the noncharacters), Co (private use), Cs (surrogates) or Cc (controls), or when it lies
  in the Box Drawing or Block Elements blocks (U+2500..U+259F): bytes of one encoding read as the
  other give such characters, text of names never does.
- Unihan_OtherMappings.txt, fields kTGH and kGB0: the characters of the general standard table
  (通用规范汉字表) that GB 2312 lacks are name characters (class n), as common in names as GB 2312's
  own: UTF-8 text of names holds them, while the other encoding's bytes read as UTF-8 or GB18030 give
  rare characters.

Output: one range per line: first and last code point in hexadecimal, the class; TAB between them,
ranges in ascending order, ranges of one class never touching each other.
"""

import argparse
import bz2
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from generated_file import write_or_check  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUTPUT = os.path.join(ROOT, "data", "char_classes.txt")
UNICODE_DATA = "/usr/share/unicode/UnicodeData.txt"
OTHER_MAPPINGS = "/usr/share/unicode/Unihan_OtherMappings.txt.bz2"
UNUSUAL_CATEGORIES = {"Cn", "Co", "Cs", "Cc"}
DRAWING_BLOCKS = (0x2500, 0x259F)


def categories(path=UNICODE_DATA):
    """The general category of every code point: a list of 0x110000 entries, Cn where unlisted."""
    result = ["Cn"] * 0x110000
    first = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split(";")
            cp, name, category = int(fields[0], 16), fields[1], fields[2]
            if name.endswith(", First>"):
                first = cp
                continue
            start = first if name.endswith(", Last>") else cp
            first = None
            for c in range(start, cp + 1):
                result[c] = category
    return result


def unusual_ranges(cats):
    ranges = []
    start = None
    for cp in range(0x110000):
        unusual = cats[cp] in UNUSUAL_CATEGORIES or DRAWING_BLOCKS[0] <= cp <= DRAWING_BLOCKS[1]
        if unusual and start is None:
            start = cp
        elif not unusual and start is not None:
            ranges.append((start, cp - 1))
            start = None
    if start is not None:
        ranges.append((start, 0x10FFFF))
    return ranges


def standard_beyond_gb2312(path=OTHER_MAPPINGS):
    """The code points that Unihan gives a kTGH entry but no kGB0 entry."""
    standard = set()
    gb2312 = set()
    with bz2.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == 3 and fields[1] in ("kTGH", "kGB0"):
                (standard if fields[1] == "kTGH" else gb2312).add(int(fields[0][2:], 16))
    return sorted(standard - gb2312)


def as_ranges(points):
    ranges = []
    for cp in points:
        if ranges and ranges[-1][1] + 1 == cp:
            ranges[-1] = (ranges[-1][0], cp)
        else:
            ranges.append((cp, cp))
    return ranges


def render(unusual, names):
    rows = [(a, b, "u") for a, b in unusual] + [(a, b, "n") for a, b in names]
    return "".join(f"{a:04X}\t{b:04X}\t{c}\n" for a, b, c in sorted(rows))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the file in data/")
    args = parser.parse_args()
    text = render(unusual_ranges(categories()), as_ranges(standard_beyond_gb2312()))
    return write_or_check(OUTPUT, text, args.check, "tools/textio/unicode_ranges.py")


if __name__ == "__main__":
    sys.exit(main())
