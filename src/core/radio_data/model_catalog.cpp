#include "radio_data/model_catalog.h"

#include "radio_data/ini_file.h"
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "util/bytes.h"
#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr std::size_t kRangeKeyBuffer = 100; // a Freq key: five numbers

constexpr std::size_t kRangeValueBuffer = 100;
constexpr std::size_t kSettingValueBuffer = 1024;
constexpr const char* kSettingSection = "Setting";

int ToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

} // namespace

CModelCatalog::CModelCatalog(std::filesystem::path programDirectory, std::string modelId, std::string modelName,
                             std::string freqRange, int signal)
    : CModelCatalog(CIniFile::Load(programDirectory / kFileName), std::move(modelId), std::move(modelName),
                    std::move(freqRange), signal)
{
    m_programDirectory = std::move(programDirectory);
}

CModelCatalog::CModelCatalog(CIniFile file, std::string modelId, std::string modelName, std::string freqRange,
                             int signal)
    : m_modelId(std::move(modelId)), m_modelName(std::move(modelName)), m_freqRange(std::move(freqRange)),
      m_signal(signal), m_file(std::move(file))
{
    m_count = ToInt(m_file.GetInt(m_modelId, "Number", 0));
}

bool CModelCatalog::GetRange(int index, FreqRangeRec& record) const
{
    const std::string value = m_file.GetString(m_modelId, Format("Freq%d", index), "", kRangeValueBuffer);
    if (value.empty())
        return false;
    const auto parts = Split(value, ',');
    const auto part = [&parts](std::size_t i) { return i < parts.size() ? ToInt(ParseLeadingInt(parts[i])) : 0; };
    record.lower = part(0);
    record.upper = part(1);
    record.third = part(2);
    record.fourth = part(3);
    record.flags = static_cast<std::uint8_t>(part(4) & 0xFF);
    return true;
}

std::vector<std::string> CModelCatalog::ModelIds() const
{
    std::vector<std::string> ids;
    for (const auto& id : Split(m_file.GetString(kSettingSection, "ModelID", "", kSettingValueBuffer), ','))
        if (!Trim(id).empty())
            ids.push_back(Trim(id));
    return ids;
}

std::vector<std::string> CModelCatalog::ModelNames(const std::string& modelId) const
{
    std::vector<std::string> names;
    for (const auto& name : Split(m_file.GetString(kSettingSection, modelId, "", kSettingValueBuffer), ','))
        if (!Trim(name).empty())
            names.push_back(Trim(name));
    return names;
}

std::string CModelCatalog::FindModelID(const std::string& modelName) const
{
    for (const auto& id : ModelIds()) {
        const auto names = ModelNames(id);
        if (std::find(names.begin(), names.end(), modelName) != names.end())
            return id;
    }
    return {};
}

void CModelCatalog::SetModelID(const std::string& modelId)
{
    m_modelId = modelId;
    if (m_file.Find(m_modelId, "Number"))
        m_count = ToInt(m_file.GetInt(m_modelId, "Number", 0));
}

void CFreqRangeList::SetModel(const std::filesystem::path& programDirectory, const std::string& modelId,
                              const std::string& modelName, const std::string& freqRange, int signal)
{
    SetModel(CModelCatalog(programDirectory, modelId, modelName, freqRange, signal));
}

void CFreqRangeList::SetModel(const CModelCatalog& catalog)
{
    const int n = std::clamp(catalog.Count(), 1, kMaxRanges);
    m_records.assign(static_cast<std::size_t>(n), kFallbackRange);
    m_count = n;
    for (int i = 0; i < n; ++i) {
        if (!catalog.GetRange(i, m_records[static_cast<std::size_t>(i)])) {
            // The first missing key ends the list: it and every record after it
            // stand for the fallback range.
            std::fill(m_records.begin() + i, m_records.end(), kFallbackRange);
            break;
        }
    }
}

void CFreqRangeList::SetModel(const std::filesystem::path& programDirectory, const CDocumentIdentity& identity)
{
    SetModel(programDirectory, identity.modelId, identity.modelName, identity.freqRange, identity.signal);
}

bool CFreqRangeList::Contains(int lower, int upper) const
{
    const auto end =
        m_records.begin() + std::min<std::ptrdiff_t>(m_count, static_cast<std::ptrdiff_t>(m_records.size()));
    return std::any_of(m_records.begin(), end, [&](const auto& r) { return r.lower == lower && r.upper == upper; });
}

std::uint8_t CFreqRangeList::FlagsOf(const std::string& rangeText) const
{
    int lower = 0;
    int upper = 0;
    ParseRangeText(rangeText, lower, upper);
    for (const auto& r : m_records)
        if (r.lower == lower && r.upper == upper)
            return r.flags;
    return 0;
}

bool CFreqRangeList::AddFreqRange(const std::filesystem::path& programDirectory, const std::string& modelId,
                                  const FreqRangeRec& record)
{
    ++m_count;
    const auto path = programDirectory / CModelCatalog::kFileName;
    CIniFile ini = CIniFile::Load(path);
    // The list read back ends at the first missing Freq key: the new range
    // takes that key (Freq0 in a model without a section), and Number covers it.
    int index = 0;
    while (index < kMaxRanges && !ini.GetString(modelId, Format("Freq%d", index), "", kRangeKeyBuffer).empty())
        ++index;
    const long long number = std::max<long long>(ini.GetInt(modelId, "Number", 0), index + 1);
    ini.Set(modelId, "Number", Format("%lld", number));
    ini.Set(modelId, Format("Freq%d", index),
            Format("%d, %d, %d, %d, %d", record.lower, record.upper, record.third, record.fourth, record.flags));
    return ini.SaveAtomically(path);
}

int CFreqRangeList::CheckNewFreqRange(CSettings& settings, const CDocumentIdentity& identity, FreqRangeRec record,
                                      const RangeQuestion& ask)
{
    if (Contains(record.lower, record.upper))
        return 0;
    const bool yes = ask ? ask(record.lower, record.upper) : false;
    settings.LastRangeAnswer = yes ? CSettings::kAnswerYes : CSettings::kAnswerNo;
    if (!yes)
        return 1;
    record.third = record.lower;
    record.fourth = record.upper;
    AddFreqRange(settings.ProgramDirectory(), identity.modelId, record);
    SetModel(settings.ProgramDirectory(), identity);
    return 2;
}

std::string NewRangeQuestion(int languageIndex, int lower, int upper)
{
    if (languageIndex == 0)
        return Format("Find a new Frequency Range: %d-%d MHz,do you want to add?", lower, upper);
    return Format("发现一个新频段：%d-%d MHz, 是否添加？", lower, upper);
}

int CompareVersions(const std::string& version, const std::string& reference)
{
    for (std::size_t i = 0; i < 4; ++i) {
        const auto a = static_cast<unsigned char>(i < version.size() ? version[i] : 0);
        const auto b = static_cast<unsigned char>(i < reference.size() ? reference[i] : 0);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return 0;
}

FreqRangeRec DecodeRadioRange(std::span<const std::uint8_t> block)
{
    FreqRangeRec record;
    if (block.size() < 9)
        return kFallbackRange;
    // The word's hexadecimal digits are read back as a decimal number, so a
    // field that is not BCD yields the digits before its first letter.
    const auto wholeMHz = [&block](std::size_t at) -> int {
        const std::string digits = Format("%X", GetLe32(block, at));
        if (digits == "FFFFFFFF")
            return 0;
        return ToInt(ParseLeadingInt(digits) / 100000);
    };
    record.flags = block[0];
    record.lower = wholeMHz(1);
    record.upper = wholeMHz(5);
    if (record.lower < 136)
        record.lower = 136;
    if (record.upper < 136)
        record.upper = 174;
    record.third = record.lower;
    record.fourth = record.upper;
    return record;
}

CIdentityExpectation ExpectedIdentity(const CSettings& settings, const CDocumentIdentity& document, IdentityMode mode)
{
    return {mode == IdentityMode::Accept ? settings.GetModelText(msg::kAcceptedModelId) : document.modelId,
            document.modelName};
}

CIdentityResult CheckRadioIdentity(const CIdentityExpectation& expected, const std::string& radioModelId,
                                   const std::string& radioModelName, const std::string& radioVersion,
                                   int versionComparison, std::span<const std::uint8_t> rangeBlock)
{
    CIdentityResult out;
    if (radioModelId != expected.modelId || radioModelName != expected.modelName) {
        out.result = 1;
        out.message = msg::kModelMismatch;
        return out;
    }
    if (versionComparison > 0) {
        out.result = 2;
        out.message = msg::kNewerVersion;
        out.argument = PrintableText(radioVersion.substr(0, 4));
        return out;
    }
    out.range = DecodeRadioRange(rangeBlock);
    return out;
}

} // namespace qrv
