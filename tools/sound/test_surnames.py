#!/usr/bin/python3
"""The readings the program gives surnames, against our own table of the 300 commonest single
surnames and of the compound surnames, each with its reading as a surname. A surname reads as
data/surname_readings.txt gives it, else as the first reading of data/readings.txt.

Run: /usr/bin/python3 -m unittest discover -s tools/sound -p 'test_*.py'
"""

import os
import re
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# The 300 commonest single surnames, commonest first, each followed by its reading as a surname.
COMMON = """
    王wang2 李li3 张zhang1 刘liu2 陈chen2 杨yang2 黄huang2 赵zhao4 吴wu2 周zhou1 徐xu2 孙sun1 马ma3 朱zhu1
    胡hu2 郭guo1 何he2 高gao1 林lin2 罗luo2 郑zheng4 梁liang2 谢xie4 宋song4 唐tang2 许xu3 韩han2 冯feng2
    邓deng4 曹cao2 彭peng2 曾zeng1 肖xiao1 田tian2 董dong3 袁yuan2 潘pan1 于yu2 蒋jiang3 蔡cai4 余yu2 杜du4
    叶ye4 程cheng2 苏su1 魏wei4 吕lv3 丁ding1 任ren2 沈shen3 姚yao2 卢lu2 姜jiang1 崔cui1 钟zhong1 谭tan2 陆lu4
    汪wang1 范fan4 金jin1 石shi2 廖liao4 贾jia3 夏xia4 韦wei2 付fu4 方fang1 白bai2 邹zou1 孟meng4 熊xiong2
    秦qin2 邱qiu1 江jiang1 尹yin3 薛xue1 闫yan2 段duan4 雷lei2 侯hou2 龙long2 史shi3 陶tao2 黎li2 贺he4 顾gu4
    毛mao2 郝hao3 龚gong1 邵shao4 万wan4 钱qian2 严yan2 覃qin2 武wu3 戴dai4 莫mo4 孔kong3 向xiang4 汤tang1
    常chang2 温wen1 康kang1 施shi1 文wen2 牛niu2 樊fan2 葛ge3 邢xing2 安an1 齐qi2 易yi4 乔qiao2 伍wu3 庞pang2
    颜yan2 倪ni2 庄zhuang1 聂nie4 章zhang1 鲁lu3 岳yue4 翟zhai2 殷yin1 詹zhan1 申shen1 欧ou1 耿geng3 关guan1
    兰lan2 焦jiao1 俞yu2 左zuo3 柳liu3 甘gan1 祝zhu4 包bao1 宁ning4 尚shang4 符fu2 舒shu1 阮ruan3 柯ke1 纪ji3
    梅mei2 童tong2 凌ling2 毕bi4 单shan4 季ji4 裴pei2 霍huo4 涂tu2 成cheng2 苗miao2 谷gu3 盛sheng4 曲qu1
    翁weng1 冉ran3 骆luo4 蓝lan2 路lu4 游you2 辛xin1 靳jin4 管guan3 柴chai2 蒙meng2 鲍bao4 华hua4 喻yu4 祁qi2
    蒲pu2 房fang2 滕teng2 屈qu1 饶rao2 解xie4 牟mou2 艾ai4 尤you2 阳yang2 时shi2 穆mu4 农nong2 司si1 卓zhuo2
    古gu3 吉ji2 缪miao4 简jian3 车che1 项xiang4 连lian2 芦lu2 麦mai4 褚chu3 娄lou2 窦dou4 戚qi1 岑cen2 景jing3
    党dang3 宫gong1 费fei4 卜bu3 冷leng3 晏yan4 席xi2 卫wei4 米mi3 柏bai3 宗zong1 瞿qu2 桂gui4 全quan2 佟tong2
    应ying1 臧zang1 闵min3 苟gou3 邬wu1 边bian1 卞bian4 姬ji1 师shi1 和he2 仇qiu2 栾luan2 隋sui2 商shang1
    刁diao1 沙sha1 荣rong2 巫wu1 寇kou4 桑sang1 郎lang2 甄zhen1 丛cong2 仲zhong4 虞yu2 敖ao2 巩gong3 明ming2
    佘she2 池chi2 查zha1 麻ma2 苑yuan4 迟chi2 邝kuang4 官guan1 封feng1 谈tan2 匡kuang1 鞠ju1 惠hui4 荆jing1
    乐yue4 冀ji4 郁yu4 胥xu1 南nan2 班ban1 储chu3 原yuan2 栗li4 燕yan1 楚chu3 鄢yan1 劳lao2 谌chen2 奚xi1 皮pi2
    粟su4 冼xian3 蔺lin4 楼lou2 盘pan2 满man3 闻wen2 位wei4 厉li4 伊yi1 仝tong2 区ou1 郜gao4 海hai3 阚kan4
    花hua1 权quan2 强qiang2 帅shuai4 屠tu2 豆dou4 朴piao2 盖ge3 练lian4
"""

COMPOUND = """
    欧阳ou1yang2 司马si1ma3 上官shang4guan1 诸葛zhu1ge3 东方dong1fang1 皇甫huang2fu3 尉迟yu4chi2
    公孙gong1sun1 慕容mu4rong2 长孙zhang3sun1 宇文yu3wen2 司徒si1tu2 令狐ling2hu2 夏侯xia4hou2
    轩辕xuan1yuan2 端木duan1mu4 万俟mo4qi2 单于chan2yu2 澹台tan2tai2 呼延hu1yan2 南宫nan2gong1
    西门xi1men2 钟离zhong1li2 赫连he4lian2 申屠shen1tu2 闻人wen2ren2 百里bai3li3 东郭dong1guo1
    公冶gong1ye3 宗政zong1zheng4 濮阳pu2yang2 太叔tai4shu1 鲜于xian1yu2 拓跋tuo4ba2 乐正yue4zheng4
    亓官qi2guan1
"""


def table(text):
    return {m.group(1): m.group(2).replace("1", "1 ").replace("2", "2 ").replace("3", "3 ")
             .replace("4", "4 ").split()
             for m in re.finditer(r"([^\sa-z0-9]+)((?:[a-z]+[1-5])+)", text)}


def data(name):
    with open(os.path.join(ROOT, "data", name), encoding="utf-8") as handle:
        return dict(line.split("\t") for line in handle.read().splitlines())


class SurnameTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.readings = {ch: r.split()[0] for ch, r in data("readings.txt").items()}
        cls.surnames = {s: r.split() for s, r in data("surname_readings.txt").items()}

    def reading(self, surname):
        if surname in self.surnames:
            return self.surnames[surname]
        # a compound surname not listed reads each character as a surname
        return [self.surnames.get(ch, [self.readings.get(ch)])[0] for ch in surname]

    def test_the_tables_are_whole(self):
        self.assertEqual(len(table(COMMON)), 300)
        self.assertGreaterEqual(len(table(COMPOUND)), 36)

    def test_common_surnames(self):
        wrong = [f"{s}: {' '.join(self.reading(s))}, not {' '.join(r)}"
                 for s, r in table(COMMON).items() if self.reading(s) != r]
        self.assertEqual(wrong, [])

    def test_compound_surnames(self):
        wrong = [f"{s}: {' '.join(self.reading(s))}, not {' '.join(r)}"
                 for s, r in table(COMPOUND).items() if self.reading(s) != r]
        self.assertEqual(wrong, [])

    def test_surnames_read_otherwise_than_their_character(self):
        for surname, reading in [("罗", "luo2"), ("郇", "huan2"), ("佴", "nai4"), ("干", "gan1"),
                                 ("査", "zha1"), ("蔚", "yu4"), ("炅", "gui4"), ("粘", "nian2"),
                                 ("单", "shan4"), ("区", "ou1"), ("朴", "piao2")]:
            self.assertEqual(self.reading(surname), [reading], surname)
        # the same characters elsewhere keep their usual reading
        for ch, reading in [("干", "gan4"), ("蔚", "wei4"), ("炅", "jiong3"), ("单", "dan1")]:
            self.assertEqual(self.readings[ch], reading, ch)


if __name__ == "__main__":
    unittest.main()
