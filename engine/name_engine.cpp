#include "engine/name_engine.h"

#include "engine/name_report.h"

#include <utility>

namespace norlune {

NameTables FillNameTables() {
    TraditionalMap traditional = TraditionalMap::builtIn();
    StrokeDictionary strokes = StrokeDictionary::builtIn(traditional);
    NameTables tables{
        std::move(traditional),
        std::move(strokes),
        NumerologyTable::builtIn(),
        SanCaiTable::builtIn(),
    };
    return tables;
}

int NameEngine::elementCodeOfFirst(const NamePart& part) const {
    return part.length == 0 ? elements_.codeOf(std::u32string_view())
                            : elements_.codeOf(part.first);
}

int NameEngine::elementCodeOfLast(const NamePart& part) const {
    return part.length == 0 ? elements_.codeOf(std::u32string_view())
                            : elements_.codeOf(part.last());
}

namespace {

// Whether the element of `code` occurs in the favourable-element text. An undetermined element is
// the empty text, which every text contains.
bool elementOccursIn(int code, std::string_view sNeedWx) {
    return code == 0 ||
           sNeedWx.find(kElementByCode[static_cast<std::size_t>(code)]) != std::string_view::npos;
}

}  // namespace

NameEngine::Judged NameEngine::judge(const NamePart& surname, const NamePart& given,
                                     const AnalyzeOptions& options) const {
    Judged j;
    j.grids = ComputeFiveGrids(tables_.strokes, surname, given);
    const FiveGrids& g = j.grids.grids;
    const NumerologyTable& num = tables_.numerology;
    for (int n : {g.heaven, g.person, g.earth, g.total, g.outer}) {
        if (isFemaleUnfavourable(n)) {
            ++j.Fbadn;
        }
    }
    j.threeTalent = threeTalentIndex(g);

    // In twentieths: heaven and outer weigh 1/10 (2/20), person, earth and total 1 (20/20), the
    // four three-talent grades 1/4 (5/20).
    int t = num.points(g.heaven) * 2 + num.points(g.person) * 20 + num.points(g.earth) * 20 +
            num.points(g.total) * 20 + num.points(g.outer) * 2 +
            tables_.sanCai.gradePoints(j.threeTalent) * 5;
    if (g.total > 60) {
        t -= 5 * 20;
    }
    t += 50 * 20;
    if (options.bFamale) {
        t -= 5 * 20 * j.Fbadn;
    }
    if (options.bShenChen && !options.sNeedWx.empty()) {
        if (!elementOccursIn(elementCodeOfFirst(given), options.sNeedWx) ||
            !elementOccursIn(elementCodeOfLast(given), options.sNeedWx)) {
            t -= 30 * 20;
        }
    }
    j.twentieths = t;
    return j;
}

Score NameEngine::scoreName(std::string_view surname, std::string_view givenName,
                            const AnalyzeOptions& options) const {
    return Score::fromTwentieths(
        judge(firstTwoCharacters(surname), firstTwoCharacters(givenName), options).twentieths);
}

NameAnalysis NameEngine::AnalyzeName(std::string_view surname, std::string_view givenName,
                                     const AnalyzeOptions& options) const {
    const NamePart s = firstTwoCharacters(surname);
    const NamePart gn = firstTwoCharacters(givenName);
    const Judged j = judge(s, gn, options);
    NameAnalysis result;
    result.score = Score::fromTwentieths(j.twentieths);
    result.Fbadn = j.Fbadn;
    if (options.bShowInfo) {
        NameReportInput in;
        in.surname = surname;
        in.givenName = givenName;
        in.score = result.score;
        in.grids = j.grids.grids;
        in.surnameElement = kElementByCode[static_cast<std::size_t>(elementCodeOfFirst(s))];
        in.firstElement = kElementByCode[static_cast<std::size_t>(elementCodeOfFirst(gn))];
        in.lastElement = kElementByCode[static_cast<std::size_t>(elementCodeOfLast(gn))];
        result.report = buildNameReport(tables_, in);
    }
    return result;
}

}  // namespace norlune
