#pragma once
// A name judged for a table: one row of the spreadsheet export, of the shortlist window and of the
// command line's comparison. The CSV text follows RFC 4180 (fields with a comma, a quote or a line
// break are quoted, quotes doubled, CR LF after every line).
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/name_engine.h"

namespace norlune {

struct NameSheetRow {
    std::string fullName;
    std::string traditional;            // GbToBig of the full name
    Score score;                        // judged with the options given
    std::array<int, 5> grids{};         // heaven, person, earth, total, outer
    std::array<std::string, 5> grades;  // the numerology grade of each grid
    std::string threeTalentKey;         // 土金木
    std::string threeTalentGrade;
    std::string givenElements;  // the element of each given-name character, "无" for none
    // Whether both given-name characters belong to the favourable elements: only when the options
    // carry favourable elements (a birth moment was set).
    std::optional<bool> meetsFavourable;
    // What the name means and where it comes from, filled in by the caller that knows the names
    // table: the classical sources and the meanings of the given-name characters, one cell each.
    std::string sources;
    std::string meanings;
};

NameSheetRow judgeNameRow(const NameEngine& engine, std::string_view surname,
                          std::string_view givenName, const AnalyzeOptions& options);

// "15(大吉)": a grid number with its grade.
std::string gridWithGrade(int number, std::string_view grade);

// One CSV field, quoted when it needs to be; a field that starts with = + - @ or a tab gets an
// apostrophe in front, so that no spreadsheet program runs it as a formula.
std::string csvField(std::string_view text);

// The header line and one line per row, without line ends. The favourable column is there when
// `withFavourable`; the columns 出处 and 字义 close every line.
std::vector<std::string> nameSheetLines(const std::vector<NameSheetRow>& rows, bool withFavourable);

// The same lines, each ended by CR LF as RFC 4180 has it.
std::string nameSheetCsv(const std::vector<NameSheetRow>& rows, bool withFavourable);

// The UTF-8 byte-order mark that spreadsheet programs need to read a CSV file as UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace norlune
