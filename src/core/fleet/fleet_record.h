#pragma once
// What a fleet write records of each radio, and the log that keeps it: one
// CSV row per radio, appended, with fixed English column names so that a
// dealer's scripts and spreadsheets read every log the same way.
#include "radio_link/codeplug_transfer.h"
#include "util/bytes.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <span>
#include <string>

namespace qrv {

enum class FleetOutcome {
    Verified, // written, and read back equal
    Written,  // written with the read-back turned off
    Refused,  // nothing was sent: the identity, the range or the radio said no
    Failed,   // the transfer broke off at an address; the radio may hold part of it
    Skipped,  // written already in this run
    Stopped,  // the user stopped the write; the radio may hold part of it
    NoRadio,  // nothing answered on the port
};

struct CFleetRecord {
    std::string port;
    std::tm time{};
    std::string modelId;
    std::string modelName;
    std::string serialNumber;
    std::string range;
    FleetOutcome outcome = FleetOutcome::NoRadio;
    std::uint32_t address = 0; // where a failed transfer broke off
    std::string reason;        // the message, in the program's language (DescribeFleetRecord)
    std::string checksum;      // of the image written, eight hexadecimal digits
    CTransferResult transfer;  // what the write reported, for the reason
    std::string backupFolder;  // where the backup of the image sent went, if anywhere
};

// The name a log and the command line give an outcome.
const char* OutcomeName(FleetOutcome outcome);
bool IsSuccess(FleetOutcome outcome);
// Whether the radio holds the codeplug after this run: written now, or earlier in the run.
bool HoldsTheCodeplug(FleetOutcome outcome);
class CSettings;
// Fills the record's reason in the program's language, on one line (the settings' thread).
void DescribeFleetRecord(CFleetRecord& record, const CSettings& settings);
// A radio's line in the fleet window: the outcome's name, then the serial
// number of a radio written, or the first line of the message that says why
// not. The parts are set apart by a middle dot, which reads well in every language.
inline constexpr const char* kFleetSeparator = " · ";
std::string FleetStatusText(const CFleetRecord& record, const CSettings& settings);
// CRC-32 (the zip polynomial) of the image, as eight upper-case hexadecimal digits.
std::string ImageChecksum(std::span<const std::uint8_t> image);

inline constexpr const char* kFleetLogHeader =
    "Time,Port,ModelID,ModelName,SerialNumber,Range,Result,Address,Reason,Checksum";
std::string FleetLogRow(const CFleetRecord& record);
// Appends the rows (and the header to a new or empty log); false when the file cannot be written.
bool AppendFleetLog(const std::filesystem::path& log, std::span<const CFleetRecord> records);

} // namespace qrv
