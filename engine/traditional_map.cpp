#include "engine/traditional_map.h"

#include <algorithm>

#include "embedded/traditional_txt.h"
#include "embedded/typed_forms_txt.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {

namespace {

std::vector<std::u32string> fieldsOf(std::string_view line) {
    std::vector<std::u32string> fields;
    for (std::string_view field : splitFields(line, ',')) {
        fields.push_back(utf8ToU32(field));
    }
    return fields;
}

}  // namespace

TraditionalMap TraditionalMap::fromText(std::string_view text, std::string_view typedForms) {
    TraditionalMap map;
    const auto lines = splitLines(text);
    if (lines.size() < 2) {
        return map;
    }
    map.simplified_ = fieldsOf(lines[0]);
    map.traditional_ = fieldsOf(lines[1]);
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
    const auto addTyped = [&map](char32_t typed, char32_t counted) {
        if (typed != counted && !map.final_.contains(typed) && !map.typed_.contains(typed)) {
            map.typed_.emplace(typed, counted);
            map.typedOrder_.emplace_back(typed, counted);
        }
    };
    // The form each character is converted to first, so that a chain's middle (叠) and the further
    // forms of a character with two pairs come after it.
    for (const bool converted : {true, false}) {
        for (std::size_t i = 0; i < pairs; ++i) {
            if (map.simplified_[i].size() != 1 || map.traditional_[i].size() != 1) {
                continue;
            }
            const char32_t s = map.simplified_[i][0];
            const char32_t t = map.traditional_[i][0];
            if ((map.final_.at(s) == t) == converted) {
                addTyped(t, s);
            }
        }
    }
    const auto variantLines = splitLines(typedForms);
    if (variantLines.size() >= 2) {
        const auto variants = fieldsOf(variantLines[0]);
        const auto standard = fieldsOf(variantLines[1]);
        for (std::size_t i = 0; i < std::min(variants.size(), standard.size()); ++i) {
            if (variants[i].size() == 1 && standard[i].size() == 1) {
                addTyped(variants[i][0], map.countedForm(standard[i][0]));
            }
        }
    }
    return map;
}

TraditionalMap TraditionalMap::builtIn() {
    return fromText(embedded::kTraditionalTxt, embedded::kTypedFormsTxt);
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
