#include "calendar/birth_place.h"

#include <charconv>
#include <cmath>

#include "embedded/clock_zones_txt.h"
#include "embedded/places_txt.h"
#include "embedded/summer_time_txt.h"

namespace norlune {
namespace {

using namespace std::chrono;

// The fields of one line between TABs.
std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    for (;;) {
        const std::size_t tab = line.find('\t');
        out.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) {
            return out;
        }
        line.remove_prefix(tab + 1);
    }
}

template <class Visit>
void forEachLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        visit(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "YYYY-MM-DD HH:MM"
std::optional<LocalMinutes> clockReading(std::string_view text) {
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':') {
        return std::nullopt;
    }
    const auto y = wholeNumber(text.substr(0, 4));
    const auto m = wholeNumber(text.substr(5, 2));
    const auto d = wholeNumber(text.substr(8, 2));
    const auto h = wholeNumber(text.substr(11, 2));
    const auto n = wholeNumber(text.substr(14, 2));
    if (!y || !m || !d || !h || !n || *h > 23 || *n > 59) {
        return std::nullopt;
    }
    const year_month_day date{year{*y}, month{static_cast<unsigned>(*m)},
                              day{static_cast<unsigned>(*d)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return LocalMinutes{local_days{date}} + hours{*h} + minutes{*n};
}

// "+09:00", "+08:30": the minutes of a UTC offset.
std::optional<minutes> utcOffset(std::string_view text) {
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':') {
        return std::nullopt;
    }
    const auto h = wholeNumber(text.substr(1, 2));
    const auto m = wholeNumber(text.substr(4, 2));
    if (!h || !m || *h < 0 || *h > 14 || *m < 0 || *m > 59) {
        return std::nullopt;
    }
    const minutes magnitude = hours{*h} + minutes{*m};
    return text[0] == '-' ? -magnitude : magnitude;
}

std::string_view withoutSuffix(std::string_view name, std::string_view suffix) {
    // A one-character name keeps its suffix ("沙市" would otherwise become "沙").
    if (name.ends_with(suffix) && name.size() > suffix.size() + 3) {
        name.remove_suffix(suffix.size());
    }
    return name;
}

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

}  // namespace

std::string longitudeText(int arcSeconds) {
    const int degrees = arcSeconds / 3600;
    const int minutes = arcSeconds / 60 % 60;
    const int seconds = arcSeconds % 60;
    std::string text = std::to_string(degrees) + "°" + twoDigits(minutes) + "′";
    if (seconds != 0) {
        text += twoDigits(seconds) + "″";
    }
    return text;
}

seconds longitudeCorrection(const BirthPlace& place) {
    // One degree is four minutes of time, so one second of time is fifteen seconds of arc.
    const int arc = place.longitudeArcSeconds - kClockMeridianArcSeconds;
    const int whole = arc / 15;
    const int rest = arc % 15;
    return seconds{whole + (2 * rest >= 15 ? 1 : 0) - (2 * rest <= -15 ? 1 : 0)};
}

std::optional<BirthPlace> placeAtLongitude(double degrees) {
    if (!std::isfinite(degrees) || degrees < kWestmostLongitude || degrees > kEastmostLongitude) {
        return std::nullopt;
    }
    BirthPlace place;
    place.longitudeArcSeconds = static_cast<int>(std::lround(degrees * 3600.0));
    return place;
}

std::optional<double> parseLongitude(std::string_view text) {
    // Plain decimal notation only: digits, at most one point, digits.
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (whole.empty() || whole.size() > 3 || !allDigits(whole) || !allDigits(fraction) ||
        (point != std::string_view::npos && fraction.empty())) {
        return std::nullopt;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

PlaceTable PlaceTable::fromText(std::string_view text) {
    PlaceTable table;
    forEachLine(text, [&table](std::string_view line) {
        const auto f = fields(line);
        if ((f.size() != 4 && f.size() != 5) || f[0].empty() || f[1].empty()) {
            return;
        }
        const auto degrees = wholeNumber(f[2]);
        const auto minutes = wholeNumber(f[3]);
        if (!degrees || !minutes || *minutes < 0 || *minutes > 59) {
            return;
        }
        table.places_.push_back(BirthPlace{std::string(f[0]), std::string(f[1]),
                                           *degrees * 3600 + *minutes * 60,
                                           f.size() == 5 ? std::string(f[4]) : std::string()});
        if (table.provinces_.empty() || table.provinces_.back() != f[0]) {
            table.provinces_.emplace_back(f[0]);
        }
    });
    // The full name wins over a short form that happens to equal another place's full name.
    for (std::size_t i = 0; i < table.places_.size(); ++i) {
        table.byName_.try_emplace(table.places_[i].city, i);
    }
    for (std::size_t i = 0; i < table.places_.size(); ++i) {
        const std::string& city = table.places_[i].city;
        table.byName_.try_emplace(std::string(withoutSuffix(city, "市")), i);
        table.byName_.try_emplace(std::string(withoutSuffix(city, "地区")), i);
    }
    // Taiwan's counties after every city: "新竹" is 新竹市, "宜兰" is 宜兰县.
    for (std::size_t i = 0; i < table.places_.size(); ++i) {
        table.byName_.try_emplace(std::string(withoutSuffix(table.places_[i].city, "县")), i);
    }
    return table;
}

std::vector<const BirthPlace*> PlaceTable::placesOf(std::string_view province) const {
    std::vector<const BirthPlace*> out;
    for (const BirthPlace& place : places_) {
        if (place.province == province) {
            out.push_back(&place);
        }
    }
    return out;
}

const BirthPlace* PlaceTable::find(std::string_view city) const {
    const auto it = byName_.find(std::string(city));
    return it == byName_.end() ? nullptr : &places_[it->second];
}

const std::string* PlaceTable::findProvince(std::string_view name) const {
    for (const std::string& province : provinces_) {
        if (province == name) {
            return &province;
        }
    }
    // Short forms: the full name starts with the given one ("新疆" of "新疆维吾尔自治区").
    for (const std::string& province : provinces_) {
        if (name.size() >= 6 && std::string_view(province).starts_with(name)) {
            return &province;
        }
    }
    return nullptr;
}

PlaceTable FillPlaceTable() {
    return PlaceTable::fromText(embedded::kPlacesTxt);
}

SummerTimePeriods SummerTimePeriods::fromText(std::string_view text) {
    SummerTimePeriods table;
    forEachLine(text, [&table](std::string_view line) {
        const auto f = fields(line);
        if (f.size() != 2) {
            return;
        }
        const auto start = clockReading(f[0]);
        const auto end = clockReading(f[1]);
        if (start && end && *start < *end) {
            table.periods_.push_back(ClockPeriod{*start, *end, hours{1}, true});
        }
    });
    return table;
}

const ClockPeriod* SummerTimePeriods::find(LocalMinutes clock) const {
    for (const ClockPeriod& period : periods_) {
        if (clock >= period.start && clock < period.end) {
            return &period;
        }
    }
    return nullptr;
}

SummerTimePeriods builtInSummerTime() {
    return SummerTimePeriods::fromText(embedded::kSummerTimeTxt);
}

ClockZones ClockZones::fromText(std::string_view text) {
    ClockZones table;
    forEachLine(text, [&table](std::string_view line) {
        const auto f = fields(line);
        if (f.size() != 5 || f[0].empty() || (f[4] != "summer" && f[4] != "standard")) {
            return;
        }
        const auto start = clockReading(f[1]);
        const auto end = clockReading(f[2]);
        const auto offset = utcOffset(f[3]);
        if (!start || !end || !offset || *start >= *end || *offset <= hours{8}) {
            return;
        }
        if (table.zones_.empty() || table.zones_.back().first != f[0]) {
            table.zones_.emplace_back(std::string(f[0]), SummerTimePeriods());
        }
        table.zones_.back().second.periods_.push_back(
            ClockPeriod{*start, *end, *offset - hours{8}, f[4] == "summer"});
    });
    return table;
}

const SummerTimePeriods* ClockZones::find(std::string_view zone) const {
    for (const auto& [name, periods] : zones_) {
        if (name == zone) {
            return &periods;
        }
    }
    return nullptr;
}

std::vector<std::string> ClockZones::zones() const {
    std::vector<std::string> names;
    for (const auto& entry : zones_) {
        names.push_back(entry.first);
    }
    return names;
}

ClockZones builtInClockZones() {
    return ClockZones::fromText(embedded::kClockZonesTxt);
}

}  // namespace norlune
