#pragma once
// The simplified-to-traditional pairs. Pair i turns simplified entry i into traditional entry i;
// the pairs apply in order, each to the result of those before it, so the first pair of a character
// decides and a chain (迭 to 叠, then 叠 to 疊) runs through.
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace norlune {

class TraditionalMap {
public:
    // Builds the map from the data text: line 1 the simplified list, line 2 the traditional list,
    // each comma-separated, one character per entry.
    // `typedForms`, when given, adds the variants: line 1 the variants, line 2 the characters
    // they stand for, comma-separated like the pairs.
    static TraditionalMap fromText(std::string_view text, std::string_view typedForms = {});
    static TraditionalMap builtIn();

    // The traditional form of a text; characters without a pair stay as they are.
    std::string GbToBig(std::string_view content) const;
    char32_t convert(char32_t ch) const {
        const auto it = final_.find(ch);
        return it == final_.end() ? ch : it->second;
    }

    // The character a typed character stands for: the simplified character of the pair whose
    // traditional form it is, where that form is the one the character is converted to and is not
    // itself the simplified side of a pair (張 to 张, 疊 to 叠); the character of a variant (峯 to
    // 峰); otherwise the character itself. A further traditional form of a character with two
    // pairs (鐘 beside 鍾 for 钟) stands for that character as well, after the first.
    char32_t countedForm(char32_t typed) const {
        const auto it = typed_.find(typed);
        return it == typed_.end() ? typed : it->second;
    }
    // Every typed form with the character it stands for, in the order of the pairs, the variants
    // last.
    const std::vector<std::pair<char32_t, char32_t>>& typedForms() const { return typedOrder_; }

    const std::vector<std::u32string>& simplified() const { return simplified_; }
    const std::vector<std::u32string>& traditional() const { return traditional_; }

private:
    std::vector<std::u32string> simplified_;
    std::vector<std::u32string> traditional_;
    std::unordered_map<char32_t, char32_t> final_;  // each character after all pairs have applied
    std::unordered_map<char32_t, char32_t> typed_;  // typed form -> the character it stands for
    std::vector<std::pair<char32_t, char32_t>> typedOrder_;
};

}  // namespace norlune
