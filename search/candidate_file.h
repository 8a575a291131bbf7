#pragma once
// Candidate files: M.dat (boys) and F.dat (girls) beside the program. Line 1 is the expected number
// of candidates, which only serves the progress display; then one candidate given name per line.
// The file is read as a stream: memory does not grow with its size.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "textio/text_reader.h"

namespace norlune {

// The candidate file of a sex in a directory.
std::string candidateFilePath(const std::string& directory, bool female);

// The leading number of a header line, read the way a BASIC Val reads it: blanks and tabs anywhere
// are skipped, reading stops at the first character that cannot continue a decimal number, and a
// line without a number reads as 0.
double headerValue(std::string_view line);

class CandidateFile {
public:
    // Opens the file and reads its header line. On failure returns nothing and sets `message` to a
    // Chinese text naming the path and the reason; `warning` is set when the file's first bytes had
    // bytes that could not be decoded.
    static std::optional<CandidateFile> open(const std::string& path, std::string& message,
                                             std::string& warning);
    // The same over bytes in memory (nothing when there is not even a header line).
    static std::optional<CandidateFile> fromBytes(std::string bytes);

    double header() const { return header_; }
    bool atEnd() { return reader_.atEnd(); }
    // Reads the next candidate line (without its line end) into `line`; false at the end.
    bool next(std::string& line) { return reader_.next(line); }
    // The line just read was longer than any name and was cut.
    bool lastLineTooLong() const { return reader_.lastLineTooLong(); }
    // Counts the candidate lines in a separate pass over the file, keeping none of them.
    std::size_t countCandidates() const;

    const TextLineReader& reader() const { return reader_; }

private:
    explicit CandidateFile(TextLineReader reader) : reader_(std::move(reader)) {}
    static std::optional<CandidateFile> withHeader(TextLineReader reader);

    TextLineReader reader_;
    double header_ = 0;
};

}  // namespace norlune
