#include "search/twins.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "engine/utf8.h"
#include "search/candidate_file.h"

namespace norlune {
namespace {

bool shares(const std::u32string& a, const std::u32string& b, TwinShare share) {
    if (a.size() != 2 || b.size() != 2) {
        return false;
    }
    switch (share) {
        case TwinShare::First:
            return a[0] == b[0];
        case TwinShare::Last:
            return a[1] == b[1];
        case TwinShare::Any:
            return a[0] == b[0] || a[0] == b[1] || a[1] == b[0] || a[1] == b[1];
    }
    return false;
}

// The lowest clause id that both names come from, if any.
bool commonClause(const TwinCandidate& a, const TwinCandidate& b, std::uint32_t& clause) {
    bool found = false;
    for (std::uint32_t x : a.clauses) {
        if (std::find(b.clauses.begin(), b.clauses.end(), x) != b.clauses.end() &&
            (!found || x < clause)) {
            clause = x;
            found = true;
        }
    }
    return found;
}

struct Ranked {
    Score low;
    int sum = 0;
    TwinPair pair;
};

// Better first: higher lower score, higher sum, then list order.
bool better(const Ranked& x, const Ranked& y) {
    if (x.low != y.low) {
        return x.low > y.low;
    }
    if (x.sum != y.sum) {
        return x.sum > y.sum;
    }
    if (x.pair.first != y.pair.first) {
        return x.pair.first < y.pair.first;
    }
    return x.pair.second < y.pair.second;
}

Ranked rank(const TwinCandidate& a, const TwinCandidate& b, TwinPair pair) {
    return Ranked{std::min(a.score, b.score), a.score.twentieths() + b.score.twentieths(), pair};
}

// Makes the pair of one name of each side; false when it cannot be a pair.
bool makePair(const std::vector<TwinCandidate>& first, const std::vector<TwinCandidate>* second,
              std::uint32_t i, std::uint32_t j, TwinPair& pair) {
    if (second == nullptr) {
        if (i == j) {
            return false;
        }
        pair.first = std::min(i, j);
        pair.second = std::max(i, j);
    } else {
        pair.first = i;
        pair.second = j;
    }
    const std::vector<TwinCandidate>& other = second != nullptr ? *second : first;
    return first[pair.first].given != other[pair.second].given;
}

// The best `top` candidates seen so far, worst at the front of a heap.
class TopPairs {
public:
    explicit TopPairs(std::size_t top) : top_(top) {}

    bool full() const { return heap_.size() >= top_; }
    // Whether a pair with this lower score could still enter (a sum cannot beat a lower low).
    bool mayEnter(Score low) const { return !full() || low >= heap_.front().low; }
    bool wouldEnter(const Ranked& r) const { return !full() || better(r, heap_.front()); }

    void offer(const Ranked& r) {
        if (top_ == 0 || !wouldEnter(r)) {
            return;
        }
        const std::uint64_t key = std::uint64_t{r.pair.first} << 32 | r.pair.second;
        if (!members_.insert(key).second) {
            return;  // already in (found by another character or clause)
        }
        heap_.push_back(r);
        std::push_heap(heap_.begin(), heap_.end(), better);
        if (heap_.size() > top_) {
            std::pop_heap(heap_.begin(), heap_.end(), better);
            const TwinPair out = heap_.back().pair;
            members_.erase(std::uint64_t{out.first} << 32 | out.second);
            heap_.pop_back();
        }
    }

    std::vector<TwinPair> result() {
        std::sort(heap_.begin(), heap_.end(), better);
        std::vector<TwinPair> pairs;
        pairs.reserve(heap_.size());
        for (const Ranked& r : heap_) {
            pairs.push_back(r.pair);
        }
        return pairs;
    }

private:
    std::size_t top_;
    std::vector<Ranked> heap_;
    std::unordered_set<std::uint64_t> members_;
};

// Indexes of a list's names that pass the minimum, grouped by a key, best score first.
using Groups = std::unordered_map<std::uint64_t, std::vector<std::uint32_t>>;

void addToGroups(const std::vector<TwinCandidate>& list, const TwinQuery& query, Groups& groups,
                 std::uint64_t side) {
    for (std::uint32_t i = 0; i < list.size(); ++i) {
        const TwinCandidate& c = list[i];
        if (c.score < query.minimum) {
            continue;
        }
        // Keys: bit 63 marks the side of a mixed search, bit 62 a clause; else a character.
        for (std::uint32_t clause : c.clauses) {
            groups[side << 63 | std::uint64_t{1} << 62 | clause].push_back(i);
        }
        if (c.given.size() != 2) {
            continue;
        }
        if (query.share == TwinShare::First || query.share == TwinShare::Any) {
            groups[side << 63 | c.given[0]].push_back(i);
        }
        if ((query.share == TwinShare::Last || query.share == TwinShare::Any) &&
            !(query.share == TwinShare::Any && c.given[1] == c.given[0])) {
            groups[side << 63 | c.given[1]].push_back(i);
        }
    }
    for (auto& [key, members] : groups) {
        if ((key >> 63) != side) {
            continue;
        }
        std::stable_sort(members.begin(), members.end(), [&](std::uint32_t a, std::uint32_t b) {
            return list[a].score > list[b].score;
        });
    }
}

void offerGroup(const std::vector<TwinCandidate>& first, const std::vector<TwinCandidate>* second,
                const std::vector<std::uint32_t>& left, const std::vector<std::uint32_t>& right,
                std::uint64_t key, TopPairs& top) {
    const std::vector<TwinCandidate>& other = second != nullptr ? *second : first;
    const bool clause = ((key >> 62) & 1U) != 0;
    for (std::uint32_t li : left) {
        if (!top.mayEnter(first[li].score)) {
            break;  // every later name scores lower still
        }
        for (std::uint32_t rj : right) {
            const Score low = std::min(first[li].score, other[rj].score);
            if (!top.mayEnter(low)) {
                break;
            }
            TwinPair pair;
            if (!makePair(first, second, li, rj, pair)) {
                continue;
            }
            if (clause) {
                pair.fromClause = true;
                pair.clause = static_cast<std::uint32_t>(key & 0xFFFFFFFFU);
            }
            const TwinCandidate& a = first[pair.first];
            const TwinCandidate& b = other[pair.second];
            top.offer(rank(a, b, pair));
        }
    }
}

std::vector<TwinPair> findTwinsIndexed(const std::vector<TwinCandidate>& first,
                                       const std::vector<TwinCandidate>* second,
                                       const TwinQuery& query) {
    if (query.top == 0) {
        return {};
    }
    Groups groups;
    addToGroups(first, query, groups, 0);
    if (second != nullptr) {
        addToGroups(*second, query, groups, 1);
    }
    // Clauses first, so that a pair found both ways shows its clause; then in key order, so that
    // the result does not depend on the hash order.
    std::vector<std::uint64_t> keys;
    for (const auto& [key, members] : groups) {
        if ((key >> 63) == 0) {
            keys.push_back(key);
        }
    }
    std::sort(keys.begin(), keys.end(), [](std::uint64_t a, std::uint64_t b) {
        const bool ca = ((a >> 62) & 1U) != 0;
        const bool cb = ((b >> 62) & 1U) != 0;
        return ca != cb ? ca : a < b;
    });
    TopPairs top(query.top);
    for (std::uint64_t key : keys) {
        const std::vector<std::uint32_t>& left = groups[key];
        if (second == nullptr) {
            offerGroup(first, nullptr, left, left, key, top);
        } else if (auto it = groups.find(std::uint64_t{1} << 63 | key); it != groups.end()) {
            offerGroup(first, second, left, it->second, key, top);
        }
    }
    return top.result();
}

std::vector<TwinPair> findEveryPair(const std::vector<TwinCandidate>& first,
                                    const std::vector<TwinCandidate>* second,
                                    const TwinQuery& query) {
    const std::vector<TwinCandidate>& other = second != nullptr ? *second : first;
    std::vector<Ranked> all;
    for (std::uint32_t i = 0; i < first.size(); ++i) {
        for (std::uint32_t j = second != nullptr ? 0 : i + 1; j < other.size(); ++j) {
            const TwinCandidate& a = first[i];
            const TwinCandidate& b = other[j];
            if (a.score < query.minimum || b.score < query.minimum || a.given == b.given) {
                continue;
            }
            TwinPair pair{i, j, false, 0};
            if (commonClause(a, b, pair.clause)) {
                pair.fromClause = true;
            } else if (!shares(a.given, b.given, query.share)) {
                continue;
            }
            all.push_back(rank(a, b, pair));
        }
    }
    std::sort(all.begin(), all.end(), better);
    std::vector<TwinPair> pairs;
    for (std::size_t k = 0; k < all.size() && k < query.top; ++k) {
        pairs.push_back(all[k].pair);
    }
    return pairs;
}

// Keeps the best pairs whose names no better pair holds. Greedy in rank order, so the first
// `top` pairs it keeps from a prefix of the ranking are the first it keeps from the whole.
std::vector<TwinPair> distinctPairs(const std::vector<TwinPair>& ranked, std::size_t top,
                                    bool oneList) {
    // With one list both indexes of a pair point into it; with two, each side has its own.
    std::unordered_set<std::uint64_t> used;
    auto key = [&](std::uint32_t index, bool secondSide) {
        return std::uint64_t{!oneList && secondSide} << 32 | index;
    };
    std::vector<TwinPair> kept;
    for (const TwinPair& pair : ranked) {
        if (kept.size() >= top) {
            break;
        }
        if (used.contains(key(pair.first, false)) || used.contains(key(pair.second, true))) {
            continue;
        }
        kept.push_back(pair);
        used.insert(key(pair.first, false));
        used.insert(key(pair.second, true));
    }
    return kept;
}

using Finder = std::vector<TwinPair> (*)(const std::vector<TwinCandidate>&,
                                         const std::vector<TwinCandidate>*, const TwinQuery&);

std::vector<TwinPair> findWith(Finder find, const std::vector<TwinCandidate>& first,
                               const std::vector<TwinCandidate>* second, const TwinQuery& query) {
    if (!query.distinctNames) {
        return find(first, second, query);
    }
    TwinQuery wider = query;
    wider.top = std::max<std::size_t>(query.top * 8, 64);
    for (;;) {
        const std::vector<TwinPair> ranked = find(first, second, wider);
        std::vector<TwinPair> kept = distinctPairs(ranked, query.top, second == nullptr);
        if (kept.size() >= query.top || ranked.size() < wider.top) {
            return kept;
        }
        wider.top *= 4;
    }
}

}  // namespace

std::vector<TwinPair> findTwins(const std::vector<TwinCandidate>& first,
                                const std::vector<TwinCandidate>* second, const TwinQuery& query) {
    return findWith(findTwinsIndexed, first, second, query);
}

std::vector<TwinPair> findTwinsByEveryPair(const std::vector<TwinCandidate>& first,
                                           const std::vector<TwinCandidate>* second,
                                           const TwinQuery& query) {
    return findWith(findEveryPair, first, second, query);
}

std::optional<std::vector<TwinCandidate>> readTwinCandidates(const std::string& path,
                                                             const NameEngine& engine,
                                                             std::string_view surname, bool female,
                                                             std::string& message) {
    std::string warning;
    std::optional<CandidateFile> file = CandidateFile::open(path, message, warning);
    if (!file) {
        return std::nullopt;
    }
    const AnalyzeOptions options{female, false, "", false};
    std::vector<TwinCandidate> names;
    std::string line;
    while (file->next(line)) {
        std::string_view name = line;
        while (!name.empty() && name.front() == ' ') {
            name.remove_prefix(1);
        }
        while (!name.empty() && name.back() == ' ') {
            name.remove_suffix(1);
        }
        if (file->lastLineTooLong() || !isHanText(name)) {
            continue;
        }
        std::u32string given = utf8ToU32(name);
        // A name with a character that has no stroke count cannot be judged.
        if (given.size() > 2 || !engine.tables().strokes.countsAll(name)) {
            continue;
        }
        names.push_back({std::move(given), engine.scoreName(surname, name, options), {}});
    }
    return names;
}

void TwinClauses::addSources(std::vector<TwinCandidate>& list, const NameMeanings& meanings,
                             bool female) {
    for (TwinCandidate& c : list) {
        for (const NameSource& source :
             meanings.sources(u32ToUtf8(c.given), female ? NameSex::Female : NameSex::Male)) {
            std::string text = std::string(source.work) + std::string(source.clause);
            const auto [it, added] =
                ids_.try_emplace(text, static_cast<std::uint32_t>(texts_.size()));
            if (added) {
                texts_.push_back(std::move(text));
            }
            c.clauses.push_back(it->second);
        }
    }
}

}  // namespace norlune
