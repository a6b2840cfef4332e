#pragma once
// Reading a whole file the user named, with the reason when it cannot be
// read: a missing file, a folder, a pipe or device (never opened, as it could
// block), no permission or a disk error, or a size no file of ours has.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qrv {

enum class EReadFailure { None, Missing, Directory, NotRegularFile, Unreadable, TooLarge };

struct CFileBytes {
    std::vector<std::uint8_t> bytes;
    EReadFailure failure = EReadFailure::None;
    std::string systemError; // the system's own words for Unreadable
    explicit operator bool() const { return failure == EReadFailure::None; }
};

CFileBytes ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);

} // namespace qrv
