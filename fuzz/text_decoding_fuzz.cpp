// Text decoding and line splitting: any bytes decode to valid UTF-8, the lines cover the text
// without a line end inside any of them, and the streaming line reader agrees.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/utf8.h"
#include "fuzz/fuzz_support.h"
#include "textio/text_reader.h"

using norlune::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const norlune::DecodedText decoded = norlune::decodeText(bytes);
    check(norlune::isValidUtf8(decoded.utf8), "decoded text is not valid UTF-8");
    check(!bytes.empty() || decoded.utf8.empty(), "no bytes decoded to some text");

    const std::string_view text = decoded.utf8;
    std::size_t lineChars = 0;
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++lineEnds;
        }
    }
    const auto lines = norlune::splitTextLines(text);
    const char* previousEnd = text.data();
    for (std::string_view line : lines) {
        check(line.find_first_of("\r\n") == std::string_view::npos, "a line holds a line end");
        check(line.data() >= previousEnd && line.data() + line.size() <= text.data() + text.size(),
              "a line lies outside the text or out of order");
        previousEnd = line.data() + line.size();
        lineChars += line.size();
    }
    // Every line end closes one line; text after the last line end is one more line.
    const bool openLast = !text.empty() && text.back() != '\n' && text.back() != '\r';
    check(lines.size() == lineEnds + (openLast ? 1 : 0), "wrong number of lines");
    check(lineChars <= text.size(), "lines longer than the text");

    // The line reader, which decodes a piece at a time, gives the same lines; of a line longer
    // than it keeps, it gives the start.
    norlune::TextLineReader reader(norlune::memorySource(std::string(bytes)));
    std::string line;
    std::size_t index = 0;
    while (reader.next(line)) {
        check(index < lines.size(), "the line reader gives more lines");
        if (reader.lastLineTooLong()) {
            check(lines[index].starts_with(line), "the line reader cut a line wrongly");
        } else {
            check(line == lines[index], "the line reader gives another line");
        }
        ++index;
    }
    check(index == lines.size(), "the line reader gives fewer lines");
    return 0;
}
