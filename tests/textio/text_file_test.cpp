#include "textio/file_writer.h"
#include "textio/text_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_files.h"

namespace norlune {
namespace {

using namespace testing_support;

TEST(TextFileTest, DecodesUtf8WithAndWithoutMarkAndGbk) {
    EXPECT_EQ(decodeText("王小明").utf8, "王小明");
    EXPECT_EQ(decodeText("\xEF\xBB\xBF王小明").utf8, "王小明");
    const std::string gbk = std::string(kGbkWang) + std::string(kGbkXiao) + std::string(kGbkMing);
    const DecodedText d = decodeText(gbk);
    EXPECT_EQ(d.utf8, "王小明");
    EXPECT_FALSE(d.hadInvalidBytes);
    EXPECT_EQ(decodeText("").utf8, "");
    EXPECT_EQ(decodeText("abc\r\n").utf8, "abc\r\n");
}

TEST(TextFileTest, BrokenBytesAreReplacedNotFatal) {
    // A lead byte of GBK at the very end, and a byte no encoding accepts.
    const std::string bytes = std::string(kGbkWang) + "\xFF" + std::string(kGbkMing) + "\xCD";
    const DecodedText d = decodeText(bytes);
    EXPECT_TRUE(d.hadInvalidBytes);
    EXPECT_EQ(d.utf8.rfind("王", 0), 0u);
    EXPECT_NE(d.utf8.find("明"), std::string::npos);
    EXPECT_NE(d.utf8.find("\xEF\xBF\xBD"), std::string::npos);
    const DecodedText bom = decodeText("\xEF\xBB\xBF王\xFF");
    EXPECT_TRUE(bom.hadInvalidBytes);
    EXPECT_EQ(bom.utf8, "王\xEF\xBF\xBD");
}

TEST(TextFileTest, EncodesGbkCharactersAsGbkAndKeepsTheRest) {
    EXPECT_EQ(encodeGb18030("王小明"),
              std::string(kGbkWang) + std::string(kGbkXiao) + std::string(kGbkMing));
    // A character outside GBK survives the round trip through GB18030.
    const std::string rare = "王\U00020000明";
    EXPECT_EQ(decodeText(encodeGb18030(rare)).utf8, rare);
}

TEST(TextFileTest, LineEnds) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(splitTextLines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(splitTextLines("a\r\n\r\nb\r\n"), (V{"a", "", "b"}));
    EXPECT_EQ(splitTextLines(""), V{});
    EXPECT_EQ(splitTextLines("\r\n"), (V{""}));
    EXPECT_EQ(splitTextLines("x\r"), (V{"x"}));
}

TEST(TextFileTest, MissingAndDirectoryPathsAreReported) {
    TempDir dir;
    EXPECT_EQ(readTextFile(dir.file("nope.txt")).status, FileStatus::NotFound);
    EXPECT_EQ(readTextFile(dir.path().string()).status, FileStatus::Unreadable);
}

TEST(TextFileTest, AtomicWriteReplacesOnlyWhenComplete) {
    TempDir dir;
    const std::string path = dir.file("list.txt");
    ASSERT_EQ(writeTextFileAtomically(path, {"王", "王小明"}), "");
    EXPECT_EQ(readBytes(path), std::string(kGbkWang) + "\r\n" + std::string(kGbkWang) +
                                   std::string(kGbkXiao) + std::string(kGbkMing) + "\r\n");
    // A target inside a missing folder cannot be written: a message, nothing created.
    EXPECT_NE(writeTextFileAtomically(dir.file("missing/list.txt"), {"王"}), "");
    // A temporary file that cannot be created leaves the existing target as it was.
    std::uint64_t token = 0;
    setTemporaryTokensForTesting([&token] { return token++; });
    for (std::uint64_t taken = 0; taken < kTemporaryAttempts; ++taken) {
        ::mkdir(temporaryPathFor(path, taken).c_str(), 0755);
    }
    EXPECT_NE(writeTextFileAtomically(path, {"李"}), "");
    setTemporaryTokensForTesting({});
    EXPECT_EQ(decodeText(readBytes(path)).utf8, "王\r\n王小明\r\n");
}

}  // namespace
}  // namespace norlune
