#pragma once
// What a name means and where it comes from: a short meaning for each name character, and for each
// candidate given name its sex, its grade and the classical lines it was taken from. Built once
// from the data texts into hash maps, so that asking about one name costs a few lookups.
//
// The character meanings (data/char_meanings.tsv): one line a character, "character TAB meaning".
// The names (data/names.tsv): "name TAB M|F|both TAB grade TAB work TAB clause"; the work (e.g.
// 《诗经·郑风·子衿》) and the clause (青青子衿，悠悠我心) are empty for a name without a source,
// and a name with several sources repeats its line once per source, the best known first. Empty
// lines and lines starting with "#" are skipped.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/traditional_map.h"

namespace norlune {

enum class NameSex : std::uint8_t { Male, Female, Both };

struct NameSource {
    std::string_view work;    // 《诗经·郑风·子衿》, 唐·王维《山居秋暝》
    std::string_view clause;  // the quoted line as the text gives it
    friend bool operator==(const NameSource&, const NameSource&) = default;
};

// One line of the names table.
struct NameEntry {
    NameSex sex = NameSex::Both;
    std::uint8_t grade = 0;
    NameSource source;  // empty work and clause when the line gives none
};

class NameMeanings {
public:
    // Builds the lookups from the two texts (copied, so they need not outlive the tables). A
    // malformed line or a character given twice stops with std::runtime_error naming the line.
    // With the simplified-to-traditional pairs, a traditional character counts as its simplified
    // form wherever the tables do not hold it as it is.
    static NameMeanings fromText(std::string_view charMeanings, std::string_view names,
                                 const TraditionalMap* traditional = nullptr);
    // The built-in tables, with the built-in traditional pairs or those the caller has built.
    static NameMeanings builtIn();
    static NameMeanings builtIn(const TraditionalMap& traditional);

    // The meaning of a character; empty when none is written.
    std::string_view meaning(char32_t ch) const;

    // Every line of a given name, in the table's order; empty for a name the table lacks. A name
    // typed with traditional characters finds the lines of its simplified form.
    std::span<const NameEntry> entries(std::string_view givenName) const;
    // The sources of a given name, best known first, each once; with a sex, only those of the
    // lines for that sex (a "both" line serves either).
    std::vector<NameSource> sources(std::string_view givenName,
                                    std::optional<NameSex> sex = std::nullopt) const;
    bool hasClassicalSource(std::string_view givenName) const;
    // The best (lowest) grade of the name's lines, for that sex when given; 0 when it has none.
    int grade(std::string_view givenName, std::optional<NameSex> sex = std::nullopt) const;

    std::size_t characterCount() const { return meanings_.size(); }
    std::size_t nameCount() const { return names_.size(); }

private:
    struct Range {
        std::uint32_t first = 0;
        std::uint32_t count = 0;
        bool classical = false;
    };
    const Range* findName(std::string_view givenName) const;

    // The texts the views below point into; on the heap, so moving the tables keeps them valid.
    std::shared_ptr<const std::string> meaningText_;
    std::shared_ptr<const std::string> namesText_;
    std::unordered_map<char32_t, std::string_view> meanings_;
    std::vector<NameEntry> entries_;  // grouped by name, each group in the table's order
    std::unordered_map<std::string_view, Range> names_;
    std::unordered_map<char32_t, char32_t> simplified_;  // traditional -> simplified
};

// The lines that tell what a given name means: "字：字义" for each character ("字：暂无释义" where
// none is written), then "出处：" with work and clause for each source.
std::vector<std::string> meaningLines(const NameMeanings& tables, std::string_view givenName);

// The same facts as two cells of a table row (a shortlist, a CSV export): the sources as
// "work clause" joined by "；" (empty without one), and the meanings as "字：字义" joined by "；"
// (a character without a meaning left out; empty when none has one).
struct MeaningCells {
    std::string sources;
    std::string meanings;
};
MeaningCells meaningCells(const NameMeanings& tables, std::string_view givenName);

// Appends the section "字义出处" to a name report: a rule line with the title, then the lines of
// meaningLines, each ended by CR LF; a name with no meaning and no source gets one line that says
// so.
void appendMeaningSection(const NameMeanings& tables, std::string_view givenName,
                          std::string& report);

}  // namespace norlune
