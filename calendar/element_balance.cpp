#include "calendar/element_balance.h"

#include <charconv>
#include <cmath>

#include "calendar/stem_branch.h"

namespace norlune {

const std::array<std::string_view, 13> HiddenStemTable = {
    "",   "癸",     "癸辛己", "丙甲", "乙",     "乙癸戊", "庚丙",
    "丁", "丁乙己", "壬庚",   "辛",   "辛丁戊", "甲壬"};

namespace {

// Element of stem positions 0..9 and of branch positions 0..11.
constexpr std::array<std::string_view, 10> kStemElements = {"木", "木", "火", "火", "土",
                                                            "土", "金", "金", "水", "水"};
constexpr std::array<std::string_view, 12> kBranchElements = {"水", "土", "木", "木", "土", "火",
                                                              "火", "土", "金", "金", "土", "水"};

struct SideOfElement {
    int code;   // the day master's element
    int other;  // the element that produces it, on the same side
    std::string_view sameSet;
    std::string_view otherSet;
};

constexpr std::array<SideOfElement, 5> kSides = {{
    {1, 5, "土金", "木水火"},
    {2, 3, "木水", "金火土"},
    {3, 1, "水金", "木火土"},
    {4, 2, "火木", "金水土"},
    {5, 4, "土火", "金木水"},
}};

std::string_view firstCharacter(std::string_view text) {
    const auto chars = splitCharacters(text);
    return chars.empty() ? std::string_view() : chars.front();
}

std::string_view lastCharacter(std::string_view text) {
    const auto chars = splitCharacters(text);
    return chars.empty() ? std::string_view() : chars.back();
}

}  // namespace

std::string_view StemBranchElement(std::string_view ch) {
    if (const int s = stemPosition(ch); s >= 0) {
        return kStemElements[static_cast<std::size_t>(s)];
    }
    if (const int b = branchPosition(ch); b >= 0) {
        return kBranchElements[static_cast<std::size_t>(b)];
    }
    return {};
}

std::string PillarElements(std::string_view text) {
    std::string elements;
    for (std::string_view ch : splitCharacters(text)) {
        elements += StemBranchElement(ch);
    }
    return elements;
}

int StemBranchOrdinal(std::string_view ch) {
    if (const int b = branchPosition(ch); b >= 0) {
        return b + 1;
    }
    if (const int s = stemPosition(ch); s >= 0) {
        return s + 1;
    }
    return 0;
}

int elementCode(std::string_view element) {
    for (std::size_t code = 1; code < kElementsByCode.size(); ++code) {
        if (kElementsByCode[code] == element) {
            return static_cast<int>(code);
        }
    }
    return 0;
}

void AddStemWeight(const WeightTables& tables, std::string_view stem, ElementWeights& weights,
                   int monthOrdinal, ElementCounts& counts) {
    const int position = stemPosition(stem);
    if (position < 0 || monthOrdinal < 0 || monthOrdinal > 12) {
        return;
    }
    const auto c =
        static_cast<std::size_t>(elementCode(kStemElements[static_cast<std::size_t>(position)]));
    weights[c] += tables.StemWeightTable[static_cast<std::size_t>(monthOrdinal)]
                                        [static_cast<std::size_t>(position + 1)];
    counts[c] += 1;
}

void AddBranchWeights(const WeightTables& tables, std::string_view branch, ElementWeights& weights,
                      int monthOrdinal, ElementCounts& counts) {
    const int ordinal = branchPosition(branch) + 1;
    if (ordinal == 0 || monthOrdinal < 0 || monthOrdinal > 12) {
        return;
    }
    int monthNumber = monthOrdinal - 2;  // counted from the 寅 month
    if (monthNumber <= 0) {
        monthNumber += 12;
    }
    const auto& bySlot = tables.HiddenStemWeightTable[static_cast<std::size_t>(ordinal)]
                                                     [static_cast<std::size_t>(monthNumber)];
    std::size_t slot = 1;
    for (std::string_view hidden :
         splitCharacters(HiddenStemTable[static_cast<std::size_t>(ordinal)])) {
        const auto c = static_cast<std::size_t>(elementCode(StemBranchElement(hidden)));
        weights[c] += bySlot[slot++];
        counts[c] += 1;
    }
}

float cutToHundredths(float score) {
    return std::floor(score * 100.0f) / 100.0f;
}

ElementBalance ComputeElementBalance(const WeightTables& tables, const FourPillars& pillars) {
    ElementBalance balance;
    const std::array<const std::string*, 4> order = {&pillars.year, &pillars.month, &pillars.day,
                                                     &pillars.hour};
    const int monthOrdinal = StemBranchOrdinal(lastCharacter(pillars.month));
    ElementWeights weights{};
    for (const std::string* pillar : order) {
        AddStemWeight(tables, firstCharacter(*pillar), weights, monthOrdinal, balance.counts);
    }
    for (const std::string* pillar : order) {
        AddBranchWeights(tables, lastCharacter(*pillar), weights, monthOrdinal, balance.counts);
    }

    const int master = elementCode(StemBranchElement(firstCharacter(pillars.day)));
    int sameA = 0;
    int sameB = 0;
    if (stemPosition(firstCharacter(pillars.day)) >= 0) {
        const SideOfElement& side = kSides[static_cast<std::size_t>(master - 1)];
        balance.sameSet = side.sameSet;
        balance.otherSet = side.otherSet;
        sameA = side.code;
        sameB = side.other;
    }
    float same = 0.0f;
    float total = 0.0f;
    for (int code = 1; code <= 5; ++code) {
        total += weights[static_cast<std::size_t>(code)];
        if (code == sameA || code == sameB) {
            same += weights[static_cast<std::size_t>(code)];
        }
    }
    const float other = total - same;
    balance.sameScore = cutToHundredths(same);
    balance.otherScore = cutToHundredths(other);
    return balance;
}

std::string formatScore(float value) {
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), ec == std::errc() ? end : buffer.data());
}

}  // namespace norlune
