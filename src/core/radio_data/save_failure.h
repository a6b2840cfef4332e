#pragma once
// What the user reads when a file could not be saved: the S01 message of the
// reason, whose argument is the file and, on a line of its own, the system's
// own words for the error.
#include "util/atomic_file.h"

#include <string>

namespace qrv {

struct CSaveFailureMessage {
    int message = 0; // 0 when the save succeeded
    std::string argument;
};

CSaveFailureMessage DescribeSaveFailure(const std::string& file, const CSaveResult& result);

} // namespace qrv
