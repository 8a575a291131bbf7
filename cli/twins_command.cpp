#include <array>
#include <charconv>
#include <ostream>
#include <string>

#include "cli/cli.h"

#include "engine/utf8.h"
#include "names/name_meanings.h"
#include "search/candidate_file.h"
#include "search/twins.h"

namespace norlune::cli {
namespace {

bool parseTop(const std::string& text, int& number) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    return ec == std::errc() && ptr == text.data() + text.size() && number >= 1 && number <= 1000;
}

}  // namespace

int runTwinsCommand(std::span<const std::string> args, Io& io) {
    static constexpr std::array<std::string_view, 3> kFlags = {"--female", "--male", "--mixed"};
    static constexpr std::array<std::string_view, 3> kValued = {"--surname", "--share", "--top"};
    ParsedArgs parsed;
    if (!parseArgs(args, kFlags, kValued, parsed, io)) {
        return kExitUsage;
    }
    if (!parsed.positional.empty()) {
        return usageError(io, "twins 不接受多余的参数：" + parsed.positional.front());
    }
    const std::string* surname = parsed.value("--surname");
    if (surname == nullptr) {
        return usageError(io, "twins 需要 --surname 姓");
    }
    if (!checkNamePart(*surname, true, io)) {
        return kExitUsage;
    }
    const int sexes = static_cast<int>(parsed.has("--female")) +
                      static_cast<int>(parsed.has("--male")) +
                      static_cast<int>(parsed.has("--mixed"));
    if (sexes > 1) {
        return usageError(io, "--female、--male 和 --mixed 只能选一个");
    }
    const bool mixed = parsed.has("--mixed");
    const bool female = parsed.has("--female");
    TwinQuery query;
    if (const std::string* share = parsed.value("--share")) {
        if (*share == "first") {
            query.share = TwinShare::First;
        } else if (*share == "last") {
            query.share = TwinShare::Last;
        } else if (*share == "any") {
            query.share = TwinShare::Any;
        } else {
            return usageError(io, "--share 的取值只能是 first、last 或 any");
        }
    }
    int top = 10;
    if (const std::string* value = parsed.value("--top")) {
        if (!parseTop(*value, top)) {
            return usageError(io, "--top 须为 1 到 1000 之间的整数");
        }
    }
    query.top = static_cast<std::size_t>(top);

    const NameTables tables = FillNameTables();
    if (!checkCountable(tables.strokes, {*surname}, io)) {
        return kExitUsage;
    }
    const ElementCharacterLists elements = FillElementLists(tables.traditional);
    const NameEngine engine(tables, elements);
    std::string message;
    // Twins of one sex come from that sex's list; a boy and a girl from both lists.
    const bool firstFemale = female && !mixed;
    std::optional<std::vector<TwinCandidate>> first = readTwinCandidates(
        candidateFilePath(io.executableDir, firstFemale), engine, *surname, firstFemale, message);
    if (!first) {
        io.err << "norlune-cli：" << message << '\n';
        return kExitFileError;
    }
    std::optional<std::vector<TwinCandidate>> second;
    if (mixed) {
        second = readTwinCandidates(candidateFilePath(io.executableDir, true), engine, *surname,
                                    true, message);
        if (!second) {
            io.err << "norlune-cli：" << message << '\n';
            return kExitFileError;
        }
    }
    // Names from one classical clause belong together too: each distinct clause gets an id.
    const NameMeanings meanings = NameMeanings::builtIn(tables.traditional);
    TwinClauses clauses;
    std::vector<TwinCandidate> firstList = std::move(*first);
    clauses.addSources(firstList, meanings, firstFemale);
    if (second) {
        clauses.addSources(*second, meanings, true);
    }
    const std::vector<TwinPair> pairs = findTwins(firstList, second ? &*second : nullptr, query);
    const std::vector<TwinCandidate>& other = second ? *second : firstList;
    std::vector<std::vector<std::string>> rows;
    for (const TwinPair& pair : pairs) {
        const TwinCandidate& a = firstList[pair.first];
        const TwinCandidate& b = other[pair.second];
        std::vector<std::string> row = {*surname + u32ToUtf8(a.given), a.score.toString(),
                                        *surname + u32ToUtf8(b.given), b.score.toString()};
        if (pair.fromClause) {
            row.push_back("出处：" + clauses.text(pair.clause));
        }
        rows.push_back(std::move(row));
    }
    // Row by row, each with its two names (and their given names in the source's line) as given.
    const std::string table = alignedTable(rows);
    std::size_t start = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::size_t end = table.find('\n', start) + 1;
        const std::string_view nameA = rows[r][0];
        const std::string_view nameB = rows[r][2];
        const std::string_view keep[] = {nameA, nameB, nameA.substr(surname->size()),
                                         nameB.substr(surname->size())};
        writeKeeping(io.out, std::string_view(table).substr(start, end - start), keep);
        start = end;
    }
    if (pairs.empty()) {
        io.err << "norlune-cli：没有找到合适的名字组合\n";
    }
    return kExitOk;
}

}  // namespace norlune::cli
