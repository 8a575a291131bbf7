#include "sound/sound_tables.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "embedded/bad_words_txt.h"
#include "embedded/famous_names_txt.h"
#include "embedded/name_readings_txt.h"
#include "embedded/readings_txt.h"
#include "embedded/standard_chars_txt.h"
#include "embedded/strong_words_txt.h"
#include "embedded/surname_readings_txt.h"
#include "embedded/zhuyin_txt.h"
#include "engine/text_lines.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

constexpr std::uint32_t kCountBits = 3;
constexpr std::size_t kMaxReadings = 7;     // what kCountBits can count
constexpr std::uint8_t kNameWordStart = 8;  // in levels_: the first character of a name word

std::uint64_t pairKey(char32_t a, char32_t b) {
    return std::uint64_t{a} << 32 | b;
}

[[noreturn]] void malformed(std::string_view where, std::string_view line) {
    throw std::runtime_error("sound data " + std::string(where) +
                             ": malformed line: " + std::string(line));
}

}  // namespace

std::uint16_t SoundTables::intern(std::string_view letters) {
    const auto it = syllableIds_.find(std::string(letters));
    if (it != syllableIds_.end()) {
        return it->second;
    }
    if (syllables_.size() >= 4096) {  // the word keys hold 12 bits per syllable
        throw std::runtime_error("sound data: too many syllables");
    }
    const auto id = static_cast<std::uint16_t>(syllables_.size());
    syllables_.emplace_back(letters);
    syllableIds_.emplace(std::string(letters), id);
    return id;
}

int SoundTables::syllableId(std::string_view letters) const {
    const auto it = syllableIds_.find(std::string(letters));
    return it == syllableIds_.end() ? -1 : it->second;
}

// "dan1 chan2 shan4": numbered syllables separated by spaces.
std::vector<Reading> SoundTables::parseReadings(std::string_view text, std::string_view where) {
    std::vector<Reading> out;
    for (std::string_view field : splitFields(text, ' ')) {
        if (field.size() < 2 || field.back() < '1' || field.back() > '5') {
            malformed(where, text);
        }
        const std::string_view letters = field.substr(0, field.size() - 1);
        for (char c : letters) {
            if (c < 'a' || c > 'z') {
                malformed(where, text);
            }
        }
        out.push_back({intern(letters), static_cast<std::uint8_t>(field.back() - '0')});
    }
    return out;
}

std::uint64_t SoundTables::key(std::span<const std::uint16_t> syllables) {
    std::uint64_t k = syllables.size();
    for (std::size_t i = 0; i < syllables.size(); ++i) {
        k |= std::uint64_t{syllables[i]} << (3 + 12 * i);
    }
    return k;
}

SoundTables SoundTables::fromText(std::string_view readings, std::string_view surnames,
                                  std::string_view standard, std::string_view badWords,
                                  std::string_view strongWords, std::string_view nameWords,
                                  std::string_view famousNames, std::string_view zhuyin) {
    SoundTables t;
    t.bmpIndex_.assign(0x10000, 0);
    for (std::string_view line : splitLines(readings)) {
        const auto fields = splitFields(line, '\t');
        const std::u32string ch = utf8ToU32(fields[0]);
        if (fields.size() != 2 || ch.size() != 1) {
            malformed("readings", line);
        }
        const std::vector<Reading> r = t.parseReadings(fields[1], "readings");
        if (r.size() > kMaxReadings) {
            malformed("readings", line);
        }
        const auto entry = static_cast<std::uint32_t>(t.pool_.size() << kCountBits | r.size());
        t.pool_.insert(t.pool_.end(), r.begin(), r.end());
        if (ch[0] < 0x10000) {
            t.bmpIndex_[ch[0]] = entry;
        } else {
            t.otherIndex_[ch[0]] = entry;
        }
    }
    for (std::string_view line : splitLines(surnames)) {
        const auto fields = splitFields(line, '\t');
        if (fields.size() != 2) {
            malformed("surname readings", line);
        }
        std::u32string surname = utf8ToU32(fields[0]);
        std::vector<Reading> r = t.parseReadings(fields[1], "surname readings");
        if (r.size() != surname.size()) {
            malformed("surname readings", line);
        }
        t.surnames_.emplace(std::move(surname), std::move(r));
    }
    const auto levels = splitLines(standard);
    if (levels.size() != 4) {
        throw std::runtime_error("sound data: the standard characters need four lines");
    }
    for (int level = 1; level <= 3; ++level) {
        for (char32_t ch : utf8ToU32(levels[static_cast<std::size_t>(level - 1)])) {
            t.levels_.set(ch, static_cast<std::uint8_t>(level));
        }
    }
    for (char32_t ch : utf8ToU32(levels[3])) {
        t.levels_.set(ch, static_cast<std::uint8_t>(t.levels_.get(ch) | 4));
    }
    for (std::string_view line : splitLines(badWords)) {
        const auto fields = splitFields(line, '\t');
        if (fields.size() != 2) {
            malformed("bad words", line);
        }
        BadWord word{std::string(fields[0]), t.parseReadings(fields[1], "bad words")};
        if (word.readings.size() < 2 || word.readings.size() > kMaxWordLength ||
            word.readings.size() != codePointCount(word.word)) {
            malformed("bad words", line);
        }
        t.words_.push_back(std::move(word));
    }
    for (std::string_view line : splitLines(strongWords)) {
        const auto it = std::find_if(t.words_.begin(), t.words_.end(),
                                     [&](const BadWord& w) { return w.word == line; });
        if (it == t.words_.end()) {
            malformed("strong words", line);
        }
        it->strong = true;
    }
    for (std::string_view line : splitLines(nameWords)) {
        const auto fields = splitFields(line, '\t');
        const std::u32string word = fields.empty() ? U"" : utf8ToU32(fields[0]);
        if (fields.size() != 2 || word.size() != 2) {
            malformed("name readings", line);
        }
        const std::vector<Reading> r = t.parseReadings(fields[1], "name readings");
        if (r.size() != 2) {
            malformed("name readings", line);
        }
        std::array<std::uint32_t, 2> entries{};
        for (std::size_t k = 0; k < 2; ++k) {
            // the word's reading first, then the character's others
            std::vector<Reading> own{r[k]};
            for (const Reading& other : t.readings(word[k])) {
                if (!(other == r[k]) && own.size() < kMaxReadings) {
                    own.push_back(other);
                }
            }
            entries[k] = static_cast<std::uint32_t>(t.pool_.size() << kCountBits | own.size());
            t.pool_.insert(t.pool_.end(), own.begin(), own.end());
        }
        t.nameWords_[pairKey(word[0], word[1])] = entries;
        t.levels_.set(word[0], static_cast<std::uint8_t>(t.levels_.get(word[0]) | kNameWordStart));
    }
    for (std::string_view line : splitLines(famousNames)) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::size_t length = codePointCount(line);
        if (length < 2 || length > 6 || line.find_first_of(" \t") != std::string_view::npos) {
            malformed("famous names", line);
        }
        t.famous_.emplace_back(line);
    }
    std::sort(t.famous_.begin(), t.famous_.end());
    t.famous_.erase(std::unique(t.famous_.begin(), t.famous_.end()), t.famous_.end());
    t.zhuyin_.resize(t.syllables_.size());
    for (std::string_view line : splitLines(zhuyin)) {
        const auto fields = splitFields(line, '\t');
        if (fields.size() != 2 || fields[0].empty() || fields[1].empty()) {
            malformed("zhuyin", line);
        }
        if (const int id = t.syllableId(fields[0]); id >= 0) {
            t.zhuyin_[static_cast<std::size_t>(id)] = std::string(fields[1]);
        }
    }
    // The pair bits need the final number of syllables, so the words are indexed last.
    const std::size_t n = t.syllables_.size();
    t.pairBits_.assign((n * n + 63) / 64, 0);
    for (std::size_t i = 0; i < t.words_.size(); ++i) {
        std::array<std::uint16_t, kMaxWordLength> ids{};
        const auto& r = t.words_[i].readings;
        for (std::size_t k = 0; k < r.size(); ++k) {
            ids[k] = r[k].syllable;
        }
        t.wordIndex_[key(std::span(ids.data(), r.size()))].push_back(static_cast<std::uint32_t>(i));
        const std::size_t bit = std::size_t{ids[0]} * n + ids[1];
        t.pairBits_[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    return t;
}

SoundTables SoundTables::builtIn() {
    return builtIn(TraditionalMap::builtIn());
}

SoundTables SoundTables::builtIn(const TraditionalMap& traditional) {
    SoundTables t =
        fromText(embedded::kReadingsTxt, embedded::kSurnameReadingsTxt, embedded::kStandardCharsTxt,
                 embedded::kBadWordsTxt, embedded::kStrongWordsTxt, embedded::kNameReadingsTxt,
                 embedded::kFamousNamesTxt, embedded::kZhuyinTxt);
    t.addTypedForms(traditional);
    return t;
}

void SoundTables::addTypedForms(const TraditionalMap& traditional) {
    std::unordered_map<char32_t, std::vector<char32_t>> typedOf;
    for (const auto& [typed, counted] : traditional.typedForms()) {
        typedOf[counted].push_back(typed);
        if (entryOf(typed) != 0 || entryOf(counted) == 0) {
            continue;
        }
        if (typed < 0x10000) {
            bmpIndex_[typed] = entryOf(counted);
        } else {
            otherIndex_[typed] = entryOf(counted);
        }
    }
    // Every spelling of a listed surname with one or both characters typed in another form.
    std::vector<std::pair<std::u32string, std::vector<Reading>>> spellings;
    for (const auto& [surname, r] : surnames_) {
        std::vector<std::u32string> forms = {U""};
        for (const char32_t ch : surname) {
            std::vector<std::u32string> longer;
            for (const std::u32string& start : forms) {
                longer.push_back(start + ch);
                if (const auto it = typedOf.find(ch); it != typedOf.end()) {
                    for (const char32_t typed : it->second) {
                        longer.push_back(start + typed);
                    }
                }
            }
            forms = std::move(longer);
        }
        for (std::u32string& form : forms) {
            if (form != surname) {
                spellings.emplace_back(std::move(form), r);
            }
        }
    }
    for (auto& [form, r] : spellings) {
        surnames_.emplace(std::move(form), std::move(r));
    }
}

std::uint32_t SoundTables::entryOf(char32_t ch) const {
    if (ch < 0x10000) {
        return bmpIndex_.empty() ? 0 : bmpIndex_[ch];
    }
    const auto it = otherIndex_.find(ch);
    return it == otherIndex_.end() ? 0 : it->second;
}

bool SoundTables::isFamous(std::string_view fullName) const {
    return std::binary_search(famous_.begin(), famous_.end(), fullName);
}

std::span<const Reading> SoundTables::entryReadings(std::uint32_t entry) const {
    return std::span(pool_).subspan(entry >> kCountBits, entry & ((1U << kCountBits) - 1));
}

std::span<const Reading> SoundTables::readings(char32_t ch) const {
    return entryReadings(entryOf(ch));
}

bool SoundTables::nameWordReadings(char32_t a, char32_t b, std::span<const Reading>& first,
                                   std::span<const Reading>& second) const {
    if ((levels_.get(a) & kNameWordStart) == 0) {
        return false;
    }
    const auto it = nameWords_.find(pairKey(a, b));
    if (it == nameWords_.end()) {
        return false;
    }
    first = entryReadings(it->second[0]);
    second = entryReadings(it->second[1]);
    return true;
}

std::vector<std::span<const Reading>> SoundTables::surnameReadings(
    std::u32string_view surname) const {
    std::vector<std::span<const Reading>> out;
    if (const auto whole = surnames_.find(std::u32string(surname)); whole != surnames_.end()) {
        for (const Reading& r : whole->second) {
            out.emplace_back(&r, 1);
        }
        return out;
    }
    for (char32_t ch : surname) {
        if (const auto own = surnames_.find(std::u32string(1, ch)); own != surnames_.end()) {
            out.emplace_back(own->second.data(), 1);
        } else {
            out.push_back(readings(ch).first(readings(ch).empty() ? 0 : 1));
        }
    }
    return out;
}

std::span<const std::uint32_t> SoundTables::wordsSpelling(
    std::span<const std::uint16_t> syllables) const {
    if (syllables.size() < 2 || syllables.size() > kMaxWordLength) {
        return {};
    }
    const auto it = wordIndex_.find(key(syllables));
    return it == wordIndex_.end() ? std::span<const std::uint32_t>() : std::span(it->second);
}

}  // namespace norlune
