"""The simplified/traditional pairs, applied in order by the conversion to traditional forms."""

import bisect
import collections

from tables import read_lines
from unihan import plain_pinyin


class PairTable:
    def __init__(self):
        self.total = None
        self.anchors = []
        self.force = []
        self.inserts = []
        self.tail = []
        self.first = {}
        self.standard = {}
        for number, words in read_lines("pairs.txt"):
            key, args = words[0], words[1:]
            if key == "total":
                self.total = int(args[0])
            elif key == "anchor":
                self.anchors.append((int(args[0]), args[1]))
            elif key == "force":
                self.force.append((args[0], args[1]))
            elif key == "insert":
                self.inserts.append((int(args[0]), args[1], args[2]))
            elif key == "first":
                self.first[args[0]] = args[1]
            elif key == "standard":
                self.standard[args[0]] = args[1]
            elif key == "tail":
                self.tail.append((args[0], args[1]))
            else:
                raise ValueError(f"pairs.txt:{number}: unknown keyword {key}")


def filler_key(uh, names, ch, traditional):
    """Preference among characters that may fill a stretch: characters whose traditional form
    is itself a GB 2312 character come last (the pair would take that character's own count),
    then the characters that names use come first, then the more used."""
    return (traditional in uh.gb0, ch not in names, uh.usage_key(ch))


def reading_key(uh, ch):
    letters, tone = plain_pinyin(uh.mandarin(ch) or "")
    return letters, tone


def sequence(uh, level1, beyond):
    """The level-1 characters in GB 2312 order (which sorts by reading) with the characters of
    `beyond` placed among them by their reading: each one before the first level-1 character
    that as many level-1 characters read before as before it."""
    keys = sorted(reading_key(uh, c) for c in level1)
    slots = collections.defaultdict(list)
    for ch in sorted(beyond, key=lambda c: (reading_key(uh, c), ord(c))):
        slots[bisect.bisect_left(keys, reading_key(uh, ch))].append(ch)
    out = []
    for i, ch in enumerate(level1):
        out.extend(slots.get(i, []))
        out.append(ch)
    out.extend(slots.get(len(level1), []))
    return out


def build(uh, keep_own, names=frozenset(), unsuitable=frozenset()):
    """Returns (simplified, traditional, report). `names` holds the characters that names use
    (the candidate generator's lists and surnames, the name characters): those beyond GB 2312
    level 1 that have a standard traditional form may fill a stretch too, and they come first.
    Where a stretch has no room left for them, they take the places of pairs of `unsuitable`
    characters (meanings that names avoid), the least used first."""
    table = PairTable()
    level1 = [c for c in uh.gb2312 if uh.gb_level(c) == 1]
    anchored = {c for _, c in table.anchors}
    beyond = [c for c in names if uh.gb_level(c) != 1 and c not in keep_own
              and uh.standard_traditional(c)]
    order = sequence(uh, level1, beyond)

    def standard(ch):
        return table.standard.get(ch) or uh.standard_traditional(ch)

    position = {c: i for i, c in enumerate(order)}

    core = {}
    for ch in level1:
        counterpart = uh.gb12345_counterpart(ch)
        if not counterpart:
            continue
        # A character that keeps its own form (surnames 余 范 郁, the name character 松) gets no
        # pair unless the pair's position is fixed: the report shows it as it counts.
        if ch in keep_own and ch not in anchored:
            continue
        # The anchored characters keep GB 12345's form (their pairs are fixed); the others take
        # the standard traditional form where GB 12345 writes a variant glyph (綉 繡).
        core[ch] = counterpart if ch in anchored else standard(ch)
    for simple, trad in table.force:
        core[simple] = trad
    for simple, trad in table.first.items():
        if simple not in core:
            raise SystemExit(f"{simple} has no pair of its own to change")
        core[simple] = trad
    tail_chars = {s for s, _ in table.tail}
    fillers = {}
    for ch in order:
        if ch in core or ch in tail_chars or ch in keep_own:
            continue
        form = standard(ch)
        if form and form != ch:
            fillers[ch] = form

    inserts = sorted(table.inserts)
    gb_total = table.total - len(table.tail) - len(inserts)
    # Stretches between anchors; the run of ordered pairs ends at index gb_total + inserts.
    bounds = [(-1, -1)] + [(i, position[c]) for i, c in sorted(table.anchors)]
    bounds.append((gb_total + len(inserts), len(order)))
    chosen = set(core)
    report = {"fillers": [], "unused": [], "given_up": [], "first": dict(table.first)}
    for (i0, p0), (i1, p1) in zip(bounds, bounds[1:]):
        inserted = sum(1 for i, _, _ in inserts if i0 < i < i1)
        want = i1 - i0 - 1 - inserted
        have = [c for c in order[p0 + 1:p1] if c in core]
        offer = sorted((c for c in order[p0 + 1:p1] if c in fillers),
                       key=lambda c: filler_key(uh, names, c, fillers[c]))
        need = want - len(have)
        if need < 0 or need > len(offer):
            raise SystemExit(f"pairs {i0}..{i1}: {len(have)} pairs, {len(offer)} to add, "
                             f"want {want}")
        waiting = [c for c in offer[need:] if c in names]
        fixed = anchored | set(table.first) | {a for a, _ in table.force} | tail_chars
        givers = sorted((c for c in have if c in unsuitable and c not in fixed and c not in names),
                        key=uh.usage_key, reverse=True)[:len(waiting)]
        for ch in givers:
            chosen.discard(ch)
            report["given_up"].append((ch, core.pop(ch)))
        taken = offer[:need] + waiting[:len(givers)]
        for ch in taken:
            chosen.add(ch)
            core[ch] = fillers[ch]
            report["fillers"].append((ch, fillers[ch]))
        report["unused"].extend(c for c in offer if c not in taken)

    run = [(c, core[c]) for c in order if c in chosen]
    for index, simple, trad in inserts:
        run.insert(index, (simple, trad))
    pairs = run + table.tail
    check(table, pairs)
    report["shown"] = shown_forms(pairs)
    report["unused"] = sorted(report["unused"], key=lambda c: filler_key(uh, names, c, fillers[c]))
    report["unused_pairs"] = [(c, fillers[c]) for c in report["unused"]]
    return [s for s, _ in pairs], [t for _, t in pairs], report


def shown_forms(pairs):
    """What the conversion makes of each simplified character of the pairs on its own: the
    traditional side of its first pair, followed through later pairs (迭 叠 疊)."""
    shown = {}
    for simple, _ in pairs:
        if simple in shown:
            continue
        text = simple
        for a, b in pairs:
            text = text.replace(a, b)
        shown[simple] = text
    return shown


def check(table, pairs):
    if len(pairs) != table.total:
        raise SystemExit(f"{len(pairs)} pairs, want {table.total}")
    first = {}
    for i, (simple, trad) in enumerate(pairs):
        if simple == trad or len(simple) != 1 or len(trad) != 1:
            raise SystemExit(f"pair {i} {simple} {trad} is not a pair of two characters")
        first.setdefault(simple, i)
    for index, ch in table.anchors:
        if first.get(ch) != index:
            raise SystemExit(f"{ch} has its first pair at {first.get(ch)}, want {index}")
    for index, simple, trad in table.inserts:
        if pairs[index] != (simple, trad):
            raise SystemExit(f"pair {index} is {pairs[index]}, want {simple} {trad}")
