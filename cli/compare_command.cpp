// norlune-cli compare SURNAME GIVEN... : the names side by side, best first.
#include <algorithm>
#include <array>
#include <ostream>
#include <string>

#include "cli/cli.h"
#include "engine/utf8.h"
#include "search/name_sheet.h"

namespace norlune::cli {

std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (char32_t ch : utf8ToU32(text)) {
        // East Asian wide and full-width characters take two columns of a terminal.
        const bool wide = (ch >= 0x1100 && ch <= 0x115F) || (ch >= 0x2E80 && ch <= 0xA4CF) ||
                          (ch >= 0xAC00 && ch <= 0xD7A3) || (ch >= 0xF900 && ch <= 0xFAFF) ||
                          (ch >= 0xFE30 && ch <= 0xFE4F) || (ch >= 0xFF00 && ch <= 0xFF60) ||
                          (ch >= 0xFFE0 && ch <= 0xFFE6) || (ch >= 0x20000 && ch <= 0x3FFFD);
        width += wide ? 2 : 1;
    }
    return width;
}

std::string alignedTable(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(row[i]));
        }
    }
    std::string out;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            out += row[i];
            if (i + 1 < row.size()) {
                out.append(widths[i] - displayWidth(row[i]) + 2, ' ');
            }
        }
        out += '\n';
    }
    return out;
}

namespace {

bool elementText(std::string_view text) {
    const std::u32string chars = utf8ToU32(text);
    return !chars.empty() && std::all_of(chars.begin(), chars.end(), [](char32_t ch) {
        return std::u32string_view(U"金木水火土").find(ch) != std::u32string_view::npos;
    });
}

}  // namespace

int runCompareCommand(std::span<const std::string> args, Io& io) {
    static constexpr std::array<std::string_view, 1> kFlags = {"--female"};
    static constexpr std::array<std::string_view, 1> kValued = {"--need"};
    ParsedArgs parsed;
    if (!parseArgs(args, kFlags, kValued, parsed, io)) {
        return kExitUsage;
    }
    if (parsed.positional.size() < 2) {
        return usageError(io, "compare 需要参数：姓 名 [名…]");
    }
    const std::string& surname = parsed.positional[0];
    if (!checkNamePart(surname, true, io)) {
        return kExitUsage;
    }
    AnalyzeOptions options;
    options.bFamale = parsed.has("--female");
    if (const std::string* need = parsed.value("--need")) {
        if (!elementText(*need)) {
            return usageError(io, "--need 的取值只能由金木水火土组成");
        }
        options.bShenChen = true;
        options.sNeedWx = *need;
    }
    const NameTables tables = FillNameTables();
    const ElementCharacterLists elements = FillElementLists(tables.traditional);
    const NameEngine engine(tables, elements);
    for (std::size_t i = 1; i < parsed.positional.size(); ++i) {
        if (!checkNamePart(parsed.positional[i], false, io)) {
            return kExitUsage;
        }
    }
    std::u32string names;
    for (const std::string& part : parsed.positional) {
        names += utf8ToU32(part);
    }
    if (const std::u32string missing = tables.strokes.uncounted(names); !missing.empty()) {
        return usageError(io, uncountedMessage(missing));
    }
    std::vector<NameSheetRow> judged;
    for (std::size_t i = 1; i < parsed.positional.size(); ++i) {
        judged.push_back(judgeNameRow(engine, surname, parsed.positional[i], options));
    }
    std::stable_sort(
        judged.begin(), judged.end(),
        [](const NameSheetRow& a, const NameSheetRow& b) { return a.score > b.score; });
    std::vector<std::vector<std::string>> rows = {
        {"姓名", "得分", "天格", "人格", "地格", "总格", "外格", "三才"}};
    for (const NameSheetRow& row : judged) {
        std::vector<std::string> cells = {row.fullName, row.score.toString()};
        for (std::size_t g = 0; g < row.grids.size(); ++g) {
            cells.push_back(gridWithGrade(row.grids[g], row.grades[g]));
        }
        cells.push_back(row.threeTalentKey + "(" + row.threeTalentGrade + ")");
        rows.push_back(std::move(cells));
    }
    // Row by row, each with its own name as typed.
    const std::string table = alignedTable(rows);
    std::size_t start = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::size_t end = table.find('\n', start) + 1;
        const std::string_view keep[] = {rows[r][0]};
        writeKeeping(io.out, std::string_view(table).substr(start, end - start),
                     std::span<const std::string_view>(keep, r == 0 ? 0 : 1));
        start = end;
    }
    return kExitOk;
}

}  // namespace norlune::cli
