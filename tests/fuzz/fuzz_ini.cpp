// The settings and language file parser against arbitrary text: lookups and
// writes never crash, and a document saved and read again holds the same
// sections and the same values, the written ones included.
#include "radio_data/ini_file.h"
#include "util/text_format.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kMaxComparedSections = 4;
constexpr std::size_t kMaxComparedKeys = 12;
constexpr std::size_t kWrittenValueLength = 24;

// The names the text might use as keys: what stands before a '=' on a line.
std::vector<std::string> KeyCandidates(std::string_view text)
{
    std::vector<std::string> keys{"FuzzKey", "Number", "Language"};
    for (std::size_t start = 0; start < text.size() && keys.size() < kMaxComparedKeys;) {
        const auto end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        if (const auto equals = line.find('='); equals != std::string_view::npos)
            keys.push_back(qrv::Trim(line.substr(0, equals)));
        start = end + 1;
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qrv::CIniFile ini = qrv::CIniFile::FromText(text);
    ini.GetString("Setting", "S0100800", "", 256);
    ini.GetInt("Setting", "Number", 0);

    // A value and a section name from outside (a radio's model identifier
    // becomes a section of Model.dat) may hold anything.
    const std::string_view value = text.substr(text.size() - std::min(size, kWrittenValueLength));
    ini.Set("Setting", "FuzzKey", value);
    ini.Set(value, "Number", "1");

    const qrv::CIniFile again = qrv::CIniFile::FromText(ini.ToText());
    const auto sections = ini.SectionNames();
    if (again.SectionNames() != sections)
        std::abort();
    const auto keys = KeyCandidates(text);
    for (std::size_t s = 0; s < std::min(sections.size(), kMaxComparedSections); ++s)
        for (const auto& key : keys)
            if (again.Find(sections[s], key) != ini.Find(sections[s], key))
                std::abort();
    if (!again.Find("Setting", "FuzzKey"))
        std::abort();
    return 0;
}
