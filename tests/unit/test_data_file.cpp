// The data file's bytes as written and read back. What a damaged file does
// on opening is the open-check table of the codeplug session's tests.
#include "radio_data/data_file.h"

#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using test::ReadBytes;

class DataFileTest : public ::testing::Test {
protected:
    DataFileTest()
    {
        for (std::size_t i = 0; i < m_image.size(); ++i)
            m_image[i] = static_cast<std::uint8_t>(i * 7);
    }

    bool Write(const std::filesystem::path& path, const std::string& comment,
               const std::vector<std::uint8_t>& extra = {})
    {
        CDataFile file;
        return file.SetHeader(FillHeader(m_identity, 0x81)) && file.WriteFile(path, extra, m_image, comment);
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
    header.bytes[1] = 'Y';
    EXPECT_FALSE(CDataFile().SetHeader(header)); // a header without its magic is never written

    // A comment and an extra section, read back; a save without a comment keeps the file's.
    const std::vector<std::uint8_t> extra{1, 2, 3, 4, 5};
    ASSERT_TRUE(Write(path, "Fleet A", extra));
    EXPECT_EQ(ReadBytes(path).size(), 2191u + 7 + 5);
    std::vector<std::uint8_t> readExtra;
    Image image{};
    ASSERT_TRUE(ReadBlocks(path, &readExtra, image));
    EXPECT_EQ(readExtra, extra); // skipped by whoever does not want it
    EXPECT_EQ(image, m_image);
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

} // namespace
} // namespace qrv
