#!/usr/bin/python3
"""Build the candidate given-name files data/M.dat (boys) and data/F.dat (girls).

Usage:
    tools/candidates/generate.py            write data/M.dat and data/F.dat
    tools/candidates/generate.py --check    rebuild in memory, exit 1 if the files differ

Inputs (see README.md for every rule):
    data/strokes.txt, data/elements.txt, data/traditional.txt   the program's character data
    data/readings.txt, data/bad_words.txt                       the sound data (tools/sound)
    tools/candidates/*.txt                                      our curated lists
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

# How many names each file holds: generated pairs fill it up to FILE_SIZE; fewer than
# MIN_NAMES is an error.
FILE_SIZE = 30500
MIN_NAMES = 30000

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
    """The characters that only begin a name and those that only end one."""
    places = {"first": set(), "second": set()}
    for number, line in enumerate(text_lines(path), 1):
        if not line.strip():
            continue
        place, _, chars = line.partition(":")
        if place.strip() not in places:
            raise InputError(f"{path.name}:{number}: a line starts with first: or second:")
        places[place.strip()].update(c for c in chars if not c.isspace())
    both = places["first"] & places["second"]
    if both:
        raise InputError(f"{path.name}: both first and second only: {''.join(sorted(both))}")
    return places["first"], places["second"]


class Curated:
    """All hand-made inputs of this directory."""

    def __init__(self, directory):
        self.male = read_characters(directory / "chars_male.txt")
        self.female = read_characters(directory / "chars_female.txt")
        self.either = read_characters(directory / "chars_either.txt")
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
        self.first_only, self.second_only = read_places(directory / "places.txt")
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
        known = "".join(c for c in name if c in self.sex_of_char)
        return bool(known) and sex in self.files_of(known)

    def out_of_place(self, name):
        """A two-character name with a character where it does not stand (a repeated
        character stands in both places; reduplications.txt rules on those)."""
        if name[0] == name[1]:
            return False
        return name[0] in self.second_only or name[1] in self.first_only

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
        limit = WORD_FREQUENCY_REAL if source == "real" else WORD_FREQUENCY_GENERATED
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
            if self.curated.out_of_place(name):
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
            if source == "generated" and all(c in self.curated.rare for c in name):
                return "two rare characters"
        return None

    def accept(self, name, source):
        """Whether a name from source ("real", "single" or "generated") is a candidate."""
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


def build(data_dir, curated_dir, jieba_path, unihan_dir, name_characters_path=NAME_CHARACTERS):
    """The two candidate lists: {"M": [...], "F": [...]} and a summary text."""
    curated = Curated(curated_dir)
    chars = CharacterData(data_dir)
    unihan = Unihan(unihan_dir)
    real = RealNames(jieba_path, curated)
    rules = Rules(curated, chars, unihan, real, read_characters(name_characters_path),
                  BadWords.from_data(data_dir))

    lists = {"M": [], "F": []}
    present = {"M": set(), "F": set()}
    counts = collections.Counter()

    def add(name, source, sexes):
        for sex in sexes:
            if name not in present[sex]:
                present[sex].add(name)
                lists[sex].append(name)
                counts[(sex, source)] += 1

    # 1. real two-character given names, most used first
    for name in real.by_weight(2):
        if rules.accept(name, "real"):
            add(name, "real", curated.files_of(name))

    # 2. one-character names: the real ones first, then every other usable character that is
    # not rare, the ones that real two-character names use most first
    singles = real.by_weight(1)
    found = set(singles)
    uses = collections.Counter(c for g in real.by_weight(2) for c in g)
    # (a rare character stands alone only where a real name has it alone)
    singles += sorted((c for c in rules.usable if c not in found and c not in curated.rare),
                      key=lambda c: -uses[c])
    for name in singles:
        if rules.accept(name, "single"):
            add(name, "single", curated.files_of(name))

    # 3. generated pairs of usable characters, each in a place where it may stand: first the
    # pairs with a character that marks the file's sex, then those made only of characters for
    # either sex; each group best first by how well the two characters go together (class
    # Affinity, learnt from the real names that lean to the sex); until the file is full
    real_pairs = real.by_weight(2)
    for sex in "MF":
        leaning = [g for g in real_pairs if curated.leans_to(g, sex)]
        affinity = Affinity(leaning)
        chars = [c for c in rules.usable if sex in curated.sex_of_char[c]]
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
                if len(lists[sex]) >= FILE_SIZE:
                    break
                rare = [c for c in name if c in curated.rare]
                if any(rare_uses[c] >= RARE_PER_CHARACTER for c in rare):
                    counts[(sex, "rare character used up")] += 1
                    continue
                rare_uses.update(rare)
                add(name, "generated", sex)

    summary = [f"curated characters without stroke count, element or in traditional form "
               f"({len(rules.unknown)}): {''.join(rules.unknown)}"]
    for sex, file_name in (("M", "M.dat"), ("F", "F.dat")):
        summary.append(f"{file_name}: {len(lists[sex])} names: {counts[(sex, 'real')]} real, "
                       f"{counts[(sex, 'single')]} single characters, "
                       f"{counts[(sex, 'generated')]} generated pairs; "
                       f"{counts[(sex, 'rare character used up')]} pairs left out because "
                       f"their rare character was used up")
    for (source, reason), count in sorted(rules.dropped.items()):
        summary.append(f"dropped from the {source} names, {reason}: {count}")
    for sex in "MF":
        if not MIN_NAMES <= len(lists[sex]) <= FILE_SIZE:
            raise InputError(f"{sex}.dat would hold {len(lists[sex])} names, "
                             f"outside {MIN_NAMES}..{FILE_SIZE}\n" + "\n".join(summary))
    return lists, "\n".join(summary)


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
                             "M.dat and F.dat are written there")
    args = parser.parse_args()
    try:
        lists, summary = build(args.data, HERE, JIEBA_DICT, UNIHAN_DIR)
    except InputError as error:
        print(f"generate.py: {error}", file=sys.stderr)
        return 2
    print(summary, file=sys.stderr)
    status = 0
    for sex in "MF":
        path = args.data / f"{sex}.dat"
        content = file_bytes(lists[sex])
        if args.check:
            if not path.exists() or path.read_bytes() != content:
                print(f"{path} differs from what the generator builds", file=sys.stderr)
                status = 1
        else:
            path.write_bytes(content)
    return status


if __name__ == "__main__":
    sys.exit(main())
