#include "textio/text_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace norlune {
namespace {

constexpr std::size_t kPieceBytes = std::size_t{1} << 16;

class FileSource : public ByteSource {
public:
    explicit FileSource(int fd) : fd_(fd) {}
    ~FileSource() override { ::close(fd_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t read(char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::pread(fd_, buffer, size, offset_);
            if (n >= 0) {
                offset_ += n;
                return static_cast<std::size_t>(n);
            }
            if (errno != EINTR) {
                error_ = errno;
                return 0;
            }
        }
    }

    std::unique_ptr<ByteSource> fromStart() const override {
        const int fd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
        if (fd < 0) {
            return nullptr;
        }
        return std::make_unique<FileSource>(fd);
    }

private:
    int fd_;
    off_t offset_ = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::shared_ptr<const std::string> bytes) : bytes_(std::move(bytes)) {}

    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, bytes_->size() - offset_);
        bytes_->copy(buffer, n, offset_);
        offset_ += n;
        return n;
    }

    std::unique_ptr<ByteSource> fromStart() const override {
        return std::make_unique<MemorySource>(bytes_);
    }

private:
    std::shared_ptr<const std::string> bytes_;
    std::size_t offset_ = 0;
};

std::string notRegularReason(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "这是一个文件夹，不是普通文件";
    }
    if (S_ISFIFO(mode)) {
        return "这是一个管道，不是普通文件";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "这是一个设备，不是普通文件";
    }
    if (S_ISSOCK(mode)) {
        return "这是一个套接字，不是普通文件";
    }
    return "不是普通文件";
}

}  // namespace

std::unique_ptr<ByteSource> memorySource(std::string bytes) {
    return std::make_unique<MemorySource>(std::make_shared<const std::string>(std::move(bytes)));
}

OpenedFile openForReading(const std::string& path) {
    OpenedFile result;
    // Non-blocking, so that opening a pipe without a writer returns at once; regular files ignore
    // it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        result.status =
            error == ENOENT || error == ENOTDIR ? FileStatus::NotFound : FileStatus::Unreadable;
        result.reason = fileErrorReason(error, false);
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        result.status = FileStatus::Unreadable;
        result.reason = notRegularReason(st.st_mode);
        ::close(fd);
        return result;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    result.source = std::make_unique<FileSource>(fd);
    return result;
}

TextLineReader::TextLineReader(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {
    std::size_t filled = 0;
    while (filled < kEncodingSampleBytes) {
        raw_.resize(std::min(kEncodingSampleBytes, filled + (filled == 0 ? 4096 : kPieceBytes)));
        const std::size_t n = source_->read(raw_.data() + filled, raw_.size() - filled);
        if (n == 0) {
            sourceDone_ = true;
            break;
        }
        filled += n;
    }
    raw_.resize(filled);
    choice_ = judgeEncoding(raw_, sourceDone_);
    decoder_ = std::make_unique<TextDecoder>(choice_.encoding);
    const std::string_view text = std::string_view(raw_).substr(choice_.markLength);
    pending_.reserve(text.size() + text.size() / 2 + 16);
    decoder_->decode(text, sourceDone_, pending_);
    decoderDone_ = sourceDone_;
    invalidInSample_ = decoder_->invalidBytes();
    raw_.clear();
    raw_.shrink_to_fit();
}

TextLineReader::TextLineReader(TextLineReader&&) noexcept = default;
TextLineReader& TextLineReader::operator=(TextLineReader&&) noexcept = default;
TextLineReader::~TextLineReader() = default;

bool TextLineReader::fill() {
    if (decoderDone_) {
        return false;
    }
    if (pendingPos_ > 0) {
        pending_.erase(0, pendingPos_);
        pendingPos_ = 0;
    }
    raw_.resize(kPieceBytes);
    const std::size_t n = source_->read(raw_.data(), raw_.size());
    raw_.resize(n);
    sourceDone_ = n == 0;
    decoder_->decode(raw_, sourceDone_, pending_);
    decoderDone_ = sourceDone_;
    return true;
}

bool TextLineReader::atEnd() {
    for (;;) {
        if (skipLf_ && pendingPos_ < pending_.size()) {
            if (pending_[pendingPos_] == '\n') {
                ++pendingPos_;
            }
            skipLf_ = false;
        }
        if (pendingPos_ < pending_.size()) {
            return false;
        }
        if (!fill()) {
            return true;
        }
    }
}

bool TextLineReader::next(std::string& line) {
    line.clear();
    lastTooLong_ = false;
    if (atEnd()) {
        return false;
    }
    for (;;) {
        const char* begin = pending_.data() + pendingPos_;
        const char* end = pending_.data() + pending_.size();
        const char* p = begin;
        while (p != end && *p != '\r' && *p != '\n') {
            ++p;
        }
        const auto length = static_cast<std::size_t>(p - begin);
        const std::size_t room = kMaxLineBytes - line.size();
        if (length > room) {
            lastTooLong_ = true;
        }
        line.append(begin, std::min(length, room));
        pendingPos_ += length;
        if (p != end) {
            skipLf_ = *p == '\r';
            ++pendingPos_;
            return true;
        }
        if (!fill()) {
            return true;  // a last line without a line end
        }
    }
}

std::size_t TextLineReader::invalidBytes() const {
    return decoder_->invalidBytes();
}

int TextLineReader::readError() const {
    return source_->error();
}

std::unique_ptr<TextLineReader> TextLineReader::fromStart() const {
    std::unique_ptr<ByteSource> source = source_->fromStart();
    if (!source) {
        return nullptr;
    }
    return std::make_unique<TextLineReader>(std::move(source));
}

TextFileRead readTextFile(const std::string& path) {
    TextFileRead result;
    OpenedFile file = openForReading(path);
    result.status = file.status;
    result.reason = file.reason;
    if (file.status != FileStatus::Ok) {
        return result;
    }
    std::string bytes;
    char buffer[kPieceBytes];
    while (const std::size_t n = file.source->read(buffer, sizeof buffer)) {
        bytes.append(buffer, n);
    }
    if (file.source->error() != 0) {
        result.status = FileStatus::Unreadable;
        result.reason = fileErrorReason(file.source->error(), false);
        return result;
    }
    result.text = decodeText(bytes);
    return result;
}

std::string fileErrorReason(int error, bool writing) {
    switch (error) {
        case ENOENT:
            return writing ? "文件夹不存在" : "文件不存在";
        case EACCES:
        case EPERM:
            return writing ? "没有写入权限" : "没有读取权限";
        case EROFS:
            return "只读文件系统";
        case ENOSPC:
            return "磁盘已满";
        case EDQUOT:
            return "超出磁盘配额";
        case EISDIR:
            return "这是一个文件夹";
        case ENOTDIR:
            return "路径中有一项不是文件夹";
        case ENAMETOOLONG:
            return "文件名太长";
        case ELOOP:
            return "符号链接太多或成环";
        case EIO:
            return "磁盘读写出错";
        case EMFILE:
        case ENFILE:
            return "打开的文件太多";
        case EFBIG:
            return "文件太大";
        case ENOMEM:
            return "内存不足";
        case EEXIST:
            return "临时文件名都已被占用";
        case EBUSY:
        case ETXTBSY:
            return "文件正被占用";
        case EXDEV:
            return "不能跨文件系统替换文件";
        default:
            return "系统错误代码 " + std::to_string(error);
    }
}

}  // namespace norlune
