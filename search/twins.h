#pragma once
// Names for twins: pairs of given names that belong together, because they share a character in
// the chosen place (思远 / 思齐) or come from the same classical clause, with good scores for both.
// Pairs are ordered by the lower of the two scores, then by their sum: the pair is only as good as
// its weaker name.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/name_engine.h"
#include "engine/score.h"
#include "names/name_meanings.h"

namespace norlune {

enum class TwinShare { First, Last, Any };

// One candidate given name with its score for the family's surname and the clauses it comes from
// (ids into the caller's own table of clauses; empty for a name without a source).
struct TwinCandidate {
    std::u32string given;
    Score score;
    std::vector<std::uint32_t> clauses;
};

// The classical sources of the candidates, numbered: each distinct work and clause gets one id, and
// every candidate of a list is given the ids of its sources for its sex.
class TwinClauses {
public:
    void addSources(std::vector<TwinCandidate>& list, const NameMeanings& meanings, bool female);
    // "《诗经·郑风·子衿》青青子衿，悠悠我心" for an id that addSources gave.
    const std::string& text(std::uint32_t id) const { return texts_.at(id); }

private:
    std::unordered_map<std::string, std::uint32_t> ids_;
    std::vector<std::string> texts_;
};

struct TwinPair {
    std::uint32_t first = 0;   // index into the first list
    std::uint32_t second = 0;  // index into the second list (the same list unless mixed)
    bool fromClause = false;   // both names come from the clause `clause`
    std::uint32_t clause = 0;
    friend bool operator==(const TwinPair&, const TwinPair&) = default;
};

struct TwinQuery {
    TwinShare share = TwinShare::First;
    std::size_t top = 10;
    Score minimum = Score::fromTwentieths(70 * 20);  // both names must score at least this
    // Each name in at most one pair: a pair whose name an earlier (better) pair already holds is
    // passed over, so that ten pairs show twenty names.
    bool distinctNames = true;
};

// The `top` best pairs. Without `second`, pairs of two different names of `first` (first < second
// in list order); with it, one name of each list (a boy's and a girl's name) whose given names
// differ. Sharing a character asks for two two-character names; a common clause pairs any two.
// Ties keep list order, so the result does not depend on how it was found.
std::vector<TwinPair> findTwins(const std::vector<TwinCandidate>& first,
                                const std::vector<TwinCandidate>* second, const TwinQuery& query);

// The same by looking at every pair: the reference that the indexed search must agree with.
std::vector<TwinPair> findTwinsByEveryPair(const std::vector<TwinCandidate>& first,
                                           const std::vector<TwinCandidate>* second,
                                           const TwinQuery& query);

// Every name of a candidate file (a line of one or two Chinese characters; other lines are left
// out) with its score for the surname, in file order, without clauses. Nothing when the file cannot
// be read: `message` says why.
std::optional<std::vector<TwinCandidate>> readTwinCandidates(const std::string& path,
                                                             const NameEngine& engine,
                                                             std::string_view surname, bool female,
                                                             std::string& message);

}  // namespace norlune
