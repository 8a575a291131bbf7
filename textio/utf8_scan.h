#pragma once
// The little UTF-8 scanning that the text library needs for itself (it depends on no other part of
// the program): one code point at a time, a bad byte read as U+FFFD.
#include <string>
#include <string_view>

namespace norlune::textio_detail {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point at `pos` and moves `pos` past it; a byte that starts no well-formed
// sequence (overlong, surrogate, beyond U+10FFFF, cut off) gives U+FFFD and moves one byte.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);

// True when every byte belongs to a well-formed sequence.
bool isValidUtf8(std::string_view text);

void appendUtf8(std::string& out, char32_t cp);

}  // namespace norlune::textio_detail
