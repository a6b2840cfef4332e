#pragma once
// The fixed tables of the main window: which items the navigation tree and
// the third menu hold, which view each item opens and how many items of a
// kind there may be, and the record-button states of a child window.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qrv {

namespace item {
inline constexpr int kRadio = 32800;
inline constexpr int kSettingsFolder = 32801;
inline constexpr int kKeys = 32802;
inline constexpr int kMiscellaneous = 32803;
inline constexpr int kVox = 32809;
inline constexpr int kMode = 32815;
inline constexpr int kChannelFolder = 32821;
inline constexpr int kChannel = 32822;
inline constexpr int kPersonalityFolder = 32823;
inline constexpr int kPersonality = 32824;
inline constexpr int kDtmfSystem = 32854;
inline constexpr int kScan = 32884;
inline constexpr int kEmergency = 32885;
inline constexpr int kEmbedded = 32886;
inline constexpr int kTestFrequency = 32887;
inline constexpr int kChangeLog = 32888;
// No tree item opens the channel list: the View menu and the channel folder's context menu do.
inline constexpr int kChannelList = 32889;
// Nor any the volume and microphone settings: the View menu offers them at the factory level.
inline constexpr int kVolume = 32892;
inline constexpr int kMicrophone = 32893;
} // namespace item

namespace command {
// The View menu opens the DTMF system and the emergency views at the factory
// level; the tree never shows them and their own menu items are always removed.
inline constexpr int kDtmfSystemView = 32890;
inline constexpr int kEmergencyView = 32891;
} // namespace command

// The item a menu command opens: a folder opens its first numbered item.
int ItemOfCommand(int command);

struct CTreeRow {
    int item;     // 0: no tree item
    int level;    // 0: top level
    int menu;     // command of the menu item, 0: none
    int menuKind; // 0 command, 1 pop-up, -1 separator
};

// The tree of the first model; the tree is always built from it.
std::span<const CTreeRow> TreeTable();

enum class ViewKind {
    Radio,
    Keys,
    Miscellaneous,
    Vox,
    Mode,
    Channel,
    Personality,
    DtmfSystem,
    Scan,
    Emergency,
    Embedded,
    TestFrequency,
    DataWatch,
    ChannelList,
    Volume,
    Microphone
};

struct CViewRow {
    int item;
    ViewKind view;
    int maximum; // 0: a single view without numbered items
};

std::optional<CViewRow> FindView(int item);
// The views the main window opens: the view table's, the channel list, volume and microphone.
std::optional<CViewRow> FindOpenableView(int item);

// Which items a user level may see. The tree never shows the DTMF system and
// emergency items; only the factory level sees the change log.
bool TreeShows(int item, int userLevel);

// The record buttons of a child window: first, previous, next, last, add, delete.
struct CNavigationState {
    bool shown = false; // the record buttons are visible
    int code = 0;
    std::array<bool, 6> enabled{};
    bool printShown = true;
    bool helpShown = true;
};

CNavigationState NavigationState(int maximum, int number, int count);
// The bar of a view: numbered items by the rule above; of the single views the
// embedded messages cannot be printed and the data watch has neither Print nor Help.
CNavigationState NavigationStateOf(ViewKind view, int number, int count);
std::array<bool, 6> NavigationButtons(int code);

// Where a record command leaves a table of count records (positions 0-based):
// 0 first, 1 previous, 2 next, 3 last, 4 add (the new last record), 5 delete
// (the record that took the deleted one's place, or the new last; a single
// record is never deleted), 6 go to target. -1 when no record is left or the
// target is outside the table; current may be -1 for "none".
int PositionAfter(int command, int current, int count, int target);

// The base name and number of a numbered tree item ("Channel 12" -> "Channel ", 12).
std::pair<std::string, int> SplitTrailingNumber(const std::string& text);

// The tool tip of a command text in a language ("&Read" -> "Read" in the first language).
std::string ToolTipOf(const std::string& text, int languageIndex);
// A menu text as a window caption: without its mnemonic, whether written
// "&Help Topics" or "帮助主题(&H)", and without the dots of "Save &As...".
std::string CaptionOf(const std::string& menuText);
// The status-bar prompt of an S01 text: the part before the first "&".
std::string PromptOf(const std::string& text);

} // namespace qrv
