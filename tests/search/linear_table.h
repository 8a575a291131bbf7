#pragma once
// The keep step as it is defined: one pass over slots 1..listNum for the lowest stored score,
// starting from 100, the first slot among equals; replace only when the new, unrounded score is
// strictly higher. The tests hold the fast table and whole runs against it.
//
// With a variety limit: count the names of the new name's group over the whole table; when there
// are `limit` of them already, the new name may only replace the lowest of them (first slot among
// equals) when strictly higher; otherwise the pass above decides.
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
    std::vector<char32_t> groups = std::vector<char32_t>(BestNameTable::kMaxSlots + 1, 0);
    int limit = 0;
    int highest = 0;  // the highest slot ever written: the group count need not look further

    int keep(const std::string& name, Score score, int listNum, char32_t group = 0) {
        if (score.value() < 70) {
            return 0;
        }
        if (limit > 0) {
            int members = 0;
            int lowestMember = 0;
            for (int i = 1; i <= highest; ++i) {
                if (!names[static_cast<std::size_t>(i)].empty() &&
                    groups[static_cast<std::size_t>(i)] == group) {
                    ++members;
                    if (lowestMember == 0 || scores[static_cast<std::size_t>(i)] <
                                                 scores[static_cast<std::size_t>(lowestMember)]) {
                        lowestMember = i;
                    }
                }
            }
            if (members >= limit) {
                if (score.value() > scores[static_cast<std::size_t>(lowestMember)]) {
                    put(lowestMember, name, score, group);
                    return lowestMember;
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
            put(slot, name, score, group);
            return slot;
        }
        return 0;
    }

    void put(int slot, const std::string& name, Score score, char32_t group) {
        names[static_cast<std::size_t>(slot)] = name;
        scores[static_cast<std::size_t>(slot)] =
            static_cast<int>(std::nearbyint(score.value()));  // FE_TONEAREST: halves to even
        groups[static_cast<std::size_t>(slot)] = group;
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
