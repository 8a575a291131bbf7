#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/fd_output.h"

namespace norlune::cli {
namespace {

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result runWith(std::ostream& out, const std::vector<std::string>& args, const std::string& exeDir) {
    std::ostringstream err;
    Io io{out, err, false, exeDir};
    const int code = run(args, io);
    return {code, "", err.str()};
}

Result runCli(const std::vector<std::string>& args, const std::string& exeDir) {
    std::ostringstream out;
    Result r = runWith(out, args, exeDir);
    r.out = out.str();
    return r;
}

class CliInputTest : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("norlune-cli-input-" + std::to_string(::getpid()));
    void SetUp() override {
        std::filesystem::create_directories(dir);
        write("header_only.dat", "5\r\n");
        write("blank_lines.dat", "4\r\n\r\n          \r\n\r\n    \r\n");
        // Names, but none of them has two characters.
        write("no_match.dat", "4\r\n明\r\n华\r\n国\r\n强\r\n");
        write("M.dat", "1\r\n");
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }
};

// Every bad input: the exit status, and the message (one line on the error stream, nothing on the
// output).
TEST_F(CliInputTest, BadInputIsRefusedWithItsMessage) {
    const std::string latinSurname = "姓氏只能由汉字组成，不能含字母、数字、空白、符号或控制字符";
    const std::string latinGiven = "名字只能由汉字组成，不能含字母、数字、空白、符号或控制字符";
    struct Row {
        std::vector<std::string> args;
        int code;
        std::string message;
    };
    const std::vector<Row> rows = {
        // Arguments that are not UTF-8, wherever they stand.
        {{"score", "\xff", "明"}, 2, "参数不是有效的 UTF-8 文本"},
        {{"strokes", "\xe7\x8e"}, 2, "参数不是有效的 UTF-8 文本"},
        {{"search", "--surname", "王", "--left", "\xc0\xaf"}, 2, "参数不是有效的 UTF-8 文本"},
        {{"lunar", "1984-02-02 10:30\xed\xa0\x80"}, 2, "参数不是有效的 UTF-8 文本"},
        // Names of anything but Chinese characters.
        {{"grids", "ab", "cd"}, 2, latinSurname},
        {{"grids", "王", "cd"}, 2, latinGiven},
        {{"grids", "王", "12"}, 2, latinGiven},
        {{"score", "王", "小😀"}, 2, latinGiven},
        {{"report", "王", "小 "}, 2, latinGiven},
        {{"report", "王", "小\t"}, 2, latinGiven},
        {{"score", "王\x1b", "明"}, 2, latinSurname},
        {{"grids", "王", "\xe3\x80\x81"}, 2, latinGiven},  // 、
        {{"grids", "Ａ", "明"}, 2, latinSurname},          // full-width letter
        {{"search", "--surname", "w"}, 2, latinSurname},
        {{"search", "--surname", "王", "--left", "a"}, 2, "--left 只能指定一个汉字"},
        {{"search", "--surname", "王", "--right", "1", "--length", "1"},
         2,
         "--right 只能指定一个汉字"},
        // Empty text.
        {{"strokes", ""}, 2, "文字不能为空"},
        {{"trad", ""}, 2, "文字不能为空"},
        {{"element", ""}, 2, "文字不能为空"},
        {{"strokes", "王\n"}, 2, "文字不能含控制字符"},
        {{"trad", "\x1b[31m王"}, 2, "文字不能含控制字符"},
        {{"score", "", "明"}, 2, "姓氏须为一到两个字"},
        {{"pillars", ""}, 2, "出生时间应写作"},
        // Options that take a value do not take the next option as their value.
        {{"search", "--surname", "王", "--candidates", "--scores"},
         2,
         "选项 --candidates 缺少取值"},
        {{"search", "--surname", "--female"}, 2, "选项 --surname 缺少取值"},
        {{"score", "王", "明", "--need", "--female"}, 2, "选项 --need 缺少取值"},
        {{"search", "--surname", "王", "--top", "--"}, 2, "选项 --top 缺少取值"},
        // --either without a character to look for.
        {{"search", "--surname", "王", "--either"}, 2, "--either 须与 --left 或 --right 一起使用"},
        {{"search", "--surname", "王", "--either", "--length", "1"},
         2,
         "--either 须与 --left 或 --right 一起使用"},
        // Candidate files without names.
        {{"search", "--surname", "王", "--candidates", path("header_only.dat")},
         1,
         "候选名字文件中没有名字：" + path("header_only.dat")},
        {{"search", "--surname", "王", "--candidates", path("blank_lines.dat")},
         1,
         "候选名字文件中没有名字：" + path("blank_lines.dat")},
        {{"search", "--surname", "王"}, 1, "候选名字文件中没有名字：" + path("M.dat")},
    };
    for (const Row& row : rows) {
        std::string shown;
        for (const std::string& arg : row.args) {
            shown += arg + ' ';
        }
        const Result r = runCli(row.args, dir.string());
        EXPECT_EQ(r.code, row.code) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_TRUE(r.err.starts_with("norlune-cli：" + row.message)) << shown << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << r.err;
    }
}

// What stays valid next to the refusals above.
TEST_F(CliInputTest, EdgesThatStayValid) {
    struct Row {
        std::vector<std::string> args;
        std::string out;
    };
    const std::vector<Row> rows = {
        {{"strokes", "A 1"}, "A\t-\n \t-\n1\t-\n"},
        {{"strokes", "〇\xe3\x90\x80"}, "〇\t-\n\xe3\x90\x80\t-\n"},  // 㐀, extension A
        {{"search", "--surname", "王", "--length", "2", "--candidates", path("no_match.dat")}, ""},
        // A path need not be UTF-8.
        {{"search", "--surname", "王", "--candidates", path("no_match.dat") + "\xff"}, ""},
    };
    for (const Row& row : rows) {
        const Result r = runCli(row.args, dir.string());
        const int expected = row.args.back().ends_with("\xff") ? 1 : 0;
        EXPECT_EQ(r.code, expected) << row.args[0] << r.err;
        EXPECT_EQ(r.out, row.out) << row.args[0];
    }
}

// Output that cannot be written ends with exit status 1 and the reason; a usage error that wrote
// nothing keeps its own status.
TEST_F(CliInputTest, OutputThatCannotBeWrittenIsAFileError) {
    std::signal(SIGPIPE, SIG_IGN);
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::close(fds[0]);
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    struct Row {
        int fd;
        std::vector<std::string> args;
        int code;
        std::string message;
    };
    const std::vector<Row> rows = {
        {full, {"strokes", "王"}, 1, "norlune-cli：无法写出结果：磁盘已满\n"},
        {full, {"--help"}, 1, "norlune-cli：无法写出结果：磁盘已满\n"},
        {fds[1], {"report", "王", "小明"}, 1, "norlune-cli：无法写出结果：输出管道已关闭\n"},
        // Nothing to write: no name of the file has two characters.
        {fds[1],
         {"search", "--surname", "王", "--length", "2", "--candidates", path("no_match.dat")},
         0,
         "测算完成。要查看某个名字的详细理数，请运行 norlune-cli report 姓 名。\n"},
        {full, {"grids", "ab", "cd"}, 2, ""},
    };
    for (const Row& row : rows) {
        FdOutputBuffer buffer(row.fd);
        std::ostream out(&buffer);
        const Result r = runWith(out, row.args, dir.string());
        EXPECT_EQ(r.code, row.code) << row.args[0];
        if (!row.message.empty()) {
            EXPECT_EQ(r.err, row.message) << row.args[0];
        }
    }
    ::close(full);
    ::close(fds[1]);
    // Any other stream that fails is reported too, without a reason.
    std::ostream broken(nullptr);
    const Result r = runWith(broken, {"trad", "王"}, dir.string());
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "norlune-cli：无法写出结果\n");
}

}  // namespace
}  // namespace norlune::cli
