#pragma once
// The stroke dictionary: 33 lists, list k holding every character that numerology counts with k
// strokes (the count of the traditional form; the numerals by value). A character in several lists
// counts with the lowest of them.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/code_point_table.h"

namespace norlune {

class StrokeDictionary {
public:
    static constexpr int kListCount = 33;

    // Builds the dictionary from the data text: line k is list k.
    static StrokeDictionary fromText(std::string_view text);
    // The built-in dictionary.
    static StrokeDictionary builtIn();

    // The stroke count of one character: the number of the first list that holds it, nothing when
    // no list does. Constant time.
    std::optional<int> getnum(char32_t ch) const {
        const int k = byChar_.get(ch);
        return k == 0 ? std::nullopt : std::optional<int>(k);
    }
    // The same for a text, by the substring rule: the empty text is found in the first non-empty
    // list; a text of several characters only where it stands as a run inside one list.
    std::optional<int> getnum(std::u32string_view txt) const;

    // List k (1..33) as stored.
    const std::u32string& list(int k) const { return lists_[static_cast<std::size_t>(k)]; }

private:
    std::array<std::u32string, kListCount + 1> lists_;  // slot 0 stays empty
    CodePointTable byChar_;
};

}  // namespace norlune
