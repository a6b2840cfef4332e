#pragma once
// Numbers of the language file's messages that the radio operations report.
namespace qrv::msg {

inline constexpr int kRadioReadDone = 1136;
inline constexpr int kRadioWriteDone = 1137;
inline constexpr int kRadioReadFailed = 1138;  // argument: the address
inline constexpr int kRadioWriteFailed = 1139; // argument: the address
inline constexpr int kNoRadioAnswer = 1143;
inline constexpr int kRadioIdentityFailed = 1146;
inline constexpr int kTuneWritten = 1153;
inline constexpr int kTuneRead = 1154;
inline constexpr int kTuneWriteFailed = 1155;
inline constexpr int kTuneReadFailed = 1156;
inline constexpr int kWrongPassword = 1176;
// A question before the radio's embedded messages replace the codeplug's ones.
inline constexpr int kReplaceEmbeddedMessages = 1320;
inline constexpr int kVerifyFailed = 1260;     // argument: the addresses that differ
inline constexpr int kVerifyReadFailed = 1261; // argument: the address
inline constexpr int kTuneSwitchUnread = 1264; // argument: the address; nothing was written
inline constexpr int kWriteStopped = 1345;     // argument: the address of the first block not sent
// Compare with Radio found nothing a write would change.
inline constexpr int kRadioHoldsCodeplug = 1353;
// Notes after a failed write, on what the radio may now hold.
inline constexpr int kPartialCodeplug = 1265;         // argument: the backup folder
inline constexpr int kPartialCodeplugNoBackup = 1266; // when no backup was kept
inline constexpr int kPartialValues = 1267;           // factory values or messages

} // namespace qrv::msg
