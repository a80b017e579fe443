#include "platform/Clock.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace kv {

std::string LocalTimeText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

// Civil date from a day count (days since 1970-01-01), after H. Hinnant's
// well-known algorithm for the proleptic Gregorian calendar.
static void CivilFromDays(long long z, int& year, unsigned& month, unsigned& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2 ? 1 : 0));
}

std::string ShortDateText(double daysSince1899)
{
    constexpr long long DaysFrom1899To1970 = 25569;
    const auto days = static_cast<long long>(std::floor(daysSince1899)) - DaysFrom1899To1970;
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(days, year, month, day);
    char text[24];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", day, month, year);
    return text;
}

}  // namespace kv
