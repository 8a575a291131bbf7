#!/usr/bin/python3
"""Checks data/char_meanings.tsv, the meanings of name characters that we write ourselves.

Format: UTF-8, one line a character, "character TAB meaning", lines in code-point order, no
character twice; a meaning has at most 32 characters, holds no ASCII letter and no TAB, and has no
blank at either end.
Coverage: every character of the candidate files data/M.dat and data/F.dat (GB18030, CR LF, a
count line first), of the names in data/names.tsv, and of tools/names/top_name_chars.txt (the
characters most used in given names, written by name_chars.py) has a meaning.

    /usr/bin/python3 tools/names/check_meanings.py                  # check; exit 1 on a fault
    /usr/bin/python3 tools/names/check_meanings.py --build A.tsv B.tsv ...
        # write data/char_meanings.tsv from meaning files in the same format (any order), then check
"""
import argparse
import os
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
MEANINGS = ROOT / "data" / "char_meanings.tsv"
CANDIDATE_FILES = (ROOT / "data" / "M.dat", ROOT / "data" / "F.dat")
NAMES = ROOT / "data" / "names.tsv"
TOP_CHARS = ROOT / "tools" / "names" / "top_name_chars.txt"
MAX_LENGTH = 32


def is_han(c):
    return ("\u3400" <= c <= "\u9fff" or "\uf900" <= c <= "\ufaff" or c == "\u3007"
            or "\U00020000" <= c <= "\U000323af")


def parse_meanings(text, where):
    """(dict character -> meaning, list of faults) of a meanings text."""
    meanings = {}
    faults = []
    previous = None
    for number, line in enumerate(text.split("\n"), 1):
        if line == "" and number == text.count("\n") + 1:
            break  # after the last line end
        place = f"{where}:{number}"
        fields = line.split("\t")
        if len(fields) != 2:
            faults.append(f"{place}: not 'character TAB meaning': {line!r}")
            continue
        char, meaning = fields
        if len(char) != 1 or not is_han(char):
            faults.append(f"{place}: not one Chinese character: {char!r}")
            continue
        if char in meanings:
            faults.append(f"{place}: {char} given twice")
            continue
        if not meaning or meaning != meaning.strip():
            faults.append(f"{place}: {char}: empty meaning or blanks at an end")
        if len(meaning) > MAX_LENGTH:
            faults.append(f"{place}: {char}: meaning of {len(meaning)} characters, "
                          f"at most {MAX_LENGTH}")
        if any("a" <= c.lower() <= "z" for c in meaning):
            faults.append(f"{place}: {char}: ASCII letters in the meaning")
        if any(ord(c) < 0x20 for c in meaning):
            faults.append(f"{place}: {char}: control character in the meaning")
        if previous is not None and char < previous:
            faults.append(f"{place}: {char} out of code-point order")
        previous = char
        meanings[char] = meaning
    if text and not text.endswith("\n"):
        faults.append(f"{where}: the last line has no line end")
    return meanings, faults


def candidate_characters(path):
    """The characters of a candidate file in order of first use."""
    text = path.read_bytes().decode("gb18030")
    chars = {}
    for line in text.split("\r\n")[1:]:
        for c in line.strip():
            chars.setdefault(c)
    return list(chars)


def names_characters(path):
    chars = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            for c in line.split("\t", 1)[0]:
                chars.setdefault(c)
    return list(chars)


def listed_characters(path):
    return [line.strip() for line in path.read_text(encoding="utf-8").splitlines()
            if line.strip() and not line.startswith("#")]


def required_characters():
    """(source name, characters) that must all have a meaning."""
    required = [(p.relative_to(ROOT).as_posix(), candidate_characters(p))
                for p in CANDIDATE_FILES]
    if NAMES.exists():
        required.append((NAMES.relative_to(ROOT).as_posix(), names_characters(NAMES)))
    required.append((TOP_CHARS.relative_to(ROOT).as_posix(), listed_characters(TOP_CHARS)))
    return required


def coverage_faults(meanings, required):
    faults = []
    for source, chars in required:
        missing = [c for c in chars if c not in meanings]
        if missing:
            faults.append(f"{len(missing)} characters of {source} have no meaning: "
                          + "".join(missing))
    return faults


def build(paths):
    """The text of data/char_meanings.tsv from several meaning files, in code-point order."""
    merged = {}
    faults = []
    for path in paths:
        text = pathlib.Path(path).read_text(encoding="utf-8")
        if text and not text.endswith("\n"):
            text += "\n"
        lines = [line for line in text.split("\n")[:-1] if line.strip()]
        meanings, file_faults = parse_meanings(
            "".join(line + "\n" for line in sorted(lines)), str(path))
        faults += [f for f in file_faults if "out of code-point order" not in f]
        for char, meaning in meanings.items():
            if char in merged and merged[char] != meaning:
                faults.append(f"{path}: {char} has another meaning in an earlier file")
            merged[char] = merged.get(char, meaning)
    return "".join(f"{c}\t{merged[c]}\n" for c in sorted(merged)), faults


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", nargs="+", metavar="FILE",
                        help="write data/char_meanings.tsv from these files first")
    args = parser.parse_args(argv)
    if args.build:
        text, faults = build(args.build)
        if faults:
            print("\n".join(faults), file=sys.stderr)
            return 1
        tmp = MEANINGS.with_name(MEANINGS.name + ".tmp")
        tmp.write_text(text, encoding="utf-8")
        os.replace(tmp, MEANINGS)
    meanings, faults = parse_meanings(MEANINGS.read_text(encoding="utf-8"), "data/char_meanings.tsv")
    faults += coverage_faults(meanings, required_characters())
    if faults:
        print("\n".join(faults), file=sys.stderr)
        return 1
    print(f"data/char_meanings.tsv: {len(meanings)} characters, all required ones covered")
    return 0


if __name__ == "__main__":
    sys.exit(main())
