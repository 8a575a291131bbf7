#pragma once
// Fortune grades and the exact score arithmetic. Every weight of the score is 1, 1/10 or 1/4 of
// whole points, so a score is held exactly as a whole number of twentieths.
#include <optional>
#include <string>
#include <string_view>

namespace norlune {

// Points of a grade text (大吉 12, 吉 8, 半吉 5, 平 4, 半凶 2, 凶 1, 大凶 0); nothing for any other
// text.
std::optional<int> getpf(std::string_view sc);

class Score {
public:
    constexpr Score() = default;
    static constexpr Score fromTwentieths(int twentieths) { return Score(twentieths); }

    constexpr int twentieths() const { return twentieths_; }
    constexpr double value() const { return twentieths_ / 20.0; }
    // Nearest whole number, halves to the even neighbour (84.5 -> 84, 85.5 -> 86).
    int roundedHalfEven() const;
    // Shortest decimal form: 75, 62.7, 88.45, -10.
    std::string toString() const;

    friend constexpr auto operator<=>(const Score&, const Score&) = default;

private:
    constexpr explicit Score(int twentieths) : twentieths_(twentieths) {}
    int twentieths_ = 0;
};

}  // namespace norlune
