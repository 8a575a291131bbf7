#pragma once
// The table of the best names of a run: slots 1 to ListNum (at most 10000) hold the kept full names
// and their scores rounded to whole numbers; a free slot is empty with score 0.
//
// A new name replaces the slot with the lowest stored score among slots 1..ListNum, the first such
// slot among equals, and only when its unrounded score is strictly higher. A segment tree over the
// slots answers "lowest slot in 1..ListNum" in O(log ListNum), so ListNum may change between two
// names.
//
// With a variety limit K (1..10) a run keeps at most K names of each group (the first character of
// the given name) in the whole table. A name whose group already holds K names may only replace the
// lowest of them (lowest stored score, first slot among equals), and only when strictly higher;
// any other name follows the rule above, and a name it displaces leaves its own group. Each group
// keeps its at most K slots in a small array, so the limit adds O(K) to the O(log ListNum) step.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/score.h"

namespace norlune {

// A kept name with its unrounded score and its slot.
struct KeptName {
    std::string fullName;
    Score score;
    int slot = 0;
    friend bool operator==(const KeptName&, const KeptName&) = default;
};

class BestNameTable {
public:
    static constexpr int kMaxSlots = 10000;
    static constexpr int kMinScoreToKeep = 70;
    static constexpr int kMaxVariety = 10;

    BestNameTable();

    // Clears every slot up to the largest list size, so that no name of an earlier run comes back
    // when the list grows, and sets the variety limit of the next run (0: none; clamped to 0..10).
    void clear(int varietyLimit = 0);

    // Keeps the name if it qualifies (score at least 70, higher than the lowest stored score among
    // slots 1..listNum, and the variety rule). `group` is the first character of the given name;
    // it only counts when a variety limit is set. Returns the slot written, or 0.
    int keep(std::string_view fullName, Score score, int listNum, char32_t group = 0);

    // The names of slots 1..listNum that are not empty, in slot order.
    std::vector<std::string> names(int listNum) const;
    // The same with their unrounded scores and slots.
    std::vector<KeptName> kept(int listNum) const;

    const std::string& BestNames(int slot) const { return names_[static_cast<std::size_t>(slot)]; }
    std::int16_t BestScores(int slot) const { return scores_[static_cast<std::size_t>(slot)]; }
    Score exactScore(int slot) const { return exact_[static_cast<std::size_t>(slot)]; }
    int varietyLimit() const { return limit_; }

private:
    struct Group {
        std::array<std::uint16_t, kMaxVariety> members{};
        int count = 0;
    };

    int lower(int a, int b) const;  // the slot with the lower score, the first on a tie (0: none)
    void update(int slot);
    int lowestSlot(int listNum) const;  // first slot with the lowest score in 1..listNum
    int lowestOfGroup(const Group& group) const;
    void write(int slot, std::string_view fullName, Score score);

    std::vector<std::string> names_;    // index 0 unused
    std::vector<std::int16_t> scores_;  // index 0 unused
    std::vector<Score> exact_;          // index 0 unused
    int leaves_ = 1;
    std::vector<int> tree_;  // slot of the minimum of each node's range
    int limit_ = 0;
    std::vector<char32_t> groupOf_;  // the group of each filled slot (with a limit)
    std::unordered_map<char32_t, Group> groups_;
};

// Orders kept names best first by their unrounded score; equal scores keep their order.
void sortBestFirst(std::vector<KeptName>& names);

// The list entry of a name with its score: the full name, "=", the score (王小明=96.4).
std::string scoredEntry(const KeptName& name);

}  // namespace norlune
