"""The common end of the generators in tools/: write the generated text into data/, or, with --check,
only compare it with the committed file.

    from generated_file import write_or_check
    sys.exit(write_or_check(OUTPUT, text, args.check, "tools/places/generate.py"))
"""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def write_or_check(output, text, check, generator):
    """With `check`, returns 1 (after saying so) when `output` differs from `text`, else 0. Without,
    writes `text` to `output` through a temporary file beside it, so that a failed run never leaves
    half a file, and returns 0."""
    name = os.path.relpath(output, ROOT)
    if check:
        try:
            with open(output, encoding="utf-8", newline="") as f:
                same = f.read() == text
        except FileNotFoundError:
            same = False
        if not same:
            print(f"{name} differs from a rerun of {generator}", file=sys.stderr)
            return 1
        return 0
    tmp = output + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    os.replace(tmp, output)
    return 0
