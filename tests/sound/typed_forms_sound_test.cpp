// The sound side of names typed in traditional characters, and the counts of the characters of
// the general standard table.
#include <gtest/gtest.h>

#include "embedded/bad_words_txt.h"
#include "embedded/readings_txt.h"
#include "embedded/standard_chars_txt.h"
#include "embedded/surname_readings_txt.h"
#include "engine/name_engine.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"
#include "sound/sound_analysis.h"
#include "sound/sound_tables.h"

namespace norlune {
namespace {

const SoundTables& builtIn() {
    static const SoundTables t = SoundTables::builtIn();
    return t;
}

// Every typed form (the pairs' traditional forms, the variants, the further traditional forms)
// reads as the character it stands for, unless the reading data gives it readings of its own.
TEST(TypedFormsSoundTest, EveryTypedFormReadsAsItsCharacter) {
    const SoundTables plain =
        SoundTables::fromText(embedded::kReadingsTxt, embedded::kSurnameReadingsTxt,
                              embedded::kStandardCharsTxt, embedded::kBadWordsTxt);
    const TraditionalMap map = TraditionalMap::builtIn();
    ASSERT_GT(map.typedForms().size(), 1200u);
    for (const auto& [typed, standsFor] : map.typedForms()) {
        const auto own = plain.readings(typed);
        const auto expected = own.empty() ? plain.readings(standsFor) : own;
        const auto got = builtIn().readings(typed);
        ASSERT_EQ(got.size(), expected.size()) << u32ToUtf8(std::u32string(1, typed));
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i], expected[i]) << u32ToUtf8(std::u32string(1, typed));
        }
    }
}

TEST(TypedFormsSoundTest, TraditionalNamesSoundAsTheSimplifiedNames) {
    struct Row {
        const char* surname;
        const char* given;
        const char* pinyin;
    };
    // 單 and 區 are read as the surnames 单 shàn and 区 ōu, as their simplified forms are.
    const Row rows[] = {{"張", "偉", "拼音：zhāng wěi"},
                        {"單", "東", "拼音：shàn dōng"},
                        {"區", "麗", "拼音：ōu lì"},
                        {"陳", "志明", "拼音：chén zhì míng"}};
    for (const Row& r : rows) {
        const auto lines = soundLines(builtIn(), analyzeSound(builtIn(), r.surname, r.given));
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), r.pinyin) << r.surname << r.given;
    }
}

// The first two levels of the general standard table have counts: every character but 齉 (36
// strokes, beyond the 33 lists), itself or as the character it is typed for (麽 as 么).
TEST(TypedFormsSoundTest, StandardTableLevelsOneAndTwoAreCounted) {
    const NameTables tables = FillNameTables();
    const auto levels = splitLines(embedded::kStandardCharsTxt);
    ASSERT_GE(levels.size(), 2u);
    std::u32string missing;
    std::size_t checked = 0;
    for (const std::size_t level : {0u, 1u}) {
        for (const char32_t ch : utf8ToU32(levels[level])) {
            ++checked;
            if (!tables.strokes.getnum(ch)) {
                missing.push_back(ch);
            }
        }
    }
    EXPECT_EQ(checked, 6500u);
    EXPECT_EQ(u32ToUtf8(missing), "齉");
    EXPECT_EQ(tables.strokes.getnum(U'麽'), tables.strokes.getnum(U'么'));
}

}  // namespace
}  // namespace norlune
