#pragma once
// The data file: one codeplug with its identity.
//   "QRV" | 116-byte header | "XM" 10 10, u32 N, comment | "XF" 10 10, u32 F, data | "XE" 10 10, u32 E, image
// A file written by the program is 2191 + N bytes long (F = 0, E = 2048).
#include "radio_data/document_identity.h"
#include "util/atomic_file.h"
#include "util/bytes.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

class CSettings;

struct DataFileHeader {
    static constexpr std::size_t kSize = 116;
    static constexpr std::array<std::uint8_t, 4> kMagic{0x58, 0x48, 0x10, 0x10}; // "XH" 10 10
    // Offsets inside the header.
    static constexpr std::size_t kSizeField = 4;
    static constexpr std::size_t kModelId = 12;
    static constexpr std::size_t kModelName = 28;
    static constexpr std::size_t kTextField = 16;
    static constexpr std::size_t kLowerLimit = 44;
    static constexpr std::size_t kUpperLimit = 46;
    static constexpr std::size_t kRadioDataVersion = 52;
    static constexpr std::size_t kProgramVersion = 68;
    static constexpr std::size_t kProgramVersionField = 12;
    static constexpr std::size_t kRangeFlags = 84;
    static constexpr std::size_t kSignal = 85;

    std::array<std::uint8_t, kSize> bytes{};

    bool HasMagic() const;
    std::string ModelId() const;
    std::string ModelName() const;
    int LowerLimit() const;
    int UpperLimit() const;
    std::string RadioDataVersion() const;
    std::string ProgramVersion() const;
    std::uint8_t RangeFlags() const;
    std::uint8_t Signal() const;

    // A model name, identifier or data version the header keeps whole: it fits
    // its field with the terminator and holds no line break or other control
    // character, which would also break Settings.ini where it is remembered.
    static bool HoldsText(std::string_view text);
};

namespace datafile {
inline constexpr std::array<std::uint8_t, 3> kSignature{'Q', 'R', 'V'};
inline constexpr std::array<std::uint8_t, 4> kTagComment{0x58, 0x4D, 0x10, 0x10}; // "XM"
inline constexpr std::array<std::uint8_t, 4> kTagExtra{0x58, 0x46, 0x10, 0x10};   // "XF"
inline constexpr std::array<std::uint8_t, 4> kTagImage{0x58, 0x45, 0x10, 0x10};   // "XE"
inline constexpr std::size_t kFixedSize = 2191;                                   // a file with an empty comment
// A data file is small; a larger file is not one of ours and is never read whole.
inline constexpr std::uintmax_t kMaxFileSize = 1024 * 1024;
} // namespace datafile

// The same reads over the bytes of a file already in memory.
bool ParseHeader(std::span<const std::uint8_t> file, DataFileHeader& header);
bool ParseBlocks(std::span<const std::uint8_t> file, std::vector<std::uint8_t>* extra, Image& image);
bool ParseComment(std::span<const std::uint8_t> file, std::string& comment);

// Reads the signature and the header; false unless the header carries the magic.
bool ReadHeader(const std::filesystem::path& path, DataFileHeader& header);

// Reads the XF section (when extra is given) and the XE section. Succeeds only
// when the sections stand in the order XM, XF, XE, every length lies inside the
// file, and the image section is exactly one image long; the outputs are
// written only on success.
bool ReadBlocks(const std::filesystem::path& path, std::vector<std::uint8_t>* extra, Image& image);

// The comment of a file; false when there is none or the file is malformed.
bool ReadComment(const std::filesystem::path& path, std::string& comment);

class CDataFile {
public:
    // Refused unless the header starts with the magic.
    bool SetHeader(const DataFileHeader& header);
    const DataFileHeader& Header() const { return m_header; }

    // Writes the file atomically. An existing file's comment is kept unless a
    // new one is given. On failure the old file stays as it was.
    CSaveResult WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> extra, const Image& image,
                          const std::string& comment) const;

    // The bytes WriteFile writes, with exactly this comment.
    std::vector<std::uint8_t> Contents(std::span<const std::uint8_t> extra, const Image& image,
                                       const std::string& comment) const;

private:
    DataFileHeader m_header{};
};

// A header for a document: its identity, range limits, versions, range flags, signal.
DataFileHeader FillHeader(const CDocumentIdentity& identity, std::uint8_t rangeFlags);

} // namespace qrv
