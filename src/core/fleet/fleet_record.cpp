#include "fleet/fleet_record.h"

#include "fleet/fleet_radio.h"
#include "presentation/caption_numbers.h"
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "radio_link/transfer_message.h"
#include "util/text_format.h"

#include <algorithm>

#include <array>
#include <fstream>

namespace qrv {

namespace {

// A CSV field: quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

constexpr std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < table.size(); ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

} // namespace

const char* OutcomeName(FleetOutcome outcome)
{
    switch (outcome) {
    case FleetOutcome::Verified:
        return "verified";
    case FleetOutcome::Written:
        return "written";
    case FleetOutcome::Refused:
        return "refused";
    case FleetOutcome::Failed:
        return "failed";
    case FleetOutcome::Skipped:
        return "skipped";
    case FleetOutcome::Stopped:
        return "stopped";
    case FleetOutcome::NoRadio:
        break;
    }
    return "no radio";
}

bool IsSuccess(FleetOutcome outcome)
{
    return outcome == FleetOutcome::Verified || outcome == FleetOutcome::Written;
}

bool HoldsTheCodeplug(FleetOutcome outcome)
{
    return IsSuccess(outcome) || outcome == FleetOutcome::Skipped;
}

std::string ImageChecksum(std::span<const std::uint8_t> image)
{
    static constexpr auto kTable = MakeCrcTable();
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const std::uint8_t byte : image)
        crc = kTable[(crc ^ byte) & 0xFFU] ^ (crc >> 8);
    return Format("%08X", static_cast<unsigned>(crc ^ 0xFFFFFFFFU));
}

std::string FleetLogRow(const CFleetRecord& r)
{
    const std::string time = Format("%04d-%02d-%02d %02d:%02d:%02d", r.time.tm_year + 1900, r.time.tm_mon + 1,
                                    r.time.tm_mday, r.time.tm_hour, r.time.tm_min, r.time.tm_sec);
    const std::string address = r.outcome == FleetOutcome::Failed ? Format("0x%03X", r.address) : std::string();
    const std::array<std::string, 10> fields{
        time,    r.port,   r.modelId, r.modelName, r.serialNumber, r.range, OutcomeName(r.outcome),
        address, r.reason, r.checksum};
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i)
        row += (i == 0 ? "" : ",") + CsvField(fields[i]);
    return row;
}

bool AppendFleetLog(const std::filesystem::path& log, std::span<const CFleetRecord> records)
{
    std::error_code ec;
    const bool fresh = !std::filesystem::exists(log, ec) || std::filesystem::file_size(log, ec) == 0;
    std::ofstream out(log, std::ios::binary | std::ios::app);
    if (!out)
        return false;
    if (fresh)
        out << kFleetLogHeader << "\r\n";
    for (const CFleetRecord& record : records)
        out << FleetLogRow(record) << "\r\n";
    out.flush();
    return static_cast<bool>(out);
}

void DescribeFleetRecord(CFleetRecord& record, const CSettings& settings)
{
    if (record.outcome == FleetOutcome::Skipped) {
        record.reason = FormatMessageText(settings.GetMessage(kAlreadyWritten), record.serialNumber);
        return;
    }
    record.reason = TransferMessageText(settings, record.transfer, record.backupFolder);
    // One line per radio, on the terminal and in the log.
    std::replace(record.reason.begin(), record.reason.end(), '\n', ' ');
}

std::string FleetStatusText(const CFleetRecord& record, const CSettings& settings)
{
    const std::string outcome = settings.GetItemText(caption::kFleetOutcomes, static_cast<int>(record.outcome));
    std::string detail;
    if (IsSuccess(record.outcome) && !record.serialNumber.empty()) {
        detail = FormatMessageText(settings.GetMessage(msg::kSerialNumberText), record.serialNumber);
    } else if (record.outcome == FleetOutcome::Skipped) {
        detail = FormatMessageText(settings.GetMessage(kAlreadyWritten), record.serialNumber);
    } else if (!IsSuccess(record.outcome)) {
        CTransferResult first = record.transfer;
        first.partialNote = 0; // the note on what the radio may hold is the log's and the tool tip's
        detail = TransferMessageText(settings, first);
        detail.resize(std::min(detail.size(), detail.find('\n')));
    }
    return detail.empty() ? outcome : outcome + kFleetSeparator + detail;
}

} // namespace qrv
