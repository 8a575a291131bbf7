#include "engine/stroke_dictionary.h"

#include <algorithm>

#include "embedded/strokes_added_txt.h"
#include "embedded/strokes_txt.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {

StrokeDictionary StrokeDictionary::fromText(std::string_view text, std::string_view added) {
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
    // The added lists only count what the lists above leave out; their lowest list decides too.
    const CodePointTable listed = dict.byChar_;
    const auto addedLines = splitLines(added);
    for (std::size_t k = std::min<std::size_t>(kListCount, addedLines.size()); k >= 1; --k) {
        for (char32_t ch : utf8ToU32(addedLines[k - 1])) {
            if (listed.get(ch) == 0) {
                dict.byChar_.set(ch, static_cast<std::uint8_t>(k));
            }
        }
    }
    return dict;
}

StrokeDictionary StrokeDictionary::builtIn() {
    return fromText(embedded::kStrokesTxt, embedded::kStrokesAddedTxt);
}

StrokeDictionary StrokeDictionary::builtIn(const TraditionalMap& traditional) {
    StrokeDictionary dict = builtIn();
    dict.countTypedForms(traditional);
    return dict;
}

void StrokeDictionary::countTypedForms(const TraditionalMap& traditional) {
    byChar_.copyMissing(traditional.typedForms());
}

bool StrokeDictionary::countsAll(std::string_view text) const {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (byChar_.get(nextCodePoint(text, pos)) == 0) {
            return false;
        }
    }
    return true;
}

std::u32string StrokeDictionary::uncounted(std::u32string_view text) const {
    std::u32string missing;
    for (const char32_t ch : text) {
        if (byChar_.get(ch) == 0 && missing.find(ch) == std::u32string::npos) {
            missing.push_back(ch);
        }
    }
    return missing;
}

std::string uncountedMessage(std::u32string_view characters) {
    return "无法计算笔画的字：" + u32ToUtf8(characters);
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
