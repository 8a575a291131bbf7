#include "script/interface_script.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "embedded/hant_table_txt.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(x) == lower(y);
    });
}

[[noreturn]] void malformed(std::string_view line) {
    throw std::runtime_error("script table: malformed line: " + std::string(line));
}

// The one character of a field, or a malformed line.
char32_t singleCharacter(std::string_view field, std::string_view line) {
    const std::u32string chars = utf8ToU32(field);
    if (chars.size() != 1 || !isValidUtf8(field)) {
        malformed(line);
    }
    return chars[0];
}

}  // namespace

Script scriptFromLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    std::string_view value;
    for (const char* candidate : {lcAll, lcMessages, lang}) {
        if (candidate != nullptr && *candidate != '\0') {
            value = candidate;
            break;
        }
    }
    // language[_territory][.codeset][@modifier]; the script may stand as a part of its own
    // (zh_Hant, zh_Hant_TW, zh-Hant).
    value = value.substr(0, std::min(value.find('.'), value.find('@')));
    bool chinese = false;
    bool traditionalRegion = false;
    std::size_t start = 0;
    for (int part = 0; start <= value.size(); ++part) {
        const std::size_t end = std::min(value.find_first_of("_-", start), value.size());
        const std::string_view token = value.substr(start, end - start);
        start = end + 1;
        if (part == 0) {
            chinese = equalsIgnoringCase(token, "zh");
            if (!chinese) {
                return Script::Hans;
            }
        } else if (equalsIgnoringCase(token, "Hant")) {
            return Script::Hant;
        } else if (equalsIgnoringCase(token, "Hans")) {
            return Script::Hans;  // the script named outright decides over the territory
        } else if (equalsIgnoringCase(token, "TW") || equalsIgnoringCase(token, "HK") ||
                   equalsIgnoringCase(token, "MO")) {
            traditionalRegion = true;
        }
    }
    return chinese && traditionalRegion ? Script::Hant : Script::Hans;
}

ScriptConverter::ScriptConverter() : ScriptConverter(embedded::kHantTableTxt) {}

ScriptConverter::ScriptConverter(std::string_view tableText) {
    for (std::string_view line : splitLines(tableText)) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::vector<std::string_view> fields = splitFields(line, '\t');
        if (fields[0] == "c" && fields.size() == 3) {
            chars_[singleCharacter(fields[1], line)] = singleCharacter(fields[2], line);
        } else if (fields[0] == "p" && fields.size() == 3) {
            if (!isValidUtf8(fields[1]) || !isValidUtf8(fields[2]) ||
                codePointCount(fields[1]) < 2 ||
                codePointCount(fields[1]) != codePointCount(fields[2])) {
                malformed(line);
            }
            phrases_.push_back({std::string(fields[1]), std::string(fields[2])});
        } else if (fields[0] == "s" && fields.size() == 2 && isValidUtf8(fields[1])) {
            for (char32_t ch : utf8ToU32(fields[1])) {
                simplifiedOnly_.push_back(ch);
            }
        } else {
            malformed(line);
        }
    }
    // Grouped by first character (the same first bytes), longest first.
    std::sort(phrases_.begin(), phrases_.end(), [](const Phrase& a, const Phrase& b) {
        std::size_t ia = 0;
        std::size_t ib = 0;
        const char32_t fa = nextCodePoint(a.from, ia);
        const char32_t fb = nextCodePoint(b.from, ib);
        if (fa != fb) {
            return fa < fb;
        }
        if (a.from.size() != b.from.size()) {
            return a.from.size() > b.from.size();
        }
        return a.from < b.from;
    });
    for (std::size_t i = 0; i < phrases_.size(); ++i) {
        std::size_t pos = 0;
        const char32_t first = nextCodePoint(phrases_[i].from, pos);
        auto [it, inserted] = phraseRanges_.try_emplace(first, i, i + 1);
        if (!inserted) {
            it->second.second = i + 1;
        }
    }
    std::sort(simplifiedOnly_.begin(), simplifiedOnly_.end());
    basicPlane_.assign(0x10000, 0);
    for (const auto& [from, to] : chars_) {
        if (from < 0x10000) {
            basicPlane_[from] = to;
        }
    }
    phraseStarts_.assign(0x10000 / 64, 0);
    for (const auto& [first, range] : phraseRanges_) {
        if (first < 0x10000) {
            phraseStarts_[first / 64] |= std::uint64_t{1} << (first % 64);
        }
    }
}

const ScriptConverter& ScriptConverter::builtIn() {
    static const ScriptConverter converter;
    return converter;
}

char32_t ScriptConverter::toHant(char32_t ch) const {
    const auto it = chars_.find(ch);
    return it == chars_.end() ? ch : it->second;
}

bool ScriptConverter::isSimplifiedOnly(char32_t ch) const {
    return std::binary_search(simplifiedOnly_.begin(), simplifiedOnly_.end(), ch);
}

std::string ScriptConverter::toHant(std::string_view text,
                                    std::span<const std::string_view> keep) const {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    // The first bytes of the kept strings: at any other byte no kept string starts.
    std::array<bool, 256> keepStarts{};
    for (std::string_view k : keep) {
        if (!k.empty()) {
            keepStarts[static_cast<unsigned char>(k.front())] = true;
        }
    }
    // A phrase that would swallow the start of a kept string is not taken.
    const auto coversKept = [&](std::size_t pos, std::size_t length) {
        for (std::string_view k : keep) {
            if (k.empty()) {
                continue;
            }
            // A kept string that starts inside the phrase lies within these bytes.
            const std::string_view window = text.substr(pos + 1, length - 1 + k.size() - 1);
            if (window.find(k) != std::string_view::npos) {
                return true;
            }
        }
        return false;
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (keepStarts[byte]) {
            std::size_t kept = 0;
            for (std::string_view k : keep) {
                if (k.size() > kept && text.substr(pos).starts_with(k)) {
                    kept = k.size();
                }
            }
            if (kept > 0) {
                out.append(text.substr(pos, kept));
                pos += kept;
                continue;
            }
        }
        if (byte < 0x80) {
            // A run of ASCII, up to the next byte where a kept string may start.
            std::size_t end = pos + 1;
            while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80 &&
                   !keepStarts[static_cast<unsigned char>(text[end])]) {
                ++end;
            }
            out.append(text.substr(pos, end - pos));
            pos = end;
            continue;
        }
        std::size_t next = pos;
        const char32_t ch = nextCodePoint(text, next);
        if (ch == 0xFFFD) {
            out.append(text.substr(pos, next - pos));  // a byte that is not UTF-8 is copied
            pos = next;
            continue;
        }
        const bool startsPhrase = ch < 0x10000 ? ((phraseStarts_[ch / 64] >> (ch % 64)) & 1U) != 0
                                               : phraseRanges_.contains(ch);
        bool matched = false;
        if (startsPhrase) {
            const auto range = phraseRanges_.find(ch);
            for (std::size_t i = range->second.first; i < range->second.second; ++i) {
                const Phrase& phrase = phrases_[i];
                if (text.substr(pos).starts_with(phrase.from) &&
                    !coversKept(pos, phrase.from.size())) {
                    out.append(phrase.to);
                    pos += phrase.from.size();
                    matched = true;
                    break;
                }
            }
        }
        if (matched) {
            continue;
        }
        const char32_t converted = ch < 0x10000 ? basicPlane_[ch] : toHant(ch);
        if (converted != 0 && converted != ch) {
            appendUtf8(out, converted);
        } else {
            out.append(text.substr(pos, next - pos));
        }
        pos = next;
    }
    return out;
}

std::string present(const ScriptConverter& converter, Script script, std::string_view text,
                    std::span<const std::string_view> keep) {
    if (script == Script::Hans) {
        return std::string(text);
    }
    return converter.toHant(text, keep);
}

}  // namespace norlune
