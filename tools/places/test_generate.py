#!/usr/bin/python3
"""Tests of the joining rules of generate.py on small hand-made inputs.

Run: /usr/bin/python3 -m unittest discover -s tools/places -p 'test_*.py'
"""

import json
import unittest

import generate as g

READINGS = {"泰": {"tai"}, "安": {"an"}, "长": {"chang", "zhang"}, "治": {"zhi"}, "乐": {"le", "yue"},
            "都": {"du", "dou"}, "碾": {"nian"}, "伯": {"bo"}}


def place(name, lon, admin2="", admin1="25", country="CN"):
    return {"key": g.latin_key(name), "name": name, "lon": lon, "country": country,
            "admin1": admin1, "admin2": admin2}


class LatinKeyTest(unittest.TestCase):
    def test_drops_case_marks_apostrophes_and_blanks(self):
        for text, key in [("Tai'an", "taian"), ("Tai’an", "taian"), ("Ürümqi", "urumqi"),
                          ("Lüliang", "luliang"), ("Lvliang", "luliang"), ("Bayan Nur", "bayannur"),
                          ("Shangri-La", "shangrila"), ("Chéngguān Qū", "chengguanqu")]:
            self.assertEqual(g.latin_key(text), key, text)

    def test_pinyin_keys_try_every_reading(self):
        self.assertEqual(g.pinyin_keys("长治", READINGS), {"changzhi", "zhangzhi"})
        self.assertEqual(g.pinyin_keys("泰安", READINGS), {"taian"})
        # A character without a reading gives no key at all rather than a partial one.
        self.assertEqual(g.pinyin_keys("泰X", READINGS), set())


class SeatKeysTest(unittest.TestCase):
    def test_city_suffix_is_dropped_and_shi_form_added(self):
        self.assertEqual(g.seat_keys("泰安市", READINGS), {"taian", "taianshi"})

    def test_overrides_name_the_seat(self):
        # 海东市 sits at 碾伯, 乌鲁木齐市 is spelt as GeoNames spells it.
        self.assertEqual(g.seat_keys("海东市", READINGS), {"nianbo", "nianboshi"})
        self.assertEqual(g.seat_keys("乌鲁木齐市", READINGS), {"urumqi"})
        self.assertEqual(g.seat_keys("香港", READINGS), {"hongkong"})


class FindSeatTest(unittest.TestCase):
    def test_own_prefecture_before_province_before_mainland(self):
        prefecture = [place("Taian", 117.12, "3709")]
        province = [place("Taian", 116.0, "3701")]
        self.assertEqual(g.find_seat([prefecture, province], {"taian"}), (prefecture[0], 0))
        self.assertEqual(g.find_seat([[], province], {"taian"}), (province[0], 1))
        self.assertEqual(g.find_seat([[], []], {"taian"}), (None, None))

    def test_same_name_close_together_is_one_place_far_apart_is_refused(self):
        close = [place("Nagqu", 92.003), place("Nagqu", 92.057)]
        self.assertEqual(g.find_seat([close], {"nagqu"}), (close[0], 0))
        far = [place("Wuhu", 118.43), place("Wuhu", 118.56)]
        seat, found = g.find_seat([far], {"wuhu"})
        self.assertIsNone(seat)
        self.assertEqual(found, far)
        self.assertEqual(g.find_seat([far], {"wuhu"}, "west")[0]["lon"], 118.43)
        self.assertEqual(g.find_seat([far], {"wuhu"}, "east")[0]["lon"], 118.56)


class DivisionsTest(unittest.TestCase):
    FILES = {
        "package/dist/provinces.csv": "code,name\n11,\"北京市\"\n37,\"山东省\"\n41,\"河南省\"\n".encode(),
        "package/dist/cities.csv": ("code,name,provinceCode\n1101,\"市辖区\",11\n"
                                    "3709,\"泰安市\",37\n3701,\"济南市\",37\n"
                                    "4101,\"郑州市\",41\n4190,\"省直辖县级行政区划\",41\n").encode(),
        "package/dist/HK-MO-TW.json": json.dumps({
            "香港特别行政区": {"香港岛": {}}, "澳门特别行政区": {"澳门半岛": {}},
            "台湾省": {"台北市": {}, "新竹县": {}, "高雄市": {}}}).encode(),
    }

    def test_municipalities_are_one_place_and_county_level_places_are_left_out(self):
        result = g.divisions(self.FILES)
        self.assertEqual(result[0], ("北京市", "11", [("北京市", "")]))
        self.assertEqual(result[1], ("山东省", "37", [("泰安市", "3709"), ("济南市", "3701")]))
        self.assertEqual(result[2], ("河南省", "41", [("郑州市", "4101")]))
        self.assertEqual(result[3], ("香港特别行政区", "", [("香港", "")]))
        self.assertEqual(result[4], ("澳门特别行政区", "", [("澳门", "")]))
        # Taiwan: its cities and counties in the package's order, then Kinmen and Matsu.
        self.assertEqual(result[5], ("台湾省", "", [("台北市", ""), ("新竹县", ""), ("高雄市", ""),
                                                  ("金门县", ""), ("连江县", "")]))


class ZoneTest(unittest.TestCase):
    def test_every_place_outside_the_three_regions_keeps_the_mainland_clock(self):
        self.assertEqual(g.ZONES.get("四川省", g.MAINLAND_ZONE), "Asia/Shanghai")
        self.assertEqual(g.ZONES["台湾省"], "Asia/Taipei")
        self.assertEqual(g.ZONES["香港特别行政区"], "Asia/Hong_Kong")
        self.assertEqual(g.ZONES["澳门特别行政区"], "Asia/Macau")
        self.assertEqual(set(g.ZONES), {region for region, _country in g.SPECIAL_REGIONS})

    def test_taiwan_counties_are_placed_at_their_seats(self):
        self.assertEqual(g.seat_keys("新竹县", READINGS | {"竹": {"zhu"}, "北": {"bei"}}),
                         {"zhubei", "zhubeishi"})
        self.assertEqual(g.seat_keys("花莲县", READINGS), {"hualiencity"})


class LongitudeTextTest(unittest.TestCase):
    def test_rounds_to_the_nearest_minute_with_carry(self):
        for lon, text in [(87.60046, "87\t36"), (104.06667, "104\t04"), (119.9999, "120\t00"),
                          (75.98675, "75\t59"), (113.0083, "113\t00")]:
            self.assertEqual(g.longitude_text(lon), text, lon)


if __name__ == "__main__":
    unittest.main()
