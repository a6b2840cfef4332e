#include "radio_data/backup_folder.h"

#include "util/local_time.h"
#include "util/text_format.h"

#include <cctype>
#include <system_error>
#include <vector>

namespace qrv {

namespace {

constexpr std::size_t kStampLength = 17; // "YYYY-MM-DD_HHMMSS"
constexpr int kMaxSequence = 1000;
constexpr std::time_t kSecondsPerDay = 24 * 60 * 60;

// A model name may hold anything; a file name keeps letters, digits, '.', '-'.
std::string FileSafe(const std::string& text)
{
    std::string safe;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        safe += std::isalnum(u) || c == '-' || c == '.' ? c : '_';
    }
    return safe.empty() ? std::string("radio") : safe;
}

bool Digits(const std::string& text, std::size_t at, std::size_t count, int& value)
{
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

std::string CBackupFolder::FileName(const std::tm& t, const std::string& modelName, BackupDirection direction,
                                    int sequence)
{
    std::string name = Format("%04d-%02d-%02d_%02d%02d%02d_", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                              t.tm_min, t.tm_sec);
    name += FileSafe(modelName);
    name += direction == BackupDirection::Read ? "_read" : "_write";
    if (sequence > 1)
        name += Format("_%d", sequence);
    return name + ".dat";
}

std::optional<std::tm> CBackupFolder::TimeOf(const std::string& name)
{
    const bool tagged = name.find("_read") != std::string::npos || name.find("_write") != std::string::npos;
    if (name.size() < kStampLength + 5 || !tagged || name.compare(name.size() - 4, 4, ".dat") != 0)
        return std::nullopt;
    if (name[4] != '-' || name[7] != '-' || name[10] != '_' || name[kStampLength] != '_')
        return std::nullopt;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!Digits(name, 0, 4, year) || !Digits(name, 5, 2, month) || !Digits(name, 8, 2, day) ||
        !Digits(name, 11, 2, hour) || !Digits(name, 13, 2, minute) || !Digits(name, 15, 2, second))
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60)
        return std::nullopt;
    return MakeLocalTime(year, month, day, hour, minute, second);
}

std::optional<std::filesystem::path> CBackupFolder::Save(const DataFileHeader& header, const Image& image,
                                                         BackupDirection direction, const std::tm& localTime,
                                                         std::string& error) const
{
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    if (ec) {
        error = m_folder.string() + ": " + ec.message();
        return std::nullopt;
    }
    CDataFile file;
    if (!file.SetHeader(header)) {
        error = "no codeplug header";
        return std::nullopt;
    }
    const std::string model = header.ModelName();
    for (int sequence = 1; sequence <= kMaxSequence; ++sequence) {
        const auto path = m_folder / FileName(localTime, model, direction, sequence);
        if (std::filesystem::exists(path, ec))
            continue;
        const CSaveResult saved = file.WriteFile(path, {}, image, "");
        if (saved)
            return path;
        error = path.string() + ": " + saved.systemText;
        return std::nullopt;
    }
    error = m_folder.string() + ": the backup file cannot be written";
    return std::nullopt;
}

int CBackupFolder::Prune(int keepDays, std::time_t now) const
{
    if (keepDays <= 0)
        return 0;
    const std::time_t oldest = now - static_cast<std::time_t>(keepDays) * kSecondsPerDay;
    std::vector<std::filesystem::path> old;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        auto t = TimeOf(it->path().filename().string());
        if (!t)
            continue;
        const std::time_t when = std::mktime(&*t);
        if (when != static_cast<std::time_t>(-1) && when < oldest)
            old.push_back(it->path());
    }
    int removed = 0;
    for (const auto& path : old) {
        std::error_code removeError;
        if (std::filesystem::remove(path, removeError))
            ++removed;
    }
    return removed;
}

} // namespace qrv
