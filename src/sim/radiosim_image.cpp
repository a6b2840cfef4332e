#include "radiosim_image.h"

#include "radio_data/data_file.h"
#include "radio_data/settings.h"
#include "util/bytes.h"

#include <algorithm>

namespace qrv::sim {

namespace {
constexpr const char* kComment = "Memory of the simulated radio";
constexpr std::size_t kRangeFlagsByte = 0;
} // namespace

bool LoadMemoryImage(const std::string& path, CSimRadio::MemoryBytes& memory, std::string& error)
{
    qrv::Image image{};
    if (!qrv::ReadBlocks(path, nullptr, image)) {
        error = "not a data file: " + path;
        return false;
    }
    memory = image;
    return true;
}

bool SaveMemoryImage(const std::string& path, const CSimIdentity& identity, const CSimRadio::MemoryBytes& memory,
                     std::string& error)
{
    using H = qrv::DataFileHeader;
    H header;
    std::copy(H::kMagic.begin(), H::kMagic.end(), header.bytes.begin());
    PutLe32(header.bytes, H::kSizeField, H::kSize);
    WriteCString(header.bytes, H::kModelId, H::kTextField, identity.modelId);
    WriteCString(header.bytes, H::kModelName, H::kTextField, identity.modelName);
    PutLe16(header.bytes, H::kLowerLimit, static_cast<std::uint16_t>(identity.LowerMHz()));
    PutLe16(header.bytes, H::kUpperLimit, static_cast<std::uint16_t>(identity.UpperMHz()));
    WriteCString(header.bytes, H::kRadioDataVersion, H::kTextField, identity.firmware);
    WriteCString(header.bytes, H::kProgramVersion, H::kProgramVersionField, qrv::CSettings::kProgramVersion);
    header.bytes[H::kRangeFlags] = identity.range[kRangeFlagsByte];
    header.bytes[H::kSignal] = identity.signal;

    qrv::CDataFile file;
    if (!file.SetHeader(header) || !file.WriteFile(path, {}, memory, kComment)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace qrv::sim
