#include "engine/numerology_tables.h"

#include <algorithm>
#include <charconv>

#include "embedded/numerology_txt.h"
#include "embedded/sancai_txt.h"
#include "engine/five_grids.h"
#include "engine/score.h"
#include "engine/text_lines.h"

namespace norlune {
namespace {

const std::string kEmpty;

// Index 0..4 of an element character in the order 木 火 土 金 水, -1 otherwise.
int gridElementIndex(std::string_view ch) {
    for (std::size_t i = 0; i < kGridElements.size(); ++i) {
        if (kGridElements[i] == ch) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// 0..124 for a key of three element characters, -1 for anything else.
int keyIndex(std::string_view key) {
    constexpr std::size_t kCharBytes = 3;  // every element character is three bytes in UTF-8
    if (key.size() != 3 * kCharBytes) {
        return -1;
    }
    int index = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const int e = gridElementIndex(key.substr(i * kCharBytes, kCharBytes));
        if (e < 0) {
            return -1;
        }
        index = index * 5 + e;
    }
    return index;
}

}  // namespace

bool isFemaleUnfavourable(int number) {
    static constexpr std::array<int, 12> kNumbers = {9, 10, 14, 16, 21, 23, 26, 28, 29, 33, 37, 39};
    return std::find(kNumbers.begin(), kNumbers.end(), number) != kNumbers.end();
}

NumerologyTable NumerologyTable::fromText(std::string_view text) {
    NumerologyTable table;
    for (std::string_view line : splitLines(text)) {
        const auto fields = splitFields(line, '\t');
        int n = 0;
        const auto [ptr, ec] =
            std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), n);
        if (ec != std::errc() || ptr != fields[0].data() + fields[0].size() || n < 1 ||
            n > kMaxNumber) {
            continue;
        }
        auto& entry = table.entries_[static_cast<std::size_t>(n)];
        for (std::size_t f = 1; f <= 4 && f < fields.size(); ++f) {
            entry[f] = std::string(fields[f]);
        }
        table.points_[static_cast<std::size_t>(n)] = getpf(entry[kGrade]).value_or(0);
    }
    return table;
}

NumerologyTable NumerologyTable::builtIn() {
    return fromText(embedded::kNumerologyTxt);
}

const std::string& NumerologyTable::field(int n, int f) const {
    if (!inRange(n) || f < 1 || f > 4) {
        return kEmpty;
    }
    return entries_[static_cast<std::size_t>(n)][static_cast<std::size_t>(f)];
}

void NumerologyTable::GetSge(int s, std::array<std::string, 5>& a, int& Fbadn) const {
    for (int f = 1; f <= 4; ++f) {
        a[static_cast<std::size_t>(f)] = field(s, f);
    }
    if (isFemaleUnfavourable(s)) {
        ++Fbadn;
    }
}

SanCaiTable SanCaiTable::fromText(std::string_view text) {
    SanCaiTable table;
    for (std::string_view line : splitLines(text)) {
        if (line.empty()) {
            continue;
        }
        const auto fields = splitFields(line, '\t');
        Row row;
        for (std::size_t f = 0; f < row.size() && f < fields.size(); ++f) {
            row[f] = std::string(fields[f]);
        }
        const int rowNumber = static_cast<int>(table.rows_.size());
        table.byKey_.try_emplace(row[0], rowNumber);
        const int index = keyIndex(row[0]);
        if (index >= 0 && table.byIndex_[static_cast<std::size_t>(index)] == 0) {
            table.byIndex_[static_cast<std::size_t>(index)] = rowNumber;
            table.gradePoints_[static_cast<std::size_t>(index)] =
                getpf(row[3]).value_or(0) + getpf(row[5]).value_or(0) + getpf(row[7]).value_or(0) +
                getpf(row[9]).value_or(0);
        }
        table.rows_.push_back(std::move(row));
    }
    return table;
}

SanCaiTable SanCaiTable::builtIn() {
    return fromText(embedded::kSancaiTxt);
}

void SanCaiTable::GetSanCaiInfo(std::string_view s, std::array<std::string, 11>& a) const {
    const auto it = byKey_.find(std::string(s));
    const Row& row = rows_[it == byKey_.end() ? 0 : static_cast<std::size_t>(it->second)];
    for (std::size_t f = 1; f <= 10; ++f) {
        a[f] = row[f];
    }
}

}  // namespace norlune
