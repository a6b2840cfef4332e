#pragma once
// Numbers of the language file's texts that the core itself refers to.
namespace qrv::msg {

// S01: message box texts.
inline constexpr int kNewQuestion = 800;
inline constexpr int kRecentUnreadable = 802;
inline constexpr int kCannotWrite = 803;
inline constexpr int kWrongModel = 810;
inline constexpr int kCannotRead = 811;
inline constexpr int kInvalidData = 814;
inline constexpr int kExitQuestion = 816;
inline constexpr int kNewerVersion = 817;
inline constexpr int kOtherMajorVersion = 818;
inline constexpr int kRangeOutsideRadio = 1142;
inline constexpr int kOutOfMemory = 1147;
inline constexpr int kModelMismatch = 1172;
inline constexpr int kDataFileExtension = 1211;
inline constexpr int kDataFileFilter = 1212;
inline constexpr int kPasswordRule = 1270;
inline constexpr int kPasswordNotAscii = 1271;
inline constexpr int kPasswordTooLong = 1272;
// S01: a settings, model or language file refused for its size (argument: the file).
inline constexpr int kFileTooLarge = 1280;
inline constexpr int kFileTooManyLines = 1281;

// S01: why a file could not be saved (argument: the file, then the system's words).
inline constexpr int kSaveReadOnly = 1290;
inline constexpr int kSaveCannotCreate = 1291;
inline constexpr int kSaveNoSpace = 1292;
inline constexpr int kSaveTooLarge = 1293;
inline constexpr int kSaveIoError = 1294;
inline constexpr int kSaveNotAFile = 1295;

// S01: why a file could not be read (argument: the file).
inline constexpr int kReadMissing = 1302;
inline constexpr int kReadDirectory = 1303;
inline constexpr int kReadNotAFile = 1304;
inline constexpr int kReadUnreadable = 1305;
inline constexpr int kReadTooLarge = 1306;
inline constexpr int kReadDamaged = 1307;
inline constexpr int kLanguageFileDamaged = 1308; // the program shows its built-in English texts

// S02: captions.
inline constexpr int kMainCaption = 128;

// S03: product constants.
inline constexpr int kAcceptedModelId = 446;

} // namespace qrv::msg
