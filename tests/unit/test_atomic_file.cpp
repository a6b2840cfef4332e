// Saving on a real disk: the file a link names, the target's permissions and
// owner, refusals that touch nothing, planted names, a file-size limit and
// the leftovers of interrupted saves.
#include "test_support.h"
#include "util/atomic_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <map>

namespace qrv {
namespace {

namespace fs = std::filesystem;

const std::string kNew = "new content";

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

void MakeFile(const fs::path& path, const std::string& text, mode_t mode)
{
    test::WriteText(path, text);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

// Saves the files of a test under a known umask and puts the old one back.
class AtomicFileTest : public ::testing::Test {
protected:
    static constexpr mode_t kUmask = 027;
    void SetUp() override { m_umask = ::umask(kUmask); }
    void TearDown() override { ::umask(m_umask); }

    fs::path Path(const std::string& name) const { return m_dir / name; }

    test::CTempDir m_dir;
    mode_t m_umask = 0;
};

struct CReplaceCase {
    const char* what;
    std::function<void(const fs::path& dir)> setup;
    const char* saveTo;
    const char* realFile; // the file that gets the content
    mode_t mode;          // its permissions afterwards
};

TEST_F(AtomicFileTest, ASaveWritesTheRealFileWithItsPermissionsAndOwner)
{
    const CReplaceCase cases[] = {
        {"a new file gets the user's default", [](const fs::path&) {}, "new.dat", "new.dat", 0666 & ~kUmask},
        {"a private file stays private", [](const fs::path& d) { MakeFile(d / "p.dat", "old", 0600); }, "p.dat",
         "p.dat", 0600},
        {"a shared file stays shared", [](const fs::path& d) { MakeFile(d / "s.dat", "old", 0664); }, "s.dat", "s.dat",
         0664},
        {"another user's file keeps its owner where the system allows",
         [](const fs::path& d) {
             MakeFile(d / "o.dat", "old", 0644);
             [[maybe_unused]] const int owned = ::chown((d / "o.dat").c_str(), 4321, 4321);
         },
         "o.dat", "o.dat", 0644},
        {"through a link",
         [](const fs::path& d) {
             MakeFile(d / "real.dat", "old", 0600);
             fs::create_symlink("real.dat", d / "link.dat");
         },
         "link.dat", "real.dat", 0600},
        {"through a chain of links into another folder",
         [](const fs::path& d) {
             fs::create_directory(d / "sub");
             MakeFile(d / "sub" / "real.dat", "old", 0640);
             fs::create_symlink("real.dat", d / "sub" / "inner");
             fs::create_symlink("sub/inner", d / "outer");
         },
         "outer", "sub/real.dat", 0640},
    };
    for (const CReplaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::CTempDir dir;
        c.setup(dir.Path());
        auto expected = Snapshot(dir.Path());
        struct stat before {};
        before.st_uid = ::geteuid();
        before.st_gid = ::getegid();
        ::stat((dir / c.realFile).c_str(), &before);

        const CSaveResult result = WriteFileAtomically(dir / c.saveTo, kNew);
        ASSERT_TRUE(result.Ok()) << result.systemText;

        struct stat after {};
        ASSERT_EQ(::stat((dir / c.realFile).c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, c.mode);
        expected[c.realFile] = FileEntry(c.mode, kNew, before.st_uid, before.st_gid);
        EXPECT_EQ(Snapshot(dir.Path()), expected); // the links stay, no temporary file is left
    }
}

struct CRefusalCase {
    const char* what;
    std::function<void(const fs::path& dir)> setup;
    const char* saveTo;
    SaveFailure failure;
};

TEST_F(AtomicFileTest, ARefusedSaveSaysWhyAndTouchesNothing)
{
    const auto readOnly = [](const fs::path& d) { MakeFile(d / "ro.dat", "old", 0444); };
    const CRefusalCase cases[] = {
        {"a read-only file", readOnly, "ro.dat", SaveFailure::ReadOnly},
        {"a read-only file through a link",
         [&](const fs::path& d) {
             readOnly(d);
             fs::create_symlink("ro.dat", d / "link.dat");
         },
         "link.dat", SaveFailure::ReadOnly},
        {"a folder", [](const fs::path& d) { fs::create_directory(d / "folder"); }, "folder", SaveFailure::NotAFile},
        {"a pipe", [](const fs::path& d) { ASSERT_EQ(::mkfifo((d / "pipe").c_str(), 0600), 0); }, "pipe",
         SaveFailure::NotAFile},
        {"a missing folder", [](const fs::path&) {}, "missing/x.dat", SaveFailure::CannotCreate},
        {"a loop of links",
         [](const fs::path& d) {
             fs::create_symlink("b", d / "a");
             fs::create_symlink("a", d / "b");
         },
         "a", SaveFailure::CannotCreate},
    };
    for (const CRefusalCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::CTempDir dir;
        c.setup(dir.Path());
        const auto before = Snapshot(dir.Path());
        const CSaveResult result = WriteFileAtomically(dir / c.saveTo, kNew);
        EXPECT_EQ(result.failure, c.failure);
        EXPECT_EQ(result.systemText.empty(), c.failure != SaveFailure::CannotCreate) << result.systemText;
        EXPECT_EQ(Snapshot(dir.Path()), before);
    }
}

// Names already taken when the save wants them, by a file of the user's and
// by a link to another of the user's files: the save never opens either and
// takes a free name.
TEST_F(AtomicFileTest, TakenTemporaryNamesAreNeverOpened)
{
    MakeFile(Path("a.dat"), "old", 0600);
    MakeFile(Path("victim.txt"), "victim", 0600);
    MakeFile(Path("a.dat.tmp1"), "planted", 0600);
    fs::create_symlink("victim.txt", Path("a.dat.tmp2"));
    auto expected = Snapshot(m_dir.Path());
    int calls = 0;
    const auto names = [&calls](const std::string& target) { return target + ".tmp" + std::to_string(++calls); };

    const std::string text = kNew;
    const CSaveResult result = WriteFileAtomically(
        Path("a.dat"), std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), names);
    ASSERT_TRUE(result.Ok()) << result.systemText;
    EXPECT_EQ(calls, 3);
    expected["a.dat"] = FileEntry(0600, kNew);
    EXPECT_EQ(Snapshot(m_dir.Path()), expected);
}

// Past the process's file-size limit the save fails with its reason; the
// program lives on and the old file stays.
TEST_F(AtomicFileTest, AFileSizeLimitFailsTheSaveInsteadOfEndingTheProgram)
{
    MakeFile(Path("big.dat"), "old", 0600);
    const auto before = Snapshot(m_dir.Path());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr rlim_t kLimit = 1024;
        const rlimit limit{kLimit, kLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(100);
        const CSaveResult result = WriteFileAtomically(Path("big.dat"), std::string(4 * kLimit, 'x'));
        ::_exit(static_cast<int>(result.failure));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(SaveFailure::TooLarge));
    EXPECT_EQ(Snapshot(m_dir.Path()), before);
}

struct CLeftoverCase {
    const char* what;
    std::function<void(const fs::path& path)> make;
    int ageSeconds; // negative: changed after the save began
    bool removed;
};

// Interrupted saves of a.dat left regular files under its temporary names;
// the next save removes those and nothing else.
TEST_F(AtomicFileTest, TheNextSaveRemovesWhatInterruptedSavesLeft)
{
    const auto file = [](const fs::path& p) { test::WriteText(p, "partial"); };
    const std::string stale = ".a.dat.qrv-0123456789abcdef.tmp";
    const CLeftoverCase cases[] = {
        {"an interrupted save's file", file, 3600, true},
        {"a temporary file newer than the save", file, -3600, false},
        {"a link under the name", [](const fs::path& p) { fs::create_symlink("victim.txt", p); }, 3600, false},
        {"a folder under the name", [](const fs::path& p) { fs::create_directory(p); }, 3600, false},
    };
    for (const CLeftoverCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::CTempDir dir;
        MakeFile(dir / "a.dat", "old", 0600);
        MakeFile(dir / "victim.txt", "victim", 0600);
        // Near misses: another file's leftover, a name that breaks the pattern.
        test::WriteText(dir / ".b.dat.qrv-0123456789abcdef.tmp", "other");
        test::WriteText(dir / ".a.dat.qrv-0123456789ABCDEF.tmp", "other");
        test::WriteText(dir / ".a.dat.qrv-0123456789abcdef.tmp~", "other");
        c.make(dir / stale);
        const timespec when{::time(nullptr) - c.ageSeconds, 0};
        const timespec times[2] = {when, when};
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            ASSERT_EQ(::utimensat(AT_FDCWD, entry.path().c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
        auto expected = Snapshot(dir.Path());

        ASSERT_TRUE(WriteFileAtomically(dir / "a.dat", kNew).Ok());
        expected["a.dat"] = FileEntry(0600, kNew);
        if (c.removed)
            expected.erase(stale);
        EXPECT_EQ(Snapshot(dir.Path()), expected);
    }
}

} // namespace
} // namespace qrv
