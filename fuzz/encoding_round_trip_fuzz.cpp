// The encoding judgement on lists that other programs write: a list of fuzzed names (characters of
// the general standard table, one to three a line, a few signs), written as UTF-8 and as GB18030
// without a byte-order mark, is read back by the judge exactly as written in both encodings. The
// writer's own files (with a mark where needed) read back too.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/utf8.h"
#include "fuzz/fuzz_support.h"
#include "sound/sound_tables.h"
#include "textio/file_writer.h"
#include "textio/text_encoding.h"

using norlune::fuzz::check;

namespace {

// The characters names are made of: the general standard table, in code point order.
const std::vector<char32_t>& standardCharacters() {
    static const std::vector<char32_t> characters = [] {
        const norlune::SoundTables sound = norlune::SoundTables::builtIn();
        std::vector<char32_t> found;
        for (char32_t c = 0x3400; c <= 0x323AF; ++c) {
            if (sound.standardLevel(c) > 0) {
                found.push_back(c);
            }
        }
        return found;
    }();
    return characters;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // No lone middle dot: its UTF-8 bytes are GBK's 路, which the judge rightly prefers.
    static constexpr const char* kSigns[] = {"—", "、", "（", "）", "〇", "…"};
    const std::vector<char32_t>& characters = standardCharacters();
    FuzzedDataProvider provider(data, size);
    const bool crLf = provider.ConsumeBool();
    const std::size_t lines = provider.ConsumeIntegralInRange<std::size_t>(1, 3);
    std::string text = std::to_string(lines) + (crLf ? "\r\n" : "\n");
    std::vector<std::string> written;
    for (std::size_t line = 0; line < lines; ++line) {
        std::string name;
        const std::size_t length = provider.ConsumeIntegralInRange<std::size_t>(1, 2);
        for (std::size_t i = 0; i < length; ++i) {
            const auto pick = provider.ConsumeIntegralInRange<std::size_t>(
                0, characters.size() + std::size(kSigns) - 1);
            if (pick < characters.size()) {
                norlune::appendUtf8(name, characters[pick]);
            } else {
                name += kSigns[pick - characters.size()];
            }
        }
        written.push_back(name);
        text += name + (crLf ? "\r\n" : "\n");
    }
    const bool utf8Read = norlune::decodeText(text).utf8 == text;
    const bool gbRead = norlune::decodeText(norlune::encodeGb18030(text)).utf8 == text;
    if (!utf8Read || !gbRead) {
        std::fprintf(stderr, "the list: %s\n", text.c_str());
    }
    check(utf8Read, "a UTF-8 list was misjudged");
    check(gbRead, "a GB18030 list was misjudged");
    // What the program writes itself always reads back, marked or not.
    written.insert(written.begin(), std::to_string(lines));
    std::string crLfText;
    for (const std::string& line : written) {
        crLfText += line + "\r\n";
    }
    check(norlune::decodeText(norlune::textFileBytes(written)).utf8 == crLfText,
          "a written list reads back otherwise");
    return 0;
}
