// The change log's lines and refresh, and the invalid log's one line per key.
#include "radio_data/change_log.h"
#include "radio_data/invalid_log.h"
#include "radio_data/settings.h"
#include "records/channel_data.h"
#include "records/scan_list_data.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

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
    Image image{};
    image.fill(0xFF);
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

} // namespace
} // namespace qrv
