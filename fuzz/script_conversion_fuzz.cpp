// The conversion to the traditional interface: any bytes, with up to four kept strings. It never
// fails; UTF-8 stays UTF-8 with the same characters count and line ends; ASCII and the kept
// strings come out as they went in; the simplified interface copies the bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/utf8.h"
#include "fuzz/fuzz_support.h"
#include "script/interface_script.h"

using norlune::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const norlune::ScriptConverter& converter = norlune::ScriptConverter::builtIn();
    FuzzedDataProvider provider(data, size);
    std::vector<std::string> keepTexts(provider.ConsumeIntegralInRange<std::size_t>(0, 4));
    for (std::string& k : keepTexts) {
        k = provider.ConsumeRandomLengthString(12);
    }
    const std::string text = provider.ConsumeRemainingBytesAsString();
    const std::vector<std::string_view> keep(keepTexts.begin(), keepTexts.end());

    const std::string out = converter.toHant(text, keep);
    check(norlune::present(converter, norlune::Script::Hans, text, keep) == text,
          "the simplified interface changed the text");
    check(std::count(out.begin(), out.end(), '\n') == std::count(text.begin(), text.end(), '\n'),
          "the line ends changed");
    if (norlune::isValidUtf8(text)) {
        check(norlune::isValidUtf8(out), "UTF-8 in, not UTF-8 out");
        check(norlune::codePointCount(out) == norlune::codePointCount(text),
              "the number of characters changed");
    }
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        check(out == text, "ASCII changed");
    }
    if (!text.empty()) {
        const std::string_view whole[] = {text};
        check(converter.toHant(text, whole) == text, "a kept text was converted");
    }
    // Every kept string is kept where it stands at the start.
    for (std::string_view k : keep) {
        if (!k.empty() && text.starts_with(k) &&
            std::none_of(keep.begin(), keep.end(), [&](std::string_view other) {
                return other.size() > k.size() && text.starts_with(other);
            })) {
            check(out.starts_with(k), "a kept string at the start was converted");
        }
    }
    return 0;
}
