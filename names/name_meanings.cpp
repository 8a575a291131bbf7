#include "names/name_meanings.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

#include "embedded/char_meanings_tsv.h"
#include "embedded/names_tsv.h"
#include "engine/name_report.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

[[noreturn]] void malformed(std::string_view where, std::size_t number, std::string_view line) {
    throw std::runtime_error(std::string(where) + " line " + std::to_string(number) +
                             ": malformed: " + std::string(line));
}

bool skipped(std::string_view line) {
    return line.empty() || line.front() == '#';
}

// The TAB-separated fields of a names line, without allocating: exactly five, else nothing.
std::optional<std::array<std::string_view, 5>> fiveFields(std::string_view line) {
    std::array<std::string_view, 5> fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t end = line.find('\t');
        if ((end == std::string_view::npos) != (i + 1 == fields.size())) {
            return std::nullopt;
        }
        fields[i] = line.substr(0, end);
        line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
    }
    return fields;
}

std::optional<NameSex> parseSex(std::string_view field) {
    if (field == "M") {
        return NameSex::Male;
    }
    if (field == "F") {
        return NameSex::Female;
    }
    if (field == "both") {
        return NameSex::Both;
    }
    return std::nullopt;
}

bool serves(NameSex line, std::optional<NameSex> wanted) {
    return !wanted || line == NameSex::Both || *wanted == NameSex::Both || line == *wanted;
}

}  // namespace

NameMeanings NameMeanings::fromText(std::string_view charMeanings, std::string_view names,
                                    const TraditionalMap* traditional) {
    NameMeanings t;
    if (traditional != nullptr) {
        // The first simplified character of the pairs that ends at a traditional one is its
        // simplified form.
        for (const std::u32string& simplified : traditional->simplified()) {
            if (simplified.size() == 1) {
                const char32_t converted = traditional->convert(simplified[0]);
                if (converted != simplified[0]) {
                    t.simplified_.try_emplace(converted, simplified[0]);
                }
            }
        }
    }
    t.meaningText_ = std::make_shared<const std::string>(charMeanings);
    t.namesText_ = std::make_shared<const std::string>(names);

    t.meanings_.reserve(static_cast<std::size_t>(
        std::count(t.meaningText_->begin(), t.meaningText_->end(), '\n') + 1));
    std::size_t number = 0;
    for (std::string_view line : splitLines(*t.meaningText_)) {
        ++number;
        if (skipped(line)) {
            continue;
        }
        const auto fields = splitFields(line, '\t');
        const std::u32string ch = utf8ToU32(fields[0]);
        if (fields.size() != 2 || ch.size() != 1 || !isHanCharacter(ch[0]) || fields[1].empty() ||
            !isValidUtf8(fields[1])) {
            malformed("char_meanings", number, line);
        }
        if (!t.meanings_.emplace(ch[0], fields[1]).second) {
            malformed("char_meanings (character given twice)", number, line);
        }
    }

    // Lines are read first and grouped by name afterwards: a name's lines need not be adjacent.
    // The first pass counts each name's lines and notes the order in which names first appear.
    struct Line {
        Range* range;
        NameEntry entry;
    };
    std::vector<Line> lines;
    std::vector<Range*> order;
    const std::size_t estimate =
        static_cast<std::size_t>(std::count(t.namesText_->begin(), t.namesText_->end(), '\n') + 1);
    lines.reserve(estimate);
    t.names_.reserve(estimate);
    number = 0;
    for (std::string_view line : splitLines(*t.namesText_)) {
        ++number;
        if (skipped(line)) {
            continue;
        }
        const auto split = fiveFields(line);
        if (!split) {
            malformed("names", number, line);
        }
        const std::array<std::string_view, 5>& fields = *split;
        const std::size_t length = codePointCount(fields[0]);
        const std::optional<NameSex> sex = parseSex(fields[1]);
        if (length < 1 || length > 2 || !isHanText(fields[0]) || !sex || fields[2].size() != 1 ||
            fields[2][0] < '1' || fields[2][0] > '3' || !isValidUtf8(fields[3]) ||
            !isValidUtf8(fields[4]) || (fields[3].empty() && !fields[4].empty())) {
            malformed("names", number, line);
        }
        const auto [it, added] = t.names_.try_emplace(fields[0]);
        if (added) {
            order.push_back(&it->second);  // map nodes do not move
        }
        ++it->second.count;
        lines.push_back(
            {&it->second,
             {*sex, static_cast<std::uint8_t>(fields[2][0] - '0'), {fields[3], fields[4]}}});
    }
    if (lines.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::runtime_error("names: too many lines");
    }
    // Each name gets its slots in the order of its first line; filling them in line order keeps
    // the table's order within a name.
    std::uint32_t next = 0;
    for (Range* range : order) {
        range->first = next;
        next += range->count;
        range->count = 0;
    }
    t.entries_.resize(lines.size());
    for (const Line& line : lines) {
        Range& range = *line.range;
        t.entries_[range.first + range.count++] = line.entry;
        range.classical = range.classical || !line.entry.source.work.empty();
    }
    return t;
}

NameMeanings NameMeanings::builtIn() {
    return builtIn(TraditionalMap::builtIn());
}

NameMeanings NameMeanings::builtIn(const TraditionalMap& traditional) {
    return fromText(embedded::kCharMeaningsTsv, embedded::kNamesTsv, &traditional);
}

std::string_view NameMeanings::meaning(char32_t ch) const {
    auto it = meanings_.find(ch);
    if (it == meanings_.end()) {
        if (const auto simple = simplified_.find(ch); simple != simplified_.end()) {
            it = meanings_.find(simple->second);
        }
    }
    return it == meanings_.end() ? std::string_view() : it->second;
}

const NameMeanings::Range* NameMeanings::findName(std::string_view givenName) const {
    if (const auto it = names_.find(givenName); it != names_.end()) {
        return &it->second;
    }
    if (simplified_.empty()) {
        return nullptr;
    }
    // Only a name with a traditional character is looked up again, in simplified form; a given
    // name has at most two characters, so the text stays in the string's own buffer.
    std::string simple;
    bool converted = false;
    std::size_t pos = 0;
    while (pos < givenName.size()) {
        char32_t ch = nextCodePoint(givenName, pos);
        if (const auto it = simplified_.find(ch); it != simplified_.end()) {
            ch = it->second;
            converted = true;
        }
        appendUtf8(simple, ch);
    }
    if (!converted) {
        return nullptr;
    }
    const auto it = names_.find(simple);
    return it == names_.end() ? nullptr : &it->second;
}

std::span<const NameEntry> NameMeanings::entries(std::string_view givenName) const {
    const Range* range = findName(givenName);
    if (range == nullptr) {
        return {};
    }
    return std::span(entries_).subspan(range->first, range->count);
}

std::vector<NameSource> NameMeanings::sources(std::string_view givenName,
                                              std::optional<NameSex> sex) const {
    std::vector<NameSource> out;
    for (const NameEntry& e : entries(givenName)) {
        if (!e.source.work.empty() && serves(e.sex, sex) &&
            std::find(out.begin(), out.end(), e.source) == out.end()) {
            out.push_back(e.source);
        }
    }
    return out;
}

bool NameMeanings::hasClassicalSource(std::string_view givenName) const {
    const Range* range = findName(givenName);
    return range != nullptr && range->classical;
}

int NameMeanings::grade(std::string_view givenName, std::optional<NameSex> sex) const {
    int best = 0;
    for (const NameEntry& e : entries(givenName)) {
        if (serves(e.sex, sex) && (best == 0 || e.grade < best)) {
            best = e.grade;
        }
    }
    return best;
}

std::vector<std::string> meaningLines(const NameMeanings& tables, std::string_view givenName) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < givenName.size()) {
        const char32_t ch = nextCodePoint(givenName, pos);
        std::string line;
        appendUtf8(line, ch);
        const std::string_view meaning = tables.meaning(ch);
        line += "：";
        line += meaning.empty() ? std::string_view("暂无释义") : meaning;
        lines.push_back(std::move(line));
    }
    for (const NameSource& source : tables.sources(givenName)) {
        lines.push_back("出处：" + std::string(source.work) + std::string(source.clause));
    }
    return lines;
}

MeaningCells meaningCells(const NameMeanings& tables, std::string_view givenName) {
    MeaningCells cells;
    for (const NameSource& source : tables.sources(givenName)) {
        cells.sources += (cells.sources.empty() ? "" : "；") + std::string(source.work);
        cells.sources += source.clause;
    }
    std::size_t pos = 0;
    while (pos < givenName.size()) {
        const char32_t ch = nextCodePoint(givenName, pos);
        const std::string_view meaning = tables.meaning(ch);
        if (meaning.empty()) {
            continue;
        }
        if (!cells.meanings.empty()) {
            cells.meanings += "；";
        }
        appendUtf8(cells.meanings, ch);
        cells.meanings += "：";
        cells.meanings += meaning;
    }
    return cells;
}

void appendMeaningSection(const NameMeanings& tables, std::string_view givenName,
                          std::string& report) {
    const std::string rule(17, '-');
    Adds(rule + "字义出处" + rule, report);
    bool known = tables.hasClassicalSource(givenName);
    std::size_t pos = 0;
    while (!known && pos < givenName.size()) {
        known = !tables.meaning(nextCodePoint(givenName, pos)).empty();
    }
    if (!known) {
        Adds("此名暂无字义与出处可查", report);
        return;
    }
    for (const std::string& line : meaningLines(tables, givenName)) {
        Adds(line, report);
    }
}

}  // namespace norlune
