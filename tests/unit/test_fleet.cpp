// The fleet log's rows and the checksum of the image written.
#include "fleet/fleet_record.h"
#include "fleet/radio_compare.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv {
namespace {

// Rows quote what needs quoting, give the address of a failure only, and
// the log gets its header once, however many runs append to it.
TEST(FleetRecord, TheLogAppendsRowsUnderOneHeader)
{
    const std::string check = "123456789";
    EXPECT_EQ(ImageChecksum(std::span(reinterpret_cast<const std::uint8_t*>(check.data()), check.size())), "CBF43926");
    CFleetRecord failed;
    failed.port = "/dev/ttyUSB0";
    failed.time = MakeLocalTime(2026, 12, 7, 0, 0, 0);
    failed.outcome = FleetOutcome::Failed;
    failed.address = 0x1F8;
    failed.reason = "Writing failed, \"really\"";
    CFleetRecord verified = failed;
    verified.outcome = FleetOutcome::Verified;
    EXPECT_EQ(FleetLogRow(failed),
              "2026-12-07 00:00:00,/dev/ttyUSB0,,,,,failed,0x1F8,\"Writing failed, \"\"really\"\"\",");
    EXPECT_EQ(FleetLogRow(verified).find(",0x1F8,"), std::string::npos);

    test::CTempDir dir;
    const std::vector<CFleetRecord> run{failed, verified};
    ASSERT_TRUE(AppendFleetLog(dir / "fleet.csv", run));
    ASSERT_TRUE(AppendFleetLog(dir / "fleet.csv", run));
    const std::string text = test::ReadText(dir / "fleet.csv");
    EXPECT_EQ(text.find(kFleetLogHeader, 1), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
    EXPECT_FALSE(AppendFleetLog(dir / "no" / "such" / "folder.csv", run));
}

// A radio against its file: the differences a write would make, by record
// and field where the records name the bytes, by address where none does.
TEST(RadioCompare, ListsWhatAWriteWouldChange)
{
    const struct {
        const char* name;
        std::vector<std::uint16_t> changed; // bytes of the file that differ from the radio
        std::uint8_t mask;
        bool factoryLevel;
        std::vector<std::string> lines;
    } cases[] = {
        // clang-format off
        {"equal", {}, 0x01, false, {}},
        {"channel field", {0x5AD}, 0x01, false, {"Channel 3, Rx frequency (0x5AC): 00 00 00 00 -> 00 01 00 00"}},
        {"personality field", {0x13A}, 0x01, false, {"Personality 2, Time-out timer (0x13A): 00 -> 01"}},
        {"a record's unnamed byte", {0x078}, 0x01, false, {"Keys, byte 0 (0x78): 00 -> 01"}},
        {"no record's byte", {0x6C5}, 0x01, false, {"$E.0x6C5:00->01"}},
        {"two bytes of one field", {0x5AC, 0x5AF}, 0x01, false,
         {"Channel 3, Rx frequency (0x5AC): 00 00 00 00 -> 01 00 00 01"}},
        {"the radio's tune switch", {0x128}, 0x08, false, {}},
        {"never written", {0x020, 0x400, 0x339}, 0x01, false, {}},
        {"tuning point, user level", {0x310}, 0x01, false, {}},
        {"tuning point, factory level", {0x310}, 0x01, true,
         {"Test point 1, Rx frequency (0x310): 00 00 00 00 -> 01 00 00 00"}},
        // clang-format on
    };
    const Image radio{};
    for (const auto& c : cases) {
        Image file = radio;
        for (const std::uint16_t address : c.changed)
            file[address] ^= c.mask;
        std::vector<std::string> lines;
        for (const CFieldDifference& difference : CompareWithRadio(radio, file, c.factoryLevel))
            lines.push_back(difference.Line());
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}

} // namespace
} // namespace qrv
