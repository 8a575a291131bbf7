#pragma once
// The encodings of the text files that users and other programs exchange (candidate files, name
// lists). A byte-order mark decides the encoding (UTF-8, UTF-16 LE or BE, GB18030); without one,
// the file's first bytes are read both as UTF-8 and as GB18030 (a superset of GBK) and the reading
// that gives Chinese text wins. This library (textio/) is the one place that calls iconv.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace norlune {

enum class TextEncoding { Utf8, Gb18030, Utf16Le, Utf16Be };

struct EncodingChoice {
    TextEncoding encoding = TextEncoding::Utf8;
    std::size_t markLength = 0;  // bytes of the byte-order mark that precede the text
};

// The encoding of a file is judged on its first bytes, up to this many.
inline constexpr std::size_t kEncodingSampleBytes = std::size_t{1} << 20;

// Judges the encoding of a text from its first bytes. A byte-order mark decides. Without one, the
// UTF-8 and the GB18030 reading are judged by their characters beyond ASCII: the share of Chinese
// ones and of common ones (those of GB 2312 and of the general standard table), and unusual ones
// that no name or list holds (undecodable bytes, unassigned and private-use code points, C1
// controls, box drawing, ASCII letters glued to them). A UTF-8 reading without unusual characters
// wins unless a GB18030 reading without them is clearly more Chinese; else a clean GB18030 reading
// wins; else the one with more common characters less unusual ones (UTF-8 on a tie). `complete`
// says the sample is the whole text; otherwise a sequence cut at its end is not judged.
EncodingChoice judgeEncoding(std::string_view sample, bool complete);

// Turns bytes of one encoding into UTF-8 piece by piece; a sequence split between two pieces is
// joined. A byte that cannot be decoded becomes U+FFFD and is counted.
class TextDecoder {
public:
    explicit TextDecoder(TextEncoding encoding);
    ~TextDecoder();
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;

    // Appends the UTF-8 of `bytes` to `out`; `last` says that no bytes follow.
    void decode(std::string_view bytes, bool last, std::string& out);
    std::size_t invalidBytes() const { return invalid_; }

private:
    void decodeUtf8(std::string_view bytes, bool last, std::string& out);
    void decodeWithIconv(std::string_view bytes, bool last, std::string& out);

    TextEncoding encoding_;
    void* iconv_ = nullptr;  // iconv_t, opened on first use
    bool iconvFailed_ = false;
    std::string carry_;  // an incomplete sequence at the end of the last piece
    std::string work_;   // carry_ joined with the next piece
    std::size_t invalid_ = 0;
};

struct DecodedText {
    std::string utf8;
    bool hadInvalidBytes = false;  // some bytes could not be decoded and were replaced by U+FFFD
};

// Judges and decodes a whole text held in memory.
DecodedText decodeText(std::string_view bytes);
// GB18030 bytes of a UTF-8 text; every Unicode character has a GB18030 form, so nothing is lost.
std::string encodeGb18030(std::string_view utf8);

// Lines of a decoded text: CR LF, a lone CR and a lone LF each end a line; a last line without a
// line end is still a line; a line end at the very end opens no further line.
std::vector<std::string_view> splitTextLines(std::string_view text);

// True when the text holds a control character (C0 including tab and NUL, DEL, C1): such text is
// never shown or printed.
bool hasControlCharacters(std::string_view utf8);

}  // namespace norlune
