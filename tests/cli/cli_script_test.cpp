// The command line in the traditional interface: every text it prints is converted, the names the
// user typed or a candidate file holds stay as given, and with --hans (or a locale that does not
// ask for traditional characters) every output is what it was before, byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/cli.h"
#include "engine/utf8.h"
#include "script/interface_script.h"
#include "textio/test_files.h"

namespace norlune::cli {
namespace {

using testing_support::readExistingFile;

const std::filesystem::path kTestData = NORLUNE_TEST_DATA_DIR;
const std::string kShipped = std::string(NORLUNE_SOURCE_DIR) + "/data";

struct Output {
    int code;
    std::string out;
    std::string err;
};

// Runs in-process as main() would under a locale whose script is `locale`.
Output runWith(Script locale, const std::vector<std::string>& args,
               const std::string& exeDir = kShipped) {
    std::ostringstream out;
    std::ostringstream err;
    Io io{out, err, false, exeDir, locale};
    const int code = run(args, io);
    return {code, out.str(), err.str()};
}

std::vector<std::string> with(std::vector<std::string> args, std::size_t at,
                              const std::string& option) {
    args.insert(args.begin() + static_cast<std::ptrdiff_t>(std::min(at, args.size())), option);
    return args;
}

const std::string kFixtureCandidates =
    (kTestData / "sound_fixtures" / "sound_fixture_candidates.dat").string();

// Commands that together print every kind of text: usage, messages, reports, BaZi, the sound
// section, meanings, search and its end messages, places.
const std::vector<std::vector<std::string>> kCommands = {
    {},
    {"--help"},
    {"--version"},
    {"bogus"},
    {"report", "王", "小明"},
    {"report", "欧阳", "娜", "--female"},
    {"report", "单", "雄", "--need", "金木"},
    {"report", "张", "伟"},
    {"report", "刘", "晓东"},
    {"report", "钱", "发"},
    {"score", "陈", "志明"},
    {"grids", "张", "伟"},
    {"sound", "王", "小明"},
    {"sound", "杜", "子腾"},
    {"meaning", "王", "子衿"},
    {"meaning", "王", "浩然"},
    {"strokes", "张陈伟东发"},
    {"element", "张陈伟东发"},
    {"trad", "张陈伟东发"},
    {"compare", "王", "小明", "晓东", "发"},
    {"twins", "--surname", "李", "--top", "5"},
    {"search", "--surname", "王", "--scores", "--top", "20"},
    {"search", "--surname", "王", "--csv", "--top", "5"},
    {"search", "--surname", "张", "--candidates", kFixtureCandidates, "--top", "5"},
    {"search", "--surname", "李", "--left", "子", "--right", "涵"},
    {"search", "--surname", "王", "--either"},
    {"pillars", "1990-05-01 08:30"},
    {"lunar", "1990-05-01 08:30"},
    {"bazi", "1990-05-01 08:30", "--female", "--place", "乌鲁木齐"},
    {"bazi", "1975-06-01 10:00", "--longitude", "121.5"},
    {"places"},
    {"places", "广东省"},
    {"grids", "王"},
    {"score", "王", "小明", "--need", "发"},
};

TEST(CliScript, HansIsTodaysOutputUnderATraditionalLocale) {
    for (const auto& args : kCommands) {
        const Output today = runWith(Script::Hans, args);
        for (std::size_t at : {std::size_t{0}, std::size_t{1}, args.size()}) {
            const Output hans = runWith(Script::Hant, with(args, at, "--hans"));
            EXPECT_EQ(hans.code, today.code) << args.size();
            EXPECT_EQ(hans.out, today.out) << (args.empty() ? "" : args[0]);
            EXPECT_EQ(hans.err, today.err) << (args.empty() ? "" : args[0]);
        }
        // The last of the two options decides.
        EXPECT_TRUE(runWith(Script::Hans, with(with(args, 0, "--hant"), 0, "--hans")).out ==
                    runWith(Script::Hans, with(args, 0, "--hant")).out);
    }
}

TEST(CliScript, FixturesPassWithHansUnderATraditionalLocale) {
    const std::string candidates = kFixtureCandidates;
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"search", "--surname", "王", "--scores", "--candidates", candidates}, "search_wang.txt"},
        {{"search", "--surname", "欧阳", "--female", "--length", "2", "--candidates", candidates},
         "search_ouyang.txt"},
        {{"search", "--surname", "李", "--left", "子", "--top", "200", "--scores", "--candidates",
          candidates},
         "search_li_zi.txt"},
    };
    for (const auto& [args, fixture] : cases) {
        const Output hans = runWith(Script::Hant, with(args, 0, "--hans"), "/nonexistent");
        EXPECT_EQ(hans.out, readExistingFile(kTestData / "sound_fixtures" / fixture)) << fixture;
    }
    for (const char* fixture : {"report_wang_xiaoming.txt", "report_du_ziteng.txt"}) {
        const std::string before = readExistingFile(kTestData / "sound_fixtures" / fixture);
        const std::vector<std::string> args =
            std::string(fixture) == "report_du_ziteng.txt"
                ? std::vector<std::string>{"report", "杜", "子腾", "--hans"}
                : std::vector<std::string>{"--hans", "report", "王", "小明"};
        EXPECT_EQ(runWith(Script::Hant, args).out.substr(0, before.size()), before) << fixture;
    }
    int cases_run = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kTestData / "unchanged")) {
        if (entry.path().extension() != ".args") {
            continue;
        }
        std::vector<std::string> args;
        std::istringstream lines(readExistingFile(entry.path()));
        std::string line;
        while (std::getline(lines, line)) {
            args.push_back(line == "@SMALL@" ? (kTestData / "small.dat").string() : line);
        }
        std::filesystem::path expected = entry.path();
        expected.replace_extension(".out");
        EXPECT_EQ(runWith(Script::Hant, with(args, args.size(), "--hans")).out,
                  readExistingFile(expected))
            << entry.path();
        ++cases_run;
    }
    EXPECT_GE(cases_run, 10);
}

// The characters that a converted output may still hold in simplified form: those of the names.
bool isNameCharacter(char32_t ch, const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (utf8ToU32(arg).find(ch) != std::u32string::npos) {
            return true;
        }
    }
    return false;
}

TEST(CliScript, HantConvertsEveryTextButTheNames) {
    const ScriptConverter& converter = ScriptConverter::builtIn();
    std::size_t changed = 0;
    for (const auto& args : kCommands) {
        const Output hans = runWith(Script::Hans, args);
        const Output hant = runWith(Script::Hans, with(args, args.size(), "--hant"));
        const std::string what = args.empty() ? "(none)" : args[0];
        // The candidate names of a search or of twins stand in the standard output.
        const bool candidateNames = what == "search" || what == "twins";
        EXPECT_EQ(hant.code, hans.code) << what;
        for (const auto& [simplified, traditional, names] :
             {std::tuple{hans.out, hant.out, candidateNames},
              std::tuple{hans.err, hant.err, false}}) {
            // Character for character: the same lines, the same length, and every character
            // either as it was or its conversion.
            const std::u32string a = utf8ToU32(simplified);
            const std::u32string b = utf8ToU32(traditional);
            ASSERT_EQ(a.size(), b.size()) << what << "\n" << traditional;
            for (std::size_t i = 0; i < a.size(); ++i) {
                if (a[i] != b[i]) {
                    ++changed;
                    EXPECT_FALSE(converter.isSimplifiedOnly(b[i])) << what;
                }
                if (converter.isSimplifiedOnly(b[i])) {
                    // Left as it was: only a character the user typed or a candidate name holds.
                    EXPECT_TRUE(names || isNameCharacter(b[i], args))
                        << what << ": " << u32ToUtf8(std::u32string(1, b[i])) << " left in\n"
                        << traditional;
                }
            }
        }
    }
    EXPECT_GT(changed, 2000U);
}

TEST(CliScript, NamesStayAsTyped) {
    const Output wang = runWith(Script::Hant, {"report", "王", "小明"});
    EXPECT_NE(wang.out.find("王小明(繁體:王小明)"), std::string::npos) << wang.out;
    EXPECT_NE(wang.out.find("總格"), std::string::npos);
    EXPECT_EQ(wang.out.find("总格"), std::string::npos);
    const Output zhang = runWith(Script::Hant, {"report", "张", "伟"});
    EXPECT_NE(zhang.out.find("张伟(繁體:"), std::string::npos) << zhang.out;
    const Output liu = runWith(Script::Hant, {"report", "刘", "晓东"});
    EXPECT_NE(liu.out.find("刘晓东(繁體:"), std::string::npos) << liu.out;
    EXPECT_NE(liu.out.find("\n晓：天亮"), std::string::npos) << liu.out;
    EXPECT_NE(liu.out.find("\n东：東方"), std::string::npos) << liu.out;
    // A single given character is kept where it stands for the name, and converted in the texts.
    const Output qian = runWith(Script::Hant, {"report", "钱", "发"});
    EXPECT_NE(qian.out.find("\n发：發出、發展"), std::string::npos) << qian.out;
    EXPECT_EQ(qian.out.find("钱财"), std::string::npos);
    // The per-character commands list the characters as typed; trad prints the name data.
    EXPECT_EQ(runWith(Script::Hant, {"strokes", "发"}).out,
              runWith(Script::Hans, {"strokes", "发"}).out);
    EXPECT_EQ(runWith(Script::Hant, {"trad", "发伟"}).out,
              runWith(Script::Hans, {"trad", "发伟"}).out);
    // The candidate names of a search, of a comparison and of twins.
    const Output search =
        runWith(Script::Hant, {"search", "--surname", "张", "--candidates", kFixtureCandidates});
    EXPECT_EQ(search.out, runWith(Script::Hans,
                                  {"search", "--surname", "张", "--candidates", kFixtureCandidates})
                              .out);
    EXPECT_NE(search.err, runWith(Script::Hans,
                                  {"search", "--surname", "张", "--candidates", kFixtureCandidates})
                              .err);
    // The table of a search: each row's name and its traditional form as the name data has them,
    // the given characters of the meanings as in the name; the header converted.
    const std::vector<std::string> csvArgs = {"search", "--surname", "王", "--csv", "--top", "30"};
    std::istringstream csvHans(runWith(Script::Hans, csvArgs).out);
    std::istringstream csvHant(runWith(Script::Hant, csvArgs).out);
    std::string a;
    std::string b;
    std::getline(csvHans, a);
    std::getline(csvHant, b);
    EXPECT_EQ(b.substr(0, b.find(",得分")), "姓名,繁體");
    int csvRows = 0;
    while (std::getline(csvHans, a) && std::getline(csvHant, b)) {
        const auto nameAndForm = [](const std::string& line) {
            return line.substr(0, line.find(',', line.find(',') + 1));
        };
        EXPECT_EQ(nameAndForm(b), nameAndForm(a));
        const std::u32string given = utf8ToU32(a.substr(0, a.find(','))).substr(1);
        for (char32_t ch : given) {
            const std::string prefix = u32ToUtf8(std::u32string(1, ch)) + "：";
            EXPECT_EQ(a.find(prefix) != std::string::npos, b.find(prefix) != std::string::npos)
                << b;
        }
        ++csvRows;
    }
    EXPECT_EQ(csvRows, 30);
    const Output compare = runWith(Script::Hant, {"compare", "刘", "晓东", "伟"});
    EXPECT_NE(compare.out.find("刘晓东"), std::string::npos) << compare.out;
    EXPECT_NE(compare.out.find("刘伟"), std::string::npos) << compare.out;
    EXPECT_NE(compare.out.find("總格"), std::string::npos) << compare.out;
}

// The places as the traditional interface lists them can be typed back.
TEST(CliScript, PlacesTypedInTraditionalCharactersAreFound) {
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
        {{"bazi", "1990-05-01 08:30", "--place", "乌鲁木齐"},
         {"bazi", "1990-05-01 08:30", "--place", "烏魯木齊"}},
        {{"pillars", "1990-05-01 08:30", "--place", "乌鲁木齐市"},
         {"pillars", "1990-05-01 08:30", "--place", "烏魯木齊市"}},
        {{"bazi", "1975-06-01 10:00", "--place", "广州"},
         {"bazi", "1975-06-01 10:00", "--place", "廣州"}},
        {{"places", "广东省"}, {"places", "廣東省"}},
        {{"places", "新疆"}, {"places", "新疆"}},
        {{"places", "新疆维吾尔自治区"}, {"places", "新疆維吾爾自治區"}},
    };
    for (Script script : {Script::Hans, Script::Hant}) {
        for (const auto& [listed, typed] : cases) {
            const Output a = runWith(script, listed);
            const Output b = runWith(script, typed);
            EXPECT_EQ(a.code, kExitOk) << a.err;
            EXPECT_EQ(b.code, kExitOk) << b.err;
            EXPECT_EQ(a.out, b.out) << typed.back();
        }
    }
    // An unknown place is still refused, and named as typed.
    const Output unknown = runWith(Script::Hant, {"bazi", "1990-05-01 08:30", "--place", "发发市"});
    EXPECT_EQ(unknown.code, kExitUsage);
    EXPECT_NE(unknown.err.find("发发市"), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.err.find("未知的出生地點"), std::string::npos) << unknown.err;
}

// The options decide the script a command runs in; the caller's Io is not changed.
TEST(CliScript, HansUnderATraditionalLocaleLeavesTheCallersIoAsItWas) {
    std::ostringstream out;
    std::ostringstream err;
    Io io{out, err, false, kShipped, Script::Hant};
    // `--hans` under a traditional locale: the output is today's, and nothing keeps names.
    EXPECT_EQ(run(std::vector<std::string>{"--hans", "report", "王", "小明"}, io), kExitOk);
    EXPECT_EQ(out.str(), runWith(Script::Hans, {"report", "王", "小明"}).out);
    EXPECT_EQ(io.script, Script::Hant);  // the caller's own Io is left as it was
    EXPECT_EQ(io.kept, nullptr);
}

TEST(CliScript, FilePathsInMessagesStayAsGiven) {
    const std::string missing = "/nonexistent/名单发.dat";
    const Output hans =
        runWith(Script::Hans, {"search", "--surname", "王", "--candidates", missing});
    const Output hant =
        runWith(Script::Hant, {"search", "--surname", "王", "--candidates", missing});
    EXPECT_NE(hant.code, 0);
    EXPECT_NE(hans.err.find(missing), std::string::npos) << hans.err;
    EXPECT_NE(hant.err.find(missing), std::string::npos) << hant.err;
    EXPECT_NE(hant.err, hans.err);
}

// The program itself, under the locale's variables.
std::string runProgram(const std::string& environment, const std::string& arguments) {
    const std::string command = "env -u LC_ALL -u LC_MESSAGES -u LANGUAGE " + environment +
                                " '" NORLUNE_CLI_PATH "' " + arguments + " 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    std::size_t n = 0;
    while (pipe != nullptr && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    if (pipe != nullptr) {
        ::pclose(pipe);
    }
    return out;
}

TEST(CliScript, TheProgramFollowsTheLocale) {
    const std::string hans = runWith(Script::Hans, {"report", "王", "小明"}).out;
    const std::string hant = runWith(Script::Hans, {"report", "王", "小明", "--hant"}).out;
    ASSERT_NE(hans, hant);
    EXPECT_EQ(runProgram("LANG=zh_TW.UTF-8", "report 王 小明"), hant);
    EXPECT_EQ(runProgram("LANG=zh_HK.UTF-8", "report 王 小明"), hant);
    EXPECT_EQ(runProgram("LANG=C LC_MESSAGES=zh_MO.UTF-8", "report 王 小明"), hant);
    EXPECT_EQ(runProgram("LANG=zh_TW.UTF-8", "--hans report 王 小明"), hans);
    EXPECT_EQ(runProgram("LANG=zh_TW.UTF-8 LC_ALL=zh_CN.UTF-8", "report 王 小明"), hans);
    EXPECT_EQ(runProgram("LANG=C", "report 王 小明"), hans);
    EXPECT_EQ(runProgram("LANG=zh_CN.UTF-8", "report 王 小明"), hans);
    EXPECT_EQ(runProgram("LANG=C", "report 王 小明 --hant"), hant);
}

}  // namespace
}  // namespace norlune::cli
