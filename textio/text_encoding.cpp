#include "textio/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

#include "embedded/char_classes_txt.h"
#include "textio/utf8_scan.h"

namespace norlune {
namespace {

using textio_detail::isValidUtf8;
using textio_detail::nextCodePoint;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kGb18030Mark = "\x84\x31\x95\x33";  // U+FEFF in GB18030
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr char32_t kReplacement = 0xFFFD;

iconv_t noIconv() {
    return reinterpret_cast<iconv_t>(-1);
}

// Opening a converter costs far more than converting a short text, and every file read opens one or
// two: each thread keeps one spare converter per direction for the next user.
class ConverterCache {
public:
    ~ConverterCache() {
        for (iconv_t cd : spare_) {
            if (cd != noIconv()) {
                iconv_close(cd);
            }
        }
    }
    // A converter in its initial state, or noIconv() when the conversion is not available.
    iconv_t take(std::size_t slot, const char* to, const char* from) {
        const iconv_t cd = std::exchange(spare_[slot], noIconv());
        if (cd != noIconv()) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            return cd;
        }
        return iconv_open(to, from);
    }
    void give(std::size_t slot, iconv_t cd) {
        if (spare_[slot] == noIconv()) {
            spare_[slot] = cd;
        } else {
            iconv_close(cd);
        }
    }

private:
    std::array<iconv_t, 5> spare_{noIconv(), noIconv(), noIconv(), noIconv(), noIconv()};
};

thread_local ConverterCache converters;

constexpr std::size_t kEncoderSlot = 4;

std::size_t decoderSlot(TextEncoding encoding) {
    return static_cast<std::size_t>(encoding);
}

const char* iconvName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Gb18030:
            return "GB18030";
        case TextEncoding::Utf16Le:
            return "UTF-16LE";
        case TextEncoding::Utf16Be:
            return "UTF-16BE";
        case TextEncoding::Utf8:
            break;
    }
    return "UTF-8";
}

// Where a piece of UTF-8 must be cut so that a sequence begun at its end is left for the next
// piece: the start of that sequence, or the piece's size when it ends on a whole character.
std::size_t utf8CutPoint(std::string_view bytes) {
    const std::size_t n = bytes.size();
    for (std::size_t back = 1; back <= 4 && back <= n; ++back) {
        const auto b = static_cast<unsigned char>(bytes[n - back]);
        if ((b & 0xC0) == 0x80) {
            continue;  // a continuation byte: its lead lies further back
        }
        std::size_t needed = 1;
        if (b >= 0xC2 && b <= 0xDF) {
            needed = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            needed = 3;
        } else if (b >= 0xF0 && b <= 0xF4) {
            needed = 4;
        }
        return back < needed ? n - back : n;
    }
    return n;
}

// The classes of data/char_classes.txt: ascending ranges, "first TAB last TAB class" a line, class
// u for the code points that no name and no list of names holds (unassigned, private use, controls,
// box drawing), n for the general standard table's characters that GB 2312 lacks.
class CharacterClasses {
public:
    CharacterClasses() {
        std::string_view text = embedded::kCharClassesTxt;
        while (!text.empty()) {
            const std::size_t end = std::min(text.find('\n'), text.size());
            const std::string_view line = text.substr(0, end);
            text.remove_prefix(std::min(end + 1, text.size()));
            const std::size_t tab = line.find('\t');
            const std::size_t tab2 = line.find('\t', tab + 1);
            if (tab == std::string_view::npos || tab2 == std::string_view::npos) {
                continue;
            }
            const Range range{hex(line.substr(0, tab)), hex(line.substr(tab + 1, tab2 - tab - 1))};
            (line.substr(tab2 + 1) == "n" ? names_ : unusual_).push_back(range);
        }
    }
    bool unusual(char32_t c) const { return c >= 0x80 && contains(unusual_, c); }
    bool standardBeyondGb2312(char32_t c) const { return c >= 0x3400 && contains(names_, c); }

private:
    struct Range {
        char32_t first;
        char32_t last;
    };
    static bool contains(const std::vector<Range>& ranges, char32_t c) {
        // The first range that ends at or after c.
        const auto it = std::lower_bound(ranges.begin(), ranges.end(), c,
                                         [](const Range& r, char32_t x) { return r.last < x; });
        return it != ranges.end() && it->first <= c;
    }
    static char32_t hex(std::string_view digits) {
        char32_t value = 0;
        for (char d : digits) {
            value = value * 16 + static_cast<char32_t>(d <= '9' ? d - '0' : (d | 0x20) - 'a' + 10);
        }
        return value;
    }
    std::vector<Range> unusual_;
    std::vector<Range> names_;
};

const CharacterClasses& characterClasses() {
    static const CharacterClasses classes;
    return classes;
}

// Characters that Chinese text is made of beside ASCII: Han characters, CJK punctuation, full-width
// forms and the general punctuation that Chinese uses (dashes, quotes, ellipsis). Latin-1 signs
// (the middle dot of transcribed names too) are not: GBK bytes of common characters read as UTF-8
// give them.
bool isChineseCharacter(char32_t c) {
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x323AF) ||
           (c >= 0x2010 && c <= 0x2027) || (c >= 0x2030 && c <= 0x205E);
}

bool isHan(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x323AF);
}

// Symbols that GBK has and Chinese text may hold (arrows, mathematical signs, circled numbers) and
// the replacement character: they count neither for nor against a reading.
bool isNeutralSymbol(char32_t c) {
    return (c >= 0x2100 && c <= 0x22FF) || (c >= 0x2460 && c <= 0x24FF) ||
           (c >= 0x25A0 && c <= 0x27BF) || c == kReplacement;
}

// The 6763 Han characters of GB 2312 (GBK rows B0 to F7), the characters of nearly every name. Text
// in either encoding is mostly made of them, while the other encoding's bytes read as GBK or UTF-8
// give rarer characters.
const std::vector<bool>& commonHanCharacters() {
    static const std::vector<bool> common = [] {
        std::vector<bool> set(0x10000, false);
        std::string bytes;
        for (int lead = 0xB0; lead <= 0xF7; ++lead) {
            for (int trail = 0xA1; trail <= (lead == 0xD7 ? 0xF9 : 0xFE); ++trail) {
                bytes.push_back(static_cast<char>(lead));
                bytes.push_back(static_cast<char>(trail));
            }
        }
        TextDecoder decoder(TextEncoding::Gb18030);
        std::string utf8;
        decoder.decode(bytes, true, utf8);
        std::size_t pos = 0;
        while (pos < utf8.size()) {
            const char32_t c = nextCodePoint(utf8, pos);
            if (c < set.size() && c != kReplacement) {
                set[c] = true;
            }
        }
        return set;
    }();
    return common;
}

// What one reading of a sample gives, counted over its characters beyond ASCII.
struct ReadingJudgement {
    long long characters = 0;  // characters beyond ASCII, neutral symbols left out
    long long chinese = 0;     // of them Han characters and Chinese punctuation
    long long han = 0;         // of them Han characters
    long long common = 0;      // of them those of GB 2312 and of the general standard table
    long long unusual = 0;     // undecodable bytes, unusual characters, letters glued to them
    char32_t previous = 0;

    // The reading is made of what names and lists hold.
    bool clean() const { return unusual == 0; }
    double chineseShare() const { return characters == 0 ? 0.0 : double(chinese) / characters; }
    double commonShare() const { return characters == 0 ? 0.0 : double(common) / characters; }
};

// The ASCII bytes that GBK uses as the second byte of a character (letters and @[\]^_`{|}~) and
// GB18030 as the second byte of a four-byte sequence (digits).
bool isAsciiTrailByte(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 0x40 && c <= 0x7E);
}

// Read as UTF-8, GBK text shows such bytes glued to the character before them, which text of
// names never does. Other ASCII counts for nothing.
void judgeAscii(char32_t c, ReadingJudgement& j) {
    if (j.previous >= 0x80 && j.previous != kReplacement && isAsciiTrailByte(c)) {
        ++j.unusual;
    }
    j.previous = c;
}

void judgeCharacter(char32_t c, ReadingJudgement& j) {
    if (c < 0x80) {
        judgeAscii(c, j);
        return;
    }
    j.previous = c;
    if (characterClasses().unusual(c)) {
        ++j.unusual;
        return;
    }
    if (isNeutralSymbol(c)) {
        return;
    }
    ++j.characters;
    if (isChineseCharacter(c)) {
        ++j.chinese;
        if (isHan(c)) {
            ++j.han;
        }
        if ((c < 0x10000 && commonHanCharacters()[c]) ||
            characterClasses().standardBeyondGb2312(c)) {
            ++j.common;
        }
    }
}

ReadingJudgement judgeUtf8(std::string_view bytes) {
    ReadingJudgement j;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (const auto b = static_cast<unsigned char>(bytes[pos]); b < 0x80) {
            judgeAscii(b, j);
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const char32_t c = nextCodePoint(bytes, pos);
        if (c == kReplacement && pos - start == 1) {
            ++j.unusual;
            j.previous = c;
        } else {
            judgeCharacter(c, j);
        }
    }
    return j;
}

ReadingJudgement judgeDecoded(TextEncoding encoding, std::string_view bytes, bool complete) {
    TextDecoder decoder(encoding);
    std::string utf8;
    decoder.decode(bytes, complete, utf8);
    ReadingJudgement j;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (const auto b = static_cast<unsigned char>(utf8[pos]); b < 0x80) {
            judgeAscii(b, j);
            ++pos;
            continue;
        }
        const char32_t c = nextCodePoint(utf8, pos);
        if (c != kReplacement) {
            judgeCharacter(c, j);
        } else {
            j.previous = c;
        }
    }
    j.unusual += static_cast<long long>(decoder.invalidBytes());
    return j;
}

// A clean UTF-8 reading yields to a clean GB18030 reading only when that one is clearly more
// Chinese: GBK bytes that happen to be valid UTF-8 read as letters of other scripts (a far smaller
// share of Chinese characters) or as rare characters beyond the basic plane where the GB18030
// reading gives only common Han characters (a far greater share of common ones). The GB18030
// reading of UTF-8 Chinese mixes in rare characters.
bool clearlyMoreChinese(const ReadingJudgement& gb, const ReadingJudgement& utf8) {
    constexpr double kClearly = 0.5;
    if (gb.chineseShare() >= utf8.chineseShare() + kClearly) {
        return true;
    }
    return gb.han > 0 && gb.common == gb.han && gb.commonShare() >= utf8.commonShare() + kClearly;
}

}  // namespace

EncodingChoice judgeEncoding(std::string_view sample, bool complete) {
    if (sample.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        return {TextEncoding::Utf8, kUtf8Mark.size()};
    }
    if (sample.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) {
        return {TextEncoding::Utf16Le, kUtf16LeMark.size()};
    }
    if (sample.substr(0, kUtf16BeMark.size()) == kUtf16BeMark) {
        return {TextEncoding::Utf16Be, kUtf16BeMark.size()};
    }
    if (sample.substr(0, kGb18030Mark.size()) == kGb18030Mark) {
        return {TextEncoding::Gb18030, kGb18030Mark.size()};
    }
    const ReadingJudgement utf8 =
        judgeUtf8(complete ? sample : sample.substr(0, utf8CutPoint(sample)));
    // A UTF-8 reading made only of common Chinese characters cannot be beaten.
    if (utf8.clean() && utf8.common == utf8.characters) {
        return {TextEncoding::Utf8, 0};
    }
    const ReadingJudgement gb = judgeDecoded(TextEncoding::Gb18030, sample, complete);
    if (utf8.clean()) {
        return {
            gb.clean() && clearlyMoreChinese(gb, utf8) ? TextEncoding::Gb18030 : TextEncoding::Utf8,
            0};
    }
    if (gb.clean()) {
        return {TextEncoding::Gb18030, 0};
    }
    // Both readings hold unusual characters: common characters count for a reading, unusual ones
    // against it.
    const bool utf8Wins = utf8.common - utf8.unusual >= gb.common - gb.unusual;
    return {utf8Wins ? TextEncoding::Utf8 : TextEncoding::Gb18030, 0};
}

TextDecoder::TextDecoder(TextEncoding encoding) : encoding_(encoding) {}

TextDecoder::~TextDecoder() {
    if (iconv_ != nullptr) {
        converters.give(decoderSlot(encoding_), static_cast<iconv_t>(iconv_));
    }
}

void TextDecoder::decode(std::string_view bytes, bool last, std::string& out) {
    if (!carry_.empty()) {
        work_.assign(carry_);
        work_.append(bytes);
        carry_.clear();
        bytes = work_;
    }
    if (encoding_ == TextEncoding::Utf8) {
        decodeUtf8(bytes, last, out);
    } else {
        decodeWithIconv(bytes, last, out);
    }
}

void TextDecoder::decodeUtf8(std::string_view bytes, bool last, std::string& out) {
    const std::size_t cut = last ? bytes.size() : utf8CutPoint(bytes);
    const std::string_view whole = bytes.substr(0, cut);
    if (isValidUtf8(whole)) {
        out.append(whole);
    } else {
        std::size_t pos = 0;
        while (pos < whole.size()) {
            const std::size_t start = pos;
            const char32_t c = nextCodePoint(whole, pos);
            if (c == kReplacement && pos - start == 1) {
                ++invalid_;
                out.append(kReplacementUtf8);
            } else {
                out.append(whole.substr(start, pos - start));
            }
        }
    }
    carry_.assign(bytes.substr(cut));
}

void TextDecoder::decodeWithIconv(std::string_view bytes, bool last, std::string& out) {
    if (iconv_ == nullptr && !iconvFailed_) {
        const iconv_t cd = converters.take(decoderSlot(encoding_), "UTF-8", iconvName(encoding_));
        if (cd == noIconv()) {
            iconvFailed_ = true;
        } else {
            iconv_ = cd;
        }
    }
    if (iconvFailed_) {
        // Without the converter only ASCII can be read.
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80) {
                out.push_back(c);
            } else {
                ++invalid_;
                out.append(kReplacementUtf8);
            }
        }
        return;
    }
    const auto cd = static_cast<iconv_t>(iconv_);
    const std::size_t unit =
        encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be ? 2 : 1;
    char* inPtr = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[16384];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        if (errno == EINVAL && !last) {
            // A sequence that the next piece completes.
            carry_.assign(inPtr, inLeft);
            return;
        }
        // EILSEQ, or a sequence cut off at the very end: replace one unit and go on.
        const std::size_t skip = std::min(unit, inLeft);
        out.append(kReplacementUtf8);
        invalid_ += skip;
        inPtr += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

DecodedText decodeText(std::string_view bytes) {
    const EncodingChoice choice =
        judgeEncoding(bytes.substr(0, kEncodingSampleBytes), bytes.size() <= kEncodingSampleBytes);
    TextDecoder decoder(choice.encoding);
    DecodedText result;
    result.utf8.reserve(bytes.size() * 3 / 2 + 16);
    decoder.decode(bytes.substr(choice.markLength), true, result.utf8);
    result.hadInvalidBytes = decoder.invalidBytes() > 0;
    return result;
}

std::string encodeGb18030(std::string_view utf8) {
    const iconv_t cd = converters.take(kEncoderSlot, "GB18030", "UTF-8");
    if (cd == noIconv()) {
        return std::string(utf8);
    }
    std::string out;
    out.reserve(utf8.size());
    char* inPtr = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char buffer[16384];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // Input comes from our own UTF-8 texts; a stray bad byte is written as "?".
            out.push_back('?');
            ++inPtr;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    converters.give(kEncoderSlot, cd);
    return out;
}

std::vector<std::string_view> splitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

bool hasControlCharacters(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x20 || b == 0x7F) {
            return true;
        }
        // C1 controls U+0080..U+009F are C2 80..C2 9F in UTF-8.
        if (b == 0xC2 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace norlune
