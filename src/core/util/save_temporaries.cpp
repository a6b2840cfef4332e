#include "util/save_temporaries.h"

#include <cerrno>
#include <cstdint>
#include <random>
#include <string_view>
#include <system_error>

#if defined(__linux__)
#include <sys/random.h>
#endif
#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qrv {

namespace {

constexpr std::string_view kLead = ".";
constexpr std::string_view kMark = ".qrv-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kRandomDigits = 16;
constexpr std::size_t kMaxFileNameBytes = 255;
constexpr std::size_t kMaxTargetNameBytes =
    kMaxFileNameBytes - kLead.size() - kMark.size() - kRandomDigits - kSuffix.size();
constexpr std::string_view kHexDigits = "0123456789abcdef";

std::uint64_t RandomBits()
{
#if defined(__linux__)
    std::uint64_t value = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&value);
    std::size_t got = 0;
    while (got < sizeof value) {
        const ssize_t n = ::getrandom(bytes + got, sizeof value - got, 0);
        if (n > 0)
            got += static_cast<std::size_t>(n);
        else if (errno != EINTR)
            break;
    }
    if (got == sizeof value)
        return value;
#endif
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

std::string PrefixOf(const std::string& targetName)
{
    return std::string(kLead) + targetName.substr(0, kMaxTargetNameBytes) + std::string(kMark);
}

std::filesystem::path FolderOf(const std::filesystem::path& target)
{
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

#if !defined(_WIN32)
bool Before(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// lstat never follows a link, so a link under a temporary name is seen as a link.
bool IsStaleRegularFile(const std::filesystem::path& path, const struct stat& own)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && Before(st.st_mtim, own.st_mtim);
}
#endif

} // namespace

std::string RandomTemporaryName(const std::string& targetName)
{
    std::uint64_t bits = RandomBits();
    std::string digits(kRandomDigits, '0');
    for (char& digit : digits) {
        digit = kHexDigits[bits & 0xF];
        bits >>= 4;
    }
    return PrefixOf(targetName) + digits + std::string(kSuffix);
}

bool IsTemporaryNameOf(const std::string& name, const std::string& targetName)
{
    const std::string prefix = PrefixOf(targetName);
    if (name.size() != prefix.size() + kRandomDigits + kSuffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(prefix.size() + kRandomDigits, kSuffix.size(), kSuffix) != 0)
        return false;
    const std::string_view digits = std::string_view(name).substr(prefix.size(), kRandomDigits);
    return digits.find_first_not_of(kHexDigits) == std::string_view::npos;
}

int RemoveStaleTemporaries(const std::filesystem::path& target, const std::filesystem::path& ownTemporary)
{
    const std::string targetName = target.filename().string();
    int removed = 0;
#if defined(_WIN32)
    std::error_code ec;
    const auto ownTime = std::filesystem::last_write_time(ownTemporary, ec);
    if (ec)
        return 0;
#else
    struct stat own {};
    if (::lstat(ownTemporary.c_str(), &own) != 0)
        return 0;
    std::error_code ec;
#endif
    for (std::filesystem::directory_iterator it(FolderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& entry = it->path();
        if (entry.filename() == ownTemporary.filename() || !IsTemporaryNameOf(entry.filename().string(), targetName))
            continue;
#if defined(_WIN32)
        std::error_code entryError;
        if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(entry, entryError)) ||
            std::filesystem::last_write_time(entry, entryError) >= ownTime || entryError)
            continue;
        if (std::filesystem::remove(entry, entryError))
            ++removed;
#else
        if (IsStaleRegularFile(entry, own) && ::unlink(entry.c_str()) == 0)
            ++removed;
#endif
    }
    return removed;
}

} // namespace qrv
