#pragma once
// The form number of each item's window: the language file's text of that
// number is the window's caption and the title of its section of the report
// and of `qrvctl dump`, and the window's controls are numbered after it.
namespace qrv::form {

inline constexpr int kRadio = 1109;
inline constexpr int kMiscellaneous = 1400;
inline constexpr int kPersonality = 2310;
inline constexpr int kChannel = 3655;
inline constexpr int kScan = 3801;
inline constexpr int kTestFrequency = 4000;
inline constexpr int kVox = 4420;
inline constexpr int kMode = 4650;
inline constexpr int kEmbedded = 4701;
inline constexpr int kVolume = 4900;
inline constexpr int kMicrophone = 6500;
inline constexpr int kKeys = 6601;
inline constexpr int kEmergency = 7300;

} // namespace qrv::form
