#pragma once
// Places of birth with their longitudes and clocks, and the periods in which a clock did not keep
// UTC+8 (China's summer time; the summer times and other offsets of Taiwan, Hong Kong and Macau).
// The clock time of a birth is the time of the 120th meridian east; a birthplace east or west of it
// sees the sun earlier or later, four minutes of time for each degree.
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

// The zone of the time-zone database whose clock the mainland keeps.
inline constexpr std::string_view kMainlandZone = "Asia/Shanghai";

struct BirthPlace {
    std::string province;         // empty for a place given by its longitude alone
    std::string city;             // empty for a place given by its longitude alone
    int longitudeArcSeconds = 0;  // east
    // The zone of the time-zone database whose clock the place keeps ("Asia/Taipei"); empty for a
    // place given by its longitude alone, which keeps the mainland's clock.
    std::string zone;

    // Whether the place keeps a clock of its own rather than the mainland's.
    bool hasOwnClock() const { return !zone.empty() && zone != kMainlandZone; }

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
    // From lines "province TAB city TAB degrees TAB minutes [TAB zone]"; lines of another form are
    // skipped. Without a zone a place keeps the mainland's clock.
    static PlaceTable fromText(std::string_view text);

    const std::vector<BirthPlace>& places() const { return places_; }
    // The provinces in the order of the table.
    const std::vector<std::string>& provinces() const { return provinces_; }
    // The places of one province, in the order of the table; empty for an unknown province.
    std::vector<const BirthPlace*> placesOf(std::string_view province) const;
    // A place by its full name ("乌鲁木齐市") or its name without 市, 地区 or 县 ("乌鲁木齐").
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

// A stretch of clock readings in which a clock ran ahead of UTC+8: from `start`, the reading the
// clock showed just before it changed, up to but not including `end`, the reading the period's own
// clock showed when it changed again. A reading the clocks skipped at the start or showed twice at
// the end therefore lies in the period: where a reading could be on two offsets, the larger one
// counts.
struct ClockPeriod {
    LocalMinutes start;
    LocalMinutes end;
    std::chrono::minutes ahead{60};  // how far the clock ran ahead of UTC+8
    bool summer = true;              // summer time; otherwise a standard offset other than UTC+8

    friend bool operator==(const ClockPeriod&, const ClockPeriod&) = default;
};

// The periods in which one clock ran ahead of UTC+8, in order. China's summer time, 1986 to 1991:
// the clocks ran one hour ahead from the first clock reading of each period (standard time, when
// 02:00 became 03:00) up to its end (summer time, when 02:00 became 01:00 again). The hour shown
// twice at the end counts as summer time.
class SummerTimePeriods {
public:
    // From lines "YYYY-MM-DD HH:MM TAB YYYY-MM-DD HH:MM", each a period of summer time one hour
    // ahead; lines of another form are skipped.
    static SummerTimePeriods fromText(std::string_view text);

    // Whether a clock reading lies in a period.
    bool contains(LocalMinutes clock) const { return find(clock) != nullptr; }
    // The period a clock reading lies in; nullptr when it lies in none.
    const ClockPeriod* find(LocalMinutes clock) const;
    const std::vector<ClockPeriod>& periods() const { return periods_; }

private:
    friend class ClockZones;
    std::vector<ClockPeriod> periods_;
};

// The built-in summer-time periods of the mainland.
SummerTimePeriods builtInSummerTime();

// The periods off UTC+8 of the clocks outside the mainland, by zone of the time-zone database.
class ClockZones {
public:
    // From lines "zone TAB YYYY-MM-DD HH:MM TAB YYYY-MM-DD HH:MM TAB +HH:MM TAB summer|standard"
    // (the zone, the start and end of a period, the UTC offset of its clock, and whether it was
    // summer time); lines of another form, and periods not ahead of UTC+8, are skipped.
    static ClockZones fromText(std::string_view text);

    // The periods of a zone; nullptr for a zone without any.
    const SummerTimePeriods* find(std::string_view zone) const;
    // The zones, in the order of the data.
    std::vector<std::string> zones() const;

private:
    std::vector<std::pair<std::string, SummerTimePeriods>> zones_;
};

// The built-in periods of Taiwan's, Hong Kong's and Macau's clocks, 1921 to 2100.
ClockZones builtInClockZones();

}  // namespace norlune
