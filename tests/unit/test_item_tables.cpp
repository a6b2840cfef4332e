#include "presentation/item_tables.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using Buttons = std::array<bool, 6>; // first, previous, next, last, add, delete

TEST(NavigationState, RecordButtonsOfNumberedItems)
{
    struct Case {
        int maximum;
        int number;
        int count;
        bool shown;
        Buttons enabled;
    };
    const Case cases[] = {
        {16, 2, 3, true, {true, true, true, true, true, true}},      // the middle of three
        {16, 1, 1, true, {false, false, false, false, true, false}}, // the only one: add only
        {16, 16, 16, true, {true, true, false, false, false, true}}, // the last of a full table
        {16, 1, 16, true, {false, false, true, true, false, true}},  // the first of a full table
        {16, 7, 16, true, {true, true, true, true, false, true}},
        {16, 1, 3, true, {false, false, true, true, true, true}},
        {16, 3, 3, true, {true, true, false, false, true, true}},
        {2, 2, 2, true, {true, true, false, false, false, true}},     // scan lists
        {1, 1, 1, true, {false, false, false, false, false, false}},  // the DTMF system
        {0, 1, 1, false, {false, false, false, false, false, false}}, // a single view
    };
    for (const auto& c : cases) {
        const CNavigationState s = NavigationState(c.maximum, c.number, c.count);
        EXPECT_EQ(s.shown, c.shown) << c.maximum << " " << c.number << " " << c.count;
        EXPECT_EQ(s.enabled, c.enabled) << c.maximum << " " << c.number << " " << c.count;
    }
    EXPECT_EQ(NavigationButtons(8), (Buttons{false, false, false, false, true, false}));
    EXPECT_EQ(NavigationButtons(42), Buttons{});
}

TEST(NavigationState, PrintAndHelpOfSingleViews)
{
    struct Case {
        ViewKind view;
        bool shown;
        bool print;
        bool help;
    };
    const Case cases[] = {
        {ViewKind::Radio, false, true, true},       {ViewKind::Embedded, false, false, true},
        {ViewKind::DataWatch, false, false, false}, {ViewKind::Channel, true, true, true},
        {ViewKind::DtmfSystem, true, true, true},
    };
    for (const auto& c : cases) {
        const CNavigationState s = NavigationStateOf(c.view, 1, 1);
        EXPECT_EQ(s.shown, c.shown) << static_cast<int>(c.view);
        EXPECT_EQ(s.printShown, c.print) << static_cast<int>(c.view);
        EXPECT_EQ(s.helpShown, c.help) << static_cast<int>(c.view);
    }
    // Numbered views follow the record rule: the third of three channels.
    EXPECT_EQ(NavigationStateOf(ViewKind::Channel, 3, 3).enabled, NavigationState(16, 3, 3).enabled);
}

TEST(NavigationState, PositionAfterARecordCommand)
{
    struct Case {
        int command, current, count, target, expected;
    };
    const Case cases[] = {
        {0, 2, 3, 0, 0},  {1, 2, 3, 0, 1},  {1, 0, 3, 0, 0},   // previous stays on the first
        {2, 1, 3, 0, 2},  {2, 2, 3, 0, 2},                     // next stays on the last
        {2, 5, 3, 0, -1},                                      // the current is not in the table
        {3, 0, 3, 0, 2},  {4, 0, 4, 0, 3},                     // add: the new last
        {5, 1, 2, 0, 1},                                       // delete the middle of three: its follower
        {5, 2, 2, 0, 1},                                       // delete the last of three: the new last
        {6, 0, 3, 2, 2},  {6, 0, 3, 3, -1}, {6, 0, 3, -1, -1}, // go to
        {0, 0, 0, 0, -1},                                      // an empty table
    };
    for (const Case& c : cases)
        EXPECT_EQ(PositionAfter(c.command, c.current, c.count, c.target), c.expected)
            << c.command << " " << c.current << " " << c.count << " " << c.target;
}

TEST(ItemTables, ViewsAndVisibility)
{
    EXPECT_EQ(FindView(item::kChannel)->maximum, 16);
    EXPECT_EQ(FindView(item::kScan)->maximum, 2);
    EXPECT_FALSE(FindView(item::kChannelFolder).has_value()); // a folder opens no view of its own
    EXPECT_FALSE(FindView(12345).has_value());
    EXPECT_EQ(FindOpenableView(item::kChannelList)->maximum, 16);
    EXPECT_FALSE(FindView(item::kChannelList).has_value()); // the tree never opens it
    EXPECT_EQ(FindOpenableView(item::kMicrophone)->view, ViewKind::Microphone);
    EXPECT_FALSE(FindView(item::kVolume).has_value());
    const std::pair<int, int> commands[] = {{item::kChannelFolder, item::kChannel},
                                            {item::kPersonalityFolder, item::kPersonality},
                                            {command::kDtmfSystemView, item::kDtmfSystem},
                                            {command::kEmergencyView, item::kEmergency},
                                            {item::kScan, item::kScan}};
    for (const auto& [menuCommand, opened] : commands)
        EXPECT_EQ(ItemOfCommand(menuCommand), opened);
    for (const int level : {0, 659, 61038527}) {
        EXPECT_FALSE(TreeShows(item::kDtmfSystem, level));
        EXPECT_FALSE(TreeShows(item::kEmergency, level));
        EXPECT_EQ(TreeShows(item::kChangeLog, level), level == 61038527);
        EXPECT_TRUE(TreeShows(item::kChannel, level));
    }
}

TEST(ItemTables, TextsOfItemsAndCommands)
{
    EXPECT_EQ(SplitTrailingNumber("Channel 12"), (std::pair<std::string, int>{"Channel ", 12}));
    EXPECT_EQ(SplitTrailingNumber("信道3"), (std::pair<std::string, int>{"信道", 3}));
    EXPECT_EQ(SplitTrailingNumber("Scan"), (std::pair<std::string, int>{"Scan", 0}));
    EXPECT_EQ(CaptionOf("&Help Topics"), "Help Topics");
    EXPECT_EQ(CaptionOf("信道列表(&L)"), "信道列表");
    EXPECT_EQ(CaptionOf("Save && Exit"), "Save & Exit");
    EXPECT_EQ(CaptionOf("(&"), "(");
    EXPECT_EQ(CaptionOf("Plain"), "Plain");
    EXPECT_EQ(CaptionOf("导出 PDF(&D)..."), "导出 PDF");
    EXPECT_EQ(ToolTipOf("&Read", 0), "Read");
    EXPECT_EQ(ToolTipOf("Save &As...", 0), "As...");
    EXPECT_EQ(ToolTipOf("读频(&R)", 1), "读频");
    EXPECT_EQ(ToolTipOf("&Read", 2), "");
    EXPECT_EQ(PromptOf("Read all data&from"), "Read all data");
}

} // namespace
} // namespace qrv
