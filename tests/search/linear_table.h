#pragma once
// The keep step as it is defined: one pass over slots 1..listNum for the lowest stored score,
// starting from 100, the first slot among equals; replace only when the new, unrounded score is
// strictly higher. The tests hold the fast table and whole runs against it.
#include <cmath>
#include <string>
#include <vector>

#include "engine/score.h"
#include "search/best_names.h"

namespace norlune::testing_support {

struct LinearTable {
    std::vector<std::string> names = std::vector<std::string>(BestNameTable::kMaxSlots + 1);
    std::vector<int> scores = std::vector<int>(BestNameTable::kMaxSlots + 1, 0);

    int keep(const std::string& name, Score score, int listNum) {
        if (score.value() < 70) {
            return 0;
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
            names[static_cast<std::size_t>(slot)] = name;
            scores[static_cast<std::size_t>(slot)] =
                static_cast<int>(std::nearbyint(score.value()));  // FE_TONEAREST: halves to even
            return slot;
        }
        return 0;
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
