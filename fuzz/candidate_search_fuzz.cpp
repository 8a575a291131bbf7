// A candidate file and a whole search run over it, as the start command runs it. The first byte
// turns the options on (the sound options, the limit per first character), the settings come from
// the last bytes of the input, the file is the rest, so a real candidate file after one byte is a
// good seed.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/element_lists.h"
#include "engine/name_engine.h"
#include "engine/utf8.h"
#include "fuzz/fuzz_support.h"
#include "search/name_search.h"
#include "sound/sound_tables.h"
#include "textio/text_encoding.h"

using norlune::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const norlune::NameTables tables = norlune::FillNameTables();
    static const norlune::ElementCharacterLists elements = norlune::FillElementLists();
    static const norlune::NameEngine engine(tables, elements);
    static constexpr std::array<const char*, 6> kSurnames = {"王",   "李", "欧阳",
                                                             "司马", "张", "〇"};
    static constexpr std::array<const char*, 6> kCharacters = {"", "明", "华", "国", "子", "𠀀"};

    static const norlune::SoundTables sound = norlune::SoundTables::builtIn();

    if (size == 0) {
        return 0;
    }
    // Bit 0 and 1: the sound options; bits 2 to 5: the variety limit (0 to 10).
    const unsigned options = data[0];
    FuzzedDataProvider provider(data + 1, size - 1);
    norlune::SearchSettings settings;
    settings.cleanSound = (options & 1u) != 0;
    settings.standardChars = (options & 2u) != 0;
    const int variety = static_cast<int>((options >> 2) & 0xFu) % 11;
    settings.surname = kSurnames[provider.ConsumeIntegralInRange<std::size_t>(0, 5)];
    settings.female = provider.ConsumeBool();
    settings.nameLength = provider.ConsumeIntegralInRange(0, 2);
    settings.left = kCharacters[provider.ConsumeIntegralInRange<std::size_t>(0, 5)];
    settings.right = kCharacters[provider.ConsumeIntegralInRange<std::size_t>(0, 5)];
    settings.either = provider.ConsumeBool();
    const int listNum = provider.ConsumeBool() ? 100 : 10000;
    const std::string path =
        norlune::fuzz::writeScratchFile("M.dat", provider.ConsumeRemainingBytesAsString());

    norlune::NameSearch search(engine, &sound);
    search.setListNum(listNum);
    search.setVarietyLimit(variety);
    const auto start = search.start(settings, norlune::fuzz::scratchDirectory(), path);
    if (start.kind != norlune::NameSearch::StartResult::Kind::Searching) {
        return 0;
    }
    long long steps = 0;
    for (;;) {
        const norlune::NameSearch::Step step = search.step();
        if (step.endOfFile) {
            break;
        }
        ++steps;
        check(!step.progress || (*step.progress >= 0 && *step.progress <= 1000),
              "progress out of range");
        if (step.label1) {
            check(step.label1->starts_with(settings.surname), "a full name without the surname");
            check(!norlune::hasControlCharacters(*step.label1),
                  "a shown name holds a control character");
            const std::string_view given =
                std::string_view(*step.label1).substr(settings.surname.size());
            const std::size_t length = norlune::codePointCount(given);
            check(norlune::isHanText(given) && length >= 1 && length <= 2,
                  "a shown name is not one or two Chinese characters");
            if (settings.standardChars) {
                for (char32_t c : norlune::utf8ToU32(given)) {
                    check(sound.standardLevel(c) > 0, "the standard-character option let one by");
                }
            }
        }
    }
    check(search.state().TestNum == steps, "TestNum differs from the candidates read");
    const std::vector<std::string> names = search.finish();
    check(names.size() <= static_cast<std::size_t>(listNum), "more names than ListNum");
    if (variety > 0) {
        // No first character of the given name is kept more often than the limit allows.
        std::vector<std::pair<char32_t, int>> firsts;
        for (const std::string& name : names) {
            const char32_t first = norlune::utf8ToU32(name.substr(settings.surname.size())).front();
            auto it = std::find_if(firsts.begin(), firsts.end(),
                                   [&](const auto& entry) { return entry.first == first; });
            if (it == firsts.end()) {
                firsts.emplace_back(first, 1);
            } else {
                check(++it->second <= variety, "more names of one first character than the limit");
            }
        }
    }
    for (const std::string& name : names) {
        check(name.starts_with(settings.surname) && name.size() > settings.surname.size(),
              "a listed name without the surname or a given name");
        check(norlune::isValidUtf8(name), "a listed name is not valid UTF-8");
        check(!norlune::hasControlCharacters(name), "a listed name holds a control character");
    }
    return 0;
}
