// The tree's items and views, the record buttons, the texts of items and
// commands, and the help page each finds.
#include "presentation/item_tables.h"

#include "presentation/help_topics.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using Buttons = std::array<bool, 6>; // first, previous, next, last, add, delete

TEST(NavigationState, RecordButtonsOfNumberedItems)
{
    // Maximum, number, count, whether shown, the buttons enabled.
    const std::tuple<int, int, int, bool, Buttons> cases[] = {
        {16, 2, 3, true, {true, true, true, true, true, true}},       // the middle of three
        {16, 1, 1, true, {false, false, false, false, true, false}},  // the only one: add only
        {16, 16, 16, true, {true, true, false, false, false, true}},  // the last of a full table
        {16, 1, 16, true, {false, false, true, true, false, true}},   // the first of a full table
        {2, 2, 2, true, {true, true, false, false, false, true}},     // scan lists
        {1, 1, 1, true, {false, false, false, false, false, false}},  // the DTMF system
        {0, 1, 1, false, {false, false, false, false, false, false}}, // a single view
    };
    for (const auto& [maximum, number, count, shown, enabled] : cases) {
        const CNavigationState s = NavigationState(maximum, number, count);
        EXPECT_EQ(std::pair(s.shown, s.enabled), std::pair(shown, enabled)) << maximum << " " << number << " " << count;
    }
    EXPECT_EQ(NavigationButtons(8), (Buttons{false, false, false, false, true, false}));
    EXPECT_EQ(NavigationButtons(42), Buttons{});
}

TEST(NavigationState, PositionAfterARecordCommand)
{
    // Command, current, count, target, the position after.
    const std::tuple<int, int, int, int, int> cases[] = {
        {0, 2, 3, 0, 0},  {1, 2, 3, 0, 1},  {1, 0, 3, 0, 0},   // previous stays on the first
        {2, 1, 3, 0, 2},  {2, 2, 3, 0, 2},                     // next stays on the last
        {2, 5, 3, 0, -1},                                      // the current is not in the table
        {3, 0, 3, 0, 2},  {4, 0, 4, 0, 3},                     // add: the new last
        {5, 1, 2, 0, 1},                                       // delete the middle of three: its follower
        {5, 2, 2, 0, 1},                                       // delete the last of three: the new last
        {6, 0, 3, 2, 2},  {6, 0, 3, 3, -1}, {6, 0, 3, -1, -1}, // go to
        {0, 0, 0, 0, -1},                                      // an empty table
    };
    for (const auto& [command, current, count, target, expected] : cases)
        EXPECT_EQ(PositionAfter(command, current, count, target), expected)
            << command << " " << current << " " << count << " " << target;
}

TEST(ItemTables, WhatTheTreeShowsAndOpens)
{
    EXPECT_FALSE(FindView(item::kChannelFolder).has_value()); // a folder opens no view of its own
    EXPECT_FALSE(FindView(item::kChannelList).has_value());   // the tree never opens it, a command does
    EXPECT_TRUE(FindOpenableView(item::kChannelList).has_value());
    EXPECT_EQ(ItemOfCommand(item::kChannelFolder), item::kChannel);
    EXPECT_EQ(NavigationStateOf(ViewKind::Channel, 3, 3).enabled, NavigationState(16, 3, 3).enabled);
}

TEST(ItemTables, TextsOfItemsAndCommands)
{
    EXPECT_EQ(SplitTrailingNumber("Channel 12"), (std::pair<std::string, int>{"Channel ", 12}));
    EXPECT_EQ(SplitTrailingNumber("信道3"), (std::pair<std::string, int>{"信道", 3}));
    EXPECT_EQ(SplitTrailingNumber("Scan"), (std::pair<std::string, int>{"Scan", 0}));
    const std::pair<const char*, const char*> captions[] = {
        {"&Help Topics", "Help Topics"},
        {"信道列表(&L)", "信道列表"},
        {"Save && Exit", "Save & Exit"},
        {"(&", "("},
        {"Plain", "Plain"},
        {"导出 PDF(&D)...", "导出 PDF"},
    };
    for (const auto& [text, caption] : captions)
        EXPECT_EQ(CaptionOf(text), caption);
    EXPECT_EQ(ToolTipOf("&Read", 0), "Read");
    EXPECT_EQ(ToolTipOf("Save &As...", 0), "As...");
    EXPECT_EQ(ToolTipOf("读频(&R)", 1), "读频");
    EXPECT_EQ(ToolTipOf("&Read", 2), "");
    EXPECT_EQ(PromptOf("Read all data&from"), "Read all data");
}

// The folder follows the language; in it the first number with a page wins, then the index; nothing when the
// help is not installed.
TEST(HelpTopics, FolderOfTheLanguageAndFirstNumberWithAPageThenTheDefault)
{
    EXPECT_EQ(HelpFolder("/opt/help", 0), "/opt/help/qrv_E");
    EXPECT_EQ(HelpFolder("/opt/help", 1), "/opt/help/qrv_S");
    EXPECT_EQ(HelpFolder("/opt/help", 2), "/opt/help/qrv_E"); // every language but Chinese reads the English pages
    test::CTempDir dir;
    const std::string channelPage = std::to_string(item::kChannel) + ".html";
    const int channel[] = {item::kChannel};
    EXPECT_FALSE(FindHelpTopic(dir.Path(), channel).has_value());
    EXPECT_FALSE(FindHelpTopic(dir / "missing", channel).has_value());
    for (const char* page : {channelPage.c_str(), "150.html", "index.html"})
        test::WriteText(dir / page, "page");
    std::filesystem::create_directory(dir / "1072.html"); // a folder is not a page
    const std::pair<std::vector<int>, std::string> cases[] = {
        {{1072, item::kChannel}, channelPage}, // control without a page, then its view
        {{150, item::kChannel}, "150.html"},
        {{}, "index.html"},
        {{0, -5, 99999}, "index.html"},
    };
    for (const auto& [numbers, page] : cases)
        EXPECT_EQ(FindHelpTopic(dir.Path(), numbers).value_or("").filename(), page);
}

} // namespace
} // namespace qrv
