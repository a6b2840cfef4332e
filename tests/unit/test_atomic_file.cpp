// Saving on a real disk: the file a link names, the target's permissions and
// owner, refusals that touch nothing, planted names, a file-size limit and
// the leftovers of interrupted saves. Automatic backups: their names, what a
// backup file holds, the pruning by the date in the name; the fleet log's
// rows and the checksum of the image written, and a radio compared with its
// file.
#include "fleet/fleet_record.h"
#include "fleet/radio_compare.h"
#include "radio_data/backup_folder.h"
#include "radio_data/settings.h"
#include "record_test_support.h"
#include "util/atomic_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <sstream>

namespace qrv {
namespace {

namespace fs = std::filesystem;

const std::string kNew = "new content";
constexpr mode_t kUmask = 027;

std::string FileEntry(mode_t mode, const std::string& text, uid_t uid = ::geteuid(), gid_t gid = ::getegid())
{
    return "file " + std::to_string(mode & 07777) + " " + std::to_string(uid) + ":" + std::to_string(gid) + " " + text;
}

// Everything under dir as one comparable value: each name with its type,
// link target or permissions, owner and content. Links are never followed.
std::map<std::string, std::string> Snapshot(const fs::path& dir)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        struct stat st {};
        EXPECT_EQ(::lstat(entry.path().c_str(), &st), 0);
        std::string& value = entries[entry.path().lexically_relative(dir).string()];
        if (S_ISLNK(st.st_mode))
            value = "link " + fs::read_symlink(entry.path()).string();
        else if (S_ISREG(st.st_mode))
            value = FileEntry(st.st_mode, test::ReadText(entry.path()), st.st_uid, st.st_gid);
        else
            value = S_ISDIR(st.st_mode) ? "dir" : "other";
    }
    return entries;
}

// Makes entries under dir from "f NAME MODE" (a file holding "old"), "l NAME
// TARGET" (a link), "d NAME" (a folder), "p NAME" (a pipe) and "o NAME"
// (another user's, where the system allows), separated by ';'.
void Make(const fs::path& dir, const std::string& entries)
{
    std::istringstream in(entries);
    for (std::string entry; std::getline(in, entry, ';');) {
        std::istringstream words(entry);
        std::string kind, name, arg;
        words >> kind >> name >> arg;
        const fs::path path = dir / name;
        if (kind == "f") {
            test::WriteText(path, "old");
            ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(std::stoi(arg, nullptr, 8))), 0);
        } else if (kind == "l") {
            fs::create_symlink(arg, path);
        } else if (kind == "d") {
            fs::create_directory(path);
        } else if (kind == "p") {
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        } else if (kind == "o") {
            [[maybe_unused]] const int owned = ::chown(path.c_str(), 4321, 4321);
        }
    }
}

// Saves the files of a test under a known umask and puts the old one back.
class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override { m_umask = ::umask(kUmask); }
    void TearDown() override { ::umask(m_umask); }

    test::CTempDir m_dir;
    mode_t m_umask = 0;
};

struct CSaveCase {
    const char* what;
    std::string entries;
    const char* saveTo;
    SaveFailure failure;
    const char* realFile = ""; // the file that gets the content
    mode_t mode = 0;           // its permissions afterwards
    int ageSeconds = 0;        // every entry's age when not 0 (negative: changed after the save began)
    std::string removed = "";  // an entry the save removes
};

// Interrupted saves of a.dat leave regular files under its temporary names; the next save removes those and
// nothing else: not another file's leftover, names that break the pattern, newer files, links or folders.
const std::string kStale = ".a.dat.qrv-0123456789abcdef.tmp";
const std::string kNearMisses = "f a.dat 600; f victim.txt 600; f .b.dat.qrv-0123456789abcdef.tmp 600; "
                                "f .a.dat.qrv-0123456789ABCDEF.tmp 600; f .a.dat.qrv-0123456789abcdef.tmp~ 600; ";

TEST_F(AtomicFileTest, ASaveWritesTheRealFileOrSaysWhyAndTouchesNothing)
{
    using enum SaveFailure;
    // clang-format off
    const CSaveCase cases[] = {
        {"a new file gets the user's default", "", "new.dat", None, "new.dat", 0666 & ~kUmask},
        {"a private file stays private", "f p.dat 600", "p.dat", None, "p.dat", 0600},
        {"a shared file stays shared", "f s.dat 664", "s.dat", None, "s.dat", 0664},
        {"another user's file keeps its owner", "f o.dat 644; o o.dat", "o.dat", None, "o.dat", 0644},
        {"through a link", "f real.dat 600; l link.dat real.dat", "link.dat", None, "real.dat", 0600},
        {"through a chain of links into another folder",
         "d sub; f sub/real.dat 640; l sub/inner real.dat; l outer sub/inner", "outer", None, "sub/real.dat", 0640},
        {"a read-only file", "f ro.dat 444", "ro.dat", ReadOnly},
        {"a read-only file through a link", "f ro.dat 444; l link.dat ro.dat", "link.dat", ReadOnly},
        {"a folder", "d folder", "folder", NotAFile},
        {"a pipe", "p pipe", "pipe", NotAFile},
        {"a missing folder", "", "missing/x.dat", CannotCreate},
        {"a loop of links", "l a b; l b a", "a", CannotCreate},
        {"an interrupted save's file", kNearMisses + "f " + kStale + " 600", "a.dat", None, "a.dat", 0600, 3600,
         kStale},
        {"a temporary file newer than the save", kNearMisses + "f " + kStale + " 600", "a.dat", None, "a.dat", 0600,
         -3600},
        {"a link under the name", kNearMisses + "l " + kStale + " victim.txt", "a.dat", None, "a.dat", 0600, 3600},
        {"a folder under the name", kNearMisses + "d " + kStale, "a.dat", None, "a.dat", 0600, 3600},
    };
    // clang-format on
    for (const CSaveCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::CTempDir dir;
        Make(dir.Path(), c.entries);
        const timespec when{::time(nullptr) - c.ageSeconds, 0};
        const timespec times[2] = {when, when};
        for (const auto& file : fs::directory_iterator(dir.Path()))
            ASSERT_TRUE(c.ageSeconds == 0 ||
                        ::utimensat(AT_FDCWD, file.path().c_str(), times, AT_SYMLINK_NOFOLLOW) == 0);
        auto expected = Snapshot(dir.Path());
        struct stat before {};
        before.st_uid = ::geteuid();
        before.st_gid = ::getegid();
        ::stat((dir / c.realFile).c_str(), &before);

        const CSaveResult result = WriteFileAtomically(dir / c.saveTo, kNew);
        EXPECT_EQ(result.failure, c.failure) << result.systemText;
        EXPECT_EQ(result.systemText.empty(), c.failure != CannotCreate) << result.systemText;
        if (c.failure == None)
            expected[c.realFile] = FileEntry(c.mode, kNew, before.st_uid, before.st_gid);
        expected.erase(c.removed);
        EXPECT_EQ(Snapshot(dir.Path()), expected); // the links stay, no temporary file is left
    }
}

// Names already taken when the save wants them, by a file of the user's and
// by a link to another of the user's files: the save never opens either and
// takes a free name.
TEST_F(AtomicFileTest, TakenTemporaryNamesAreNeverOpened)
{
    Make(m_dir.Path(), "f a.dat 600; f victim.txt 600; f a.dat.tmp1 600; l a.dat.tmp2 victim.txt");
    auto expected = Snapshot(m_dir.Path());
    int calls = 0;
    const auto names = [&calls](const std::string& target) { return target + ".tmp" + std::to_string(++calls); };
    const CSaveResult result = WriteFileAtomically(
        m_dir / "a.dat", std::span(reinterpret_cast<const std::uint8_t*>(kNew.data()), kNew.size()), names);
    ASSERT_TRUE(result.Ok()) << result.systemText;
    EXPECT_EQ(calls, 3);
    expected["a.dat"] = FileEntry(0600, kNew);
    EXPECT_EQ(Snapshot(m_dir.Path()), expected);
}

// Past the process's file-size limit the save fails with its reason; the
// program lives on and the old file stays.
TEST_F(AtomicFileTest, AFileSizeLimitFailsTheSaveInsteadOfEndingTheProgram)
{
    Make(m_dir.Path(), "f big.dat 600");
    const auto before = Snapshot(m_dir.Path());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr rlim_t kLimit = 1024;
        const rlimit limit{kLimit, kLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(100);
        ::_exit(static_cast<int>(WriteFileAtomically(m_dir / "big.dat", std::string(4 * kLimit, 'x')).failure));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(SaveFailure::TooLarge));
    EXPECT_EQ(Snapshot(m_dir.Path()), before);
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
    const Image image = test::PatternImage(5, 0);
    const DataFileHeader saved = FillHeader({"QL210", "QL-210", "400-470", 0, CSettings::kProgramVersion}, 0x01);
    const std::tm when = MakeLocalTime(2026, 12, 6, 9, 30, 12);
    std::string error;
    const auto first = folder.Save(saved, image, BackupDirection::Read, when, error);
    const auto second = folder.Save(saved, image, BackupDirection::Read, when, error);
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
    EXPECT_FALSE(
        CBackupFolder(dir.Path() / "file" / "backups").Save(saved, image, BackupDirection::Write, when, error));
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
    // What, the file's bytes that differ from the radio and by which bits, whether at the factory level, the lines.
    const std::tuple<const char*, std::vector<std::uint16_t>, std::uint8_t, bool, std::vector<std::string>> cases[] = {
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
    for (const auto& [name, changed, mask, factoryLevel, expected] : cases) {
        Image file = radio;
        for (const std::uint16_t address : changed)
            file[address] ^= mask;
        std::vector<std::string> lines;
        for (const CFieldDifference& difference : CompareWithRadio(radio, file, factoryLevel))
            lines.push_back(difference.Line());
        EXPECT_EQ(lines, expected) << name;
    }
}

} // namespace
} // namespace qrv
