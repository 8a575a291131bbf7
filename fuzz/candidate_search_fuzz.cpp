// A candidate file and a whole search run over it, as the start command runs it. The settings come
// from the last bytes of the input, the file is the rest, so a real candidate file is a good seed.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/element_lists.h"
#include "engine/name_engine.h"
#include "engine/utf8.h"
#include "fuzz/fuzz_support.h"
#include "search/name_search.h"
#include "search/text_file.h"

using norlune::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const norlune::NameTables tables = norlune::FillNameTables();
    static const norlune::ElementCharacterLists elements = norlune::FillElementLists();
    static const norlune::NameEngine engine(tables, elements);
    static constexpr std::array<const char*, 6> kSurnames = {"王",   "李", "欧阳",
                                                             "司马", "张", "〇"};
    static constexpr std::array<const char*, 6> kCharacters = {"", "明", "华", "国", "子", "𠀀"};

    FuzzedDataProvider provider(data, size);
    norlune::SearchSettings settings;
    settings.surname = kSurnames[provider.ConsumeIntegralInRange<std::size_t>(0, 5)];
    settings.female = provider.ConsumeBool();
    settings.nameLength = provider.ConsumeIntegralInRange(0, 2);
    settings.left = kCharacters[provider.ConsumeIntegralInRange<std::size_t>(0, 5)];
    settings.right = kCharacters[provider.ConsumeIntegralInRange<std::size_t>(0, 5)];
    settings.either = provider.ConsumeBool();
    const int listNum = provider.ConsumeBool() ? 100 : 10000;
    const std::string path =
        norlune::fuzz::writeScratchFile("M.dat", provider.ConsumeRemainingBytesAsString());

    norlune::NameSearch search(engine);
    search.setListNum(listNum);
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
        }
    }
    check(search.state().TestNum == steps, "TestNum differs from the candidates read");
    const std::vector<std::string> names = search.finish();
    check(names.size() <= static_cast<std::size_t>(listNum), "more names than ListNum");
    for (const std::string& name : names) {
        check(name.starts_with(settings.surname) && name.size() > settings.surname.size(),
              "a listed name without the surname or a given name");
        check(norlune::isValidUtf8(name), "a listed name is not valid UTF-8");
        check(!norlune::hasControlCharacters(name), "a listed name holds a control character");
    }
    return 0;
}
