#include "util/file_descriptor.h"

#include <cerrno>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qrv {

int CFileDescriptor::Close()
{
    if (m_fd == kNone)
        return 0;
    const int fd = std::exchange(m_fd, kNone);
#if defined(_WIN32)
    return _close(fd) == 0 ? 0 : errno;
#else
    // Linux releases the descriptor even when close fails: never retry it.
    return ::close(fd) == 0 ? 0 : errno;
#endif
}

} // namespace qrv
