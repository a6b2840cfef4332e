#include "radio_data/undo_history.h"

#include "radio_data/codeplug_state.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace qrv {
namespace {

CCodeplugState State(std::uint8_t fill)
{
    CCodeplugState state;
    state.image.fill(fill);
    return state;
}

std::optional<std::uint8_t> Fill(const CCodeplugState* state)
{
    if (state == nullptr)
        return std::nullopt;
    return state->image[0];
}

TEST(UndoHistoryTest, StepsBackAndForth)
{
    CUndoHistory history;
    EXPECT_EQ(history.Current(), nullptr);
    EXPECT_FALSE(history.CanUndo());
    history.Reset(State(0));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.Record(State(1)));
    EXPECT_TRUE(history.Record(State(2)));
    EXPECT_EQ(history.UndoSteps(), 2u);

    EXPECT_EQ(Fill(history.Undo()), 1);
    EXPECT_EQ(Fill(history.Undo()), 0);
    EXPECT_EQ(history.Undo(), nullptr);
    EXPECT_EQ(Fill(history.Current()), 0);
    EXPECT_EQ(history.RedoSteps(), 2u);
    EXPECT_EQ(Fill(history.Redo()), 1);
    EXPECT_EQ(Fill(history.Redo()), 2);
    EXPECT_EQ(history.Redo(), nullptr);
    EXPECT_EQ(Fill(history.Current()), 2);
}

TEST(UndoHistoryTest, UnchangedStateIsNoStep)
{
    CUndoHistory history;
    history.Reset(State(0));
    EXPECT_FALSE(history.Record(State(0)));
    EXPECT_FALSE(history.CanUndo());

    // A memory-only difference is a step although the image is the same.
    CCodeplugState volume = State(0);
    volume.alertToneVolume = 3;
    EXPECT_TRUE(history.Record(volume));
    EXPECT_FALSE(history.Record(volume));
    EXPECT_EQ(history.UndoSteps(), 1u);
}

TEST(UndoHistoryTest, ChangeAfterUndoDropsTheRedoBranch)
{
    CUndoHistory history;
    history.Reset(State(0));
    history.Record(State(1));
    history.Record(State(2));
    history.Undo();
    history.Undo();
    // Coming back to the state already there is not a change.
    EXPECT_FALSE(history.Record(State(0)));
    EXPECT_TRUE(history.CanRedo());
    EXPECT_TRUE(history.Record(State(7)));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(Fill(history.Undo()), 0);
    EXPECT_EQ(Fill(history.Redo()), 7);
}

TEST(UndoHistoryTest, ResetForgetsEverything)
{
    CUndoHistory history;
    history.Reset(State(0));
    history.Record(State(1));
    history.Record(State(2));
    history.Undo();
    history.Reset(State(9));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(Fill(history.Current()), 9);
}

TEST(UndoHistoryTest, FirstRecordWithoutResetStartsTheHistory)
{
    CUndoHistory history;
    EXPECT_FALSE(history.Record(State(4)));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(Fill(history.Current()), 4);
}

TEST(UndoHistoryTest, DepthIsBounded)
{
    CUndoHistory history(3);
    history.Reset(State(0));
    for (std::uint8_t i = 1; i <= 10; ++i)
        history.Record(State(i));
    EXPECT_EQ(history.UndoSteps(), 3u);
    EXPECT_EQ(Fill(history.Undo()), 9);
    EXPECT_EQ(Fill(history.Undo()), 8);
    EXPECT_EQ(Fill(history.Undo()), 7);
    EXPECT_EQ(history.Undo(), nullptr);
    EXPECT_EQ(history.RedoSteps(), 3u);
    EXPECT_EQ(CUndoHistory().UndoSteps(), 0u);
}

class CodeplugStateTest : public ::testing::Test {
protected:
    CodeplugStateTest() : m_data(m_program.Settings())
    {
        m_data.Clear();
        m_data.Reset();
    }

    Image Stored()
    {
        Image image{};
        m_data.StoreToImage(image);
        return image;
    }

    test::CProgramDir m_program;
    CRadioData m_data;
};

TEST_F(CodeplugStateTest, RestoreBringsBackWhatTheImageDoesNotHold)
{
    m_data.Volume().SetAlertToneVolume(5);
    m_data.DTMFSystems().push_back(std::make_unique<CDTMFSystemData>());
    m_data.DTMFSystems().back()->SetValid(false);
    m_data.Personalities()[0]->SetRxSystemIndex(2);
    m_data.Personalities()[0]->SetTxSystemIndex(3);
    m_data.Channels()[4]->SetValid(false);
    const CCodeplugState before = CaptureState(m_data);
    const Image image = Stored();

    m_data.Clear();
    m_data.Reset();
    ASSERT_NE(CaptureState(m_data), before);
    RestoreState(m_data, before);

    EXPECT_EQ(Stored(), image);
    EXPECT_EQ(m_data.Volume().AlertToneVolume(), 5);
    ASSERT_EQ(m_data.DTMFSystems().size(), 2u);
    EXPECT_FALSE(m_data.DTMFSystems()[1]->IsValid());
    EXPECT_EQ(m_data.Personalities()[0]->RxSystemIndex(), 2u);
    EXPECT_EQ(m_data.Personalities()[0]->TxSystemIndex(), 3u);
    EXPECT_FALSE(m_data.Channels()[4]->IsValid());
    EXPECT_TRUE(m_data.Channels()[5]->IsValid());
    EXPECT_EQ(CaptureState(m_data), before);
}

TEST_F(CodeplugStateTest, ReferencesFollowTheirRecords)
{
    auto& channels = m_data.Channels();
    auto& scan = *m_data.ScanLists()[0];
    scan.SetMemberId(0, channels[6]->TreeId());
    scan.SetPriorityId(channels[2]->TreeId());
    m_data.Emergency().SetRevertChannelId(channels[9]->TreeId());
    const CCodeplugState before = CaptureState(m_data);

    m_data.Clear();
    m_data.Reset();
    RestoreState(m_data, before);

    // New objects, the same records referred to.
    EXPECT_EQ(m_data.ScanLists()[0]->MemberId(0), channels[6]->TreeId());
    EXPECT_EQ(m_data.ScanLists()[0]->PriorityId(), channels[2]->TreeId());
    EXPECT_EQ(m_data.Emergency().RevertChannelId(), channels[9]->TreeId());
    EXPECT_EQ(channels[0]->PersonalityId(), m_data.Personalities()[0]->TreeId());
    EXPECT_EQ(CaptureState(m_data), before);
}

TEST_F(CodeplugStateTest, ReferenceToADeletedChannelIsStillReported)
{
    // The revert channel keeps its byte when its channel goes; a reload from
    // the image alone would quietly name the channel that moved up.
    m_data.Emergency().SetRevertChannelPosition(4);
    m_data.Emergency().SetRevertChannelId(m_data.Channels()[3]->TreeId());
    ASSERT_TRUE(m_data.RemoveChannel(3));
    ASSERT_TRUE(m_data.CheckAll());
    const int reported = m_data.InvalidLog().Count();
    const CCodeplugState deleted = CaptureState(m_data);

    m_data.Clear();
    m_data.Reset();
    ASSERT_FALSE(m_data.CheckAll());
    RestoreState(m_data, deleted);

    EXPECT_EQ(m_data.Channels().size(), 15u);
    EXPECT_EQ(m_data.InvalidLog().Count(), reported);
    EXPECT_EQ(CaptureState(m_data), deleted);
}

TEST_F(CodeplugStateTest, UntouchedCodeplugCapturesEqualStates)
{
    EXPECT_EQ(CaptureState(m_data), CaptureState(m_data));
    const CCodeplugState state = CaptureState(m_data);
    RestoreState(m_data, state);
    EXPECT_EQ(CaptureState(m_data), state);
}

} // namespace
} // namespace qrv
