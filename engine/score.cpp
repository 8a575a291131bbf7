#include "engine/score.h"

#include <array>
#include <utility>

namespace norlune {

std::optional<int> getpf(std::string_view sc) {
    static constexpr std::array<std::pair<std::string_view, int>, 7> kPoints = {{
        {"大吉", 12},
        {"吉", 8},
        {"半吉", 5},
        {"平", 4},
        {"半凶", 2},
        {"凶", 1},
        {"大凶", 0},
    }};
    for (const auto& [grade, points] : kPoints) {
        if (sc == grade) {
            return points;
        }
    }
    return std::nullopt;
}

int Score::roundedHalfEven() const {
    // Floor division, then look at the remainder in twentieths: 10 is exactly one half.
    int q = twentieths_ / 20;
    int r = twentieths_ % 20;
    if (r < 0) {
        r += 20;
        --q;
    }
    if (r > 10 || (r == 10 && q % 2 != 0)) {
        ++q;
    }
    return q;
}

std::string Score::toString() const {
    const int hundredths = twentieths_ * 5;
    const bool negative = hundredths < 0;
    const int magnitude = negative ? -hundredths : hundredths;
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / 100);
    const int fraction = magnitude % 100;
    if (fraction != 0) {
        text += '.';
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) {
            text += static_cast<char>('0' + fraction % 10);
        }
    }
    return text;
}

}  // namespace norlune
