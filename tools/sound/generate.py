#!/usr/bin/python3
"""Builds the sound data of the name analysis:

    data/readings.txt          Mandarin readings of every character the program knows
    data/surname_readings.txt  surnames read otherwise than their characters' usual reading
    data/standard_chars.txt    the general standard character table and GB 2312
    data/bad_words.txt         words that a name must not sound like, with their readings

Run from anywhere:  python3 tools/sound/generate.py [--unihan DIR] [--data DIR] [--check]

Sources: Unicode's Unihan database (Debian's unicode-data, under the Unicode licence) for the
readings and the two character sets; our own lists surname_readings.txt and bad_words.txt beside
this script for the rest. The characters are those of data/strokes.txt, the general standard
table and GB 2312. The output depends on nothing else; --check writes nothing and exits with 1
when a file in the output folder differs from what the run builds.
"""

import argparse
import bz2
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

READING_FIELDS = ("kMandarin", "kHanyuPinlu", "kTGHZ2013", "kXHC1983", "kHanyuPinyin")
OTHER_FIELDS = ("kTGH", "kGB0")

# Standard-table numbers of the three levels (3,500 common, 3,000 further, 1,605 for names,
# places and terms).
LEVEL_BOUNDS = (3500, 6500, 8105)

# At most this many readings are kept per character: beyond them lie readings of old texts that
# nobody gives a name.
MAX_READINGS = 4


class InputError(Exception):
    pass


# ---------------------------------------------------------------- pinyin

def numbered(reading):
    """'zhōng' -> 'zhong1', 'lǜ' -> 'lv4', 'de' -> 'de5': letters (ü as v) and the tone digit."""
    tone = 5
    letters = []
    for ch in unicodedata.normalize("NFD", reading.strip().lower()):
        if ch == "\u0304":
            tone = 1
        elif ch == "\u0301":
            tone = 2
        elif ch == "\u030c":
            tone = 3
        elif ch == "\u0300":
            tone = 4
        elif ch == "\u0308":
            letters[-1] = "v"
        elif not unicodedata.combining(ch):
            letters.append(ch)
    word = "".join(letters)
    if not re.fullmatch(r"[a-z]+", word):
        raise InputError(f"not a pinyin syllable: {reading!r}")
    return f"{word}{tone}"


def toneless(syllable):
    return syllable.rstrip("012345")


def field_readings(field, value):
    """The readings a Unihan field gives, in its order."""
    if field == "kMandarin":
        return value.split()
    if field == "kHanyuPinlu":
        # 'lè(283) yuè(54)': most counted first
        found = re.findall(r"([^\s(]+)\((\d+)\)", value)
        return [r for r, _ in sorted(found, key=lambda item: -int(item[1]))]
    if field in ("kTGHZ2013", "kXHC1983", "kHanyuPinyin"):
        out = []
        for entry in value.split():
            out.extend(entry.split(":", 1)[1].split(","))
        return out
    raise ValueError(field)


def readings_of(props):
    """The readings of one character: the usual one (kMandarin) first, then the other readings
    of the modern dictionaries (kHanyuPinlu by count, kTGHZ2013, kXHC1983) and, only where these
    give none, of kHanyuPinyin. Names are read with full tones, so neutral-tone readings are dropped
    (子 zǐ, not zi) unless a character has no other."""
    usual = [numbered(r) for r in field_readings("kMandarin", props["kMandarin"])] \
        if "kMandarin" in props else []
    others = []
    for field in ("kHanyuPinlu", "kTGHZ2013", "kXHC1983"):
        if field in props:
            others.extend(numbered(r) for r in field_readings(field, props[field]))
    if not others and "kHanyuPinyin" in props:
        others.extend(numbered(r) for r in field_readings("kHanyuPinyin", props["kHanyuPinyin"]))
    out = []
    for r in usual[:1] + others + usual[1:]:
        if r not in out and not r.endswith("5"):
            out.append(r)
    if not out:
        out = (usual + others)[:1]
    return out[:MAX_READINGS]


def all_readings(props):
    """Every reading any field gives (for checking our lists against Unihan)."""
    out = set()
    for field in READING_FIELDS:
        if field in props:
            out.update(numbered(r) for r in field_readings(field, props[field]))
    return out


# ---------------------------------------------------------------- Unihan

def read_unihan(directory):
    props = {}
    wanted = set(READING_FIELDS) | set(OTHER_FIELDS)
    for name in ("Unihan_Readings", "Unihan_OtherMappings"):
        path = os.path.join(directory, name + ".txt")
        handle = open(path, encoding="utf-8") if os.path.exists(path) \
            else bz2.open(path + ".bz2", "rt", encoding="utf-8")
        with handle:
            for line in handle:
                if line.startswith("#") or not line.strip():
                    continue
                code, field, value = line.rstrip("\n").split("\t", 2)
                if field in wanted:
                    props.setdefault(chr(int(code[2:], 16)), {})[field] = value
    return props


def standard_table(props):
    """The general standard table in its order, as (character, level)."""
    table = []
    for ch, p in props.items():
        if "kTGH" in p:
            number = int(p["kTGH"].split(":")[1])
            level = next(i for i, bound in enumerate(LEVEL_BOUNDS, 1) if number <= bound)
            table.append((number, ch, level))
    table.sort()
    if len(table) != LEVEL_BOUNDS[-1] or [n for n, _, _ in table] != list(range(1, 8106)):
        raise InputError(f"the general standard table has {len(table)} characters, not 8,105")
    return [(ch, level) for _, ch, level in table]


def gb2312(props):
    chars = sorted((int(p["kGB0"]), ch) for ch, p in props.items()
                   if "kGB0" in p and 1601 <= int(p["kGB0"]) <= 8794)
    if len(chars) != 6763:
        raise InputError(f"GB 2312 has {len(chars)} characters, not 6,763")
    return [ch for _, ch in chars]


# ---------------------------------------------------------------- our lists

def list_lines(path):
    """(line number, fields) of a list file, comments and blank lines left out."""
    with open(path, encoding="utf-8") as handle:
        for number, line in enumerate(handle, 1):
            fields = line.split("#", 1)[0].split()
            if fields:
                yield number, fields


def resolve(word, syllables, props, where):
    """The numbered readings of `word` spelt by `syllables`: a syllable with a tone digit must be
    one of the character's readings; one without takes the first reading with those letters."""
    if len(syllables) != len(word):
        raise InputError(f"{where}: {word} has {len(word)} characters, "
                         f"but {len(syllables)} syllables are given")
    out = []
    for ch, syllable in zip(word, syllables):
        p = props.get(ch, {})
        ordered = readings_of(p) if "kMandarin" in p else []
        known = ordered + sorted(all_readings(p) - set(ordered))
        if syllable[-1].isdigit():
            match = [r for r in known if r == syllable]
        else:
            match = [r for r in known if toneless(r) == syllable]
        if not match:
            raise InputError(f"{where}: Unihan does not read {ch} as {syllable} "
                             f"(it gives {' '.join(known) or 'nothing'})")
        out.append(match[0])
    return out


def surname_readings(path, props):
    """Lines 'surname TAB readings'; every reading checked against Unihan."""
    out = []
    seen = set()
    for number, fields in list_lines(path):
        surname, syllables = fields[0], fields[1:]
        where = f"{os.path.basename(path)}:{number}"
        if surname in seen:
            raise InputError(f"{where}: {surname} is listed twice")
        if not 1 <= len(surname) <= 2:
            raise InputError(f"{where}: a surname has one or two characters")
        if not all(s[-1] in "1234" for s in syllables):
            raise InputError(f"{where}: a surname reading needs a tone digit 1 to 4")
        seen.add(surname)
        out.append(f"{surname}\t{' '.join(resolve(surname, syllables, props, where))}")
    return out


def bad_words(path, props):
    """Lines 'word TAB readings' in the list's order; duplicates are an error."""
    out = []
    seen = set()
    for number, fields in list_lines(path):
        word, syllables = fields[0], fields[1:]
        where = f"{os.path.basename(path)}:{number}"
        if word in seen:
            raise InputError(f"{where}: {word} is listed twice")
        if not 2 <= len(word) <= 4:
            raise InputError(f"{where}: a word has two to four characters")
        seen.add(word)
        out.append(f"{word}\t{' '.join(resolve(word, syllables, props, where))}")
    return out


def stroke_characters(path):
    with open(path, encoding="utf-8") as handle:
        return {ch for line in handle for ch in line.strip()}


# ---------------------------------------------------------------- build

def build(props, strokes_path, surname_path, words_path):
    standard = standard_table(props)
    gb = gb2312(props)
    chars = stroke_characters(strokes_path) | {ch for ch, _ in standard} | set(gb)
    readings = []
    missing = []
    for ch in sorted(chars):
        p = props.get(ch, {})
        r = readings_of(p) if "kMandarin" in p else []
        if not r:
            missing.append(ch)
            continue
        readings.append(f"{ch}\t{' '.join(r)}")
    if missing:
        raise InputError(f"characters without a Mandarin reading: {''.join(missing)}")
    surnames = surname_readings(surname_path, props)
    levels = ["".join(ch for ch, level in standard if level == k) for k in (1, 2, 3)]
    return {
        "readings.txt": readings,
        "surname_readings.txt": surnames,
        "standard_chars.txt": levels + ["".join(gb)],
        "bad_words.txt": bad_words(words_path, props),
    }


def text(lines):
    return "".join(line + "\n" for line in lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--unihan", default="/usr/share/unicode")
    parser.add_argument("--data", default=os.path.join(ROOT, "data"))
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    try:
        outputs = build(read_unihan(args.unihan), os.path.join(ROOT, "data", "strokes.txt"),
                        os.path.join(HERE, "surname_readings.txt"),
                        os.path.join(HERE, "bad_words.txt"))
    except InputError as error:
        print(f"generate.py: {error}", file=sys.stderr)
        return 2
    status = 0
    for name, lines in outputs.items():
        path = os.path.join(args.data, name)
        if args.check:
            try:
                with open(path, encoding="utf-8", newline="") as handle:
                    same = handle.read() == text(lines)
            except FileNotFoundError:
                same = False
            if not same:
                print(f"{path} differs from what the generator builds", file=sys.stderr)
                status = 1
        else:
            with open(path + ".tmp", "w", encoding="utf-8", newline="\n") as handle:
                handle.write(text(lines))
            os.replace(path + ".tmp", path)
    return status


if __name__ == "__main__":
    sys.exit(main())
