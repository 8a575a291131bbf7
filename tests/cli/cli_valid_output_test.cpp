#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "tests/cli/cli_run.h"

namespace norlune::cli {
namespace {

struct Case {
    std::vector<std::string> args;
    std::string expected;
};

// valid_outputs.txt: a "### " line with the arguments (TAB-separated, @DATA@ for the data folder),
// then what the program printed for them.
std::vector<Case> readCases() {
    const std::string dataDir = std::string(NORLUNE_TEST_DATA_DIR) + "/cli";
    std::ifstream file(dataDir + "/valid_outputs.txt", std::ios::binary);
    std::vector<Case> cases;
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("### ", 0) == 0) {
            Case c;
            std::istringstream fields(line.substr(4));
            std::string arg;
            while (std::getline(fields, arg, '\t')) {
                if (const auto at = arg.find("@DATA@"); at != std::string::npos) {
                    arg.replace(at, 6, dataDir);
                }
                c.args.push_back(arg);
            }
            cases.push_back(std::move(c));
        } else if (!cases.empty()) {
            cases.back().expected += line + '\n';
        }
    }
    return cases;
}

// Valid input prints exactly what the program printed before the checks of its arguments and of
// its output were added. If the reference data changes on purpose, rerun
// tests/data/cli/make_valid_outputs.sh with the program of the commit before the change.
TEST(CliValidOutputTest, ValidCommandsPrintTheRecordedOutput) {
    const std::vector<Case> cases = readCases();
    ASSERT_GE(cases.size(), 25u);
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        Io io{out, err, false, "/nonexistent"};
        const int code = run(c.args, io);
        std::string shown;
        for (const std::string& arg : c.args) {
            shown += arg + ' ';
        }
        EXPECT_EQ(code, kExitOk) << shown << err.str();
        std::string expected = c.expected;
        if (c.args[0] == "report") {
            // The report has since gained its sound section and the section of meanings and
            // sources at the end, and changed nowhere else.
            expected += cli_test::reportTail(c.args[1], c.args[2]);
        }
        EXPECT_EQ(out.str(), expected) << shown;
    }
}

}  // namespace
}  // namespace norlune::cli
