#pragma once
// The help pages: one folder per language under the help root, one HTML page
// per topic number and an index page as the default topic.
#include <filesystem>
#include <optional>
#include <span>

namespace qrv {

// The folder of a language: "qrv_S" for index 1 (Simplified Chinese), "qrv_E" for every other index.
std::filesystem::path HelpFolder(const std::filesystem::path& helpRoot, int languageIndex);

// The page of the first number that has one, else the default topic; nullopt
// when the folder holds neither (help not installed).
std::optional<std::filesystem::path> FindHelpTopic(const std::filesystem::path& folder, std::span<const int> numbers);

} // namespace qrv
