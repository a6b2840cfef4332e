#include "records/dtmf_system_data.h"

#include "radio_data/settings.h"

#include <algorithm>
#include <optional>

namespace qrv {

namespace {

constexpr std::uint8_t kCodeStar = 0xE;
constexpr std::uint8_t kCodeHash = 0xF;
constexpr std::uint8_t kNoEntry = 0xFF;

// The 4-bit code of one typed ID character; -1 for a character the radio cannot send.
int DigitCode(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'D')
        return 0xA + (c - 'A');
    if (c >= 'a' && c <= 'd')
        return 0xA + (c - 'a');
    if (c == '*')
        return kCodeStar;
    if (c == '#')
        return kCodeHash;
    return -1;
}

char DigitChar(std::uint8_t code)
{
    if (code == kCodeStar)
        return '*';
    if (code == kCodeHash)
        return '#';
    return "0123456789ABCDEF"[code & 0xF];
}

} // namespace

CDTMFSystemData::CDTMFSystemData() = default;

CDTMFSystemData::CDTMFSystemData(const RecordBytes& record) : m_record(record)
{
}

std::string CDTMFSystemData::GetIdText() const
{
    const std::size_t length = std::min<std::size_t>(IdLength(), kMaxIdLength);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t byte = m_record[kIdDigitsOffset + i / 2];
        text.push_back(DigitChar(static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0xF)));
    }
    return text;
}

bool CDTMFSystemData::SetIdText(std::string_view text)
{
    std::array<std::uint8_t, kMaxIdLength> codes{};
    std::size_t count = 0;
    for (const char c : text) {
        if (c == ' ')
            continue;
        const int code = DigitCode(c);
        if (code < 0 || count >= kMaxIdLength)
            return false;
        codes[count++] = static_cast<std::uint8_t>(code);
    }
    m_record[kIdLengthOffset] = static_cast<std::uint8_t>(count);
    if (count == 0)
        return true; // the radio ignores the digits of an empty ID
    // Positions beyond the length hold 0.
    for (std::size_t i = 0; i < kIdDigitBytes; ++i)
        m_record[kIdDigitsOffset + i] = static_cast<std::uint8_t>((codes[2 * i] << 4) | codes[2 * i + 1]);
    return true;
}

void LoadDTMFTable(const Image& image, CDTMFSystemArray& systems)
{
    systems.clear();
    CDTMFSystemData::RecordBytes record{};
    std::copy_n(image.begin() + CDTMFSystemData::kTableStart, CDTMFSystemData::kRecordSize, record.begin());
    systems.push_back(std::make_unique<CDTMFSystemData>(record));
}

void StoreDTMFTable(Image& image, const CDTMFSystemArray& systems)
{
    std::vector<const CDTMFSystemData*> stored;
    for (const auto& system : systems)
        if (system && stored.size() < CDTMFSystemData::kMaxStoredRecords)
            stored.push_back(system.get());
    const std::uint8_t code = CDTMFSystemData::CountCode(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const std::size_t at = CDTMFSystemData::kTableStart + i * CDTMFSystemData::kRecordSize;
        std::copy(stored[i]->Record().begin(), stored[i]->Record().end(),
                  image.begin() + static_cast<std::ptrdiff_t>(at));
        std::uint8_t& flags = image[at + CDTMFSystemData::kFlagsOffset];
        flags = SetBits(flags, CDTMFSystemData::kCountCodeMask, code);
    }
}

void CDTMFEditRecord::Fill(const CDTMFSystemData& data, const CSettings& settings)
{
    primaryId = data.GetIdText();
    pttIdType = settings.GetItemText(CDTMFSystemData::kPttIdTypeList, data.PttIdType());
    sideTone = data.SideTone();
    shortBeep = data.ShortBeep();
    transmitTone = data.TransmitTone();
    pretime = settings.GetItemText(CDTMFSystemData::kPretimeList, data.Pretime());
    digitDuration = settings.GetItemText(CDTMFSystemData::kDigitDurationList, data.DigitDuration());
    digitIntervalDuration = settings.GetItemText(CDTMFSystemData::kDigitIntervalList, data.DigitIntervalDuration());
}

bool CDTMFEditRecord::Take(CDTMFSystemData& data, const CSettings& settings) const
{
    bool ok = data.SetIdText(primaryId);
    const auto entryByte = [&](int list, const std::string& text) {
        const auto entry = settings.GetItemByte(list, text);
        ok = ok && entry.has_value();
        return entry.value_or(kNoEntry);
    };
    data.SetPttIdType(entryByte(CDTMFSystemData::kPttIdTypeList, pttIdType));
    data.SetSideTone(sideTone);
    data.SetShortBeep(shortBeep);
    data.SetTransmitTone(transmitTone);
    data.SetPretime(entryByte(CDTMFSystemData::kPretimeList, pretime));
    data.SetDigitDuration(entryByte(CDTMFSystemData::kDigitDurationList, digitDuration));
    data.SetDigitIntervalDuration(entryByte(CDTMFSystemData::kDigitIntervalList, digitIntervalDuration));
    return ok;
}

} // namespace qrv
