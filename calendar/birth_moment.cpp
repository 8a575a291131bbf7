#include "calendar/birth_moment.h"

#include <charconv>

namespace norlune {
namespace {

// Reads 1..maxDigits decimal digits from the front of `text` and drops them.
std::optional<int> takeNumber(std::string_view& text, std::size_t minDigits,
                              std::size_t maxDigits) {
    std::size_t n = 0;
    while (n < text.size() && n < maxDigits && text[n] >= '0' && text[n] <= '9') {
        ++n;
    }
    if (n < minDigits) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + n, value);
    text.remove_prefix(n);
    return value;
}

bool takeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::optional<BirthMoment> makeBirthMoment(int year, unsigned month, unsigned day, int hour,
                                           int minute) {
    using namespace std::chrono;
    const year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                              std::chrono::day{day}};
    if (!date.ok() || hour < 0 || hour > 23 || minute < 0 || minute > 59) {
        return std::nullopt;
    }
    BirthMoment moment;
    moment.clock = local_days{date} + hours{hour} + minutes{minute};
    return moment;
}

std::optional<BirthMoment> parseBirthMoment(std::string_view text) {
    const auto year = takeNumber(text, 4, 4);
    if (!year || !takeChar(text, '-')) {
        return std::nullopt;
    }
    const auto month = takeNumber(text, 1, 2);
    if (!month || !takeChar(text, '-')) {
        return std::nullopt;
    }
    const auto day = takeNumber(text, 1, 2);
    if (!day || !takeChar(text, ' ')) {
        return std::nullopt;
    }
    const auto hour = takeNumber(text, 1, 2);
    if (!hour || !takeChar(text, ':')) {
        return std::nullopt;
    }
    const auto minute = takeNumber(text, 2, 2);
    if (!minute || !text.empty()) {
        return std::nullopt;
    }
    return makeBirthMoment(*year, static_cast<unsigned>(*month), static_cast<unsigned>(*day), *hour,
                           *minute);
}

bool inBirthYears(const BirthMoment& moment) {
    const int year = static_cast<int>(moment.date().year());
    return year >= kFirstBirthYear && year <= kLastBirthYear;
}

}  // namespace norlune
