#pragma once
// The checks of what is typed into the settings, the same as norlune-cli makes of its arguments:
// a surname of one or two Chinese characters, designated characters of one Chinese character each,
// spaces around them ignored, and every character one whose strokes the dictionary knows (a name
// with an unknown character would be scored on an empty grid). Qt-free.
#include <string>
#include <string_view>

#include "engine/stroke_dictionary.h"

namespace norlune::ui {

// The text without the spaces (and other white space) around it.
std::string trimmedText(std::string_view text);

// Why the settings cannot start a run; empty when they can. `left` and `right` are the designated
// characters as typed (empty boxes are allowed).
std::string settingsProblem(const StrokeDictionary& strokes, std::string_view surname,
                            std::string_view left, std::string_view right);

}  // namespace norlune::ui
