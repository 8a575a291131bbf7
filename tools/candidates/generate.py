#!/usr/bin/python3
"""Build the candidate given-name files data/M.dat (boys) and data/F.dat (girls) and the table
data/names.tsv of their names with grade and source.

Usage:
    tools/candidates/generate.py               write data/M.dat, data/F.dat and data/names.tsv
    tools/candidates/generate.py --check       rebuild in memory, exit 1 if the files differ
    tools/candidates/generate.py --pool DIR    write the pool of names to be read and graded,
                                               and the names not yet in a batch as new batches
    tools/candidates/generate.py --merge DIR   add DIR's graded batches to the grade tables

Inputs (see README.md for every rule):
    data/strokes.txt, data/elements.txt, data/traditional.txt   the program's character data
    data/readings.txt, data/bad_words.txt                       the sound data (tools/sound)
    data/standard_chars.txt                                     the general standard table
    tools/candidates/*.txt                                      our curated lists
    tools/candidates/grades_M.tsv, grades_F.tsv                 the grades given by reading
    tools/candidates/classics/texts.tsv                         the classical texts (extract)
    the person names of python3-jieba's dictionary              real given names
    Unihan from the unicode-data package                         readings, GB 2312, variants
The output depends on nothing else: no clock, no randomness, no set iteration order.
"""

import argparse
import bz2
import collections
import math
import pathlib
import sys
import unicodedata

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
JIEBA_DICT = pathlib.Path("/usr/lib/python3/dist-packages/jieba/dict.txt")
# The name characters that the stroke dictionary counts although they lie beyond GB 2312 (玥 璟);
# only these may stand in the curated lists without being in GB 2312.
NAME_CHARACTERS = ROOT / "tools" / "chardata" / "name_characters.txt"
UNIHAN_DIR = pathlib.Path("/usr/share/unicode")

# The pool of names that the generator makes for each file and that is read and graded by hand,
# the least number of names a file must ship, and the grade tables.
# (the girls' pool is larger: fewer of its generated pairs passed the reading)
POOL_SIZE = {"M": 15272, "F": 26000}
# and after those, at most this many pairs of the characters of modern_chars.txt
MODERN_EXTRA = {"M": 9000, "F": 12000}
MIN_SHIPPED = 3000
GRADE_FILES = {"M": HERE / "grades_M.tsv", "F": HERE / "grades_F.tsv"}
NAMES_TABLE = "names.tsv"
CLASSICS = HERE / "classics" / "texts.tsv"
# the collections of the extract, best known first: the order in which a name's sources are shown
COLLECTIONS = ("诗经", "楚辞", "唐诗三百首", "宋词三百首", "千家诗", "论语", "孟子", "大学", "中庸")
# a classical name has at most this many sources
MAX_SOURCES = 3
# what ends a clause of the texts (the extract joins paragraphs with ｜)
CLAUSE_BREAKS = set("，。；！？、：；:;,.!?“”‘’「」『』《》（）()｜—…· \u3000")
# second characters of the names given from the fifties to the eighties: such a name is graded 2
# at best, so that it stays in the lists but not at their head
DATED_SECOND = "霞莲兰芳玲芬萍华秀英燕凤珍红"
# how many dated real names a file keeps, the most used first, as a share of the names of the file
# that are not dated: none, since the search ranks by score and no place in a file keeps a dated
# name with a high score from the head of a list (赵国华 led the boys' list of 赵)
DATED_SHARE = 0.0
# in the ordering of a file: among the last VARIETY_WINDOW names at most VARIETY_MAX end in the
# same character, where the lists allow it
VARIETY_WINDOW = 30
VARIETY_MAX = 2
VARIETY_LOOKAHEAD = 400

# Each character of rare_chars.txt stands in at most this many generated names of a file.
RARE_PER_CHARACTER = 40

# A two-character name that is also a word of the jieba dictionary at least this
# frequent reads as that word, unless accepted_names.txt keeps it. A name found as
# a real given name needs a stronger word to be thrown out than a generated one.
WORD_FREQUENCY_REAL = 100
WORD_FREQUENCY_GENERATED = 30

# Score factors of a generated name for sounds that run together (see README).
SAME_TONE = 0.7
SAME_INITIAL = 0.7
SAME_FINAL = 0.7

INITIALS = ("zh", "ch", "sh", "b", "p", "m", "f", "d", "t", "n", "l", "g", "k", "h",
            "j", "q", "x", "r", "z", "c", "s", "y", "w")


class InputError(Exception):
    pass


# ---------------------------------------------------------------- curated inputs

def text_lines(path):
    """The lines of a curated file without comments."""
    for line in path.read_text(encoding="utf-8").splitlines():
        yield line.split("#", 1)[0]


def read_characters(path):
    """Every character of a curated character list, in file order; repeats are an error."""
    chars = []
    for line in text_lines(path):
        chars.extend(c for c in line if not c.isspace())
    repeated = sorted({c for c in chars if chars.count(c) > 1})
    if repeated:
        raise InputError(f"{path.name}: listed twice: {''.join(repeated)}")
    return chars


def read_tokens(path):
    """The whitespace-separated tokens of a curated file, in file order."""
    tokens = []
    for line in text_lines(path):
        tokens.extend(line.split())
    return tokens


def read_homophones(path):
    """Readings to avoid: a list of two (syllable, tone or None) pairs."""
    rules = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        fields = line.split("#", 1)[0].split()
        if not fields:
            continue
        if len(fields) != 2:
            raise InputError(f"{path.name}:{number}: two syllables expected")
        rule = []
        for field in fields:
            tone = None
            if field[-1].isdigit():
                tone = int(field[-1])
                field = field[:-1]
            if not field.isalpha() or not field.isascii() or tone not in (None, 1, 2, 3, 4, 5):
                raise InputError(f"{path.name}:{number}: bad syllable {field!r}")
            rule.append((field, tone))
        rules.append(tuple(rule))
    return rules


def read_places(path):
    """The characters that only begin a name, those that only end one, and those of the second
    kind that today's names also put first (line "today:")."""
    places = {"first": set(), "second": set(), "today": set()}
    for number, line in enumerate(text_lines(path), 1):
        if not line.strip():
            continue
        place, _, chars = line.partition(":")
        if place.strip() not in places:
            raise InputError(f"{path.name}:{number}: a line starts with first:, second: or today:")
        places[place.strip()].update(c for c in chars if not c.isspace())
    both = places["first"] & places["second"]
    if both:
        raise InputError(f"{path.name}: both first and second only: {''.join(sorted(both))}")
    stray = places["today"] - places["second"]
    if stray:
        raise InputError(f"{path.name}: today: characters not on a second: line: "
                         f"{''.join(sorted(stray))}")
    return places["first"], places["second"], places["today"]


def read_sexed_characters(path):
    """Characters on lines that start with male:, female: or either:."""
    found = {"male": [], "female": [], "either": []}
    for number, line in enumerate(text_lines(path), 1):
        if not line.strip():
            continue
        sex, _, chars = line.partition(":")
        if sex.strip() not in found:
            raise InputError(f"{path.name}:{number}: a line starts with male:, female: or either:")
        found[sex.strip()].extend(c for c in chars if not c.isspace())
    return found


def read_reasons(path):
    """The characters of a list of one character a line followed by why: {char: reason}."""
    reasons = {}
    for number, line in enumerate(text_lines(path), 1):
        fields = line.split(None, 1)
        if not fields:
            continue
        if len(fields[0]) != 1 or len(fields) < 2:
            raise InputError(f"{path.name}:{number}: one character and a reason expected")
        if fields[0] in reasons:
            raise InputError(f"{path.name}:{number}: {fields[0]} listed twice")
        reasons[fields[0]] = fields[1].strip()
    return reasons


class Curated:
    """All hand-made inputs of this directory."""

    def __init__(self, directory, with_classics=False):
        """`with_classics`: add the characters of chars_classics.txt."""
        self.male = read_characters(directory / "chars_male.txt")
        self.female = read_characters(directory / "chars_female.txt")
        self.either = read_characters(directory / "chars_either.txt")
        # characters that make good names only in the pairings real people use (世杰 传志 敏之):
        # real names may hold them; no generated pair, one-character name or clause does
        self.real_only = set()
        if with_classics:
            extra = read_sexed_characters(directory / "chars_classics.txt")
            real_only = read_sexed_characters(directory / "chars_real.txt")
            for sex, chars in (("male", self.male), ("female", self.female),
                               ("either", self.either)):
                chars += extra[sex] + real_only[sex]
                self.real_only.update(real_only[sex])
        self.excluded = set(read_characters(directory / "excluded_chars.txt"))
        surnames = read_tokens(directory / "surnames.txt")
        self.single_surnames = {s for s in surnames if len(s) == 1}
        self.double_surnames = {s for s in surnames if len(s) == 2}
        if len(self.single_surnames) + len(self.double_surnames) != len(surnames):
            raise InputError("surnames.txt: a surname must have one or two characters")
        self.reduplications = set(read_tokens(directory / "reduplications.txt"))
        for name in self.reduplications:
            if len(name) != 2 or name[0] != name[1]:
                raise InputError(f"reduplications.txt: {name} is no reduplication")
        self.accepted = set(read_tokens(directory / "accepted_names.txt"))
        self.rejected = set(read_tokens(directory / "rejected_names.txt"))
        self.first_only, self.second_only, self.today_first = read_places(
            directory / "places.txt")
        self.homophones = read_homophones(directory / "homophones.txt")
        self.rare = set(read_characters(directory / "rare_chars.txt"))

        lists = {"chars_male.txt": self.male, "chars_female.txt": self.female,
                 "chars_either.txt": self.either}
        seen = {}
        for file_name, chars in lists.items():
            for c in chars:
                if c in seen:
                    raise InputError(f"{c} is in both {seen[c]} and {file_name}")
                seen[c] = file_name
        bad = [c for c in seen if c in self.excluded]
        if bad:
            raise InputError(f"curated characters that excluded_chars.txt forbids: {''.join(bad)}")
        self.sex_of_char = {c: "M" for c in self.male}
        self.sex_of_char.update({c: "F" for c in self.female})
        self.sex_of_char.update({c: "MF" for c in self.either})
        # the other lists speak only of curated characters, so that none holds dead entries
        for file_name, entries in (("places.txt", self.first_only | self.second_only),
                                   ("reduplications.txt", self.reduplications),
                                   ("rejected_names.txt", self.rejected),
                                   ("accepted_names.txt", self.accepted),
                                   ("rare_chars.txt", self.rare)):
            stray = sorted(e for e in entries if not self.is_curated(e))
            if stray:
                raise InputError(f"{file_name}: not made of curated characters: {' '.join(stray)}")

    def is_curated(self, name):
        return all(c in self.sex_of_char for c in name)

    def leans_to(self, name, sex):
        """Whether a real name tells how names of that sex are formed: at least one of its
        characters is in the curated lists, and those that are suit the sex."""
        known = "".join(c for c in name if c in self.sex_of_char and c not in self.real_only)
        return bool(known) and sex in self.files_of(known)

    def out_of_place(self, name, today=False):
        """A two-character name with a character where it does not stand (a repeated
        character stands in both places; reduplications.txt rules on those). `today`: a pair of
        today's characters, which a character of the "today:" line may also begin (皓轩 铭泽
        瑾萱)."""
        if name[0] == name[1]:
            return False
        first_misplaced = name[0] in self.second_only and not (today and
                                                                name[0] in self.today_first)
        return first_misplaced or name[1] in self.first_only

    def files_of(self, name):
        """"M", "F" or "MF": the files a name goes to; "" when it mixes boy and girl."""
        sexes = {self.sex_of_char[c] for c in name}
        if "M" in sexes and "F" in sexes:
            return ""
        if "M" in sexes:
            return "M"
        if "F" in sexes:
            return "F"
        return "MF"


# ---------------------------------------------------------------- the program's character data

class CharacterData:
    """The characters that the program can judge: in the stroke dictionary and the element
    lists, and not the traditional side of a simplified/traditional pair."""

    def __init__(self, data_dir):
        strokes = (data_dir / "strokes.txt").read_text(encoding="utf-8").splitlines()
        elements = (data_dir / "elements.txt").read_text(encoding="utf-8").splitlines()
        pairs = (data_dir / "traditional.txt").read_text(encoding="utf-8").splitlines()
        if len(strokes) != 33 or len(elements) != 5 or len(pairs) != 2:
            raise InputError("data/: strokes.txt needs 33 lines, elements.txt 5, traditional.txt 2")
        self.stroked = set("".join(strokes))
        self.with_element = set("".join(elements))
        simplified = set(pairs[0].split(","))
        self.traditional = set(pairs[1].split(",")) - simplified

    def knows(self, c):
        return c in self.stroked and c in self.with_element and c not in self.traditional


# ---------------------------------------------------------------- bad words

class BadWords:
    """The words that a name must not sound like, as the sound analysis of the program knows them
    (data/bad_words.txt, with the readings of data/readings.txt; both written by tools/sound).

    A two-character name spells a word when the toneless syllables of one reading of each of its
    characters are the word's, in any tones: the same test the program's sound analysis makes on a
    given name, so that no candidate is one that its "避开不雅谐音" option would leave out for the
    given name alone."""

    def __init__(self, readings_text, words_text):
        self.readings = {}
        for line in readings_text.splitlines():
            char, readings = line.split("\t")
            self.readings[char] = [r.rstrip("012345") for r in readings.split()]
        self.words = {}
        for line in words_text.splitlines():
            word, readings = line.split("\t")
            syllables = tuple(r.rstrip("012345") for r in readings.split())
            if len(syllables) == 2:
                self.words.setdefault(syllables, word)

    @classmethod
    def from_data(cls, data_dir):
        return cls((data_dir / "readings.txt").read_text(encoding="utf-8"),
                   (data_dir / "bad_words.txt").read_text(encoding="utf-8"))

    def spelt_by(self, name):
        """The word that a two-character name spells, or None."""
        if len(name) != 2:
            return None
        for first in self.readings.get(name[0], ()):
            for second in self.readings.get(name[1], ()):
                word = self.words.get((first, second))
                if word:
                    return word
        return None


# ---------------------------------------------------------------- Unihan

TONE_MARKS = {"\u0304": 1, "\u0301": 2, "\u030c": 3, "\u0300": 4}


def parse_pinyin(reading):
    """'lǜ' -> ('lv', 4); a reading without a mark has the neutral tone 5."""
    tone = 5
    base = []
    for c in unicodedata.normalize("NFD", reading):
        if c in TONE_MARKS:
            tone = TONE_MARKS[c]
        elif c == "\u0308":  # the dots of ü
            base[-1] = "v"
        else:
            base.append(c)
    return "".join(base), tone


def split_syllable(syllable):
    """A toneless syllable's initial and final: 'zhang' -> ('zh', 'ang'), 'an' -> ('', 'an')."""
    for initial in INITIALS:
        if syllable.startswith(initial) and len(syllable) > len(initial):
            return initial, syllable[len(initial):]
    return "", syllable


def unihan_fields(directory, file_name, wanted):
    with bz2.open(directory / file_name, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("U+"):
                code, field, value = line.rstrip("\n").split("\t", 2)
                if field in wanted:
                    yield chr(int(code[2:], 16)), field, value


class Unihan:
    """Readings, GB 2312 membership and simplified variants of the Han characters."""

    def __init__(self, directory):
        self.reading = {}
        for c, _, value in unihan_fields(directory, "Unihan_Readings.txt.bz2", {"kMandarin"}):
            self.reading[c] = parse_pinyin(value.split()[0])
        self.gb2312 = {c for c, _, _ in
                       unihan_fields(directory, "Unihan_OtherMappings.txt.bz2", {"kGB0"})}
        self.traditional_only = set()
        for c, _, value in unihan_fields(directory, "Unihan_Variants.txt.bz2",
                                         {"kSimplifiedVariant"}):
            simplified = [chr(int(v[2:], 16)) for v in value.split()]
            if c not in simplified:
                self.traditional_only.add(c)


# ---------------------------------------------------------------- real given names

def jieba_words(path):
    """(word, frequency, tag) of the jieba dictionary, in file order."""
    with open(path, encoding="utf-8") as f:
        for line in f:
            word, frequency, tag = line.split()
            yield word, int(frequency), tag


def given_name_of(full_name, curated):
    """The given name left when a known surname is taken off, or None."""
    if len(full_name) >= 3 and full_name[:2] in curated.double_surnames:
        return full_name[2:]
    if len(full_name) >= 2 and full_name[0] in curated.single_surnames:
        return full_name[1:]
    return None


class RealNames:
    """The given names of the person-name entries (tags nr and nrfg) of the jieba dictionary.

    A given name's weight is the number of entries it was found in (how many different
    people carry it), then the sum of their frequencies; a name keeps the position of its
    first entry when both tie."""

    def __init__(self, path, curated):
        self.weight = {}
        self.word_frequency = {}
        self.foreign = set()
        for word, frequency, tag in jieba_words(path):
            if len(word) == 2:
                self.word_frequency[word] = max(frequency, self.word_frequency.get(word, 0))
            if tag == "nrt" and len(word) >= 3:
                self.foreign.update(word[i:i + 2] for i in range(len(word) - 1))
            if tag not in ("nr", "nrfg"):
                continue
            given = given_name_of(word, curated)
            if given is None or len(given) > 2:
                continue
            entries, total = self.weight.get(given, (0, 0))
            self.weight[given] = (entries + 1, total + frequency)

    def by_weight(self, length):
        """The given names of one length, most used first; ties keep the dictionary's order."""
        names = [g for g in self.weight if len(g) == length]
        return sorted(names, key=lambda g: (-self.weight[g][0], -self.weight[g][1]))


class Affinity:
    """How well two characters go together as first and second character of a name,
    judged by a set of real names: a pair scores when its first character is followed in
    those names by characters that keep the same company as its second character, and when
    its second character follows characters that keep the same company as its first.

    Company is measured as the cosine of the sets of partners: two second characters are
    alike when the same first characters precede them (国华 国强, 建华 建强: 华 and 强)."""

    def __init__(self, names):
        self.followers = collections.defaultdict(list)
        self.leaders = collections.defaultdict(list)
        for name in names:
            self.followers[name[0]].append(name[1])
            self.leaders[name[1]].append(name[0])
        self.like_second = self._likeness(self.leaders)
        self.like_first = self._likeness(self.followers)

    @staticmethod
    def _likeness(partners):
        sets = {c: set(p) for c, p in partners.items()}
        likeness = {}
        for c, mine in sets.items():
            row = {}
            for d, theirs in sets.items():
                shared = len(mine & theirs)
                if shared:
                    row[d] = shared / math.sqrt(len(mine) * len(theirs))
            likeness[c] = row
        return likeness

    def place(self, c, second):
        """How much a character keeps to one place: the share of its uses as first
        (second=False) or as second character, with one use of each added."""
        firsts = len(self.followers.get(c, ()))
        seconds = len(self.leaders.get(c, ()))
        return ((seconds if second else firsts) + 1) / (firsts + seconds + 2)

    def score(self, first, second):
        like_second = self.like_second.get(second, {})
        like_first = self.like_first.get(first, {})
        total = 0.0
        for follower in self.followers.get(first, ()):
            total += like_second.get(follower, 0.0)
        for leader in self.leaders.get(second, ()):
            total += like_first.get(leader, 0.0)
        return total * self.place(first, False) * self.place(second, True)


# ---------------------------------------------------------------- the rules

class Rules:
    def __init__(self, curated, chars, unihan, real, name_characters=(), bad_words=None):
        """`name_characters`: the characters beyond GB 2312 that the curated lists may hold;
        `bad_words`: a BadWords whose words no name may spell."""
        self.curated = curated
        self.bad_words = bad_words
        self.unihan = unihan
        self.real = real
        curated_chars = curated.male + curated.female + curated.either
        allowed = set(name_characters)
        outside = [c for c in curated_chars if c not in unihan.gb2312 and c not in allowed]
        if outside:
            raise InputError(f"curated characters outside GB 2312 that name_characters.txt "
                             f"does not name: {''.join(outside)}")
        traditional = [c for c in curated_chars
                       if c in unihan.traditional_only or c in chars.traditional]
        if traditional:
            raise InputError(f"curated characters in traditional form: {''.join(traditional)}")
        unread = [c for c in curated_chars if c not in unihan.reading]
        if unread:
            raise InputError(f"curated characters without a reading: {''.join(unread)}")
        # the characters a candidate may use, in list order
        self.usable = [c for c in curated_chars if chars.knows(c)]
        self.usable_set = set(self.usable)
        self.unknown = [c for c in curated_chars if not chars.knows(c)]
        self.dropped = collections.Counter()
        self.counted = set()

    def reading(self, name):
        return [self.unihan.reading[c] for c in name]

    def sounds_bad(self, name):
        """Two syllables that sound alike, or a reading from homophones.txt."""
        (s1, t1), (s2, t2) = self.reading(name)
        if name[0] != name[1] and s1 == s2:
            return True
        for (r1, rt1), (r2, rt2) in self.curated.homophones:
            if r1 == s1 and r2 == s2 and rt1 in (None, t1) and rt2 in (None, t2):
                return True
        return False

    def reads_as_word(self, name, source):
        limit = (WORD_FREQUENCY_REAL if source in ("real", "classical", "written")
                 else WORD_FREQUENCY_GENERATED)
        if name in self.curated.accepted or name in self.curated.reduplications:
            return False
        return self.real.word_frequency.get(name, 0) >= limit

    def reads_foreign(self, name):
        return name in self.real.foreign and name not in self.curated.accepted

    def why_not(self, name, source):
        """The reason a name is no candidate, or None when it is one."""
        if len(name) not in (1, 2):
            return "length"
        if any(c in self.curated.excluded for c in name):
            return "excluded character"
        if any(c not in self.usable_set for c in name):
            return "character not in the lists or the character data"
        if name in self.curated.rejected:
            return "rejected name"
        if not self.curated.files_of(name):
            return "boy and girl characters mixed"
        if len(name) == 2:
            # The place rule keeps made pairs from standing backwards; a name our readers wrote
            # is read as a whole and keeps its order. Pairs of today's characters may begin
            # with a character of the "today:" line; real names, the classics and the generated
            # pairs keep the older places (a real name of the corpus is seldom one of today's).
            if source != "written" and self.curated.out_of_place(name, today=source == "modern"):
                return "character out of place"
            if name[0] == name[1] and name not in self.curated.reduplications:
                return "repeated character"
            if self.sounds_bad(name):
                return "sound"
            if self.bad_words and self.bad_words.spelt_by(name):
                return "spells a bad word"
            if self.reads_as_word(name, source):
                return "common word"
            if self.reads_foreign(name):
                return "part of a foreign name"
            if source in ("generated", "modern") and all(c in self.curated.rare for c in name):
                return "two rare characters"
        return None

    def accept(self, name, source):
        """Whether a name from source ("real", "single", "classical", "generated", "modern" or
        "written") is a candidate."""
        reason = self.why_not(name, source)
        if reason and (source, name) not in self.counted:
            self.counted.add((source, name))
            self.dropped[(source, reason)] += 1
        return reason is None

    def euphony(self, name):
        """A factor below 1 for two syllables that share their tone, initial or final."""
        (s1, t1), (s2, t2) = self.reading(name)
        i1, f1 = split_syllable(s1)
        i2, f2 = split_syllable(s2)
        factor = 1.0
        if t1 == t2:
            factor *= SAME_TONE
        if i1 and i1 == i2:
            factor *= SAME_INITIAL
        if f1 == f2:
            factor *= SAME_FINAL
        return factor


# ---------------------------------------------------------------- building the lists

def popularity(affinity, first, second):
    """How often real given names (those that lean to the file's sex) use the first character
    in the first place and the second character in the second place, one use added to each:
    the product of the two. It weighs a pair by the evidence of the person-name corpus, so that
    pairs of characters parents really use in those places come before pairs of rare ones."""
    return ((len(affinity.followers.get(first, ())) + 1)
            * (len(affinity.leaders.get(second, ())) + 1))


class Collector:
    """Names gathered for the two files, each once per file, in the order they came, with the
    source ("real", "single", "classical", "generated") that gave them first."""

    def __init__(self):
        self.lists = {"M": [], "F": []}
        self.present = {"M": set(), "F": set()}
        self.kind = {"M": {}, "F": {}}
        self.counts = collections.Counter()

    def add(self, name, source, sexes):
        for sex in sexes:
            if name not in self.present[sex]:
                self.present[sex].add(name)
                self.lists[sex].append(name)
                self.kind[sex][name] = source
                self.counts[(sex, source)] += 1


class Inputs:
    """Everything the lists are made from."""

    def __init__(self, data_dir, curated_dir, jieba_path, unihan_dir,
                 name_characters_path=NAME_CHARACTERS, with_classics=False):
        self.curated = Curated(curated_dir, with_classics)
        chars = CharacterData(data_dir)
        self.unihan = Unihan(unihan_dir)
        self.real = RealNames(jieba_path, self.curated)
        self.rules = Rules(self.curated, chars, self.unihan, self.real,
                           read_characters(name_characters_path), BadWords.from_data(data_dir))


def add_real_and_single(inputs, collector, classical=None):
    """Real two-character given names, most used first; the names from the classics (a dict
    name -> sources, best known first) when given; then the one-character names: the real ones
    first, then every other usable character that is not rare, the ones that real two-character
    names use most first."""
    curated, rules, real = inputs.curated, inputs.rules, inputs.real
    for name in real.by_weight(2):
        if rules.accept(name, "real"):
            collector.add(name, "real", curated.files_of(name))
    if classical:
        for name in classical:
            if rules.accept(name, "classical"):
                collector.add(name, "classical", curated.files_of(name))
    singles = real.by_weight(1)
    found = set(singles)
    uses = collections.Counter(c for g in real.by_weight(2) for c in g)
    # (a rare character stands alone only where a real name has it alone)
    singles += sorted((c for c in rules.usable
                       if c not in found and c not in curated.rare and c not in curated.real_only),
                      key=lambda c: -uses[c])
    for name in singles:
        if rules.accept(name, "single"):
            collector.add(name, "single", curated.files_of(name))


def add_generated(inputs, collector, size):
    """Generated pairs of usable characters, each in a place where it may stand: first the
    pairs with a character that marks the file's sex, then those made only of characters for
    either sex; each group best first by how well the two characters go together (class
    Affinity, learnt from the real names that lean to the sex); until a file holds `size` names
    (a number, or a dict with one for each sex)."""
    curated, rules = inputs.curated, inputs.rules
    real_pairs = inputs.real.by_weight(2)
    lists, present, counts = collector.lists, collector.present, collector.counts
    for sex in "MF":
        leaning = [g for g in real_pairs if curated.leans_to(g, sex)]
        affinity = Affinity(leaning)
        chars = [c for c in rules.usable
                 if sex in curated.sex_of_char[c] and c not in curated.real_only]
        marked, neutral = [], []
        for first in chars:
            for second in chars:
                name = first + second
                if name in present[sex] or not rules.accept(name, "generated"):
                    continue
                score = (affinity.score(first, second) * rules.euphony(name)
                         * popularity(affinity, first, second))
                group = marked if curated.files_of(name) == sex else neutral
                group.append((-score, len(group), name))
        rare_uses = collections.Counter()
        for group in (marked, neutral):
            group.sort()
            for _, _, name in group:
                if len(lists[sex]) >= (size[sex] if isinstance(size, dict) else size):
                    break
                rare = [c for c in name if c in curated.rare]
                if any(rare_uses[c] >= RARE_PER_CHARACTER for c in rare):
                    counts[(sex, "rare character used up")] += 1
                    continue
                rare_uses.update(rare)
                collector.add(name, "generated", sex)


def read_modern(path):
    """The characters of modern_chars.txt for each file: {"M": [...], "F": [...]}; the female:
    and either: lines count for girls, the male: and either: lines for boys."""
    found = read_sexed_characters(path)
    chars = {"M": [], "F": []}
    for sex, lines in (("F", ("female", "either")), ("M", ("male", "either"))):
        for c in found[lines[0]] + found[lines[1]]:
            if c not in chars[sex]:
                chars[sex].append(c)
    return chars


def read_written(path):
    """{"M": [...], "F": [...]}: the names of written_names.txt, lines "male:" or "female:"
    followed by names separated by blanks."""
    found = {"M": [], "F": []}
    for number, line in enumerate(text_lines(path), 1):
        if not line.strip():
            continue
        sex, _, names = line.partition(":")
        sex = {"male": "M", "female": "F"}.get(sex.strip())
        if sex is None:
            raise InputError(f"{path.name}:{number}: a line starts with male: or female:")
        found[sex].extend(names.split())
    return found


def add_written(inputs, collector, written):
    """The names our readers wrote as natural names of today for a sex (written_names.txt),
    that no other source gave, in the order written; each must pass the rules of a real name
    and suit the sex by its characters."""
    curated, rules = inputs.curated, inputs.rules
    for sex in "MF":
        for name in written[sex]:
            if (name not in collector.present[sex] and rules.accept(name, "written")
                    and sex in curated.files_of(name)):
                collector.add(name, "written", sex)


def add_modern(inputs, collector, modern, extra):
    """Pairs made only of the characters most chosen today (`modern`: a list for each file;
    those that suit the file's sex), that no other source gave: best first by the score of add_generated, at most
    extra[sex] of them."""
    curated, rules = inputs.curated, inputs.rules
    real_pairs = inputs.real.by_weight(2)
    for sex in "MF":
        affinity = Affinity([g for g in real_pairs if curated.leans_to(g, sex)])
        chars = [c for c in modern[sex]
                 if c in rules.usable_set and sex in curated.sex_of_char[c]]
        pairs = []
        for first in chars:
            for second in chars:
                name = first + second
                if name in collector.present[sex] or not rules.accept(name, "modern"):
                    continue
                if sex not in curated.files_of(name):
                    continue
                score = (affinity.score(first, second) * rules.euphony(name)
                         * popularity(affinity, first, second))
                pairs.append((-score, len(pairs), name))
        for _, _, name in sorted(pairs)[:extra[sex]]:
            collector.add(name, "modern", sex)


def summary_of(inputs, collector):
    rules, counts = inputs.rules, collector.counts
    summary = [f"curated characters without stroke count, element or in traditional form "
               f"({len(rules.unknown)}): {''.join(rules.unknown)}"]
    labels = (("real", "real"), ("single", "single characters"),
              ("classical", "from the classics"), ("generated", "generated pairs"),
              ("modern", "pairs of characters chosen today"), ("written", "written by our readers"))
    for sex, file_name in (("M", "M.dat"), ("F", "F.dat")):
        parts = [f"{counts[(sex, kind)]} {label}" for kind, label in labels
                 if counts[(sex, kind)] or kind in ("real", "single", "generated")]
        summary.append(f"{file_name}: {len(collector.lists[sex])} names: {', '.join(parts)}; "
                       f"{counts[(sex, 'rare character used up')]} pairs left out because "
                       f"their rare character was used up")
    for (source, reason), count in sorted(rules.dropped.items()):
        summary.append(f"dropped from the {source} names, {reason}: {count}")
    return summary


# ---------------------------------------------------------------- names from the classics

def read_classics(path):
    """The pieces of the extract: (collection, work, popularity, text)."""
    pieces = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if line.startswith("#") or not line:
            continue
        fields = line.split("\t")
        if len(fields) != 6 or fields[0] not in COLLECTIONS or not fields[4].isdigit():
            raise InputError(f"{path.name}:{number}: six fields expected, a known collection "
                             f"first and a number fifth")
        collection, work, _, _, popularity, text = fields
        pieces.append((collection, work, int(popularity), text))
    return pieces


def runs_between(text, breaks):
    """The non-empty runs of characters of a text between characters of `breaks`."""
    found, current = [], []
    for c in text:
        if c in breaks:
            if current:
                found.append("".join(current))
            current = []
        else:
            current.append(c)
    if current:
        found.append("".join(current))
    return found


def clauses(text):
    """The clauses of a text: the runs of characters between punctuation."""
    return runs_between(text, CLAUSE_BREAKS)


# A sentence ends at these; a verse line of two clauses (青青子衿，悠悠我心) is one sentence.
SENTENCE_ENDS = set("。；！？｜;!?")
# The longest sentence quoted whole; a longer one is quoted by its clause alone.
MAX_QUOTE = 24


def sentences(text):
    """The sentences of a text, without the punctuation that ends them."""
    return runs_between(text, SENTENCE_ENDS)


def is_han(c):
    """A character of the CJK unified ideograph blocks (basic and extensions)."""
    code = ord(c)
    return 0x4E00 <= code <= 0x9FFF or 0x3400 <= code <= 0x4DBF or 0x20000 <= code <= 0x3FFFF


def quotable(sentence, bad_chars):
    """Whether a name's source quotes the whole sentence rather than the clause: a verse line of
    Han characters and commas only, two clauses or more, not too long, and no character of bad
    meaning anywhere in it (prose with its 子曰：“ … ” and long lines keep the clause alone)."""
    parts = sentence.split("，")
    return (len(parts) >= 2 and len(sentence) <= MAX_QUOTE and all(parts)
            and all(is_han(c) for part in parts for c in part)
            and not any(c in bad_chars for c in sentence))


def classical_names(pieces, name_chars, bad_chars):
    """{name: [(work, clause), ...]}: every pair of name characters that stand in one clause in
    that order, side by side or with one character between, from a clause without a character
    of bad meaning; each name with its sources best known first (the collection's place in
    COLLECTIONS, then whether the work's title holds the name, then the piece's popularity,
    then its place in the extract), at most MAX_SOURCES different ones. Names come in the
    order of their best source."""
    found = collections.defaultdict(list)
    for order, (collection, work, popularity, text) in enumerate(pieces):
        rank = (COLLECTIONS.index(collection), -popularity, order)
        for sentence in sentences(text):
            quote_whole = quotable(sentence, bad_chars)
            for clause in clauses(sentence):
                if any(c in bad_chars for c in clause):
                    continue
                quote = sentence if quote_whole else clause
                for i, first in enumerate(clause):
                    if first not in name_chars:
                        continue
                    for second in clause[i + 1:i + 3]:
                        if second in name_chars:
                            found[first + second].append((rank, work, quote))
    names = {}
    for name, found_sources in found.items():
        # within a collection, a piece whose title holds the name comes first (采薇采薇 in
        # 《诗经·小雅·采薇》 before 言采其薇 in 《诗经·召南·草虫》)
        sources = [((rank[0], name not in work) + rank[1:], work, clause)
                   for rank, work, clause in found_sources]
        kept = []
        for _, work, clause in sorted(sources):
            if (work, clause) not in kept:
                kept.append((work, clause))
        names[name] = (min(sources)[0], kept[:MAX_SOURCES])
    return {name: names[name][1] for name in sorted(names, key=lambda n: (names[n][0], n))}


def standard_levels(data_dir):
    """The characters of the first two levels of the general standard character table."""
    levels = (data_dir / "standard_chars.txt").read_text(encoding="utf-8").splitlines()
    if len(levels) != 4:
        raise InputError("data/standard_chars.txt needs 4 lines")
    return set(levels[0]) | set(levels[1])


# ---------------------------------------------------------------- the graded lists

def read_grades(path):
    """{name: (grade, reason)} of a grade table: lines name TAB grade TAB reason; grade 3 needs a
    reason."""
    grades = {}
    if not path.exists():
        return grades
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        name = fields[0].strip()
        grade = fields[1].strip() if len(fields) > 1 else ""
        reason = fields[2].strip() if len(fields) > 2 else ""
        if not 1 <= len(name) <= 2 or grade not in ("1", "2", "3"):
            raise InputError(f"{path.name}:{number}: name, TAB, grade 1, 2 or 3 expected")
        if grade == "3" and not reason:
            raise InputError(f"{path.name}:{number}: grade 3 without a reason")
        if name in grades:
            raise InputError(f"{path.name}:{number}: {name} graded twice")
        grades[name] = (int(grade), reason)
    return grades


def format_grades(grades):
    """A grade table's text, names in code point order."""
    return "".join(f"{name}\t{grade}\t{reason}".rstrip("\t") + "\n"
                   for name, (grade, reason) in sorted(grades.items()))


def shipped_grade(name, grade, dated):
    """The grade a name ships with: the names of the fifties to the eighties (dated_names.txt,
    or a second character of DATED_SECOND) are graded 2 at best."""
    if grade == 1 and (name in dated or (len(name) == 2 and name[1] in DATED_SECOND)):
        return 2
    return grade


def varied(names, window=VARIETY_WINDOW, most=VARIETY_MAX, lookahead=VARIETY_LOOKAHEAD):
    """The names in nearly their order, with a name put off while its last character already
    ends `most` of the last `window` names placed, when one of the next `lookahead` names does
    not; the order is kept where no such name is at hand."""
    pending = list(names)
    placed = []
    recent = collections.deque()
    ends = collections.Counter()
    while pending:
        pick = 0
        for i, name in enumerate(pending[:lookahead]):
            if ends[name[-1]] < most:
                pick = i
                break
        name = pending.pop(pick)
        placed.append(name)
        recent.append(name[-1])
        ends[name[-1]] += 1
        if len(recent) > window:
            ends[recent.popleft()] -= 1
    return placed


def interleave(queues):
    """One list from several, taking from each in turn while it lasts."""
    merged = []
    iterators = [iter(q) for q in queues]
    while iterators:
        alive = []
        for it in iterators:
            name = next(it, None)
            if name is not None:
                merged.append(name)
                alive.append(it)
        iterators = alive
    return merged


def shipped_tiers(pool, grade, is_dated, kind, dated_share=None):
    """The names of a pool that ship, in three tiers: grade 1, grade 2, and the dated names. A
    dated name ships only where real people bear it, never as a made pair, and only the best known
    of them, as many as `dated_share` (DATED_SHARE) of the other two tiers (the pool holds real
    names most used first); the tiers keep the order of the pool."""
    dated_share = DATED_SHARE if dated_share is None else dated_share
    tiers = [[], [], []]
    for name in pool:
        g = grade(name)
        if g > 2:
            continue
        if is_dated(name):
            if kind[name] == "real":
                tiers[2].append(name)
        else:
            tiers[g - 1].append(name)
    del tiers[2][int(dated_share * (len(tiers[0]) + len(tiers[1]))):]
    return tiers


class Graded:
    """The pool of names made to be graded, the names from the classics with their sources, the
    grades, and (once the grade tables cover the pool) the files."""

    def __init__(self, data_dir, curated_dir, jieba_path, unihan_dir,
                 name_characters_path=NAME_CHARACTERS, classics_path=CLASSICS,
                 grade_files=None):
        self.inputs = inputs = Inputs(data_dir, curated_dir, jieba_path, unihan_dir,
                                      name_characters_path, with_classics=True)
        curated, rules = inputs.curated, inputs.rules
        self.bad_chars = set(read_reasons(curated_dir / "classics_bad_chars.txt"))
        self.bad_chars |= curated.excluded
        name_chars = (set(rules.usable) - inputs.curated.real_only) & standard_levels(data_dir)
        self.sources = classical_names(read_classics(classics_path), name_chars, self.bad_chars)
        self.dated = set(read_tokens(curated_dir / "dated_names.txt"))
        self.collector = Collector()
        add_real_and_single(inputs, self.collector, self.sources)
        add_generated(inputs, self.collector, POOL_SIZE)
        add_modern(inputs, self.collector, read_modern(curated_dir / "modern_chars.txt"),
                   MODERN_EXTRA)
        add_written(inputs, self.collector, read_written(curated_dir / "written_names.txt"))
        self.pool = self.collector.lists
        grade_files = grade_files or GRADE_FILES
        self.grades = {sex: read_grades(grade_files[sex]) for sex in "MF"}

    def ungraded(self, sex):
        return [n for n in self.pool[sex] if n not in self.grades[sex]]

    def grade(self, sex, name):
        return shipped_grade(name, self.grades[sex][name][0], self.dated)

    def is_dated(self, name):
        """A name of the fifties to the eighties: dated_names.txt, or a second character of
        DATED_SECOND."""
        return name in self.dated or name[-1] in DATED_SECOND

    def lists(self):
        """{"M": [...], "F": [...]}: the names graded 1 and 2, best first: grade 1, then grade 2,
        then the dated names (grade 2 at best); in each of these the two-character names before
        the one-character ones (which the dated names do not include). Among the two-character
        names of a tier the real names (most used first), the names from the classics (best
        known source first) and the generated pairs (best score first) take turns, put in an
        order where no last character crowds a stretch of the list (function varied)."""
        result = {}
        for sex in "MF":
            missing = self.ungraded(sex)
            if missing:
                raise InputError(f"{sex}: {len(missing)} names without a grade, for example "
                                 f"{' '.join(missing[:10])}")
            kind = self.collector.kind[sex]
            tiers = shipped_tiers(self.pool[sex], lambda n: self.grade(sex, n), self.is_dated,
                                  kind)
            ordered = []
            for names in tiers:
                queues = [[n for n in names if kind[n] == k and len(n) == 2]
                          for k in ("real", "classical", "generated", "modern", "written")]
                ordered += varied(interleave(queues))
                ordered += [n for n in names if len(n) == 1]
            if len(ordered) < MIN_SHIPPED:
                raise InputError(f"{sex}.dat would hold {len(ordered)} names, "
                                 f"fewer than {MIN_SHIPPED}")
            two = sum(len(n) == 2 for n in ordered)
            if two < 0.9 * len(ordered):
                raise InputError(f"{sex}.dat: only {two} of {len(ordered)} names have two "
                                 f"characters")
            result[sex] = ordered
        return result

    def table(self, lists):
        """The text of data/names.tsv: name, M/F/both, grade, work, clause; one line per source
        (one line with empty work and clause for a name without one); names of M.dat in file
        order, then the rest of F.dat. A name of both files has the better of its grades."""
        lines = []
        files = {sex: set(lists[sex]) for sex in "MF"}
        seen = set()
        for name in lists["M"] + lists["F"]:
            if name in seen:
                continue
            seen.add(name)
            sexes = [sex for sex in "MF" if name in files[sex]]
            sex = "both" if len(sexes) == 2 else sexes[0]
            grade = min(self.grade(s, name) for s in sexes)
            for work, clause in self.sources.get(name, [("", "")]):
                lines.append(f"{name}\t{sex}\t{grade}\t{work}\t{clause}\n")
        return "".join(lines)

    def pool_lines(self, sex):
        """The pool of a file for reading: the name, and for a name from the classics a TAB and
        the clause of its best source."""
        lines = []
        for name in self.pool[sex]:
            sources = self.sources.get(name)
            lines.append(f"{name}\t{sources[0][1]}" if sources else name)
        return lines


BATCH_SIZE = 1500


def write_pool(graded, directory):
    """Write pool_M.txt and pool_F.txt, and the names of the pool that no batch of the
    directory holds yet as new batches (batch_M_NN.txt), numbered after the last one; batches
    already written are never changed."""
    directory.mkdir(parents=True, exist_ok=True)
    written = []
    for sex in "MF":
        lines = graded.pool_lines(sex)
        (directory / f"pool_{sex}.txt").write_text("".join(l + "\n" for l in lines),
                                                   encoding="utf-8")
        batched = set()
        last = 0
        for path in sorted(directory.glob(f"batch_{sex}_*.txt")):
            last = max(last, int(path.stem.rsplit("_", 1)[1]))
            batched.update(l.split("\t", 1)[0] for l in
                           path.read_text(encoding="utf-8").splitlines() if l)
        new = [l for l in lines if l.split("\t", 1)[0] not in batched
               and l.split("\t", 1)[0] not in graded.grades[sex]]
        for start in range(0, len(new), BATCH_SIZE):
            last += 1
            path = directory / f"batch_{sex}_{last:02d}.txt"
            path.write_text("".join(l + "\n" for l in new[start:start + BATCH_SIZE]),
                            encoding="utf-8")
            written.append(path.name)
    return written


def merge_graded(directory, grade_files=None, reread=False, rescue=False):
    """Add the grades of the graded files of a directory (graded_M_NN.tsv) to the grade
    tables; a name graded already keeps its grade, unless `reread` (a second reading): then a
    name either reading rejects is rejected (a new 3 with its reason marked "复读："), and a name
    both accept keeps the better of the two grades; or `rescue` (a reading of names rejected
    only as a clumsy pairing): a name it accepts takes its grade. Returns the files read."""
    grade_files = grade_files or GRADE_FILES
    read = []
    for sex in "MF":
        grades = read_grades(grade_files[sex])
        for path in sorted(directory.glob(f"graded_{sex}_*.tsv")):
            for name, (grade, reason) in read_grades(path).items():
                if name not in grades:
                    grades[name] = (grade, reason)
                elif rescue:
                    if grades[name][0] == 3 and grade < 3:
                        grades[name] = (grade, reason)
                elif reread and grade == 3 and grades[name][0] != 3:
                    marked = reason if reason.startswith("复读") else "复读：" + reason
                    grades[name] = (grade, marked)
                elif reread and grades[name][0] != 3 and grade < grades[name][0]:
                    grades[name] = (grade, reason)
            read.append(path.name)
        grade_files[sex].write_text(format_grades(grades), encoding="utf-8")
    return read


def file_bytes(names):
    """The candidate file: the count, then one name per line; GBK, CR LF."""
    lines = [str(len(names))] + names
    return "".join(line + "\r\n" for line in lines).encode("gbk")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the files in data/ instead of writing them")
    parser.add_argument("--data", type=pathlib.Path, default=ROOT / "data",
                        help="directory with strokes.txt, elements.txt, traditional.txt; "
                             "M.dat, F.dat and names.tsv are written there")
    parser.add_argument("--pool", type=pathlib.Path, metavar="DIR",
                        help="write the pool of names to be graded and its new batches to DIR")
    parser.add_argument("--merge", type=pathlib.Path, metavar="DIR",
                        help="add the graded files of DIR (graded_M_01.tsv ...) to the tables")
    parser.add_argument("--reread", action="store_true",
                        help="with --merge: DIR holds a second reading, whose grades replace "
                             "the earlier ones")
    parser.add_argument("--rescue", action="store_true",
                        help="with --merge: DIR holds a reading of rejected names, whose 1 and 2 "
                             "replace the earlier 3")
    args = parser.parse_args()
    try:
        if args.merge:
            read = merge_graded(args.merge, reread=args.reread, rescue=args.rescue)
            print(f"merged: {' '.join(read) or 'nothing'}", file=sys.stderr)
        graded = Graded(args.data, HERE, JIEBA_DICT, UNIHAN_DIR)
        summary = "\n".join(summary_of(graded.inputs, graded.collector))
        if args.pool:
            written = write_pool(graded, args.pool)
            print(f"new batches: {' '.join(written) or 'none'}", file=sys.stderr)
            for sex in "MF":
                print(f"{sex}: {len(graded.ungraded(sex))} of {len(graded.pool[sex])} "
                      f"names without a grade", file=sys.stderr)
            print(summary, file=sys.stderr)
            return 0
        lists = graded.lists()
    except InputError as error:
        print(f"generate.py: {error}", file=sys.stderr)
        return 2
    outputs = {args.data / f"{sex}.dat": file_bytes(lists[sex]) for sex in "MF"}
    outputs[args.data / NAMES_TABLE] = graded.table(lists).encode("utf-8")
    for sex, file_name in (("M", "M.dat"), ("F", "F.dat")):
        names = lists[sex]
        summary += (f"\n{file_name} ships {len(names)} names graded 1 or 2 "
                    f"({sum(len(n) == 2 for n in names)} of two characters, "
                    f"{sum(graded.grade(sex, n) == 1 for n in names)} graded 1)")
    print(summary, file=sys.stderr)
    status = 0
    for path, content in outputs.items():
        if args.check:
            if not path.exists() or path.read_bytes() != content:
                print(f"{path} differs from what the generator builds", file=sys.stderr)
                status = 1
        else:
            path.write_bytes(content)
    return status


if __name__ == "__main__":
    sys.exit(main())
