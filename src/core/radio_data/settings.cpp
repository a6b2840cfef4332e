#include "radio_data/settings.h"

#include "radio_data/built_in_english.h"
#include "util/text_format.h"

#include <algorithm>
#include <clocale>

namespace qrv {

namespace {

constexpr const char* kSettingSection = "Setting";
constexpr const char* kEnglishLanguageFile = "QRV_E.lng";
constexpr const char* kUserModeSection = "User Mode";
constexpr std::size_t kSettingsTextBuffer = 101; // "up to 100 characters"
constexpr std::size_t kModelValueBuffer = 25600;
constexpr std::size_t kMessageBuffer = 256;
constexpr std::size_t kCaptionBuffer = 25600;
constexpr std::size_t kConstantBuffer = 256;
constexpr std::size_t kLanguageKeyBuffer = 256;

std::string Key(const char* family, int number)
{
    return Format("%s%05d", family, number);
}

} // namespace

CSettings::CSettings(std::filesystem::path programDirectory) : m_programDirectory(std::move(programDirectory))
{
    if (const auto* conv = std::localeconv();
        conv != nullptr && conv->decimal_point != nullptr && conv->decimal_point[0] != 0)
        m_decimalSeparator = conv->decimal_point[0];
    m_settingsPath = m_programDirectory / "Settings.ini";
    m_languagePath = EnglishLanguagePath();

    const CIniFile& ini = SettingsFile();
    m_model.signal = static_cast<int>(std::clamp<long long>(ini.GetInt(kSettingSection, "Signal", 0), 0, 255));
    ComPort = static_cast<int>(std::clamp<long long>(ini.GetInt(kSettingSection, "ComPort", 1), 0, 255));
    m_model.modelName = ini.GetString(kSettingSection, "ModelName", "", kSettingsTextBuffer);
    m_model.modelId = ini.GetString(kSettingSection, "ModelID", "", kSettingsTextBuffer);
    m_model.freqRange = ini.GetString(kSettingSection, "FreqRange", "", kSettingsTextBuffer);
    m_model.radioDataVersion = kProgramVersion;
    PortName = ini.GetString(kSettingSection, "PortName", "", kSettingsTextBuffer);
}

CSettings::~CSettings() = default;

bool CSettings::WriteChoices()
{
    if (m_readOnly)
        return false;
    // A declined range after a read puts the one before it back; after a write
    // there is none before it, and the current range stays. Never emptied.
    if (LastRangeAnswer == kAnswerNo && !PreviousRange.empty())
        m_model.freqRange = PreviousRange;
    CIniFile ini = CIniFile::Load(m_settingsPath);
    ini.Set(kSettingSection, "Signal", Format("%d", m_model.signal));
    ini.Set(kSettingSection, "ModelID", m_model.modelId);
    ini.Set(kSettingSection, "ModelName", m_model.modelName);
    ini.Set(kSettingSection, "ComPort", Format("%d", ComPort));
    if (!m_model.freqRange.empty())
        ini.Set(kSettingSection, "FreqRange", m_model.freqRange);
    if (!PortName.empty())
        ini.Set(kSettingSection, "PortName", PortName);
    const bool ok = ini.SaveAtomically(m_settingsPath);
    m_cache.Forget(m_settingsPath);
    return ok;
}

int CSettings::StoredLanguageIndex() const
{
    return static_cast<int>(std::clamp<long long>(SettingsFile().GetInt(kSettingSection, "Language", 0), -1, 1000));
}

void CSettings::SelectLanguage(int index)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_programDirectory, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && it->path().extension() == ".lng")
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());

    bool found = false;
    for (const auto& file : files) {
        const CIniFile& ini = m_cache.Get(file);
        const std::string language = ini.GetString(kSettingSection, "Language", "English", kLanguageKeyBuffer);
        const auto list = Split(ini.GetString(kSettingSection, "LanguageList", "", kLanguageKeyBuffer), ',');
        if (index < 0 || static_cast<std::size_t>(index) >= list.size())
            continue;
        if (Trim(list[static_cast<std::size_t>(index)]) == language) {
            m_languagePath = file;
            m_languageName = language;
            found = true;
            break;
        }
    }
    if (!found) {
        index = 0;
        m_languageName = "English";
        m_languagePath = EnglishLanguagePath();
    }
    m_helpFile = LanguageText(kSettingSection, "HelpFile", m_helpFile, kLanguageKeyBuffer);
    m_languageIndex = index;
    if (!m_readOnly) {
        CIniFile ini = CIniFile::Load(m_settingsPath);
        ini.Set(kSettingSection, "Language", Format("%d", index));
        ini.SaveAtomically(m_settingsPath);
        m_cache.Forget(m_settingsPath);
    }
}

std::vector<std::string> CSettings::LanguageList() const
{
    std::vector<std::string> names;
    for (const auto& name : Split(LanguageText(kSettingSection, "LanguageList", "", kLanguageKeyBuffer), ','))
        if (!Trim(name).empty())
            names.push_back(Trim(name));
    return names;
}

int CSettings::BackupKeepDays() const
{
    constexpr int kDefaultDays = 60;
    constexpr int kMaxDays = 100000;
    const auto value = SettingsFile().Find("Backup", "KeepDays");
    if (!value)
        return kDefaultDays;
    const std::string text = Trim(*value);
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), digit))
        return kDefaultDays;
    const long long days = ParseLeadingInt(text);
    return days > kMaxDays ? kDefaultDays : static_cast<int>(days);
}

int CSettings::GetUserLevel() const
{
    const long long level = SettingsFile().GetInt(kUserModeSection, "Level", 0);
    return static_cast<int>(std::clamp<long long>(level, INT32_MIN, INT32_MAX));
}

bool CSettings::IsFactoryLevel() const
{
    const int level = GetUserLevel();
    return level == kServiceLevel || level == kFactoryLevel;
}

std::string CSettings::LanguageText(const std::string& section, const std::string& key, std::string_view fallback,
                                    std::size_t buffer) const
{
    // A text the chosen language file lacks (a partial translation, a
    // damaged file) comes from the English one on disk, and failing that
    // from the English texts built into the program, so nothing goes blank.
    for (const CIniFile* file : {&LanguageFile(), &m_cache.Get(EnglishLanguagePath()), &BuiltInEnglish()})
        if (auto text = file->FindString(section, key, buffer))
            return std::move(*text);
    return std::string(fallback);
}

const CIniFile& CSettings::BuiltInEnglish()
{
    static const CIniFile english = CIniFile::FromText(BuiltInEnglishText());
    return english;
}

std::optional<std::filesystem::path> CSettings::DamagedLanguageFile() const
{
    // Every language file names its language; one that does not is not whole.
    for (const auto& path : {m_languagePath, EnglishLanguagePath()})
        if (!m_cache.Get(path).Find(kSettingSection, "Language"))
            return path;
    return std::nullopt;
}

std::filesystem::path CSettings::EnglishLanguagePath() const
{
    return m_programDirectory / kEnglishLanguageFile;
}

std::string CSettings::GetMessage(int number) const
{
    std::string text = LanguageText(kSettingSection, Key("S01", number), "", kMessageBuffer);
    if (text.empty())
        return MissingMessageText(number);
    // "\\n" in the file is a line break, wherever it stands.
    for (auto pos = text.find("\\n"); pos != std::string::npos; pos = text.find("\\n", pos + 1))
        text.replace(pos, 2, "\n");
    return text;
}

std::string CSettings::MissingMessageText(int number)
{
    // Said in plain English: the language files that would say it are what is missing.
    return Format("Message %05d of the program is missing from its language files; they may be damaged or "
                  "incomplete. Reinstalling the program restores them.",
                  number);
}

std::string CSettings::GetText(int number) const
{
    return LanguageText(kSettingSection, Key("S02", number), "", kCaptionBuffer);
}

bool CSettings::GetTextIfAny(int number, std::string& out, bool captionFamily) const
{
    out = LanguageText(kSettingSection, Key(captionFamily ? "S02" : "S01", number), "",
                       captionFamily ? kCaptionBuffer : kMessageBuffer);
    return !out.empty();
}

long long CSettings::GetModelValue(int number) const
{
    if (m_model.modelId.empty())
        return 0;
    return ParseLeadingInt(LanguageText(m_model.modelId, Key("S00", number), "0", kModelValueBuffer));
}

std::string CSettings::GetModelText(int number) const
{
    return LanguageText(kSettingSection, Key("S03", number), "", kConstantBuffer);
}

std::vector<std::string> CSettings::GetList(int number) const
{
    std::vector<std::string> out;
    const std::string text = GetText(number);
    if (text.empty())
        return out;
    for (const auto& item : Split(text, ';'))
        out.push_back(item.substr(0, item.find(',')));
    return out;
}

std::string CSettings::GetItemText(int number, long long item) const
{
    return ItemTextOf(GetText(number), item);
}

std::optional<long long> CSettings::GetItemNumber(int number, std::string_view text) const
{
    return ItemNumberOf(GetText(number), text);
}

std::optional<std::uint8_t> CSettings::GetItemByte(int number, std::string_view text) const
{
    const auto entry = GetItemNumber(number, text);
    if (!entry || *entry < 0 || *entry > 0xFF)
        return std::nullopt;
    return static_cast<std::uint8_t>(*entry);
}

std::vector<CComboLine> CSettings::FillCombo(int controlNumber) const
{
    return ExpandListSpec(GetText(controlNumber));
}

} // namespace qrv
