#!/usr/bin/python3
"""Builds the sound data of the name analysis:

    data/readings.txt          Mandarin readings of every character the program knows, the
                               reading in names first
    data/name_readings.txt     words of given names that decide their characters' readings
    data/surname_readings.txt  surnames read otherwise than their characters' usual reading
    data/standard_chars.txt    the general standard character table and GB 2312
    data/bad_words.txt         words that a name must not sound like, with their readings
    data/strong_words.txt      the strong ones among them

Run from anywhere:  python3 tools/sound/generate.py [--unihan DIR] [--data DIR] [--check]

Sources: Unicode's Unihan database (Debian's unicode-data, under the Unicode licence), read with
tools/chardata/unihan.py, for the readings and the two character sets; our own lists
name_readings.txt, surname_readings.txt and bad_words.txt beside this script for the rest. The
characters are those of data/strokes.txt, the general standard table and GB 2312. The output
depends on nothing else; --check writes nothing and exits with 1 when a file in the output folder
differs from what the run builds, or when the readings differ from those of the independent
library pinyin-pro otherwise than README.md lists (compare.py).
"""

import argparse
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tools", "chardata"))
sys.path.insert(0, HERE)

import compare  # noqa: E402  (the check against an independent pinyin library)
from unihan import Unihan  # noqa: E402  (the character data's Unihan reader)

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


def pinlu_counts(props):
    """(reading, count) of kHanyuPinlu, most counted first, neutral-tone readings left out."""
    found = re.findall(r"([^\s(]+)\((\d+)\)", props.get("kHanyuPinlu", ""))
    counted = [(numbered(r), int(n)) for r, n in found]
    counted = [(r, n) for r, n in counted if not r.endswith("5")]
    return sorted(counted, key=lambda item: -item[1])


def usual_reading(props):
    """The reading a character has where nothing else decides: among the readings of the 2013
    standard dictionary (kTGHZ2013) the one counted most in kHanyuPinlu, else kMandarin's if the
    dictionary has it, else the dictionary's first; a character the dictionary does not hold
    takes kHanyuPinlu's most counted reading, else kMandarin's first. Neutral tones give way to a
    full one (子 zǐ)."""
    standard = []
    if "kTGHZ2013" in props:
        standard = [numbered(r) for r in field_readings("kTGHZ2013", props["kTGHZ2013"])]
    full = [r for r in standard if not r.endswith("5")]
    counted = [r for r, _ in pinlu_counts(props)]
    mandarin = [numbered(r) for r in field_readings("kMandarin", props["kMandarin"])] \
        if "kMandarin" in props else []
    if full:
        for r in counted + mandarin:
            if r in full:
                return r
        return full[0]
    for r in counted + [r for r in mandarin if not r.endswith("5")]:
        return r
    return (mandarin + standard)[0] if mandarin + standard else None


def readings_of(props, name_reading=None):
    """The readings of one character that the sound analysis uses: the usual reading first (the
    reading in names where the name-reading list gives one, `name_reading`), then the readings
    common enough to be heard in a name: the usual reading that a name reading displaced, and any
    reading counted for at least a tenth of the character's uses in kHanyuPinlu (乐 lè, yuè).
    Readings of old texts and rare senses are left out, so that no name is flagged through them."""
    usual = usual_reading(props)
    if usual is None:
        return []
    first = name_reading or usual
    out = [first]
    if usual not in out:
        out.append(usual)
    counted = pinlu_counts(props)
    total = sum(n for _, n in counted)
    for r, n in counted:
        if r not in out and n * 10 >= total:
            out.append(r)
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
    """The Unihan properties by character, read with the character data's reader."""
    return Unihan(directory, files=("Unihan_Readings", "Unihan_OtherMappings")).props


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


def check_syllables(word, syllables, props, where, neutral=False):
    """The numbered syllables of `word`, each checked against Unihan: a syllable with tone 1 to 4
    must be one of the character's readings; with `neutral`, tone 5 needs only its letters to be
    one (孙子 sun1 zi5)."""
    if len(syllables) != len(word):
        raise InputError(f"{where}: {word} has {len(word)} characters, "
                         f"but {len(syllables)} syllables are given")
    out = []
    for ch, syllable in zip(word, syllables):
        if not re.fullmatch(r"[a-z]+[1-5]", syllable) or \
                (syllable.endswith("5") and not neutral):
            raise InputError(f"{where}: {syllable} is no numbered syllable "
                             f"(letters, then a tone 1 to 4{' or 5' if neutral else ''})")
        known = all_readings(props.get(ch, {}))
        if syllable.endswith("5"):
            found = any(toneless(r) == toneless(syllable) for r in known)
        else:
            found = syllable in known
        if not found:
            raise InputError(f"{where}: Unihan does not read {ch} as {syllable} "
                             f"(it gives {' '.join(sorted(known)) or 'nothing'})")
        out.append(syllable)
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
        seen.add(surname)
        out.append(f"{surname}\t{' '.join(check_syllables(surname, syllables, props, where))}")
    return out


def name_readings(path, props):
    """The list of readings in given names: ({character: reading}, ['word TAB readings'])."""
    chars = {}
    words = []
    seen = set()
    for number, fields in list_lines(path):
        entry, syllables = fields[0], fields[1:]
        where = f"{os.path.basename(path)}:{number}"
        if entry in seen:
            raise InputError(f"{where}: {entry} is listed twice")
        if not 1 <= len(entry) <= 2:
            raise InputError(f"{where}: an entry is a character or a word of two")
        seen.add(entry)
        readings = check_syllables(entry, syllables, props, where)
        if len(entry) == 1:
            chars[entry] = readings[0]
        else:
            words.append(f"{entry}\t{' '.join(readings)}")
    return chars, words


def bad_words(path, props):
    """(lines 'word TAB readings', strong words) in the list's order; duplicates are an error."""
    out = []
    strong = []
    seen = set()
    for number, fields in list_lines(path):
        mark = fields[-1] == "!"
        if mark:
            fields = fields[:-1]
        word, syllables = fields[0], fields[1:]
        where = f"{os.path.basename(path)}:{number}"
        if word in seen:
            raise InputError(f"{where}: {word} is listed twice")
        if not 2 <= len(word) <= 4:
            raise InputError(f"{where}: a word has two to four characters")
        seen.add(word)
        out.append(f"{word}\t{' '.join(check_syllables(word, syllables, props, where, True))}")
        if mark:
            strong.append(word)
    return out, strong


def stroke_characters(path):
    with open(path, encoding="utf-8") as handle:
        return {ch for line in handle for ch in line.strip()}


# ---------------------------------------------------------------- build

def build(props, strokes_path, surname_path, words_path, names_path):
    standard = standard_table(props)
    gb = gb2312(props)
    chars = stroke_characters(strokes_path) | {ch for ch, _ in standard} | set(gb)
    in_names, name_words = name_readings(names_path, props)
    readings = []
    missing = []
    for ch in sorted(chars):
        r = readings_of(props.get(ch, {}), in_names.get(ch))
        if not r:
            missing.append(ch)
            continue
        readings.append(f"{ch}\t{' '.join(r)}")
    if missing:
        raise InputError(f"characters without a Mandarin reading: {''.join(missing)}")
    surnames = surname_readings(surname_path, props)
    levels = ["".join(ch for ch, level in standard if level == k) for k in (1, 2, 3)]
    words, strong = bad_words(words_path, props)
    return {
        "readings.txt": readings,
        "surname_readings.txt": surnames,
        "standard_chars.txt": levels + ["".join(gb)],
        "bad_words.txt": words,
        "strong_words.txt": strong,
        "name_readings.txt": name_words,
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
        props = read_unihan(args.unihan)
        outputs = build(props, os.path.join(ROOT, "data", "strokes.txt"),
                        os.path.join(HERE, "surname_readings.txt"),
                        os.path.join(HERE, "bad_words.txt"),
                        os.path.join(HERE, "name_readings.txt"))
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
    if args.check:
        status = max(status, compare.check(outputs, props, args.data))
    return status


if __name__ == "__main__":
    sys.exit(main())
