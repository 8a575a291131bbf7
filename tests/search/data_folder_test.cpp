#include "search/data_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace norlune {
namespace {

namespace fs = std::filesystem;

// An installation tree: ROOT/bin for the programs, ROOT/share/norlune for the data.
class DataFolderTest : public ::testing::Test {
protected:
    fs::path root =
        fs::temp_directory_path() / ("norlune-data-folder-" + std::to_string(::getpid()));
    fs::path bin = root / "bin";
    fs::path share = root / "share" / "norlune";
    void SetUp() override {
        fs::create_directories(bin);
        fs::create_directories(share);
    }
    void TearDown() override { fs::remove_all(root); }
    static void touch(const fs::path& file) { std::ofstream(file) << "1\r\n明\r\n"; }
};

TEST_F(DataFolderTest, ProgramFolderComesFirstThenTheSharedFolderBesideIt) {
    const std::vector<std::string> choices = candidateFolderChoices(bin.string());
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0], bin.string());
    EXPECT_EQ(fs::path(choices[1]), share);
    EXPECT_TRUE(fs::path(choices[2]).is_absolute());
    EXPECT_EQ(fs::path(choices[2]).filename(), "norlune");
}

struct Layout {
    const char* name;
    std::vector<const char*> besideProgram;  // files beside the program
    std::vector<const char*> inShare;        // files in ../share/norlune
    bool expectShare;                        // else the program's folder
};

TEST_F(DataFolderTest, FirstFolderHoldingEitherListWins) {
    const Layout layouts[] = {
        {"both places: beside the program wins", {"M.dat", "F.dat"}, {"M.dat", "F.dat"}, false},
        {"only beside the program", {"M.dat"}, {}, false},
        {"a girls' list alone counts", {"F.dat"}, {"M.dat", "F.dat"}, false},
        {"only installed", {}, {"M.dat", "F.dat"}, true},
        {"installed boys' list alone", {}, {"M.dat"}, true},
        {"unrelated file beside the program", {"help.html"}, {"F.dat"}, true},
        {"nowhere: the program's folder, for the message", {}, {}, false},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        for (const fs::path& folder : {bin, share}) {
            for (const auto& entry : fs::directory_iterator(folder)) {
                fs::remove(entry.path());
            }
        }
        for (const char* file : layout.besideProgram) {
            touch(bin / file);
        }
        for (const char* file : layout.inShare) {
            touch(share / file);
        }
        // The absolute installed folder is left out: this machine may have the package installed.
        const std::string found = firstFolderWithCandidates({bin.string(), share.string()});
        EXPECT_EQ(fs::path(found), layout.expectShare ? share : bin);
    }
}

TEST_F(DataFolderTest, AFolderNamedLikeAListDoesNotCount) {
    fs::create_directories(bin / "M.dat");
    touch(share / "M.dat");
    EXPECT_EQ(fs::path(firstFolderWithCandidates({bin.string(), share.string()})), share);
    EXPECT_EQ(firstFolderWithCandidates({}), "");
}

}  // namespace
}  // namespace norlune
