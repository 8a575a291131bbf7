// User text in messages: what would act on a terminal or reorder a line is shown as an escape.
#include "textio/visible_text.h"

#include <gtest/gtest.h>

#include <string>

namespace norlune {
namespace {

using namespace std::string_literals;

TEST(VisibleTextTest, ActingCharactersBecomeEscapes) {
    struct Row {
        std::string text;
        std::string shown;
    };
    const Row rows[] = {
        {"王小明", "王小明"},
        {"", ""},
        {"a b/c.txt ·—（）", "a b/c.txt ·—（）"},
        {"\x1b]0;X\a\x1b[2J", "\\x1b]0;X\\x07\\x1b[2J"},
        {"x\ty\nz\r\0!"s, "x\\x09y\\x0az\\x0d\\x00!"},
        {"\x7f", "\\x7f"},
        {"\xC2\x85\xC2\x9B", "\\u0085\\u009b"},  // C1: next line, CSI
        {"王\xE2\x80\xAE明", "王\\u202e明"},     // right-to-left override
        {"\xE2\x80\x8B\xE2\x81\xA6\xEF\xBB\xBF", "\\u200b\\u2066\\ufeff"},
        {"\xD8\x9C", "\\u061c"},
        {"\xF3\xA0\x80\x81", "\\u0e0001"},         // a tag character
        {"\xFF\xFE王\xC3", "\\xff\\xfe王\\xc3"},   // bytes outside UTF-8
        {"\xEF\xBF\xBD", "\xEF\xBF\xBD"},          // a real replacement character
        {"\xF0\xAA\x9A\xA5", "\xF0\xAA\x9A\xA5"},  // beyond the basic plane
    };
    for (const Row& row : rows) {
        EXPECT_EQ(visibleText(row.text), row.shown) << row.shown;
    }
}

TEST(VisibleTextTest, NothingShownStillActs) {
    // Every code point, alone and between Chinese characters: the result never holds one that
    // acts, and text without such characters is kept as it is.
    for (char32_t c = 0; c < 0x110000; c += (c < 0x30000 ? 1 : 0x101)) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        std::string text = "王";
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (c < 0x800) {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | (c >> 18));
            text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
        text += "明";
        const std::string shown = visibleText(text);
        if (actsInsteadOfShowing(c)) {
            EXPECT_EQ(shown.find(text.substr(3, text.size() - 6)), std::string::npos)
                << static_cast<unsigned>(c);
            EXPECT_EQ(shown.substr(0, 4), "王\\");
        } else {
            EXPECT_EQ(shown, text) << static_cast<unsigned>(c);
        }
        for (unsigned char b : shown) {
            ASSERT_FALSE(b < 0x20 || b == 0x7F) << static_cast<unsigned>(c);
        }
    }
}

}  // namespace
}  // namespace norlune
