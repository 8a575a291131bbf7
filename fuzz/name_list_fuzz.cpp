// Name lists: whatever a file holds, importing it, exporting the list and importing that file
// again gives the same list.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "search/name_list_file.h"

using norlune::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string source = norlune::fuzz::writeScratchFile("list.txt", bytes);
    const norlune::NameListImport first = norlune::importNameList(source);
    if (!first.list || first.list->entries.empty()) {
        return 0;  // nothing that export would write
    }
    const std::string copy = norlune::fuzz::scratchDirectory() + "/copy.txt";
    const std::string message = norlune::exportNameList(copy, *first.list);
    check(message.empty(), "export of an imported list failed");
    const norlune::NameListImport second = norlune::importNameList(copy);
    check(second.list.has_value(), "an exported list could not be imported");
    check(second.list->Gxing == first.list->Gxing, "the surname changed on the way round");
    check(second.list->entries == first.list->entries, "the entries changed on the way round");
    return 0;
}
