#pragma once
// The local time of this moment, for time stamps written into the codeplug.
#include <ctime>

namespace qrv {

inline std::tm LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

// A local calendar time from its parts (month and day from 1); daylight
// saving is left for the library to decide.
inline std::tm MakeLocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return t;
}

} // namespace qrv
