// Automatic backups: their names, what a backup file holds, the pruning by
// the date in the name; the fleet log's rows and the checksum of the image
// written, and a radio compared with its file.
#include "fleet/fleet_record.h"
#include "fleet/radio_compare.h"
#include "radio_data/backup_folder.h"
#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

DataFileHeader HeaderOf(const std::string& modelName)
{
    return FillHeader({"QL210", modelName, "400-470", 0, CSettings::kProgramVersion}, 0x01);
}

TEST(BackupFolder, NamesCarryDateTimeModelAndDirection)
{
    using enum BackupDirection;
    const std::tuple<std::tm, const char*, BackupDirection, int, const char*> rows[] = {
        {MakeLocalTime(2026, 12, 6, 9, 30, 12), "QL-210", Read, 1, "2026-12-06_093012_QL-210_read.dat"},
        {MakeLocalTime(2026, 1, 2, 23, 5, 9), "QL-210", Write, 3, "2026-01-02_230509_QL-210_write_3.dat"},
        {MakeLocalTime(2026, 1, 2, 0, 0, 0), "QL 210/X", Read, 1, "2026-01-02_000000_QL_210_X_read.dat"},
        {MakeLocalTime(2026, 1, 2, 0, 0, 0), "", Read, 1, "2026-01-02_000000_radio_read.dat"},
    };
    for (const auto& [time, model, direction, sequence, expected] : rows) {
        const std::string name = CBackupFolder::FileName(time, model, direction, sequence);
        EXPECT_EQ(name, expected);
        const auto back = CBackupFolder::TimeOf(name);
        ASSERT_TRUE(back.has_value()) << name;
        std::tm parsed = *back;
        std::tm made = time;
        EXPECT_EQ(std::mktime(&parsed), std::mktime(&made)) << name;
    }
    for (const char* name : {"notes.txt", "2026-12-06_093012_QL-210.dat", "2026-13-06_093012_QL-210_read.dat",
                             "2026-12-06_093012_QL-210_read.txt", "2026-1x-06_093012_QL-210_read.dat"})
        EXPECT_FALSE(CBackupFolder::TimeOf(name).has_value()) << name;
}

TEST(BackupFolder, SavesDataFilesThatStayUniqueWithinOneSecond)
{
    test::CTempDir dir;
    const CBackupFolder folder(dir.Path() / "deep" / "backups"); // made when missing
    Image image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 5);
    const std::tm when = MakeLocalTime(2026, 12, 6, 9, 30, 12);
    std::string error;
    const auto first = folder.Save(HeaderOf("QL-210"), image, BackupDirection::Read, when, error);
    const auto second = folder.Save(HeaderOf("QL-210"), image, BackupDirection::Read, when, error);
    ASSERT_TRUE(first && second) << error;
    EXPECT_EQ(first->filename(), "2026-12-06_093012_QL-210_read.dat");
    EXPECT_EQ(second->filename(), "2026-12-06_093012_QL-210_read_2.dat");
    Image read{};
    ASSERT_TRUE(ReadBlocks(*second, nullptr, read));
    EXPECT_EQ(read, image);
    DataFileHeader header;
    ASSERT_TRUE(ReadHeader(*first, header));
    EXPECT_EQ(header.RangeFlags(), 0x01);
    test::WriteText(dir.Path() / "file", "x"); // a folder that cannot be made is reported
    error.clear();
    EXPECT_FALSE(CBackupFolder(dir.Path() / "file" / "backups")
                     .Save(HeaderOf("QL-210"), image, BackupDirection::Write, when, error));
    EXPECT_FALSE(error.empty());
}

TEST(BackupFolder, PruneRemovesOnlyOldBackups)
{
    test::CTempDir dir;
    const CBackupFolder folder(dir.Path());
    std::tm nowTm = MakeLocalTime(2026, 6, 30, 12, 0, 0);
    const std::time_t now = std::mktime(&nowTm);
    const auto daysAgo = [&](int days) {
        std::tm t = MakeLocalTime(2026, 6, 30 - days, 12, 0, 0);
        std::mktime(&t); // normalises the day
        return t;
    };
    const std::string old = CBackupFolder::FileName(daysAgo(61), "QL-210", BackupDirection::Read);
    const std::string recent = CBackupFolder::FileName(daysAgo(59), "QL-210", BackupDirection::Write);
    for (const std::string& name : {old, recent, std::string("notes.txt"), std::string("2001-01-01_000000.dat")})
        test::WriteText(dir.Path() / name, "x");

    EXPECT_EQ(folder.Prune(0, now), 0); // 0 keeps everything
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / old));
    EXPECT_EQ(folder.Prune(60, now), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / old));
    for (const std::string& name : {recent, std::string("notes.txt"), std::string("2001-01-01_000000.dat")})
        EXPECT_TRUE(std::filesystem::exists(dir.Path() / name)) << name;
    EXPECT_EQ(folder.Prune(30, now), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / recent));
    EXPECT_EQ(CBackupFolder(dir.Path() / "missing").Prune(60, now), 0);
}

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
