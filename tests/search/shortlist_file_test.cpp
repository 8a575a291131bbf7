// The shortlist file beside a name-list file.
#include "search/shortlist_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "search/name_list_file.h"
#include "textio/file_writer.h"

namespace norlune {
namespace {

class ShortlistFileTest : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("norlune-shortlist-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
};

TEST(ShortlistPathTest, NamedAfterTheListFile) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/a/名单.txt", "/a/名单.备选名单.txt"},
        {"/a/list", "/a/list.备选名单"},
        {"/a/b.c/list.v2.txt", "/a/b.c/list.v2.备选名单.txt"},
        {"名单.txt", "名单.备选名单.txt"},
    };
    for (const auto& [list, beside] : cases) {
        EXPECT_EQ(shortlistPathFor(list), beside) << list;
    }
}

TEST_F(ShortlistFileTest, RoundTripKeepsSurnameNameAndSex) {
    const std::vector<ShortlistEntry> names = {
        {"王", "王小明", false}, {"欧阳", "欧阳子文", true}, {"陈", "陈力", false}};
    EXPECT_EQ(saveShortlistFor(path("名单.txt"), names), "");
    EXPECT_TRUE(std::filesystem::exists(dir / "名单.备选名单.txt"));
    const ShortlistLoad loaded = loadShortlistFor(path("名单.txt"));
    EXPECT_EQ(loaded.message, "");
    EXPECT_EQ(loaded.names, names);
}

TEST_F(ShortlistFileTest, AListWithoutShortlistLoadsNoneWithoutMessage) {
    const ShortlistLoad loaded = loadShortlistFor(path("old.txt"));
    EXPECT_TRUE(loaded.names.empty());
    EXPECT_EQ(loaded.message, "");
}

TEST_F(ShortlistFileTest, EmptyShortlistRemovesOnlyOurOwnFile) {
    ASSERT_EQ(saveShortlistFor(path("a.txt"), {{"王", "王明", false}}), "");
    EXPECT_EQ(saveShortlistFor(path("a.txt"), {}), "");
    EXPECT_FALSE(std::filesystem::exists(dir / "a.备选名单.txt"));
    // A file of that name that is not a shortlist stays.
    std::ofstream(dir / "b.备选名单.txt") << "something else\r\n";
    EXPECT_EQ(saveShortlistFor(path("b.txt"), {}), "");
    EXPECT_TRUE(std::filesystem::exists(dir / "b.备选名单.txt"));
    const ShortlistLoad foreign = loadShortlistFor(path("b.txt"));
    EXPECT_TRUE(foreign.names.empty());
    EXPECT_NE(foreign.message, "");
}

TEST_F(ShortlistFileTest, MalformedLinesAreSkipped) {
    ASSERT_EQ(writeTextFileAtomically(path("c.备选名单.txt"),
                                      {"备选名单", "王\t王小明\t男", "no tabs", "王\t李明\t男",
                                       "王\t王\t男", "王\t王明\t不明", "", "陈\t陈力\t女"}),
              "");
    const ShortlistLoad loaded = loadShortlistFor(path("c.txt"));
    EXPECT_EQ(loaded.names,
              (std::vector<ShortlistEntry>{{"王", "王小明", false}, {"陈", "陈力", true}}));
}

TEST_F(ShortlistFileTest, UnwritableFolderIsReported) {
    EXPECT_NE(saveShortlistFor((dir / "missing" / "x.txt").string(), {{"王", "王明", false}}), "");
}

}  // namespace
}  // namespace norlune
