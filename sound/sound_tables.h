#pragma once
// The sound data, built once into lookups: the readings of every character, the surname readings,
// the readings that words of given names decide (朝阳 zhāo yáng), the general standard character
// table with GB 2312, and the words that names must not sound like, indexed by their toneless
// syllables.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/code_point_table.h"
#include "engine/traditional_map.h"

namespace norlune {

// One reading: a toneless syllable (an id into the table's syllables) and its tone 1..5.
struct Reading {
    std::uint16_t syllable = 0;
    std::uint8_t tone = 0;
    friend bool operator==(const Reading&, const Reading&) = default;
};

struct BadWord {
    std::string word;
    std::vector<Reading> readings;
    // A strong word (an insult, a vulgarity, death, a notorious name) is heard whatever the tones
    // and through a character's other common reading; any other only with the same tones.
    bool strong = false;
};

class SoundTables {
public:
    // At most this many syllables in a word.
    static constexpr std::size_t kMaxWordLength = 4;

    // Builds the tables from the data texts; a malformed line stops with std::runtime_error.
    // `strongWords` names words of `badWords`, one a line; `nameWords` holds lines "word TAB
    // readings" of two-character words; `famousNames` the full names of well-known people, one a
    // line, lines beginning with # being comments; `zhuyin` lines "syllable TAB 注音" (the 注音
    // without a tone mark), of which those of syllables the readings use are kept.
    static SoundTables fromText(std::string_view readings, std::string_view surnames,
                                std::string_view standard, std::string_view badWords,
                                std::string_view strongWords = {}, std::string_view nameWords = {},
                                std::string_view famousNames = {}, std::string_view zhuyin = {});
    // The built-in tables, typed traditional forms included (of the built-in pairs, or of the
    // pairs the caller has built already).
    static SoundTables builtIn();
    static SoundTables builtIn(const TraditionalMap& traditional);

    // Gives each typed form without readings of its own the readings of the character it stands
    // for (張 those of 张), and each surname written with typed forms the surname's readings (單
    // that of 单).
    void addTypedForms(const TraditionalMap& traditional);

    // The readings of a character, the usual one first; empty for a character without one.
    std::span<const Reading> readings(char32_t ch) const;
    // A surname's readings, one per character: the surname's own reading where the list gives one
    // (the whole surname first, then each character), else each character's usual reading. An
    // entry of 0 readings marks a character without one.
    std::vector<std::span<const Reading>> surnameReadings(std::u32string_view surname) const;

    // Where the two characters stand together in a given name as a listed word (朝阳), their
    // readings with the word's first, into `first` and `second`; false, with both untouched,
    // where they do not form one. Constant time, no allocation.
    bool nameWordReadings(char32_t a, char32_t b, std::span<const Reading>& first,
                          std::span<const Reading>& second) const;

    // 1, 2 or 3 for the levels of the general standard table, 0 outside it.
    int standardLevel(char32_t ch) const { return levels_.get(ch) & 3; }
    bool inGb2312(char32_t ch) const { return (levels_.get(ch) & 4) != 0; }

    std::string_view letters(std::uint16_t syllable) const { return syllables_[syllable]; }
    std::size_t syllableCount() const { return syllables_.size(); }
    // The 注音 of a toneless syllable without a tone mark ("ㄨㄤ"); empty where the table has none.
    std::string_view zhuyin(std::uint16_t syllable) const {
        return syllable < zhuyin_.size() ? std::string_view(zhuyin_[syllable]) : std::string_view();
    }
    // The id of a toneless syllable, or -1.
    int syllableId(std::string_view letters) const;

    const std::vector<BadWord>& badWords() const { return words_; }

    // The full names of well-known people, sorted, and whether a full name is one of them.
    const std::vector<std::string>& famousNames() const { return famous_; }
    bool isFamous(std::string_view fullName) const;
    // Whether some word begins with these two toneless syllables: a constant-time test that spares
    // most spans the lookup below.
    bool mayBeginWord(std::uint16_t first, std::uint16_t second) const {
        const std::size_t bit = std::size_t{first} * syllables_.size() + second;
        return (pairBits_[bit / 64] >> (bit % 64)) & 1U;
    }
    // The indexes of the words whose toneless syllables are exactly these (2 to 4 of them).
    std::span<const std::uint32_t> wordsSpelling(std::span<const std::uint16_t> syllables) const;

private:
    std::uint16_t intern(std::string_view letters);
    std::vector<Reading> parseReadings(std::string_view text, std::string_view where);
    static std::uint64_t key(std::span<const std::uint16_t> syllables);

    std::vector<std::string> syllables_;
    std::vector<std::string> zhuyin_;  // by syllable id
    std::unordered_map<std::string, std::uint16_t> syllableIds_;
    std::vector<Reading> pool_;
    // offset << 3 | count into pool_, for the BMP by index and beyond it by map
    std::vector<std::uint32_t> bmpIndex_;
    std::unordered_map<char32_t, std::uint32_t> otherIndex_;
    std::unordered_map<std::u32string, std::vector<Reading>> surnames_;
    std::span<const Reading> entryReadings(std::uint32_t entry) const;
    std::uint32_t entryOf(char32_t ch) const;

    CodePointTable levels_;  // standard level in bits 0-1, GB 2312 in bit 2, name word start bit 3
    std::vector<BadWord> words_;
    std::vector<std::string> famous_;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> wordIndex_;
    std::vector<std::uint64_t> pairBits_;
    // first << 32 | second -> the pool entries of the two characters' readings in the word
    std::unordered_map<std::uint64_t, std::array<std::uint32_t, 2>> nameWords_;
};

}  // namespace norlune
