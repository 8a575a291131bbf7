#include "engine/five_grids.h"

#include "engine/utf8.h"

namespace norlune {

NamePart firstTwoCharacters(std::string_view text) {
    NamePart part;
    std::size_t pos = 0;
    if (pos < text.size()) {
        part.first = nextCodePoint(text, pos);
        part.length = 1;
    }
    if (pos < text.size()) {
        part.second = nextCodePoint(text, pos);
        part.length = 2;
    }
    return part;
}

namespace {

// The count of the first character; an empty part is the empty text, which the dictionary finds in
// its first list.
int countOfFirst(const StrokeDictionary& dict, const NamePart& part) {
    if (part.length == 0) {
        return dict.getnum(std::u32string_view()).value_or(0);
    }
    return dict.getnum(part.first).value_or(0);
}

}  // namespace

GridResult ComputeFiveGrids(const StrokeDictionary& dict, const NamePart& surname,
                            const NamePart& givenName) {
    GridResult r;
    NameStrokes& s = r.strokes;
    s.s1 = countOfFirst(dict, surname);
    s.doubleSurname = surname.length >= 2;
    s.s2 = s.doubleSurname ? dict.getnum(surname.second).value_or(0) : 0;
    s.g1 = countOfFirst(dict, givenName);
    s.doubleGiven = givenName.length >= 2;
    s.g2 = s.doubleGiven ? dict.getnum(givenName.second).value_or(0) : 0;

    FiveGrids& g = r.grids;
    g.heaven = s.doubleSurname ? s.s1 + s.s2 : s.s1 + 1;
    g.person = (s.doubleSurname ? s.s2 : s.s1) + s.g1;
    g.earth = s.doubleGiven ? s.g1 + s.g2 : s.g1 + 1;
    g.total = s.s1 + s.s2 + s.g1 + s.g2;
    g.outer = g.total - g.person + (s.doubleSurname ? 0 : 1) + (s.doubleGiven ? 0 : 1);
    return r;
}

GridResult ComputeFiveGrids(const StrokeDictionary& dict, std::string_view surname,
                            std::string_view givenName) {
    return ComputeFiveGrids(dict, firstTwoCharacters(surname), firstTwoCharacters(givenName));
}

std::string threeTalentKey(const FiveGrids& grids) {
    std::string key;
    key.append(GetSanCai(grids.heaven));
    key.append(GetSanCai(grids.person));
    key.append(GetSanCai(grids.earth));
    return key;
}

}  // namespace norlune
