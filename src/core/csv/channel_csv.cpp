#include "csv/channel_csv.h"

#include "csv/csv_columns.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "util/text_format.h"

#include <memory>

namespace qrv {

namespace {

std::unique_ptr<CChannelColumns> ColumnsOf(CCsvFormat format, const CRadioData& data, const CSettings& settings)
{
    if (format == CCsvFormat::Common)
        return std::make_unique<CCommonColumns>(settings, data.Identity().Band());
    return std::make_unique<CNativeColumns>(data, settings);
}

CRejectedRow Reject(std::size_t line, const CRowError& error, const CSettings& settings)
{
    return {line, FormatMessageText(settings.GetMessage(error.message), error.argument)};
}

} // namespace

std::string ExportChannels(const CRadioData& data, const CSettings& settings, CCsvFormat format)
{
    const auto columns = ColumnsOf(format, data, settings);
    std::string text = WriteCsvRow(columns->Captions());
    const auto& channels = data.Channels();
    for (std::size_t i = 0; i < channels.size(); ++i) {
        // A copy: showing repairs a tone index, and exporting must not change the data.
        CChannelData copy(std::span<const std::uint8_t, CChannelData::kRecordSize>(channels[i]->Record()));
        text += WriteCsvRow(columns->Row(copy, i));
    }
    return text;
}

CImportResult ImportChannels(std::string_view text, const CRadioData& data, const CSettings& settings,
                             CCsvFormat format, bool append)
{
    CImportResult result;
    result.append = append;
    const auto columns = ColumnsOf(format, data, settings);
    const std::vector<CCsvRow> rows = ReadCsv(text);
    if (rows.empty() || rows.front().malformed) {
        result.rejected.push_back(Reject(rows.empty() ? 1 : rows.front().line, {csvmsg::kNoHeader, {}}, settings));
        return result;
    }
    const CColumnMap map(columns->Captions(), rows.front());
    if (!columns->Usable(map)) {
        result.rejected.push_back(Reject(rows.front().line, {csvmsg::kNoHeader, {}}, settings));
        return result;
    }

    const std::size_t existing = append ? data.Channels().size() : 0;
    const std::size_t room = existing < CChannelData::kMaxChannels ? CChannelData::kMaxChannels - existing : 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const CCsvRow& row = rows[i];
        if (row.malformed) {
            result.rejected.push_back(Reject(row.line, {csvmsg::kMalformedRow, {}}, settings));
            continue;
        }
        CImportedChannel channel;
        channel.line = row.line;
        if (const auto error = columns->Read(row, map, channel)) {
            result.rejected.push_back(Reject(row.line, *error, settings));
            continue;
        }
        if (result.channels.size() >= room) {
            result.rejected.push_back(Reject(row.line, {csvmsg::kTooManyChannels, {}}, settings));
            continue;
        }
        result.channels.push_back(std::move(channel));
    }
    return result;
}

bool ApplyImport(const CImportResult& result, CRadioData& data)
{
    if (result.channels.empty())
        return false;
    auto& channels = data.Channels();
    std::size_t position = result.append ? channels.size() : 0;
    for (const CImportedChannel& imported : result.channels) {
        if (position >= CChannelData::kMaxChannels)
            break;
        // Replacing reuses the channel objects in place, so that the scan lists
        // and the emergency revert channel keep naming the same positions.
        CChannelData* channel = position < channels.size() ? channels[position].get() : data.AddChannel();
        if (channel == nullptr)
            break;
        channel->TakeEditRecord(imported.edit, data.Identity().Band());
        if (imported.hasAutoStartScan)
            channel->SetAutoStartScan(imported.edit.autoStartScan != 0);
        if (imported.hasPersonality)
            channel->SetPersonalityPosition(static_cast<std::uint8_t>(imported.edit.personalityPosition));
        channel->ResolvePersonality(data.Personalities());
        ++position;
    }
    // RemoveChannel never removes the last one; at least one channel was taken.
    while (!result.append && channels.size() > position)
        data.RemoveChannel(channels.size() - 1);
    data.CheckAll();
    return true;
}

} // namespace qrv
