#pragma once
// A data file read whole for a look at it (info, hex, diff): its header,
// comment and image, or the message that says why it cannot be read.
#include "radio_data/data_file.h"
#include "radio_data/read_failure.h"

#include <filesystem>
#include <string>

namespace qrv {

struct CDataFileContents {
    DataFileHeader header;
    std::string comment;
    Image image{};
    CReadFailureMessage failure; // message 0 when the file is whole
    explicit operator bool() const { return failure.message == 0; }
};

// Checks the whole file, not only its header: a cut or damaged file fails.
CDataFileContents ReadDataFile(const std::filesystem::path& path);

} // namespace qrv
