#include "radio_data/data_file.h"

#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#if !defined(_WIN32)
#include <sys/resource.h>
#endif

namespace qrv {
namespace {

using test::ReadBytes;

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (std::size_t i = 0; i < m_image.size(); ++i)
            m_image[i] = static_cast<std::uint8_t>(i * 7);
    }

    bool Write(const std::filesystem::path& path, const std::string& comment)
    {
        CDataFile file;
        return file.SetHeader(FillHeader(m_identity, 0x81)) && file.WriteFile(path, {}, m_image, comment);
    }

    test::CTempDir m_dir;
    CDocumentIdentity m_identity{"QL210", "QL-210", "400-470", 3, "1.01.05.001-long-version-text"};
    Image m_image{};
};

TEST_F(DataFileTest, LayoutOfAWrittenFile)
{
    const auto path = m_dir / "a.dat";
    ASSERT_TRUE(Write(path, ""));
    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 2191u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "QRV");
    const std::vector<std::uint8_t> head(bytes.begin() + 3, bytes.begin() + 3 + 16);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0x58, 0x48, 0x10, 0x10, 116, 0, 0, 0, 0, 0, 0, 0, 'Q', 'L', '2', '1'}));
    EXPECT_EQ(bytes[3 + 44], 400 & 0xFF);
    EXPECT_EQ(bytes[3 + 45], 400 >> 8);
    EXPECT_EQ(bytes[3 + 46], 470 & 0xFF);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[3 + 52])), "1.01.05.001-lon"); // cut to 15
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[3 + 68])), "1.01.05.001");
    EXPECT_EQ(bytes[3 + 84], 0x81);
    EXPECT_EQ(bytes[3 + 85], 3);
    const std::vector<std::uint8_t> sections(bytes.begin() + 119, bytes.begin() + 143);
    EXPECT_EQ(sections,
              (std::vector<std::uint8_t>{0x58, 0x4D, 0x10, 0x10, 0,    0,    0,    0,    0x58, 0x46, 0x10, 0x10,
                                         0,    0,    0,    0,    0x58, 0x45, 0x10, 0x10, 0x00, 0x08, 0,    0}));
    EXPECT_TRUE(std::equal(m_image.begin(), m_image.end(), bytes.begin() + 143));

    DataFileHeader header;
    ASSERT_TRUE(ReadHeader(path, header));
    EXPECT_EQ(header.ModelId(), "QL210");
    EXPECT_EQ(header.ModelName(), "QL-210");
    EXPECT_EQ(header.LowerLimit(), 400);
    EXPECT_EQ(header.UpperLimit(), 470);
    Image read{};
    ASSERT_TRUE(ReadBlocks(path, nullptr, read));
    EXPECT_EQ(read, m_image);
}

TEST_F(DataFileTest, CommentLengthAndKeepingTheOldComment)
{
    const auto path = m_dir / "c.dat";
    ASSERT_TRUE(Write(path, "Fleet A"));
    EXPECT_EQ(ReadBytes(path).size(), 2191u + 7);
    ASSERT_TRUE(Write(path, "")); // no new comment: the file's comment stays
    std::string comment;
    ASSERT_TRUE(ReadComment(path, comment));
    EXPECT_EQ(comment, "Fleet A");
    ASSERT_TRUE(Write(path, "Fleet B"));
    ASSERT_TRUE(ReadComment(path, comment));
    EXPECT_EQ(comment, "Fleet B");
    ASSERT_TRUE(Write(m_dir / "empty.dat", ""));
    EXPECT_FALSE(ReadComment(m_dir / "empty.dat", comment));
}

TEST_F(DataFileTest, HeaderWithoutMagicIsRefused)
{
    CDataFile file;
    DataFileHeader header = FillHeader(m_identity, 0);
    header.bytes[1] = 'Y';
    EXPECT_FALSE(file.SetHeader(header));
}

TEST_F(DataFileTest, EveryCutOfAFileIsRefusedWithoutTouchingTheImage)
{
    const auto path = m_dir / "whole.dat";
    ASSERT_TRUE(Write(path, "abc"));
    const auto bytes = ReadBytes(path);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const std::span<const std::uint8_t> cut(bytes.data(), length);
        Image image{};
        image.fill(0x5A);
        DataFileHeader header;
        EXPECT_EQ(ParseHeader(cut, header), length >= 119) << length;
        EXPECT_FALSE(ParseBlocks(cut, nullptr, image)) << length;
        EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](auto b) { return b == 0x5A; })) << length;
    }
}

TEST_F(DataFileTest, MalformedFilesAreRefused)
{
    const auto path = m_dir / "good.dat";
    ASSERT_TRUE(Write(path, ""));
    const auto good = ReadBytes(path);
    struct Case {
        const char* what;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
        bool headerOk;
    };
    const Case cases[] = {
        {"signature", 0, {'Q', 'R', 'X'}, false},
        {"magic", 3, {0x58, 0x49}, false},
        {"comment tag", 119, {0x58, 0x4E}, true},
        {"image tag", 135, {0x58, 0x44}, true},
        {"comment longer than the file", 123, {0xFF, 0xFF, 0xFF, 0x7F}, true},
        {"extra section longer than the file", 131, {0x00, 0x00, 0x00, 0x80}, true},
        {"image shorter than an image", 139, {0x00, 0x04, 0x00, 0x00}, true},
        {"image longer than an image", 139, {0x01, 0x08, 0x00, 0x00}, true},
    };
    for (const auto& c : cases) {
        auto bytes = good;
        std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.offset));
        DataFileHeader header;
        Image image{};
        EXPECT_EQ(ParseHeader(bytes, header), c.headerOk) << c.what;
        EXPECT_FALSE(ParseBlocks(bytes, nullptr, image)) << c.what;
    }
}

TEST_F(DataFileTest, AnyExtraSectionIsSkipped)
{
    const auto path = m_dir / "x.dat";
    CDataFile file;
    ASSERT_TRUE(file.SetHeader(FillHeader(m_identity, 0)));
    const std::vector<std::uint8_t> extra{1, 2, 3, 4, 5};
    ASSERT_TRUE(file.WriteFile(path, extra, m_image, ""));
    std::vector<std::uint8_t> readExtra;
    Image image{};
    ASSERT_TRUE(ReadBlocks(path, &readExtra, image));
    EXPECT_EQ(readExtra, extra);
    EXPECT_EQ(image, m_image);
}

#if !defined(_WIN32)
TEST_F(DataFileTest, AFailedWriteLeavesThePreviousFileIntact)
{
    const auto path = m_dir / "keep.dat";
    ASSERT_TRUE(Write(path, "original"));
    const auto before = ReadBytes(path);

    // Make every write beyond 1000 bytes fail, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    m_image.fill(0);
    const bool written = Write(path, "replacement");
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), before);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u); // no temporary file left behind
}

#endif

TEST_F(DataFileTest, MissingAndOversizedFilesAreRefused)
{
    DataFileHeader header;
    EXPECT_FALSE(ReadHeader(m_dir / "missing.dat", header));
    test::WriteBytes(m_dir / "huge.dat", std::vector<std::uint8_t>(2 * 1024 * 1024, 0x51));
    EXPECT_FALSE(ReadHeader(m_dir / "huge.dat", header));
    EXPECT_FALSE(ReadHeader(m_dir.Path(), header)); // a directory
}

} // namespace
} // namespace qrv
