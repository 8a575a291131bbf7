#!/usr/bin/python3
"""Extract the classical texts that classical given names are taken from.

Usage:
    tools/candidates/extract_classics.py --package DIR          write classics/texts.tsv
    tools/candidates/extract_classics.py --check [--package DIR] compare with classics/texts.tsv

DIR is the unpacked npm package chinese-poetry 2.0.1 (the folder that holds package.json and
dist/), for example after `npm pack chinese-poetry@2.0.1` and unpacking the tarball. With
--tarball FILE the tarball's integrity is checked against the pinned hash first.

The extract holds, per piece, the collection, the work as it is cited (《诗经·郑风·子衿》,
唐·王维《山居秋暝》), the author, the dynasty, a popularity figure (the package's search-hit count
where it has one for the piece, else 0) and the text, converted to simplified characters with
OpenCC's t2s configuration (Debian package `opencc`). Paragraphs are joined with "｜".

Without the package, --check says that the check was skipped and exits 0: the candidate
generator works from the committed extract only.
"""

import argparse
import base64
import hashlib
import json
import pathlib
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent
EXTRACT = HERE / "classics" / "texts.tsv"
PACKAGE_NAME = "chinese-poetry"
PACKAGE_VERSION = "2.0.1"
PACKAGE_INTEGRITY = ("sha512-KtYARvV7CWNtax0na9+Jn6PlhGgSoid7PWyDzXI4KsCEm2odZcqEQyval5koaLygZnM/"
                     "EQ3lfJ//25K8p3uHNg==")
DEFAULT_PACKAGES = (pathlib.Path("/tmp/cp/node_modules/chinese-poetry"),
                    pathlib.Path("/tmp/cp/package"),
                    HERE.parent.parent / "node_modules" / "chinese-poetry")
PARAGRAPH_JOIN = "｜"
HEADER = "# collection\twork\tauthor\tdynasty\tpopularity\ttext"

# The collections in the order in which their sources are preferred (best known first).
COLLECTIONS = ("诗经", "楚辞", "唐诗三百首", "宋词三百首", "千家诗", "论语", "孟子", "大学", "中庸")
# Authors of the Chu ci before the Han.
WARRING_STATES = {"屈原", "宋玉", "景差"}


class ExtractError(Exception):
    pass


def t2s(texts):
    """The texts in simplified characters, by OpenCC's t2s configuration (one call for all)."""
    joined = "\n".join(texts)
    if any("\n" in t for t in texts):
        raise ExtractError("a text to convert holds a line break")
    try:
        result = subprocess.run(["opencc", "-c", "t2s.json"], input=joined.encode("utf-8"),
                                stdout=subprocess.PIPE, check=True)
    except (OSError, subprocess.CalledProcessError) as error:
        raise ExtractError(f"opencc failed ({error}); install Debian's opencc") from error
    lines = result.stdout.decode("utf-8").split("\n")
    if lines and lines[-1] == "" and len(lines) == len(texts) + 1:
        lines.pop()
    if len(lines) != len(texts):
        raise ExtractError("opencc returned a different number of lines")
    return lines


def clean(text):
    """One field of the extract: no TAB, no line break, no surrounding blanks."""
    return " ".join(text.replace("\t", " ").split())


def load(dist, relative):
    with open(dist / relative, encoding="utf-8") as f:
        return json.load(f)


def tang_popularity(dist, keys):
    """The package's search-hit figures (baidu) of the Tang poems named by (author, title)."""
    found = {}
    for path in sorted((dist / "rank" / "poet").glob("poet.tang.rank.*.json")):
        for row in load(dist, path.relative_to(dist)):
            key = (row.get("author"), row.get("title"))
            if key in keys:
                found[key] = max(found.get(key, 0), int(row.get("baidu") or 0))
    return found


def ci_popularity(dist, keys):
    """The package's search-hit figures (baidu) of the Song lyrics named by (author, tune)."""
    found = {}
    for path in sorted((dist / "rank" / "ci").glob("ci.song.rank.*.json")):
        for row in load(dist, path.relative_to(dist)):
            key = (row.get("author"), row.get("rhythmic"))
            if key in keys:
                found[key] = max(found.get(key, 0), int(row.get("baidu") or 0))
    return found


def parts_of(paragraphs):
    """The paragraph lists of a poem: itself, or one per part when it has parts."""
    if all(isinstance(p, str) for p in paragraphs):
        return [paragraphs]
    return [part["paragraphs"] for part in paragraphs]


def pieces(dist):
    """(collection, work, author, dynasty, popularity, [paragraphs]) in the package's text,
    before conversion; the work label is filled in after conversion."""
    out = []
    for poem in load(dist, "shijing/shijing.json"):
        # the airs are cited by their state (郑风), the odes and hymns by their part (小雅)
        part = poem["section"] if poem["chapter"] == "国风" else poem["chapter"]
        out.append(("诗经", ("诗经", part, poem["title"]), "", "先秦", 0, poem["content"]))
    for poem in load(dist, "chuci/chuci.json"):
        parts = ("楚辞", poem["section"]) if poem["section"] == poem["title"] else \
            ("楚辞", poem["section"], poem["title"])
        dynasty = "战国" if poem["author"] in WARRING_STATES else "汉"
        out.append(("楚辞", parts, poem["author"], dynasty, 0, poem["content"]))
    tang = load(dist, "mengxue/tangshisanbaishou.json")
    poems = [p for group in tang["content"] for p in group["content"]]
    ranks = tang_popularity(dist, {(p["author"], p["chapter"]) for p in poems})
    for p in poems:
        out.append(("唐诗三百首", (p["chapter"],), p["author"], "唐",
                    ranks.get((p["author"], p["chapter"]), 0), p["paragraphs"]))
    ci = load(dist, "songci/宋词三百首.json")
    ranks = ci_popularity(dist, {(p["author"], p["rhythmic"]) for p in ci})
    for p in ci:
        out.append(("宋词三百首", (p["rhythmic"],), p["author"], "宋",
                    ranks.get((p["author"], p["rhythmic"]), 0), p["paragraphs"]))
    for group in load(dist, "mengxue/qianjiashi.json")["content"]:
        for p in group["content"]:
            # the author is given as "（唐）孟浩然"
            dynasty, _, author = p["author"].lstrip("（(").partition("）")
            if not author:
                dynasty, author = "", dynasty
            # a poem of several parts holds {"subchapter", "paragraphs"} objects
            for paragraphs in parts_of(p["paragraphs"]):
                out.append(("千家诗", (p["chapter"],), author, dynasty, 0, paragraphs))
    for chapter in load(dist, "lunyu/lunyu.json"):
        name = chapter["chapter"].removesuffix("篇")
        out.append(("论语", ("论语", name), "", "先秦", 0, chapter["paragraphs"]))
    for chapter in load(dist, "sishuwujing/mengzi.json"):
        out.append(("孟子", ("孟子", chapter["chapter"]), "", "先秦", 0, chapter["paragraphs"]))
    for file_name, collection in (("daxue.json", "大学"), ("zhongyong.json", "中庸")):
        book = load(dist, f"sishuwujing/{file_name}")
        out.append((collection, (collection,), "", "先秦", 0, book["paragraphs"]))
    return out


def build(package):
    """The extract's text from an unpacked package."""
    meta = json.loads((package / "package.json").read_text(encoding="utf-8"))
    if meta.get("name") != PACKAGE_NAME or meta.get("version") != PACKAGE_VERSION:
        raise ExtractError(f"{package} is not {PACKAGE_NAME} {PACKAGE_VERSION}")
    dist = package / "dist"
    raw = pieces(dist)
    # convert every field that holds Chinese text in one OpenCC call
    fields = []
    for collection, parts, author, dynasty, _, paragraphs in raw:
        fields.extend(clean(p) for p in parts)
        fields.append(clean(author))
        fields.append(PARAGRAPH_JOIN.join(clean(p) for p in paragraphs if clean(p)))
        if collection == "千家诗":
            fields.append(clean(dynasty))
    converted = iter(t2s(fields))
    lines = [HEADER]
    for collection, parts, _, dynasty, popularity, _ in raw:
        parts = [next(converted) for _ in parts]
        author = next(converted)
        text = next(converted)
        dynasty = next(converted) if collection == "千家诗" else dynasty
        if collection in ("唐诗三百首", "宋词三百首", "千家诗"):
            work = "·".join(filter(None, (dynasty, author))) + f"《{parts[0]}》"
        else:
            work = "《" + "·".join(parts) + "》"
        lines.append("\t".join((collection, work, author, dynasty, str(popularity), text)))
    return "\n".join(lines) + "\n"


def tarball_integrity(path):
    digest = hashlib.sha512(path.read_bytes()).digest()
    return "sha512-" + base64.b64encode(digest).decode("ascii")


def find_package(given):
    if given:
        return given
    for candidate in DEFAULT_PACKAGES:
        if (candidate / "package.json").exists():
            return candidate
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the committed extract instead of writing it")
    parser.add_argument("--package", type=pathlib.Path,
                        help="the unpacked package chinese-poetry 2.0.1")
    parser.add_argument("--tarball", type=pathlib.Path,
                        help="the package's tarball, checked against the pinned integrity")
    args = parser.parse_args()
    if args.tarball:
        integrity = tarball_integrity(args.tarball)
        if integrity != PACKAGE_INTEGRITY:
            print(f"extract_classics.py: {args.tarball} has integrity {integrity}, "
                  f"expected {PACKAGE_INTEGRITY}", file=sys.stderr)
            return 2
    package = find_package(args.package)
    if package is None:
        if args.check:
            print(f"extract_classics.py: {PACKAGE_NAME} {PACKAGE_VERSION} is not installed; "
                  f"check of {EXTRACT.name} skipped", file=sys.stderr)
            return 0
        print("extract_classics.py: give --package DIR", file=sys.stderr)
        return 2
    try:
        text = build(package)
    except (ExtractError, OSError, KeyError, ValueError) as error:
        print(f"extract_classics.py: {error}", file=sys.stderr)
        return 2
    if args.check:
        if not EXTRACT.exists() or EXTRACT.read_text(encoding="utf-8") != text:
            print(f"{EXTRACT} differs from what the extractor builds", file=sys.stderr)
            return 1
        print(f"extract_classics.py: {EXTRACT.name} matches {PACKAGE_NAME} {PACKAGE_VERSION}",
              file=sys.stderr)
        return 0
    EXTRACT.parent.mkdir(exist_ok=True)
    EXTRACT.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
