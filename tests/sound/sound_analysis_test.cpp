#include "sound/sound_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "engine/stroke_dictionary.h"
#include "engine/utf8.h"
#include "sound/pinyin.h"

namespace norlune {
namespace {

const SoundTables& tables() {
    static const SoundTables t = SoundTables::builtIn();
    return t;
}

std::vector<std::string> lines(std::string_view surname, std::string_view given) {
    return soundLines(tables(), analyzeSound(tables(), surname, given));
}

TEST(SoundAnalysisTest, SurnamesTakeTheirSurnameReading) {
    const struct {
        std::string_view surname;
        std::string_view given;
        std::string_view pinyin;
    } cases[] = {
        {"王", "小明", "拼音：wáng xiǎo míng"},
        {"单", "雄", "拼音：shàn xióng"},
        {"曾", "国藩", "拼音：zēng guó fān"},
        {"区", "华", "拼音：ōu huá"},
        {"仇", "英", "拼音：qiú yīng"},
        {"解", "缙", "拼音：xiè jìn"},
        {"查", "良", "拼音：zhā liáng"},
        {"朴", "树", "拼音：piáo shù"},
        {"盖", "叫天", "拼音：gě jiào tiān"},
        {"乐", "毅", "拼音：yuè yì"},
        {"缪", "斌", "拼音：miào bīn"},
        {"覃", "红", "拼音：qín hóng"},
        {"尉迟", "恭", "拼音：yù chí gōng"},
        {"万俟", "丽", "拼音：mò qí lì"},
        {"长孙", "无忌", "拼音：zhǎng sūn wú jì"},
        // the same characters in a given name keep their usual reading
        {"王", "单", "拼音：wáng dān"},
        {"李", "乐", "拼音：lǐ lè"},
        // a compound surname that the list does not hold reads each character as a surname
        {"单曾", "明", "拼音：shàn zēng míng"},
        {"欧阳", "子", "拼音：ōu yáng zǐ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lines(c.surname, c.given)[0], c.pinyin) << c.surname << c.given;
    }
}

TEST(SoundAnalysisTest, ToneRules) {
    const struct {
        std::string_view surname;
        std::string_view given;
        ToneJudgement judgement;
        std::string_view line;
    } cases[] = {
        {"张", "三丰", ToneJudgement::Flat, "声调：阴平 阴平 阴平（平平平），声调相同，读来平板"},
        {"乐", "乐", ToneJudgement::Flat, "声调：去声 去声（仄仄），声调相同，读来平板"},
        {"李", "丽莉", ToneJudgement::FallingEnd,
         "声调：上声 去声 去声（仄仄仄），末尾三字皆为仄声，读来沉闷拗口"},
        {"司马", "懿路", ToneJudgement::FallingEnd,
         "声调：阴平 上声 去声 去声（平仄仄仄），末尾三字皆为仄声，读来沉闷拗口"},
        {"王", "小明", ToneJudgement::Alternating,
         "声调：阳平 上声 阳平（平仄平），平仄相间，读来抑扬顿挫"},
        {"吴", "用", ToneJudgement::Alternating, "声调：阳平 去声（平仄），平仄相间，读来抑扬顿挫"},
        {"欧阳", "小明", ToneJudgement::Acceptable,
         "声调：阴平 阳平 上声 阳平（平平仄平），平仄尚可"},
        {"杜", "子腾", ToneJudgement::Acceptable, "声调：去声 上声 阳平（仄仄平），平仄尚可"},
        {"范", "统", ToneJudgement::Acceptable, "声调：去声 上声（仄仄），平仄尚可"},
        {"刘", "芳", ToneJudgement::Acceptable, "声调：阳平 阴平（平平），平仄尚可"},
        {"王", "x", ToneJudgement::Unknown, "声调：阳平 不明（平？），有字读音不明，无法判断"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(analyzeSound(tables(), c.surname, c.given).judgement, c.judgement)
            << c.surname << c.given;
        EXPECT_EQ(lines(c.surname, c.given)[2], c.line) << c.surname << c.given;
    }
}

TEST(SoundAnalysisTest, AdjacentInitialsAndFinals) {
    const struct {
        std::string_view surname;
        std::string_view given;
        std::string_view line;
    } cases[] = {
        {"王", "小明", "声韵：相邻两字连读顺口"},
        // the same initial and the same final
        {"李", "丽莉", "声韵：“李丽”声母同为l、韵母同为i；“丽莉”声母同为l、韵母同为i，连读拗口"},
        {"吕", "绿", "声韵：“吕绿”声母同为l、韵母同为ü，连读拗口"},
        // the same initial and the same tone
        {"张", "珍", "声韵：“张珍”声母同为zh、声调同为阴平，连读拗口"},
        // the apical vowel of zi and shi is a final of its own
        {"王", "子紫", "声韵：“子紫”声母同为z、韵母同为-i，连读拗口"},
        {"施", "诗", "声韵：“施诗”声母同为sh、韵母同为-i，连读拗口"},
        // only a shared final, or a shared initial on other tones and finals: easy to say
        {"范", "安", "声韵：相邻两字连读顺口"},
        {"陈", "申", "声韵：相邻两字连读顺口"},
        {"张", "振", "声韵：相邻两字连读顺口"},
        {"叶", "谢", "声韵：相邻两字连读顺口"},
        // y and w are no initials
        {"杨", "燕", "声韵：相邻两字连读顺口"},
        {"王", "文", "声韵：相邻两字连读顺口"},
        {"杨", "雨桐", "声韵：相邻两字连读顺口"},
        {"欧阳", "洋", "声韵：相邻两字连读顺口"},
        // shi and qi share no final; ju and ji share no final
        {"宋", "诗琪", "声韵：相邻两字连读顺口"},
        {"吕", "菊", "声韵：相邻两字连读顺口"},
        // a given name that repeats a character is no clash, the surname beside it may be
        {"欧阳", "娜娜", "声韵：相邻两字连读顺口"},
        {"李", "丽丽", "声韵：“李丽”声母同为l、韵母同为i，连读拗口"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lines(c.surname, c.given)[3], c.line) << c.surname << c.given;
    }
}

TEST(SoundAnalysisTest, HomophonesOfTheWholeNameTheGivenNameAndPairs) {
    const struct {
        std::string_view surname;
        std::string_view given;
        std::string_view line;
    } cases[] = {
        {"王", "小明", "谐音：无"},
        // whole name, same tones
        {"吴", "仁耀", "谐音：“吴仁耀”与“无人要”同音"},
        {"吴", "良", "谐音：“吴良”与“无良”同音"},
        {"朱", "大常", "谐音：“朱大常”与“猪大肠”同音"},
        {"史", "珍香", "谐音：“史珍香”与“屎真香”同音"},
        {"吴", "用", "谐音：“吴用”与“无用”同音"},
        {"范", "统", "谐音：“范统”与“饭桶”同音"},
        // whole name, other tones: only a strong word
        {"范", "童", "谐音：“范童”与“饭桶”音近"},
        {"杜", "子腾", "谐音：“杜子腾”与“肚子疼”音近"},
        {"何", "尚", "谐音：“何尚”与“和尚”音近"},
        {"霍", "峦", "谐音：“霍峦”与“霍乱”音近"},
        {"吴", "勇", "谐音：无"},
        {"李", "一鸣", "谐音：无"},  // 离异 lí yì
        {"王", "碧缇", "谐音：无"},  // 鼻涕 bí ti
        // a word that ends on a neutral tone is heard only when it is strong
        {"刘", "子涵", "谐音：无"},  // 瘤子 liú zi
        {"侯", "子涵", "谐音：无"},  // 猴子 hóu zi
        {"孙", "梓涵", "谐音：“孙梓”与“孙子”音近"},
        // the given name alone
        {"王", "汉坚", "谐音：“汉坚”与“汉奸”同音"},
        // the surname and the first character of the given name; a name that holds the word
        // itself says so
        {"王", "八一", "谐音：名中含“王八”一词"},
        {"李", "大嘴", "谐音：名中含“大嘴”一词"},
        {"朴", "客", "谐音：“朴客”与“嫖客”同音"},
        // two characters in the middle of a longer name
        {"欧阳", "伟明", "谐音：“阳伟”与“阳痿”同音"},
        // another common reading of a polyphonic given-name character, for a strong word
        {"苟", "似", "谐音：“苟似”与“狗屎”另读音近"},
        // a rare reading never flags: 和 hú, 伯 bǎi, 柏 bó
        {"马", "和平", "谐音：无"},
        {"石", "伯涛", "谐音：无"},
        {"杜", "柏松", "谐音：无"},
        // the surname keeps its one reading: 单 is shàn, not dān
        {"单", "车", "谐音：无"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lines(c.surname, c.given)[4], c.line) << c.surname << c.given;
    }
}

TEST(SoundAnalysisTest, SeveralHomophonesAreAllShownOnce) {
    const SoundAnalysis a = analyzeSound(tables(), "杨", "伟");
    ASSERT_EQ(a.homophones.size(), 1U);  // the whole name is also the only pair
    EXPECT_EQ(a.homophones[0].start, 0U);
    EXPECT_EQ(a.homophones[0].length, 2U);
    // 王八蛋: the whole name, and 王八 as a pair
    EXPECT_EQ(lines("王", "八蛋")[4], "谐音：名中含“王八蛋”一词；名中含“王八”一词");
}

TEST(SoundAnalysisTest, CharacterWarnings) {
    const struct {
        std::string_view surname;
        std::string_view given;
        std::string_view line;
    } cases[] = {
        {"王", "小明", "用字：均为通用规范汉字"},
        {"欧阳", "玥", "用字：均为通用规范汉字；玥不在GB 2312内，部分旧系统无法显示"},
        {"王", "磺", "用字：磺不在通用规范汉字表内，户籍、银行、票务系统可能无法录入"},
        {"万俟", "卨卨",
         "用字：卨不在通用规范汉字表内，户籍、银行、票务系统可能无法录入；"
         "卨不在GB 2312内，部分旧系统无法显示"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lines(c.surname, c.given)[5], c.line) << c.surname << c.given;
    }
}

TEST(SoundAnalysisTest, SectionIsAppendedWithItsTitle) {
    std::string report = "above\r\n";
    appendSoundSection(tables(), "王", "小明", report);
    EXPECT_EQ(report,
              "above\r\n"
              "-----------------音形分析-----------------\r\n"
              "拼音：wáng xiǎo míng\r\n"
              "注音：ㄨㄤˊ ㄒㄧㄠˇ ㄇㄧㄥˊ\r\n"
              "声调：阳平 上声 阳平（平仄平），平仄相间，读来抑扬顿挫\r\n"
              "声韵：相邻两字连读顺口\r\n"
              "谐音：无\r\n"
              "用字：均为通用规范汉字\r\n");
}

TEST(SoundDataTest, SizesAndCoverage) {
    int levels[4] = {0, 0, 0, 0};
    int gb = 0;
    for (char32_t ch = 0x3400; ch < 0x30000; ++ch) {
        ++levels[tables().standardLevel(ch)];
        gb += tables().inGb2312(ch) ? 1 : 0;
    }
    EXPECT_EQ(levels[1], 3500);
    EXPECT_EQ(levels[2], 3000);
    EXPECT_EQ(levels[3], 1605);
    EXPECT_EQ(gb, 6763);
    EXPECT_GE(tables().badWords().size(), 300U);
    // every character the numerology counts has a reading, whose tone is 1..5
    const StrokeDictionary strokes = StrokeDictionary::builtIn();
    for (int k = 1; k <= StrokeDictionary::kListCount; ++k) {
        for (char32_t ch : strokes.list(k)) {
            const auto r = tables().readings(ch);
            ASSERT_FALSE(r.empty()) << u32ToUtf8(std::u32string(1, ch));
            for (const Reading& reading : r) {
                EXPECT_TRUE(reading.tone >= 1 && reading.tone <= 5);
            }
        }
    }
    EXPECT_TRUE(tables().readings(U'x').empty());
}

TEST(SoundDataTest, MalformedDataIsRefused) {
    const std::string_view standard = "一\n二\n三\nA\n";
    EXPECT_NO_THROW(SoundTables::fromText("一\tyi1\n", "", standard, "一二\tyi1 er4\n"));
    EXPECT_THROW(SoundTables::fromText("一\tyi\n", "", standard, ""), std::runtime_error);
    EXPECT_THROW(SoundTables::fromText("一\tYi1\n", "", standard, ""), std::runtime_error);
    EXPECT_THROW(SoundTables::fromText("一二\tyi1\n", "", standard, ""), std::runtime_error);
    EXPECT_THROW(SoundTables::fromText("", "单\tshan4 dan1\n", standard, ""), std::runtime_error);
    EXPECT_THROW(SoundTables::fromText("", "", "一\n", ""), std::runtime_error);
    EXPECT_THROW(SoundTables::fromText("", "", standard, "一\tyi1\n"), std::runtime_error);
    EXPECT_THROW(SoundTables::fromText("", "", standard, "一二\tyi1\n"), std::runtime_error);
    // strong words must be words of the list; name words have two characters and two readings
    const std::string_view words = "一二\tyi1 er4\n";
    EXPECT_NO_THROW(
        SoundTables::fromText("一\tyi1\n", "", standard, words, "一二\n", "一二\tyi4 er4\n"));
    EXPECT_THROW(SoundTables::fromText("", "", standard, words, "二一\n", ""), std::runtime_error);
    EXPECT_THROW(SoundTables::fromText("", "", standard, words, "", "一\tyi1\n"),
                 std::runtime_error);
    EXPECT_THROW(SoundTables::fromText("", "", standard, words, "", "一二\tyi1\n"),
                 std::runtime_error);
    EXPECT_THROW(SoundTables::fromText("", "", standard, words, "", "一二 yi1 er4\n"),
                 std::runtime_error);
}

// A well-known person's full name gets a line of its own, the surname and given name split
// anywhere.
TEST(SoundAnalysisTest, FamousNames) {
    EXPECT_EQ(lines("王", "菲").size(), 7U);
    EXPECT_EQ(lines("王", "菲")[6], "与名人同名：王菲");
    EXPECT_EQ(lines("欧阳", "修")[6], "与名人同名：欧阳修");
    EXPECT_EQ(lines("欧", "阳修")[6], "与名人同名：欧阳修");
    EXPECT_EQ(lines("王", "小明").size(), 6U);
    EXPECT_EQ(lines("王", "菲菲").size(), 6U);
    EXPECT_EQ(lines("汪", "菲").size(), 6U);  // only the same characters count
    // the list is sorted and whole, comments and blank lines left out
    const auto& famous = tables().famousNames();
    EXPECT_GT(famous.size(), 1000U);
    EXPECT_TRUE(std::is_sorted(famous.begin(), famous.end()));
    EXPECT_TRUE(tables().isFamous("李白"));
    EXPECT_FALSE(tables().isFamous("李"));
    // built from text: a comment is skipped, a malformed name refused
    const std::string_view standard = "一\n二\n三\nA\n";
    const SoundTables t =
        SoundTables::fromText("", "", standard, "", "", "", "# people\n\n李白\n王菲\n李白\n");
    EXPECT_EQ(t.famousNames(), (std::vector<std::string>{"李白", "王菲"}));
    EXPECT_THROW(SoundTables::fromText("", "", standard, "", "", "", "李\n"), std::runtime_error);
    EXPECT_THROW(SoundTables::fromText("", "", standard, "", "", "", "李 白\n"),
                 std::runtime_error);
}

// The readings that parents use: the standard dictionary's, the name readings of characters and
// of words, the surname readings.
TEST(SoundAnalysisTest, ReadingsInNames) {
    const struct {
        std::string_view surname;
        std::string_view given;
        std::string_view pinyin;
    } cases[] = {
        {"罗", "兴国", "拼音：luó xīng guó"},
        {"王", "卓然", "拼音：wáng zhuó rán"},
        {"张", "靓颖", "拼音：zhāng liàng yǐng"},
        {"李", "焘", "拼音：lǐ tāo"},
        {"王", "珩", "拼音：wáng héng"},
        {"李", "长江", "拼音：lǐ cháng jiāng"},
        {"王", "重阳", "拼音：wáng chóng yáng"},
        {"王", "朝阳", "拼音：wáng zhāo yáng"},
        {"王", "朝晖", "拼音：wáng zhāo huī"},
        {"李", "少华", "拼音：lǐ shào huá"},
        // a word decides only where it stands together in the given name
        {"王", "朝", "拼音：wáng cháo"},
        {"王", "重", "拼音：wáng zhòng"},
        {"朝", "阳", "拼音：cháo yáng"},
        {"王", "小朝阳", "拼音：wáng xiǎo zhāo yáng"},
        {"王", "乐韵", "拼音：wáng yuè yùn"},
        {"王", "乐天", "拼音：wáng lè tiān"},
        {"郇", "明", "拼音：huán míng"},
        {"佴", "明", "拼音：nài míng"},
        {"干", "明", "拼音：gān míng"},
        {"査", "明", "拼音：zhā míng"},
        {"蔚", "然", "拼音：yù rán"},
        {"炅", "明", "拼音：guì míng"},
        {"粘", "明", "拼音：nián míng"},
        {"王", "蔚然", "拼音：wáng wèi rán"},
        // a character without a known reading is named as such
        {"万俟", "卨", "拼音：mò qí 卨（读音不明）"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lines(c.surname, c.given)[0], c.pinyin) << c.surname << c.given;
    }
    // the word's reading is the shown one, and the tones follow it
    const SoundAnalysis a = analyzeSound(tables(), "王", "朝阳");
    ASSERT_TRUE(a.readings[1].has_value());
    EXPECT_EQ(tables().letters(a.readings[1]->syllable), "zhao");
    EXPECT_EQ(a.readings[1]->tone, 1);
}

// The search's filter and the report agree on every name of a candidate list: a name passes the
// sound option exactly when the report finds no homophone, and the character option exactly when
// every given-name character is a standard character.
TEST(SoundFilterTest, AgreesWithTheAnalysis) {
    std::ifstream in(
        std::string(NORLUNE_TEST_DATA_DIR) + "/sound_fixtures/sound_fixture_candidates.utf8.txt",
        std::ios::binary);
    ASSERT_TRUE(in);
    std::vector<std::string> names;
    for (std::string line; std::getline(in, line);) {
        names.push_back(line);
    }
    ASSERT_GT(names.size(), 4000U);
    names.insert(names.end(), {"子腾", "珍香", "用", "伟",   "伟明", "梅都", "磺",   "玥",
                               "x",    "仁耀", "尚", "峦",   "梓涵", "朝阳", "重阳", "大常",
                               "一鸣", "和平", "菲", "阳修", "修",   "嘉诚", "杰伦"});
    int rejected = 0;
    for (std::string_view surname :
         {"王", "杜", "吴", "杨", "欧阳", "朴", "单", "何", "霍", "孙"}) {
        const SoundFilter clean(tables(), surname, true, false);
        const SoundFilter standard(tables(), surname, false, true);
        const SoundFilter both(tables(), surname, true, true);
        const SoundFilter none(tables(), surname, false, false);
        for (const std::string& given : names) {
            const SoundAnalysis a = analyzeSound(tables(), surname, given);
            bool allStandard = true;
            for (char32_t ch : utf8ToU32(given)) {
                allStandard = allStandard && tables().standardLevel(ch) != 0;
            }
            EXPECT_EQ(clean.accepts(given), a.homophones.empty() && !a.famous) << surname << given;
            EXPECT_EQ(standard.accepts(given), allStandard) << surname << given;
            EXPECT_EQ(both.accepts(given), a.homophones.empty() && !a.famous && allStandard);
            EXPECT_TRUE(none.accepts(given));
            rejected += clean.accepts(given) ? 0 : 1;
        }
    }
    EXPECT_GT(rejected, 7);  // the list above holds at least one for each surname
}

TEST(ZhuyinTest, ToneMarksFollowTheSyllableAndTheNeutralDotPrecedesIt) {
    const struct {
        const char* zhuyin;
        int tone;
        const char* out;
    } cases[] = {
        {"ㄨㄤ", 1, "ㄨㄤ"},  {"ㄨㄤ", 2, "ㄨㄤˊ"}, {"ㄨㄤ", 3, "ㄨㄤˇ"}, {"ㄨㄤ", 4, "ㄨㄤˋ"},
        {"ㄇㄚ", 5, "˙ㄇㄚ"}, {"ㄓ", 4, "ㄓˋ"},     {"ㄓ", 0, "ㄓ"},      {"ㄓ", 6, "ㄓ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(zhuyinWithTone(c.zhuyin, c.tone), c.out) << c.zhuyin << c.tone;
    }
}

TEST(ZhuyinTest, LineSpellsEachCharacterOnItsShownReading) {
    const struct {
        const char* surname;
        const char* given;
        const char* line;
    } cases[] = {
        {"王", "小明", "注音：ㄨㄤˊ ㄒㄧㄠˇ ㄇㄧㄥˊ"},
        {"欧阳", "小明", "注音：ㄡ ㄧㄤˊ ㄒㄧㄠˇ ㄇㄧㄥˊ"},
        {"单", "雄", "注音：ㄕㄢˋ ㄒㄩㄥˊ"},       // the surname's own reading
        {"王", "朝阳", "注音：ㄨㄤˊ ㄓㄠ ㄧㄤˊ"},  // the word's reading
        {"吕", "绿", "注音：ㄌㄩˇ ㄌㄩˋ"},
        {"施", "子琪", "注音：ㄕ ㄗˇ ㄑㄧˊ"},
        {"张", "韵", "注音：ㄓㄤ ㄩㄣˋ"},
        {"万俟", "卨", "注音：ㄇㄛˋ ㄑㄧˊ 卨（读音不明）"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lines(c.surname, c.given)[1], c.line) << c.surname << c.given;
    }
}

TEST(ZhuyinTest, OrderPutsTheZhuyinLineBeforeOrAfterThePinyinLine) {
    const SoundAnalysis a = analyzeSound(tables(), "王", "菲");
    const auto after = soundLines(tables(), a);
    const auto before = soundLines(tables(), a, ZhuyinOrder::BeforePinyin);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after, soundLines(tables(), a, ZhuyinOrder::AfterPinyin));
    EXPECT_EQ(before[0], after[1]);
    EXPECT_EQ(before[1], after[0]);
    EXPECT_TRUE(before[0].starts_with("注音："));
    for (std::size_t i = 2; i < after.size(); ++i) {
        EXPECT_EQ(before[i], after[i]);
    }
    std::string report;
    appendSoundSection(tables(), "王", "小明", report, ZhuyinOrder::BeforePinyin);
    EXPECT_NE(report.find("注音：ㄨㄤˊ ㄒㄧㄠˇ ㄇㄧㄥˊ\r\n拼音：wáng xiǎo míng\r\n"),
              std::string::npos);
}

TEST(ZhuyinTest, EverySyllableOfTheDataHasItsZhuyin) {
    // Every syllable of the readings, the surname readings and the name words.
    ASSERT_GT(tables().syllableCount(), 400U);
    for (std::size_t id = 0; id < tables().syllableCount(); ++id) {
        const auto syllable = static_cast<std::uint16_t>(id);
        const std::u32string zhuyin = utf8ToU32(tables().zhuyin(syllable));
        EXPECT_FALSE(zhuyin.empty()) << tables().letters(syllable);
        EXPECT_LE(zhuyin.size(), 3U) << tables().letters(syllable);
        for (char32_t ch : zhuyin) {
            EXPECT_TRUE(ch >= U'\u3105' && ch <= U'\u312F') << tables().letters(syllable);
        }
    }
    // A table without a 注音 text spells nothing, and a malformed line stops the build.
    const std::string standard = "一\n\n\n一\n";
    const SoundTables bare = SoundTables::fromText("一\tyi1\n", "", standard, "");
    EXPECT_EQ(bare.zhuyin(0), "");
    const SoundTables spelt =
        SoundTables::fromText("一\tyi1\n", "", standard, "", "", "", "", "ba\tㄅㄚ\nyi\tㄧ\n");
    EXPECT_EQ(spelt.zhuyin(0), "ㄧ");
    EXPECT_EQ(spelt.syllableCount(), 1U);
    EXPECT_THROW(SoundTables::fromText("", "", standard, "", "", "", "", "ba ㄅㄚ\n"),
                 std::runtime_error);
}

}  // namespace
}  // namespace norlune
