#pragma once
// UTF-8 <-> UTF-32 for the work that is done character by character. Inside the program every text
// is UTF-8 in std::string; a "character" is one code point.
#include <string>
#include <string_view>

namespace norlune {

// Decodes UTF-8. Invalid or truncated sequences become U+FFFD, one per offending byte, so decoding
// never fails and never reads past the end.
std::u32string utf8ToU32(std::string_view text);

std::string u32ToUtf8(std::u32string_view text);

// Appends the UTF-8 form of one code point.
void appendUtf8(std::string& out, char32_t cp);

// Decodes the code point that starts at byte `pos` and advances `pos` past it (U+FFFD for a bad
// byte).
char32_t nextCodePoint(std::string_view text, std::size_t& pos);

// Number of code points.
std::size_t codePointCount(std::string_view text);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view text);

// True for a Chinese character as names use them: the CJK unified ideographs with all their
// extensions, the compatibility ideographs, and the numeral 〇.
bool isHanCharacter(char32_t cp);

// True when the text is non-empty valid UTF-8 made only of Chinese characters.
bool isHanText(std::string_view text);

}  // namespace norlune
