#include "calendar/bazi_report.h"

#include <array>
#include <chrono>
#include <string_view>
#include <vector>

#include "calendar/element_balance.h"
#include "calendar/four_pillars.h"
#include "calendar/lunar_date.h"
#include "calendar/minguo.h"
#include "calendar/stem_branch.h"

namespace norlune {
namespace {

using namespace std::chrono;

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kLuckPillars = 8;
constexpr int kGridRows = 10;

std::string_view firstCharacter(std::string_view text) {
    const auto chars = splitCharacters(text);
    return chars.empty() ? std::string_view() : chars.front();
}

// Position 1..60 after moving `steps` places around the cycle from `position`.
int cyclePosition(int position, int steps) {
    return floorMod(position - 1 + steps, 60) + 1;
}

year_month_day termDate(const CalendarTables& tables, int index) {
    return year_month_day{floor<days>(tables.termInstant(index))};
}

std::string twoDigits(unsigned n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// "1988-07-01 13:10"
std::string clockText(LocalMinutes clock) {
    const local_days day = floor<days>(clock);
    const year_month_day date{day};
    const auto minutesOfDay = static_cast<unsigned>((clock - day).count());
    return std::to_string(static_cast<int>(date.year())) + "-" +
           twoDigits(static_cast<unsigned>(date.month())) + "-" +
           twoDigits(static_cast<unsigned>(date.day())) + " " + twoDigits(minutesOfDay / 60) + ":" +
           twoDigits(minutesOfDay % 60);
}

// "-129分36秒", "+3分4秒"
std::string signedDuration(seconds value) {
    const long long total = value.count();
    const long long magnitude = total < 0 ? -total : total;
    return std::string(total < 0 ? "-" : "+") + std::to_string(magnitude / 60) + "分" +
           std::to_string(magnitude % 60) + "秒";
}

// "UTC+9", "UTC+8:30": the offset of a clock that ran `ahead` of UTC+8.
std::string utcOffsetText(minutes ahead) {
    const minutes offset = hours{8} + ahead;
    const auto rest = static_cast<unsigned>(offset.count() % 60);
    return "UTC+" + std::to_string(offset.count() / 60) + (rest != 0 ? ":" + twoDigits(rest) : "");
}

// The lines that say how the clock reading was corrected: only for a reading off UTC+8 (summer
// time, or another standard offset of the birthplace's clock) and for a chosen birthplace, so that
// a report without either is what it always was.
std::vector<std::string> correctionLines(const CalendarTables& tables, const BirthMoment& moment) {
    std::vector<std::string> lines;
    const SolarTimeSteps steps = solarTimeSteps(tables, moment);
    if (const ClockPeriod* period = clockPeriod(tables, moment)) {
        const std::string clock = clockText(moment.clock);
        const std::string standard = clockText(steps.standard);
        if (period->summer && period->ahead == hours{1}) {
            lines.push_back("夏令时间校正：" + clock + "为夏令时，按标准时间" + standard + "计算");
        } else if (period->summer) {
            lines.push_back("夏令时间校正：" + clock + "为夏令时（" + utcOffsetText(period->ahead) +
                            "），按UTC+8时间" + standard + "计算");
        } else {
            lines.push_back("时区校正：" + clock + "为" + utcOffsetText(period->ahead) +
                            "时间，按UTC+8时间" + standard + "计算");
        }
    }
    if (moment.place) {
        const std::string name = moment.place->name();
        lines.push_back("出生地点经度：" + (name.empty() ? std::string() : name + " ") + "东经" +
                        longitudeText(moment.place->longitudeArcSeconds));
        lines.push_back("所用真太阳时：" + clockText(floor<minutes>(steps.trueSolar)) +
                        "（经度时差" + signedDuration(steps.longitude) + "，均时差" +
                        signedDuration(steps.equation) + "）");
    }
    return lines;
}

}  // namespace

bool showsMinguoYear(const BirthMoment& moment, bool traditionalInterface) {
    return traditionalInterface && moment.place && inTaiwan(*moment.place);
}

BaZiReport BuildBaZiReport(const CalendarTables& tables, const BirthMoment& moment, int sexCode,
                           const BaZiReportOptions& options) {
    // Every use of the clock reading below takes it on standard time.
    const BirthMoment standard = standardTime(tables, moment);
    const year_month_day birthDay = standard.date();
    const int birthYear = static_cast<int>(birthDay.year());

    const FourPillars pillars = ComputeFourPillars(tables, standard);
    const LunarDate lunar = ComputeLunarDate(standard);
    const std::array<std::string, 4> elements = {
        PillarElements(pillars.year), PillarElements(pillars.month), PillarElements(pillars.day),
        PillarElements(pillars.hour)};
    const ElementBalance balance = ComputeElementBalance(tables.weights, pillars);

    BaZiReport report;
    report.favourable = balance.favourable();

    // A yang year stem gives direction 1; forward when the direction equals the sex code.
    const bool yangYear =
        std::string_view("甲丙戊庚壬").find(firstCharacter(pillars.year)) != std::string_view::npos;
    report.forward = (yangYear ? 1 : 0) == sexCode;

    // The start age counts whole days to the next month-opening term (forward) or from the
    // previous one (backward), three days to a year. A term on the birth day itself is behind.
    const int next = tables.firstTermAfterDate(birthDay);
    const sys_days nextTermDay{termDate(tables, next)};
    const sys_days previousTermDay{termDate(tables, next - 1)};
    const long long dayCount = report.forward ? (nextTermDay - sys_days{birthDay}).count()
                                              : (sys_days{birthDay} - previousTermDay).count();
    report.startAge = static_cast<int>(dayCount >= 0 ? dayCount / 3 : -((-dayCount + 2) / 3));

    std::string luck = "大运：";
    std::string luckElements = "属性：";
    std::string years = "年份：";
    std::string ages = "岁数：";
    const int monthIndex = tables.jiaziPosition(pillars.month);
    for (int i = 1; i <= kLuckPillars; ++i) {
        const int position = cyclePosition(monthIndex, report.forward ? i : -i);
        const std::string& pillar = tables.JiaziTable[static_cast<std::size_t>(position)];
        const int age = report.startAge + 10 * (i - 1);
        luck += pillar + " ";
        luckElements += PillarElements(pillar) + " ";
        years += std::to_string(birthYear + age) + " ";
        ages += std::to_string(age) + (age >= 0 && age < 10 ? " " : "") + "岁 ";
    }

    const std::string counts =
        std::to_string(balance.counts[1]) + "金 " + std::to_string(balance.counts[2]) + "木 " +
        std::to_string(balance.counts[3]) + "水 " + std::to_string(balance.counts[4]) + "火 " +
        std::to_string(balance.counts[5]) + "土 (计入地支藏干)";
    std::vector<std::string> lines = correctionLines(tables, moment);
    if (options.minguoYear) {
        lines.push_back("公历出生时间：" + clockText(moment.clock) + "（" +
                        minguoYearText(static_cast<int>(moment.date().year())) + "）");
    }
    const std::vector<std::string> chart = {
        "农历出生时间：" + lunar.text + (sexCode == kSexMale ? "(男性)" : "(女性)"),
        "命主生辰八字：" + pillars.toString(),
        "八字五行属性：" + elements[0] + " " + elements[1] + " " + elements[2] + " " + elements[3],
        "八字五行统计：" + counts,
        "命主本命属性：" + std::string(firstCharacter(elements[2])),
        "同性五行得分：" + formatScore(balance.sameScore),
        "异性五行得分：" + formatScore(balance.otherScore),
        "平衡用神喜用：" + report.favourable + "(" + (balance.strong() ? "本命主强" : "本命主弱") +
            ")",
        luck,
        luckElements,
        years,
        ages,
    };
    lines.insert(lines.end(), chart.begin(), chart.end());

    // Column b holds the ten years of luck pillar b; row a the year a - 1 after each start.
    const int yearIndex = tables.jiaziPosition(pillars.year);
    for (int a = 1; a <= kGridRows; ++a) {
        std::string row = a == 1 ? std::string("流年：") : "  +" + std::to_string(a - 1) + "  ";
        for (int b = 1; b <= kLuckPillars; ++b) {
            const int k = cyclePosition(yearIndex, 10 * (b - 1) + (a - 1) + report.startAge);
            row += tables.JiaziTable[static_cast<std::size_t>(k)] + " ";
        }
        lines.push_back(std::move(row));
    }
    for (const std::string& line : lines) {
        if (!report.text.empty()) {
            report.text += kLineEnd;
        }
        report.text += line;
    }
    return report;
}

}  // namespace norlune
