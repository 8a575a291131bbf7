#pragma once
// The name report: the full analysis text of one name, and the reading of a name-list entry back
// into surname and given name.
#include <optional>
#include <string>
#include <string_view>

#include "engine/five_grids.h"
#include "engine/score.h"

namespace norlune {

struct NameTables;

// Appends s1 and CR LF.
void Adds(std::string_view s1, std::string& s);
// Appends s1 as lines, cut after each "。 " (the space opens the next piece and is trimmed away).
void Adds2(std::string_view s1, std::string& s);
// Appends s1 as lines, cut after each "）": one fortune category per line.
void Adds3(std::string_view s1, std::string& s);

struct NameReportInput {
    std::string_view surname;
    std::string_view givenName;
    Score score;
    FiveGrids grids;
    std::string_view surnameElement;  // element characters; empty where undetermined
    std::string_view firstElement;
    std::string_view lastElement;
};

// The report, lines ended by CR LF.
std::string buildNameReport(const NameTables& tables, const NameReportInput& in);

// The given name inside a name-list entry, for a list whose surname is `Gxing`: after the first ")"
// (skipping the surname's length), else before the first "=", else the entry's tail. Only the
// surname's length is used. Nothing when the entry cannot hold a given name after that surname.
std::optional<std::string> givenNameFromListEntry(std::string_view entry, std::string_view Gxing);

}  // namespace norlune
