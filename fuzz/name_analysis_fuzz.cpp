// The name analysis with its report: any surname, given name and favourable elements; the score of
// the report run equals the score of the search's fast path.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/element_lists.h"
#include "engine/name_engine.h"
#include "engine/utf8.h"
#include "fuzz/fuzz_support.h"

using norlune::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const norlune::NameTables tables = norlune::FillNameTables();
    static const norlune::ElementCharacterLists elements = norlune::FillElementLists();
    static const norlune::NameEngine engine(tables, elements);

    FuzzedDataProvider provider(data, size);
    norlune::AnalyzeOptions options;
    options.bFamale = provider.ConsumeBool();
    options.bShenChen = provider.ConsumeBool();
    options.sNeedWx = provider.ConsumeRandomLengthString(16);
    const std::string surname = provider.ConsumeRandomLengthString(16);
    const std::string given = provider.ConsumeRemainingBytesAsString();

    options.bShowInfo = true;
    const norlune::NameAnalysis withReport = engine.AnalyzeName(surname, given, options);
    check(!withReport.report.empty(), "the report is empty");
    check(withReport.Fbadn >= 0 && withReport.Fbadn <= 5, "Fbadn out of range");
    if (norlune::isValidUtf8(surname) && norlune::isValidUtf8(given) &&
        norlune::isValidUtf8(options.sNeedWx)) {
        check(norlune::isValidUtf8(withReport.report), "the report of UTF-8 input is not UTF-8");
    }
    options.bShowInfo = false;
    const norlune::NameAnalysis plain = engine.AnalyzeName(surname, given, options);
    check(plain.report.empty(), "a report without bShowInfo");
    check(plain.score == withReport.score, "the report changes the score");
    check(engine.scoreName(surname, given, options) == withReport.score,
          "the fast path scores differently");
    return 0;
}
