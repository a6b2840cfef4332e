#include "util/temporary_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qrv {

namespace {

// A taken name means someone else's file or a planted link; with sixty-four
// random bits a few tries are plenty.
constexpr int kNameAttempts = 16;

int OpenExclusive(const std::filesystem::path& path, unsigned mode)
{
#if defined(_WIN32)
    (void)mode;
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
#else
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, static_cast<mode_t>(mode));
#endif
}

} // namespace

CTemporaryFile::~CTemporaryFile()
{
    if (m_path.empty())
        return;
    m_fd.Close();
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored); // removes a name, never what a link names
}

int CTemporaryFile::Create(const std::filesystem::path& target, unsigned mode, const TemporaryNamer& names)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const std::string targetName = target.filename().string();
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
        const std::filesystem::path candidate = folder / names(targetName);
        const int fd = OpenExclusive(candidate, mode);
        if (fd >= 0) {
            m_fd = CFileDescriptor(fd);
            m_path = candidate;
            return 0;
        }
        error = errno;
    }
    return error;
}

int CTemporaryFile::Write(std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
#if defined(_WIN32)
        const auto chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        const int n = ::_write(m_fd.Get(), bytes.data() + done, chunk);
#else
        const ssize_t n = ::write(m_fd.Get(), bytes.data() + done, bytes.size() - done);
#endif
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int CTemporaryFile::Flush()
{
#if defined(_WIN32)
    const int synced = ::_commit(m_fd.Get());
#else
    const int synced = ::fsync(m_fd.Get());
#endif
    const int syncError = synced == 0 ? 0 : errno;
    const int closeError = m_fd.Close();
    return syncError != 0 ? syncError : closeError;
}

int CTemporaryFile::Replace(const std::filesystem::path& target)
{
#if defined(_WIN32)
    std::error_code ec;
    std::filesystem::rename(m_path, target, ec); // replaces an existing file
    if (ec)
        return ec.value();
#else
    if (std::rename(m_path.c_str(), target.c_str()) != 0)
        return errno;
#endif
    m_path.clear();
    return 0;
}

} // namespace qrv
