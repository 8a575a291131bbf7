#pragma once
// The keep step as it is defined: one pass over slots 1..listNum for the lowest stored score,
// starting from 100, the first slot among equals; replace only when the new, unrounded score is
// strictly higher. The tests hold the fast table and whole runs against it.
//
// With a variety limit: count the names of the new name's first character and of its last
// character (of the given name) over the whole table. When either count has reached `limit`, the
// new name may only replace the lowest name (first slot among equals) among those that share every
// full count's character with it, and only when strictly higher; with no such name it is dropped.
// Otherwise the pass above decides.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/score.h"
#include "search/best_names.h"

namespace norlune::testing_support {

struct LinearTable {
    std::vector<std::string> names = std::vector<std::string>(BestNameTable::kMaxSlots + 1);
    std::vector<int> scores = std::vector<int>(BestNameTable::kMaxSlots + 1, 0);
    std::vector<char32_t> firsts = std::vector<char32_t>(BestNameTable::kMaxSlots + 1, 0);
    std::vector<char32_t> lasts = std::vector<char32_t>(BestNameTable::kMaxSlots + 1, 0);
    int limit = 0;
    int highest = 0;  // the highest slot ever written: the counts need not look further

    int keep(const std::string& name, Score score, int listNum, char32_t first = 0,
             char32_t last = 0) {
        if (score.value() < 70) {
            return 0;
        }
        if (limit > 0) {
            int firstCount = 0;
            int lastCount = 0;
            for (int i = 1; i <= highest; ++i) {
                if (!names[static_cast<std::size_t>(i)].empty()) {
                    firstCount += firsts[static_cast<std::size_t>(i)] == first ? 1 : 0;
                    lastCount += lasts[static_cast<std::size_t>(i)] == last ? 1 : 0;
                }
            }
            const bool firstFull = firstCount >= limit;
            const bool lastFull = lastCount >= limit;
            if (firstFull || lastFull) {
                int target = 0;
                for (int i = 1; i <= highest; ++i) {
                    if (names[static_cast<std::size_t>(i)].empty() ||
                        (firstFull && firsts[static_cast<std::size_t>(i)] != first) ||
                        (lastFull && lasts[static_cast<std::size_t>(i)] != last)) {
                        continue;
                    }
                    if (target == 0 || scores[static_cast<std::size_t>(i)] <
                                           scores[static_cast<std::size_t>(target)]) {
                        target = i;
                    }
                }
                if (target != 0 && score.value() > scores[static_cast<std::size_t>(target)]) {
                    put(target, name, score, first, last);
                    return target;
                }
                return 0;
            }
        }
        int lowest = 100;
        int slot = 0;
        for (int i = 1; i <= listNum; ++i) {
            if (scores[static_cast<std::size_t>(i)] < lowest) {
                lowest = scores[static_cast<std::size_t>(i)];
                slot = i;
            }
        }
        if (slot != 0 && score.value() > lowest) {
            put(slot, name, score, first, last);
            return slot;
        }
        return 0;
    }

    void put(int slot, const std::string& name, Score score, char32_t first, char32_t last) {
        names[static_cast<std::size_t>(slot)] = name;
        scores[static_cast<std::size_t>(slot)] =
            static_cast<int>(std::nearbyint(score.value()));  // FE_TONEAREST: halves to even
        firsts[static_cast<std::size_t>(slot)] = first;
        lasts[static_cast<std::size_t>(slot)] = last;
        highest = std::max(highest, slot);
    }

    std::vector<std::string> listed(int listNum) const {
        std::vector<std::string> out;
        for (int i = 1; i <= listNum; ++i) {
            if (!names[static_cast<std::size_t>(i)].empty()) {
                out.push_back(names[static_cast<std::size_t>(i)]);
            }
        }
        return out;
    }
};

}  // namespace norlune::testing_support
