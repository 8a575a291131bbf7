#include "search/shortlist_file.h"

#include <cstdio>
#include <filesystem>

#include "textio/file_writer.h"
#include "textio/text_encoding.h"
#include "textio/text_reader.h"
#include "textio/visible_text.h"

namespace norlune {

std::string shortlistPathFor(const std::string& listPath) {
    const std::filesystem::path path(listPath);
    std::filesystem::path beside = path.parent_path();
    beside /= path.stem().string() + "." + kShortlistMark + path.extension().string();
    return beside.string();
}

std::string saveShortlistFor(const std::string& listPath, const std::vector<ShortlistEntry>& names,
                             ReadOnlyTarget readOnly) {
    const std::string path = shortlistPathFor(listPath);
    if (names.empty()) {
        const TextFileRead old = readTextFile(path);
        if (old.status == FileStatus::Ok) {
            const auto lines = splitTextLines(old.text.utf8);
            if (!lines.empty() && lines.front() == kShortlistMark) {
                std::remove(path.c_str());
            }
        }
        return {};
    }
    std::vector<std::string> lines = {kShortlistMark};
    for (const ShortlistEntry& name : names) {
        lines.push_back(name.surname + "\t" + name.fullName + "\t" + (name.female ? "女" : "男"));
    }
    return writeTextFileAtomically(path, lines, readOnly);
}

ShortlistLoad loadShortlistFor(const std::string& listPath) {
    ShortlistLoad result;
    const std::string path = shortlistPathFor(listPath);
    const TextFileRead read = readTextFile(path);
    if (read.status == FileStatus::NotFound) {
        return result;
    }
    if (read.status == FileStatus::Unreadable) {
        result.message = "无法读取备选名单：" + visibleText(path);
        return result;
    }
    const auto lines = splitTextLines(read.text.utf8);
    if (lines.empty() || lines.front() != kShortlistMark) {
        result.message = "备选名单文件的格式不对，未导入：" + visibleText(path);
        return result;
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos) {
            continue;
        }
        ShortlistEntry entry;
        entry.surname = std::string(line.substr(0, tab1));
        entry.fullName = std::string(line.substr(tab1 + 1, tab2 - tab1 - 1));
        const std::string_view sex = line.substr(tab2 + 1);
        if (entry.surname.empty() || entry.fullName.size() <= entry.surname.size() ||
            entry.fullName.compare(0, entry.surname.size(), entry.surname) != 0 ||
            (sex != "男" && sex != "女")) {
            continue;
        }
        entry.female = sex == "女";
        result.names.push_back(std::move(entry));
    }
    return result;
}

}  // namespace norlune
