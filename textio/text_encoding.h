#pragma once
// Text files that users and other programs exchange (candidate files, name lists). A byte-order
// mark decides the encoding (UTF-8, UTF-16 LE or BE); without one, the file's first bytes are read
// both as UTF-8 and as GB18030 (a superset of GBK) and the reading that gives Chinese text wins.
// Files are read as a stream of lines, so memory does not grow with the file, and written as
// GB18030 with CR LF. This is the one place that calls iconv.
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

// Judges the encoding of a text from its first bytes. Without a byte-order mark both readings are
// judged by their characters: bad ones (bytes it cannot decode, letters of scripts other than
// Chinese: GBK names read as UTF-8 give Latin, Hebrew or Arabic letters, UTF-8 read as GBK gives
// private-use characters) and common Han characters. A clean UTF-8 reading wins, then a clean
// GB18030 reading, then the reading with more common characters less bad ones (UTF-8 on a tie).
// `complete` says the sample is the whole text; otherwise a sequence cut at its end is not judged.
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

// Where a line reader takes its bytes from: an open regular file or bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes; returns 0 at the end. A failed read returns 0 and sets error().
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    // A second, independent source over the same bytes from their start (nothing on failure).
    virtual std::unique_ptr<ByteSource> fromStart() const = 0;
    int error() const { return error_; }

protected:
    int error_ = 0;  // errno of a failed read
};

std::unique_ptr<ByteSource> memorySource(std::string bytes);

enum class FileStatus { Ok, NotFound, Unreadable };

struct OpenedFile {
    FileStatus status = FileStatus::Ok;
    std::string reason;  // for Unreadable: why, in Chinese (a folder, no permission, …)
    std::unique_ptr<ByteSource> source;
};

// Opens a file for reading. Anything but a regular file (a folder, a pipe, a device) is refused at
// once, without reading from it or waiting for it.
OpenedFile openForReading(const std::string& path);

// Reads a text as lines of UTF-8, a piece at a time: memory stays bounded whatever the size of the
// text. The encoding is judged on the first bytes when the reader is made.
class TextLineReader {
public:
    // A line longer than this is cut here and reported by lastLineTooLong().
    static constexpr std::size_t kMaxLineBytes = 4096;

    explicit TextLineReader(std::unique_ptr<ByteSource> source);
    TextLineReader(TextLineReader&&) noexcept;
    TextLineReader& operator=(TextLineReader&&) noexcept;
    ~TextLineReader();

    // True when no further line follows.
    bool atEnd();
    // Reads the next line, without its line end, into `line`; false (and `line` empty) at the end.
    bool next(std::string& line);
    bool lastLineTooLong() const { return lastTooLong_; }

    TextEncoding encoding() const { return choice_.encoding; }
    // Bytes replaced by U+FFFD so far, and how many of them lay in the judged first bytes.
    std::size_t invalidBytes() const;
    std::size_t invalidBytesInSample() const { return invalidInSample_; }
    // errno of a failed read (the text then ends early), or 0.
    int readError() const;
    // A reader over the same text from its first line (nothing when the source cannot restart).
    std::unique_ptr<TextLineReader> fromStart() const;

private:
    bool fill();  // decodes one more piece into pending_; false when nothing is left

    std::unique_ptr<ByteSource> source_;
    EncodingChoice choice_;
    std::unique_ptr<TextDecoder> decoder_;
    std::string raw_;  // bytes read but not yet decoded
    bool sourceDone_ = false;
    bool decoderDone_ = false;
    std::string pending_;  // decoded text not yet returned as lines
    std::size_t pendingPos_ = 0;
    bool skipLf_ = false;  // the last line ended with CR: an LF right after it belongs to it
    bool lastTooLong_ = false;
    std::size_t invalidInSample_ = 0;
};

struct TextFileRead {
    FileStatus status = FileStatus::Ok;
    std::string reason;
    DecodedText text;
};

// Reads and decodes a whole (small) file.
TextFileRead readTextFile(const std::string& path);

// A Chinese text for an errno value of a failed read or write (磁盘已满, 没有写入权限, …).
std::string fileErrorReason(int error, bool writing);

// The lines as GB18030, each ended by CR LF: what writeTextFileAtomically writes. In the rare case
// that these bytes would be judged another encoding, GB18030's byte-order mark (84 31 95 33) comes
// first.
std::string textFileBytes(const std::vector<std::string>& lines);

// Writes the lines as GB18030, each ended by CR LF, into a new temporary file in the target's
// folder that replaces the target only once everything is written and synced; a failure leaves an
// existing file untouched. A symbolic link at `path` is written through to the file it points to.
// The new file keeps an existing target's permissions. Returns an empty text on success, else a
// Chinese message with the reason.
std::string writeTextFileAtomically(const std::string& path, const std::vector<std::string>& lines);
// The same in UTF-8 after a byte-order mark (for spreadsheet programs).
std::string writeUtf8TextFileAtomically(const std::string& path,
                                        const std::vector<std::string>& lines);
// Writes bytes in the same safe way.
std::string writeBytesAtomically(const std::string& path, const std::string& bytes);

// How many temporary names a write tries before it gives up.
inline constexpr unsigned kTemporaryAttempts = 16;
// The temporary name of the given attempt for a target (a hidden file beside it).
std::string temporaryPathFor(const std::string& target, unsigned attempt);

}  // namespace norlune
