// The stored three-talent table: every key once, the grades of all 500 cells, the overview's twelve
// sections and the fixed rows.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "embedded/sancai_txt.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

// Row label (heaven, person), then for earth 木 火 土 金 水 the grades of slots 3, 5, 7 and 9. A to
// D stand for the remarks that some rows hold in slots 5 and 7.
constexpr std::string_view kGradeTable = R"(木木 吉吉吉吉 吉AA吉 吉吉吉凶 凶凶凶凶 凶凶凶凶
木火 吉吉吉凶 平BB吉 吉CC凶 凶平平平 凶凶凶平
木土 凶凶凶平 平吉吉凶 凶吉吉吉 凶吉吉吉 凶凶凶吉
木金 凶凶凶吉 凶凶凶平 凶吉吉凶 凶凶凶吉 凶凶凶凶
木水 吉凶凶凶 凶凶凶凶 凶凶凶平 凶凶凶凶 平凶凶平
火木 吉吉吉吉 吉AA吉 吉吉吉平 凶凶凶凶 凶凶凶吉
火火 吉吉吉凶 平BB凶 凶CC凶 凶平平平 凶凶凶凶
火土 平凶凶平 吉吉吉吉 吉吉吉吉 凶吉吉吉 凶凶凶平
火金 凶凶凶平 凶凶凶凶 凶吉吉凶 凶凶凶凶 凶凶凶吉
火水 凶凶凶平 凶凶凶凶 凶凶凶平 凶凶凶吉 凶凶凶平
土木 平吉吉平 平AA凶 凶吉吉吉 凶凶凶吉 凶凶凶吉
土火 吉吉吉吉 平BB凶 吉CC平 平平平凶 凶凶凶吉
土土 凶凶凶平 吉吉吉吉 吉吉吉吉 吉吉吉吉 凶凶凶平
土金 凶凶凶吉 凶凶凶平 吉吉吉凶 吉凶凶吉 凶凶凶吉
土水 凶凶凶平 凶凶凶平 凶凶凶吉 凶凶凶凶 凶凶凶平
金木 凶吉吉平 凶AA吉 凶吉吉吉 凶凶凶吉 凶凶凶平
金火 凶吉吉吉 凶BB平 凶CC凶 凶平平吉 凶凶凶吉
金土 平凶凶吉 平吉吉吉 吉吉吉吉 吉吉吉平 凶凶凶平
金金 凶凶凶凶 凶凶凶凶 吉吉吉吉 凶凶凶吉 凶凶凶平
金水 凶凶凶平 凶凶凶吉 凶凶凶平 吉凶凶平 凶凶凶平
水木 吉吉吉凶 平AA吉 吉吉吉吉 凶凶凶平 凶凶凶凶
水火 凶吉吉凶 凶DD凶 凶CC吉 凶平平吉 凶凶凶吉
水土 凶凶凶吉 凶吉吉平 凶吉吉凶 凶吉吉吉 凶凶凶吉
水金 凶凶凶凶 凶凶凶凶 吉吉吉吉 平凶凶平 凶凶凶凶
水水 凶凶凶凶 凶凶凶凶 凶凶凶凶 凶凶凶吉 凶凶凶平)";

std::string remark(char32_t code) {
    switch (code) {
        case U'A':
            return "但天格为9或10时,则天格地格相克而为凶兆。";
        case U'B':
            return "但天格为1或2时吉利。";
        case U'C':
            return "但天格为3或4时,则内部易产生分离倾向,且容易短寿。";
        case U'D':
            return "但天格为1或2时吉利";
        default:
            return u32ToUtf8(std::u32string(1, code));
    }
}

// key -> slots 3, 5, 7, 9.
std::map<std::string, std::array<std::string, 4>> expectedGrades() {
    std::map<std::string, std::array<std::string, 4>> grades;
    const std::u32string earth = U"木火土金水";
    for (std::string_view line : splitLines(kGradeTable)) {
        const std::u32string row = utf8ToU32(line);
        const std::u32string label = row.substr(0, 2);
        for (std::size_t e = 0; e < 5; ++e) {
            const std::u32string cell = row.substr(3 + e * 5, 4);
            const std::string key = u32ToUtf8(label + earth[e]);
            for (std::size_t s = 0; s < 4; ++s) {
                grades[key][s] = remark(cell[s]);
            }
        }
    }
    return grades;
}

std::vector<std::vector<std::string>> rows() {
    std::vector<std::vector<std::string>> out;
    for (std::string_view line : splitLines(embedded::kSancaiTxt)) {
        std::vector<std::string> fields;
        for (std::string_view f : splitFields(line, '\t')) {
            fields.emplace_back(f);
        }
        out.push_back(std::move(fields));
    }
    return out;
}

TEST(SanCaiDataTest, EveryKeyOnceWithElevenFields) {
    const auto all = rows();
    ASSERT_EQ(all.size(), 125u);
    std::set<std::string> keys;
    const std::u32string elements = U"木火土金水";
    for (const auto& row : all) {
        ASSERT_EQ(row.size(), 11u) << row[0];
        const std::u32string key = utf8ToU32(row[0]);
        ASSERT_EQ(key.size(), 3u) << row[0];
        for (char32_t ch : key) {
            EXPECT_NE(elements.find(ch), std::u32string::npos) << row[0];
        }
        keys.insert(row[0]);
        for (std::size_t slot : {1, 2, 4, 6, 8, 10}) {
            EXPECT_FALSE(row[slot].empty()) << row[0] << " slot " << slot;
        }
    }
    EXPECT_EQ(keys.size(), 125u);
}

TEST(SanCaiDataTest, AllFiveHundredGradeCells) {
    const auto expected = expectedGrades();
    ASSERT_EQ(expected.size(), 125u);
    std::map<std::string, int> count3;
    std::map<std::string, int> count9;
    for (const auto& row : rows()) {
        const auto it = expected.find(row[0]);
        ASSERT_NE(it, expected.end()) << row[0];
        const std::array<std::size_t, 4> slots = {3, 5, 7, 9};
        for (std::size_t s = 0; s < 4; ++s) {
            EXPECT_EQ(row[slots[s]], it->second[s]) << row[0] << " slot " << slots[s];
        }
        EXPECT_EQ(row[5], row[7]) << row[0];
        ++count3[row[3]];
        ++count9[row[9]];
    }
    EXPECT_EQ(count3["吉"], 26);
    EXPECT_EQ(count3["凶"], 86);
    EXPECT_EQ(count3["平"], 13);
    EXPECT_EQ(count9["吉"], 50);
    EXPECT_EQ(count9["凶"], 39);
    EXPECT_EQ(count9["平"], 36);
}

TEST(SanCaiDataTest, OverviewHasTwelveSectionsInOrder) {
    const std::vector<std::string> labels = {
        "1、总论:", "2、性格:", "3、意志:", "4、事业:",  "5、家庭:",  "6、婚姻:",
        "7、子女:", "8、社交:", "9、精神:", "10、财运:", "11、健康:", "12、老运:"};
    for (const auto& row : rows()) {
        const std::string& overview = row[1];
        const std::size_t length = codePointCount(overview);
        EXPECT_GE(length, 396u) << row[0];
        EXPECT_LE(length, 579u) << row[0];
        // Cut where the report cuts: after every "。 ".
        std::vector<std::string> sections;
        std::size_t start = 0;
        for (std::size_t p = overview.find("。 "); p != std::string::npos;
             p = overview.find("。 ", start)) {
            sections.push_back(overview.substr(start, p + 3 - start));
            start = p + 4;
        }
        EXPECT_EQ(start, overview.size()) << row[0] << ": the overview ends with \"。 \"";
        ASSERT_EQ(sections.size(), labels.size()) << row[0];
        for (std::size_t i = 0; i < labels.size(); ++i) {
            EXPECT_EQ(sections[i].rfind(labels[i], 0), 0u) << row[0] << " section " << i + 1;
            EXPECT_GT(codePointCount(sections[i]), codePointCount(labels[i]) + 5) << row[0];
        }
    }
}

TEST(SanCaiDataTest, FixedRows) {
    std::map<std::string, std::vector<std::string>> byKey;
    for (auto& row : rows()) {
        byKey[row[0]] = row;
    }
    const auto& jjh = byKey.at("金金火");
    EXPECT_EQ(jjh[2],
              "虽得成功发展,但因心身过刚而易生脑溢血、肺病等。境遇不安,离乱灾祸,变动殊多。");
    EXPECT_EQ(jjh[3], "凶");
    EXPECT_EQ(jjh[4],
              "严重不安定,易失去本性,思想变化无常;易患呼吸器官,脑部的疾病,到晚年更显凶兆。");
    EXPECT_EQ(jjh[5], "凶");
    EXPECT_EQ(jjh[6], "个性刚烈,心胸狭窄,内外不和,可能与朋友反目,或者夫妻离异。");
    EXPECT_EQ(jjh[7], "凶");
    EXPECT_EQ(jjh[8],
              "做事有热心及勇气,性刚讲情义,仁义心强,大多易受迫害而无立足之地。易患心、肺疾病。");
    EXPECT_EQ(jjh[9], "凶");
    EXPECT_EQ(jjh[1].rfind("1、总论:若有一时成功,仍生活在若闷中,", 0), 0u);

    const auto& mht = byKey.at("木火土");
    EXPECT_EQ(mht[3], "吉");
    EXPECT_EQ(mht[4], "基础坚实,身适安泰。");
    EXPECT_EQ(mht[5], "但天格为3或4时,则内部易产生分离倾向,且容易短寿。");
    EXPECT_EQ(mht[7], mht[5]);
    EXPECT_EQ(mht[9], "凶");
}

}  // namespace
}  // namespace norlune
