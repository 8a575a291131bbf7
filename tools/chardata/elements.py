"""The five element character lists, in the order 金 木 水 火 土."""

import collections

from tables import read_lines
from unihan import pinyin_initial, plain_pinyin

ELEMENTS = "金木水火土"
MARK = "*"

_BY_INITIAL = {}
for _initials, _element in (("b p m f h", "水"), ("d t n l", "火"), ("g k j q", "木"),
                            ("z c s zh ch sh r", "金")):
    for _initial in _initials.split():
        _BY_INITIAL[_initial] = _element

# Borderline groups: characters whose element may move between two lists to balance them.
# name: (from, to, test on (initial, cantonese initial)).
_BORDERLINE = (
    ("zh ch", "金", "火", lambda ini, can: ini in ("zh", "ch")),
    ("zh ch", "火", "金", lambda ini, can: ini in ("zh", "ch")),
    ("j q", "木", "金", lambda ini, can: ini in ("j", "q")),
    ("j q", "金", "木", lambda ini, can: ini in ("j", "q")),
    ("x", "水", "金", lambda ini, can: ini == "x"),
    ("ng", "土", "木", lambda ini, can: ini == "" and can == "ng"),
    ("ng", "木", "土", lambda ini, can: ini == "" and can == "ng"),
)


def cantonese_initial(syllable):
    for two in ("ng", "gw", "kw"):
        if syllable.startswith(two):
            return two
    return syllable[:1] if syllable[:1] and syllable[:1] in "bpmfdtnlgkhzcsjw" else ""


class ElementTable:
    def __init__(self):
        self.length = {}
        self.begin = {}
        self.end = {}
        self.marks = collections.defaultdict(list)
        self.fixed = {}
        self.radicals = {}
        self.refine = {}
        for number, words in read_lines("element_table.txt"):
            key, args = words[0], words[1:]
            if key == "length":
                self.length[args[0]] = int(args[1])
            elif key == "begin":
                self.begin[args[0]] = args[1]
            elif key == "end":
                self.end[args[0]] = args[1]
            elif key == "mark":
                self.marks[args[0]].append(int(args[1]))
            elif key == "fixed":
                for ch in args[0]:
                    self.fixed[ch] = args[1]
            elif key == "radical":
                self.radicals[int(args[0])] = args[1]
            elif key == "refine":
                self.refine[int(args[0])] = args[1]
            else:
                raise ValueError(f"element_table.txt:{number}: unknown keyword {key}")


class Classifier:
    def __init__(self, uh, table):
        self.uh = uh
        self.table = table
        self.radicals = dict(table.radicals)

    def reading(self, ch):
        syllable = self.uh.mandarin(ch)
        letters, tone = plain_pinyin(syllable) if syllable else ("", 0)
        return letters, tone

    def initial(self, ch):
        return pinyin_initial(self.reading(ch)[0])

    def meaning(self, ch):
        """The element that the character's sense gives, if any: stems and branches, radicals."""
        if ch in self.table.fixed:
            return self.table.fixed[ch]
        radical, _ = self.uh.unicode_radical_stroke(ch)
        return self.radicals.get(radical)

    def sound(self, ch):
        """The element of the initial of the Mandarin reading; the older reading (kept in the
        Cantonese one) decides x (sibilant: 金, else 水) and w (from m: 水)."""
        letters, _ = self.reading(ch)
        ini = pinyin_initial(letters)
        can = cantonese_initial(self.uh.cantonese(ch))
        if ini == "x":
            return "金" if can in ("s", "z", "c") else "水"
        if ini == "":
            return "水" if can == "m" else "土"
        return _BY_INITIAL[ini]

    def element(self, ch):
        return self.meaning(ch) or self.sound(ch)

    def movable(self, ch):
        """The borderline groups this character belongs to (none where its sense decides)."""
        if self.meaning(ch):
            return []
        ini = self.initial(ch)
        can = cantonese_initial(self.uh.cantonese(ch))
        return [(src, dst) for _, src, dst, test in _BORDERLINE if test(ini, can)]


def name_pool(uh, exclude):
    """Characters beyond GB 2312 that names use: the GBK characters of the 2013 general standard
    table in table order (its third level serves personal and place names), simplified forms
    only."""
    out = []
    for ch, props in uh.props.items():
        number = uh.tgh(ch)
        if number is None or ch in uh.gb0 or not uh.is_gbk(ch) or ch in exclude:
            continue
        simplified = [s for s in uh.variants(ch, "kSimplifiedVariant") if s != ch]
        if simplified:
            continue
        out.append((number, ch))
    return [ch for _, ch in sorted(out)]


def build(uh, exclude, names=frozenset()):
    """Returns (lists, report). `exclude` holds characters that must not enter the lists
    (traditional forms of the pairs); `names` the characters that names use (the candidate
    generator's lists, its surnames and the name characters), which balancing moves last."""
    table = ElementTable()
    classifier = Classifier(uh, table)
    quoted = {}
    for element in ELEMENTS:
        for ch in table.begin[element] + table.end[element]:
            if ch != MARK:
                quoted[ch] = element
    han_total = sum(table.length[e] - len(table.marks[e]) for e in ELEMENTS)

    pool = list(dict.fromkeys([c for c in uh.gb2312 if c not in exclude] + list(quoted)))
    extra = [c for c in name_pool(uh, exclude) if c not in quoted]
    need = han_total - len(pool)
    pool += extra[:need]

    element = {ch: quoted.get(ch) or classifier.element(ch) for ch in pool}
    members = {e: [c for c in pool if element[c] == e] for e in ELEMENTS}
    target = {e: table.length[e] - len(table.marks[e]) for e in ELEMENTS}

    moves = balance(uh, classifier, members, target, quoted)
    for ch, src, dst in moves:
        element[ch] = dst
    # The later radical rules apply to the balanced lists, and a second balancing that moves
    # the characters names use last makes up for them: every element the first balancing gave
    # stays as it was, except where a later rule or the second balancing changes it.
    refined = []
    for ch in pool:
        radical, _ = uh.unicode_radical_stroke(ch)
        new = table.refine.get(radical)
        if new and ch not in quoted and ch not in table.fixed and element[ch] != new:
            refined.append((ch, element[ch], new))
            element[ch] = new
    classifier.radicals.update(table.refine)
    members = {e: [c for c in pool if element[c] == e] for e in ELEMENTS}
    second = balance(uh, classifier, members, target, quoted, names)
    for ch, src, dst in second:
        element[ch] = dst
    members = {e: [c for c in pool if element[c] == e] for e in ELEMENTS}

    lists = []
    for e in ELEMENTS:
        head, tail = table.begin[e], table.end[e]
        fixed = set(head + tail)
        body = sorted((c for c in members[e] if c not in fixed), key=lambda c: (
            uh.total_strokes(c, traditional=False), classifier.reading(c), ord(c)))
        text = list(head) + body + list(tail)
        for position in sorted(table.marks[e]):
            if position - 1 >= len(head) and text[position - 1] != MARK:
                text.insert(position - 1, MARK)
        lists.append("".join(text))
    check(table, lists)
    report = {"moves": moves, "refined": refined, "second": second, "extra": extra[:need], "pool": pool, "classifier": classifier,
              "quoted": quoted, "element": element}
    return lists, report


def balance(uh, classifier, members, target, quoted, names=frozenset()):
    """Moves borderline characters between lists until every list has its target size.
    Returns the moves as (character, from, to). Moves follow shortest paths from lists that are
    too long to lists that are too short; characters that names use move last, and within each
    kind the least used characters of a group move first."""
    size = {e: len(members[e]) for e in ELEMENTS}
    movable = collections.defaultdict(list)
    for e in ELEMENTS:
        for ch in members[e]:
            if ch in quoted:
                continue
            for src, dst in classifier.movable(ch):
                if src == e:
                    movable[(src, dst)].append(ch)
    for key in movable:
        movable[key].sort(key=uh.usage_key, reverse=True)
        movable[key].sort(key=lambda c: c in names)
    moves = []
    moved = set()
    while True:
        surplus = [e for e in ELEMENTS if size[e] > target[e]]
        if not surplus:
            break
        path = None
        for start in surplus:
            # Breadth-first search over edges that still have characters to move.
            prev = {start: None}
            queue = [start]
            while queue and path is None:
                node = queue.pop(0)
                for (src, dst), chars in sorted(movable.items()):
                    if src != node or dst in prev:
                        continue
                    if not any(c not in moved for c in chars):
                        continue
                    prev[dst] = node
                    if size[dst] < target[dst]:
                        path = []
                        at = dst
                        while prev[at] is not None:
                            path.append((prev[at], at))
                            at = prev[at]
                        path.reverse()
                        break
                    queue.append(dst)
            if path:
                break
        if path is None:
            raise SystemExit(f"element lists cannot be balanced: {size} want {target}")
        for src, dst in path:
            ch = next(c for c in movable[(src, dst)] if c not in moved)
            moved.add(ch)
            moves.append((ch, src, dst))
            size[src] -= 1
            size[dst] += 1
    return moves


def check(table, lists):
    seen = set()
    for e, text in zip(ELEMENTS, lists):
        if len(text) != table.length[e]:
            raise SystemExit(f"{e} list has {len(text)} characters, want {table.length[e]}")
        marks = [i + 1 for i, ch in enumerate(text) if ch == MARK]
        if marks != sorted(table.marks[e]):
            raise SystemExit(f"{e} list has marks at {marks}, want {table.marks[e]}")
        if not text.startswith(table.begin[e]) or not text.endswith(table.end[e]):
            raise SystemExit(f"{e} list does not keep its fixed beginning and end")
        han = [ch for ch in text if ch != MARK]
        if len(set(han)) != len(han) or seen & set(han):
            raise SystemExit(f"{e} list repeats a character")
        seen |= set(han)
