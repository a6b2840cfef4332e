// Reading a file the user named: each reason it cannot be read is told apart.
#include "test_support.h"
#include "util/file_read.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qrv {
namespace {

TEST(ReadFileBytes, TellsEveryReasonApart)
{
    test::CTempDir dir;
    test::WriteText(dir / "file.dat", "12345");
    std::filesystem::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir / "file.dat", dir / "link");
    struct Case {
        const char* name;
        std::uintmax_t limit;
        EReadFailure failure;
    };
    const Case cases[] = {
        {"file.dat", 5, EReadFailure::None},       {"link", 5, EReadFailure::None},
        {"missing", 5, EReadFailure::Missing},     {"folder", 5, EReadFailure::Directory},
        {"pipe", 5, EReadFailure::NotRegularFile}, // never opened: that would block
        {"file.dat", 4, EReadFailure::TooLarge},
    };
    for (const Case& c : cases) {
        const CFileBytes read = ReadFileBytes(dir / c.name, c.limit);
        EXPECT_EQ(read.failure, c.failure) << c.name;
        EXPECT_EQ(read.bytes.size(), c.failure == EReadFailure::None ? 5u : 0u) << c.name;
    }
}

} // namespace
} // namespace qrv
