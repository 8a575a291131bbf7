#pragma once
// The table of the best names of a run: slots 1 to ListNum (at most 10000) hold the kept full names
// and their scores rounded to whole numbers; a free slot is empty with score 0.
//
// A new name replaces the slot with the lowest stored score among slots 1..ListNum, the first such
// slot among equals, and only when its unrounded score is strictly higher. A segment tree over the
// slots answers "lowest slot in 1..ListNum" in O(log ListNum), so ListNum may change between two
// names.
//
// With a variety limit K (1..10) a run keeps at most K names of each first character and at most K
// names of each last character of the given name in the whole table (the first characters and the
// last characters are counted apart; a one-character given name counts its character as a first
// character, and all one-character names share one last group, kOneCharacterGroup, so that a run
// keeps at most K of them as well). Let F and L be the groups of a new name N:
// - neither F nor L holds K names: the rule above;
// - F holds K names and L does not: N may only replace the lowest of F (lowest stored score, first
//   slot among equals), and only when strictly higher; likewise when only L holds K names;
// - both hold K names: N may only replace the lowest of the slots that are in both F and L (first
//   slot among equals), and only when strictly higher; when no slot is in both, N is not kept.
// A displaced name leaves both of its groups. Each group keeps its at most K slots in a small
// array, so the limit adds O(K) to the O(log ListNum) step.
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
    // The last group of every one-character given name under a variety limit (no character).
    static constexpr char32_t kOneCharacterGroup = 0x110000;

    BestNameTable();

    // Clears every slot up to the largest list size, so that no name of an earlier run comes back
    // when the list grows, and sets the variety limit of the next run (0: none; clamped to 0..10).
    void clear(int varietyLimit = 0);

    // Keeps the name if it qualifies (score at least 70, higher than the lowest stored score among
    // slots 1..listNum, and the variety rule). `first` and `last` are the first and the last
    // character of the given name; they only count when a variety limit is set. Returns the slot
    // written, or 0.
    int keep(std::string_view fullName, Score score, int listNum, char32_t first, char32_t last);
    // The same for a run without a variety limit.
    int keep(std::string_view fullName, Score score, int listNum) {
        return keep(fullName, score, listNum, 0, 0);
    }

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
        void add(int slot);
        void remove(int slot);
    };

    int lower(int a, int b) const;  // the slot with the lower score, the first on a tie (0: none)
    void update(int slot);
    int lowestSlot(int listNum) const;  // first slot with the lowest score in 1..listNum
    // The first slot with the lowest score among the group's slots, only those also in `alsoIn`
    // when it is given; 0 when there is none.
    int lowestOfGroup(const Group& group, const Group* alsoIn = nullptr) const;
    void write(int slot, std::string_view fullName, Score score);

    std::vector<std::string> names_;    // index 0 unused
    std::vector<std::int16_t> scores_;  // index 0 unused
    std::vector<Score> exact_;          // index 0 unused
    int leaves_ = 1;
    std::vector<int> tree_;  // slot of the minimum of each node's range
    int limit_ = 0;
    // The groups by first and by last character; their elements stay in place when the maps grow.
    std::unordered_map<char32_t, Group> firsts_;
    std::unordered_map<char32_t, Group> lasts_;
    std::vector<Group*> firstOf_;  // the first-character group of each filled slot (with a limit)
    std::vector<Group*> lastOf_;   // the last-character group of each filled slot (with a limit)
};

// Orders kept names best first by their unrounded score; equal scores keep their order.
void sortBestFirst(std::vector<KeptName>& names);

// The list entry of a name with its score: the full name, "=", the score (王小明=96.4).
std::string scoredEntry(const KeptName& name);

}  // namespace norlune
