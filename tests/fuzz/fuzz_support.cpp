#include "fuzz_support.h"

#include "radio_data/ini_file.h"

#include <array>
#include <memory>
#include <string>

namespace qrv::fuzz {

namespace {

constexpr const char* kEnglishFile = "QRV_E.lng";
constexpr int kChineseIndex = 1;

// Settings held in memory, and the fields a transfer or an open changes as they were made.
struct CHeldSettings {
    std::unique_ptr<CSettings> settings;
    int comPort = 0;
    std::string portName, previousRange;
    int lastRangeAnswer = 0;
    CDocumentIdentity model;
};

CHeldSettings MakeSettings(bool chinese, bool factoryLevel)
{
    auto settings = std::make_unique<CSettings>(QRV_RESOURCE_DIR);
    settings->SetReadOnly(true);
    if (chinese)
        settings->SelectLanguage(kChineseIndex);
    CIniFile ini = CIniFile::Load(settings->SettingsFilePath());
    if (factoryLevel)
        ini.Set("User Mode", "Level", std::to_string(CSettings::kFactoryLevel));
    settings->HoldFile(settings->SettingsFilePath(), std::move(ini));
    settings->HoldFile(settings->LanguageFilePath(), CIniFile::Load(settings->LanguageFilePath()));
    const auto english = settings->ProgramDirectory() / kEnglishFile;
    settings->HoldFile(english, CIniFile::Load(english));
    const CSettings& s = *settings;
    return {std::move(settings), s.ComPort, s.PortName, s.PreviousRange, s.LastRangeAnswer, s.RememberedModel()};
}

} // namespace

CSettings& Settings(bool chinese, bool factoryLevel)
{
    static std::array<CHeldSettings, 4> made;
    CHeldSettings& held = made[(chinese ? 2 : 0) + (factoryLevel ? 1 : 0)];
    if (!held.settings)
        held = MakeSettings(chinese, factoryLevel);
    CSettings& s = *held.settings;
    s.ComPort = held.comPort;
    s.PortName = held.portName;
    s.PreviousRange = held.previousRange;
    s.LastRangeAnswer = held.lastRangeAnswer;
    s.RememberModel(held.model);
    return s;
}

std::uint8_t CInput::Byte()
{
    const auto taken = Take(1);
    return taken.empty() ? 0 : taken[0];
}

std::span<const std::uint8_t> CInput::Take(std::size_t count)
{
    const auto taken = m_bytes.first(std::min(count, m_bytes.size()));
    m_bytes = m_bytes.subspan(taken.size());
    return taken;
}

std::string_view CInput::RestAsText()
{
    const auto rest = Take(m_bytes.size());
    return {reinterpret_cast<const char*>(rest.data()), rest.size()};
}

} // namespace qrv::fuzz

// A small quarantine keeps the memory each execution churns through in the
// cache instead of faulting in fresh pages; it still holds far more than one
// execution frees, so a use after free is caught as before.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=16:malloc_context_size=8";
}
