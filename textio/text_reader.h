#pragma once
// Reading the files users exchange: a byte source (an open regular file or bytes in memory), the
// line reader that judges the encoding on the first bytes and then decodes piece by piece, and the
// reading of a whole small file.
#include <cstddef>
#include <memory>
#include <string>

#include "textio/text_encoding.h"

namespace norlune {

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

}  // namespace norlune
