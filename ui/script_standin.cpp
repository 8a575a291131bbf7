#include "ui/script_standin.h"

#include <opencc/opencc.h>

namespace norlune {

Script scriptFromLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    std::string_view value;
    for (const char* candidate : {lcAll, lcMessages, lang}) {
        if (candidate != nullptr && *candidate != '\0') {
            value = candidate;
            break;
        }
    }
    const std::string_view name = value.substr(0, value.find_first_of(".@"));
    for (std::string_view hant : {"zh_TW", "zh_HK", "zh_MO", "zh_Hant"}) {
        if (name.starts_with(hant)) {
            return Script::Hant;
        }
    }
    return Script::Hans;
}

struct ScriptConverter::Impl {
    opencc::SimpleConverter converter{"s2tw.json"};
};

ScriptConverter::ScriptConverter() : impl_(std::make_unique<Impl>()) {}
ScriptConverter::~ScriptConverter() = default;

std::string ScriptConverter::toHant(std::string_view text,
                                    std::span<const std::string_view> keep) const {
    std::string out;
    std::size_t done = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t longest = 0;
        for (std::string_view k : keep) {
            if (k.size() > longest && text.substr(pos).starts_with(k)) {
                longest = k.size();
            }
        }
        if (longest == 0) {
            ++pos;
            continue;
        }
        if (pos > done) {
            out += impl_->converter.Convert(text.data() + done, pos - done);
        }
        out.append(text.substr(pos, longest));
        pos += longest;
        done = pos;
    }
    if (text.size() > done) {
        out += impl_->converter.Convert(text.data() + done, text.size() - done);
    }
    return out;
}

std::string present(const ScriptConverter& converter, Script script, std::string_view text,
                    std::span<const std::string_view> keep) {
    return script == Script::Hans ? std::string(text) : converter.toHant(text, keep);
}

}  // namespace norlune
