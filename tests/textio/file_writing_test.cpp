// Writing files safely: a temporary file that no planted link can redirect, a symbolic link at the
// target written through, the target's permissions kept, and failures that say why in Chinese.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <set>

#include "test_files.h"
#include "textio/file_writer.h"
#include "textio/text_encoding.h"
#include "textio/text_reader.h"
#include "textio/visible_text.h"

namespace norlune {
namespace {

using namespace testing_support;

// Makes the temporary names predictable for one test: tokens 0, 1, 2, … in turn.
class CountedTemporaryNames {
public:
    CountedTemporaryNames() {
        setTemporaryTokensForTesting([this] { return next_++; });
    }
    ~CountedTemporaryNames() { setTemporaryTokensForTesting({}); }
    CountedTemporaryNames(const CountedTemporaryNames&) = delete;
    CountedTemporaryNames& operator=(const CountedTemporaryNames&) = delete;

private:
    std::uint64_t next_ = 0;
};

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
    const CountedTemporaryNames counted;
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
    // With every temporary name of the next write taken, nothing is written and the target stays
    // as it was (the first write used tokens 0 to 2).
    for (std::uint64_t token = 3; token < 3 + kTemporaryAttempts; ++token) {
        std::filesystem::create_symlink(victim, temporaryPathFor(target, token));
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
        ASSERT_EQ(writeTextFileAtomically(path, {"王"}, ReadOnlyTarget::Replace), "");
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

TEST(FileWritingTest, OnlyRegularFilesAreReplaced) {
    TempDir dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/null", dir.file("device"));
    std::filesystem::create_symlink(fifo, dir.file("to-pipe"));
    for (const std::string& path : {fifo, dir.file("device"), dir.file("to-pipe")}) {
        for (const ReadOnlyTarget readOnly : {ReadOnlyTarget::Refuse, ReadOnlyTarget::Replace}) {
            EXPECT_EQ(writeTextFileAtomically(path, {"王"}, readOnly),
                      "无法写入文件：" + path + "（不是普通文件，未写入）");
        }
    }
    // The pipe is still a pipe, the device is still the device, and no temporary file is left.
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              3);
}

TEST(FileWritingTest, ReadOnlyFilesAreReplacedOnlyWhenAllowed) {
    TempDir dir;
    const std::string path = dir.file("list.txt");
    writeBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_TRUE(isReadOnlyFile(path));
    EXPECT_EQ(writeTextFileAtomically(path, {"王"}),
              "无法写入文件：" + path + "（文件是只读的，未写入）");
    EXPECT_EQ(writeUtf8TextFileAtomically(path, {"王"}),
              "无法写入文件：" + path + "（文件是只读的，未写入）");
    EXPECT_EQ(readBytes(path), "old");
    ASSERT_EQ(writeTextFileAtomically(path, {"王"}, ReadOnlyTarget::Replace), "");
    EXPECT_EQ(readBytes(path), gbkLines({"王"}));
    EXPECT_EQ(permissions(path), 0444u);
    // Writable, missing and non-regular files are not read-only files.
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_FALSE(isReadOnlyFile(path));
    EXPECT_FALSE(isReadOnlyFile(dir.file("missing.txt")));
    EXPECT_FALSE(isReadOnlyFile(dir.path().string()));
    // Through a link, the file it points to is judged.
    ASSERT_EQ(::chmod(path.c_str(), 0400), 0);
    std::filesystem::create_symlink(path, dir.file("link.txt"));
    EXPECT_TRUE(isReadOnlyFile(dir.file("link.txt")));
}

TEST(FileWritingTest, HardLinkedFilesAreLeftAlone) {
    TempDir dir;
    const std::string path = dir.file("list.txt");
    writeBytes(path, "old");
    std::filesystem::create_hard_link(path, dir.file("other.txt"));
    EXPECT_EQ(
        writeTextFileAtomically(path, {"王"}),
        "无法写入文件：" + path + "（此文件还有其他硬链接，替换会使它们仍指向旧内容，未写入）");
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(readBytes(dir.file("other.txt")), "old");
    EXPECT_EQ(std::filesystem::hard_link_count(path), 2u);
    // Once the other name is gone, the file is an ordinary one again.
    std::filesystem::remove(dir.file("other.txt"));
    EXPECT_EQ(writeTextFileAtomically(path, {"王"}), "");
    EXPECT_EQ(readBytes(path), gbkLines({"王"}));
}

TEST(FileWritingTest, TemporaryNamesAreRandomHiddenAndBesideTheTarget) {
    EXPECT_EQ(temporaryPathFor("/a/b/list.txt", 0x0123456789abcdefULL),
              "/a/b/.list.txt.norlune-0123456789abcdef.tmp");
    EXPECT_EQ(temporaryPathFor("list.txt", 1), ".list.txt.norlune-0000000000000001.tmp");
    // The writer's tokens come from the kernel's generator: no repeats, no counting up, and every
    // hexadecimal digit position takes many values.
    std::set<std::uint64_t> seen;
    std::uint64_t previous = temporaryToken();
    int steps = 0;
    std::array<std::set<unsigned>, 16> digits;
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t token = temporaryToken();
        seen.insert(token);
        steps += token == previous + 1 ? 1 : 0;
        previous = token;
        for (std::size_t d = 0; d < digits.size(); ++d) {
            digits[d].insert(static_cast<unsigned>((token >> (4 * d)) & 0xF));
        }
    }
    EXPECT_EQ(seen.size(), 1000u);
    EXPECT_EQ(steps, 0);
    for (const auto& values : digits) {
        EXPECT_EQ(values.size(), 16u);
    }
    // Writes in a row leave no temporary file behind, and the last one wins.
    TempDir dir;
    const std::string path = dir.file("list.txt");
    ASSERT_EQ(writeTextFileAtomically(path, {"王"}), "");
    ASSERT_EQ(writeTextFileAtomically(path, {"李"}), "");
    EXPECT_EQ(readBytes(path), gbkLines({"李"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(FileWritingTest, PathsInMessagesAreShownSafely) {
    TempDir dir;
    const std::string folder = "a\x1b]0;X\x07\xE2\x80\xAE\xFF";
    const std::string path = dir.file(folder + "/list.txt");
    const std::string message = writeTextFileAtomically(path, {"王"});
    EXPECT_EQ(message, "无法写入文件：" + dir.file("a\\x1b]0;X\\x07\\u202e\\xff/list.txt") +
                           "（文件夹不存在）");
    EXPECT_EQ(message.find('\x1b'), std::string::npos);
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
