"""The check of the sound data against an independent pinyin library.

The library is the npm package pinyin-pro (MIT licence), pinned to one version whose integrity hash
npm verifies on installing. It is used here only, never by the program: `generate.py --check`
installs it into a folder of the system's temporary directory (once; later runs reuse it) and asks
it for

  - the reading of every character of the candidate lists (data/M.dat, data/F.dat) and of the
    3,500 characters of the first level of the general standard table,
  - the reading of every word of the name-reading list,
  - the reading of every surname of the surname list, read as a surname,
  - the reading of every word of the bad-word list, whose tones decide what a name is heard as.

Every answer that differs from ours must stand, with its reason, in the table of README.md beside
this file, and every row of that table must still be a difference. Without node, npm or the
package (no network, say) the check says so and verifies only that each row's own reading is still
the one the data gives.
"""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

PACKAGE = "pinyin-pro"
VERSION = "3.29.4"
INTEGRITY = ("sha512-SPXpDT2cHEy+d26V1RXYMlVzXN42hotFAak1fzyWPi4o2dKXb61UqD4pzxDJHwk6gbv8vQ6EfErd"
             "+hYX0Qhzug==")

README = os.path.join(HERE, "README.md")
TABLE_START = "<!-- pinyin-pro differences -->"
TABLE_END = "<!-- end of pinyin-pro differences -->"

# Asks pinyin-pro for the readings of the JSON request on stdin: {"chars": "...", "words": [...],
# "surnames": [...], "badWords": [...]}, answering {"chars": {ch: reading}, "words": {...}, ...}
# with numbered readings (ü as v, 0 for the neutral tone).
SCRIPT = r"""
const { pinyin } = require("pinyin-pro");
const request = JSON.parse(require("fs").readFileSync(0, "utf8"));
const read = (text, options) => pinyin(text, Object.assign({ toneType: "num", v: true }, options));
const out = { chars: {}, words: {}, surnames: {}, badWords: {} };
for (const ch of request.chars) out.chars[ch] = read(ch, {});
for (const w of request.words) out.words[w] = read(w, {});
for (const s of request.surnames) out.surnames[s] = read(s, { mode: "surname" });
for (const w of request.badWords) out.badWords[w] = read(w, {});
process.stdout.write(JSON.stringify(out));
"""


# The kinds of items compared and the groups of the request that ask for them.
GROUPS = {"字": "chars", "词": "words", "姓": "surnames", "谐": "badWords"}


class Unavailable(Exception):
    pass


def install_folder():
    return os.path.join(tempfile.gettempdir(), f"norlune-{PACKAGE}-{VERSION}")


def install():
    """The folder holding the pinned package; raises Unavailable with the reason when it cannot
    be had."""
    if not shutil.which("node") or not shutil.which("npm"):
        raise Unavailable("node or npm is not installed")
    folder = install_folder()
    marker = os.path.join(folder, "node_modules", PACKAGE, "package.json")
    if os.path.exists(marker):
        with open(marker, encoding="utf-8") as handle:
            if json.load(handle).get("version") == VERSION:
                return folder
    os.makedirs(folder, exist_ok=True)
    package = {"name": "norlune-sound-check", "version": "1.0.0", "private": True,
               "dependencies": {PACKAGE: VERSION}}
    lock = {
        "name": "norlune-sound-check", "version": "1.0.0", "lockfileVersion": 3,
        "requires": True,
        "packages": {
            "": {"name": "norlune-sound-check", "version": "1.0.0",
                 "dependencies": {PACKAGE: VERSION}},
            f"node_modules/{PACKAGE}": {
                "version": VERSION, "integrity": INTEGRITY, "license": "MIT"},
        },
    }
    for name, content in (("package.json", package), ("package-lock.json", lock)):
        with open(os.path.join(folder, name), "w", encoding="utf-8") as handle:
            json.dump(content, handle, indent=2)
    try:
        result = subprocess.run(["npm", "ci", "--no-audit", "--no-fund", "--ignore-scripts"],
                                cwd=folder, capture_output=True, text=True, timeout=300)
    except subprocess.TimeoutExpired:
        raise Unavailable("npm did not install the package within five minutes")
    if result.returncode != 0 or not os.path.exists(marker):
        last = (result.stderr.strip().splitlines() or ["no message"])[-1]
        raise Unavailable(f"npm could not install {PACKAGE}@{VERSION}: {last}")
    return folder


def ask(folder, request):
    result = subprocess.run(["node", "-e", SCRIPT], cwd=folder, input=json.dumps(request),
                            capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        raise Unavailable(f"node failed: {result.stderr.strip()[-200:]}")
    return json.loads(result.stdout)


def numbered_neutral(reading):
    """pinyin-pro writes the neutral tone as 0, we as 5."""
    return " ".join(s[:-1] + "5" if s.endswith("0") else s for s in reading.split())


def candidate_characters(data_dir):
    chars = set()
    for name in ("M.dat", "F.dat"):
        path = os.path.join(data_dir, name)
        if os.path.exists(path):
            with open(path, "rb") as handle:
                lines = handle.read().decode("gb18030").split("\r\n")[1:]
            chars.update(ch for line in lines for ch in line.strip())
    return chars


def our_readings(outputs, props, data_dir):
    """{(kind, item): our reading} for every item compared; kind is 字 (a character), 词 (a word
    of a given name), 姓 (a surname) or 谐 (a bad word)."""
    usual = {}
    for line in outputs["readings.txt"]:
        ch, readings = line.split("\t")
        usual[ch] = readings.split()[0]
    common = {ch for ch, p in props.items() if "kTGH" in p and int(p["kTGH"].split(":")[1]) <= 3500}
    ours = {}
    for ch in sorted(candidate_characters(data_dir) | common):
        if ch in usual:
            ours[("字", ch)] = usual[ch]
    for line in outputs["name_readings.txt"]:
        word, readings = line.split("\t")
        ours[("词", word)] = readings
    for line in outputs["surname_readings.txt"]:
        surname, readings = line.split("\t")
        ours[("姓", surname)] = readings
    for line in outputs["bad_words.txt"]:
        word, readings = line.split("\t")
        ours[("谐", word)] = readings
    return ours


def their_readings(folder, items):
    request = {"chars": "".join(i for k, i in items if k == "字")}
    for kind, group in GROUPS.items():
        if group != "chars":
            request[group] = [i for k, i in items if k == kind]
    answer = ask(folder, request)
    return {(kind, item): numbered_neutral(answer[GROUPS[kind]][item]) for kind, item in items}


def listed(path=README):
    """The rows of the README's table: {(kind, item): (ours, theirs, reason)}."""
    with open(path, encoding="utf-8") as handle:
        content = handle.read()
    if TABLE_START not in content or TABLE_END not in content:
        raise ValueError(f"{path} has no table of pinyin-pro differences")
    body = content.split(TABLE_START, 1)[1].split(TABLE_END, 1)[0]
    rows = {}
    for line in body.splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) != 5 or cells[0] not in GROUPS:
            continue
        kind, item, ours, theirs, reason = cells
        if not reason:
            raise ValueError(f"{path}: the row of {item} gives no reason")
        rows[(kind, item)] = (ours, theirs, reason)
    return rows


def differences(ours, theirs):
    return {key: (ours[key], theirs[key]) for key in ours if ours[key] != theirs[key]}


def problems(ours, rows, found=None):
    """What is wrong with the README's rows: a row whose own reading is no longer ours, and with
    the library's answers `found` (the differences), a difference without a row and a row that is
    no longer a difference or names another answer."""
    out = []
    for key, (our, their, _) in sorted(rows.items()):
        if key not in ours:
            out.append(f"{key[0]} {key[1]}: listed, but no longer compared")
        elif ours[key] != our:
            out.append(f"{key[0]} {key[1]}: listed as ours {our}, but the data gives {ours[key]}")
    if found is not None:
        for key, (our, their) in sorted(found.items()):
            if key not in rows:
                out.append(f"{key[0]} {key[1]}: ours {our}, pinyin-pro {their}, not listed")
            elif rows[key][1] != their:
                out.append(f"{key[0]} {key[1]}: listed with pinyin-pro {rows[key][1]}, "
                           f"but it gives {their}")
        for key in sorted(set(rows) - set(found)):
            if key in ours:
                out.append(f"{key[0]} {key[1]}: listed, but pinyin-pro now agrees")
    return out


def check(outputs, props, data_dir, report=sys.stderr):
    """0 when the README's table holds; 1 with the problems printed."""
    ours = our_readings(outputs, props, data_dir)
    try:
        rows = listed()
    except ValueError as error:
        print(error, file=report)
        return 1
    try:
        found = differences(ours, their_readings(install(), sorted(ours)))
    except Unavailable as reason:
        print(f"pinyin-pro is unavailable ({reason}): only the listed differences were checked "
              "against our data", file=report)
        found = None
    wrong = problems(ours, rows, found)
    for line in wrong:
        print(f"{os.path.relpath(README, ROOT)}: {line}", file=report)
    return 1 if wrong else 0
