#include "search/name_sheet.h"

#include "engine/utf8.h"

namespace norlune {

NameSheetRow judgeNameRow(const NameEngine& engine, std::string_view surname,
                          std::string_view givenName, const AnalyzeOptions& options) {
    const NameTables& tables = engine.tables();
    NameSheetRow row;
    row.fullName = std::string(surname) + std::string(givenName);
    row.traditional = tables.traditional.GbToBig(surname) + tables.traditional.GbToBig(givenName);
    AnalyzeOptions plain = options;
    plain.bShowInfo = false;
    row.score = engine.scoreName(surname, givenName, plain);
    const FiveGrids g = ComputeFiveGrids(tables.strokes, surname, givenName).grids;
    row.grids = {g.heaven, g.person, g.earth, g.total, g.outer};
    for (std::size_t i = 0; i < row.grids.size(); ++i) {
        row.grades[i] = tables.numerology.field(row.grids[i], NumerologyTable::kGrade);
    }
    row.threeTalentKey = threeTalentKey(g);
    std::array<std::string, 11> sanCai;
    tables.sanCai.GetSanCaiInfo(row.threeTalentKey, sanCai);
    row.threeTalentGrade = sanCai[3];
    for (char32_t ch : utf8ToU32(givenName)) {
        const std::string_view element = engine.elements().ElementOfCharacter(ch);
        row.givenElements += element.empty() ? std::string_view("无") : element;
    }
    if (!options.sNeedWx.empty()) {
        // The favourable-element rule of the score costs points exactly when the name misses them.
        AnalyzeOptions without = plain;
        without.bShenChen = false;
        AnalyzeOptions with = plain;
        with.bShenChen = true;
        row.meetsFavourable = engine.scoreName(surname, givenName, with) ==
                              engine.scoreName(surname, givenName, without);
    }
    return row;
}

std::string gridWithGrade(int number, std::string_view grade) {
    return std::to_string(number) + "(" + std::string(grade) + ")";
}

std::string csvField(std::string_view text) {
    // Spreadsheet programs take a cell that starts with one of these for a formula: an apostrophe
    // before it keeps it text.
    const bool formulaLike =
        !text.empty() && std::string_view("=+-@\t").find(text.front()) != std::string_view::npos;
    const std::string cell = formulaLike ? "'" + std::string(text) : std::string(text);
    if (cell.find_first_of(",\"\r\n") == std::string::npos) {
        return cell;
    }
    std::string out = "\"";
    for (char c : cell) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
    return out;
}

std::vector<std::string> nameSheetLines(const std::vector<NameSheetRow>& rows,
                                        bool withFavourable) {
    std::vector<std::string_view> header = {
        "姓名",     "繁体", "得分",     "天格", "天格吉凶", "人格", "人格吉凶", "地格",
        "地格吉凶", "总格", "总格吉凶", "外格", "外格吉凶", "三才", "三才吉凶", "名字五行"};
    if (withFavourable) {
        header.push_back("符合喜用五行");
    }
    header.push_back("出处");
    header.push_back("字义");
    std::vector<std::string> out;
    auto line = [&](const std::vector<std::string>& fields) {
        std::string text;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) {
                text += ',';
            }
            text += csvField(fields[i]);
        }
        out.push_back(std::move(text));
    };
    line(std::vector<std::string>(header.begin(), header.end()));
    for (const NameSheetRow& row : rows) {
        std::vector<std::string> fields = {row.fullName, row.traditional, row.score.toString()};
        for (std::size_t i = 0; i < row.grids.size(); ++i) {
            fields.push_back(std::to_string(row.grids[i]));
            fields.push_back(row.grades[i]);
        }
        fields.push_back(row.threeTalentKey);
        fields.push_back(row.threeTalentGrade);
        fields.push_back(row.givenElements);
        if (withFavourable) {
            fields.push_back(!row.meetsFavourable ? "" : (*row.meetsFavourable ? "是" : "否"));
        }
        fields.push_back(row.sources);
        fields.push_back(row.meanings);
        line(fields);
    }
    return out;
}

std::string nameSheetCsv(const std::vector<NameSheetRow>& rows, bool withFavourable) {
    std::string out;
    for (const std::string& line : nameSheetLines(rows, withFavourable)) {
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace norlune
