#pragma once
// Text files that users and other programs exchange (candidate files, name lists). They are read as
// UTF-8 when they start with a UTF-8 byte-order mark or are valid UTF-8, and as GB18030 (a superset
// of GBK) otherwise; they are written as GB18030 with CR LF. This is the one place that calls
// iconv.
#include <string>
#include <string_view>
#include <vector>

namespace norlune {

struct DecodedText {
    std::string utf8;
    bool hadInvalidBytes = false;  // some bytes could not be decoded and were replaced by U+FFFD
};

DecodedText decodeText(std::string_view bytes);
// GB18030 bytes of a UTF-8 text; every Unicode character has a GB18030 form, so nothing is lost.
std::string encodeGb18030(std::string_view utf8);

// Lines of a decoded text: CR LF, a lone CR and a lone LF each end a line; a last line without a
// line end is still a line; a line end at the very end opens no further line.
std::vector<std::string_view> splitTextLines(std::string_view text);

enum class FileStatus { Ok, NotFound, Unreadable };

struct TextFileRead {
    FileStatus status = FileStatus::Ok;
    DecodedText text;
};

TextFileRead readTextFile(const std::string& path);

// Writes the lines as GB18030, each ended by CR LF, into a temporary file beside `path` that
// replaces `path` only once everything was written; a failure leaves an existing file untouched.
// Returns an empty text on success, else a Chinese message.
std::string writeTextFileAtomically(const std::string& path, const std::vector<std::string>& lines);
// The same in UTF-8 after a byte-order mark (for spreadsheet programs).
std::string writeUtf8TextFileAtomically(const std::string& path,
                                        const std::vector<std::string>& lines);

}  // namespace norlune
