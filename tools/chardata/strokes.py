"""The stroke dictionary: 33 lists, list k holding the characters that numerology counts as k."""

import collections

from tables import read_lines
from unihan import NUMERALS, radical_strokes

LISTS = 33

# Radicals that are drawn in a shortened form on the side of a character, with the stroke counts
# of the shortened drawing and of the full form, for the independent check.
_SHORT_FORMS = {
    85: ({3}, 4),  # 氵 水
    64: ({3}, 4),  # 扌 手
    61: ({3}, 4),  # 忄 心
    94: ({3}, 4),  # 犭 犬
    113: ({4}, 5),  # 礻 示
    96: ({4}, 5),  # 王 玉
    140: ({3, 4}, 6),  # 艹 艸
    145: ({5}, 6),  # 衤 衣
    130: ({4}, 6),  # 月 肉
    162: ({3, 4}, 7),  # 辶 辵
    163: ({2, 3}, 7),  # 阝 邑 (right; 2 strokes in the mainland count)
    170: ({2, 3}, 8),  # 阝 阜 (left)
    122: ({5}, 6),  # 罒 网
    125: ({4}, 6),  # 耂 老
    184: ({8}, 9),  # 飠 食
}


class StrokeTable:
    """The hand-made shape of the dictionary, read from stroke_table.txt."""

    def __init__(self):
        self.chars = [0] * (LISTS + 1)
        self.effective = [0] * (LISTS + 1)
        self.fixed = {}
        self.begin = {}
        self.place = {}
        self.multi = {}
        self.exclude = set()
        self.add = []
        self.require = []
        self.prefer = set()
        for number, words in read_lines("stroke_table.txt"):
            key, args = words[0], words[1:]
            if key == "size":
                k = int(args[0])
                self.chars[k], self.effective[k] = int(args[1]), int(args[2])
            elif key == "fixed":
                self.fixed[int(args[0])] = args[1]
            elif key == "begin":
                self.begin[int(args[0])] = args[1]
            elif key == "place":
                self.place[args[0]] = int(args[1])
            elif key == "multi":
                self.multi[args[0]] = [int(a) for a in args[1:]]
            elif key == "exclude":
                self.exclude.update(args)
            elif key == "add":
                self.add.extend(args)
            elif key == "prefer":
                self.prefer.update("".join(args))
            elif key == "require":
                self.require.extend(args)
            else:
                raise ValueError(f"stroke_table.txt:{number}: unknown keyword {key}")

    def pinned(self):
        """Characters whose place the table settles: fixed lists and beginnings, hand
        placements, several lists, preferred and required characters, the numerals."""
        chars = set(self.require) | self.prefer | set(self.place) | set(self.multi)
        chars.update(NUMERALS)
        for text in list(self.fixed.values()) + list(self.begin.values()):
            chars.update(text)
        return chars


def make_room(chosen, wanted, protected, unsuitable):
    """The characters of `chosen` (a list's characters, most preferred first) that give way to
    the name characters `wanted`: unsuitable characters first, then the least preferred; the
    least preferred first within each group. Protected characters never give way. Returns the
    displaced characters in the order they were taken; raises SystemExit when too few can go."""
    if not wanted:
        return []
    movable = [(ch not in unsuitable, -i, ch) for i, ch in enumerate(chosen)
               if ch not in protected]
    if len(movable) < len(wanted):
        raise SystemExit(f"no room for the name characters {''.join(wanted)}: only "
                         f"{len(movable)} characters of their list may give way")
    return [ch for _, _, ch in sorted(movable)[:len(wanted)]]


class Counter:
    """Numerology counts of characters and of their traditional forms."""

    def __init__(self, uh, keep_own, shown):
        self.uh = uh
        self.keep_own = keep_own
        self.shown = shown

    def count(self, form):
        """The numerology count of one (traditional) form: the full form of its Kangxi radical
        plus the residual strokes; the drawn total where the residual is 0 or less, and where the
        character is drawn with more strokes than that sum (the residual counts the rest short,
        as in 泰 露 政: the drawn total less the residual exceeds the full radical); the numerals
        by their value."""
        if form in NUMERALS:
            return NUMERALS[form]
        radical, residual = self.uh.kangxi_radical_stroke(form)
        drawn = self.uh.total_strokes(form, traditional=True)
        if residual <= 0:
            return drawn
        full = radical_strokes(radical) + residual
        if drawn is not None and drawn > full:
            return drawn
        return full

    def independent_count(self, form):
        """A second count from other fields: the drawn total plus the difference between the full
        and the shortened drawing of the radical (radical and residual from kRSUnicode)."""
        if form in NUMERALS:
            return NUMERALS[form]
        total = self.uh.total_strokes(form, traditional=True)
        radical, residual = self.uh.unicode_radical_stroke(form)
        drawn = total - residual
        if radical in _SHORT_FORMS:
            short, full = _SHORT_FORMS[radical]
            if drawn in short:
                total += full - drawn
        return total

    def traditional_variants(self, ch):
        return [t for t in self.uh.variants(ch, "kTraditionalVariant") if t != ch]

    def form(self, ch):
        """The form that decides the count of `ch`: the character itself where it keeps its own
        form; else the form the conversion shows it in, where it has a pair, so that the count
        and the report's traditional form agree; else its standard traditional form
        (unihan.standard_traditional); else itself."""
        if ch in self.keep_own:
            return ch
        if ch in self.shown:
            return self.shown[ch]
        return self.uh.standard_traditional(ch) or ch

    def other_forms(self, ch):
        """Forms of `ch` other than the deciding one, each with its count, in code order."""
        main = self.form(ch)
        forms = set(self.traditional_variants(ch))
        counterpart = self.uh.gb12345_counterpart(ch)
        if counterpart:
            forms.add(counterpart)
        if ch in self.uh.variants(ch, "kTraditionalVariant") or ch in self.keep_own:
            forms.add(ch)
        forms.discard(main)
        return sorted(((f, self.count(f)) for f in forms if self.uh.get(f, "kRSUnicode")),
                      key=lambda item: ord(item[0]))


def build(uh, keep_own, pair_traditionals, shown, names, name_lists):
    """Returns (lists, report): lists[k] is the text of list k (index 0 unused); report
    collects what the README lists (choices made while building). `names` are the characters
    that must get a count (name_characters.txt), `name_lists` the candidate generator's lists
    (tables.NameLists) that tell which characters names use and which they avoid."""
    table = StrokeTable()
    counter = Counter(uh, keep_own, shown)
    report = {"dropped": collections.defaultdict(list), "further": [], "repeats": [],
              "same_form": [], "check": [], "displaced": []}

    bad = [c for c in names if c in table.exclude or c in pair_traditionals]
    if bad:
        raise SystemExit(f"name characters that cannot have a count: {''.join(bad)}")
    gb2312 = set(uh.gb2312)
    candidates = [c for c in uh.gb2312 + table.add
                  if c not in table.exclude and c not in pair_traditionals]
    candidates += [c for c in names if c not in gb2312 and c not in table.add]
    name_set = set(names)
    protected = (table.pinned() | name_set | name_lists.curated
                 | name_lists.surname_chars)
    level = {c: (c not in table.prefer, uh.gb_level(c), uh.usage_key(c)) for c in candidates}

    # Lowest list of every character in a fixed list.
    fixed_lowest = {}
    for k in sorted(table.fixed):
        for ch in table.fixed[k]:
            fixed_lowest.setdefault(ch, k)
    for ch, k in table.place.items():
        fixed_lowest[ch] = min(k, fixed_lowest.get(ch, k))

    primary = {}
    for ch in candidates:
        primary[ch] = table.place.get(ch, counter.count(counter.form(ch)))

    # Effective characters of each list.
    effective = {k: [] for k in range(1, LISTS + 1)}
    lowest = {}
    for k in range(1, LISTS + 1):
        if k in table.fixed:
            seen = []
            for ch in table.fixed[k]:
                if fixed_lowest[ch] == k and ch not in seen:
                    seen.append(ch)
            effective[k] = seen
        else:
            pinned = list(table.begin.get(k, ""))
            pinned += [ch for ch, p in table.place.items() if p == k and ch not in pinned]
            pool = sorted((ch for ch in candidates
                           if primary[ch] == k and ch not in fixed_lowest and ch not in pinned),
                          key=lambda ch: level[ch])
            room = table.effective[k] - len(pinned)
            if room < 0 or len(pool) < room:
                raise SystemExit(f"stroke list {k}: {len(pool)} candidates for {room} places")
            chosen, left = pool[:room], pool[room:]
            wanted = [ch for ch in left if ch in name_set or ch in name_lists.curated
                      or ch in name_lists.surname_chars]
            displaced = make_room(chosen, wanted, protected, name_lists.unsuitable)
            for ch, name in zip(displaced, wanted):
                report["displaced"].append((k, name, ch))
            gone = set(displaced)
            chosen = sorted([ch for ch in chosen if ch not in gone] + wanted,
                            key=lambda ch: level[ch])
            effective[k] = pinned + chosen
            report["dropped"][k] = [ch for ch in left if ch not in name_set]
        for ch in effective[k]:
            lowest[ch] = k
    # Characters whose count falls on a fixed list but that the list leaves out.
    for ch in candidates:
        if ch not in lowest and primary[ch] in table.fixed:
            if ch in name_set:
                raise SystemExit(f"name character {ch} counts {primary[ch]}, a list fixed by hand")
            report["dropped"][primary[ch]].append(ch)

    # Further occurrences: (list, character, form).
    further = {k: [] for k in range(1, LISTS + 1)}
    room = {k: table.chars[k] - table.effective[k] for k in range(1, LISTS + 1)}
    for k in table.fixed:
        room[k] = 0

    def take(k, ch, form, kind):
        further[k].append((ch, form))
        room[k] -= 1
        report[kind].append((k, ch, form))

    for ch, ks in table.multi.items():
        for k in ks:
            if k == lowest.get(ch) or k in table.fixed:
                continue
            form = next((f for f, n in counter.other_forms(ch) if n == k), None)
            if form is None or room[k] <= 0:
                raise SystemExit(f"cannot place {ch} into list {k}")
            take(k, ch, form, "further")

    chosen = sorted(lowest, key=lambda ch: uh.usage_key(ch))
    # Other traditional forms with a higher count.
    for ch in chosen:
        if ch in table.multi:
            continue
        for form, n in counter.other_forms(ch):
            if n > lowest[ch] and n <= LISTS and room[n] > 0:
                if all(c != ch for c, _ in further[n]):
                    take(n, ch, form, "further")
    # Other traditional forms with the same count: the character stands twice.
    for ch in chosen:
        if ch in table.multi or lowest[ch] in table.fixed:
            continue
        k = lowest[ch]
        for form, n in counter.other_forms(ch):
            if n == k and form != ch and room[k] > 0 and all(c != ch for c, _ in further[k]):
                take(k, ch, form, "same_form")
    # Plain repeats make up the rest, the most used characters of the list first.
    for k in range(1, LISTS + 1):
        doubled = {c for c, _ in further[k]}
        for ch in effective[k]:
            if room[k] <= 0:
                break
            if (ch in doubled or ch in table.begin.get(k, "") or ch in NUMERALS
                    or ch in table.place or ch in table.multi):
                continue
            take(k, ch, counter.form(ch), "repeats")
        if room[k] != 0:
            raise SystemExit(f"stroke list {k}: {room[k]} occurrences missing")

    lists = [""]
    for k in range(1, LISTS + 1):
        if k in table.fixed:
            lists.append(table.fixed[k])
            continue
        head = table.begin.get(k, "")
        numeral = [ch for ch in effective[k] if NUMERALS.get(ch) == k and ch not in head]
        rest = [(ch, counter.form(ch)) for ch in effective[k]
                if ch not in head and ch not in numeral] + further[k]

        def key(item):
            ch, form = item
            radical, residual = uh.kangxi_radical_stroke(form)
            return (radical, residual, ord(form), ord(ch))

        lists.append(head + "".join(numeral) + "".join(ch for ch, _ in sorted(rest, key=key)))

    check(table, lists, names)

    # Second check: the most used characters against an independent count.
    for ch in sorted(lowest, key=lambda c: uh.usage_key(c))[:2000]:
        form = counter.form(ch)
        other = counter.independent_count(form)
        if other != lowest[ch]:
            report["check"].append((ch, form, lowest[ch], other))
    report["lowest"] = lowest
    report["places"] = set(table.place) | {c for k in table.fixed for c in table.fixed[k]}
    report["counter"] = counter
    return lists, report


def check(table, lists, names=()):
    """The facts that the table fixes must hold for the built lists."""
    seen = set()
    for k in range(1, LISTS + 1):
        text = lists[k]
        if len(text) != table.chars[k]:
            raise SystemExit(f"stroke list {k}: {len(text)} characters, want {table.chars[k]}")
        new = set(text) - seen
        if len(new) != table.effective[k]:
            raise SystemExit(f"stroke list {k}: {len(new)} effective, want {table.effective[k]}")
        seen |= new
        if k in table.begin and not text.startswith(table.begin[k]):
            raise SystemExit(f"stroke list {k} does not begin with {table.begin[k]}")
    for ch, ks in table.multi.items():
        found = [k for k in range(1, LISTS + 1) if ch in lists[k]]
        if found != ks:
            raise SystemExit(f"{ch} stands in lists {found}, want {ks}")
    for ch in list(table.require) + list(names):
        if ch not in seen:
            raise SystemExit(f"{ch} has no count")
    for ch in table.exclude:
        if ch in seen:
            raise SystemExit(f"{ch} must have no count")
