#pragma once
// The five grid numbers of a name and the elements of numbers.
#include <array>
#include <string>
#include <string_view>

#include "engine/stroke_dictionary.h"

namespace norlune {

struct FiveGrids {
    int heaven = 0;  // 天格
    int person = 0;  // 人格
    int earth = 0;   // 地格
    int total = 0;   // 总格
    int outer = 0;   // 外格

    friend bool operator==(const FiveGrids&, const FiveGrids&) = default;
};

// The stroke counts behind the grids; a character without a count gives 0.
struct NameStrokes {
    int s1 = 0;
    int s2 = 0;
    int g1 = 0;
    int g2 = 0;
    bool doubleSurname = false;
    bool doubleGiven = false;
};

// The first (at most) two characters of a surname or given name. An empty text is one "character"
// whose text is empty (`empty` set), as the stroke and element lookups read it.
struct NamePart {
    char32_t first = 0;
    char32_t second = 0;
    int length = 0;  // 0, 1 or 2 (further characters are ignored)
    char32_t last() const { return length >= 2 ? second : first; }
};

NamePart firstTwoCharacters(std::string_view text);

struct GridResult {
    FiveGrids grids;
    NameStrokes strokes;
};

GridResult ComputeFiveGrids(const StrokeDictionary& dict, std::string_view surname,
                            std::string_view givenName);
GridResult ComputeFiveGrids(const StrokeDictionary& dict, const NamePart& surname,
                            const NamePart& givenName);

// Element index of a number by its last digit: 0 木 (1, 2), 1 火 (3, 4), 2 土 (5, 6), 3 金 (7, 8),
// 4 水 (9, 0).
inline int elementIndexOfNumber(int sc) {
    const int d = ((sc % 10) + 10) % 10;
    return d == 0 ? 4 : (d - 1) / 2;
}
inline constexpr std::array<std::string_view, 5> kGridElements = {"木", "火", "土", "金", "水"};

// The element character of a grid number.
inline std::string_view GetSanCai(int sc) {
    return kGridElements[static_cast<std::size_t>(elementIndexOfNumber(sc))];
}

// The three-talent key: elements of heaven, person and earth, joined.
std::string threeTalentKey(const FiveGrids& grids);
// The same key as a number 0..124 (heaven × 25 + person × 5 + earth, element order 木 火 土 金 水).
inline int threeTalentIndex(const FiveGrids& grids) {
    return elementIndexOfNumber(grids.heaven) * 25 + elementIndexOfNumber(grids.person) * 5 +
           elementIndexOfNumber(grids.earth);
}

}  // namespace norlune
