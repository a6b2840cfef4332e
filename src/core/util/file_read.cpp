#include "util/file_read.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace qrv {

namespace {

CFileBytes Failed(EReadFailure failure, std::string systemError = {})
{
    CFileBytes out;
    out.failure = failure;
    out.systemError = std::move(systemError);
    return out;
}

} // namespace

CFileBytes ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec); // a link counts as what it names
    if (status.type() == fs::file_type::not_found)
        return Failed(EReadFailure::Missing);
    if (ec)
        return Failed(EReadFailure::Unreadable, ec.message());
    if (status.type() == fs::file_type::directory)
        return Failed(EReadFailure::Directory);
    if (status.type() != fs::file_type::regular)
        return Failed(EReadFailure::NotRegularFile);
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec)
        return Failed(EReadFailure::Unreadable, ec.message());
    if (size > maxBytes)
        return Failed(EReadFailure::TooLarge);

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Failed(EReadFailure::Unreadable, std::strerror(errno));
    CFileBytes out;
    out.bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(out.bytes.data()), static_cast<std::streamsize>(size)))
        return Failed(EReadFailure::Unreadable, std::strerror(errno));
    return out;
}

} // namespace qrv
