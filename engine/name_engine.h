#pragma once
// Judging one name: the five grids, the table lookups, the score and, on request, the name report.
#include <string>
#include <string_view>

#include "engine/element_lists.h"
#include "engine/five_grids.h"
#include "engine/numerology_tables.h"
#include "engine/score.h"
#include "engine/stroke_dictionary.h"
#include "engine/traditional_map.h"

namespace norlune {

// The engine's reference tables, filled once at start-up and read-only afterwards.
struct NameTables {
    TraditionalMap traditional;
    StrokeDictionary strokes;
    NumerologyTable numerology;
    SanCaiTable sanCai;
};

// Fills, in this order, the traditional pairs, the stroke dictionary (with the typed traditional
// forms counted as the characters they stand for), the numerology table and the three-talent
// table from the built-in data.
NameTables FillNameTables();

// The main-window flags that the score reads.
struct AnalyzeOptions {
    bool bFamale =
        false;  // judge as a girl's name: 5 off for each grid that counts against a woman
    bool bShenChen = false;  // the BaZi rule is on
    std::string sNeedWx;     // favourable elements for the BaZi rule; empty switches the rule off
    bool bShowInfo = false;  // also write the name report
};

struct NameAnalysis {
    Score score;
    int Fbadn = 0;       // grids of the name that count against a woman (0..5)
    std::string report;  // the name report, lines ended by CR LF; empty unless bShowInfo
};

class NameEngine {
public:
    // Both table sets must outlive the engine.
    NameEngine(const NameTables& tables, const ElementCharacterLists& elements)
        : tables_(tables), elements_(elements) {}

    // Judges surname + given name. Only the first two characters of each are read.
    NameAnalysis AnalyzeName(std::string_view surname, std::string_view givenName,
                             const AnalyzeOptions& options) const;
    // The score alone, without building any text: the search's hot path.
    Score scoreName(std::string_view surname, std::string_view givenName,
                    const AnalyzeOptions& options) const;

    const NameTables& tables() const { return tables_; }
    const ElementCharacterLists& elements() const { return elements_; }

    // Element code (0 for none) of the first character of a name part; the empty text reads as the
    // empty character, which the lists find in their first list.
    int elementCodeOfFirst(const NamePart& part) const;
    int elementCodeOfLast(const NamePart& part) const;

private:
    struct Judged {
        GridResult grids;
        int threeTalent = 0;
        int twentieths = 0;
        int Fbadn = 0;
    };
    Judged judge(const NamePart& surname, const NamePart& given,
                 const AnalyzeOptions& options) const;

    const NameTables& tables_;
    const ElementCharacterLists& elements_;
};

}  // namespace norlune
