"""Counts for the characters that the 33 stroke lists leave out although names use them, and the
typed forms: the traditional forms and Taiwan/Hong Kong variants that a name may be typed in.

    data/strokes_added.txt  33 lines like data/strokes.txt: line k holds the characters counted k
                            that the stroke lists lack
    data/typed_forms.txt    2 lines: the variants of typed_variants.txt, and the characters they
                            stand for, comma-separated

The program reads a typed traditional form of a pair (張 for 张) as the character it stands for,
with that character's count, element and reading; this module works out the same reading so
that it adds a count only where the program would otherwise have none.
"""

import os

from strokes import LISTS
from tables import read_lines

HERE = os.path.dirname(os.path.abspath(__file__))


def read_variants():
    """(variant, character) of typed_variants.txt, in file order."""
    rows = []
    for number, words in read_lines("typed_variants.txt"):
        if len(words) < 2 or len(words[0]) != 1 or len(words[1]) != 1:
            raise SystemExit(f"typed_variants.txt:{number}: want a variant and a character")
        rows.append((words[0], words[1]))
    return rows


def typed_forms(simple, trad, shown, variants):
    """The program's reading of typed forms (engine/traditional_map.cpp): typed form -> the
    character it stands for. First the traditional side of each pair that is the character's
    converted form, then the further traditional forms; a form that is itself the simplified side
    of a pair stands for itself; then the variants."""
    typed = {}
    simple_set = set(simple)
    for converted in (True, False):
        for s, t in zip(simple, trad):
            if (shown.get(s) == t) == converted and t not in simple_set and t not in typed:
                typed[t] = s
    for variant, standard in variants:
        if variant in simple_set or variant in typed:
            raise SystemExit(f"typed_variants.txt: {variant} is already a form of the pairs")
        typed[variant] = typed.get(standard, standard)
    return typed


def traditional_forms(uh, counter, ch):
    """The traditional forms Unihan gives a character: its variants, the form that decides its
    count and its GB 12345 counterpart, in code order, the character itself aside."""
    forms = set(counter.traditional_variants(ch))
    forms.add(counter.form(ch))
    counterpart = uh.gb12345_counterpart(ch)
    if counterpart:
        forms.add(counterpart)
    return sorted((f for f in forms - {ch} if uh.get(f, "kRSUnicode")), key=ord)


def build(uh, counter, stroke_lists, simple, trad, shown, levels):
    """Returns (added lists, variant lines, report). `levels` is the text of the first two levels
    of the general standard table."""
    variants = read_variants()
    typed = typed_forms(simple, trad, shown, variants)
    # The traditional forms of the table's characters that the pairs do not name stand for their
    # character too (髮 for 发, 嶽 for 岳), unless they are characters of the table themselves.
    level_set = set(levels)
    simple_set = set(simple)
    for ch in levels:
        for form in traditional_forms(uh, counter, ch):
            if form not in level_set and form not in typed and form not in simple_set:
                typed[form] = ch
                variants.append((form, ch))
    listed = {}
    holding = {}
    for k in range(LISTS, 0, -1):
        for ch in stroke_lists[k]:
            listed[ch] = k
            holding.setdefault(ch, set()).add(k)
    pair_forms = set(trad)

    added = {}
    report = {"added": [], "forms": [], "own_count": [], "uncountable": [], "variants": []}

    def count_of(form):
        try:
            n = counter.count(form)
        except (TypeError, ValueError, AttributeError):
            n = None
        return n if n and 1 <= n <= LISTS else None

    # The characters of the table themselves, each in the form that decides its count.
    for ch in levels:
        if ch in listed or ch in typed:
            continue
        n = count_of(counter.form(ch))
        if n is None:
            report["uncountable"].append(ch)
            continue
        added[ch] = n
        report["added"].append(ch)
    # A typed form counts as the character it stands for where that character is converted to
    # it (張 as 张, whatever the lists say of 张); any other form with a count of its own as it is
    # written, where that count differs (髮 15 beside 发 12, 衆 12 beside 众 11).
    for form, ch in typed.items():
        if form in listed:
            continue
        have = listed.get(ch) or added.get(ch)
        if have is not None and shown.get(ch) == form:
            continue
        own = count_of(form)
        if own is None:
            if have is None:
                report["uncountable"].append(form)
            continue
        # A further traditional form of a pair keeps its own count only where the lists give
        # the character that count for it (鐘 20 beside 钟 17); else it counts as the character
        # (為 as 为, 12, whatever Unihan files it under).
        if form in pair_forms and own not in holding.get(ch, ()):
            continue
        if own != have:
            added[form] = own
            report["own_count"].append((form, own, ch, have))
        elif form not in shown.values():
            report["forms"].append(form)

    lists = ["" for _ in range(LISTS + 1)]
    for ch in sorted(added, key=ord):
        lists[added[ch]] += ch
    variant_lines = [",".join(v for v, _ in variants), ",".join(s for _, s in variants)]
    report["variants"] = variants
    return lists, variant_lines, report



def check_surnames(simple, trad, keep_own, surname_chars):
    """Every surname with a pair is reviewed: it counts in its own form (keep_own_form.txt) or
    its pair's traditional form is the surname's form (surname_forms.txt). Stops otherwise."""
    reviewed = {}
    for number, words in read_lines("surname_forms.txt"):
        if len(words) < 2 or len(words[0]) != 1 or len(words[1]) != 1:
            raise SystemExit(f"surname_forms.txt:{number}: want a surname and its form")
        reviewed[words[0]] = words[1]
    first = {}
    for s, t in zip(simple, trad):
        first.setdefault(s, t)
    problems = []
    for ch in sorted(surname_chars):
        if ch in keep_own or ch not in first:
            continue
        if reviewed.get(ch) != first[ch]:
            problems.append(f"{ch} {first[ch]}")
    for ch, form in reviewed.items():
        if ch in keep_own or ch not in surname_chars or first.get(ch) != form:
            problems.append(f"{ch} {form} (reviewed, but no such surname pair)")
    if problems:
        raise SystemExit("surnames whose traditional form is not reviewed in surname_forms.txt: "
                         + "; ".join(problems))
