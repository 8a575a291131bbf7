// Outputs recorded before the sound analysis came in: with the sound options off the search prints
// exactly what it printed then, and the name report keeps every line it had, followed by the
// sound section and the section of meanings and sources.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "sound/sound_analysis.h"
#include "tests/cli/cli_run.h"

namespace norlune::cli {
namespace {

std::string readFixture(const std::string& name) {
    std::ifstream in(std::string(NORLUNE_TEST_DATA_DIR) + "/sound_fixtures/" + name,
                     std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string runCli(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    Io io{out, err, false, "/nonexistent"};
    EXPECT_EQ(run(args, io), kExitOk) << err.str();
    return out.str();
}

struct FixtureCase {
    std::vector<std::string> args;
    std::string fixture;
};

TEST(CliFixtureTest, SearchOutputIsUnchanged) {
    const std::string candidates =
        std::string(NORLUNE_TEST_DATA_DIR) + "/sound_fixtures/sound_fixture_candidates.dat";
    const FixtureCase cases[] = {
        {{"search", "--surname", "王", "--scores"}, "search_wang.txt"},
        {{"search", "--surname", "欧阳", "--female", "--length", "2"}, "search_ouyang.txt"},
        {{"search", "--surname", "李", "--left", "子", "--top", "200", "--scores"},
         "search_li_zi.txt"},
    };
    for (const FixtureCase& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("--candidates");
        args.push_back(candidates);
        EXPECT_EQ(runCli(args), readFixture(c.fixture)) << c.fixture;
    }
}

TEST(CliFixtureTest, ReportKeepsEveryEarlierLine) {
    const FixtureCase cases[] = {
        {{"report", "王", "小明"}, "report_wang_xiaoming.txt"},
        {{"report", "杜", "子腾"}, "report_du_ziteng.txt"},
        {{"report", "欧阳", "娜", "--female"}, "report_ouyang_na.txt"},
        {{"report", "单", "雄", "--need", "金木"}, "report_shan_xiong.txt"},
    };
    for (const FixtureCase& c : cases) {
        const std::string out = runCli(c.args);
        const std::string before = readFixture(c.fixture);
        ASSERT_GE(out.size(), before.size()) << c.fixture;
        EXPECT_EQ(out.substr(0, before.size()), before) << c.fixture;
        // What follows is the sound section, then the meanings and sources, and nothing else.
        EXPECT_EQ(out.substr(before.size()), cli_test::reportTail(c.args[1], c.args[2]))
            << c.fixture;
    }
}

TEST(CliFixtureTest, SoundOptionsOnlyLeaveNamesOut) {
    const std::string candidates =
        std::string(NORLUNE_TEST_DATA_DIR) + "/sound_fixtures/sound_fixture_candidates.dat";
    const SoundTables sound = SoundTables::builtIn();
    for (std::string surname : {"王", "吴", "杨"}) {
        const std::string all =
            runCli({"search", "--surname", surname, "--top", "10000", "--candidates", candidates});
        const std::string clean =
            runCli({"search", "--surname", surname, "--top", "10000", "--clean-sound",
                    "--standard-chars", "--candidates", candidates});
        std::istringstream kept(clean);
        int count = 0;
        for (std::string name; std::getline(kept, name); ++count) {
            EXPECT_NE(all.find(name + "\n"), std::string::npos) << name;
            const SoundAnalysis a = analyzeSound(sound, surname, name.substr(surname.size()));
            EXPECT_TRUE(a.homophones.empty()) << name;
            EXPECT_FALSE(a.famous) << name;
            EXPECT_TRUE(a.outsideStandard.empty()) << name;
        }
        EXPECT_GT(count, 100) << surname;
        EXPECT_LT(clean.size(), all.size()) << surname;
    }
}

}  // namespace
}  // namespace norlune::cli
