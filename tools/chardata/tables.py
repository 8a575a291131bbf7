"""Reading the hand-made table files that live beside the generator, and the curated lists of
the candidate-name generator (tools/candidates) that the stroke dictionary takes into account."""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
CANDIDATES = os.path.join(os.path.dirname(HERE), "candidates")


def read_lines(name):
    """Yields the non-empty lines of table file `name` as lists of words, comments removed."""
    with open(os.path.join(HERE, name), encoding="utf-8") as handle:
        for number, line in enumerate(handle, start=1):
            line = line.split("#", 1)[0].strip()
            if line:
                yield number, line.split()


def read_keep_own():
    """The characters that count in their own form (first word of each line)."""
    return {words[0] for _, words in read_lines("keep_own_form.txt")}


def read_characters(path):
    """Every character of a character list file (blanks and "#" comments aside), in file order.
    A character listed twice is an error."""
    chars = []
    with open(path, encoding="utf-8") as handle:
        for line in handle:
            chars.extend(c for c in line.split("#", 1)[0] if not c.isspace())
    twice = sorted({c for c in chars if chars.count(c) > 1})
    if twice:
        raise SystemExit(f"{os.path.basename(path)}: listed twice: {''.join(twice)}")
    return chars


def read_name_characters():
    """The characters that names use and that must have a stroke count."""
    return read_characters(os.path.join(HERE, "name_characters.txt"))


class NameLists:
    """What the candidate-name generator's curated lists say about characters: the characters
    a candidate may use, the surnames, and the characters unsuitable for names."""

    def __init__(self, directory=CANDIDATES):
        self.curated = set()
        for name in ("chars_male.txt", "chars_female.txt", "chars_either.txt"):
            self.curated.update(read_characters(os.path.join(directory, name)))
        self.unsuitable = set(read_characters(os.path.join(directory, "excluded_chars.txt")))
        self.surname_chars = set()
        with open(os.path.join(directory, "surnames.txt"), encoding="utf-8") as handle:
            for line in handle:
                for token in line.split("#", 1)[0].split():
                    self.surname_chars.update(token)
