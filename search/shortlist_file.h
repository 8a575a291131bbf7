#pragma once
// The shortlist ("备选名单") saved with a name list: a file beside the list file, named after it
// (名单.txt -> 名单.备选名单.txt), so that list files keep their form and older ones, which have no
// such file, import as before. Line 1 is the mark "备选名单"; then one name per line: surname, TAB,
// full name, TAB, "男" or "女" (the sex it was judged for). GB18030 with CR LF, like the lists.
#include <optional>
#include <string>
#include <vector>

#include "textio/file_writer.h"

namespace norlune {

struct ShortlistEntry {
    std::string surname;
    std::string fullName;
    bool female = false;
    friend bool operator==(const ShortlistEntry&, const ShortlistEntry&) = default;
};

inline constexpr const char* kShortlistMark = "备选名单";

// The shortlist file that belongs to a name-list file.
std::string shortlistPathFor(const std::string& listPath);

// Writes the shortlist beside the list file; an empty shortlist removes an earlier shortlist file
// there (only a file that carries the mark), so that a later import does not bring back names that
// were removed. Returns an empty text on success, else a Chinese message. A read-only shortlist
// file is replaced only with ReadOnlyTarget::Replace.
std::string saveShortlistFor(const std::string& listPath, const std::vector<ShortlistEntry>& names,
                             ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);

struct ShortlistLoad {
    std::vector<ShortlistEntry> names;  // empty when there is no shortlist file
    std::string message;                // a problem with a file that is there
};

// Reads the shortlist beside the list file; no file is no shortlist and no message. Lines that do
// not have the three fields are skipped.
ShortlistLoad loadShortlistFor(const std::string& listPath);

}  // namespace norlune
