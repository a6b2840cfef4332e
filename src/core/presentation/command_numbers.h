#pragma once
// The program's command numbers: each menu and tool bar command is known by
// one, and the language file's text of that number is its caption (a help
// topic of the same number explains it). The commands that open an item of
// the tree carry the item's number (item_tables.h).
namespace qrv {

namespace command {
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kExportPdf = 57610;
inline constexpr int kFirstRecent = 57616;
inline constexpr int kRecentCount = 4;
inline constexpr int kExit = 57665;
inline constexpr int kModel = 32771;
inline constexpr int kPort = 32772;
inline constexpr int kRead = 32773;
inline constexpr int kWrite = 32774;
// Write to Several Radios and Compare with Radio; their windows carry the
// same numbers, so F1 finds the command's help page.
inline constexpr int kWriteFleet = 32960;
inline constexpr int kCompare = 32961;
inline constexpr int kUpdateMemory = 32776;
inline constexpr int kLanguage = 32777;
inline constexpr int kTreeBar = 32778;
inline constexpr int kCloseAll = 32779;
inline constexpr int kCloseAllButThis = 32904;
inline constexpr int kLogBar = 32905;
inline constexpr int kInvalidBar = 32906;
inline constexpr int kTabBar = 32700;
inline constexpr int kBaseBand = 32696;
inline constexpr int kAdjustment = 32697;
inline constexpr int kFactoryMode = 32698;
inline constexpr int kWriteTuneData = 32699;
inline constexpr int kHelp = 57667;
inline constexpr int kAbout = 57664;
inline constexpr int kFirstMenuCaption = 32790;
inline constexpr int kImportChannels = 32930;
inline constexpr int kExportChannels = 32931;
inline constexpr int kOpenBackupFolder = 32940;
inline constexpr int kSerialTrace = 32955;
inline constexpr int kEditMenu = 32920;
inline constexpr int kUndo = 32921;
inline constexpr int kRedo = 32922;
inline constexpr int kUndoTip = 32923;
inline constexpr int kRedoTip = 32924;
// The tree and View menu open items with commands from item::kRadio to this one.
inline constexpr int kLastItemCommand = 32950;
} // namespace command

} // namespace qrv
