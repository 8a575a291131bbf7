#pragma once
// The program's standard output as a stream buffer over a file descriptor, so that a failed write
// (a full disk, a closed pipe) is noticed with its reason instead of being lost in the C library.
#include <array>
#include <streambuf>
#include <string>

namespace norlune::cli {

class FdOutputBuffer : public std::streambuf {
public:
    explicit FdOutputBuffer(int fd);
    ~FdOutputBuffer() override;
    FdOutputBuffer(const FdOutputBuffer&) = delete;
    FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

    // The errno of the first write that failed, 0 while all went well.
    int error() const { return error_; }

protected:
    int_type overflow(int_type ch) override;
    int sync() override;

private:
    bool writeOut();

    int fd_;
    int error_ = 0;
    std::array<char, 1 << 16> buffer_{};
};

// The reason of a failed write, in Chinese ("磁盘已满", …).
std::string writeErrorReason(int error);

}  // namespace norlune::cli
