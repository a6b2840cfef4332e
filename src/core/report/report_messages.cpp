// The embedded messages section: the four messages as their edits show them.
#include "presentation/caption_numbers.h"
#include "presentation/form_numbers.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "report/report_builders.h"

namespace qrv {

namespace {

using E = CEmbeddedMessageData;

// The radio stores one byte a character, which the edits show as Latin-1;
// the report's cells are UTF-8.
std::string Latin1ToUtf8(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

} // namespace

namespace report {

void BuildEmbeddedMessages(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    AppendSectionStart(rows, form::kEmbedded, settings);
    for (std::size_t i = 0; i < E::kMessageCount; ++i)
        rows.push_back(TextSettingRow(settings.GetText(caption::LabelOf(E::kMessageEdits[i])),
                                      Latin1ToUtf8(data.EmbeddedMessages().Message(i))));
    rows.push_back(SpacerRow());
}

} // namespace report
} // namespace qrv
