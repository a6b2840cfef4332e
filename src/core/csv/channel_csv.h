#pragma once
// Channel lists as CSV files: export and import in two column sets, the
// program's own (every channel field under fixed column names that no
// language changes) and the common column set of the free programming tools
// for analogue radios, so that channel lists move between them. An import
// recognises the column set from the header row, is checked row by row
// first, and nothing changes until the caller applies the result.
#include "radio_data/messages.h"
#include "records/channel_data.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

class CRadioData;
class CSettings;

enum class CCsvFormat { Native, Common };

// Reasons and texts of the import and export (S01 numbers).
namespace csvmsg {
inline constexpr int kMalformedRow = 1240;
inline constexpr int kNoHeader = 1241;
inline constexpr int kNoReceiveFrequency = 1242;
inline constexpr int kNotFrequency = 1243;
inline constexpr int kOutOfRange = 1244;
inline constexpr int kCtcssNotInTable = msg::kCtcssNotInTable;
inline constexpr int kCdcssNotInTable = msg::kCdcssNotInTable;
inline constexpr int kNotAllowedValue = 1247;
inline constexpr int kTooManyChannels = 1248;
inline constexpr int kNoPersonality = 1249;
inline constexpr int kRejectedRows = 1252;
inline constexpr int kTakeGoodRows = 1253;
inline constexpr int kNothingToTake = 1254;
inline constexpr int kReplacesList = 1330;
inline constexpr int kDataProblems = 1331;
} // namespace csvmsg

// A row that can be taken: the channel page fields; the personality and the
// auto start scan flag only when the column set carries them.
struct CImportedChannel {
    std::size_t line = 0;
    CChannelEditRecord edit;
    bool hasPersonality = false;
    bool hasAutoStartScan = false;
};

struct CRejectedRow {
    std::size_t line = 0;
    std::string reason; // the language file's text
};

struct CImportResult {
    bool append = false;
    CCsvFormat format = CCsvFormat::Native; // the column set the header named
    std::vector<CImportedChannel> channels; // in file order, at most what fits
    std::vector<CRejectedRow> rejected;     // in file order
};

// The whole file text (UTF-8, CRLF line ends, header row first).
std::string ExportChannels(const CRadioData& data, const CSettings& settings, CCsvFormat format);

// Reads a file's text against the current channel list (the 16-channel
// limit, the personalities) without changing anything. Without a format the
// header row tells the column set: our own (its fixed names, or the
// captions earlier versions wrote in any shipped language), else the common one.
CImportResult ImportChannels(std::string_view text, const CRadioData& data, const CSettings& settings,
                             std::optional<CCsvFormat> format, bool append);

// Takes the channels of a result: replace reuses the channels from the
// first on and removes the rest, append adds channels at the end and leaves
// every existing one as it was; then the references are resolved and every
// check runs. The channels that go leave the scan lists (the members close
// up; a designated or priority channel that went becomes the first member)
// and an emergency revert channel that went becomes channel 1, so that an
// import never leaves references to channels that no longer exist. Returns
// false when the result holds no channel (then nothing changes).
bool ApplyImport(const CImportResult& result, CRadioData& data);

} // namespace qrv
