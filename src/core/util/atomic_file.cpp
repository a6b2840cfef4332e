#include "util/atomic_file.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
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

bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& target)
{
    std::random_device rd;
    auto name = target.filename().string() + ".tmp" + std::to_string(rd() % 1000000);
    return target.parent_path() / name;
}

} // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    const auto temp = TemporaryBeside(path);
    std::FILE* file = std::fopen(temp.string().c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = FlushToDisk(file) && ok;
    ok = (std::fclose(file) == 0) && ok;
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(temp, path, ec);
        ok = !ec;
    }
    if (!ok)
        std::filesystem::remove(temp, ec);
    return ok;
}

bool WriteFileAtomically(const std::filesystem::path& path, const std::string& text)
{
    return WriteFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

} // namespace qrv
