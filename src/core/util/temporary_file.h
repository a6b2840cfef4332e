#pragma once
// One save's temporary file: created exclusively under a fresh name in the
// target's folder, and removed again unless it has replaced the target. Every
// step returns 0 or the errno of its failure.
#include "util/file_descriptor.h"
#include "util/save_temporaries.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace qrv {

class CTemporaryFile {
public:
    CTemporaryFile() = default;
    ~CTemporaryFile();
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    // Never opens an existing name nor follows a link: a name that is taken
    // is passed over for the next one. The umask applies to mode.
    int Create(const std::filesystem::path& target, unsigned mode, const TemporaryNamer& names);
    const std::filesystem::path& Path() const { return m_path; }
    int Descriptor() const { return m_fd.Get(); }

    int Write(std::span<const std::uint8_t> bytes);
    // Puts the content on the disk and closes the file.
    int Flush();
    // Renames the file over target; from then on it is the target's.
    int Replace(const std::filesystem::path& target);

private:
    CFileDescriptor m_fd;
    std::filesystem::path m_path;
};

} // namespace qrv
