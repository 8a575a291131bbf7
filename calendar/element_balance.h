#pragma once
// The five-element balance of a chart: the element counts of its stems and hidden stems, their
// weights by the month of birth, and the scores of the day master's side and of the other side.
#include <array>
#include <string>
#include <string_view>

#include "calendar/calendar_tables.h"
#include "calendar/four_pillars.h"

namespace norlune {

// Element codes: 金 = 1, 木 = 2, 水 = 3, 火 = 4, 土 = 5; arrays by element are indexed 1..5.
inline constexpr std::array<std::string_view, 6> kElementsByCode = {"",   "金", "木",
                                                                    "水", "火", "土"};
using ElementWeights = std::array<float, 6>;
using ElementCounts = std::array<int, 6>;

// The hidden stems of each branch by branch ordinal (子 = 1), in slot order.
extern const std::array<std::string_view, 13> HiddenStemTable;

// The element character of a stem or branch; empty for any other text.
std::string_view StemBranchElement(std::string_view ch);
// The elements of every character of a text, joined: "甲子" gives "木水".
std::string PillarElements(std::string_view text);
// Ordinal of a branch (子 = 1 ... 亥 = 12) or a stem (甲 = 1 ... 癸 = 10); 0 for any other text.
int StemBranchOrdinal(std::string_view ch);
// Element code 1..5 of an element character; 0 for any other text.
int elementCode(std::string_view element);

// Adds the stem's weight for the month (by month-branch ordinal) and one count, at its element.
void AddStemWeight(const WeightTables& tables, std::string_view stem, ElementWeights& weights,
                   int monthOrdinal, ElementCounts& counts);
// Adds the weight for the month and one count for each hidden stem of the branch, at the hidden
// stem's element. The branch's own element is not counted separately.
void AddBranchWeights(const WeightTables& tables, std::string_view branch, ElementWeights& weights,
                      int monthOrdinal, ElementCounts& counts);

struct ElementBalance {
    ElementCounts counts{};
    float sameScore = 0;   // the day master's side, cut to two decimals
    float otherScore = 0;  // the rest, cut to two decimals
    std::string sameSet;   // e.g. "土火"
    std::string otherSet;  // e.g. "金木水"

    // Strong when the day master's side scores strictly more; equal scores count as weak.
    bool strong() const { return sameScore > otherScore; }
    // The favourable elements: the other side when strong, the same side when weak.
    const std::string& favourable() const { return strong() ? otherSet : sameSet; }
};

// Single-precision floor to two decimals: 3.459 -> 3.45, 2.999 -> 2.99.
float cutToHundredths(float score);

// Counts and weighs the four stems, then the four branches, in the order year, month, day, hour.
ElementBalance ComputeElementBalance(const WeightTables& tables, const FourPillars& pillars);

// The shortest decimal text that reads back as the same float: 3.15, 4.2, 5.
std::string formatScore(float value);

}  // namespace norlune
