// The encoding judgement on small files: a few names, in UTF-8 or in GB18030, each read back as
// written, whatever characters the names hold.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "textio/text_encoding.h"

namespace norlune {
namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> characters(std::string_view utf8) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        out.emplace_back(utf8.substr(i, length));
        i += length;
    }
    return out;
}

// One name of a generated file in both encodings.
struct Entry {
    std::string utf8;
    std::string gb18030;
};

struct Pools {
    std::vector<Entry> names;   // the names of M.dat and F.dat
    std::vector<Entry> basic;   // the standard table's characters of the basic plane
    std::vector<Entry> beyond;  // and those beyond it
    std::vector<Entry> signs;   // signs that lists hold beside names
};

Entry entry(std::string utf8) {
    Entry e{std::move(utf8), {}};
    e.gb18030 = encodeGb18030(e.utf8);
    return e;
}

const Pools& pools() {
    static const Pools p = [] {
        Pools made;
        for (const char* file : {"/data/M.dat", "/data/F.dat"}) {
            const DecodedText text = decodeText(fileText(std::string(NORLUNE_SOURCE_DIR) + file));
            std::size_t start = text.utf8.find('\n') + 1;  // after the header line
            while (start < text.utf8.size()) {
                std::size_t end = text.utf8.find_first_of("\r\n", start);
                end = end == std::string::npos ? text.utf8.size() : end;
                if (end > start) {
                    made.names.push_back(entry(text.utf8.substr(start, end - start)));
                }
                start = text.utf8.find('\n', end);
                start = start == std::string::npos ? text.utf8.size() : start + 1;
            }
        }
        for (const std::string& c :
             characters(fileText(std::string(NORLUNE_SOURCE_DIR) + "/data/standard_chars.txt"))) {
            if (c.size() == 3) {
                made.basic.push_back(entry(c));
            } else if (c.size() == 4) {
                made.beyond.push_back(entry(c));
            }
        }
        // A lone middle dot is left out: its UTF-8 bytes are GBK's 路, which a list of names is
        // far likelier to hold.
        for (const char* sign : {"阿·木", "—", "、", "（）", "〇", "…", "？", "１"}) {
            made.signs.push_back(entry(sign));
        }
        return made;
    }();
    return p;
}

// A small, fixed pseudo-random sequence (xorshift): the same files on every run.
class Sequence {
public:
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

TEST(EncodingJudgementTest, PoolsHoldWhatTheFilesAreMadeOf) {
    const Pools& p = pools();
    EXPECT_GT(p.names.size(), 5000u);
    EXPECT_GT(p.basic.size(), 7000u);
    EXPECT_GT(p.beyond.size(), 100u);
    for (const Entry& e : p.beyond) {
        ASSERT_EQ(e.gb18030.size(), 4u) << e.utf8;  // GB18030's four-byte form
    }
}

TEST(EncodingJudgementTest, SmallFilesReadAsWritten) {
    const Pools& p = pools();
    Sequence random;
    constexpr int kFiles = 100000;
    int misjudged = 0;
    std::string firstMisjudged;
    std::string utf8;
    std::string gb;
    for (int file = 0; file < kFiles; ++file) {
        const std::size_t count = 1 + static_cast<std::size_t>(file % 3);
        const std::string_view lineEnd = file % 4 == 0 ? "\n" : "\r\n";
        utf8 = std::to_string(count);
        utf8 += lineEnd;
        gb = utf8;
        for (std::size_t n = 0; n < count; ++n) {
            const std::size_t kind = random.below(20);
            const std::vector<Entry>& pool = kind < 9    ? p.names
                                             : kind < 15 ? p.basic
                                             : kind < 19 ? p.beyond
                                                         : p.signs;
            const Entry& e = pool[random.below(pool.size())];
            utf8 += e.utf8;
            utf8 += lineEnd;
            gb += e.gb18030;
            gb += lineEnd;
        }
        for (const auto& [bytes, encoding] :
             {std::pair{&utf8, TextEncoding::Utf8}, std::pair{&gb, TextEncoding::Gb18030}}) {
            if (decodeText(*bytes).utf8 != utf8) {
                if (misjudged++ == 0) {
                    firstMisjudged =
                        utf8 + (encoding == TextEncoding::Utf8 ? " (UTF-8)" : " (GB18030)");
                }
            }
        }
    }
    EXPECT_EQ(misjudged, 0) << "first: " << firstMisjudged;
}

TEST(EncodingJudgementTest, UsersFilesOfOneName) {
    struct Row {
        std::string bytes;
        TextEncoding encoding;
    };
    const Row rows[] = {
        {"1\n\xF0\xAA\x9A\xA5\n", TextEncoding::Utf8},              // 𪚥, beyond the basic plane
        {"2\n\xC2\xB7\n恒健\n", TextEncoding::Utf8},                // a middle dot, then a name
        {"2\n\xEF\xBF\xBD\xEF\xBF\xBD\n明\n", TextEncoding::Utf8},  // replacement characters
        {"1\n\xD0\xA1\n", TextEncoding::Gb18030},          // 小 in GBK is Cyrillic in UTF-8
        {"1\n\xD8\xA1\n", TextEncoding::Gb18030},          // a second-level character
        {"1\n\xF0\xA1\xB0\xA1\n", TextEncoding::Gb18030},  // two characters, not one of Ext B
        {"1\r\nabc\r\n", TextEncoding::Utf8},
        {"1\r\n\xF0\xAD\xA3\xA8\r\n", TextEncoding::Gb18030},  // 瓠（, not one rare character
        {"1\r\n\xE8\xAE\xB1\x5D\r\n", TextEncoding::Gb18030},  // 璁盷, not 讱 and a bracket
        {"", TextEncoding::Utf8},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(judgeEncoding(row.bytes, true).encoding, row.encoding) << row.bytes;
    }
}

}  // namespace
}  // namespace norlune
