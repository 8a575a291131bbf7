// Name-list files: export, import, and what an unusable file gives.
#include "search/name_list_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "textio/test_files.h"

namespace norlune {
namespace {

using namespace testing_support;

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
