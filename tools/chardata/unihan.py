"""Reading the Unihan database and the facts that the character data is built from."""

import bz2
import collections
import os
import re
import unicodedata

# The Unihan files that hold the fields we use.
_FILES = (
    "Unihan_OtherMappings",
    "Unihan_Variants",
    "Unihan_RadicalStrokeCounts",
    "Unihan_IRGSources",
    "Unihan_Readings",
    "Unihan_DictionaryLikeData",
)

_FIELDS = {
    "kGB0", "kGB1", "kTGH", "kTraditionalVariant", "kSimplifiedVariant", "kRSUnicode",
    "kRSKangXi", "kTotalStrokes", "kMandarin", "kCantonese", "kFrequency", "kHanyuPinlu",
    "kIRG_TSource", "kTGHZ2013", "kXHC1983", "kHanyuPinyin",
}

# Last radical number of each stroke count of the 214 Kangxi radicals.
_RADICAL_STROKE_BOUNDS = ((6, 1), (29, 2), (60, 3), (94, 4), (117, 5), (146, 6), (166, 7), (175, 8),
                          (186, 9), (194, 10), (200, 11), (204, 12), (208, 13), (210, 14),
                          (211, 15), (213, 16), (214, 17))

NUMERALS = {ch: n for n, ch in enumerate("一二三四五六七八九十", start=1)}


def radical_strokes(radical):
    """Strokes of the full form of Kangxi radical `radical` (1..214)."""
    for last, strokes in _RADICAL_STROKE_BOUNDS:
        if radical <= last:
            return strokes
    raise ValueError(f"no Kangxi radical {radical}")


def parse_radical_stroke(value):
    """'140.9' or "167'.5" -> (140, 9); only the first of several values is read."""
    first = value.split()[0]
    radical, residual = first.split(".")
    return int(radical.rstrip("'")), int(residual)


def plain_pinyin(reading):
    """'zhōng' -> ('zhong', 1): letters without tone marks (ü as v) and the tone (5 = neutral)."""
    tone = 5
    letters = []
    for ch in unicodedata.normalize("NFD", reading):
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
    return "".join(letters), tone


def pinyin_initial(letters):
    """The initial of a toneless syllable: 'zh', 'b', ... or '' for none."""
    for two in ("zh", "ch", "sh"):
        if letters.startswith(two):
            return two
    if letters and letters[0] in "bpmfdtnlgkhjqxzcsr":
        return letters[0]
    return ""


class Unihan:
    def __init__(self, directory, files=_FILES):
        """Reads `files` (the Unihan files of _FILES by default; a tool that needs only some of
        the fields names the files that hold them)."""
        self.directory = directory
        self.props = collections.defaultdict(dict)
        self.version = None
        for name in files:
            self._read(name)
        self.gb0 = {}
        self.gb1 = {}
        for ch, props in self.props.items():
            if "kGB0" in props:
                self.gb0[ch] = int(props["kGB0"])
            if "kGB1" in props:
                self.gb1.setdefault(int(props["kGB1"]), ch)
        self.gb2312 = sorted((c for c in self.gb0 if 1601 <= self.gb0[c] <= 8794),
                             key=lambda c: self.gb0[c])

    def _read(self, name):
        path = os.path.join(self.directory, name + ".txt")
        if os.path.exists(path):
            handle = open(path, encoding="utf-8")
        else:
            handle = bz2.open(path + ".bz2", "rt", encoding="utf-8")
        with handle:
            for line in handle:
                if line.startswith("#"):
                    found = re.match(r"# Unicode version: (\S+)", line)
                    if found:
                        self.version = found.group(1)
                    continue
                line = line.rstrip("\n")
                if not line:
                    continue
                code, field, value = line.split("\t", 2)
                if field in _FIELDS:
                    self.props[chr(int(code[2:], 16))][field] = value

    def get(self, ch, field, default=None):
        return self.props.get(ch, {}).get(field, default)

    def variants(self, ch, field):
        value = self.get(ch, field)
        if not value:
            return []
        return [chr(int(item.split("<")[0][2:], 16)) for item in value.split()]

    # --- GB 2312 and GB 12345 -------------------------------------------------------------

    def gb_level(self, ch):
        """1 or 2 for the two levels of GB 2312, 3 for anything else."""
        pos = self.gb0.get(ch)
        if pos is None or pos < 1601:
            return 3
        return 1 if pos <= 5589 else 2

    def gb12345_counterpart(self, ch):
        """The character at the same code position in GB 12345, if it differs from `ch`."""
        pos = self.gb0.get(ch)
        if pos is None:
            return None
        other = self.gb1.get(pos)
        return other if other and other != ch else None

    def taiwan_plane(self, ch):
        """The plane of CNS 11643 that holds the character (from kIRG_TSource): 1 for the
        characters of everyday traditional text, whose glyphs are the standard forms, higher
        numbers for rarer and variant forms, 99 for none."""
        value = self.get(ch, "kIRG_TSource", "")
        found = re.match(r"T(\d+)-", value)
        return int(found.group(1)) if found else 99

    def standard_traditional(self, ch):
        """The standard traditional form of a simplified character, or None where it has none:
        among its GB 12345 counterpart and its other traditional variants the one of the lowest
        CNS 11643 plane, the counterpart first on a tie. GB 12345 writes a few characters with
        variant glyphs (綉 藴 鋭 説); the variants then stand on a higher plane than 繡 蘊 銳 說."""
        counterpart = self.gb12345_counterpart(ch)
        forms = [counterpart] if counterpart else []
        forms += [t for t in self.variants(ch, "kTraditionalVariant")
                  if t != ch and t not in forms]
        if not forms:
            return None
        return min(forms, key=lambda f: (self.taiwan_plane(f), forms.index(f)))

    # --- strokes -------------------------------------------------------------------------

    def total_strokes(self, ch, traditional):
        values = self.get(ch, "kTotalStrokes", "").split()
        if not values:
            return None
        return int(values[-1] if traditional else values[0])

    def kangxi_radical_stroke(self, ch):
        value = self.get(ch, "kRSKangXi") or self.get(ch, "kRSUnicode")
        return parse_radical_stroke(value)

    def unicode_radical_stroke(self, ch):
        return parse_radical_stroke(self.get(ch, "kRSUnicode"))

    # --- readings and use ------------------------------------------------------------------

    def mandarin(self, ch):
        value = self.get(ch, "kMandarin")
        return value.split()[0] if value else None

    def cantonese(self, ch):
        value = self.get(ch, "kCantonese")
        return value.split()[0] if value else ""

    def pinlu(self, ch):
        return sum(int(n) for n in re.findall(r"\((\d+)\)", self.get(ch, "kHanyuPinlu", "")))

    def tgh(self, ch):
        value = self.get(ch, "kTGH")
        return int(value.split(":")[1]) if value else None

    def frequency_class(self, ch):
        """The best kFrequency class (1 = most used) of the character or of one of its
        traditional variants (the classes were counted on traditional text); 6 for none."""
        forms = [ch] + self.variants(ch, "kTraditionalVariant")
        return min(int(self.get(f, "kFrequency", "6")) for f in forms)

    def usage_key(self, ch):
        """Sort key that puts the more used character first: the frequency class, then the
        counted frequency in the frequency dictionary, then the level and position in the 2013
        general standard table, then the GB 2312 position."""
        tgh = self.tgh(ch) or 99999
        tgh_level = 1 if tgh <= 3500 else 2 if tgh <= 6500 else 3
        return (self.frequency_class(ch), -self.pinlu(ch), tgh_level, tgh,
                self.gb0.get(ch, 99999), ord(ch))

    def is_gbk(self, ch):
        try:
            ch.encode("gbk")
            return True
        except UnicodeEncodeError:
            return False
