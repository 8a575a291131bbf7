#include "search/name_list_file.h"

#include "search/text_file.h"

namespace norlune {

std::string exportNameList(const std::string& path, const NameList& list) {
    if (list.entries.empty()) {
        return {};
    }
    std::vector<std::string> lines;
    lines.reserve(list.entries.size() + 1);
    lines.push_back(list.Gxing);
    lines.insert(lines.end(), list.entries.begin(), list.entries.end());
    return writeTextFileAtomically(path, lines);
}

NameListImport importNameList(const std::string& path) {
    NameListImport result;
    const TextFileRead read = readTextFile(path);
    if (read.status == FileStatus::NotFound) {
        result.message = "找不到文件：" + path;
        return result;
    }
    if (read.status == FileStatus::Unreadable) {
        result.message = "无法读取文件：" + path;
        return result;
    }
    if (read.text.utf8.empty()) {
        result.message = "文件是空的，没有可导入的姓名列表：" + path;
        return result;
    }
    if (read.text.hadInvalidBytes) {
        result.message = "文件中有无法识别的字符，已用替换符代替：" + path;
    }
    const auto lines = splitTextLines(read.text.utf8);
    NameList list;
    list.Gxing = lines.empty() ? std::string() : std::string(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!lines[i].empty()) {
            list.entries.emplace_back(lines[i]);
        }
    }
    result.list = std::move(list);
    return result;
}

}  // namespace norlune
