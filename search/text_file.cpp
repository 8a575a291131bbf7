#include "search/text_file.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "engine/utf8.h"

namespace norlune {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in`; a sequence that cannot be converted is skipped one byte at a time and reported
    // through `onInvalid`, so conversion always finishes.
    template <typename OnInvalid>
    std::string convert(std::string_view in, OnInvalid onInvalid) {
        std::string out;
        out.reserve(in.size() * 3 / 2 + 16);
        char buffer[16384];
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (r == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) {
                    continue;
                }
                // EILSEQ or EINVAL (a truncated sequence at the end): replace one byte and go on.
                onInvalid(out);
                ++inPtr;
                --inLeft;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

DecodedText decodeText(std::string_view bytes) {
    DecodedText result;
    if (bytes.substr(0, kBom.size()) == kBom) {
        bytes.remove_prefix(kBom.size());
        if (isValidUtf8(bytes)) {
            result.utf8 = std::string(bytes);
        } else {
            // Broken bytes in a file that says it is UTF-8: keep what decodes, mark the rest.
            result.utf8 = u32ToUtf8(utf8ToU32(bytes));
            result.hadInvalidBytes = true;
        }
        return result;
    }
    if (isValidUtf8(bytes)) {
        result.utf8 = std::string(bytes);
        return result;
    }
    Iconv conv("UTF-8", "GB18030");
    if (!conv.ok()) {
        result.utf8 = u32ToUtf8(utf8ToU32(bytes));
        result.hadInvalidBytes = true;
        return result;
    }
    result.utf8 = conv.convert(bytes, [&](std::string& out) {
        out.append(kReplacementUtf8);
        result.hadInvalidBytes = true;
    });
    return result;
}

std::string encodeGb18030(std::string_view utf8) {
    Iconv conv("GB18030", "UTF-8");
    if (!conv.ok()) {
        return std::string(utf8);
    }
    // Input comes from our own UTF-8 texts; a stray bad byte is written as "?".
    return conv.convert(utf8, [](std::string& out) { out.push_back('?'); });
}

std::vector<std::string_view> splitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

TextFileRead readTextFile(const std::string& path) {
    TextFileRead result;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        result.status =
            errno == ENOENT || errno == ENOTDIR ? FileStatus::NotFound : FileStatus::Unreadable;
        return result;
    }
    if (S_ISDIR(st.st_mode)) {
        result.status = FileStatus::Unreadable;
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.status = FileStatus::Unreadable;
        return result;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        result.status = FileStatus::Unreadable;
        return result;
    }
    result.text = decodeText(bytes);
    return result;
}

namespace {

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

std::string writeBytesAtomically(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".norlune-tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return "无法写入文件：" + path;
    }
    std::size_t written = 0;
    bool ok = true;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ok = false;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return "写入文件失败：" + path;
    }
    return {};
}

}  // namespace

std::string writeTextFileAtomically(const std::string& path,
                                    const std::vector<std::string>& lines) {
    return writeBytesAtomically(path, encodeGb18030(joinLinesCrLf(lines)));
}

std::string writeUtf8TextFileAtomically(const std::string& path,
                                        const std::vector<std::string>& lines) {
    return writeBytesAtomically(path, "\xEF\xBB\xBF" + joinLinesCrLf(lines));
}

}  // namespace norlune
