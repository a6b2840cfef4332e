#include "util/atomic_file.h"

#include "util/temporary_file.h"

#include <cerrno>
#include <csignal>
#include <fstream>
#include <system_error>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qrv {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > maxBytes)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return std::nullopt;
    return bytes;
}

namespace {

constexpr int kMaxLinkHops = 40;        // the kernel's own limit
constexpr unsigned kNewFileMode = 0666; // the umask makes it the user's default
constexpr unsigned kPrivateMode = 0600; // until the target's own permissions are set

CSaveResult Failed(SaveFailure failure, int error)
{
    return {failure, std::generic_category().message(error)};
}

// A full disk and a size limit keep their own reasons whichever step met them.
SaveFailure ReasonOf(int error, SaveFailure otherwise)
{
    switch (error) {
    case ENOSPC:
#if defined(EDQUOT)
    case EDQUOT:
#endif
        return SaveFailure::NoSpace;
    case EFBIG:
        return SaveFailure::TooLarge;
    default:
        return otherwise;
    }
}

// Past the file-size limit the system ends the process with SIGXFSZ unless
// the signal is ignored; ignored, the write fails with EFBIG and the save
// says so. A handler the program installed itself is left alone.
void IgnoreFileSizeSignal()
{
#if defined(SIGXFSZ)
    static const bool ignored = [] {
        struct sigaction current {};
        if (::sigaction(SIGXFSZ, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
            return false;
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        return ::sigaction(SIGXFSZ, &ignore, nullptr) == 0;
    }();
    (void)ignored;
#endif
}

// The file a chain of links names (the path itself when it is no link);
// nullopt for a chain that loops or cannot be read.
std::optional<std::filesystem::path> ResolveLinks(std::filesystem::path path)
{
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec)))
            return path;
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec)
            return std::nullopt;
        path = next.is_absolute() || !path.has_parent_path() ? next : path.parent_path() / next;
    }
    return std::nullopt;
}

#if !defined(_WIN32)
bool IsReadOnly(const std::filesystem::path& path, const struct stat& st)
{
    // The superuser passes access(), so a file without any write bit counts as read-only as well.
    constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
    return (st.st_mode & kWriteBits) == 0 || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

// The new file gets the target's owner and permissions. Where the group
// cannot be kept either, the group gets no more than others had.
int TakeOwnerAndMode(int fd, const struct stat& target)
{
    constexpr mode_t kPermissionBits = 0777;
    mode_t mode = target.st_mode & kPermissionBits;
    if (::fchown(fd, target.st_uid, target.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), target.st_gid) != 0)
        mode = (mode & ~static_cast<mode_t>(S_IRWXG)) | ((mode & S_IRWXO) << 3);
    return ::fchmod(fd, mode) == 0 ? 0 : errno;
}

// Puts the rename itself on the disk; the content is there already, so a
// failure here loses nothing.
void SyncFolderOf(const std::filesystem::path& file)
{
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const CFileDescriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.IsOpen())
        ::fsync(descriptor.Get());
}
#endif

} // namespace

CSaveResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                                const TemporaryNamer& names)
{
    IgnoreFileSizeSignal();
    const std::optional<std::filesystem::path> target = ResolveLinks(path);
    if (!target)
        return Failed(SaveFailure::CannotCreate, ELOOP);
#if defined(_WIN32)
    std::error_code ec;
    const auto status = std::filesystem::status(*target, ec);
    const bool exists = std::filesystem::exists(status);
    if (exists && !std::filesystem::is_regular_file(status))
        return {SaveFailure::NotAFile, {}};
    if (exists && (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
        return {SaveFailure::ReadOnly, {}};
#else
    struct stat st {};
    const bool exists = ::lstat(target->c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        return Failed(SaveFailure::CannotCreate, errno);
    if (exists && !S_ISREG(st.st_mode))
        return {SaveFailure::NotAFile, {}};
    if (exists && IsReadOnly(*target, st))
        return {SaveFailure::ReadOnly, {}};
#endif

    CTemporaryFile temp;
    if (const int error = temp.Create(*target, exists ? kPrivateMode : kNewFileMode, names))
        return Failed(ReasonOf(error, SaveFailure::CannotCreate), error);
    RemoveStaleTemporaries(*target, temp.Path());
#if !defined(_WIN32)
    if (exists)
        if (const int error = TakeOwnerAndMode(temp.Descriptor(), st))
            return Failed(SaveFailure::CannotCreate, error);
#endif
    if (const int error = temp.Write(bytes))
        return Failed(ReasonOf(error, SaveFailure::IoError), error);
    if (const int error = temp.Flush())
        return Failed(ReasonOf(error, SaveFailure::IoError), error);
    if (const int error = temp.Replace(*target))
        return Failed(ReasonOf(error, SaveFailure::CannotCreate), error);
#if !defined(_WIN32)
    SyncFolderOf(*target);
#endif
    return {};
}

CSaveResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    return WriteFileAtomically(path, bytes, RandomTemporaryName);
}

CSaveResult WriteFileAtomically(const std::filesystem::path& path, const std::string& text)
{
    return WriteFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

} // namespace qrv
