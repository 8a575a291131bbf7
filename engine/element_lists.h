#pragma once
// The element character lists: five runs of simplified characters for 金 木 水 火 土 (codes 1 to
// 5). The element of a character is that of the first list holding it.
#include <array>
#include <string>
#include <string_view>

#include "engine/code_point_table.h"
#include "engine/traditional_map.h"

namespace norlune {

// Element codes where elements are numbered: 金 1, 木 2, 水 3, 火 4, 土 5.
inline constexpr std::array<std::string_view, 6> kElementByCode = {"",   "金", "木",
                                                                   "水", "火", "土"};

class ElementCharacterLists {
public:
    static constexpr int kListCount = 5;

    // Line c of the data text is the list of element code c.
    static ElementCharacterLists fromText(std::string_view text);
    static ElementCharacterLists builtIn();

    // Code 1..5 of the first list holding the character, 0 when none does.
    int codeOf(char32_t ch) const { return byChar_.get(ch); }
    // The same for a text by the substring rule: the empty text is found in the first non-empty
    // list.
    int codeOf(std::u32string_view txt) const;

    // The element character, or the empty text for a character in no list.
    std::string_view ElementOfCharacter(char32_t ch) const {
        return kElementByCode[static_cast<std::size_t>(codeOf(ch))];
    }
    std::string_view ElementOfCharacter(std::u32string_view txt) const {
        return kElementByCode[static_cast<std::size_t>(codeOf(txt))];
    }

    // Gives each typed form in no list the element of the character it stands for (張 that of 张).
    void addTypedForms(const TraditionalMap& traditional);

    const std::u32string& list(int code) const { return lists_[static_cast<std::size_t>(code)]; }

private:
    std::array<std::u32string, kListCount + 1> lists_;
    CodePointTable byChar_;
};

// The start-up fill of the element lists, typed traditional forms included.
ElementCharacterLists FillElementLists();
ElementCharacterLists FillElementLists(const TraditionalMap& traditional);

}  // namespace norlune
