#pragma once
// Candidate files: M.dat (boys) and F.dat (girls) beside the program. Line 1 is the expected number
// of candidates, which only serves the progress display; then one candidate given name per line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norlune {

// The candidate file of a sex in a directory.
std::string candidateFilePath(const std::string& directory, bool female);

// The leading number of a header line, read the way a BASIC Val reads it: blanks and tabs anywhere
// are skipped, reading stops at the first character that cannot continue a decimal number, and a
// line without a number reads as 0.
double headerValue(std::string_view line);

class CandidateFile {
public:
    // Reads and decodes the whole file. On failure returns nothing and sets `message` to a Chinese
    // text naming the path; `warning` is set when the file had bytes that could not be decoded.
    static std::optional<CandidateFile> open(const std::string& path, std::string& message,
                                             std::string& warning);
    static CandidateFile fromText(std::string text);

    double header() const { return header_; }
    std::size_t candidateCount() const { return lines_.size(); }
    bool atEnd() const { return next_ >= lines_.size(); }
    // The next candidate line (without its line end); valid while the file lives.
    std::string_view next() { return lines_[next_++]; }

private:
    std::string text_;
    std::vector<std::string_view> lines_;  // the candidate lines, after the header
    std::size_t next_ = 0;
    double header_ = 0;
};

}  // namespace norlune
