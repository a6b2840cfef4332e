// The personality table and its timer rules.
#include "records/personality_data.h"

#include "record_test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(PersonalityRecord, TimerRulesAndPreAlertChoices)
{
    // Tx Admit, time-out, the size of the full pre-alert list, and what the rules give.
    const std::tuple<std::uint8_t, std::uint8_t, std::size_t, bool, bool, std::size_t> cases[] = {
        {0x01, 0x00, 11, true, false, 1},   // timer off: the first entry only
        {0x01, 0x00, 0, true, false, 0},    // no list at all
        {0x01, 0x03, 11, true, true, 3},    // the first T entries
        {0x02, 0x0F, 11, true, true, 11},   // fewer when the list is shorter
        {0x00, 0x3C, 11, false, true, 11},  // admission 0 leaves the list alone
        {0xFF, 0xFF, 300, true, true, 255}, // a blank record
    };
    for (const auto& [admit, timeOut, fullList, admitted, timerOn, choices] : cases) {
        CPersonalityData p;
        p.SetTxAdmit(admit);
        p.SetTimeOut(timeOut);
        EXPECT_EQ(std::tuple(p.TimersAdmitted(), p.TimeOutOn(), p.PreAlertChoices(fullList)),
                  std::tuple(admitted, timerOn, choices))
            << int(admit) << " " << int(timeOut) << " " << fullList;
    }
}

// Records load from 0x130 while byte 1 is not 0xFF, sixteen at most and never
// past 0x1B0 (a blank first record still loads), and store back bit for bit.
TEST(PersonalityTable, LoadCountsAndRoundTrip)
{
    for (const std::size_t count : {1, 3, 15, 16}) {
        for (const std::uint8_t beyond : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
            SCOPED_TRACE(testing::Message() << count << " " << int(beyond));
            Image image = test::PatternImage(37, 11);
            for (std::size_t r = 0; r < 16; ++r)
                image[0x130 + 8 * r + 1] = r < count ? 0x7E : 0xFF;
            std::fill(image.begin() + 0x1B0, image.end(), beyond);
            std::vector<std::unique_ptr<CPersonalityData>> personalities;
            LoadPersonalityTable(image, personalities);
            ASSERT_EQ(personalities.size(), count);
            EXPECT_TRUE(test::StoresBack(StorePersonalityTable, personalities, image, 0x130, 8));
        }
    }
    Image blank = test::FilledImage(0xFF);
    std::vector<std::unique_ptr<CPersonalityData>> personalities;
    LoadPersonalityTable(blank, personalities);
    ASSERT_EQ(personalities.size(), 1u);
    for (int i = 0; i < 16; ++i) // seventeen: the last is not stored
        personalities.push_back(std::make_unique<CPersonalityData>());
    std::uint16_t tableStart = 0;
    StorePersonalityTable(blank, personalities, tableStart);
    EXPECT_EQ(test::Slice(blank, 0x130, 8), test::Bytes(8, 0xFF));
    EXPECT_EQ(test::Slice(blank, 0x1A8, 8), test::Slice(CPersonalityData::kDefaultRecord));
    EXPECT_EQ(blank[0x1B0], 0xFF);
}

} // namespace
} // namespace qrv
