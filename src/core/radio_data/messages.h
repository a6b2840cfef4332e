#pragma once
// Numbers of the language file's texts that the program refers to by number.
namespace qrv::msg {

// S01: message box texts.
inline constexpr int kNewQuestion = 800;
inline constexpr int kRecentUnreadable = 802;
inline constexpr int kCannotWrite = 803;
inline constexpr int kWrongModel = 810;
inline constexpr int kCannotRead = 811;
inline constexpr int kInvalidData = 814;
inline constexpr int kExitQuestion = 816;
// Before New, Open, Read from Radio or a model change replaces a codeplug with unsaved changes.
inline constexpr int kSaveChangesQuestion = 1324;
inline constexpr int kNewerVersion = 817;
inline constexpr int kOtherMajorVersion = 818;
inline constexpr int kRangeOutsideRadio = 1142;
inline constexpr int kOutOfMemory = 1147;
inline constexpr int kModelMismatch = 1172;
inline constexpr int kDataFileExtension = 1211;
inline constexpr int kDataFileFilter = 1212;

// S01: a typed frequency outside the radio's range (set to the nearest limit), or no frequency at all.
inline constexpr int kFrequencyOutOfRange = 1164;
// S01: a tone typed or imported that is not in its table ("%s" the text), and
// a stored tone code outside the tables as it is shown ("%s" the raw code).
inline constexpr int kCtcssNotInTable = 1245;
inline constexpr int kCdcssNotInTable = 1246;
inline constexpr int kToneNotInTable = 1322;
// S01: deleting a personality that channels use ("%d" how many); Yes deletes.
inline constexpr int kPersonalityInUse = 1323;
inline constexpr int kNotAFrequency = 1165;
// S01: an item of the tuning dialog that this radio cannot tune.
inline constexpr int kNotTunable = 1167;

// S01: the password dialogs.
inline constexpr int kPasswordChanged = 1169;
inline constexpr int kPasswordMismatch = 1170;
inline constexpr int kWrongOldPassword = 1171;
inline constexpr int kPasswordRule = 1270;
inline constexpr int kPasswordNotAscii = 1271;
inline constexpr int kPasswordTooLong = 1272;

// S01: the factory model dialog: refused values, and the questions before a changed identity is taken.
inline constexpr int kEmptyModelName = 1223;
inline constexpr int kModelNameQuestion = 1225;
inline constexpr int kSignalQuestion = 1226;
inline constexpr int kRangeQuestion = 1227;
inline constexpr int kLimitOutsideWindow = 1230;
inline constexpr int kLowerAboveUpper = 1231;

// S01: the printer could not be started.
inline constexpr int kPrinterFailed = 1233;
// S01: the printer took the job and then reported an error.
inline constexpr int kPrinterError = 1336;
// S01: the report as a PDF file: not written, or written (argument: the file);
// the file dialog's filter.
inline constexpr int kReportNotWritten = 1232;
inline constexpr int kReportWritten = 1337;
inline constexpr int kPdfFilter = 1338;

// S01: the Print Tree dialog with nothing chosen.
inline constexpr int kPrintCancelled = 1228;
inline constexpr int kSelectItemToPrint = 1229;

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

// S01: the report's page footer ("%d" the page, then "%d" the page count).
inline constexpr int kPageFooter = 1332;

// S01: no file manager opened the backup folder ("%s" the folder).
inline constexpr int kBackupFolderIs = 1342;

// S01: "serial number %s", after a port's or a radio's name.
inline constexpr int kSerialNumberText = 1335;

// S01: the fleet write window. A port's line while it waits ("%d" the radios
// done so far); the choices it refuses; the question before it closes with
// radios being written; a log that could not be written ("%s" the log).
inline constexpr int kFleetWaitingForRadio = 1346;
inline constexpr int kFleetWaitingForUnplug = 1347;
inline constexpr int kFleetNoPort = 1348;
inline constexpr int kFleetOnePort = 1349;
inline constexpr int kFleetStopQuestion = 1350;
inline constexpr int kFleetLogNotWritten = 1351;

// S01: the help pages are not installed (argument: the folder looked in).
inline constexpr int kHelpMissing = 1301;
// S01: pasted cells of the channel list that match no entry of their column.
inline constexpr int kPasteLeftOut = 3688;

// S02: captions.
inline constexpr int kMainCaption = 128;

// S03: product constants.
inline constexpr int kAcceptedModelId = 446;

} // namespace qrv::msg
