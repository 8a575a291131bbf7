"""Reading the hand-made table files that live beside the generator."""

import os

HERE = os.path.dirname(os.path.abspath(__file__))


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
