#pragma once
// Helpers shared by the record tests: filled and patterned images, byte
// slices, what a store wrote, and settings on a small language file.
#include "radio_data/invalid_log.h"
#include "test_support.h"
#include "util/bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace qrv::test {

using Bytes = std::vector<std::uint8_t>;

inline Image FilledImage(std::uint8_t value)
{
    Image image;
    image.fill(value);
    return image;
}

// Byte i holds (i * factor + offset) mod 256: neighbouring bytes differ.
inline Image PatternImage(unsigned factor, unsigned offset)
{
    Image image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * factor + offset) & 0xFF);
    return image;
}

// A filled image with bytes copied in from offset.
inline Image ImageWith(std::size_t offset, const Bytes& bytes, std::uint8_t fill = 0xFF)
{
    Image image = FilledImage(fill);
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    return image;
}

inline constexpr std::size_t kToTheEnd = ~std::size_t{0};

// count bytes of an image, block or record from offset.
template <typename Container> Bytes Slice(const Container& bytes, std::size_t offset = 0, std::size_t count = kToTheEnd)
{
    const std::size_t end = count == kToTheEnd ? bytes.size() : offset + count;
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset), bytes.begin() + static_cast<std::ptrdiff_t>(end));
}

// Whether stored holds the bytes of source in [begin, end) and rest everywhere else.
inline ::testing::AssertionResult OnlyCopied(const Image& stored, const Image& source, std::size_t begin,
                                             std::size_t end, std::uint8_t rest = 0xFF)
{
    for (std::size_t i = 0; i < stored.size(); ++i)
        if (const std::uint8_t expected = i >= begin && i < end ? source[i] : rest; stored[i] != expected)
            return ::testing::AssertionFailure()
                   << "offset 0x" << std::hex << i << ": 0x" << int(stored[i]) << " instead of 0x" << int(expected);
    return ::testing::AssertionSuccess();
}

// Whether image holds expected from offset, the bytes just before and after it still fill.
inline ::testing::AssertionResult HoldsAt(const Image& image, std::size_t offset, const Bytes& expected,
                                          std::uint8_t fill = 0xFF)
{
    const std::size_t end = offset + expected.size();
    if ((offset > 0 && image[offset - 1] != fill) || (end < image.size() && image[end] != fill))
        return ::testing::AssertionFailure() << "a byte next to 0x" << std::hex << offset << " was written";
    if (Slice(image, offset, expected.size()) != expected)
        return ::testing::AssertionFailure() << ::testing::PrintToString(Slice(image, offset, expected.size()))
                                             << " instead of " << ::testing::PrintToString(expected);
    return ::testing::AssertionSuccess();
}

// A block loaded from a patterned image and stored into an erased one gives
// back exactly its area [offset, offset + size) and writes nothing else.
template <typename Block>::testing::AssertionResult BlockRoundTrips(std::size_t offset, std::size_t size)
{
    const Image pattern = PatternImage(29, 7);
    Block block;
    block.LoadFromImage(pattern);
    Image stored = FilledImage(0xFF);
    block.StoreToImage(stored);
    return OnlyCopied(stored, pattern, offset, offset + size);
}

// An invalid-log entry as control, title, text and key, to compare whole.
using EntryFields = std::tuple<int, std::string, std::string, std::uint32_t>;
inline EntryFields Fields(const CInvalidEntry& entry)
{
    return {entry.control, entry.title, entry.text, entry.key};
}

// Read-only settings on a language file of the test's own (the given entries
// after the English header), so that tests do not depend on the shipped
// wording; installed as the program-wide settings while the object lives.
class CTestTexts {
public:
    explicit CTestTexts(const std::string& entries)
    {
        WriteText(m_dir.Path() / "QRV_E.lng", "[Setting]\r\nLanguage=English\r\nLanguageList=English\r\n" + entries);
        m_dir.Reopen();
    }
    CSettings& Settings() { return m_dir.Settings(); }

private:
    CProgramDir m_dir{false};
};

} // namespace qrv::test
