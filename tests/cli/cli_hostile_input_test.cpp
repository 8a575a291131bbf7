// Input that must not mislead: arguments and paths that would act on a terminal are shown as
// visible escapes in every message, and candidate files that hold anything but names are read as
// what they are.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_run.h"

namespace norlune::cli {
namespace {

using cli_test::Result;
using cli_test::runCliIn;

// Retitles and clears a terminal, then turns the rest of the line around.
const std::string kHostile = "\x1b]0;X\a\x1b[2J\xC2\x9B\xE2\x80\xAE";
const std::string kShown = "\\x1b]0;X\\x07\\x1b[2J\\u009b\\u202e";

// True when the text holds a byte that acts instead of showing (C0 but the line feed, DEL, C1) or
// a direction mark.
bool acts(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b < 0x20 && b != '\n') || b == 0x7F) {
            return true;
        }
        if (b == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            return true;
        }
    }
    return text.find("\xE2\x80\xAE") != std::string::npos;
}

class CliHostileInputTest : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("norlune-cli-hostile-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }
    Result run(const std::vector<std::string>& args) { return runCliIn(dir.string(), args); }
};

TEST_F(CliHostileInputTest, NoMessageActsOnTheTerminal) {
    const std::string& h = kHostile;
    const std::string missing = (dir / ("missing" + h + ".dat")).string();
    const std::string folder = (dir / ("folder" + h)).string();
    std::filesystem::create_directories(folder);
    const std::string empty = write("empty" + h + ".dat", "");
    const std::string headerOnly = write("header" + h + ".dat", "1\r\n");
    const std::string broken = write("broken" + h + ".dat", "2\r\n\xFF\xFE\xFD\r\n\xC3\r\n");
    const std::vector<std::vector<std::string>> cases = {
        {h},
        {"--" + h},
        {"strokes", h},
        {"element", h},
        {"trad", h},
        {"grids", h, "明"},
        {"score", "王", h},
        {"report", h, h},
        {"sound", "王", h},
        {"score", "王", "明", h},
        {"score", "王", "明", "--need", h},
        {"compare", "王", "明", h},
        {"compare", h, "明", "华"},
        {"search", h},
        {"search", "--surname", h},
        {"search", "--surname", "王", "--length", h},
        {"search", "--surname", "王", "--left", h},
        {"search", "--surname", "王", "--right", h},
        {"search", "--surname", "王", "--top", h},
        {"search", "--surname", "王", "--need", h},
        {"search", "--surname", "王", "--sort", h},
        {"search", "--surname", "王", "--variety", h},
        {"search", "--surname", "王", h, "x"},
        {"search", "--surname", "王", "--candidates", missing},
        {"search", "--surname", "王", "--candidates", folder},
        {"search", "--surname", "王", "--candidates", empty},
        {"search", "--surname", "王", "--candidates", headerOnly},
        {"search", "--surname", "王", "--candidates", broken},
        {"search", "--surname", "王", "--candidates", "\xFF" + h},
        {"pillars", h},
        {"lunar", "2000-01-01 12:00", "--place", h},
        {"bazi", "2000-01-01 12:00", "--longitude", h},
        {"places", h},
    };
    for (const auto& args : cases) {
        const Result r = run(args);
        std::string shown;
        for (const std::string& arg : args) {
            shown += " [" + arg.substr(0, 12) + "]";
        }
        EXPECT_FALSE(r.err.empty()) << shown;
        EXPECT_FALSE(acts(r.err)) << shown << "\n" << r.err;
    }
    // The argument is shown, escaped, where the message repeats it.
    const Result command = run({h});
    EXPECT_NE(command.err.find(kShown), std::string::npos) << command.err;
    const Result path = run({"search", "--surname", "王", "--candidates", missing});
    EXPECT_EQ(path.err,
              "norlune-cli：找不到候选名字文件：" + (dir / "missing").string() + kShown + ".dat\n");
}

// Lines that are no name are skipped and counted, whatever file they come from.
TEST_F(CliHostileInputTest, CandidateLinesThatAreNoNameAreSkippedAndCounted) {
    struct Row {
        std::string text;
        std::string out;
        std::string notes;
    };
    const std::string done =
        "测算完成。要查看某个名字的详细理数，请运行 norlune-cli report 姓 名。";
    const Row rows[] = {
        {"3\nx\n?\nabc\n", "", "（已跳过 3 行：不是一到两个汉字）"},
        {"2\n\xC2\xB7\n恒健\n", "张恒健\n", "（已跳过 1 行：不是一到两个汉字）"},
        {"2\n\xEF\xBF\xBD\xEF\xBF\xBD\n家健\n", "张家健\n", "（已跳过 1 行：不是一到两个汉字）"},
        {"2\n王\xE2\x80\xAE明\n家健\n", "张家健\n", "（已跳过 1 行：不是一到两个汉字）"},
        // 𪚥 has no stroke count: the name would be judged on a wrong grid.
        {"2\n\xF0\xAA\x9A\xA5\n家健\n", "张家健\n", "（已跳过 1 行：含无法计算笔画的字）"},
        {"2\r\n\xCD\xF5\xFF\r\n\xBC\xD2\xBD\xA1\r\n", "张家健\n",
         "（已跳过 1 行：不是一到两个汉字）"},
    };
    for (const Row& row : rows) {
        const std::string path = write("c.dat", row.text);
        const Result r = run({"search", "--surname", "张", "--candidates", path});
        EXPECT_EQ(r.code, 0) << row.text;
        EXPECT_EQ(r.out, row.out) << row.text;
        EXPECT_NE(r.err.find(done + row.notes + "\n"), std::string::npos) << row.text << r.err;
    }
}

TEST_F(CliHostileInputTest, AnotherFileAsCandidatesGivesNoNames) {
    if (!std::filesystem::exists("/etc/passwd")) {
        GTEST_SKIP() << "no /etc/passwd";
    }
    std::filesystem::create_symlink("/etc/passwd", dir / "link.dat");
    std::ifstream in("/etc/passwd");
    std::string line;
    std::getline(in, line);  // the header line of a candidate file
    long long lines = 0;
    while (std::getline(in, line)) {
        lines += line.find_first_not_of(' ') != std::string::npos ? 1 : 0;
    }
    const Result r =
        run({"search", "--surname", "张", "--candidates", (dir / "link.dat").string()});
    EXPECT_EQ(r.out, "");
    if (lines > 0) {
        EXPECT_EQ(r.code, 0);
        EXPECT_NE(r.err.find("（已跳过 " + std::to_string(lines) + " 行：不是一到两个汉字）"),
                  std::string::npos)
            << r.err;
    }
}

TEST_F(CliHostileInputTest, ScoresAreShownAsTheWindowShowsThem) {
    const std::string path = write("s.dat", "2\n家健\n栩\n");
    const Result r = run({"search", "--surname", "张", "--candidates", path, "--scores"});
    EXPECT_EQ(r.out, "张家健\t94.2\n张栩\t94.1\n");
    const Result direct =
        run({"search", "--surname", "王", "--left", "小", "--right", "明", "--scores"});
    EXPECT_EQ(direct.out, "王小明\t86.05\n");
}

TEST_F(CliHostileInputTest, CsvLinesEndWithCrLfAndNoCellStartsAFormula) {
    const std::string path = write("s.dat", "3\n家健\n栩\n乂\n");
    const Result r = run({"search", "--surname", "张", "--candidates", path, "--csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_FALSE(r.out.empty());
    std::size_t start = 0;
    int lines = 0;
    while (start < r.out.size()) {
        const std::size_t end = r.out.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        ASSERT_GT(end, start);
        EXPECT_EQ(r.out[end - 1], '\r') << r.out.substr(start, end - start);
        const std::string row = r.out.substr(start, end - start - 1);
        for (std::size_t cell = 0; cell <= row.size();) {
            EXPECT_EQ(std::string("=+-@\t").find(row[cell]), std::string::npos) << row;
            const std::size_t comma = row.find(',', cell);
            cell = comma == std::string::npos ? row.size() + 1 : comma + 1;
        }
        ++lines;
        start = end + 1;
    }
    EXPECT_GE(lines, 2);
}

}  // namespace
}  // namespace norlune::cli
