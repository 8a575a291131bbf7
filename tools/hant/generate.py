#!/usr/bin/python3
"""Writes data/hant_table.txt: how the interface texts, written in simplified characters, are shown in
traditional characters.

    /usr/bin/python3 tools/hant/generate.py            # rewrite data/hant_table.txt
    /usr/bin/python3 tools/hant/generate.py --check    # fail if it differs from a rerun

Source: OpenCC, Debian's `opencc` command and its data (`libopencc-data`), Apache License 2.0, with
its configuration `s2tw` (the standard characters of Taiwan, no substitution of words; README.md says
why), and the reviewed corrections of tools/hant/overrides.txt.

The corpus is every text the programs show: the Chinese string literals of the program's sources
(comments are skipped) and the data files whose text reaches the screen (SOURCES and DATA below).
Each line of the corpus is converted by OpenCC, then the overrides are laid over it; the result is
what the program must show. From it the table is derived:

- one row per character: its conversion when it stands alone (OpenCC's first choice), for every
  character OpenCC converts, so that a text outside the corpus (a number of a date, a new message)
  is still converted character by character;
- phrase rows where the corpus converts a character otherwise than alone (干 of 天干, 发 of 头发,
  余 the surname): the shortest piece of the corpus around it that every occurrence converts the
  same way, found by running the program's own matching (at each position the longest phrase row
  that starts there, else the character row) over the whole corpus until it gives what OpenCC and
  the overrides give, line for line;
- the overrides themselves, as phrase rows (or character rows, for a single character);
- the simplified-only characters: every character OpenCC converts that is never itself the
  traditional form of another (发 is one; 干, 台 and 余 are not, being traditional forms too). The
  tests check that none of them is left in a converted text outside a kept name.

Output lines (UTF-8, LF): `c<TAB>simplified<TAB>traditional` for a character, `p<TAB>phrase<TAB>
converted phrase` for a phrase (same number of characters), `s<TAB>characters` for up to 64
simplified-only characters, and comment lines starting with #.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from generated_file import ROOT, write_or_check  # noqa: E402

OUTPUT = os.path.join(ROOT, "data", "hant_table.txt")
OVERRIDES = os.path.join(ROOT, "tools", "hant", "overrides.txt")
CONFIG = "s2tw"
OPENCC_DATA = "/usr/share/opencc"

# The folders whose C++ string literals are interface texts.
SOURCES = ["cli", "engine", "calendar", "sound", "names", "search", "textio", "ui"]

# The data files whose text is shown: file, columns shown (tab-separated, 0-based; None: the whole
# line). Name characters (the key column of char_meanings.tsv, the names of names.tsv) are left out:
# a name is shown as it was given.
DATA = [
    ("data/numerology.txt", None),
    ("data/sancai.txt", None),
    ("data/help.html", None),
    ("data/char_meanings.tsv", [1]),
    ("data/names.tsv", [3, 4]),
    ("data/bad_words.txt", [0]),
    ("data/strong_words.txt", None),
    ("data/places.txt", [0, 1]),
]

HAN = re.compile(r"[\u3400-\u9fff\uf900-\ufaff\U00020000-\U0003ffff]")


def cxx_literals(text):
    """The contents of the string literals of a C++ source, comments and character literals
    skipped; escapes \\n split a literal into lines, other escapes are kept as written."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
        elif c == "'":
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
        elif c == '"':
            raw = i > 0 and text[i - 1] == "R"
            if raw:
                k = text.find("(", i)
                delim = ")" + text[i + 1:k] + '"'
                j = text.find(delim, k)
                out.extend(text[k + 1:j].split("\n"))
                i = j + len(delim)
                continue
            j = i + 1
            while j < n and text[j] != '"':
                j += 2 if text[j] == "\\" else 1
            body = text[i + 1:j]
            for piece in body.split("\\n"):
                out.append(piece.replace('\\"', '"').replace("\\\\", "\\"))
            i = j + 1
        else:
            i += 1
    return out


def corpus():
    """Every line of interface text, in a fixed order, each once."""
    texts = []
    for folder in SOURCES:
        base = os.path.join(ROOT, folder)
        for name in sorted(os.listdir(base)):
            if name.endswith((".cpp", ".h", ".inc")):
                with open(os.path.join(base, name), encoding="utf-8") as f:
                    texts.extend(cxx_literals(f.read()))
    for path, columns in DATA:
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            for line in f.read().split("\n"):
                if line.startswith("#"):
                    continue
                if columns is None:
                    texts.append(line)
                else:
                    fields = line.split("\t")
                    texts.extend(fields[c] for c in columns if c < len(fields))
    seen = set()
    unique = []
    for t in texts:
        t = t.replace("\r", "")
        if HAN.search(t) and t not in seen:
            seen.add(t)
            unique.append(t)
    return unique


def opencc(lines):
    """OpenCC's conversion of each line (the lines hold no line break)."""
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.txt")
        dst = os.path.join(tmp, "out.txt")
        with open(src, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        subprocess.run(["opencc", "-c", CONFIG, "-i", src, "-o", dst], check=True)
        with open(dst, encoding="utf-8") as f:
            out = f.read().split("\n")
    out = out[:len(lines)]
    if len(out) != len(lines):
        sys.exit("opencc returned another number of lines")
    return out


def opencc_dictionary(name):
    """The rows of one of OpenCC's dictionaries: key -> list of values."""
    with tempfile.TemporaryDirectory() as tmp:
        dst = os.path.join(tmp, "dict.txt")
        subprocess.run(["opencc_dict", "-i", os.path.join(OPENCC_DATA, name + ".ocd2"), "-o", dst,
                        "-f", "ocd2", "-t", "text"], check=True)
        rows = {}
        with open(dst, encoding="utf-8") as f:
            for line in f:
                key, values = line.rstrip("\n").split("\t")
                rows[key] = values.split(" ")
    return rows


def read_overrides():
    """(simplified, traditional) pairs of tools/hant/overrides.txt, each with its reason."""
    rows = []
    with open(OVERRIDES, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) < 3 or not fields[2].strip():
                sys.exit(f"overrides.txt:{number}: want simplified TAB traditional TAB reason")
            if len(fields[0]) != len(fields[1]):
                sys.exit(f"overrides.txt:{number}: the two forms differ in length")
            rows.append((fields[0], fields[1]))
    return rows


def apply_overrides(text, converted, overrides):
    out = list(converted)
    for simple, trad in overrides:
        start = text.find(simple)
        while start >= 0:
            out[start:start + len(simple)] = trad
            start = text.find(simple, start + len(simple))
    return "".join(out)


class Table:
    """The rows and the matching the program does with them."""

    def __init__(self, chars):
        self.chars = dict(chars)
        self.phrases = {}
        self.longest = 1

    def add_phrase(self, simple, trad):
        self.phrases[simple] = trad
        self.longest = max(self.longest, len(simple))

    def convert(self, text):
        out = []
        i, n = 0, len(text)
        while i < n:
            for length in range(min(self.longest, n - i), 1, -1):
                rule = self.phrases.get(text[i:i + length])
                if rule is not None:
                    out.append(rule)
                    i += length
                    break
            else:
                out.append(self.chars.get(text[i], text[i]))
                i += 1
        return "".join(out)


def choose_window(text, j, table, is_consistent, words):
    """The piece of `text` around its character j to become a phrase row: (start, size), or None.
    Among the pieces every occurrence of which the corpus converts the same way, a word of OpenCC's
    phrase dictionary comes first, then a piece of Chinese characters only, the shorter first, the
    one that reaches further left first (a character is mostly decided by the one before it); the
    rest only when none of these fits."""
    candidates = []
    for size in range(2, min(len(text), 8) + 1):
        for start in range(j - size + 1, j + 1):
            if start < 0 or start + size > len(text):
                continue
            piece = text[start:start + size]
            rank = 0 if piece in words else 1 if all(HAN.match(c) for c in piece) else 2
            candidates.append((rank, size, start))
    candidates.sort()
    for _, size, start in candidates:
        piece = text[start:start + size]
        if piece not in table.phrases and is_consistent(piece):
            return start, size
    for size in range(9, len(text) + 1):
        for start in range(j, j - size, -1):
            if start < 0 or start + size > len(text):
                continue
            piece = text[start:start + size]
            if piece not in table.phrases and is_consistent(piece):
                return start, size
    return None


def derive(texts, expected, table, words):
    """Adds phrase rows until the table converts every text as expected."""
    joined = "\n".join(texts)
    joined_expected = "\n".join(expected)
    consistent = {}

    def is_consistent(piece):
        if piece not in consistent:
            want = None
            ok = True
            start = joined.find(piece)
            while start >= 0:
                got = joined_expected[start:start + len(piece)]
                if want is None:
                    want = got
                elif got != want:
                    ok = False
                    break
                start = joined.find(piece, start + 1)
            consistent[piece] = ok
        return consistent[piece]

    unresolved = []
    for _ in range(20):
        changed = False
        unresolved.clear()
        for text, want in zip(texts, expected):
            for _ in range(len(text) + 1):
                got = table.convert(text)
                if got == want:
                    break
                j = next(k for k in range(len(text)) if got[k] != want[k])
                piece = choose_window(text, j, table, is_consistent, words)
                added = piece is not None
                if added:
                    start, size = piece
                    table.add_phrase(text[start:start + size], want[start:start + size])
                if not added:
                    unresolved.append((text, want, got))
                    break
                changed = True
            else:
                sys.exit(f"{text!r} does not settle")
        if not changed:
            break
    else:
        sys.exit("the phrase rows do not settle")
    if unresolved:
        for text, want, got in unresolved:
            print(f"OpenCC converts {text!r} by its context as {want!r}, the table as {got!r}: "
                  "decide in tools/hant/overrides.txt", file=sys.stderr)
        sys.exit(1)


def generate():
    texts = corpus()
    overrides = read_overrides()
    converted = opencc(texts)
    expected = []
    for text, conv in zip(texts, converted):
        if len(conv) != len(text):
            sys.exit(f"OpenCC changed the length of {text!r}")
        expected.append(apply_overrides(text, conv, overrides))

    st = opencc_dictionary("STCharacters")
    variants = opencc_dictionary("TWVariants")
    alone_keys = sorted(set(st) | set(variants) | {c for t in texts for c in t if HAN.match(c)})
    alone = dict(zip(alone_keys, opencc(alone_keys)))
    chars = {k: v for k, v in alone.items() if v != k and len(v) == 1}
    for simple, trad in overrides:
        if len(simple) == 1:
            chars[simple] = trad
    table = Table(chars)
    for simple, trad in overrides:
        if len(simple) > 1:
            table.add_phrase(simple, trad)
    derive(texts, expected, table, set(opencc_dictionary("STPhrases")))

    traditional = {v for rows in (st, variants) for values in rows.values() for v in values}
    simplified_only = sorted(k for k in chars if k not in traditional and HAN.match(k))

    lines = [
        "# Generated by tools/hant/generate.py from OpenCC (" + CONFIG + ", Apache License 2.0)",
        "# and tools/hant/overrides.txt; do not edit. c: character, p: phrase, s: simplified-only.",
        f"# {len(chars)} characters, {len(table.phrases)} phrases.",
    ]
    lines += [f"c\t{k}\t{v}" for k, v in sorted(chars.items())]
    lines += [f"p\t{k}\t{v}" for k, v in sorted(table.phrases.items())]
    for i in range(0, len(simplified_only), 64):
        lines.append("s\t" + "".join(simplified_only[i:i + 64]))
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the committed file")
    args = parser.parse_args()
    sys.exit(write_or_check(OUTPUT, generate(), args.check, "tools/hant/generate.py"))


if __name__ == "__main__":
    main()
