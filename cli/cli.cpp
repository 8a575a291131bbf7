#include "cli/cli.h"

#include <algorithm>
#include <ostream>

namespace norlune::cli {
namespace {

constexpr std::string_view kUsage =
    "用法：norlune-cli 命令 参数…\n"
    "  strokes 文字                    每个字的笔画数（查不到为 -）\n"
    "  trad 文字                       繁体写法\n"
    "  element 文字                    每个字的五行（查不到为 -）\n"
    "  grids 姓 名                     天格 人格 地格 总格 外格 三才\n"
    "  score 姓 名 [--female] [--need 五行]   姓名得分\n"
    "  report 姓 名 [--female] [--need 五行]  姓名详细理数\n"
    "  search --surname 姓 [--female] [--length any|1|2] [--left 字] [--right 字] [--either]\n"
    "         [--top N] [--need 五行] [--candidates 文件] [--scores]   测算优选名字\n"
    "  pillars \"YYYY-MM-DD HH:MM\"      四柱八字\n"
    "  lunar \"YYYY-MM-DD HH:MM\"        农历日期\n"
    "  bazi \"YYYY-MM-DD HH:MM\" [--female]   八字报告\n";

}  // namespace

bool ParsedArgs::has(std::string_view name) const {
    return std::any_of(options.begin(), options.end(),
                       [&](const auto& option) { return option.first == name; });
}

const std::string* ParsedArgs::value(std::string_view name) const {
    for (auto it = options.rbegin(); it != options.rend(); ++it) {
        if (it->first == name) {
            return &it->second;
        }
    }
    return nullptr;
}

int usageError(Io& io, std::string_view message) {
    io.err << "norlune-cli：" << message << "（用 norlune-cli --help 查看用法）\n";
    return kExitUsage;
}

bool parseArgs(std::span<const std::string> args, std::span<const std::string_view> flags,
               std::span<const std::string_view> valued, ParsedArgs& parsed, Io& io) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            parsed.positional.push_back(arg);
            continue;
        }
        if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
            parsed.options.emplace_back(arg, "");
        } else if (std::find(valued.begin(), valued.end(), arg) != valued.end()) {
            if (i + 1 >= args.size()) {
                usageError(io, "选项 " + arg + " 缺少取值");
                return false;
            }
            parsed.options.emplace_back(arg, args[++i]);
        } else {
            usageError(io, "未知选项 " + arg);
            return false;
        }
    }
    return true;
}

void writeReportLines(std::ostream& out, std::string_view report) {
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find("\r\n", start);
        if (end == std::string_view::npos) {
            out << report.substr(start) << '\n';
            return;
        }
        out << report.substr(start, end - start) << '\n';
        start = end + 2;
    }
}

int run(std::span<const std::string> args, Io& io) {
    if (args.empty()) {
        io.err << kUsage;
        return kExitUsage;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        io.out << kUsage;
        return kExitOk;
    }
    const auto rest = args.subspan(1);
    if (isEngineCommand(command)) {
        return runEngineCommand(command, rest, io);
    }
    if (isSearchCommand(command)) {
        return runSearchCommand(rest, io);
    }
    if (isCalendarCommand(command)) {
        return runCalendarCommand(command, rest, io);
    }
    return usageError(io, "未知命令 " + command);
}

}  // namespace norlune::cli
