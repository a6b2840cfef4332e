#pragma once
// Whole-file reads and atomic replacement: the new content goes to a
// temporary file beside the target, is flushed to the disk and then renamed
// over the target, so a failed write never damages the file that was there.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qrv {

// Reads at most maxBytes; nullopt when the file cannot be opened or is larger.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
bool WriteFileAtomically(const std::filesystem::path& path, const std::string& text);

} // namespace qrv
