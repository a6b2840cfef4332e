// The DTMF system table and its edit record.
#include "records/dtmf_system_data.h"

#include "record_test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using test::Bytes;
using test::Slice;

// Exactly one record loads, whatever the image holds. Bits 6-7 of byte 6 hold
// (records stored + 3) mod 4, in the image only; the records stop before the
// scan list table.
TEST(DtmfTable, LoadsOneRecordAndStoresTheCountCode)
{
    const Image image = test::PatternImage(7, 3);
    CDTMFSystemArray systems(2);
    LoadDTMFTable(image, systems);
    ASSERT_EQ(systems.size(), 1u);
    EXPECT_EQ(Slice(systems[0]->Record()), Slice(image, 0x1B0, 16));
    // Records (false: null), bytes 0x1B6, 0x1C6 and 0x200 (the sixth record) stored.
    const std::pair<std::vector<bool>, Bytes> cases[] = {
        {{true}, {0x3E, 0xFF, 0xFF}},
        {{true, false, true}, {0x7E, 0x7E, 0xFF}},
        {std::vector<bool>(9, true), {0x7E, 0x7E, 0x12}},
    };
    for (const auto& [records, codes] : cases) {
        systems.clear();
        for (const bool record : records)
            systems.push_back(record ? std::make_unique<CDTMFSystemData>() : nullptr);
        Image stored = test::FilledImage(0xFF);
        StoreDTMFTable(stored, systems);
        EXPECT_EQ((Bytes{stored[0x1B6], stored[0x1C6], stored[0x200]}), codes) << records.size();
        EXPECT_EQ(Slice(stored, 0x210, 0x40), Bytes(0x40, 0xFF)) << records.size();
        EXPECT_EQ(systems[0]->Record()[6], 0xFE);
    }
}

// No window takes this record; its texts, and what an unusable text keeps.
TEST(DtmfEditRecord, FillAndTakeTheTexts)
{
    test::CTestTexts texts("S0205308=0.Off;1.BOT;2.EOT;3.Both\r\nS0205343=0:100:2500:1:0:1:0\r\n"
                           "S0205349=5.80;6.100\r\nS0205351=5.80;6.100\r\n");
    CDTMFSystemData data;
    CDTMFEditRecord edit;
    edit.Fill(data, texts.Settings());
    EXPECT_EQ((std::vector<std::string>{edit.primaryId, edit.pttIdType, edit.pretime, edit.digitDuration}),
              (std::vector<std::string>{"12345678", "BOT", "2500", "80"}));
    EXPECT_EQ((std::vector<bool>{edit.sideTone, edit.shortBeep, edit.transmitTone}),
              (std::vector<bool>{false, true, true}));
    edit.primaryId = "9#";
    edit.sideTone = true;
    edit.pretime = "300";
    EXPECT_TRUE(edit.Take(data, texts.Settings()));
    // An unusable ID keeps the stored one; a text outside its list stores no entry; the rest is taken.
    edit.primaryId = "12G4";
    edit.pttIdType = "Both";
    edit.digitIntervalDuration = "no such entry";
    EXPECT_FALSE(edit.Take(data, texts.Settings()));
    EXPECT_EQ(Slice(data.Record()), test::Padded({0x9F, 0x00, 0x00, 0x00, 0x02, 0x03, 0xFF, 0x03, 0x05, 0xFF}, 16));
}

} // namespace
} // namespace qrv
