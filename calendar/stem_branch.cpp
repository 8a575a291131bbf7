#include "calendar/stem_branch.h"

#include <algorithm>

namespace norlune {
namespace {

template <std::size_t N>
int positionIn(const std::array<std::string_view, N>& names, std::string_view ch) {
    const auto it = std::find(names.begin(), names.end(), ch);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

// Bytes of the sequence that a lead byte announces; 1 for ASCII and for stray bytes.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    if (lead >= 0xC2) {
        return 2;
    }
    return 1;
}

}  // namespace

int stemPosition(std::string_view ch) {
    return positionIn(kStems, ch);
}

int branchPosition(std::string_view ch) {
    return positionIn(kBranches, ch);
}

std::string stemBranchName(long long s, long long b) {
    std::string name(kStems[static_cast<std::size_t>(floorMod(s, 10))]);
    name += kBranches[static_cast<std::size_t>(floorMod(b, 12))];
    return name;
}

std::vector<std::string_view> splitCharacters(std::string_view text) {
    std::vector<std::string_view> chars;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t len = sequenceLength(static_cast<unsigned char>(text[pos]));
        if (pos + len > text.size()) {
            len = 1;
        }
        for (std::size_t i = 1; i < len; ++i) {
            if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) {
                len = 1;
                break;
            }
        }
        chars.push_back(text.substr(pos, len));
        pos += len;
    }
    return chars;
}

}  // namespace norlune
