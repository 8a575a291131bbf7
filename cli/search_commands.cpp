#include <array>
#include <charconv>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "engine/utf8.h"
#include "names/name_meanings.h"
#include "search/name_search.h"
#include "search/name_sheet.h"
#include "textio/visible_text.h"

namespace norlune::cli {
namespace {

bool oneCharacter(const std::string& text) {
    return isValidUtf8(text) && codePointCount(text) == 1;
}

bool elementText(const std::string& text) {
    if (text.empty() || !isValidUtf8(text)) {
        return false;
    }
    for (char32_t ch : utf8ToU32(text)) {
        if (std::u32string_view(U"金木水火土").find(ch) == std::u32string_view::npos) {
            return false;
        }
    }
    return true;
}

// The end of a run on the command line: the list is on standard output, not in a window.
constexpr std::string_view kCliSearchCompleteMessage =
    "测算完成。要查看某个名字的详细理数，请运行 norlune-cli report 姓 名。";

// Parses a whole number in [low, high]; false for anything else.
bool parseNumber(const std::string& text, int low, int high, int& number) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    return ec == std::errc() && ptr == text.data() + text.size() && number >= low && number <= high;
}

}  // namespace

bool isSearchCommand(std::string_view command) {
    return command == "search";
}

int runSearchCommand(std::span<const std::string> args, Io& io) {
    static constexpr std::array<std::string_view, 7> kFlags = {
        "--female",      "--either",         "--scores",     "--csv",
        "--clean-sound", "--standard-chars", "--avoid-sound"};
    static constexpr std::array<std::string_view, 10> kValued = {
        "--surname", "--length",     "--left", "--right",   "--top",
        "--need",    "--candidates", "--sort", "--variety", "--avoid"};
    ParsedArgs parsed;
    if (!parseArgs(args, kFlags, kValued, parsed, io)) {
        return kExitUsage;
    }
    if (!parsed.positional.empty()) {
        return usageError(io, "search 不接受多余的参数：" + parsed.positional.front());
    }
    SearchSettings settings;
    const std::string* surname = parsed.value("--surname");
    if (surname == nullptr) {
        return usageError(io, "search 需要 --surname 姓");
    }
    if (!checkNamePart(*surname, true, io)) {
        return kExitUsage;
    }
    settings.surname = *surname;
    settings.female = parsed.has("--female");
    settings.either = parsed.has("--either");
    settings.cleanSound = parsed.has("--clean-sound");
    settings.standardChars = parsed.has("--standard-chars");
    if (const std::string* length = parsed.value("--length")) {
        if (*length == "any") {
            settings.nameLength = 0;
        } else if (*length == "1") {
            settings.nameLength = 1;
        } else if (*length == "2") {
            settings.nameLength = 2;
        } else {
            return usageError(io, "--length 的取值只能是 any、1 或 2");
        }
    }
    for (const auto& [option, target] :
         {std::pair{"--left", &settings.left}, std::pair{"--right", &settings.right}}) {
        if (const std::string* value = parsed.value(option)) {
            if (!oneCharacter(*value)) {
                return usageError(io, std::string(option) + " 只能指定一个字");
            }
            if (!isHanText(*value)) {
                return usageError(io, std::string(option) + " 只能指定一个汉字");
            }
            *target = *value;
        }
    }
    if (settings.either && settings.left.empty() && settings.right.empty()) {
        return usageError(io, "--either 须与 --left 或 --right 一起使用");
    }
    if (const std::string* avoid = parsed.value("--avoid")) {
        if (!isValidUtf8(*avoid) || !isHanText(*avoid) ||
            codePointCount(*avoid) > AvoidFilter::kMaxCharacters) {
            return usageError(io, "--avoid 只能是 1 到 20 个汉字");
        }
        settings.avoid = *avoid;
    }
    settings.avoidSound = parsed.has("--avoid-sound");
    if (settings.avoidSound && settings.avoid.empty()) {
        return usageError(io, "--avoid-sound 须与 --avoid 一起使用");
    }
    int top = 100;
    if (const std::string* value = parsed.value("--top")) {
        if (!parseNumber(*value, 1, BestNameTable::kMaxSlots, top)) {
            return usageError(io, "--top 须为 1 到 10000 之间的整数");
        }
    }
    bool sortByScore = false;
    if (const std::string* value = parsed.value("--sort")) {
        if (*value != "score") {
            return usageError(io, "--sort 的取值只能是 score");
        }
        sortByScore = true;
    }
    int variety = 0;
    if (const std::string* value = parsed.value("--variety")) {
        if (!parseNumber(*value, 0, BestNameTable::kMaxVariety, variety)) {
            return usageError(io, "--variety 须为 0 到 10 之间的整数");
        }
    }
    const bool csv = parsed.has("--csv");

    const NameTables tables = FillNameTables();
    if (!checkCountable(tables.strokes, {settings.surname, settings.left, settings.right}, io)) {
        return kExitUsage;
    }
    const ElementCharacterLists elements = FillElementLists(tables.traditional);
    const NameEngine engine(tables, elements);
    std::optional<SoundTables> sound;
    if (settings.cleanSound || settings.standardChars || settings.avoidSound) {
        sound = SoundTables::builtIn(tables.traditional);
    }
    NameSearch search(engine, sound ? &*sound : nullptr);
    // The table keeps at least a list's worth of names (100); the first `top` of them are printed.
    search.setListNum(std::max(top, 100));
    search.setVarietyLimit(variety);
    if (const std::string* need = parsed.value("--need")) {
        if (!elementText(*need)) {
            return usageError(io, "--need 的取值只能由金木水火土组成");
        }
        search.state().Gxiyong = *need;
        search.state().bShenChen = true;
    }
    std::optional<std::string> candidates;
    if (const std::string* path = parsed.value("--candidates")) {
        candidates = *path;
    }

    const bool withScores = parsed.has("--scores");
    const NameSearch::StartResult start = search.start(settings, io.executableDir, candidates);
    const AnalyzeOptions options{search.state().bFamale, search.state().bShenChen,
                                 search.state().sNeedWx, false};
    auto printCsv = [&](const std::vector<KeptName>& names) {
        const NameMeanings meanings = NameMeanings::builtIn(tables.traditional);
        std::vector<NameSheetRow> rows;
        for (const KeptName& name : names) {
            const std::string_view given =
                std::string_view(name.fullName).substr(settings.surname.size());
            rows.push_back(judgeNameRow(engine, settings.surname, given, options));
            MeaningCells cells = meaningCells(meanings, given);
            rows.back().sources = std::move(cells.sources);
            rows.back().meanings = std::move(cells.meanings);
        }
        // Line by line (CR LF), each row with its name as given; the header first.
        const std::vector<std::string> lines =
            nameSheetLines(rows, search.state().bShenChen && !options.sNeedWx.empty());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            // The name, its traditional form (the name data, as `trad` prints it), the given
            // name in the sources' lines and each given character before "：" in the meanings.
            std::vector<std::string> keepTexts;
            if (i > 0 && i <= rows.size()) {
                const NameSheetRow& row = rows[i - 1];
                const std::string_view given =
                    std::string_view(row.fullName).substr(settings.surname.size());
                keepTexts = {row.fullName, row.traditional, std::string(given)};
                std::size_t pos = 0;
                while (pos < given.size()) {
                    const std::size_t from = pos;
                    nextCodePoint(given, pos);
                    keepTexts.push_back(std::string(given.substr(from, pos - from)) + "：");
                }
            }
            const std::vector<std::string_view> keep(keepTexts.begin(), keepTexts.end());
            writeKeeping(io.out, lines[i] + "\r\n", keep);
        }
    };
    switch (start.kind) {
        case NameSearch::StartResult::Kind::Direct: {
            if (csv) {
                printCsv({KeptName{start.fullName, start.score, 1}});
                return kExitOk;
            }
            writeAsGiven(io.out, start.fullName);
            if (withScores) {
                const Score score =
                    engine.scoreName(settings.surname, settings.left + settings.right,
                                     {search.state().bFamale, search.state().bShenChen,
                                      search.state().sNeedWx, false});
                io.out << '\t' << score.toString();
            }
            io.out << '\n';
            return kExitOk;
        }
        case NameSearch::StartResult::Kind::Failed:
            io.err << "norlune-cli：" << visibleText(start.message) << '\n';
            return kExitFileError;
        case NameSearch::StartResult::Kind::Refused:
        case NameSearch::StartResult::Kind::Searching:
            break;
    }
    if (!start.warning.empty()) {
        io.err << "norlune-cli：" << visibleText(start.warning) << '\n';
    }
    for (;;) {
        const NameSearch::Step step = search.step();
        if (step.endOfFile) {
            if (io.errIsTerminal) {
                io.err << '\n';
            }
            break;
        }
        if (io.errIsTerminal && step.progress) {
            io.err << "\r进度 " << *step.progress / 10 << '.' << *step.progress % 10 << "%  "
                   << NameSearch::countText(search.state().TestNum) << std::flush;
        }
    }
    search.finish();
    if (search.namesRead() == 0) {
        // Only a header, or blank lines: the run had nothing to judge.
        io.err << "norlune-cli：候选名字文件中没有名字："
               << visibleText(candidates ? *candidates
                                         : candidateFilePath(io.executableDir, settings.female))
               << '\n';
        return kExitFileError;
    }
    io.err << kCliSearchCompleteMessage << search.endNotes() << '\n';
    std::vector<KeptName> names = search.kept();
    if (sortByScore) {
        sortBestFirst(names);
    }
    if (names.size() > static_cast<std::size_t>(top)) {
        names.resize(static_cast<std::size_t>(top));
    }
    if (csv) {
        printCsv(names);
        return kExitOk;
    }
    for (const KeptName& name : names) {
        writeAsGiven(io.out, name.fullName);
        if (withScores) {
            // As the window shows it: one or two decimals where the score has them.
            io.out << '\t' << name.score.toString();
        }
        io.out << '\n';
    }
    return kExitOk;
}

}  // namespace norlune::cli
