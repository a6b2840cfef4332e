#include "csv/channel_csv.h"

#include "csv/csv_columns.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/scan_list_data.h"
#include "util/text_format.h"

#include <algorithm>
#include <memory>

namespace qrv {

namespace {

std::unique_ptr<CChannelColumns> ColumnsOf(CCsvFormat format, const CRadioData& data, const CSettings& settings)
{
    if (format == CCsvFormat::Common)
        return std::make_unique<CCommonColumns>(settings, data.Identity().Band());
    return std::make_unique<CNativeColumns>(data, settings);
}

// The first of the column sets (forced, or ours before the common one) one
// of whose headers names the receive frequency; nullptr when none does.
std::unique_ptr<CChannelColumns> Recognise(const CCsvRow& header, std::optional<CCsvFormat> forced,
                                           const CRadioData& data, const CSettings& settings,
                                           std::optional<CColumnMap>& map, CCsvFormat& format)
{
    const std::vector<CCsvFormat> candidates =
        forced ? std::vector<CCsvFormat>{*forced} : std::vector<CCsvFormat>{CCsvFormat::Native, CCsvFormat::Common};
    for (const CCsvFormat candidate : candidates) {
        auto columns = ColumnsOf(candidate, data, settings);
        for (const auto& captions : columns->Headers()) {
            CColumnMap found(captions, header);
            if (columns->Usable(found)) {
                map.emplace(std::move(found));
                format = candidate;
                return columns;
            }
        }
    }
    return nullptr;
}

// The scan lists lose the members the import removed and close up, so that a
// shorter list imports whole; a designated, priority or revert channel that
// went keeps its number and is reported by the checks, for the user to choose.
void FollowRemovedChannels(CRadioData& data, const std::vector<std::uint32_t>& removed)
{
    const CRecordRefs refs = data.ChannelRefs();
    const auto exists = [&removed](std::uint32_t id) {
        return std::find(removed.begin(), removed.end(), id) == removed.end();
    };
    for (const auto& scan : data.ScanLists()) {
        const std::size_t used = std::min<std::size_t>(scan->EntryCount(), CScanListData::kSlots);
        std::vector<std::uint32_t> kept;
        for (std::size_t slot = 0; slot < used; ++slot)
            if (exists(scan->MemberId(slot)))
                kept.push_back(scan->MemberId(slot));
        if (kept.size() == used || kept.empty())
            continue; // a list of only removed channels is reported, not guessed
        for (std::size_t slot = 0; slot < CScanListData::kSlots; ++slot)
            scan->SetMemberId(slot, slot < kept.size() ? kept[slot] : 0);
        scan->SetEntryCount(static_cast<std::uint8_t>(kept.size()));
        scan->StoreIdentities(refs);
    }
}

CRejectedRow Reject(std::size_t line, const CRowError& error, const CSettings& settings)
{
    return {line, FormatMessageText(settings.GetMessage(error.message), error.argument)};
}

} // namespace

std::string ExportChannels(const CRadioData& data, const CSettings& settings, CCsvFormat format)
{
    const auto columns = ColumnsOf(format, data, settings);
    std::string text = WriteCsvRow(columns->Headers().front());
    const auto& channels = data.Channels();
    for (std::size_t i = 0; i < channels.size(); ++i) {
        // A copy: showing repairs a tone index, and exporting must not change the data.
        CChannelData copy(std::span<const std::uint8_t, CChannelData::kRecordSize>(channels[i]->Record()));
        text += WriteCsvRow(columns->Row(copy, i));
    }
    return text;
}

CImportResult ImportChannels(std::string_view text, const CRadioData& data, const CSettings& settings,
                             std::optional<CCsvFormat> format, bool append)
{
    CImportResult result;
    result.append = append;
    result.format = format.value_or(CCsvFormat::Native);
    const std::vector<CCsvRow> rows = ReadCsv(text);
    if (rows.empty() || rows.front().malformed) {
        result.rejected.push_back(Reject(rows.empty() ? 1 : rows.front().line, {csvmsg::kNoHeader, {}}, settings));
        return result;
    }
    std::optional<CColumnMap> found;
    const auto columns = Recognise(rows.front(), format, data, settings, found, result.format);
    if (!columns) {
        result.rejected.push_back(Reject(rows.front().line, {csvmsg::kNoHeader, {}}, settings));
        return result;
    }
    const CColumnMap& map = *found;

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
    std::vector<std::uint32_t> removed;
    while (!result.append && channels.size() > position) {
        removed.push_back(channels.back()->TreeId());
        data.RemoveChannel(channels.size() - 1);
    }
    if (!removed.empty())
        FollowRemovedChannels(data, removed);
    data.CheckAll();
    return true;
}

} // namespace qrv
