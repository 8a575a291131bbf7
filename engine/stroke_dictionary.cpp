#include "engine/stroke_dictionary.h"

#include "embedded/strokes_txt.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {

StrokeDictionary StrokeDictionary::fromText(std::string_view text) {
    StrokeDictionary dict;
    const auto lines = splitLines(text);
    for (int k = 1; k <= kListCount && static_cast<std::size_t>(k) <= lines.size(); ++k) {
        dict.lists_[static_cast<std::size_t>(k)] =
            utf8ToU32(lines[static_cast<std::size_t>(k - 1)]);
    }
    // Highest list first, so that the lowest list holding a character has the last word.
    for (int k = kListCount; k >= 1; --k) {
        for (char32_t ch : dict.lists_[static_cast<std::size_t>(k)]) {
            dict.byChar_.set(ch, static_cast<std::uint8_t>(k));
        }
    }
    return dict;
}

StrokeDictionary StrokeDictionary::builtIn() {
    return fromText(embedded::kStrokesTxt);
}

std::optional<int> StrokeDictionary::getnum(std::u32string_view txt) const {
    if (txt.size() == 1) {
        return getnum(txt.front());
    }
    for (int k = 1; k <= kListCount; ++k) {
        const std::u32string& list = lists_[static_cast<std::size_t>(k)];
        if (txt.empty() ? !list.empty() : list.find(txt) != std::u32string::npos) {
            return k;
        }
    }
    return std::nullopt;
}

}  // namespace norlune
