#include "radio_data/data_file.h"

#include "radio_data/settings.h"
#include "util/atomic_file.h"
#include "util/text_format.h"

#include <algorithm>
#include <cstring>

namespace qrv {

bool DataFileHeader::HasMagic() const
{
    return std::equal(kMagic.begin(), kMagic.end(), bytes.begin());
}

bool DataFileHeader::HoldsText(std::string_view text)
{
    return text.size() < kTextField && !HasControlCharacters(text);
}

std::string DataFileHeader::ModelId() const
{
    return ReadCString(bytes, kModelId, kTextField);
}

std::string DataFileHeader::ModelName() const
{
    return ReadCString(bytes, kModelName, kTextField);
}

int DataFileHeader::LowerLimit() const
{
    return GetLe16(bytes, kLowerLimit);
}

int DataFileHeader::UpperLimit() const
{
    return GetLe16(bytes, kUpperLimit);
}

std::string DataFileHeader::RadioDataVersion() const
{
    return ReadCString(bytes, kRadioDataVersion, kTextField);
}

std::string DataFileHeader::ProgramVersion() const
{
    return ReadCString(bytes, kProgramVersion, kProgramVersionField);
}

std::uint8_t DataFileHeader::RangeFlags() const
{
    return bytes[kRangeFlags];
}

std::uint8_t DataFileHeader::Signal() const
{
    return bytes[kSignal];
}

namespace {

// A bounded reader over the bytes of a file: every read checks what is left.
class CFileCursor {
public:
    explicit CFileCursor(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool Take(std::size_t count, const std::uint8_t*& out)
    {
        if (count > m_bytes.size() - m_pos)
            return false;
        out = m_bytes.data() + m_pos;
        m_pos += count;
        return true;
    }

    bool Expect(std::span<const std::uint8_t> wanted)
    {
        const std::uint8_t* p = nullptr;
        return Take(wanted.size(), p) && std::equal(wanted.begin(), wanted.end(), p);
    }

    bool Section(std::span<const std::uint8_t> tag, std::uint32_t& length, bool& tagMatched)
    {
        const std::uint8_t* p = nullptr;
        tagMatched = false;
        if (!Take(8, p))
            return false;
        tagMatched = std::equal(tag.begin(), tag.end(), p);
        length = GetLe32(std::span<const std::uint8_t>(p, 8), 4);
        return true;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

std::optional<std::vector<std::uint8_t>> ReadDataFile(const std::filesystem::path& path)
{
    return ReadWholeFile(path, datafile::kMaxFileSize);
}

bool SkipToFirstSection(CFileCursor& cursor)
{
    const std::uint8_t* header = nullptr;
    return cursor.Expect(datafile::kSignature) && cursor.Take(DataFileHeader::kSize, header);
}

} // namespace

bool ReadHeader(const std::filesystem::path& path, DataFileHeader& header)
{
    const auto bytes = ReadDataFile(path);
    return bytes && ParseHeader(*bytes, header);
}

bool ReadBlocks(const std::filesystem::path& path, std::vector<std::uint8_t>* extra, Image& image)
{
    const auto bytes = ReadDataFile(path);
    return bytes && ParseBlocks(*bytes, extra, image);
}

bool ReadComment(const std::filesystem::path& path, std::string& comment)
{
    const auto bytes = ReadDataFile(path);
    return bytes && ParseComment(*bytes, comment);
}

bool ParseHeader(std::span<const std::uint8_t> bytes, DataFileHeader& header)
{
    CFileCursor cursor(bytes);
    const std::uint8_t* p = nullptr;
    if (!cursor.Expect(datafile::kSignature) || !cursor.Take(DataFileHeader::kSize, p))
        return false;
    DataFileHeader read;
    std::copy(p, p + DataFileHeader::kSize, read.bytes.begin());
    if (!read.HasMagic())
        return false;
    header = read;
    return true;
}

bool ParseBlocks(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>* extra, Image& image)
{
    // Every reader of the sections has read the header first; a file whose
    // header is not one of ours is refused here too.
    DataFileHeader header;
    if (!ParseHeader(bytes, header))
        return false;
    CFileCursor cursor(bytes);
    if (!SkipToFirstSection(cursor))
        return false;

    std::uint32_t length = 0;
    bool matched = false;
    const std::uint8_t* p = nullptr;
    if (!cursor.Section(datafile::kTagComment, length, matched) || !matched || !cursor.Take(length, p))
        return false;

    if (!cursor.Section(datafile::kTagExtra, length, matched))
        return false;
    std::vector<std::uint8_t> extraBytes;
    if (matched) {
        if (!cursor.Take(length, p))
            return false;
        extraBytes.assign(p, p + length);
    }
    if (!cursor.Section(datafile::kTagImage, length, matched))
        return false;
    if (!matched || length != kImageSize || !cursor.Take(length, p))
        return false;
    std::copy(p, p + kImageSize, image.begin());
    if (extra != nullptr)
        *extra = std::move(extraBytes);
    return true;
}

bool ParseComment(std::span<const std::uint8_t> bytes, std::string& comment)
{
    CFileCursor cursor(bytes);
    if (!SkipToFirstSection(cursor))
        return false;
    std::uint32_t length = 0;
    bool matched = false;
    const std::uint8_t* p = nullptr;
    if (!cursor.Section(datafile::kTagComment, length, matched) || !matched || length == 0 || !cursor.Take(length, p))
        return false;
    comment.assign(reinterpret_cast<const char*>(p), length);
    return true;
}

bool CDataFile::SetHeader(const DataFileHeader& header)
{
    if (!header.HasMagic())
        return false;
    m_header = header;
    return true;
}

CSaveResult CDataFile::WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> extra,
                                 const Image& image, const std::string& comment) const
{
    std::string text;
    if (std::error_code ec; std::filesystem::exists(path, ec))
        ReadComment(path, text);
    if (!comment.empty())
        text = comment;
    return WriteFileAtomically(path, Contents(extra, image, text));
}

std::vector<std::uint8_t> CDataFile::Contents(std::span<const std::uint8_t> extra, const Image& image,
                                              const std::string& comment) const
{
    std::vector<std::uint8_t> out;
    out.reserve(datafile::kFixedSize + comment.size() + extra.size());
    const auto append = [&out](std::span<const std::uint8_t> b) { out.insert(out.end(), b.begin(), b.end()); };
    const auto appendSection = [&](std::span<const std::uint8_t> tag, std::span<const std::uint8_t> data) {
        append(tag);
        std::array<std::uint8_t, 4> length{};
        PutLe32(length, 0, static_cast<std::uint32_t>(data.size()));
        append(length);
        append(data);
    };
    append(datafile::kSignature);
    append(m_header.bytes);
    appendSection(datafile::kTagComment,
                  std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(comment.data()), comment.size()));
    appendSection(datafile::kTagExtra, extra);
    appendSection(datafile::kTagImage, image);
    return out;
}

DataFileHeader FillHeader(const CDocumentIdentity& identity, std::uint8_t rangeFlags)
{
    DataFileHeader header;
    std::copy(DataFileHeader::kMagic.begin(), DataFileHeader::kMagic.end(), header.bytes.begin());
    PutLe32(header.bytes, DataFileHeader::kSizeField, DataFileHeader::kSize);
    WriteCString(header.bytes, DataFileHeader::kModelId, DataFileHeader::kTextField, identity.modelId);
    WriteCString(header.bytes, DataFileHeader::kModelName, DataFileHeader::kTextField, identity.modelName);
    PutLe16(header.bytes, DataFileHeader::kLowerLimit, static_cast<std::uint16_t>(identity.LowerLimit()));
    PutLe16(header.bytes, DataFileHeader::kUpperLimit, static_cast<std::uint16_t>(identity.UpperLimit()));
    WriteCString(header.bytes, DataFileHeader::kRadioDataVersion, DataFileHeader::kTextField,
                 identity.radioDataVersion);
    WriteCString(header.bytes, DataFileHeader::kProgramVersion, DataFileHeader::kProgramVersionField,
                 CSettings::kProgramVersion);
    header.bytes[DataFileHeader::kRangeFlags] = rangeFlags;
    header.bytes[DataFileHeader::kSignal] = static_cast<std::uint8_t>(identity.signal);
    return header;
}

} // namespace qrv
