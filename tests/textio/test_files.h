#pragma once
// Scratch files and whole-file reads for the tests.
#include <filesystem>
#include <string>
#include <string_view>

namespace norlune::testing_support {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string file(const std::string& name) const;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void writeBytes(const std::string& path, std::string_view bytes);
std::string readBytes(const std::string& path);
// The bytes of a file the test expects to exist (a failure of the running test when it cannot be
// opened, and then "").
std::string readExistingFile(const std::filesystem::path& path);

// GBK bytes of a few characters used by the tests: 王 CDF5, 小 D0A1, 明 C3F7, 欧 C5B7, 阳 D1F4.
inline constexpr std::string_view kGbkWang = "\xCD\xF5";
inline constexpr std::string_view kGbkXiao = "\xD0\xA1";
inline constexpr std::string_view kGbkMing = "\xC3\xF7";
inline constexpr std::string_view kGbkOu = "\xC5\xB7";
inline constexpr std::string_view kGbkYang = "\xD1\xF4";

}  // namespace norlune::testing_support
