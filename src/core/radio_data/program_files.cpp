#include "radio_data/program_files.h"

#include "radio_data/ini_file.h"
#include "radio_data/model_catalog.h"
#include "radio_data/settings.h"
#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {
constexpr const char* kLanguageExtension = ".lng";
} // namespace

std::vector<CRefusedFile> RefusedProgramFiles(const CSettings& settings)
{
    // Choosing a language reads every language file for its name.
    std::vector<std::filesystem::path> languageFiles;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(settings.ProgramDirectory(), ec), end; !ec && it != end;
         it.increment(ec))
        if (it->path().extension() == kLanguageExtension)
            languageFiles.push_back(it->path());
    std::sort(languageFiles.begin(), languageFiles.end());

    std::vector<std::filesystem::path> files{settings.SettingsFilePath(),
                                             settings.ProgramDirectory() / CModelCatalog::kFileName};
    files.insert(files.end(), languageFiles.begin(), languageFiles.end());
    std::vector<CRefusedFile> refused;
    for (const auto& file : files)
        if (const int message = CIniFile::RefusalOf(file); message != 0)
            refused.push_back({file, message});
    return refused;
}

std::string RefusalText(const CSettings& settings, const CRefusedFile& file)
{
    std::string text;
    if (!settings.GetTextIfAny(file.message, text, false))
        text = Format("The file %%s was not read: it is larger than %ju bytes or has more than %zu lines.",
                      static_cast<std::uintmax_t>(CIniFile::kMaxFileBytes), CIniFile::kMaxFileLines);
    return FormatMessageText(text, file.path.string());
}

} // namespace qrv
