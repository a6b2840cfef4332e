#include "presentation/help_topics.h"

#include <string>
#include <system_error>

namespace qrv {

namespace {

constexpr const char* kDefaultTopic = "index.html";

bool IsPage(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace

std::filesystem::path HelpFolder(const std::filesystem::path& helpRoot, int languageIndex)
{
    return helpRoot / (languageIndex == 1 ? "qrv_S" : "qrv_E");
}

std::optional<std::filesystem::path> FindHelpTopic(const std::filesystem::path& folder, std::span<const int> numbers)
{
    for (const int number : numbers) {
        if (number <= 0)
            continue;
        const auto page = folder / (std::to_string(number) + ".html");
        if (IsPage(page))
            return page;
    }
    const auto index = folder / kDefaultTopic;
    if (IsPage(index))
        return index;
    return std::nullopt;
}

} // namespace qrv
