#include "shell/windows/GregorianDate.h"

#include <cmath>

namespace {

constexpr int64_t kDaysFrom1970To2001 = 11323;

// Year, month and day of a day count since 1970-01-01 (proleptic Gregorian calendar).
void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

} // namespace

SGregorianDate GetGregorianDate(double absoluteTime)
{
    SGregorianDate date;
    if (!std::isfinite(absoluteTime) || std::fabs(absoluteTime) > 1e15)
        return date;
    const double days = std::floor(absoluteTime / 86400.0);
    const double secondsOfDay = absoluteTime - days * 86400.0;
    const auto dayNumber = static_cast<int64_t>(days);
    int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(dayNumber + kDaysFrom1970To2001, year, month, day);
    date.year = static_cast<int32_t>(year);
    date.month = static_cast<uint8_t>(month);
    date.day = static_cast<uint8_t>(day);
    const auto wholeSeconds = static_cast<int64_t>(secondsOfDay);
    date.hour = static_cast<uint8_t>(wholeSeconds / 3600);
    date.minute = static_cast<uint8_t>(wholeSeconds / 60 % 60);
    date.second = secondsOfDay - double(wholeSeconds / 60 * 60);
    // 2001-01-01 was a Monday.
    date.dayOfWeek = static_cast<uint8_t>(((dayNumber % 7) + 7) % 7 + 1);
    return date;
}
