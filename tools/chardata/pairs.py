"""The simplified/traditional pairs, applied in order by the conversion to traditional forms."""

from tables import read_lines


class PairTable:
    def __init__(self):
        self.total = None
        self.anchors = []
        self.force = []
        self.inserts = []
        self.tail = []
        self.first = {}
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
            elif key == "tail":
                self.tail.append((args[0], args[1]))
            else:
                raise ValueError(f"pairs.txt:{number}: unknown keyword {key}")


def filler_key(uh, keep_own, ch, traditional):
    """Preference among characters that may fill a stretch: characters that keep their own
    form elsewhere come last (converting them would change their usual meaning), then those
    whose traditional form is itself a GB 2312 character, then the less used."""
    return (ch in keep_own, traditional in uh.gb0, uh.usage_key(ch))


def build(uh, keep_own):
    """Returns (simplified, traditional, report)."""
    table = PairTable()
    level1 = [c for c in uh.gb2312 if uh.gb_level(c) == 1]
    position = {c: i for i, c in enumerate(level1)}

    anchored = {c for _, c in table.anchors}
    core = {}
    for ch in level1:
        counterpart = uh.gb12345_counterpart(ch)
        if counterpart:
            # The anchored characters keep GB 12345's form (their pairs are fixed); the others
            # take the standard traditional form where GB 12345 writes a variant glyph (綉 繡).
            core[ch] = counterpart if ch in anchored else uh.standard_traditional(ch)
    for simple, trad in table.force:
        core[simple] = trad
    for simple, trad in table.first.items():
        if simple not in core:
            raise SystemExit(f"{simple} has no pair of its own to change")
        core[simple] = trad
    tail_chars = {s for s, _ in table.tail}
    fillers = {}
    for ch in level1:
        if ch in core or ch in tail_chars:
            continue
        variants = [t for t in uh.variants(ch, "kTraditionalVariant") if t != ch]
        if variants:
            fillers[ch] = variants[0]

    inserts = sorted(table.inserts)
    gb_total = table.total - len(table.tail) - len(inserts)
    # Stretches between anchors; the run of GB-ordered pairs ends at index gb_total + inserts.
    bounds = [(-1, -1)] + [(i, position[c]) for i, c in sorted(table.anchors)]
    bounds.append((gb_total + len(inserts), len(level1)))
    chosen = set(core)
    report = {"fillers": [], "unused": [], "first": dict(table.first)}
    for (i0, p0), (i1, p1) in zip(bounds, bounds[1:]):
        inserted = sum(1 for i, _, _ in inserts if i0 < i < i1)
        want = i1 - i0 - 1 - inserted
        have = [c for c in level1[p0 + 1:p1] if c in core]
        offer = sorted((c for c in level1[p0 + 1:p1] if c in fillers),
                       key=lambda c: filler_key(uh, keep_own, c, fillers[c]))
        need = want - len(have)
        if need < 0 or need > len(offer):
            raise SystemExit(f"pairs {i0}..{i1}: {len(have)} pairs, {len(offer)} to add, "
                             f"want {want}")
        for ch in offer[:need]:
            chosen.add(ch)
            core[ch] = fillers[ch]
            report["fillers"].append((ch, fillers[ch]))
        report["unused"].extend(offer[need:])

    run = [(c, core[c]) for c in level1 if c in chosen]
    for index, simple, trad in inserts:
        run.insert(index, (simple, trad))
    pairs = run + table.tail
    check(table, pairs)
    report["shown"] = shown_forms(pairs)
    report["unused"] = sorted(report["unused"], key=lambda c: filler_key(uh, keep_own, c, fillers[c]))
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
