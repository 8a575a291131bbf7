#pragma once
// Name-list files: line 1 the surname of the list, then one list entry per line, exactly as the
// list shows it. Written as GB18030 (GBK for every GBK character) with CR LF; read as UTF-8 or
// GB18030.
#include <optional>
#include <string>
#include <vector>

namespace norlune {

struct NameList {
    std::string Gxing;
    std::vector<std::string> entries;
};

// Writes the list; an empty list writes nothing. Returns an empty text on success (or when there
// was nothing to write), else a Chinese message; an existing file is only replaced once the new one
// is complete.
std::string exportNameList(const std::string& path, const NameList& list);

struct NameListImport {
    std::optional<NameList> list;  // nothing when the file could not be used
    std::string message;           // why not, or a warning about undecodable bytes
};

// Reads and decodes the whole file first: line 1 is the surname, unchanged; every further non-empty
// line is an entry, unchanged. A missing, unreadable or completely empty file gives no list.
NameListImport importNameList(const std::string& path);

}  // namespace norlune
