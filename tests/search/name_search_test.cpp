// Search runs over small candidate files, against an independent model of the filter and the keep
// rule.
#include "search/name_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "engine/utf8.h"
#include "linear_table.h"
#include "textio/test_files.h"
#include "textio/text_reader.h"

namespace norlune {
namespace {

using namespace testing_support;

// Made-up tables so that scores spread over the keep threshold: grades by the number's last digit.
std::string numerologyText() {
    const char* grades[] = {"凶", "大吉", "吉", "半吉", "大吉", "平", "大吉", "吉", "大凶", "大吉"};
    std::string text;
    for (int n = 1; n <= 81; ++n) {
        text += std::to_string(n) + "\t\t" + grades[n % 10] + "\t\t\n";
    }
    return text;
}

// 甲..癸 one to ten strokes, 子..亥 eleven to twenty-two.
constexpr std::u32string_view kChars = U"甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥";

std::string strokesText() {
    std::string text;
    for (char32_t ch : kChars) {
        appendUtf8(text, ch);
        text += '\n';
    }
    return text;
}

class NameSearchTest : public ::testing::Test {
protected:
    NameTables tables{TraditionalMap::fromText(""), StrokeDictionary::fromText(strokesText()),
                      NumerologyTable::fromText(numerologyText()), SanCaiTable::fromText("")};
    ElementCharacterLists elements =
        ElementCharacterLists::fromText("甲乙丙\n丁戊己\n庚辛\n壬癸\n子\n");
    NameEngine engine{tables, elements};
    NameSearch search{engine};
    TempDir dir;

    void writeCandidates(const std::string& name, const std::vector<std::string>& lines,
                         std::string header = "") {
        std::string text = header.empty() ? std::to_string(lines.size()) : header;
        text += "\r\n";
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        writeBytes(dir.file(name), encodeGb18030(text));
    }

    // Runs the loop as the window does, collecting what it shows.
    struct Run {
        std::vector<std::string> list;
        std::vector<int> progress;
        std::vector<std::string> labels5;
        bool completed = false;
        std::string message;
    };
    Run runToEnd() {
        Run run;
        for (;;) {
            const NameSearch::Step s = search.step();
            if (s.endOfFile) {
                run.completed = true;
                run.message = s.message;
                break;
            }
            if (s.progress) {
                run.progress.push_back(*s.progress);
            }
            if (s.label5) {
                run.labels5.push_back(*s.label5);
            }
            if (search.state().bCancle) {
                break;
            }
        }
        run.list = search.finish();
        return run;
    }

    // The model: trim, filter, judge, keep (plain pass over slots).
    // With a variety limit the table counts the first and the last character of each given name;
    // the one-character names share one last group.
    std::vector<std::string> model(const SearchSettings& s, const std::vector<std::string>& lines,
                                   int listNum, int varietyLimit = 0) {
        std::u32string left = utf8ToU32(s.left);
        std::u32string right = utf8ToU32(s.right);
        int option = 0;
        if (!s.either) {
            option = !left.empty() && right.empty() ? 2 : left.empty() && !right.empty() ? 3 : 0;
        } else if (!left.empty() || !right.empty()) {
            option = 1;
            if (right.empty()) {
                right = left;
            }
            if (left.empty()) {
                left = right;
            }
        }
        LinearTable table;
        table.limit = varietyLimit;
        for (const std::string& line : lines) {
            std::u32string name = utf8ToU32(line);
            while (!name.empty() && name.front() == U' ') {
                name.erase(0, 1);
            }
            while (!name.empty() && name.back() == U' ') {
                name.pop_back();
            }
            // A line that is no name of one or two characters is skipped.
            if (name.empty() || name.size() > 2 ||
                (s.nameLength != 0 && name.size() != static_cast<std::size_t>(s.nameLength))) {
                continue;
            }
            if ((option == 1 && name.find(left) == std::u32string::npos &&
                 name.find(right) == std::u32string::npos) ||
                (option == 2 && name.substr(0, 1) != left) ||
                (option == 3 && name.substr(name.size() - 1) != right)) {
                continue;
            }
            const std::string given = u32ToUtf8(name);
            table.keep(s.surname + given,
                       engine.scoreName(s.surname, given, {s.female, false, "", false}), listNum,
                       name.front(),
                       name.size() == 1 ? BestNameTable::kOneCharacterGroup : name.back());
        }
        return table.listed(listNum);
    }

    std::vector<std::string> allNames() {
        std::vector<std::string> lines;
        for (char32_t a : kChars) {
            lines.push_back(u32ToUtf8(std::u32string(1, a)));
            for (char32_t b : kChars) {
                lines.push_back(u32ToUtf8(std::u32string{a, b}));
            }
        }
        lines.push_back("  甲乙  ");
        lines.push_back("");
        lines.push_back("甲乙丙");
        return lines;
    }
};

TEST_F(NameSearchTest, EveryDesignatedModeAndLengthMatchesTheModel) {
    const auto lines = allNames();
    writeCandidates("M.dat", lines);
    struct Mode {
        const char* left;
        const char* right;
        bool either;
    };
    const Mode modes[] = {{"", "", false},  {"丙", "", false}, {"", "子", false}, {"", "", true},
                          {"丙", "", true}, {"", "子", true},  {"丙", "子", true}};
    for (const Mode& mode : modes) {
        for (int length : {0, 1, 2}) {
            SearchSettings s;
            s.surname = "甲";
            s.left = mode.left;
            s.right = mode.right;
            s.either = mode.either;
            s.nameLength = length;
            const auto start = search.start(s, dir.path().string());
            if (length == 1 && (!s.left.empty() || !s.right.empty())) {
                EXPECT_EQ(start.kind, NameSearch::StartResult::Kind::Direct);
                continue;
            }
            ASSERT_EQ(start.kind, NameSearch::StartResult::Kind::Searching)
                << mode.left << mode.right << mode.either << length;
            const Run run = runToEnd();
            EXPECT_TRUE(run.completed);
            EXPECT_EQ(run.list, model(s, lines, 100))
                << "left " << mode.left << " right " << mode.right << " either " << mode.either
                << " length " << length;
            EXPECT_EQ(search.state().TestNum, static_cast<long long>(lines.size()));
        }
    }
}

TEST_F(NameSearchTest, ListNumLimitsAndGrowsTheList) {
    const auto lines = allNames();
    writeCandidates("F.dat", lines);
    SearchSettings s;
    s.surname = "乙";
    s.female = true;
    search.setListNum(100);
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    EXPECT_TRUE(search.state().bFamale);
    const Run small = runToEnd();
    EXPECT_EQ(small.list.size(), 100u);
    EXPECT_EQ(small.list, model(s, lines, 100));
    search.setListNum(300);
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    const Run large = runToEnd();
    EXPECT_EQ(large.list, model(s, lines, 300));
    EXPECT_GT(large.list.size(), 100u);
}

TEST_F(NameSearchTest, VarietyLimitCountsTheFirstAndTheLastCharacterOfTheGivenName) {
    const auto lines = allNames();
    writeCandidates("M.dat", lines);
    SearchSettings s;
    s.surname = "甲";
    for (int limit : {1, 2, 3, 10}) {
        for (int listNum : {100, 300}) {
            search.setListNum(listNum);
            search.setVarietyLimit(limit);
            ASSERT_EQ(search.start(s, dir.path().string()).kind,
                      NameSearch::StartResult::Kind::Searching);
            const Run run = runToEnd();
            ASSERT_EQ(run.list, model(s, lines, listNum, limit))
                << "limit " << limit << " list " << listNum;
            std::map<char32_t, int> firsts;
            std::map<char32_t, int> lasts;
            int oneCharacter = 0;
            for (const std::string& name : run.list) {
                const std::u32string given = utf8ToU32(name).substr(1);
                EXPECT_LE(++firsts[given.front()], limit) << name;
                if (given.size() == 1) {
                    EXPECT_LE(++oneCharacter, limit) << name;
                } else {
                    EXPECT_LE(++lasts[given.back()], limit) << name;
                }
            }
            // Of the twenty-two one-character names more than three score high enough for the
            // list, so a small limit is reached.
            if (limit <= 3) {
                EXPECT_EQ(oneCharacter, limit) << "limit " << limit << " list " << listNum;
            }
            // Twenty-two characters, each at most `limit` times first and `limit` times last.
            EXPECT_FALSE(run.list.empty());
            EXPECT_LE(run.list.size(), static_cast<std::size_t>(22 * limit));
        }
    }
    // With the limit lifted the run keeps what it kept without one.
    search.setListNum(100);
    search.setVarietyLimit(0);
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    EXPECT_EQ(runToEnd().list, model(s, lines, 100));
}

TEST_F(NameSearchTest, CandidateLinesAreTrimmedCountedAndDuplicatesKept) {
    writeCandidates("M.dat", {"丙", " 丙 ", ""}, "3");
    SearchSettings s;
    s.surname = "甲";
    ASSERT_GE(engine.scoreName("甲", "丙", {}).value(), 70);
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    const Run run = runToEnd();
    EXPECT_EQ(search.state().TestNum, 3);
    EXPECT_EQ(run.list, (std::vector<std::string>{"甲丙", "甲丙"}));
    EXPECT_EQ(run.progress, (std::vector<int>{333, 666, 1000}));
}

TEST_F(NameSearchTest, DirectCasesReadNoFile) {
    SearchSettings s;
    s.surname = "甲";
    s.left = "丙";
    s.right = "子";
    const auto both = search.start(s, "/nonexistent");
    EXPECT_EQ(both.kind, NameSearch::StartResult::Kind::Direct);
    EXPECT_EQ(both.fullName, "甲丙子");
    EXPECT_NE(both.report.find("甲丙子"), std::string::npos);
    EXPECT_TRUE(search.state().bShowInfo);
    EXPECT_FALSE(search.running());

    s.right.clear();
    s.nameLength = 1;
    EXPECT_EQ(search.start(s, "/nonexistent").fullName, "甲丙");
    s.right = "子";
    s.either = true;  // with 单字 the direct case still takes both characters
    const auto either = search.start(s, "/nonexistent");
    EXPECT_EQ(either.kind, NameSearch::StartResult::Kind::Direct);
    EXPECT_EQ(either.fullName, "甲丙子");
}

TEST_F(NameSearchTest, CountLabelFollowsModKong) {
    std::vector<std::string> lines(2500, "甲乙丙");  // three characters: rejected with 双字
    lines[2400] = "丙";
    writeCandidates("M.dat", lines);
    SearchSettings s;
    s.surname = "甲";
    s.nameLength = 2;
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    const Run run = runToEnd();
    EXPECT_EQ(run.labels5, (std::vector<std::string>{"已测算:1234个", "已测算:2468个"}));
    s.nameLength = 1;  // now line 2401 is accepted and refreshes the label
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    EXPECT_EQ(runToEnd().labels5,
              (std::vector<std::string>{"已测算:1234个", "已测算:2401个", "已测算:2468个"}));
}

TEST_F(NameSearchTest, HeaderDoesNotStopTheRunAndProgressStaysInRange) {
    const std::vector<std::string> lines = {"丙", "丁", "戊", "己"};
    SearchSettings s;
    s.surname = "甲";
    struct HeaderCase {
        const char* header;
        std::vector<int> progress;
    };
    const HeaderCase cases[] = {
        {"8", {125, 250, 375, 500}},   // larger: never reaches the end
        {"2", {500, 1000}},            // smaller: stops at 1000 and stays
        {"0", {250, 500, 750, 1000}},  // no usable header: the real count stands in
        {"名单", {250, 500, 750, 1000}},
        {" 4 abc", {250, 500, 750, 1000}},
    };
    for (const HeaderCase& c : cases) {
        writeCandidates("M.dat", lines, c.header);
        ASSERT_EQ(search.start(s, dir.path().string()).kind,
                  NameSearch::StartResult::Kind::Searching);
        const Run run = runToEnd();
        EXPECT_TRUE(run.completed);
        EXPECT_EQ(run.progress, c.progress) << c.header;
        EXPECT_EQ(search.state().TestNum, 4);
    }
}

// Control characters never reach a label or the list: their lines are rejected by the filter and
// counted in the completion message, which stays as it was when nothing was skipped.
TEST_F(NameSearchTest, LinesWithControlCharactersAreSkippedAndCounted) {
    SearchSettings s;
    s.surname = "甲";
    const std::vector<std::string> clean = {"乙", "丙丁", " 戊 ", ""};
    writeCandidates("M.dat", clean);
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    const Run plain = runToEnd();
    EXPECT_EQ(plain.message, kSearchCompleteMessage);
    EXPECT_EQ(search.skippedLines(), 0);

    std::vector<std::string> lines = clean;
    const std::vector<std::string> unsafe = {
        "乙\x1B[31m", "\x1B]0;丙\a",
        "\t丁",       std::string("戊\0", 4),
        "己\x7F",     "庚\xC2\x85",
        "辛\xC2\x9B", std::string(TextLineReader::kMaxLineBytes + 1, 'x')};
    lines.insert(lines.end(), unsafe.begin(), unsafe.end());
    writeCandidates("M.dat", lines);
    search.setListNum(100);
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    std::vector<std::string> shown;
    for (;;) {
        const NameSearch::Step step = search.step();
        if (step.label1) {
            shown.push_back(*step.label1);
        }
        if (step.endOfFile) {
            EXPECT_EQ(step.message, std::string(kSearchCompleteMessage) +
                                        "（已跳过 8 行含控制字符或过长的候选名字）");
            break;
        }
    }
    for (const std::string& text : search.finish()) {
        shown.push_back(text);
    }
    for (const std::string& text : shown) {
        EXPECT_FALSE(hasControlCharacters(text)) << text;
    }
    EXPECT_EQ(search.skippedLines(), 8);
    EXPECT_EQ(search.state().TestNum, static_cast<long long>(lines.size()));
    std::string name = "乙\t";
    EXPECT_FALSE(search.CheckName(name));
}

// Only one or two Chinese characters make a name: letters, signs, words, replacement characters,
// direction marks and lines of other files are skipped and counted, never scored or shown.
TEST_F(NameSearchTest, LinesThatAreNoNameAreSkippedAndCounted) {
    SearchSettings s;
    s.surname = "甲";
    const std::vector<std::string> notNames = {"x",
                                               "?",
                                               "abc",
                                               "\xEF\xBF\xBD\xEF\xBF\xBD",
                                               "乙\xE2\x80\xAE丙",
                                               "甲乙丙",
                                               "daemon:x:1:1:daemon",
                                               "１",
                                               "乙1",
                                               "·",
                                               "乙 丙",
                                               "丙、"};
    std::vector<std::string> lines = {"乙", " 丙丁 ", ""};
    lines.insert(lines.end(), notNames.begin(), notNames.end());
    lines.push_back("戊己");
    // UTF-8 with its mark, so that every line reaches the search exactly as written here.
    std::string text = "\xEF\xBB\xBF" + std::to_string(lines.size()) + "\n";
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    ASSERT_EQ(search.startOnBytes(s, text).kind, NameSearch::StartResult::Kind::Searching);
    std::vector<std::string> shown;
    std::string message;
    for (;;) {
        const NameSearch::Step step = search.step();
        if (step.label1) {
            shown.push_back(*step.label1);
        }
        if (step.endOfFile) {
            message = step.message;
            break;
        }
    }
    EXPECT_EQ(message, std::string(kSearchCompleteMessage) + "（已跳过 12 行：不是一到两个汉字）");
    EXPECT_EQ(shown, (std::vector<std::string>{"甲乙", "甲丙丁", "甲戊己"}));
    for (const std::string& name : search.finish()) {
        EXPECT_NE(std::find(shown.begin(), shown.end(), name), shown.end()) << name;
    }
    EXPECT_EQ(search.notNameLines(), 12);
    EXPECT_EQ(search.skippedLines(), 0);
    EXPECT_EQ(search.state().TestNum, static_cast<long long>(lines.size()));
    for (std::string name : notNames) {
        EXPECT_FALSE(search.CheckName(name)) << name;
    }
}

// A run over candidate bytes in memory is the run over the same bytes in a file.
TEST_F(NameSearchTest, RunOverBytesEqualsRunOverTheFile) {
    SearchSettings s;
    s.surname = "甲";
    writeCandidates("M.dat", allNames());
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    const Run fromFile = runToEnd();
    ASSERT_EQ(search.startOnBytes(s, readBytes(dir.file("M.dat"))).kind,
              NameSearch::StartResult::Kind::Searching);
    const Run fromBytes = runToEnd();
    EXPECT_FALSE(fromFile.list.empty());
    EXPECT_EQ(fromBytes.list, fromFile.list);
    EXPECT_EQ(fromBytes.progress, fromFile.progress);
    EXPECT_EQ(fromBytes.message, fromFile.message);
    const NameSearch::StartResult empty = search.startOnBytes(s, "");
    EXPECT_EQ(empty.kind, NameSearch::StartResult::Kind::Failed);
    EXPECT_FALSE(search.running());
}

TEST_F(NameSearchTest, UnusableFilesEndCleanlyWithAMessage) {
    SearchSettings s;
    s.surname = "甲";
    const auto missing = search.start(s, dir.path().string());
    EXPECT_EQ(missing.kind, NameSearch::StartResult::Kind::Failed);
    EXPECT_EQ(missing.message, "找不到候选名字文件：" + dir.file("M.dat"));
    EXPECT_FALSE(search.running());
    writeBytes(dir.file("M.dat"), "");
    EXPECT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Failed);
    writeBytes(dir.file("M.dat"), "0\r\n");
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    EXPECT_TRUE(search.step().endOfFile);  // only the header: complete at once, empty list
    EXPECT_TRUE(search.finish().empty());
}

TEST_F(NameSearchTest, StopKeepsWhatWasFoundAndASecondStartIsRefused) {
    writeCandidates("M.dat", allNames());
    SearchSettings s;
    s.surname = "甲";
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    for (int i = 0; i < 40; ++i) {
        search.step();
    }
    EXPECT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Refused);
    search.requestStop();
    EXPECT_TRUE(search.state().bCancle);
    const Run run = runToEnd();  // the loop leaves after the pass in which stop was pressed
    EXPECT_FALSE(run.completed);
    EXPECT_EQ(search.state().TestNum, 41);
    const auto all = allNames();
    EXPECT_EQ(run.list, model(s, std::vector<std::string>(all.begin(), all.begin() + 41), 100));
    EXPECT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
}

TEST_F(NameSearchTest, BaZiOptionIsReadAtEveryStepAndNeedsAreCopiedAtStart) {
    writeCandidates("M.dat", {"丙丙", "丙丙"});
    SearchSettings s;
    s.surname = "甲";
    ASSERT_GE(engine.scoreName("甲", "丙丙", {}).value(), 70);
    ASSERT_LT(engine.scoreName("甲", "丙丙", {}).value(), 100);
    search.state().Gxiyong = "水";  // 丙 is 金
    ASSERT_EQ(search.start(s, dir.path().string()).kind, NameSearch::StartResult::Kind::Searching);
    EXPECT_EQ(search.state().sNeedWx, "水");
    search.state().Gxiyong = "金";  // a later birth moment does not reach the running search
    search.step();
    search.state().bShenChen = true;  // checked during the run: the second line loses 30
    search.step();
    const auto list = runToEnd().list;
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(search.bestNames().BestScores(1),
              engine.scoreName("甲", "丙丙", {}).roundedHalfEven());
}

TEST_F(NameSearchTest, CheckNameTrimsInPlace) {
    std::string name = "  丙丁 ";
    EXPECT_TRUE(search.CheckName(name));
    EXPECT_EQ(name, "丙丁");
    std::string blank = "   ";
    EXPECT_FALSE(search.CheckName(blank));
    EXPECT_EQ(blank, "");
}

// The sound options act in the filter, after the length and designated-character checks, and only
// when switched on.
TEST_F(NameSearchTest, SoundOptionsFilterCandidates) {
    const SoundTables sound =
        SoundTables::fromText("甲\tjia3\n乙\tyi3\n丙\tbing3\n丁\tding1\n戊\twu4\n", "",
                              "甲乙丙戊\n\n\n甲乙丙丁戊\n", "假意\tjia3 yi4\n无丙\twu2 bing3\n",
                              "假意\n无丙\n");  // strong words: heard whatever the tones
    NameSearch withSound(engine, &sound);
    writeCandidates("M.dat", {"乙丙"});
    const std::vector<std::string> names = {"乙丙", "丙丁", "甲乙", "丙", "丁", "乙"};
    const struct {
        bool cleanSound;
        bool standardChars;
        int nameLength;
        std::vector<std::string> accepted;
    } cases[] = {
        {false, false, 0, {"乙丙", "丙丁", "甲乙", "丙", "丁", "乙"}},
        {true, false, 0, {"乙丙", "丁", "乙"}},  // 甲乙 is jia yi; 戊丙 (also in 戊丙丁) wu bing
        {false, true, 0, {"乙丙", "甲乙", "丙", "乙"}},
        {true, true, 0, {"乙丙", "乙"}},
        {true, true, 1, {"乙"}},
    };
    for (const auto& c : cases) {
        SearchSettings settings;
        settings.surname = "戊";
        settings.nameLength = c.nameLength;
        settings.cleanSound = c.cleanSound;
        settings.standardChars = c.standardChars;
        ASSERT_EQ(withSound.start(settings, dir.path().string()).kind,
                  NameSearch::StartResult::Kind::Searching);
        std::vector<std::string> accepted;
        for (std::string name : names) {
            if (withSound.CheckName(name)) {
                accepted.push_back(name);
            }
        }
        EXPECT_EQ(accepted, c.accepted) << c.cleanSound << c.standardChars;
        withSound.finish();
    }
}

TEST(CandidateFileTest, HeaderValueReadsTheLeadingNumber) {
    EXPECT_EQ(headerValue("12345"), 12345);
    EXPECT_EQ(headerValue("  1 2\t3 x9"), 123);
    EXPECT_EQ(headerValue("7.5abc"), 7.5);
    EXPECT_EQ(headerValue("abc"), 0);
    EXPECT_EQ(headerValue(""), 0);
    EXPECT_EQ(headerValue("-3"), -3);
    EXPECT_EQ(candidateFilePath("/opt/norlune", false), "/opt/norlune/M.dat");
    EXPECT_EQ(candidateFilePath("/opt/norlune/", true), "/opt/norlune/F.dat");
}

}  // namespace
}  // namespace norlune
