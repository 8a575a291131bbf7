#include "engine/utf8.h"

namespace norlune {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length and validity of the sequence at `pos`; 0 when it is not a well-formed sequence.
std::size_t sequenceLength(std::string_view text, std::size_t pos, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return len;
}

}  // namespace

char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    char32_t cp = 0;
    const std::size_t len = sequenceLength(text, pos, cp);
    if (len == 0) {
        ++pos;
        return kReplacement;
    }
    pos += len;
    return cp;
}

std::u32string utf8ToU32(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        out.push_back(nextCodePoint(text, pos));
    }
    return out;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = kReplacement;
    }
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string u32ToUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (char32_t cp : text) {
        appendUtf8(out, cp);
    }
    return out;
}

std::size_t codePointCount(std::string_view text) {
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        nextCodePoint(text, pos);
        ++count;
    }
    return count;
}

bool isValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp = 0;
        const std::size_t len = sequenceLength(text, pos, cp);
        if (len == 0) {
            return false;
        }
        pos += len;
    }
    return true;
}

bool isHanCharacter(char32_t cp) {
    struct Range {
        char32_t first;
        char32_t last;
    };
    static constexpr Range kRanges[] = {
        {0x3007, 0x3007},    // 〇
        {0x3400, 0x4DBF},    // extension A
        {0x4E00, 0x9FFF},    // the unified ideographs
        {0xF900, 0xFAFF},    // compatibility ideographs
        {0x20000, 0x2FA1F},  // extensions B to F and I, the compatibility supplement
        {0x30000, 0x323AF},  // extensions G and H
    };
    for (const Range& range : kRanges) {
        if (cp >= range.first && cp <= range.last) {
            return true;
        }
    }
    return false;
}

bool isHanText(std::string_view text) {
    if (text.empty() || !isValidUtf8(text)) {
        return false;
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (!isHanCharacter(nextCodePoint(text, pos))) {
            return false;
        }
    }
    return true;
}

}  // namespace norlune
