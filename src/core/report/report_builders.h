#pragma once
// The builders of the report's sections (one per section) and the small
// helpers they share. Every builder starts with the section's title rows.
#include "presentation/form_numbers.h"
#include "report/report_sections.h"

#include <cstdint>
#include <string>

namespace qrv {

class CRadioData;
class CSettings;

namespace report {

// The forms of the sections' editors: their numbers title the sections.

// Language texts of a set and a cleared check box.
inline constexpr int kOnText = 20;
inline constexpr int kOffText = 21;

std::string OnOffText(bool on, const CSettings& settings);
// The title row with the section's title, then an empty title row.
void AppendSectionStart(ReportRows& rows, int formNumber, const CSettings& settings);
// The 1-based position of a valid channel with this identity, as the
// channel combos of the editors show it; empty for none.
std::string ChannelNumberText(const CRadioData& data, std::uint32_t channelId);

void BuildRadioIdentity(ReportRows& rows, const CRadioData& data, const CSettings& settings);
void BuildKeys(ReportRows& rows, const CRadioData& data, const CSettings& settings);
void BuildMiscellaneous(ReportRows& rows, const CRadioData& data, const CSettings& settings);
void BuildVox(ReportRows& rows, const CRadioData& data, const CSettings& settings);
void BuildMode(ReportRows& rows, const CRadioData& data, const CSettings& settings);
void BuildChannels(ReportRows& rows, const CRadioData& data, const CSettings& settings);
void BuildPersonalities(ReportRows& rows, const CRadioData& data, const CSettings& settings);
void BuildScanLists(ReportRows& rows, const CRadioData& data, const CSettings& settings);
void BuildEmbeddedMessages(ReportRows& rows, const CRadioData& data, const CSettings& settings);
void BuildTestFrequencies(ReportRows& rows, const CRadioData& data, const CSettings& settings);

} // namespace report
} // namespace qrv
