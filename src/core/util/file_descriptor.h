#pragma once
// Owns one open file descriptor and closes it when it goes, so that no path
// out of a save leaks one.
#include <utility>

namespace qrv {

class CFileDescriptor {
public:
    CFileDescriptor() = default;
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor() { Close(); }
    CFileDescriptor(CFileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, kNone)) {}
    CFileDescriptor& operator=(CFileDescriptor&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_fd = std::exchange(other.m_fd, kNone);
        }
        return *this;
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;

    bool IsOpen() const { return m_fd != kNone; }
    int Get() const { return m_fd; }

    // Closes now; 0, or the errno of a failed close (a late write error on
    // some file systems shows only here).
    int Close();

private:
    static constexpr int kNone = -1;
    int m_fd = kNone;
};

} // namespace qrv
