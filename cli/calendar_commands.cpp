#include <algorithm>
#include <array>
#include <ostream>
#include <string>

#include "calendar/bazi_report.h"
#include "calendar/birth_moment.h"
#include "calendar/calendar_tables.h"
#include "calendar/four_pillars.h"
#include "calendar/lunar_date.h"
#include "cli/cli.h"

namespace norlune::cli {
namespace {

constexpr std::array<std::string_view, 3> kCommands = {"pillars", "lunar", "bazi"};

// The birth moment of the single positional argument; on failure the exit code is set.
std::optional<BirthMoment> readMoment(const ParsedArgs& parsed, std::string_view command, Io& io,
                                      int& exitCode) {
    if (parsed.positional.size() != 1) {
        exitCode = usageError(io, std::string(command) + " 需要一个参数：\"YYYY-MM-DD HH:MM\"");
        return std::nullopt;
    }
    const auto moment = parseBirthMoment(parsed.positional[0]);
    if (!moment) {
        exitCode = usageError(io, "出生时间应写作 YYYY-MM-DD HH:MM，且须为有效的日期和时间");
        return std::nullopt;
    }
    if (!inBirthYears(*moment)) {
        exitCode = usageError(io, kBirthYearRangeMessage);
        return std::nullopt;
    }
    return moment;
}

}  // namespace

bool isCalendarCommand(std::string_view command) {
    return std::find(kCommands.begin(), kCommands.end(), command) != kCommands.end();
}

int runCalendarCommand(std::string_view command, std::span<const std::string> args, Io& io) {
    static constexpr std::array<std::string_view, 1> kBaziFlags = {"--female"};
    ParsedArgs parsed;
    if (!parseArgs(args,
                   command == "bazi" ? std::span<const std::string_view>(kBaziFlags)
                                     : std::span<const std::string_view>(),
                   {}, parsed, io)) {
        return kExitUsage;
    }
    int exitCode = kExitOk;
    const auto moment = readMoment(parsed, command, io, exitCode);
    if (!moment) {
        return exitCode;
    }
    if (command == "lunar") {
        io.out << ComputeLunarDate(*moment).text << '\n';
        return kExitOk;
    }
    const CalendarTables tables = FillCalendarTables();
    if (command == "pillars") {
        io.out << ComputeFourPillars(tables, *moment).toString() << '\n';
        return kExitOk;
    }
    const int sex = parsed.has("--female") ? kSexFemale : kSexMale;
    writeReportLines(io.out, BuildBaZiReport(tables, *moment, sex).text);
    return kExitOk;
}

}  // namespace norlune::cli
