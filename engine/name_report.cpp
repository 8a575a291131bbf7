#include "engine/name_report.h"

#include <array>

#include "engine/name_engine.h"
#include "engine/utf8.h"

namespace norlune {
namespace {

constexpr std::size_t kWidth = 17;
const std::string kPad(kWidth, ' ');
const std::string kRule(kWidth, '-');

std::u32string_view trimSpaces(std::u32string_view text) {
    while (!text.empty() && text.front() == U' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == U' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Cuts s1 after the first character of every occurrence of `separator`. A remainder of a single
// character is dropped, so a text that ends with "。 " gives no empty last line.
void appendSplit(std::string_view s1, std::u32string_view separator, std::string& s) {
    const std::u32string text = utf8ToU32(s1);
    std::size_t start = 0;  // 0-based here; the rule is stated for positions counted from 1
    for (std::size_t p = text.find(separator, start); p != std::u32string::npos;
         p = text.find(separator, start)) {
        Adds(u32ToUtf8(trimSpaces(std::u32string_view(text).substr(start, p - start + 1))), s);
        start = p + 1;
    }
    if (start + 1 < text.size()) {
        Adds(u32ToUtf8(trimSpaces(std::u32string_view(text).substr(start))), s);
    }
}

}  // namespace

void Adds(std::string_view s1, std::string& s) {
    s.append(s1);
    s.append("\r\n");
}

void Adds2(std::string_view s1, std::string& s) {
    appendSplit(s1, U"。 ", s);
}

void Adds3(std::string_view s1, std::string& s) {
    appendSplit(s1, U"）", s);
}

std::string buildNameReport(const NameTables& tables, const NameReportInput& in) {
    const FiveGrids& g = in.grids;
    std::string s;
    s.reserve(8192);
    auto gridLine = [&](std::string_view label, int number) {
        Adds(std::string(label) + std::to_string(number) + "(" + std::string(GetSanCai(number)) +
                 ")",
             s);
    };

    Adds(kPad + std::string(in.surname) + std::string(in.givenName) +
             "(繁体:" + tables.traditional.GbToBig(in.surname) +
             tables.traditional.GbToBig(in.givenName) + ")",
         s);
    Adds(kPad + "得分:" + in.score.toString(), s);
    Adds("姓名五行:" + std::string(in.surnameElement) + std::string(in.firstElement) +
             std::string(in.lastElement),
         s);
    gridLine("天格:", g.heaven);
    gridLine("人格:", g.person);
    gridLine("地格:", g.earth);
    gridLine("总格:", g.total);
    gridLine("外格:", g.outer);
    const std::string key = threeTalentKey(g);
    Adds("三才:" + key, s);

    int Fbadn = 0;  // the count is the engine's business; the report only needs the texts
    const std::array<std::pair<std::string_view, int>, 5> blocks = {{
        {"天格吉凶(", g.heaven},
        {"人格吉凶(", g.person},
        {"地格吉凶(", g.earth},
        {"总格吉凶(", g.total},
        {"外格吉凶(", g.outer},
    }};
    std::array<std::string, 5> a;
    for (const auto& [label, number] : blocks) {
        tables.numerology.GetSge(number, a, Fbadn);
        Adds(kRule + std::string(label) + a[2] + ")" + kRule, s);
        Adds(a[1], s);
        Adds3(a[3], s);
        Adds(a[4], s);
    }

    std::array<std::string, 11> sc;
    tables.sanCai.GetSanCaiInfo(key, sc);
    Adds(kRule + "--三才吉凶(" + sc[3] + ")" + kRule, s);
    Adds("三才影响:" + sc[2], s);
    Adds("基础运(" + sc[5] + "):" + sc[4], s);
    Adds("成功运(" + sc[7] + "):" + sc[6], s);
    Adds("人际关系(" + sc[9] + "):" + sc[8], s);
    Adds("性格" + sc[10], s);
    Adds2(sc[1], s);
    return s;
}

std::optional<std::string> givenNameFromListEntry(std::string_view entry, std::string_view Gxing) {
    const std::u32string t = utf8ToU32(entry);
    const std::size_t n = codePointCount(Gxing);
    if (t.size() < n) {
        return std::nullopt;
    }
    if (const std::size_t p = t.find(U')'); p != std::u32string::npos) {
        const std::size_t from = p + 1 + n;  // 0-based start of the given name
        return from >= t.size() ? std::string() : u32ToUtf8(std::u32string_view(t).substr(from));
    }
    if (const std::size_t p = t.find(U'='); p != std::u32string::npos) {
        if (p < n) {
            return std::nullopt;  // the "=" stands inside the surname's span: no given name there
        }
        return u32ToUtf8(std::u32string_view(t).substr(n, p - n));
    }
    return u32ToUtf8(std::u32string_view(t).substr(n));
}

}  // namespace norlune
