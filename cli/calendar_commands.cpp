#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "calendar/bazi_report.h"
#include "calendar/birth_moment.h"
#include "calendar/calendar_tables.h"
#include "calendar/four_pillars.h"
#include "calendar/lunar_date.h"
#include "cli/cli.h"
#include "engine/utf8.h"
#include "script/interface_script.h"

namespace norlune::cli {
namespace {

constexpr std::array<std::string_view, 4> kCommands = {"pillars", "lunar", "bazi", "places"};

// A place or province typed in the traditional characters in which the traditional interface lists
// it (烏魯木齊, 廣東省), written back in the characters of the place table: each character of the
// table's names in its traditional form stands for the table's own. Other text is left as it is.
std::string placeNameAsListed(const PlaceTable& places, std::string_view typed) {
    const ScriptConverter& converter = ScriptConverter::builtIn();
    std::unordered_map<char32_t, char32_t> simplified;
    const auto learn = [&](std::string_view name) {
        const std::u32string own = utf8ToU32(name);
        const std::u32string shown = utf8ToU32(converter.toHant(name));
        for (std::size_t i = 0; i < own.size() && i < shown.size(); ++i) {
            simplified.try_emplace(shown[i], own[i]);
        }
    };
    for (const BirthPlace& place : places.places()) {
        learn(place.city);
    }
    for (const std::string& province : places.provinces()) {
        learn(province);
    }
    std::u32string name = utf8ToU32(typed);
    for (char32_t& ch : name) {
        if (const auto it = simplified.find(ch); it != simplified.end()) {
            ch = it->second;
        }
    }
    return u32ToUtf8(name);
}

// `places [PROVINCE]`: province, place and longitude, one place a line.
int listPlaces(std::span<const std::string> args, Io& io) {
    ParsedArgs parsed;
    if (!parseArgs(args, {}, {}, parsed, io)) {
        return kExitUsage;
    }
    if (parsed.positional.size() > 1) {
        return usageError(io, "places 最多需要一个参数：省份");
    }
    const PlaceTable places = FillPlaceTable();
    std::vector<std::string> provinces = places.provinces();
    if (parsed.positional.size() == 1) {
        const std::string* province = places.findProvince(parsed.positional[0]);
        if (province == nullptr) {
            province = places.findProvince(placeNameAsListed(places, parsed.positional[0]));
        }
        if (province == nullptr) {
            io.keep(parsed.positional[0]);  // the name shown as typed
            return usageError(io, "未知的省份：" + parsed.positional[0]);
        }
        provinces = {*province};
    }
    for (const std::string& province : provinces) {
        for (const BirthPlace* place : places.placesOf(province)) {
            io.out << place->province << '\t' << place->city << "\t东经"
                   << longitudeText(place->longitudeArcSeconds) << '\n';
        }
    }
    return kExitOk;
}

// The birthplace and summer-time options; on failure the exit code is set.
bool readPlaceOptions(const ParsedArgs& parsed, const PlaceTable& places, BirthMoment& moment,
                      Io& io, int& exitCode) {
    const std::string* city = parsed.value("--place");
    const std::string* longitude = parsed.value("--longitude");
    if (city != nullptr && longitude != nullptr) {
        exitCode = usageError(io, "--place 和 --longitude 只能选用一个");
        return false;
    }
    if (city != nullptr) {
        const BirthPlace* place = places.find(*city);
        if (place == nullptr) {
            place = places.find(placeNameAsListed(places, *city));
        }
        if (place == nullptr) {
            io.keep(*city);  // the name shown as typed
            exitCode = usageError(
                io, "未知的出生地点：" + *city + "（可用 norlune-cli places 查看可选的地点）");
            return false;
        }
        moment.place = *place;
    }
    if (longitude != nullptr) {
        const auto degrees = parseLongitude(*longitude);
        const auto place = degrees ? placeAtLongitude(*degrees) : std::nullopt;
        if (!place) {
            exitCode = usageError(io, "经度应为东经73度到136度之间的数，例如 104.07");
            return false;
        }
        moment.place = *place;
    }
    moment.summerTime = !parsed.has("--no-summer-time");
    return true;
}

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
    if (command == "places") {
        return listPlaces(args, io);
    }
    static constexpr std::array<std::string_view, 2> kBaziFlags = {"--female", "--no-summer-time"};
    static constexpr std::array<std::string_view, 2> kValued = {"--place", "--longitude"};
    ParsedArgs parsed;
    if (!parseArgs(args,
                   command == "bazi" ? std::span<const std::string_view>(kBaziFlags)
                                     : std::span<const std::string_view>(kBaziFlags).subspan(1),
                   kValued, parsed, io)) {
        return kExitUsage;
    }
    int exitCode = kExitOk;
    auto moment = readMoment(parsed, command, io, exitCode);
    if (!moment) {
        return exitCode;
    }
    const CalendarTables tables = FillCalendarTables();
    if (!readPlaceOptions(parsed, tables.places, *moment, io, exitCode)) {
        return exitCode;
    }
    if (command == "lunar") {
        io.out << ComputeLunarDate(tables, *moment).text << '\n';
        return kExitOk;
    }
    if (command == "pillars") {
        io.out << ComputeFourPillars(tables, *moment).toString() << '\n';
        return kExitOk;
    }
    const int sex = parsed.has("--female") ? kSexFemale : kSexMale;
    const BaZiReportOptions options{showsMinguoYear(*moment, io.script == Script::Hant)};
    writeReportLines(io.out, BuildBaZiReport(tables, *moment, sex, options).text);
    return kExitOk;
}

}  // namespace norlune::cli
