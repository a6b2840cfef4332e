// The fleet log's rows and the checksum of the image written.
#include "fleet/fleet_record.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv {
namespace {

TEST(FleetRecord, ChecksumIsTheZipCrc)
{
    const std::string check = "123456789";
    EXPECT_EQ(ImageChecksum(std::span(reinterpret_cast<const std::uint8_t*>(check.data()), check.size())), "CBF43926");
}

// Rows quote what needs quoting, give the address of a failure only, and
// the log gets its header once, however many runs append to it.
TEST(FleetRecord, TheLogAppendsRowsUnderOneHeader)
{
    CFleetRecord failed;
    failed.port = "/dev/ttyUSB0";
    failed.time.tm_year = 126;
    failed.time.tm_mon = 11;
    failed.time.tm_mday = 7;
    failed.outcome = FleetOutcome::Failed;
    failed.address = 0x1F8;
    failed.reason = "Writing failed, \"really\"";
    CFleetRecord verified = failed;
    verified.outcome = FleetOutcome::Verified;
    verified.serialNumber = "SN-1";
    EXPECT_EQ(FleetLogRow(failed),
              "2026-12-07 00:00:00,/dev/ttyUSB0,,,,,failed,0x1F8,\"Writing failed, \"\"really\"\"\",");
    EXPECT_EQ(FleetLogRow(verified).find(",0x1F8,"), std::string::npos);

    test::CTempDir dir;
    const auto log = dir.Path() / "fleet.csv";
    const std::vector<CFleetRecord> run{failed, verified};
    ASSERT_TRUE(AppendFleetLog(log, run));
    ASSERT_TRUE(AppendFleetLog(log, run));
    const std::string text = test::ReadText(log);
    EXPECT_EQ(text.find(kFleetLogHeader), 0u);
    EXPECT_EQ(text.find(kFleetLogHeader, 1), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
    EXPECT_FALSE(AppendFleetLog(dir.Path() / "no" / "such" / "folder.csv", run));
}

} // namespace
} // namespace qrv
