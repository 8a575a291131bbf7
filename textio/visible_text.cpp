#include "textio/visible_text.h"

#include "textio/utf8_scan.h"

namespace norlune {
namespace {

void appendHex(std::string& out, std::string_view prefix, char32_t value, int digits) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
}

}  // namespace

bool actsInsteadOfShowing(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) ||  // C0, DEL, C1
           c == 0x061C ||                           // Arabic letter mark
           (c >= 0x200B && c <= 0x200F) ||          // zero widths, LRM, RLM
           (c >= 0x2028 && c <= 0x202E) ||          // line and paragraph separators, embeddings
           (c >= 0x2060 && c <= 0x206F) ||          // word joiner, isolates, deprecated format
           c == 0xFEFF ||                           // zero-width no-break space
           (c >= 0xFFF9 && c <= 0xFFFB) ||          // interlinear annotation
           (c >= 0xE0000 && c <= 0xE007F);          // tags
}

std::string visibleText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t c = textio_detail::nextCodePoint(text, pos);
        if (c == textio_detail::kReplacementCharacter && pos - start == 1) {
            // Not UTF-8 (or an encoded U+FFFD would have taken three bytes).
            appendHex(out, "\\x", static_cast<unsigned char>(text[start]), 2);
        } else if (c < 0x80 && actsInsteadOfShowing(c)) {
            appendHex(out, "\\x", c, 2);
        } else if (actsInsteadOfShowing(c)) {
            appendHex(out, "\\u", c, c > 0xFFFF ? 6 : 4);
        } else {
            out.append(text.substr(start, pos - start));
        }
    }
    return out;
}

}  // namespace norlune
