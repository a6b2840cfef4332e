// The settings and language file parser against arbitrary text: lookups,
// writes and re-parsing must never crash, and a written key must read back.
#include "radio_data/ini_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qrv::CIniFile ini = qrv::CIniFile::FromText(text);
    for (const auto& section : ini.SectionNames()) {
        ini.GetString(section, "Language", "English", 256);
        ini.GetInt(section, "Number", 0);
    }
    ini.GetString("Setting", "S0100800", "", 256);
    ini.Set("Setting", "FuzzKey", "value");
    const qrv::CIniFile again = qrv::CIniFile::FromText(ini.ToText());
    if (again.GetString("Setting", "FuzzKey", "", 256) != "value")
        std::abort();
    return 0;
}
