// Backup file names against arbitrary text: a name is a backup's or not, a
// backup's time is a real local time, and every name the program makes for
// a time reads back as that time, whatever the model name holds.
#include "radio_data/backup_folder.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

using namespace qrv;

constexpr int kHighestSecond = 60; // a leap second

bool SameTime(const std::tm& a, const std::tm& b)
{
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday && a.tm_hour == b.tm_hour &&
           a.tm_min == b.tm_min && a.tm_sec == b.tm_sec;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string name(reinterpret_cast<const char*>(bytes), size);
    const auto time = CBackupFolder::TimeOf(name);
    if (!time)
        return 0;
    if (time->tm_mon < 0 || time->tm_mon > 11 || time->tm_mday < 1 || time->tm_mday > 31 || time->tm_hour > 23 ||
        time->tm_min > 59 || time->tm_sec > kHighestSecond)
        std::abort();
    std::tm local = *time;
    std::mktime(&local); // as pruning compares it

    for (const auto direction : {BackupDirection::Read, BackupDirection::Write}) {
        const auto made =
            CBackupFolder::TimeOf(CBackupFolder::FileName(*time, name, direction, static_cast<int>(size % 3) + 1));
        if (!made || !SameTime(*made, *time))
            std::abort();
    }
    return 0;
}
