#!/usr/bin/python3
"""Writes data/zhuyin.txt: the 注音 (Bopomofo) spelling of every toneless pinyin syllable.

    /usr/bin/python3 tools/sound/zhuyin.py            # rewrite data/zhuyin.txt
    /usr/bin/python3 tools/sound/zhuyin.py --check    # fail if a rerun would change it

One line a syllable, sorted: the syllable as the sound data writes it (letters, ü as v, ê as ê),
a TAB, its 注音 without a tone mark:

    jiong<TAB>ㄐㄩㄥ

The syllables are those of the Mandarin readings in Unicode's Unihan database (Debian's
unicode-data, under the Unicode licence; the fields kMandarin, kTGHZ2013, kHanyuPinyin and
kXHC1983), which hold every syllable of standard Mandarin. Each is spelt in 注音 by the rules of the
two systems (below), not looked up anywhere; the script stops when a syllable does not fit the
rules, when two syllables would get the same spelling, or when a syllable of data/readings.txt,
data/name_readings.txt or data/surname_readings.txt is missing from the table.

The rules. A syllable is an initial and a final. Pinyin's spellings are undone first: y and w only
spell a final that begins with i, u or ü (ya = ia, yi = i, you = iou, yong = iong, yu = ü, wu = u,
wei = uei); after j, q, x and y a written u is ü; iu, ui and un are short for iou, uei and uen. The
initials map one to one (b ㄅ … s ㄙ); zhi chi shi ri zi ci si have no final in 注音 (ㄓ ㄔ ㄕ ㄖ ㄗ ㄘ
ㄙ). j q x come only before i and ü, g k h and the sibilants never, b p m f d t never before ü.
A final is an optional medial (i ㄧ, u ㄨ, ü ㄩ) and a rime (a ㄚ, o ㄛ, e ㄜ, ê ㄝ, ai ㄞ, ei ㄟ, ao
ㄠ, ou ㄡ, an ㄢ, en ㄣ, ang ㄤ, eng ㄥ, er ㄦ); after a medial e is ê (ie ㄧㄝ, üe ㄩㄝ), n is en (in
ㄧㄣ, ün ㄩㄣ) and ng is eng (ing ㄧㄥ); ong is ㄨㄥ and iong ㄩㄥ; the o of uo is written (ㄨㄛ), that
of bo po mo fo is not a medial (ㄅㄛ). The nasal syllables m, n, ng, hm and hng are spelt with ㄇ, ㄋ
and ㄫ. The tone marks (ˊ ˇ ˋ after the syllable, ˙ before it for the neutral tone, none for the
first tone) are put on by the program.
"""

import argparse
import bz2
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.dirname(HERE))
from generated_file import write_or_check  # noqa: E402

OUTPUT = os.path.join(ROOT, "data", "zhuyin.txt")
UNIHAN_READINGS = "/usr/share/unicode/Unihan_Readings.txt.bz2"
FIELDS = ("kMandarin", "kTGHZ2013", "kHanyuPinyin", "kXHC1983")
DATA_FILES = ("readings.txt", "name_readings.txt", "surname_readings.txt")

INITIALS = {
    "b": "ㄅ", "p": "ㄆ", "m": "ㄇ", "f": "ㄈ", "d": "ㄉ", "t": "ㄊ", "n": "ㄋ", "l": "ㄌ",
    "g": "ㄍ", "k": "ㄎ", "h": "ㄏ", "j": "ㄐ", "q": "ㄑ", "x": "ㄒ",
    "zh": "ㄓ", "ch": "ㄔ", "sh": "ㄕ", "r": "ㄖ", "z": "ㄗ", "c": "ㄘ", "s": "ㄙ",
}
MEDIALS = {"i": "ㄧ", "u": "ㄨ", "v": "ㄩ"}
RIMES = {
    "a": "ㄚ", "o": "ㄛ", "e": "ㄜ", "ê": "ㄝ", "ai": "ㄞ", "ei": "ㄟ", "ao": "ㄠ", "ou": "ㄡ",
    "an": "ㄢ", "en": "ㄣ", "ang": "ㄤ", "eng": "ㄥ", "er": "ㄦ",
}
# What a rime is written as after a medial: e is ê (ie, üe), n and ng are en and eng (in, ing, ün).
AFTER_MEDIAL = {"e": "ê", "n": "en", "ng": "eng"}
# The syllables that are a nasal alone, or h and a nasal.
NASALS = {"m": "ㄇ", "n": "ㄋ", "ng": "ㄫ", "hm": "ㄏㄇ", "hng": "ㄏㄫ"}
APICAL_INITIALS = {"zh", "ch", "sh", "r", "z", "c", "s"}
# Which initials go with which medials: j q x only before i and ü, the velars and sibilants never
# before them, the labials and d t never before ü; er takes no initial.
PALATALS = {"j", "q", "x"}
NO_FRONT_MEDIAL = {"g", "k", "h", "zh", "ch", "sh", "r", "z", "c", "s"}
NO_V_MEDIAL = {"b", "p", "m", "f", "d", "t"}
# Spellings of Unihan that are no syllable of standard pinyin and are left out of the table: wong,
# given by kHanyuPinyin for two characters of Extension B (U+25948, U+259B7), for weng.
OUTSIDE_THE_RULES = {"wong"}


class RuleError(Exception):
    pass


def split_syllable(letters):
    """(initial, full final) of a syllable, pinyin's shortened spellings undone: 'yong' gives
    ('', 'iong'), 'ju' ('j', 'v'), 'gui' ('g', 'uei'), 'zhi' ('zh', '')."""
    initial = ""
    for candidate in ("zh", "ch", "sh", "y", "w") + tuple(INITIALS):
        if letters.startswith(candidate):
            initial = candidate
            break
    rest = letters[len(initial):]
    if not rest:
        raise RuleError(f"no final: {letters}")
    if initial == "y":
        if rest.startswith(("u", "v")):
            final = "v" + rest[1:]
        elif rest.startswith("i"):
            final = rest
        else:
            final = "i" + rest  # ya ye yao yan yang yo you yong
        initial = ""
    elif initial == "w":
        final = rest if rest == "u" else "u" + rest
        initial = ""
    else:
        final = rest
        if initial in ("j", "q", "x") and final.startswith("u"):
            final = "v" + final[1:]
    if initial in APICAL_INITIALS and final == "i":
        return initial, ""
    final = {"iu": "iou", "ui": "uei", "un": "uen"}.get(final, final)
    return initial, final


def final_zhuyin(final):
    if final == "":
        return ""
    if final in ("ong", "iong"):
        return "ㄨㄥ" if final == "ong" else "ㄩㄥ"
    if final == "ueng":
        return "ㄨㄥ"
    if final == "o" or final in RIMES:
        return RIMES[final]
    medial, rime = final[0], final[1:]
    if medial not in MEDIALS:
        raise RuleError(f"unknown final: {final}")
    if rime == "":
        return MEDIALS[medial]
    rime = AFTER_MEDIAL.get(rime, rime)
    if rime not in RIMES or rime == "er":
        raise RuleError(f"unknown final: {final}")
    return MEDIALS[medial] + RIMES[rime]


def zhuyin(letters):
    """The 注音 of a toneless syllable (ü as v): 'wang' gives 'ㄨㄤ', 'lve' 'ㄌㄩㄝ'."""
    if letters in NASALS:
        return NASALS[letters]
    if not re.fullmatch(r"[a-zê]+", letters):
        raise RuleError(f"not a syllable: {letters}")
    if letters in ("ê", "er", "e", "o", "a", "ai", "ei", "ao", "ou", "an", "en", "ang", "eng"):
        return RIMES[letters]
    initial, final = split_syllable(letters)
    if initial and initial not in INITIALS:
        raise RuleError(f"unknown initial: {letters}")
    front = final[:1] in ("i", "v")
    if (initial in PALATALS and not front) or (initial in NO_FRONT_MEDIAL and front) or \
            (initial in NO_V_MEDIAL and final.startswith("v")) or final == "er" and initial:
        raise RuleError(f"{initial} does not go with {final}: {letters}")
    return INITIALS.get(initial, "") + final_zhuyin(final)


def toneless(reading):
    """A Unihan reading without its tone mark, ü as v: 'lǜ' gives 'lv', 'ế' 'ê'."""
    kept = "".join(c for c in unicodedata.normalize("NFD", reading.strip().lower())
                   if c not in "\u0304\u0301\u030c\u0300")
    return unicodedata.normalize("NFC", kept).replace("ü", "v")


def unihan_syllables(path=UNIHAN_READINGS):
    found = set()
    with bz2.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            _code, field, value = line.rstrip("\n").split("\t", 2)
            if field not in FIELDS:
                continue
            if field == "kMandarin":
                readings = value.split()
            else:
                readings = [r for entry in value.split() for r in entry.split(":", 1)[1].split(",")]
            found.update(toneless(r) for r in readings)
    return found


def data_syllables(data_dir=os.path.join(ROOT, "data")):
    """The toneless syllables of the readings of the sound data."""
    found = set()
    for name in DATA_FILES:
        with open(os.path.join(data_dir, name), encoding="utf-8") as f:
            for line in f:
                fields = line.rstrip("\n").split("\t")
                if len(fields) == 2:
                    found.update(s.rstrip("12345") for s in fields[1].split())
    return found


def build(syllables, needed):
    table = {}
    spelt = {}
    for letters in sorted(syllables - OUTSIDE_THE_RULES):
        try:
            text = zhuyin(letters)
        except RuleError as e:
            raise SystemExit(f"zhuyin.py: {e}")
        if text in spelt:
            raise SystemExit(f"zhuyin.py: {letters} and {spelt[text]} would both be {text}")
        spelt[text] = letters
        table[letters] = text
    missing = sorted(needed - set(table))
    if missing:
        raise SystemExit("zhuyin.py: syllables of the sound data missing from Unihan: "
                         + " ".join(missing))
    return table


def render(table):
    return "".join(f"{letters}\t{table[letters]}\n" for letters in sorted(table))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with data/zhuyin.txt")
    args = parser.parse_args()
    table = build(unihan_syllables(), data_syllables())
    return write_or_check(OUTPUT, render(table), args.check, "tools/sound/zhuyin.py")


if __name__ == "__main__":
    sys.exit(main())
