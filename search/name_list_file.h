#pragma once
// Name-list files: line 1 the surname of the list, then one list entry per line, exactly as the
// list shows it. Written as GB18030 (GBK for every GBK character) with CR LF; read as UTF-8,
// GB18030 or UTF-16 (see textio/text_encoding.h).
#include <optional>
#include <string>
#include <vector>

#include "textio/file_writer.h"
#include "textio/text_reader.h"

namespace norlune {

struct NameList {
    std::string Gxing;
    std::vector<std::string> entries;
};

// Writes the list; an empty list writes nothing. Returns an empty text on success (or when there
// was nothing to write), else a Chinese message; an existing file is only replaced once the new one
// is complete.
// A read-only file is replaced only with ReadOnlyTarget::Replace.
std::string exportNameList(const std::string& path, const NameList& list,
                           ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);

struct NameListImport {
    std::optional<NameList> list;  // nothing when the file could not be used
    std::string message;           // why not, or a warning about undecodable bytes
};

// Reads the file line by line: line 1 is the surname, unchanged; every further non-empty line is an
// entry, unchanged. Lines with control characters, or longer than any list entry, are skipped and
// counted in the message. A missing, unreadable or completely empty file, or one whose first line
// has control characters, gives no list.
NameListImport importNameList(const std::string& path);
// The same over any line reader (bytes in memory, for instance); `path` only names it in messages.
NameListImport readNameList(TextLineReader reader, const std::string& path);
// The bytes that exportNameList writes for a list.
std::string nameListBytes(const NameList& list);

}  // namespace norlune
