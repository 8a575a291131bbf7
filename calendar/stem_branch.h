#pragma once
// The ten heavenly stems, the twelve earthly branches and the small text helpers the calendar code
// shares. Positions count from 0 (甲 = 0, 子 = 0).
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace norlune {

inline constexpr std::array<std::string_view, 10> kStems = {"甲", "乙", "丙", "丁", "戊",
                                                            "己", "庚", "辛", "壬", "癸"};
inline constexpr std::array<std::string_view, 12> kBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                                               "午", "未", "申", "酉", "戌", "亥"};

// Position of a stem or branch character; -1 for any other text.
int stemPosition(std::string_view ch);
int branchPosition(std::string_view ch);

// Remainder in 0..m-1 for any sign of a.
constexpr int floorMod(long long a, int m) {
    const long long r = a % m;
    return static_cast<int>(r < 0 ? r + m : r);
}

// Stem character of position s mod 10 followed by branch character of position b mod 12.
std::string stemBranchName(long long s, long long b);

// The characters of a UTF-8 text, each as the bytes of one code point. A byte that does not start
// a complete sequence stands alone, so the pieces always cover the text.
std::vector<std::string_view> splitCharacters(std::string_view text);

}  // namespace norlune
