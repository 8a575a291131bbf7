#!/usr/bin/python3
"""Builds the character data of the name engine from Unicode's Unihan database:

    data/strokes.txt       the stroke dictionary (33 lists)
    data/traditional.txt   the simplified/traditional pairs
    data/elements.txt      the five element character lists

Run from anywhere:  python3 tools/chardata/generate.py [--unihan DIR] [--data DIR]
The output depends only on the Unihan files and the tables beside this script. When it writes
into the repository's data/ folder it also renews the generated part of README.md.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import elements  # noqa: E402
import pairs  # noqa: E402
import report  # noqa: E402
import strokes  # noqa: E402
from tables import read_keep_own  # noqa: E402
from unihan import Unihan  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def write(path, lines):
    with open(path, "w", encoding="utf-8", newline="\n") as handle:
        handle.write("".join(line + "\n" for line in lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--unihan", default="/usr/share/unicode",
                        help="folder with the Unihan_*.txt(.bz2) files")
    parser.add_argument("--data", default=os.path.join(ROOT, "data"), help="output folder")
    args = parser.parse_args()

    uh = Unihan(args.unihan)
    keep_own = read_keep_own()
    simple, trad, pair_report = pairs.build(uh, keep_own)
    pair_traditionals = set(trad)
    stroke_lists, stroke_report = strokes.build(uh, keep_own, pair_traditionals,
                                                pair_report["first"])
    element_lists, element_report = elements.build(uh, pair_traditionals - set(simple))

    write(os.path.join(args.data, "strokes.txt"), stroke_lists[1:])
    write(os.path.join(args.data, "traditional.txt"), [",".join(simple), ",".join(trad)])
    write(os.path.join(args.data, "elements.txt"), element_lists)
    readme = os.path.join(os.path.dirname(os.path.abspath(__file__)), "README.md")
    if args.data == os.path.join(ROOT, "data") and os.path.exists(readme):
        report.update_readme(readme, uh, pair_report, stroke_report, element_report)


if __name__ == "__main__":
    main()
