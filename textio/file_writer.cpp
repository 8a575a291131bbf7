#include "textio/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sys/random.h>

#include <cerrno>
#include <cstdio>
#include <functional>

#include "textio/text_encoding.h"
#include "textio/text_reader.h"
#include "textio/visible_text.h"

namespace norlune {
namespace {

constexpr std::string_view kGb18030Mark = "\x84\x31\x95\x33";  // U+FEFF in GB18030

std::function<std::uint64_t()>& tokenSourceForTesting() {
    static std::function<std::uint64_t()> source;
    return source;
}

// A write refused before anything was created, with its reason.
std::string refusal(const std::string& path, std::string_view reason) {
    return "无法写入文件：" + visibleText(path) + "（" + std::string(reason) + "）";
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that writing to `path` should replace: `path` itself, or, when it is a symbolic link,
// the file at the end of its chain of links (which need not exist yet).
bool resolveLinks(const std::string& path, std::string& target, int& error) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return true;
        }
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size()) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        link.resize(static_cast<std::size_t>(n));
        target = link.front() == '/' ? link : folderOf(target) + "/" + link;
    }
    error = ELOOP;
    return false;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

}  // namespace

std::string textFileBytes(const std::vector<std::string>& lines) {
    std::string bytes = encodeGb18030(joinLinesCrLf(lines));
    // Text whose bytes a reader would take for another encoding (or that starts with a mark of
    // its own) gets GB18030's byte-order mark, so that it always reads back as written; every
    // other text is written without one, as GBK readers expect.
    const EncodingChoice judged =
        judgeEncoding(std::string_view(bytes).substr(0, kEncodingSampleBytes),
                      bytes.size() <= kEncodingSampleBytes);
    if (judged.encoding != TextEncoding::Gb18030 || judged.markLength > 0) {
        bytes.insert(0, kGb18030Mark);
    }
    // The converter has no GB18030 form for a few private-use characters (those that GB18030 later
    // gave to standard characters): text with one of them is written as UTF-8 after its mark,
    // which loses nothing.
    const std::string text = joinLinesCrLf(lines);
    if (decodeText(bytes).utf8 != text) {
        bytes = "\xEF\xBB\xBF" + text;
    }
    return bytes;
}

std::uint64_t temporaryToken() {
    std::uint64_t token = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&token);
    std::size_t got = 0;
    while (got < sizeof token) {
        const ssize_t n = ::getrandom(bytes + got, sizeof token - got, 0);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;  // no generator: the bits gathered so far, O_EXCL still guards the name
        }
        got += static_cast<std::size_t>(n);
    }
    return token;
}

void setTemporaryTokensForTesting(std::function<std::uint64_t()> source) {
    tokenSourceForTesting() = std::move(source);
}

std::string temporaryPathFor(const std::string& target, std::uint64_t token) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    // Kept short enough that the suffix never makes the name too long.
    const std::string base =
        target.substr(slash == std::string::npos ? 0 : slash + 1).substr(0, 150);
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex(16, '0');
    for (std::size_t i = 0; i < hex.size(); ++i) {
        hex[hex.size() - 1 - i] = kDigits[(token >> (4 * i)) & 0xF];
    }
    return folder + "." + base + ".norlune-" + hex + ".tmp";
}

bool isReadOnlyFile(const std::string& path) {
    std::string target;
    int error = 0;
    struct stat st {};
    if (!resolveLinks(path, target, error) || ::stat(target.c_str(), &st) != 0 ||
        !S_ISREG(st.st_mode)) {
        return false;
    }
    // By the permission bits, not by access(): the administrator may write anything, yet a file
    // its owner made read-only is still one that should not be replaced without asking.
    const mode_t writeBits = ::geteuid() == st.st_uid ? S_IWUSR : (S_IWUSR | S_IWGRP | S_IWOTH);
    return (st.st_mode & writeBits) == 0;
}

std::string writeBytesAtomically(const std::string& path, const std::string& bytes,
                                 ReadOnlyTarget readOnly) {
    const auto failure = [&](int error) { return refusal(path, fileErrorReason(error, true)); };
    std::string target;
    int error = 0;
    if (!resolveLinks(path, target, error)) {
        return failure(error);
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return failure(EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        // A pipe, a device or a socket is never replaced by a regular file.
        return refusal(path, kNotRegularFile);
    }
    if (exists && readOnly == ReadOnlyTarget::Refuse && isReadOnlyFile(target)) {
        return refusal(path, kReadOnlyFile);
    }
    if (exists && existing.st_nlink > 1) {
        // Replacing the name would leave the file's other names on the old text.
        return refusal(path, kHardLinkedFile);
    }
    // The temporary file gets an unpredictable name, is created exclusively and never through a
    // link planted at its name.
    std::string temp;
    int fd = -1;
    for (unsigned attempt = 0; attempt < kTemporaryAttempts && fd < 0; ++attempt) {
        temp = temporaryPathFor(
            target, tokenSourceForTesting() ? tokenSourceForTesting()() : temporaryToken());
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) {
            return failure(errno);
        }
    }
    if (fd < 0) {
        return failure(EEXIST);
    }
    bool ok = true;
    if (exists) {
        // Same owner and permissions as the file it replaces (the owner only where allowed).
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            // Only possible for one's own group or as administrator; the permissions still hold.
        }
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    }
    ok = ok && writeAll(fd, bytes) && ::fsync(fd) == 0;
    error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return failure(error);
    }
    // The rename itself is made durable by syncing the folder that holds the name.
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

std::string writeTextFileAtomically(const std::string& path, const std::vector<std::string>& lines,
                                    ReadOnlyTarget readOnly) {
    return writeBytesAtomically(path, textFileBytes(lines), readOnly);
}

std::string writeUtf8TextFileAtomically(const std::string& path,
                                        const std::vector<std::string>& lines,
                                        ReadOnlyTarget readOnly) {
    return writeBytesAtomically(path, "\xEF\xBB\xBF" + joinLinesCrLf(lines), readOnly);
}

}  // namespace norlune
