#include "cli/cli.h"

#include <algorithm>
#include <new>
#include <ostream>

#include "build_info.h"
#include "cli/fd_output.h"
#include "cli/script_output.h"
#include "engine/stroke_dictionary.h"
#include "engine/utf8.h"
#include "textio/visible_text.h"

namespace norlune::cli {
namespace {

constexpr std::string_view kUsage =
    "用法：norlune-cli 命令 参数…\n"
    "  strokes 文字                    每个字的笔画数（查不到为 -）\n"
    "  trad 文字                       繁体写法\n"
    "  element 文字                    每个字的五行（查不到为 -）\n"
    "  grids 姓 名                     天格 人格 地格 总格 外格 三才\n"
    "  score 姓 名 [--female] [--need 五行]   姓名得分\n"
    "  report 姓 名 [--female] [--need 五行]  姓名详细理数（末尾附音形分析、字义出处）\n"
    "  sound 姓 名                     音形分析：拼音、声调、声韵、谐音、用字\n"
    "  meaning 姓 名                   字义出处：名中每个字的字义、名字的古籍出处\n"
    "  search --surname 姓 [--female] [--length any|1|2] [--left 字] [--right 字] [--either]\n"
    "         [--top N] [--need 五行] [--candidates 文件] [--scores]   测算优选名字\n"
    "         [--sort score] [--variety K] [--csv]   按得分排序、首字末字各最多K个、输出CSV表格\n"
    "         [--clean-sound] [--standard-chars]   避开不雅谐音、只用通用规范字\n"
    "         [--avoid 字…] [--avoid-sound]   避讳用字（最多20个），同音字也避开\n"
    "  twins --surname 姓 [--female|--male|--mixed] [--share first|last|any] [--top N]\n"
    "                                  双胞胎名字：同一位置共用一字或出自同一诗句\n"
    "  compare 姓 名 名… [--female] [--need 五行]   并列比较几个名字，得分高的在前\n"
    "  pillars \"YYYY-MM-DD HH:MM\" [出生地点选项]   四柱八字\n"
    "  lunar \"YYYY-MM-DD HH:MM\" [出生地点选项]     农历日期\n"
    "  bazi \"YYYY-MM-DD HH:MM\" [--female] [出生地点选项]   八字报告\n"
    "    出生地点选项：--place 城市（如 成都、乌鲁木齐）或 --longitude 东经度数（如 104.07），\n"
    "    按出生地经度校正真太阳时；--no-summer-time 表示1986年至1991年夏令时期间的时间\n"
    "    已是标准时间，不再减去一小时（台湾、香港、澳门的地点按当地历年的夏令时和时区换算，\n"
    "    此选项同样取消这些换算）\n"
    "  places [省份]                   可选的出生地点及其经度\n"
    "  --version                       版本\n"
    "  --hant / --hans                 界面用繁体字／简体字（可放在任何位置；不给时按语言环境\n"
    "                                  LC_ALL、LC_MESSAGES、LANG：zh_TW、zh_HK、zh_MO 用繁体字）\n";

// Options whose value is a file path: a path may be any bytes, so it is not held to UTF-8.
constexpr std::string_view kPathOptions[] = {"--candidates"};

bool isPathOption(std::string_view arg) {
    return std::find(std::begin(kPathOptions), std::end(kPathOptions), arg) !=
           std::end(kPathOptions);
}

int dispatch(std::span<const std::string> args, Io& io) {
    if (args.empty()) {
        io.err << kUsage;
        return kExitUsage;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (isPathOption(args[i])) {
            ++i;
        } else if (!isValidUtf8(args[i])) {
            return usageError(io, "参数不是有效的 UTF-8 文本");
        }
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        io.out << kUsage;
        return kExitOk;
    }
    if (command == "--version") {
        io.out << "norlune-cli " << build::kVersion << '\n';
        return kExitOk;
    }
    const auto rest = args.subspan(1);
    if (isEngineCommand(command)) {
        return runEngineCommand(command, rest, io);
    }
    if (command == "compare") {
        return runCompareCommand(rest, io);
    }
    if (command == "twins") {
        return runTwinsCommand(rest, io);
    }
    if (isSearchCommand(command)) {
        return runSearchCommand(rest, io);
    }
    if (isCalendarCommand(command)) {
        return runCalendarCommand(command, rest, io);
    }
    return usageError(io, "未知命令 " + command);
}

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
    // The message may repeat an argument: it is shown, never acted on by the terminal.
    io.err << "norlune-cli：" << visibleText(message) << "（用 norlune-cli --help 查看用法）\n";
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
            // A value never starts with "--": `--candidates --scores` lacks the file.
            if (i + 1 >= args.size() || args[i + 1].starts_with("--")) {
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

bool checkNamePart(std::string_view text, bool surname, Io& io) {
    const std::string_view what = surname ? "姓氏" : "名字";
    const std::size_t length = codePointCount(text);
    if (length < 1 || length > 2) {
        usageError(io, std::string(what) + "须为一到两个字");
        return false;
    }
    if (!isHanText(text)) {
        usageError(io,
                   std::string(what) + "只能由汉字组成，不能含字母、数字、空白、符号或控制字符");
        return false;
    }
    return true;
}

bool checkCountable(const StrokeDictionary& strokes, std::initializer_list<std::string_view> parts,
                    Io& io) {
    std::u32string text;
    for (std::string_view part : parts) {
        text += utf8ToU32(part);
    }
    if (const std::u32string missing = strokes.uncounted(text); !missing.empty()) {
        usageError(io, uncountedMessage(missing));
        return false;
    }
    return true;
}

bool checkText(std::string_view text, Io& io) {
    if (text.empty()) {
        usageError(io, "文字不能为空");
        return false;
    }
    for (char32_t ch : utf8ToU32(text)) {
        if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) {
            usageError(io, "文字不能含控制字符");
            return false;
        }
    }
    return true;
}

namespace {

// Runs the command and checks that its output was written: `written` is the program's own
// output stream (behind io.out when the output is converted).
int runChecked(std::span<const std::string> args, Io& io, std::ostream& written) {
    int code = kExitOk;
    try {
        code = dispatch(args, io);
    } catch (const std::bad_alloc&) {
        io.out.flush();
        io.err << "norlune-cli：内存不足，无法完成\n";
        return kExitFileError;
    }
    io.out.flush();
    if (!io.out || !written) {
        std::string reason;
        if (const auto* fd = dynamic_cast<const FdOutputBuffer*>(written.rdbuf());
            fd != nullptr && fd->error() != 0) {
            reason = "：" + writeErrorReason(fd->error());
        }
        io.err << "norlune-cli：无法写出结果" << reason << '\n';
        return kExitFileError;
    }
    return code;
}

}  // namespace

int run(std::span<const std::string> args, Io& io) {
    // --hant and --hans may stand anywhere (no option's value starts with "--"); the last decides.
    Script script = io.script;
    std::vector<std::string> rest;
    rest.reserve(args.size());
    for (const std::string& arg : args) {
        if (arg == "--hant") {
            script = Script::Hant;
        } else if (arg == "--hans") {
            script = Script::Hans;
        } else {
            rest.push_back(arg);
        }
    }
    if (script == Script::Hans) {
        // The command sees the script it runs in (the locale's may have been Hant).
        Io simplified{io.out, io.err, io.errIsTerminal, io.executableDir, Script::Hans, nullptr};
        return runChecked(rest, simplified, io.out);
    }
    std::vector<std::string> kept;
    // A file path is shown as given, in messages too.
    for (std::size_t i = 0; i + 1 < rest.size(); ++i) {
        if (isPathOption(rest[i])) {
            kept.push_back(rest[i + 1]);
        }
    }
    ConvertingBuffer outBuffer(io.out, ScriptConverter::builtIn(), kept);
    ConvertingBuffer errBuffer(io.err, ScriptConverter::builtIn(), kept);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    Io converted{out, err, io.errIsTerminal, io.executableDir, Script::Hant, &kept};
    const int code = runChecked(rest, converted, io.out);
    err.flush();
    return code;
}

void writeKeeping(std::ostream& stream, std::string_view text,
                  std::span<const std::string_view> keep) {
    if (auto* buffer = dynamic_cast<ConvertingBuffer*>(stream.rdbuf())) {
        buffer->writeKeeping(text, keep);
    } else {
        stream << text;
    }
}

void writeAsGiven(std::ostream& stream, std::string_view text) {
    const std::string_view keep[] = {text};
    writeKeeping(stream, text, keep);
}

}  // namespace norlune::cli
