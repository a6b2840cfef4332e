#pragma once
// The builders of the report's sections (one per section) and the small
// helpers they share. Every builder starts with the section's title rows.
#include "report/report_sections.h"

#include <cstdint>
#include <string>

namespace qrv {

class CRadioData;
class CSettings;

namespace report {

// The forms of the sections' editors: their numbers title the sections.
inline constexpr int kRadioForm = 1109;
inline constexpr int kKeysForm = 6601;
inline constexpr int kMiscellaneousForm = 1400;
inline constexpr int kVoxForm = 4420;
inline constexpr int kModeForm = 4650;
inline constexpr int kChannelForm = 3655;
inline constexpr int kPersonalityForm = 2310;
inline constexpr int kScanForm = 3801;
inline constexpr int kTestFrequencyForm = 4000;

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
void BuildTestFrequencies(ReportRows& rows, const CRadioData& data, const CSettings& settings);

} // namespace report
} // namespace qrv
