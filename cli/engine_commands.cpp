#include <algorithm>
#include <array>
#include <functional>
#include <ostream>
#include <string>

#include "cli/cli.h"
#include "engine/name_engine.h"
#include "engine/name_report.h"
#include "engine/utf8.h"
#include "names/name_meanings.h"
#include "sound/sound_analysis.h"

namespace norlune::cli {
namespace {

constexpr std::array<std::string_view, 8> kCommands = {"strokes", "trad",   "element", "grids",
                                                       "score",   "report", "sound",   "meaning"};

struct EngineContext {
    NameTables tables = FillNameTables();
    ElementCharacterLists elements = FillElementLists(tables.traditional);
    NameEngine engine{tables, elements};
};

bool isElementText(std::string_view text) {
    const std::u32string chars = utf8ToU32(text);
    if (chars.empty()) {
        return false;
    }
    for (char32_t ch : chars) {
        if (std::u32string_view(U"金木水火土").find(ch) == std::u32string_view::npos) {
            return false;
        }
    }
    return true;
}

// Checks the surname and given name of grids, score, report, sound and meaning.
bool checkName(const ParsedArgs& parsed, std::string_view command, Io& io, int& exitCode) {
    if (parsed.positional.size() != 2) {
        exitCode = usageError(io, std::string(command) + " 需要两个参数：姓 名");
        return false;
    }
    if (!checkNamePart(parsed.positional[0], true, io) ||
        !checkNamePart(parsed.positional[1], false, io)) {
        exitCode = kExitUsage;
        return false;
    }
    return true;
}

bool readOptions(const ParsedArgs& parsed, AnalyzeOptions& options, Io& io, int& exitCode) {
    options.bFamale = parsed.has("--female");
    if (const std::string* need = parsed.value("--need")) {
        if (!isElementText(*need)) {
            exitCode = usageError(io, "--need 的取值只能由金木水火土组成");
            return false;
        }
        options.bShenChen = true;
        options.sNeedWx = *need;
    }
    return true;
}

int perCharacter(const std::string& text, Io& io,
                 const std::function<std::string(char32_t)>& describe) {
    if (!isValidUtf8(text)) {
        return usageError(io, "文字含有无法识别的字符");
    }
    for (char32_t ch : utf8ToU32(text)) {
        std::string line;
        appendUtf8(line, ch);
        writeAsGiven(io.out, line);  // the character as the user typed it
        io.out << '\t' << describe(ch) << '\n';
    }
    return kExitOk;
}

// The name in what the name commands write stays as the user typed it: the full name and its
// traditional form (the report's title), a surname or given name of two characters, each piece of
// the name in quotes (the sound analysis quotes them) and each given character before "：" (the
// lines of meanings). A single character is not kept everywhere: the texts around the name may
// hold it in a word of their own.
void keepName(Io& io, const TraditionalMap& traditional, std::string_view surname,
              std::string_view given) {
    const std::string full = std::string(surname) + std::string(given);
    io.keep(full);
    io.keep(traditional.GbToBig(full));
    if (codePointCount(surname) > 1) {
        io.keep(surname);
    }
    if (codePointCount(given) > 1) {
        io.keep(given);
    }
    const std::u32string chars = utf8ToU32(full);
    for (std::size_t start = 0; start < chars.size(); ++start) {
        for (std::size_t length = 1; start + length <= chars.size(); ++length) {
            io.keep("“" + u32ToUtf8(chars.substr(start, length)) + "”");
        }
    }
    for (char32_t ch : utf8ToU32(given)) {
        std::string prefix;
        appendUtf8(prefix, ch);
        io.keep(prefix + "：");
    }
}

}  // namespace

bool isEngineCommand(std::string_view command) {
    return std::find(kCommands.begin(), kCommands.end(), command) != kCommands.end();
}

int runEngineCommand(std::string_view command, std::span<const std::string> args, Io& io) {
    static constexpr std::array<std::string_view, 1> kNameFlags = {"--female"};
    static constexpr std::array<std::string_view, 1> kNameValued = {"--need"};
    const bool nameCommand = command == "score" || command == "report";
    ParsedArgs parsed;
    if (!parseArgs(args,
                   nameCommand ? std::span<const std::string_view>(kNameFlags)
                               : std::span<const std::string_view>(),
                   nameCommand ? std::span<const std::string_view>(kNameValued)
                               : std::span<const std::string_view>(),
                   parsed, io)) {
        return kExitUsage;
    }

    const EngineContext ctx;
    if (command == "strokes" || command == "trad" || command == "element") {
        if (parsed.positional.size() != 1) {
            return usageError(io, std::string(command) + " 需要一个参数：文字");
        }
        const std::string& text = parsed.positional[0];
        if (!checkText(text, io)) {
            return kExitUsage;
        }
        if (command == "trad") {
            if (!isValidUtf8(text)) {
                return usageError(io, "文字含有无法识别的字符");
            }
            // The name data's own traditional form: shown as it is in either interface.
            writeAsGiven(io.out, ctx.tables.traditional.GbToBig(text));
            io.out << '\n';
            return kExitOk;
        }
        if (command == "strokes") {
            return perCharacter(text, io, [&](char32_t ch) {
                const auto count = ctx.tables.strokes.getnum(ch);
                return count ? std::to_string(*count) : std::string("-");
            });
        }
        return perCharacter(text, io, [&](char32_t ch) {
            const std::string_view element = ctx.elements.ElementOfCharacter(ch);
            return element.empty() ? std::string("-") : std::string(element);
        });
    }

    int exitCode = kExitOk;
    if (!checkName(parsed, command, io, exitCode)) {
        return exitCode;
    }
    const std::string& surname = parsed.positional[0];
    const std::string& given = parsed.positional[1];
    keepName(io, ctx.tables.traditional, surname, given);
    // The meaning of the characters needs no count; every judgement does.
    if (command != "meaning" && !checkCountable(ctx.tables.strokes, {surname, given}, io)) {
        return kExitUsage;
    }
    if (command == "sound") {
        const SoundTables sound = SoundTables::builtIn(ctx.tables.traditional);
        const ZhuyinOrder order =
            io.script == Script::Hant ? ZhuyinOrder::BeforePinyin : ZhuyinOrder::AfterPinyin;
        for (const std::string& line :
             soundLines(sound, analyzeSound(sound, surname, given), order)) {
            io.out << line << '\n';
        }
        return kExitOk;
    }
    if (command == "meaning") {
        for (const std::string& line :
             meaningLines(NameMeanings::builtIn(ctx.tables.traditional), given)) {
            io.out << line << '\n';
        }
        return kExitOk;
    }
    if (command == "grids") {
        const FiveGrids g = ComputeFiveGrids(ctx.tables.strokes, surname, given).grids;
        io.out << g.heaven << ' ' << g.person << ' ' << g.earth << ' ' << g.total << ' ' << g.outer
               << ' ' << threeTalentKey(g) << '\n';
        return kExitOk;
    }
    AnalyzeOptions options;
    if (!readOptions(parsed, options, io, exitCode)) {
        return exitCode;
    }
    options.bShowInfo = command == "report";
    const NameAnalysis analysis = ctx.engine.AnalyzeName(surname, given, options);
    if (command == "score") {
        io.out << analysis.score.toString() << '\n';
    } else {
        std::string report = analysis.report;
        appendSoundSection(
            SoundTables::builtIn(ctx.tables.traditional), surname, given, report,
            io.script == Script::Hant ? ZhuyinOrder::BeforePinyin : ZhuyinOrder::AfterPinyin);
        appendMeaningSection(NameMeanings::builtIn(ctx.tables.traditional), given, report);
        writeReportLines(io.out, report);
    }
    return kExitOk;
}

}  // namespace norlune::cli
