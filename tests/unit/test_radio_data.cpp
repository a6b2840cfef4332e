// The whole codeplug: its default, where the areas lie, what loading and
// storing keep, and what follows when channels come and go; the change log's
// lines and refresh, the invalid log's one line per key, the undo history and
// the codeplug state it keeps.
#include "radio_data/radio_data.h"

#include "radio_data/change_log.h"
#include "radio_data/codeplug_state.h"
#include "radio_data/invalid_log.h"
#include "radio_data/undo_history.h"

#include "codeplug_fixture.h"
#include "record_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace qrv {
namespace {

class RadioDataTest : public ::testing::Test, public test::CResetCodeplug {};

TEST_F(RadioDataTest, DefaultCodeplugFillsUnownedAreasAndForcesItsBytes)
{
    EXPECT_EQ((std::vector<std::size_t>{data.Channels().size(), data.Personalities().size(), data.ScanLists().size(),
                                        data.DTMFSystems().size()}),
              (std::vector<std::size_t>{16, 1, 1, 1}));
    EXPECT_EQ((std::vector<int>{data.ChannelHead(), data.PersonalityHead(), data.DtmfHead(), data.ScanHead()}),
              (std::vector<int>{0x580, 0x130, 0x1C0, 0x210}));
    EXPECT_FALSE(data.CheckAll());
    data.Volume().SetAlertToneVolume(5);
    const Image image = Stored();
    const std::pair<int, int> unowned[] = {{0x000, 0x00F}, {0x091, 0x110}, {0x1C0, 0x20F},
                                           {0x338, 0x338}, {0x490, 0x57F}, {0x6C0, 0x7FF}};
    for (const auto& [first, last] : unowned)
        for (int o = first; o <= last; ++o)
            ASSERT_EQ(image[static_cast<std::size_t>(o)], 0xFF) << std::hex << o;
    EXPECT_EQ(image[0x339], 0x08);
    EXPECT_EQ(image[0x085], 0x0C);
    EXPECT_EQ(data.Volume().AlertToneVolume(), 5); // the object keeps its own value
}

TEST_F(RadioDataTest, LoadThenStoreKeepsEveryBitNoEditorTouches)
{
    Image image = Stored();
    // Bytes and bits that no editor changes, in several areas.
    const std::size_t carried[] = {0x130, 0x137, 0x210,          0x213,      0x21F, 0x078, 0x079, 0x07E, 0x082,
                                   0x1BA, 0x1BF, 0x267,          0x26F,      0x11A, 0x11D, 0x401, 0x48F, 0x340,
                                   0x3FF, 0x30F, 0x588 + 20 * 3, 0x580 + 19, 0x115, 0x116, 0x050};
    std::uint8_t value = 0x11;
    for (const std::size_t o : carried)
        image[o] = value++;
    data.LoadFromImage(image);
    EXPECT_TRUE(test::SameImage(Stored(), image));
}

// The channel window pins how channels come and go; here the ends of the table. (A missing personality
// found by the whole check is the session's save test.)
TEST_F(RadioDataTest, TheEndsOfTheChannelTable)
{
    EXPECT_FALSE(data.RemoveChannel(16));
    EXPECT_EQ(data.AddChannel(), nullptr);
    while (data.Channels().size() > 1)
        ASSERT_TRUE(data.RemoveChannel(0));
    EXPECT_FALSE(data.RemoveChannel(0)); // the last channel stays
    ASSERT_NE(data.AddChannel(), nullptr);
    // An added channel is the default channel of its place.
    EXPECT_EQ(data.Channels()[1]->Record(), CChannelData(1).Record());
}

TEST_F(RadioDataTest, ResettingChannelsKeepsPersonalitiesAndFollowsTheRange)
{
    data.Personalities().push_back(std::make_unique<CPersonalityData>());
    data.Channels().resize(3);
    data.Identity().freqRange = "136-174";
    data.ResetChannels();
    EXPECT_EQ((std::vector<std::size_t>{data.Channels().size(), data.Personalities().size(), data.ScanLists().size()}),
              (std::vector<std::size_t>{16, 2, 1}));
    EXPECT_EQ(data.TestFrequencies().PointTxText(0), "136.00000");
}

TEST(ChangeLog, LineFormats)
{
    const CByteChange change{0x1A5, 0x0F, 0x10};
    EXPECT_EQ(change.ListLine(), "$E.0x1A5:0F->10");
    EXPECT_EQ(change.BitText(), "$E.0x1A5:00001111\r\n->00010000");
    EXPECT_EQ(change.DecimalText(), "$E.0x1A5:15->16");
    const CByteChange low{0x005, 0xFF, 0x00};
    EXPECT_EQ(low.ListLine(), "$E.0x5:FF->00");
    EXPECT_EQ(low.DecimalText(), "$E.0x5:255->00");
    EXPECT_EQ(std::pair(low.Row(), low.Column()), std::pair(1, 6));
    EXPECT_EQ(RowHeader(127), "F:07F_");
    EXPECT_EQ(ColumnHeader(15), "_F");
}

TEST(ChangeLog, RefreshListsChangesSinceTheLastRefreshInOffsetOrder)
{
    Image image = test::FilledImage(0xFF);
    CChangeLog log(image);
    image[0x7FF] = 1;
    image[0x580] = 2;
    image[0x581] = 3;
    const auto first = log.Refresh(image);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].offset, 0x580);
    EXPECT_EQ(first[2].offset, 0x7FF);
    EXPECT_TRUE(log.Refresh(image).empty()); // nothing new
    log.Clear();
    EXPECT_TRUE(log.Changes().empty());
    image[0x580] = 9;
    const auto second = log.Refresh(image);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].oldValue, 2);
    EXPECT_EQ(log.Changes().size(), 1u);
}

TEST(InvalidLog, OneLinePerKeyAndModelHiddenControlsStayOut)
{
    test::CProgramDir program(false);
    test::WriteText(program.Path() / "QRV_E.lng",
                    "[Setting]\nLanguage=English\nLanguageList=English\n[QL210]\nS0003703=1\n");
    CSettings& settings = program.Reopen();
    settings.RememberModel({"QL210", "QL-210", "400-470", 0, ""});
    CInvalidLog log(&settings);
    int changes = 0;
    log.SetChangedCallback([&changes] { ++changes; });
    log.Add({CScanListData::kDesignatedControl, "Designated", "Scan 1", 100});
    log.Add({CScanListData::kDesignatedControl, "Designated again", "Scan 1", 100});
    log.Add({CChannelData::kPersonalityControl, "Personality", "Channel 1", 200}); // hidden by the model
    EXPECT_EQ(log.Count(), 1);
    EXPECT_EQ(log.Entries()[0].title, "Designated");
    log.Remove(999);
    log.Remove(100);
    EXPECT_EQ(log.Count(), 0);
    EXPECT_EQ(changes, 2);
}

// A history's steps as a script: R<n> resets to the state filled with n;
// +<n> records a change, =<n> a state that is no change; u<n> and r<n> undo
// and redo to n, u- and r- find nothing; c<n> or c- is the current state;
// U<n> and D<n> count the undo and redo steps. A state may carry a volume:
// 0v3 is the image of 0 with the alert tone volume 3.
struct CHistoryRow {
    const char* name;
    std::size_t depth;
    const char* script;
    friend void PrintTo(const CHistoryRow& row, std::ostream* out) { *out << row.name; }
};

class UndoHistoryTest : public ::testing::TestWithParam<CHistoryRow> {};

TEST_P(UndoHistoryTest, Script)
{
    CUndoHistory history(GetParam().depth);
    std::istringstream script(GetParam().script);
    for (std::string step; script >> step;) {
        SCOPED_TRACE(step);
        const char op = step[0];
        int fill = -1;
        int volume = 0;
        if (step[1] != '-')
            std::sscanf(step.c_str() + 1, "%dv%d", &fill, &volume);
        CCodeplugState state;
        state.image.fill(static_cast<std::uint8_t>(fill));
        state.alertToneVolume = static_cast<std::uint8_t>(volume);
        const auto filled = [fill](const CCodeplugState* s) { return s == nullptr ? fill == -1 : s->image[0] == fill; };
        if (op == 'R')
            history.Reset(state);
        else if (op == '+' || op == '=')
            EXPECT_EQ(history.Record(state), op == '+');
        else if (op == 'u')
            EXPECT_TRUE(filled(history.Undo()));
        else if (op == 'r')
            EXPECT_TRUE(filled(history.Redo()));
        else if (op == 'c')
            EXPECT_TRUE(filled(history.Current()));
        else
            EXPECT_EQ(op == 'U' ? history.UndoSteps() : history.RedoSteps(), static_cast<std::size_t>(fill));
        EXPECT_EQ(history.CanUndo(), history.UndoSteps() > 0);
        EXPECT_EQ(history.CanRedo(), history.RedoSteps() > 0);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Histories, UndoHistoryTest, ::testing::Values(
    CHistoryRow{"StepsBackAndForth", CUndoHistory::kDefaultDepth, "c- U0 R0 U0 D0 +1 +2 U2 u1 u0 u- c0 D2 r1 r2 r- c2"},
    // A memory-only difference is a step although the image is the same.
    CHistoryRow{"UnchangedStateIsNoStep", CUndoHistory::kDefaultDepth, "R0 =0 U0 +0v3 =0v3 U1"},
    // Coming back to the state already there is not a change; a change drops the redo branch.
    CHistoryRow{"ChangeAfterUndoDropsTheRedoBranch", CUndoHistory::kDefaultDepth, "R0 +1 +2 u1 u0 =0 D2 +7 D0 u0 r7"},
    CHistoryRow{"ResetForgetsEverything", CUndoHistory::kDefaultDepth, "R0 +1 +2 u1 R9 U0 D0 c9"},
    CHistoryRow{"FirstRecordWithoutResetStartsTheHistory", CUndoHistory::kDefaultDepth, "c- =4 U0 c4"},
    CHistoryRow{"DepthIsBounded", 3, "R0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +10 U3 u9 u8 u7 u- D3"}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

class CodeplugStateTest : public ::testing::Test, public test::CResetCodeplug {};

// What the image does not hold comes back, and references follow their
// records into the new objects.
TEST_F(CodeplugStateTest, RestoreBringsBackWhatTheImageDoesNotHold)
{
    auto& channels = data.Channels();
    data.Volume().SetAlertToneVolume(5);
    data.DTMFSystems().push_back(std::make_unique<CDTMFSystemData>());
    data.DTMFSystems().back()->SetValid(false);
    data.Personalities()[0]->SetRxSystemIndex(2);
    data.Personalities()[0]->SetTxSystemIndex(3);
    channels[4]->SetValid(false);
    data.ScanLists()[0]->SetMemberId(0, channels[6]->TreeId());
    data.ScanLists()[0]->SetPriorityId(channels[2]->TreeId());
    data.Emergency().SetRevertChannelId(channels[9]->TreeId());
    const CCodeplugState before = CaptureState(data);

    data.Clear();
    data.Reset();
    ASSERT_NE(CaptureState(data), before);
    RestoreState(data, before);

    ASSERT_EQ(data.DTMFSystems().size(), 2u);
    EXPECT_FALSE(data.DTMFSystems()[1]->IsValid());
    EXPECT_EQ(data.Personalities()[0]->RxSystemIndex(), 2u);
    EXPECT_EQ(data.Personalities()[0]->TxSystemIndex(), 3u);
    EXPECT_FALSE(channels[4]->IsValid());
    EXPECT_EQ(data.ScanLists()[0]->MemberId(0), channels[6]->TreeId());
    EXPECT_EQ(data.ScanLists()[0]->PriorityId(), channels[2]->TreeId());
    EXPECT_EQ(data.Emergency().RevertChannelId(), channels[9]->TreeId());
    EXPECT_EQ(channels[0]->PersonalityId(), data.Personalities()[0]->TreeId());
    EXPECT_EQ(CaptureState(data), before); // the image too
}

TEST_F(CodeplugStateTest, ReferenceToADeletedChannelIsStillReported)
{
    // The revert channel keeps its byte when its channel goes; a reload from
    // the image alone would quietly name the channel that moved up.
    data.Emergency().SetRevertChannelPosition(4);
    data.Emergency().SetRevertChannelId(data.Channels()[3]->TreeId());
    ASSERT_TRUE(data.RemoveChannel(3));
    ASSERT_TRUE(data.CheckAll());
    const int reported = data.InvalidLog().Count();
    const CCodeplugState deleted = CaptureState(data);

    data.Clear();
    data.Reset();
    ASSERT_FALSE(data.CheckAll());
    RestoreState(data, deleted);

    EXPECT_EQ(data.Channels().size(), 15u);
    EXPECT_EQ(data.InvalidLog().Count(), reported);
    EXPECT_EQ(CaptureState(data), deleted);
}

} // namespace
} // namespace qrv
