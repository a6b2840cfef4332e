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

} // namespace qrv
