// The streaming line reader where its pieces meet: the fuzzed bytes are placed across the end of
// the judged first bytes (1 MiB) or across the end of a 64 KiB piece, after lines of plain text,
// and the reader must give the lines of the whole text decoded at once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "textio/text_reader.h"

using norlune::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    // Byte 0: which edge (the judged sample's end, or the end of one of the first pieces after it);
    // byte 1: how far before the edge the fuzzed bytes start; byte 2: the padding's line length
    // (3000
    // to 4020 bytes, below the longest line the reader keeps).
    const std::size_t edgeChoice = data[0] % 4;
    const std::size_t edge =
        edgeChoice == 0 ? norlune::kEncodingSampleBytes
                        : norlune::kEncodingSampleBytes + edgeChoice * (std::size_t{1} << 16);
    const std::size_t before = data[1] % 64 + 1;
    // Long padding lines keep the number of lines, and so the cost of a run, small.
    const std::size_t lineLength = 3000 + static_cast<std::size_t>(data[2]) * 4;
    const std::string_view fuzzed(reinterpret_cast<const char*>(data + 3), size - 3);

    const std::size_t paddingSize = edge > before ? edge - before : 0;
    std::string bytes;
    bytes.reserve(paddingSize + fuzzed.size());
    while (bytes.size() < paddingSize) {
        const std::size_t room = paddingSize - bytes.size();
        const std::size_t take = std::min(room, lineLength + 1);
        bytes.append(take - 1, 'a');
        bytes.push_back('\n');
    }
    bytes.append(fuzzed);

    // The reference: the whole text decoded at once in the encoding the reader chose (judging it a
    // second time would double the cost of a run).
    norlune::TextLineReader reader(norlune::memorySource(bytes));
    // The reader knows it has the whole text only when its sample came out short: a text of
    // exactly the sample's size is judged as one that goes on.
    const norlune::EncodingChoice choice =
        norlune::judgeEncoding(std::string_view(bytes).substr(0, norlune::kEncodingSampleBytes),
                               bytes.size() < norlune::kEncodingSampleBytes);
    check(choice.encoding == reader.encoding(), "the reader judged another encoding");
    norlune::TextDecoder decoder(choice.encoding);
    std::string text;
    decoder.decode(std::string_view(bytes).substr(choice.markLength), true, text);
    const auto lines = norlune::splitTextLines(text);
    std::string line;
    std::size_t index = 0;
    while (reader.next(line)) {
        check(index < lines.size(), "the reader gives more lines than the whole text has");
        if (reader.lastLineTooLong()) {
            check(lines[index].starts_with(line) &&
                      line.size() <= norlune::TextLineReader::kMaxLineBytes,
                  "a long line was cut wrongly");
        } else {
            check(line == lines[index], "the reader gives another line at a piece's edge");
        }
        ++index;
    }
    check(index == lines.size(), "the reader gives fewer lines than the whole text has");
    check(reader.invalidBytes() == decoder.invalidBytes(),
          "the reader and the whole decoding disagree about undecodable bytes");
    check(reader.readError() == 0, "reading memory failed");
    return 0;
}
