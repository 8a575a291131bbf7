#include "search/candidate_file.h"
#include "textio/visible_text.h"

#include <cstdlib>

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

std::optional<CandidateFile> CandidateFile::withHeader(TextLineReader reader) {
    std::string header;
    if (!reader.next(header)) {
        return std::nullopt;
    }
    CandidateFile file(std::move(reader));
    file.header_ = headerValue(header);
    return file;
}

std::optional<CandidateFile> CandidateFile::fromBytes(std::string bytes) {
    return withHeader(TextLineReader(memorySource(std::move(bytes))));
}

std::optional<CandidateFile> CandidateFile::open(const std::string& path, std::string& message,
                                                 std::string& warning) {
    OpenedFile opened = openForReading(path);
    if (opened.status == FileStatus::NotFound) {
        message = "找不到候选名字文件：" + visibleText(path);
        return std::nullopt;
    }
    if (opened.status == FileStatus::Unreadable) {
        message = "无法读取候选名字文件：" + visibleText(path) + "（" + opened.reason + "）";
        return std::nullopt;
    }
    TextLineReader reader(std::move(opened.source));
    if (reader.readError() != 0) {
        message = "无法读取候选名字文件：" + visibleText(path) + "（" +
                  fileErrorReason(reader.readError(), false) + "）";
        return std::nullopt;
    }
    if (reader.invalidBytesInSample() > 0) {
        warning = "候选名字文件中有无法识别的字符，已用替换符代替：" + visibleText(path);
    }
    std::optional<CandidateFile> file = withHeader(std::move(reader));
    if (!file) {
        message = "候选名字文件是空的，没有标题行：" + visibleText(path);
        warning.clear();
    }
    return file;
}

std::size_t CandidateFile::countCandidates() const {
    const std::unique_ptr<TextLineReader> counter = reader_.fromStart();
    if (!counter) {
        return 0;
    }
    std::string line;
    std::size_t count = 0;
    if (counter->next(line)) {
        while (counter->next(line)) {
            ++count;
        }
    }
    return count;
}

}  // namespace norlune
