#pragma once
// norlune-cli: the core without a window. Output lines end with LF. Exit status 0 on success, 2 on
// bad usage or bad input (one line on the error stream), 1 when a file cannot be read or written.
#include <initializer_list>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "script/interface_script.h"

namespace norlune {
class StrokeDictionary;
}

namespace norlune::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

struct Io {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;  // progress is shown only on a terminal
    std::string executableDir;   // where the candidate files lie
    // The script the locale asks for; --hant and --hans among the arguments decide over it. A
    // command finds here the script it runs in (to order or add lines for the traditional
    // interface); its texts are converted for it.
    Script script = Script::Hans;
    // With the traditional interface, the strings shown as given wherever they stand in what the
    // command writes after (null otherwise).
    std::vector<std::string>* kept = nullptr;

    // A name the user typed or a candidate file holds: shown as given in the rest of the output.
    void keep(std::string_view text) const {
        if (kept != nullptr && !text.empty()) {
            kept->emplace_back(text);
        }
    }
};

// Runs one command; args excludes the program name. Every argument but a file path must be
// UTF-8. When the output cannot be written (checked at the end), the exit status is 1. With the
// traditional interface (`--hant`, or io.script without `--hans`) everything written to io.out
// and io.err is converted, but for the strings the command keeps.
int run(std::span<const std::string> args, Io& io);

// Writes `text` to `stream` (io.out or io.err) with the strings of `keep` shown as given; in the
// simplified interface, simply writes it.
void writeKeeping(std::ostream& stream, std::string_view text,
                  std::span<const std::string_view> keep);
// Writes `text` as given (a name, a file's own data).
void writeAsGiven(std::ostream& stream, std::string_view text);

// Small helpers shared by the command groups.
struct ParsedArgs {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // name (with "--"), value or ""
    bool has(std::string_view name) const;
    const std::string* value(std::string_view name) const;
};

// Splits arguments into positionals and options; `valued` names the options that take a value.
// Returns false (and writes a message) for an unknown option or a missing value; a value never
// starts with "--".
bool parseArgs(std::span<const std::string> args, std::span<const std::string_view> flags,
               std::span<const std::string_view> valued, ParsedArgs& parsed, Io& io);

int usageError(Io& io, std::string_view message);

// A surname (surname = true) or a given name: one or two Chinese characters. Otherwise writes the
// usage message and returns false.
bool checkNamePart(std::string_view text, bool surname, Io& io);

// Names whose strokes can be counted: writes "无法计算笔画的字：" with every character of the parts
// that has no count, in order, as a usage message, and returns false when there is one.
bool checkCountable(const StrokeDictionary& strokes, std::initializer_list<std::string_view> parts,
                    Io& io);

// The text of the per-character commands: not empty, no control characters.
bool checkText(std::string_view text, Io& io);

// Writes a CR LF report with LF line ends.
void writeReportLines(std::ostream& out, std::string_view report);

// Columns of a terminal that a text takes: two for each East Asian wide character.
std::size_t displayWidth(std::string_view text);
// The rows as columns padded to a common display width, two spaces apart, LF after each row.
std::string alignedTable(const std::vector<std::vector<std::string>>& rows);

// Command groups.
int runEngineCommand(std::string_view command, std::span<const std::string> args, Io& io);
bool isEngineCommand(std::string_view command);
int runSearchCommand(std::span<const std::string> args, Io& io);
bool isSearchCommand(std::string_view command);
int runCompareCommand(std::span<const std::string> args, Io& io);
int runTwinsCommand(std::span<const std::string> args, Io& io);
int runCalendarCommand(std::string_view command, std::span<const std::string> args, Io& io);
bool isCalendarCommand(std::string_view command);

}  // namespace norlune::cli
