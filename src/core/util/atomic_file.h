#pragma once
// Whole-file reads and safe replacement. A save writes its content to a new
// temporary file in the target's folder (created exclusively and never
// through a link; the names are in save_temporaries.h), gives it the target's
// permissions and owner, flushes it to the disk and renames it over the
// target, so a failed or killed save never damages the file that was there.
// Saving through a symbolic link replaces the file the link names and keeps
// the link; a read-only file is refused, not replaced.
#include "util/save_temporaries.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qrv {

// Reads at most maxBytes; nullopt when the file cannot be opened or is larger.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

enum class SaveFailure {
    None,
    ReadOnly,     // the file does not allow writing
    NotAFile,     // a folder, a device or a pipe stands under the name
    CannotCreate, // the folder does not let a new file be made or renamed there
    NoSpace,      // the disk or the user's quota is full
    TooLarge,     // larger than this process may write, or than the file system takes
    IoError,      // the disk reported an error
};

struct CSaveResult {
    SaveFailure failure = SaveFailure::None;
    std::string systemText; // the system's own words for the error; empty when it gave none

    bool Ok() const { return failure == SaveFailure::None; }
    explicit operator bool() const { return Ok(); }
};

CSaveResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
CSaveResult WriteFileAtomically(const std::filesystem::path& path, const std::string& text);
CSaveResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                                const TemporaryNamer& names);

} // namespace qrv
