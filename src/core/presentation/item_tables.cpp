#include "presentation/item_tables.h"

#include <algorithm>
#include <cctype>

namespace qrv {

namespace {

using namespace item;

constexpr std::array<CTreeRow, 21> kFirstModelTree{{
    {kRadio, 0, kRadio, 0},
    {0, 0, 0, -1},
    {kSettingsFolder, 0, kSettingsFolder, 1},
    {kKeys, 1, kKeys, 0},
    {kMiscellaneous, 1, kMiscellaneous, 0},
    {kVox, 1, kVox, 0},
    {kMode, 1, kMode, 0},
    {0, 0, 0, -1},
    {kChannelFolder, 0, kChannelFolder, 0},
    {kChannel, 1, 0, 0},
    {kPersonalityFolder, 0, kPersonalityFolder, 0},
    {kPersonality, 1, 0, 0},
    {0, 0, 0, -1},
    {kDtmfSystem, 0, kDtmfSystem, 0},
    {kScan, 0, kScan, 0},
    {0, 0, 0, -1},
    {kEmbedded, 0, kEmbedded, 0},
    {0, 0, 0, -1},
    {kTestFrequency, 0, kTestFrequency, 0},
    {0, 0, 0, -1},
    {kChangeLog, 0, kChangeLog, 0},
}};

// The views no tree item opens. The channel list edits the same channels as
// the channel view, all at once.
constexpr CViewRow kChannelListRow{item::kChannelList, ViewKind::ChannelList, 16};
constexpr std::array<CViewRow, 3> kMenuOnlyViews{{
    kChannelListRow,
    {item::kVolume, ViewKind::Volume, 0},
    {item::kMicrophone, ViewKind::Microphone, 0},
}};

constexpr std::array<CViewRow, 13> kViewTable{{
    {kRadio, ViewKind::Radio, 0},
    {kKeys, ViewKind::Keys, 0},
    {kMiscellaneous, ViewKind::Miscellaneous, 0},
    {kVox, ViewKind::Vox, 0},
    {kMode, ViewKind::Mode, 0},
    {kChannel, ViewKind::Channel, 16},
    {kPersonality, ViewKind::Personality, 16},
    {kDtmfSystem, ViewKind::DtmfSystem, 1},
    {kScan, ViewKind::Scan, 2},
    {kEmergency, ViewKind::Emergency, 0},
    {kEmbedded, ViewKind::Embedded, 0},
    {kTestFrequency, ViewKind::TestFrequency, 0},
    {kChangeLog, ViewKind::DataWatch, 0},
}};

constexpr int kFactoryLevel = 61038527;

// First, previous, next, last, add, delete for each state code.
constexpr std::array<std::array<bool, 6>, 9> kButtons{{
    {false, false, true, true, true, true},
    {false, false, false, false, true, false},
    {false, false, true, true, false, true},
    {true, true, false, false, true, true},
    {true, true, false, false, false, true},
    {true, true, true, true, true, true},
    {true, true, true, true, false, true},
    {false, false, false, false, false, false},
    {false, false, false, false, true, false},
}};

} // namespace

std::span<const CTreeRow> TreeTable()
{
    return kFirstModelTree;
}

std::optional<CViewRow> FindView(int itemNumber)
{
    for (const auto& row : kViewTable)
        if (row.item == itemNumber)
            return row;
    return std::nullopt;
}

bool TreeShows(int itemNumber, int userLevel)
{
    if (itemNumber == kDtmfSystem || itemNumber == kEmergency)
        return false;
    if (itemNumber == kChangeLog)
        return userLevel == kFactoryLevel;
    return true;
}

std::array<bool, 6> NavigationButtons(int code)
{
    if (code < 0 || code >= static_cast<int>(kButtons.size()))
        return {};
    return kButtons[static_cast<std::size_t>(code)];
}

CNavigationState NavigationState(int maximum, int number, int count)
{
    CNavigationState state;
    if (maximum == 0)
        return state;
    state.shown = true;
    if (maximum == 1) {
        state.code = 7;
    } else if (count >= maximum) {
        state.code = number == 1 ? 2 : (number == maximum ? 4 : 6);
    } else if (count == 1) {
        state.code = 1;
    } else {
        state.code = number == 1 ? 0 : (number == count ? 3 : 5);
    }
    state.enabled = NavigationButtons(state.code);
    return state;
}

int ItemOfCommand(int commandNumber)
{
    switch (commandNumber) {
    case item::kChannelFolder:
        return item::kChannel;
    case item::kPersonalityFolder:
        return item::kPersonality;
    case command::kDtmfSystemView:
        return item::kDtmfSystem;
    case command::kEmergencyView:
        return item::kEmergency;
    default:
        return commandNumber;
    }
}

std::optional<CViewRow> FindOpenableView(int itemNumber)
{
    for (const CViewRow& row : kMenuOnlyViews)
        if (row.item == itemNumber)
            return row;
    return FindView(itemNumber);
}

CNavigationState NavigationStateOf(ViewKind view, int number, int count)
{
    const auto row =
        std::find_if(kViewTable.begin(), kViewTable.end(), [view](const CViewRow& r) { return r.view == view; });
    const int maximum = view == ViewKind::ChannelList ? kChannelListRow.maximum
                        : row != kViewTable.end()     ? row->maximum
                                                      : 0;
    if (maximum != 0)
        return NavigationState(maximum, number, count);
    CNavigationState state;
    if (view == ViewKind::Embedded) {
        state.code = 1;
        state.printShown = false;
    } else if (view == ViewKind::DataWatch) {
        state.code = 2;
        state.printShown = false;
        state.helpShown = false;
    }
    return state;
}

int PositionAfter(int command, int current, int count, int target)
{
    if (count <= 0)
        return -1;
    const int last = count - 1;
    switch (command) {
    case 0:
        return 0;
    case 1:
        return current <= 0 ? 0 : std::min(current - 1, last);
    case 2:
        return current < 0 || current > last ? -1 : std::min(current + 1, last);
    case 3:
    case 4:
        return last;
    case 5:
        // count is what is left after the deletion.
        return current < 0 ? -1 : std::min(current, last);
    case 6:
        return target >= 0 && target <= last ? target : -1;
    default:
        return current;
    }
}

std::string CaptionOf(const std::string& menuText)
{
    std::string text = menuText;
    // "(&X)" after the text, as the Chinese menus write their mnemonics.
    if (const auto open = text.find("(&"); open != std::string::npos && open + 3 < text.size() && text[open + 3] == ')')
        text.erase(open, 4);
    std::string caption;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&')
            caption += text[++i]; // "&&" stands for one "&"
        else if (text[i] != '&')
            caption += text[i];
    }
    // "Save As..." opens a window; the window itself is "Save As".
    if (caption.ends_with("..."))
        caption.resize(caption.size() - 3);
    return caption;
}

std::pair<std::string, int> SplitTrailingNumber(const std::string& text)
{
    std::size_t end = text.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(text[end - 1])))
        --end;
    const int number = end < text.size() ? std::stoi(text.substr(end, 9)) : 0;
    return {text.substr(0, end), number};
}

std::string ToolTipOf(const std::string& text, int languageIndex)
{
    if (languageIndex == 0) {
        const auto amp = text.find('&');
        return amp == std::string::npos ? std::string() : text.substr(amp + 1);
    }
    if (languageIndex == 1)
        return text.substr(0, text.find('('));
    return {};
}

std::string PromptOf(const std::string& text)
{
    return text.substr(0, text.find('&'));
}

} // namespace qrv
