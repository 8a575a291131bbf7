#include "search/candidate_file.h"

#include <cstdlib>

#include "search/text_file.h"

namespace norlune {

std::string candidateFilePath(const std::string& directory, bool female) {
    std::string path = directory;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path + (female ? "F.dat" : "M.dat");
}

double headerValue(std::string_view line) {
    std::string number;
    bool seenDigit = false;
    bool seenPoint = false;
    for (char c : line) {
        if (c == ' ' || c == '\t') {
            continue;
        }
        if ((c == '-' || c == '+') && number.empty()) {
            number += c;
        } else if (c >= '0' && c <= '9') {
            number += c;
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            number += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit) {
        return 0;
    }
    return std::strtod(number.c_str(), nullptr);
}

CandidateFile CandidateFile::fromText(std::string text) {
    CandidateFile file;
    file.text_ = std::move(text);
    const auto lines = splitTextLines(file.text_);
    if (!lines.empty()) {
        file.header_ = headerValue(lines.front());
        file.lines_.assign(lines.begin() + 1, lines.end());
    }
    return file;
}

std::optional<CandidateFile> CandidateFile::open(const std::string& path, std::string& message,
                                                 std::string& warning) {
    TextFileRead read = readTextFile(path);
    if (read.status == FileStatus::NotFound) {
        message = "找不到候选名字文件：" + path;
        return std::nullopt;
    }
    if (read.status == FileStatus::Unreadable) {
        message = "无法读取候选名字文件：" + path;
        return std::nullopt;
    }
    if (read.text.utf8.empty()) {
        message = "候选名字文件是空的，没有标题行：" + path;
        return std::nullopt;
    }
    if (read.text.hadInvalidBytes) {
        warning = "候选名字文件中有无法识别的字符，已用替换符代替：" + path;
    }
    return fromText(std::move(read.text.utf8));
}

}  // namespace norlune
