#pragma once
// The stroke dictionary: 33 lists, list k holding every character that numerology counts with k
// strokes (the count of the traditional form; the numerals by value). A character in several lists
// counts with the lowest of them.
//
// Beside the 33 lists the dictionary counts the characters they leave out that names use (the
// first two levels of the general standard table, and their traditional forms) from a second set
// of lists, and every typed traditional form or variant as the character it stands for.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/code_point_table.h"
#include "engine/traditional_map.h"

namespace norlune {

class StrokeDictionary {
public:
    static constexpr int kListCount = 33;

    // Builds the dictionary from the data text: line k is list k. `added`, in the same form,
    // counts characters that no list of `text` holds.
    static StrokeDictionary fromText(std::string_view text, std::string_view added = {});
    // The built-in dictionary: the 33 lists and the added counts.
    static StrokeDictionary builtIn();
    // The built-in dictionary where every typed form of `traditional` without a count of its own
    // counts as the character it stands for (張 as 张).
    static StrokeDictionary builtIn(const TraditionalMap& traditional);

    // Gives each typed form without a count the count of the character it stands for.
    void countTypedForms(const TraditionalMap& traditional);

    // The stroke count of one character: the number of the first list that holds it, nothing when
    // no list does. Constant time.
    std::optional<int> getnum(char32_t ch) const {
        const int k = byChar_.get(ch);
        return k == 0 ? std::nullopt : std::optional<int>(k);
    }
    // The same for a text, by the substring rule: the empty text is found in the first non-empty
    // list; a text of several characters only where it stands as a run inside one list.
    std::optional<int> getnum(std::u32string_view txt) const;

    // Whether every character of a UTF-8 text has a count. Allocates nothing.
    bool countsAll(std::string_view text) const;
    // The characters of a text that have no count, each once, in the order they first occur.
    std::u32string uncounted(std::u32string_view text) const;

    // List k (1..33) as stored.
    const std::u32string& list(int k) const { return lists_[static_cast<std::size_t>(k)]; }

private:
    std::array<std::u32string, kListCount + 1> lists_;  // slot 0 stays empty
    CodePointTable byChar_;
};

// The message that refuses a name with characters that have no count: "无法计算笔画的字：" and the
// characters.
std::string uncountedMessage(std::u32string_view characters);

}  // namespace norlune
