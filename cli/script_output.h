#pragma once
// The command line's output in the traditional interface: a stream buffer in front of the real
// stream that converts what a command writes, line by line, and leaves the names it keeps as given.
#include <ostream>
#include <span>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "script/interface_script.h"

namespace norlune::cli {

class ConvertingBuffer : public std::streambuf {
public:
    // `kept` holds the strings shown as given wherever they stand; it may grow while the buffer
    // lives (a command registers its names before it writes them).
    ConvertingBuffer(std::ostream& target, const ScriptConverter& converter,
                     const std::vector<std::string>& kept);
    ~ConvertingBuffer() override;
    ConvertingBuffer(const ConvertingBuffer&) = delete;
    ConvertingBuffer& operator=(const ConvertingBuffer&) = delete;

    // Converts what is pending, then `text` with the strings of `keep` (and the kept ones) as
    // given.
    void writeKeeping(std::string_view text, std::span<const std::string_view> keep);

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    // Converts and writes the pending text up to `end` (bytes).
    void convertPending(std::size_t end);
    void convertAndWrite(std::string_view text, std::span<const std::string_view> extra);

    std::ostream& target_;
    const ScriptConverter& converter_;
    const std::vector<std::string>& kept_;
    std::vector<std::string_view> keepViews_;
    std::string pending_;
};

}  // namespace norlune::cli
