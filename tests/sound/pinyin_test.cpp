#include "sound/pinyin.h"

#include <gtest/gtest.h>

namespace norlune {
namespace {

TEST(PinyinTest, ToneMarkSitsWhereItIsPrinted) {
    const struct {
        std::string_view letters;
        int tone;
        std::string_view marked;
    } cases[] = {
        {"zhong", 1, "zhōng"}, {"xiong", 2, "xióng"}, {"xiao", 3, "xiǎo"}, {"lve", 4, "lüè"},
        {"lv", 4, "lǜ"},       {"nv", 5, "nü"},       {"gou", 3, "gǒu"},   {"liu", 2, "liú"},
        {"gui", 4, "guì"},     {"er", 4, "èr"},       {"zi", 5, "zi"},     {"ju", 1, "jū"},
        {"ng", 2, "ng"},       {"yue", 4, "yuè"},     {"shui", 3, "shuǐ"}, {"o", 1, "ō"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toneMarked(c.letters, c.tone), c.marked) << c.letters << c.tone;
    }
}

TEST(PinyinTest, InitialsAndFullFinals) {
    const struct {
        std::string_view letters;
        std::string_view initial;
        std::string_view final;
    } cases[] = {
        {"zhang", "zh", "ang"}, {"chi", "ch", "i"}, {"shan", "sh", "an"}, {"li", "l", "i"},
        {"an", "", "an"},       {"er", "", "er"},   {"yan", "y", "ian"},  {"yi", "y", "i"},
        {"ying", "y", "ing"},   {"you", "y", "iu"}, {"yu", "y", "v"},     {"yuan", "y", "van"},
        {"yun", "y", "vn"},     {"wu", "w", "u"},   {"wei", "w", "ui"},   {"wen", "w", "un"},
        {"wang", "w", "uang"},  {"ju", "j", "v"},   {"quan", "q", "van"}, {"xue", "x", "ve"},
        {"lv", "l", "v"},       {"zi", "z", "i"},   {"song", "s", "ong"}, {"hua", "h", "ua"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pinyinInitial(c.letters), c.initial) << c.letters;
        EXPECT_EQ(pinyinFinal(c.letters), c.final) << c.letters;
    }
}

TEST(PinyinTest, SpokenInitialsAndFinals) {
    const struct {
        std::string_view letters;
        std::string_view initial;
        std::string_view final;
    } cases[] = {
        // y and w spell a final, they are no initials
        {"yang", "", "iang"},
        {"yu", "", "v"},
        {"wen", "", "un"},
        {"wu", "", "u"},
        {"yi", "", "i"},
        // the apical vowels
        {"zhi", "zh", "-i"},
        {"chi", "ch", "-i"},
        {"shi", "sh", "-i"},
        {"ri", "r", "-i"},
        {"zi", "z", "-i"},
        {"ci", "c", "-i"},
        {"si", "s", "-i"},
        // an i after other initials, and finals that merely begin with i
        {"qi", "q", "i"},
        {"li", "l", "i"},
        {"shin", "sh", "in"},
        {"zhuo", "zh", "uo"},
        // ü after j q x
        {"ju", "j", "v"},
        {"xue", "x", "ve"},
        {"lv", "l", "v"},
        {"lu", "l", "u"},
        {"an", "", "an"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(spokenInitial(c.letters), c.initial) << c.letters;
        EXPECT_EQ(spokenFinal(c.letters), c.final) << c.letters;
    }
}

TEST(PinyinTest, LevelAndObliqueTones) {
    EXPECT_TRUE(isLevelTone(1));
    EXPECT_TRUE(isLevelTone(2));
    EXPECT_FALSE(isLevelTone(3));
    EXPECT_FALSE(isLevelTone(4));
    EXPECT_FALSE(isLevelTone(5));
    EXPECT_EQ(toneName(1), "阴平");
    EXPECT_EQ(toneName(4), "去声");
    EXPECT_EQ(toneName(5), "轻声");
}

}  // namespace
}  // namespace norlune
