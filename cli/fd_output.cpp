#include "cli/fd_output.h"

#include <unistd.h>

#include <cerrno>
#include <string>

namespace norlune::cli {

FdOutputBuffer::FdOutputBuffer(int fd) : fd_(fd) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutputBuffer::~FdOutputBuffer() {
    writeOut();
}

bool FdOutputBuffer::writeOut() {
    const char* data = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    if (error_ != 0) {
        return false;  // everything after the first failure is dropped
    }
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            error_ = errno;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type ch) {
    if (!writeOut()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
    }
    return traits_type::not_eof(ch);
}

int FdOutputBuffer::sync() {
    return writeOut() ? 0 : -1;
}

std::string writeErrorReason(int error) {
    switch (error) {
        case ENOSPC:
            return "磁盘已满";
        case EDQUOT:
            return "超出磁盘配额";
        case EPIPE:
            return "输出管道已关闭";
        case EBADF:
            return "标准输出没有打开";
        case EACCES:
        case EPERM:
            return "没有写入权限";
        case EROFS:
            return "只读文件系统";
        case EFBIG:
            return "文件过大";
        case EIO:
            return "输入输出错误";
        default:
            return "系统错误 " + std::to_string(error);
    }
}

}  // namespace norlune::cli
