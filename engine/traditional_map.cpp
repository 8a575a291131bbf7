#include "engine/traditional_map.h"

#include <algorithm>

#include "embedded/traditional_txt.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {

TraditionalMap TraditionalMap::fromText(std::string_view text) {
    TraditionalMap map;
    const auto lines = splitLines(text);
    if (lines.size() < 2) {
        return map;
    }
    for (std::string_view field : splitFields(lines[0], ',')) {
        map.simplified_.push_back(utf8ToU32(field));
    }
    for (std::string_view field : splitFields(lines[1], ',')) {
        map.traditional_.push_back(utf8ToU32(field));
    }
    const std::size_t pairs = std::min(map.simplified_.size(), map.traditional_.size());
    // Replacing one character by one character pair after pair over a whole text is the same as
    // following each character alone through the pairs, so the result is computed once per
    // character.
    for (std::size_t i = 0; i < pairs; ++i) {
        if (map.simplified_[i].size() != 1 || map.final_.contains(map.simplified_[i][0])) {
            continue;
        }
        char32_t ch = map.simplified_[i][0];
        for (std::size_t j = i; j < pairs; ++j) {
            if (map.simplified_[j].size() == 1 && map.traditional_[j].size() == 1 &&
                map.simplified_[j][0] == ch) {
                ch = map.traditional_[j][0];
            }
        }
        map.final_[map.simplified_[i][0]] = ch;
    }
    return map;
}

TraditionalMap TraditionalMap::builtIn() {
    return fromText(embedded::kTraditionalTxt);
}

std::string TraditionalMap::GbToBig(std::string_view content) const {
    std::string out;
    out.reserve(content.size());
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::size_t start = pos;
        const char32_t ch = nextCodePoint(content, pos);
        const char32_t converted = convert(ch);
        if (converted == ch) {
            out.append(content.substr(start, pos - start));  // keep the bytes as they came
        } else {
            appendUtf8(out, converted);
        }
    }
    return out;
}

}  // namespace norlune
