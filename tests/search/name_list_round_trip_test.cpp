#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "search/name_list_file.h"
#include "textio/test_files.h"
#include "textio/text_encoding.h"

namespace norlune {
namespace {

class NameListRoundTripTest : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("norlune-round-trip-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

// A list is written as GB18030 (GBK for GBK characters), with GB18030's byte-order mark only when
// the plain bytes would read back as another text; either way it reads back unchanged.
TEST_F(NameListRoundTripTest, ExportedListsReadBackUnchanged) {
    struct Row {
        NameList list;
        bool plain;  // the bytes are the plain GB18030 of the lines
    };
    const std::vector<Row> rows = {
        {{"王", {"王小明", "王华"}}, true},
        {{"郑", {"郑明", "郑国华"}}, true},
        {{"欧阳", {"欧阳修", "欧阳𠀀"}}, true},
        {{"", {"王明"}}, true},
        // The GB18030 of these is the UTF-8 of 王渎.
        {{"", {"鐜嬫笌"}}, false},
        {{"鐜嬫笌", {"鐜嬫笌鐜嬫笌"}}, false},
        // A private-use character without a GB18030 form in the converter.
        {{"王", {"王\xEE\x9E\x8E"}}, false},
    };
    const std::string path = (dir / "list.txt").string();
    for (const Row& row : rows) {
        ASSERT_EQ(exportNameList(path, row.list), "");
        std::string text = row.list.Gxing + "\r\n";
        for (const std::string& entry : row.list.entries) {
            text += entry + "\r\n";
        }
        EXPECT_EQ(testing_support::readBytes(path) == encodeGb18030(text), row.plain)
            << row.list.entries.front();
        const NameListImport back = importNameList(path);
        ASSERT_TRUE(back.list.has_value()) << row.list.entries.front();
        EXPECT_EQ(back.list->Gxing, row.list.Gxing);
        EXPECT_EQ(back.list->entries, row.list.entries);
    }
}

// Every file of the name-list fuzz corpus (among them the fuzzer's findings): import, export and
// import again give the same list.
TEST_F(NameListRoundTripTest, FuzzCorpusListsSurviveExportAndImport) {
    const std::filesystem::path corpus =
        std::filesystem::path(NORLUNE_SOURCE_DIR) / "fuzz" / "corpus" / "name_list";
    const std::string copy = (dir / "copy.txt").string();
    std::size_t lists = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const NameListImport first = importNameList(entry.path().string());
        if (!first.list || first.list->entries.empty()) {
            continue;
        }
        ++lists;
        ASSERT_EQ(exportNameList(copy, *first.list), "") << entry.path();
        const NameListImport second = importNameList(copy);
        ASSERT_TRUE(second.list.has_value()) << entry.path();
        EXPECT_EQ(second.list->Gxing, first.list->Gxing) << entry.path();
        EXPECT_EQ(second.list->entries, first.list->entries) << entry.path();
    }
    EXPECT_GE(lists, 10u);
}

}  // namespace
}  // namespace norlune
