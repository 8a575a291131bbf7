#pragma once
// The simplified-to-traditional pairs. Pair i turns simplified entry i into traditional entry i;
// the pairs apply in order, each to the result of those before it, so the first pair of a character
// decides and a chain (迭 to 叠, then 叠 to 疊) runs through.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace norlune {

class TraditionalMap {
public:
    // Builds the map from the data text: line 1 the simplified list, line 2 the traditional list,
    // each comma-separated, one character per entry.
    static TraditionalMap fromText(std::string_view text);
    static TraditionalMap builtIn();

    // The traditional form of a text; characters without a pair stay as they are.
    std::string GbToBig(std::string_view content) const;
    char32_t convert(char32_t ch) const {
        const auto it = final_.find(ch);
        return it == final_.end() ? ch : it->second;
    }

    const std::vector<std::u32string>& simplified() const { return simplified_; }
    const std::vector<std::u32string>& traditional() const { return traditional_; }

private:
    std::vector<std::u32string> simplified_;
    std::vector<std::u32string> traditional_;
    std::unordered_map<char32_t, char32_t> final_;  // each character after all pairs have applied
};

}  // namespace norlune
