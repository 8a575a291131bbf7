// With none of the later search options given, `norlune-cli search` prints exactly what it printed
// before they existed. The expected outputs in tests/data/unchanged were written by the program as
// it was then: NAME.args holds the arguments one per line (@SMALL@ stands for tests/data/small.dat,
// a sample of every 150th line of M.dat) and NAME.out the standard output. The runs without
// --candidates read the shipped data/M.dat and data/F.dat, so a change of the reference data or of
// the candidate lists calls for writing them again with `norlune-cli $(cat NAME.args) > NAME.out`
// from the top folder data/.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "textio/test_files.h"

namespace norlune::cli {
namespace {

using testing_support::readExistingFile;

const std::filesystem::path kDataDir = NORLUNE_TEST_DATA_DIR;

std::vector<std::string> argsOf(const std::filesystem::path& path) {
    std::vector<std::string> args;
    std::istringstream lines(readExistingFile(path));
    std::string line;
    while (std::getline(lines, line)) {
        if (line == "@SMALL@") {
            line = (kDataDir / "small.dat").string();
        }
        args.push_back(line);
    }
    return args;
}

TEST(CliUnchanged, SearchOutputsMatchThoseWrittenBeforeTheNewOptions) {
    const std::filesystem::path shipped = kDataDir.parent_path().parent_path() / "data";
    ASSERT_TRUE(std::filesystem::exists(shipped / "M.dat")) << shipped;
    int cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kDataDir / "unchanged")) {
        if (entry.path().extension() != ".args") {
            continue;
        }
        ++cases;
        const std::vector<std::string> args = argsOf(entry.path());
        std::ostringstream out;
        std::ostringstream err;
        Io io{out, err, false, shipped.string()};
        EXPECT_EQ(run(args, io), kExitOk) << entry.path() << err.str();
        std::filesystem::path expected = entry.path();
        expected.replace_extension(".out");
        EXPECT_EQ(out.str(), readExistingFile(expected)) << entry.path();
    }
    EXPECT_GE(cases, 10);
}

}  // namespace
}  // namespace norlune::cli
