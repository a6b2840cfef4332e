#pragma once
// Numbers of the language file's captions and value lists (S02) that no
// record owns: the radio's identity, shown by the radio information window,
// the report and `qrvctl`, the serial trace window, the transfer captions
// and the windows of the fleet write and Compare with Radio.
namespace qrv::caption {

// A combo box's or edit's caption is numbered one below it; a combo box's own
// number is also its value list.
constexpr int LabelOf(int control)
{
    return control - 1;
}

// The radio information window: each value's caption, and its read-only
// field numbered one above.
inline constexpr int kModelName = 1110;
inline constexpr int kModelNameField = 1111;
inline constexpr int kFrequencyRange = 1112;
inline constexpr int kFrequencyRangeField = 1113;
inline constexpr int kSerialNumber = 1114;
inline constexpr int kSerialNumberField = 1115;
inline constexpr int kFirmwareVersion = 1116;
inline constexpr int kFirmwareVersionField = 1117;
inline constexpr int kSignalingType = 1118;
inline constexpr int kSignalingTypeField = 1119;
inline constexpr int kLastProgrammed = 1120;
inline constexpr int kLastProgrammedField = 1121;

// The read dialog's caption, also the embedded message view's read button.
inline constexpr int kReadFromRadio = 1601;

// Write to Radio: its caption, its progress text ("%d" the percent) and its
// check box, which the fleet write shows too.
inline constexpr int kWriteToRadio = 1602;
inline constexpr int kWriteProgress = 1605;
inline constexpr int kVerifyAfterWrite = 32945;

// The signalling types (the model dialog's list).
inline constexpr int kSignalTypeList = 1076;

// The serial trace window.
inline constexpr int kSerialTraceCaption = 32950;
inline constexpr int kSerialTraceSave = 32951;
inline constexpr int kSerialTraceClose = 32952;
inline constexpr int kSerialTraceEmpty = 32953;
inline constexpr int kSerialTraceFilter = 32954;
// Buttons other windows share with it.
inline constexpr int kSaveButton = kSerialTraceSave;
inline constexpr int kCloseButton = kSerialTraceClose;
inline constexpr int kTextFilter = kSerialTraceFilter;

// The fleet write window: the ports, the simulated radios, the two ways of
// writing, the count and the rewrite choice of one cable, its buttons.
inline constexpr int kFleetPorts = 32962;
inline constexpr int kFleetSimulatedCount = 32963;
inline constexpr int kFleetAtOnce = 32964;
inline constexpr int kFleetOneCable = 32965;
inline constexpr int kFleetCount = 32966;
inline constexpr int kFleetRewriteSame = 32967;
inline constexpr int kFleetStart = 32968;
inline constexpr int kFleetStop = 32969;
inline constexpr int kFleetShowLog = 32970;
inline constexpr int kFleetSaveLog = 32971;
// Lists: the columns of its rows (port, progress, status), the name of each
// outcome by FleetOutcome's value, the columns of the log.
inline constexpr int kFleetColumns = 32972;
inline constexpr int kFleetOutcomes = 32973;
inline constexpr int kFleetLogColumns = 32975;
// The log window's caption, and the file type a copy of the log is saved as.
inline constexpr int kFleetLogCaption = 32974;
inline constexpr int kCsvFilter = 32976;
// Compare with Radio: the words above its list of differences, and its copy button.
inline constexpr int kCompareIntro = 32977;
inline constexpr int kCopyButton = 32978;

} // namespace qrv::caption
