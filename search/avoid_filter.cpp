#include "search/avoid_filter.h"

#include <algorithm>

#include "engine/utf8.h"

namespace norlune {

AvoidFilter::AvoidFilter(std::string_view characters, const SoundTables* tables, bool bySound) {
    std::size_t pos = 0;
    while (pos < characters.size()) {
        const char32_t ch = nextCodePoint(characters, pos);
        if (std::find(characters_.begin(), characters_.end(), ch) == characters_.end()) {
            characters_.push_back(ch);
        }
    }
    if (bySound && tables != nullptr) {
        tables_ = tables;
        for (char32_t ch : characters_) {
            const std::span<const Reading> readings = tables->readings(ch);
            if (!readings.empty() && std::find(syllables_.begin(), syllables_.end(),
                                               readings.front().syllable) == syllables_.end()) {
                syllables_.push_back(readings.front().syllable);
            }
        }
    }
}

bool AvoidFilter::accepts(std::string_view givenName) const {
    std::size_t pos = 0;
    while (pos < givenName.size()) {
        const char32_t ch = nextCodePoint(givenName, pos);
        if (std::find(characters_.begin(), characters_.end(), ch) != characters_.end()) {
            return false;
        }
        if (tables_ != nullptr && !syllables_.empty()) {
            const std::span<const Reading> readings = tables_->readings(ch);
            if (!readings.empty() && std::find(syllables_.begin(), syllables_.end(),
                                               readings.front().syllable) != syllables_.end()) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace norlune
