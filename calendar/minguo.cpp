#include "calendar/minguo.h"

namespace norlune {

namespace {
constexpr int kFirstMinguoYear = 1912;
}  // namespace

std::string minguoYearText(int gregorianYear) {
    const int year = gregorianYear - kFirstMinguoYear + 1;
    if (year == 1) {
        return "民國元年";
    }
    if (year >= 2) {
        return "民國" + std::to_string(year) + "年";
    }
    return "民國前" + std::to_string(1 - year) + "年";
}

bool inTaiwan(const BirthPlace& place) {
    return place.zone == "Asia/Taipei";
}

}  // namespace norlune
