#pragma once
// User text inside a message: arguments, paths and lines of files are shown as they are, except
// the characters that would act instead of showing (control characters and escape sequences that
// retitle or clear a terminal, direction marks that reorder the rest of the line, invisible format
// characters). Those become visible escapes: \x1b, \x0a, \u202e; a byte that is not UTF-8 becomes
// \xff.
#include <string>
#include <string_view>

namespace norlune {

// True for a character that visibleText escapes.
bool actsInsteadOfShowing(char32_t c);

// The text with every such character (and every byte outside UTF-8) written as a visible escape.
std::string visibleText(std::string_view text);

}  // namespace norlune
