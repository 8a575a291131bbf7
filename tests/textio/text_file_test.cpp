#include "search/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "search/name_list_file.h"
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
    for (unsigned attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        ::mkdir(temporaryPathFor(path, attempt).c_str(), 0755);
    }
    EXPECT_NE(writeTextFileAtomically(path, {"李"}), "");
    EXPECT_EQ(decodeText(readBytes(path)).utf8, "王\r\n王小明\r\n");
}

TEST(NameListFileTest, ExportThenImportGivesTheSameListAndSurname) {
    TempDir dir;
    const std::string path = dir.file("names.txt");
    const NameList list{"欧阳", {"欧阳明", "欧阳小明", "86)欧阳明"}};
    ASSERT_EQ(exportNameList(path, list), "");
    const NameListImport back = importNameList(path);
    ASSERT_TRUE(back.list.has_value());
    EXPECT_EQ(back.list->Gxing, "欧阳");
    EXPECT_EQ(back.list->entries, list.entries);
    EXPECT_EQ(back.message, "");
}

TEST(NameListFileTest, EmptyListWritesNothing) {
    TempDir dir;
    const std::string path = dir.file("names.txt");
    EXPECT_EQ(exportNameList(path, {"王", {}}), "");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(NameListFileTest, ImportsGbkAndUtf8FilesSkippingEmptyLines) {
    TempDir dir;
    const std::string gbk = dir.file("gbk.txt");
    writeBytes(gbk, std::string(kGbkOu) + std::string(kGbkYang) + "\r\n" + std::string(kGbkOu) +
                        std::string(kGbkYang) + std::string(kGbkMing) + "\r\n\r\n " +
                        std::string(kGbkWang) + " \r\n");
    const NameListImport a = importNameList(gbk);
    ASSERT_TRUE(a.list.has_value());
    EXPECT_EQ(a.list->Gxing, "欧阳");
    EXPECT_EQ(a.list->entries, (std::vector<std::string>{"欧阳明", " 王 "}));  // blanks kept

    const std::string utf8 = dir.file("utf8.txt");
    writeBytes(utf8, "\xEF\xBB\xBF王\n王小明\n\n王明");
    const NameListImport b = importNameList(utf8);
    ASSERT_TRUE(b.list.has_value());
    EXPECT_EQ(b.list->Gxing, "王");
    EXPECT_EQ(b.list->entries, (std::vector<std::string>{"王小明", "王明"}));

    const std::string onlySurname = dir.file("surname.txt");
    writeBytes(onlySurname, "\r\n");
    const NameListImport c = importNameList(onlySurname);
    ASSERT_TRUE(c.list.has_value());
    EXPECT_EQ(c.list->Gxing, "");
    EXPECT_TRUE(c.list->entries.empty());
}

TEST(NameListFileTest, UnusableFilesGiveAMessageAndNoList) {
    TempDir dir;
    const std::string empty = dir.file("empty.txt");
    writeBytes(empty, "");
    const NameListImport a = importNameList(empty);
    EXPECT_FALSE(a.list.has_value());
    EXPECT_NE(a.message, "");
    const NameListImport b = importNameList(dir.file("missing.txt"));
    EXPECT_FALSE(b.list.has_value());
    EXPECT_NE(b.message.find("missing.txt"), std::string::npos);
    const std::string broken = dir.file("broken.txt");
    writeBytes(broken, std::string(kGbkWang) + "\r\n\xFF\xFE");
    const NameListImport c = importNameList(broken);
    ASSERT_TRUE(c.list.has_value());  // decoded with replacement characters, with a warning
    EXPECT_NE(c.message, "");
}

}  // namespace
}  // namespace norlune
