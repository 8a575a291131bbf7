#pragma once
// Places of birth with their longitudes, and the periods of China's summer time. The clock time of
// a birth is the time of the 120th meridian east; a birthplace east or west of it sees the sun
// earlier or later, four minutes of time for each degree.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace norlune {

using LocalMinutes = std::chrono::local_time<std::chrono::minutes>;

// The meridian of the clock time, 120° east, in seconds of arc.
inline constexpr int kClockMeridianArcSeconds = 120 * 3600;
// The longitudes a birthplace may have, in degrees east: China from its western to its eastern end.
inline constexpr int kWestmostLongitude = 73;
inline constexpr int kEastmostLongitude = 136;

struct BirthPlace {
    std::string province;         // empty for a place given by its longitude alone
    std::string city;             // empty for a place given by its longitude alone
    int longitudeArcSeconds = 0;  // east

    // "新疆维吾尔自治区乌鲁木齐市", or "" for a longitude alone.
    std::string name() const { return province == city ? city : province + city; }
    friend bool operator==(const BirthPlace&, const BirthPlace&) = default;
};

// "87°36′", with seconds when there are any: "104°04′12″".
std::string longitudeText(int arcSeconds);

// What turns clock time into local mean time at the place: +4 minutes for each degree east of
// the 120th meridian, -4 for each degree west, to the nearest second.
std::chrono::seconds longitudeCorrection(const BirthPlace& place);

// A place given only by a longitude in degrees east (to the second of arc); nothing outside
// kWestmostLongitude to kEastmostLongitude or for a value that is not a number.
std::optional<BirthPlace> placeAtLongitude(double degrees);

// Reads a longitude written as a decimal number of degrees ("104.07", "87.6", "120").
std::optional<double> parseLongitude(std::string_view text);

// The table of birthplaces: every prefecture-level city of mainland China by province, Hong Kong,
// Macau and the main cities of Taiwan, in the order of the data.
class PlaceTable {
public:
    // From lines "province TAB city TAB degrees TAB minutes"; lines of another form are skipped.
    static PlaceTable fromText(std::string_view text);

    const std::vector<BirthPlace>& places() const { return places_; }
    // The provinces in the order of the table.
    const std::vector<std::string>& provinces() const { return provinces_; }
    // The places of one province, in the order of the table; empty for an unknown province.
    std::vector<const BirthPlace*> placesOf(std::string_view province) const;
    // A place by its full name ("乌鲁木齐市") or its name without 市 ("乌鲁木齐").
    const BirthPlace* find(std::string_view city) const;
    // A province by its full name ("四川省") or its short form ("四川", "新疆", "香港").
    const std::string* findProvince(std::string_view name) const;

private:
    std::vector<BirthPlace> places_;
    std::vector<std::string> provinces_;
    std::unordered_map<std::string, std::size_t> byName_;
};

// The built-in birthplaces.
PlaceTable FillPlaceTable();

// China's summer time, 1986 to 1991: the clocks ran one hour ahead from the first clock reading of
// each period (standard time, when 02:00 became 03:00) up to its end (summer time, when 02:00
// became 01:00 again). The hour shown twice at the end counts as summer time.
class SummerTimePeriods {
public:
    // From lines "YYYY-MM-DD HH:MM TAB YYYY-MM-DD HH:MM"; lines of another form are skipped.
    static SummerTimePeriods fromText(std::string_view text);

    // Whether a clock reading lies in a summer-time period.
    bool contains(LocalMinutes clock) const;
    const std::vector<std::pair<LocalMinutes, LocalMinutes>>& periods() const { return periods_; }

private:
    std::vector<std::pair<LocalMinutes, LocalMinutes>> periods_;
};

// The built-in summer-time periods.
SummerTimePeriods builtInSummerTime();

}  // namespace norlune
