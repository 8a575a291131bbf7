#pragma once
// The table of the best names of a run: slots 1 to ListNum (at most 10000) hold the kept full names
// and their scores rounded to whole numbers; a free slot is empty with score 0.
//
// A new name replaces the slot with the lowest stored score among slots 1..ListNum, the first such
// slot among equals, and only when its unrounded score is strictly higher. A segment tree over the
// slots answers "lowest slot in 1..ListNum" in O(log ListNum), so ListNum may change between two
// names.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/score.h"

namespace norlune {

class BestNameTable {
public:
    static constexpr int kMaxSlots = 10000;
    static constexpr int kMinScoreToKeep = 70;

    BestNameTable();

    // Clears every slot up to the largest list size, so that no name of an earlier run comes back
    // when the list grows.
    void clear();

    // Keeps the name if it qualifies (score at least 70, higher than the lowest stored score among
    // slots 1..listNum). Returns the slot written, or 0.
    int keep(std::string_view fullName, Score score, int listNum);

    // The names of slots 1..listNum that are not empty, in slot order.
    std::vector<std::string> names(int listNum) const;

    const std::string& BestNames(int slot) const { return names_[static_cast<std::size_t>(slot)]; }
    std::int16_t BestScores(int slot) const { return scores_[static_cast<std::size_t>(slot)]; }

private:
    int lower(int a, int b) const;  // the slot with the lower score, the first on a tie (0: none)
    void update(int slot);
    int lowestSlot(int listNum) const;  // first slot with the lowest score in 1..listNum

    std::vector<std::string> names_;    // index 0 unused
    std::vector<std::int16_t> scores_;  // index 0 unused
    int leaves_ = 1;
    std::vector<int> tree_;  // slot of the minimum of each node's range
};

}  // namespace norlune
