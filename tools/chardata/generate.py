#!/usr/bin/python3
"""Builds the character data of the name engine from Unicode's Unihan database:

    data/strokes.txt       the stroke dictionary (33 lists)
    data/traditional.txt   the simplified/traditional pairs
    data/elements.txt      the five element character lists
    data/strokes_added.txt the counts of the characters names use that the 33 lists lack
    data/typed_forms.txt   the variants and further traditional forms a name may be typed in

Run from anywhere:  python3 tools/chardata/generate.py [--unihan DIR] [--data DIR] [--check]
The output depends only on the Unihan files, the tables beside this script and the curated lists
of tools/candidates. When it writes into the repository's data/ folder it also renews the
generated part of README.md; with --check it writes nothing and compares instead.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import added  # noqa: E402
import elements  # noqa: E402
import pairs  # noqa: E402
import report  # noqa: E402
import strokes  # noqa: E402
from tables import NameLists, read_keep_own, read_name_characters  # noqa: E402
from unihan import Unihan  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def text(lines):
    return "".join(line + "\n" for line in lines)


def write(path, lines):
    with open(path, "w", encoding="utf-8", newline="\n") as handle:
        handle.write(text(lines))


def differs(path, lines):
    """Whether the file at `path` is missing or holds other text than `lines`."""
    try:
        with open(path, encoding="utf-8", newline="") as handle:
            return handle.read() != text(lines)
    except FileNotFoundError:
        return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--unihan", default="/usr/share/unicode",
                        help="folder with the Unihan_*.txt(.bz2) files")
    parser.add_argument("--data", default=os.path.join(ROOT, "data"), help="output folder")
    parser.add_argument("--check", action="store_true",
                        help="write nothing; exit 1 when a file in the output folder (or the "
                             "generated part of README.md) differs from what would be written")
    args = parser.parse_args()

    uh = Unihan(args.unihan)
    keep_own = read_keep_own()
    names = read_name_characters()
    name_lists = NameLists()
    simple, trad, pair_report = pairs.build(
        uh, keep_own, set(names) | name_lists.curated | name_lists.surname_chars,
        name_lists.unsuitable)
    pair_traditionals = set(trad)
    stroke_lists, stroke_report = strokes.build(uh, keep_own, pair_traditionals,
                                                pair_report["shown"], names, name_lists)
    element_lists, element_report = elements.build(
        uh, pair_traditionals - set(simple),
        set(names) | name_lists.curated | name_lists.surname_chars)
    with_element = set("".join(element_lists))
    missing = [c for c in names if c not in with_element]
    if missing:
        raise SystemExit(f"name characters without an element: {''.join(missing)}")

    added.check_surnames(simple, trad, keep_own, name_lists.surname_chars)
    with open(os.path.join(ROOT, "data", "standard_chars.txt"), encoding="utf-8") as handle:
        levels = handle.read().split("\n")
    counter = strokes.Counter(uh, keep_own, pair_report["shown"])
    added_lists, typed_lines, added_report = added.build(
        uh, counter, stroke_lists, simple, trad, pair_report["shown"], levels[0] + levels[1])

    outputs = {"strokes.txt": stroke_lists[1:],
               "traditional.txt": [",".join(simple), ",".join(trad)],
               "elements.txt": element_lists,
               "strokes_added.txt": added_lists[1:],
               "typed_forms.txt": typed_lines}
    readme = os.path.join(os.path.dirname(os.path.abspath(__file__)), "README.md")
    own_data = os.path.abspath(args.data) == os.path.join(ROOT, "data")
    if args.check:
        status = 0
        for name, lines in outputs.items():
            if differs(os.path.join(args.data, name), lines):
                print(f"{os.path.join(args.data, name)} differs from what the generator builds",
                      file=sys.stderr)
                status = 1
        if own_data and os.path.exists(readme) and report.readme_differs(
                readme, uh, pair_report, stroke_report, element_report):
            print(f"{readme}: the generated part differs from this run", file=sys.stderr)
            status = 1
        return status
    for name, lines in outputs.items():
        write(os.path.join(args.data, name), lines)
    if own_data and os.path.exists(readme):
        report.update_readme(readme, uh, pair_report, stroke_report, element_report)
    return 0


if __name__ == "__main__":
    sys.exit(main())
