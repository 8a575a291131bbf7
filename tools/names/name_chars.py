#!/usr/bin/python3
"""The 1,500 characters most used in Chinese given names: tools/names/top_name_chars.txt.

Source: the dictionary of jieba (Debian's python3-jieba, MIT licence),
/usr/lib/python3/dist-packages/jieba/dict.txt: one word a line, "word frequency tag". Its person
names (tags nr and nrfg) give the given names once the surname is taken off (the surnames of
tools/candidates/surnames.txt, double surnames first).

Rules:
- Only full names of three or four characters whose surname is known and whose given name has two
  characters count. Two-character entries of those tags are mostly titles and kin terms (王爷,
  张兄, 李村), not people.
- Transliterated foreign names are left out: every entry tagged nrt, every given name that occurs
  inside an nrt entry (the 克拉 of 克拉克), every given name made only of typical transliteration
  characters, and every given name with a character used more in transliteration than in Chinese
  given names. Of the characters that stand in at least 30 nrt entries, a character is typical of
  transliteration when its nrt entries are at least half as many as the given names it stands in
  (维 亚 纳 利 …; 德 and 安 are not), and it is used more in transliteration when they are at least
  as many (斯 尔 克 特 拉 罗 …).
- A character's weight is the number of given names it stands in; ties go to the higher summed
  frequency of those names, then to the lower code point.

    /usr/bin/python3 tools/names/name_chars.py           # write tools/names/top_name_chars.txt
    /usr/bin/python3 tools/names/name_chars.py --check   # exit 1 when the file differs from a rerun
"""
import argparse
import collections
import os
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
JIEBA_DICT = pathlib.Path("/usr/lib/python3/dist-packages/jieba/dict.txt")
SURNAMES = ROOT / "tools" / "candidates" / "surnames.txt"
OUTPUT = ROOT / "tools" / "names" / "top_name_chars.txt"
COUNT = 1500
MIN_FOREIGN_ENTRIES = 30
FOREIGN_SHARE = 0.5


def is_han(text):
    return bool(text) and all(
        "\u3400" <= c <= "\u9fff" or "\U00020000" <= c <= "\U0003134f" for c in text)


def read_surnames(path):
    """Single and double surnames: whitespace-separated tokens, "#" starts a comment."""
    single, double = set(), set()
    for line in path.read_text(encoding="utf-8").splitlines():
        for token in line.split("#", 1)[0].split():
            if len(token) == 1:
                single.add(token)
            elif len(token) == 2:
                double.add(token)
            else:
                raise SystemExit(f"{path}: a surname has one or two characters: {token}")
    return single, double


def read_dictionary(path):
    """(word, frequency, tag) in file order."""
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            fields = line.split()
            if len(fields) != 3 or not fields[1].isdigit():
                raise SystemExit(f"{path}:{number}: not 'word frequency tag'")
            yield fields[0], int(fields[1]), fields[2]


def given_name(full_name, single, double):
    """The two-character given name of a three- or four-character full name, or None."""
    if len(full_name) == 4 and full_name[:2] in double:
        return full_name[2:]
    if len(full_name) == 3 and full_name[0] in single:
        return full_name[1:]
    return None


def top_characters(entries, single, double, count=COUNT):
    """The `count` characters most used in the given names of the entries, most used first."""
    foreign_chars = collections.Counter()
    foreign_pairs = set()
    names = []
    for word, frequency, tag in entries:
        if not is_han(word):
            continue
        if tag == "nrt":
            foreign_chars.update(set(word))
            foreign_pairs.update(word[i:i + 2] for i in range(len(word) - 1))
        elif tag in ("nr", "nrfg"):
            given = given_name(word, single, double)
            if given is not None:
                names.append((given, frequency))
    in_names = collections.Counter()
    for given, _ in names:
        in_names.update(set(given))
    frequent = {c for c, n in foreign_chars.items() if n >= MIN_FOREIGN_ENTRIES}
    typical = {c for c in frequent if foreign_chars[c] >= FOREIGN_SHARE * in_names[c]}
    foreign_only = {c for c in frequent if foreign_chars[c] >= in_names[c]}
    weight = collections.Counter()
    frequency_sum = collections.Counter()
    for given, frequency in names:
        if (given in foreign_pairs or all(c in typical for c in given)
                or any(c in foreign_only for c in given)):
            continue
        for c in set(given):
            weight[c] += 1
            frequency_sum[c] += frequency
    ranked = sorted(weight, key=lambda c: (-weight[c], -frequency_sum[c], ord(c)))
    return ranked[:count]


def render(chars):
    header = ("# The characters most used in Chinese given names, most used first, one a line.\n"
              "# Written by tools/names/name_chars.py from jieba's dictionary; do not edit.\n")
    return header + "".join(c + "\n" for c in chars)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="write nothing; exit 1 when the file differs from a rerun")
    parser.add_argument("--dictionary", type=pathlib.Path, default=JIEBA_DICT)
    parser.add_argument("--output", type=pathlib.Path, default=OUTPUT)
    args = parser.parse_args(argv)
    single, double = read_surnames(SURNAMES)
    chars = top_characters(read_dictionary(args.dictionary), single, double)
    if len(chars) < COUNT:
        raise SystemExit(f"only {len(chars)} characters found, {COUNT} wanted")
    text = render(chars)
    if args.check:
        if not args.output.exists() or args.output.read_text(encoding="utf-8") != text:
            print(f"{args.output} differs from a rerun of tools/names/name_chars.py",
                  file=sys.stderr)
            return 1
        return 0
    tmp = args.output.with_name(args.output.name + ".tmp")
    tmp.write_text(text, encoding="utf-8")
    os.replace(tmp, args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
