#pragma once
// 避讳: a child's name uses no character of an elder's name, and, when the family asks for it, no
// character that sounds like one (the same syllable, tones aside, as the custom has it).
#include <cstdint>
#include <string_view>
#include <vector>

#include "sound/sound_tables.h"

namespace norlune {

class AvoidFilter {
public:
    // At most this many characters to avoid.
    static constexpr std::size_t kMaxCharacters = 20;

    // `characters`: the characters to avoid (UTF-8, repeats allowed). With `bySound`, a character
    // whose usual reading has the syllable of an avoided character's usual reading is avoided too;
    // that needs `tables`, which must then outlive the filter.
    AvoidFilter(std::string_view characters, const SoundTables* tables, bool bySound);

    // Whether the given name uses none of the avoided characters (nor, with bySound, their
    // syllables). Allocates nothing.
    bool accepts(std::string_view givenName) const;

    bool empty() const { return characters_.empty(); }

private:
    std::vector<char32_t> characters_;
    std::vector<std::uint16_t> syllables_;
    const SoundTables* tables_ = nullptr;
};

}  // namespace norlune
