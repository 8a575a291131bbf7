#pragma once
// A small-valued map from code points, built once: a dense array for the Basic Multilingual Plane,
// where nearly every Han character of the data lives, and a hash map for the rest. A missing entry
// reads 0.
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace norlune {

class CodePointTable {
public:
    CodePointTable() : bmp_(0x10000, 0) {}

    void set(char32_t cp, std::uint8_t value) {
        if (cp < 0x10000) {
            bmp_[cp] = value;
        } else if (value == 0) {
            other_.erase(cp);
        } else {
            other_[cp] = value;
        }
    }

    // Gives every `from` code point that has no value yet the value of its `to` (typed variants
    // that count as the character they stand for).
    void copyMissing(const std::vector<std::pair<char32_t, char32_t>>& fromTo) {
        for (const auto& [from, to] : fromTo) {
            if (get(from) == 0) {
                set(from, get(to));
            }
        }
    }

    std::uint8_t get(char32_t cp) const {
        if (cp < 0x10000) {
            return bmp_[cp];
        }
        const auto it = other_.find(cp);
        return it == other_.end() ? 0 : it->second;
    }

private:
    std::vector<std::uint8_t> bmp_;
    std::unordered_map<char32_t, std::uint8_t> other_;
};

}  // namespace norlune
