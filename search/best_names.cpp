#include "search/best_names.h"

#include <algorithm>
#include <array>

namespace norlune {

BestNameTable::BestNameTable()
    : names_(kMaxSlots + 1),
      scores_(kMaxSlots + 1, 0),
      exact_(kMaxSlots + 1),
      firstOf_(kMaxSlots + 1, nullptr),
      lastOf_(kMaxSlots + 1, nullptr) {
    while (leaves_ < kMaxSlots) {
        leaves_ *= 2;
    }
    tree_.assign(static_cast<std::size_t>(2 * leaves_), 0);
    clear();
}

int BestNameTable::lower(int a, int b) const {
    if (a == 0 || b == 0) {
        return a == 0 ? b : a;
    }
    return scores_[static_cast<std::size_t>(a)] <= scores_[static_cast<std::size_t>(b)] ? a : b;
}

void BestNameTable::clear(int varietyLimit) {
    std::fill(names_.begin(), names_.end(), std::string());
    std::fill(scores_.begin(), scores_.end(), std::int16_t{0});
    std::fill(exact_.begin(), exact_.end(), Score());
    limit_ = std::clamp(varietyLimit, 0, kMaxVariety);
    firsts_.clear();
    lasts_.clear();
    std::fill(firstOf_.begin(), firstOf_.end(), nullptr);
    std::fill(lastOf_.begin(), lastOf_.end(), nullptr);
    if (limit_ > 0) {
        firsts_.reserve(8192);  // more first (or last) characters than any candidate list holds
        lasts_.reserve(8192);
    }
    // Leaf i (0-based) stands for slot i + 1; leaves past the last slot hold 0 ("no slot").
    for (int i = 0; i < leaves_; ++i) {
        tree_[static_cast<std::size_t>(leaves_ + i)] = i < kMaxSlots ? i + 1 : 0;
    }
    for (int node = leaves_ - 1; node >= 1; --node) {
        const int a = tree_[static_cast<std::size_t>(2 * node)];
        const int b = tree_[static_cast<std::size_t>(2 * node + 1)];
        tree_[static_cast<std::size_t>(node)] = lower(a, b);
    }
}

void BestNameTable::update(int slot) {
    int node = (leaves_ + slot - 1) / 2;
    while (node >= 1) {
        const int a = tree_[static_cast<std::size_t>(2 * node)];
        const int b = tree_[static_cast<std::size_t>(2 * node + 1)];
        tree_[static_cast<std::size_t>(node)] = lower(a, b);
        node /= 2;
    }
}

int BestNameTable::lowestSlot(int listNum) const {
    // Walk the prefix [0, listNum) of the leaves, left to right, keeping the first minimum.
    int best = 0;
    auto consider = [&](int candidate) {
        if (candidate != 0 && (best == 0 || scores_[static_cast<std::size_t>(candidate)] <
                                                scores_[static_cast<std::size_t>(best)])) {
            best = candidate;
        }
    };
    // The canonical nodes of [0, listNum): left ones come in order, right ones in reverse.
    int lo = leaves_;
    int hi = leaves_ + listNum;   // exclusive
    std::array<int, 32> right{};  // at most one node per level from the right end
    std::size_t rightCount = 0;
    while (lo < hi) {
        if (lo & 1) {
            consider(tree_[static_cast<std::size_t>(lo++)]);
        }
        if (hi & 1) {
            right[rightCount++] = --hi;
        }
        lo /= 2;
        hi /= 2;
    }
    while (rightCount > 0) {
        consider(tree_[static_cast<std::size_t>(right[--rightCount])]);
    }
    return best;
}

int BestNameTable::lowestOfGroup(const Group& group, const Group* alsoIn) const {
    int best = 0;
    for (int i = 0; i < group.count; ++i) {
        const int slot = group.members[static_cast<std::size_t>(i)];
        if (alsoIn != nullptr && lastOf_[static_cast<std::size_t>(slot)] != alsoIn) {
            continue;
        }
        if (best == 0 ||
            scores_[static_cast<std::size_t>(slot)] < scores_[static_cast<std::size_t>(best)] ||
            (scores_[static_cast<std::size_t>(slot)] == scores_[static_cast<std::size_t>(best)] &&
             slot < best)) {
            best = slot;
        }
    }
    return best;
}

void BestNameTable::Group::add(int slot) {
    members[static_cast<std::size_t>(count++)] = static_cast<std::uint16_t>(slot);
}

void BestNameTable::Group::remove(int slot) {
    const auto end = members.begin() + count;
    *std::find(members.begin(), end, static_cast<std::uint16_t>(slot)) = *(end - 1);
    --count;
}

void BestNameTable::write(int slot, std::string_view fullName, Score score) {
    names_[static_cast<std::size_t>(slot)].assign(fullName);
    scores_[static_cast<std::size_t>(slot)] = static_cast<std::int16_t>(score.roundedHalfEven());
    exact_[static_cast<std::size_t>(slot)] = score;
    update(slot);
}

int BestNameTable::keep(std::string_view fullName, Score score, int listNum, char32_t first,
                        char32_t last) {
    if (score.twentieths() < kMinScoreToKeep * 20) {
        return 0;
    }
    listNum = std::clamp(listNum, 0, kMaxSlots);
    Group* firstGroup = nullptr;  // the name's groups, when they exist already
    Group* lastGroup = nullptr;
    bool firstFull = false;
    bool lastFull = false;
    if (limit_ > 0) {
        // Looked up without inserting, so that names that are not kept cost no allocation.
        if (const auto it = firsts_.find(first); it != firsts_.end()) {
            firstGroup = &it->second;
            firstFull = firstGroup->count >= limit_;
        }
        if (const auto it = lasts_.find(last); it != lasts_.end()) {
            lastGroup = &it->second;
            lastFull = lastGroup->count >= limit_;
        }
    }
    int slot = 0;
    if (firstFull || lastFull) {
        // A full group: the name can only take the place of its lowest name (of the names in
        // both groups when both are full).
        if (firstFull && lastFull) {
            slot = lowestOfGroup(*firstGroup, lastGroup);
        } else {
            slot = lowestOfGroup(firstFull ? *firstGroup : *lastGroup);
        }
        if (slot == 0 || score.twentieths() <= scores_[static_cast<std::size_t>(slot)] * 20) {
            return 0;
        }
    } else {
        slot = lowestSlot(listNum);
        // The scan that defines this starts from a lowest score of 100, so only slots below 100
        // count.
        if (slot == 0 || scores_[static_cast<std::size_t>(slot)] >= 100) {
            return 0;
        }
        if (score.twentieths() <= scores_[static_cast<std::size_t>(slot)] * 20) {
            return 0;
        }
    }
    if (limit_ > 0) {
        const auto at = static_cast<std::size_t>(slot);
        if (firstOf_[at] != nullptr) {
            // The displaced name leaves both of its groups.
            firstOf_[at]->remove(slot);
            lastOf_[at]->remove(slot);
        }
        // Neither group is over the limit now: a full group has just lost the displaced name.
        firstOf_[at] = firstGroup != nullptr ? firstGroup : &firsts_[first];
        lastOf_[at] = lastGroup != nullptr ? lastGroup : &lasts_[last];
        firstOf_[at]->add(slot);
        lastOf_[at]->add(slot);
    }
    write(slot, fullName, score);
    return slot;
}

std::vector<std::string> BestNameTable::names(int listNum) const {
    listNum = std::clamp(listNum, 0, kMaxSlots);
    std::vector<std::string> out;
    for (int i = 1; i <= listNum; ++i) {
        if (!names_[static_cast<std::size_t>(i)].empty()) {
            out.push_back(names_[static_cast<std::size_t>(i)]);
        }
    }
    return out;
}

std::vector<KeptName> BestNameTable::kept(int listNum) const {
    listNum = std::clamp(listNum, 0, kMaxSlots);
    std::vector<KeptName> out;
    for (int i = 1; i <= listNum; ++i) {
        if (!names_[static_cast<std::size_t>(i)].empty()) {
            out.push_back(
                {names_[static_cast<std::size_t>(i)], exact_[static_cast<std::size_t>(i)], i});
        }
    }
    return out;
}

void sortBestFirst(std::vector<KeptName>& names) {
    std::stable_sort(names.begin(), names.end(),
                     [](const KeptName& a, const KeptName& b) { return a.score > b.score; });
}

std::string scoredEntry(const KeptName& name) {
    return name.fullName + "=" + name.score.toString();
}

}  // namespace norlune
