#include "engine/element_lists.h"

#include "embedded/elements_txt.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {

ElementCharacterLists ElementCharacterLists::fromText(std::string_view text) {
    ElementCharacterLists lists;
    const auto lines = splitLines(text);
    for (int code = 1; code <= kListCount && static_cast<std::size_t>(code) <= lines.size();
         ++code) {
        lists.lists_[static_cast<std::size_t>(code)] =
            utf8ToU32(lines[static_cast<std::size_t>(code - 1)]);
    }
    for (int code = kListCount; code >= 1; --code) {
        for (char32_t ch : lists.lists_[static_cast<std::size_t>(code)]) {
            lists.byChar_.set(ch, static_cast<std::uint8_t>(code));
        }
    }
    return lists;
}

ElementCharacterLists ElementCharacterLists::builtIn() {
    return fromText(embedded::kElementsTxt);
}

ElementCharacterLists FillElementLists() {
    return FillElementLists(TraditionalMap::builtIn());
}

ElementCharacterLists FillElementLists(const TraditionalMap& traditional) {
    ElementCharacterLists lists = ElementCharacterLists::builtIn();
    lists.addTypedForms(traditional);
    return lists;
}

void ElementCharacterLists::addTypedForms(const TraditionalMap& traditional) {
    byChar_.copyMissing(traditional.typedForms());
}

int ElementCharacterLists::codeOf(std::u32string_view txt) const {
    if (txt.size() == 1) {
        return codeOf(txt.front());
    }
    for (int code = 1; code <= kListCount; ++code) {
        const std::u32string& list = lists_[static_cast<std::size_t>(code)];
        if (txt.empty() ? !list.empty() : list.find(txt) != std::u32string::npos) {
            return code;
        }
    }
    return 0;
}

}  // namespace norlune
