// Writing files safely: a temporary file that no planted link can redirect, a symbolic link at the
// target written through, the target's permissions kept, and failures that say why in Chinese.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "search/text_file.h"
#include "test_files.h"

namespace norlune {
namespace {

using namespace testing_support;

mode_t permissions(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

std::string gbkLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return encodeGb18030(text);
}

TEST(FileWritingTest, SymbolicLinkAtTheTargetIsWrittenThrough) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    const std::string real = dir.file("real/list.txt");
    writeBytes(real, "old");
    // A relative link, and a link to that link.
    std::filesystem::create_symlink("real/list.txt", dir.file("link.txt"));
    std::filesystem::create_symlink(dir.file("link.txt"), dir.file("link2.txt"));
    ASSERT_EQ(writeTextFileAtomically(dir.file("link2.txt"), {"王"}), "");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.txt")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link2.txt")));
    EXPECT_EQ(readBytes(real), gbkLines({"王"}));
    // A dangling link creates the file it points to.
    std::filesystem::create_symlink("real/new.txt", dir.file("dangling.txt"));
    ASSERT_EQ(writeTextFileAtomically(dir.file("dangling.txt"), {"李"}), "");
    EXPECT_EQ(readBytes(dir.file("real/new.txt")), gbkLines({"李"}));
    // No temporary file is left behind anywhere.
    for (const auto& folder : {dir.path(), dir.path() / "real"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            EXPECT_EQ(entry.path().filename().string().find(".norlune-"), std::string::npos)
                << entry.path();
        }
    }
    // A loop of links is refused with its reason.
    std::filesystem::create_symlink(dir.file("loop2"), dir.file("loop1"));
    std::filesystem::create_symlink(dir.file("loop1"), dir.file("loop2"));
    EXPECT_EQ(writeTextFileAtomically(dir.file("loop1"), {"王"}),
              "无法写入文件：" + dir.file("loop1") + "（符号链接太多或成环）");
}

TEST(FileWritingTest, LinksPlantedAtTemporaryNamesAreNeverFollowed) {
    TempDir dir;
    const std::string target = dir.file("list.txt");
    const std::string victim = dir.file("victim.txt");
    writeBytes(victim, "keep");
    // Links at the first temporary names: to an existing file and to a file that does not exist.
    std::filesystem::create_symlink(victim, temporaryPathFor(target, 0));
    std::filesystem::create_symlink(dir.file("created.txt"), temporaryPathFor(target, 1));
    ASSERT_EQ(writeTextFileAtomically(target, {"王", "王明"}), "");
    EXPECT_EQ(readBytes(target), gbkLines({"王", "王明"}));
    EXPECT_EQ(readBytes(victim), "keep");
    EXPECT_FALSE(std::filesystem::exists(dir.file("created.txt")));
    EXPECT_FALSE(std::filesystem::is_symlink(target));
    // With every temporary name taken, nothing is written and the target stays as it was.
    for (unsigned attempt = 2; attempt < kTemporaryAttempts; ++attempt) {
        std::filesystem::create_symlink(victim, temporaryPathFor(target, attempt));
    }
    EXPECT_EQ(writeTextFileAtomically(target, {"李"}),
              "无法写入文件：" + target + "（临时文件名都已被占用）");
    EXPECT_EQ(readBytes(target), gbkLines({"王", "王明"}));
    EXPECT_EQ(readBytes(victim), "keep");
}

TEST(FileWritingTest, TheTargetKeepsItsPermissions) {
    TempDir dir;
    for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0755}, mode_t{0444}}) {
        const std::string path = dir.file("list" + std::to_string(mode) + ".txt");
        writeBytes(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_EQ(writeTextFileAtomically(path, {"王"}), "");
        EXPECT_EQ(permissions(path), mode);
        EXPECT_EQ(readBytes(path), gbkLines({"王"}));
    }
    // A new file gets the usual permissions of new files (the umask applies).
    const mode_t mask = ::umask(022);
    const std::string fresh = dir.file("fresh.txt");
    ASSERT_EQ(writeTextFileAtomically(fresh, {"王"}), "");
    EXPECT_EQ(permissions(fresh), 0644u);
    ::umask(mask);
}

TEST(FileWritingTest, FailuresSayWhy) {
    TempDir dir;
    EXPECT_EQ(writeTextFileAtomically(dir.file("missing/list.txt"), {"王"}),
              "无法写入文件：" + dir.file("missing/list.txt") + "（文件夹不存在）");
    EXPECT_EQ(writeTextFileAtomically(dir.path().string(), {"王"}),
              "无法写入文件：" + dir.path().string() + "（这是一个文件夹）");
    struct Row {
        int error;
        bool writing;
        const char* reason;
    };
    const Row rows[] = {
        {ENOSPC, true, "磁盘已满"},
        {EDQUOT, true, "超出磁盘配额"},
        {EACCES, true, "没有写入权限"},
        {EPERM, true, "没有写入权限"},
        {EACCES, false, "没有读取权限"},
        {EROFS, true, "只读文件系统"},
        {ENOENT, true, "文件夹不存在"},
        {ENOENT, false, "文件不存在"},
        {EISDIR, true, "这是一个文件夹"},
        {ENAMETOOLONG, true, "文件名太长"},
        {EIO, false, "磁盘读写出错"},
        {EFBIG, true, "文件太大"},
        {ENOTDIR, true, "路径中有一项不是文件夹"},
        {EXDEV, true, "不能跨文件系统替换文件"},
        {ELOOP, true, "符号链接太多或成环"},
        {12345, true, "系统错误代码 12345"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(fileErrorReason(row.error, row.writing), row.reason) << row.error;
    }
}

}  // namespace
}  // namespace norlune
