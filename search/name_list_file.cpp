#include "search/name_list_file.h"

#include "textio/file_writer.h"
#include "textio/text_reader.h"
#include "textio/visible_text.h"

namespace norlune {

namespace {

std::vector<std::string> fileLines(const NameList& list) {
    std::vector<std::string> lines;
    lines.reserve(list.entries.size() + 1);
    lines.push_back(list.Gxing);
    lines.insert(lines.end(), list.entries.begin(), list.entries.end());
    return lines;
}

}  // namespace

std::string nameListBytes(const NameList& list) {
    return textFileBytes(fileLines(list));
}

std::string exportNameList(const std::string& path, const NameList& list, ReadOnlyTarget readOnly) {
    if (list.entries.empty()) {
        return {};
    }
    return writeTextFileAtomically(path, fileLines(list), readOnly);
}

NameListImport importNameList(const std::string& path) {
    NameListImport result;
    OpenedFile opened = openForReading(path);
    if (opened.status == FileStatus::NotFound) {
        result.message = "找不到文件：" + visibleText(path);
        return result;
    }
    if (opened.status == FileStatus::Unreadable) {
        result.message = "无法读取文件：" + visibleText(path) + "（" + opened.reason + "）";
        return result;
    }
    return readNameList(TextLineReader(std::move(opened.source)), path);
}

NameListImport readNameList(TextLineReader reader, const std::string& path) {
    NameListImport result;
    NameList list;
    if (!reader.next(list.Gxing)) {
        if (reader.readError() != 0) {
            result.message = "无法读取文件：" + visibleText(path) + "（" +
                             fileErrorReason(reader.readError(), false) + "）";
        } else {
            result.message = "文件是空的，没有可导入的姓名列表：" + visibleText(path);
        }
        return result;
    }
    if (reader.lastLineTooLong() || hasControlCharacters(list.Gxing)) {
        result.message = "文件第一行不是姓氏（含控制字符或过长），无法导入：" + visibleText(path);
        return result;
    }
    std::size_t skipped = 0;
    std::string line;
    while (reader.next(line)) {
        if (reader.lastLineTooLong() || hasControlCharacters(line)) {
            ++skipped;
        } else if (!line.empty()) {
            list.entries.push_back(line);
        }
    }
    std::vector<std::string> notes;
    if (reader.readError() != 0) {
        notes.push_back("读取文件时出错，只导入了出错前的部分（" +
                        fileErrorReason(reader.readError(), false) + "）：" + visibleText(path));
    }
    if (reader.invalidBytes() > 0) {
        notes.push_back("文件中有无法识别的字符，已用替换符代替：" + visibleText(path));
    }
    if (skipped > 0) {
        notes.push_back("已跳过 " + std::to_string(skipped) + " 行含控制字符或过长的内容：" +
                        visibleText(path));
    }
    for (const std::string& note : notes) {
        result.message += (result.message.empty() ? "" : "\n") + note;
    }
    result.list = std::move(list);
    return result;
}

}  // namespace norlune
