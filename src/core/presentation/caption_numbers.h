#pragma once
// Numbers of the language file's captions and value lists (S02) that no
// record owns: the radio's identity, shown by the radio information window,
// the report and `qrvctl`, the serial trace window, and the read caption.
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

// The signalling types (the model dialog's list).
inline constexpr int kSignalTypeList = 1076;

// The serial trace window.
inline constexpr int kSerialTraceCaption = 32950;
inline constexpr int kSerialTraceSave = 32951;
inline constexpr int kSerialTraceClose = 32952;
inline constexpr int kSerialTraceEmpty = 32953;
inline constexpr int kSerialTraceFilter = 32954;

} // namespace qrv::caption
