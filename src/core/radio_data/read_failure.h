#pragma once
// What the user reads when a file could not be read: one message for each
// reason, naming the file.
#include "util/file_read.h"

#include <string>

namespace qrv {

struct CReadFailureMessage {
    int message = 0; // 0 when the file was read
    std::string argument;
};

CReadFailureMessage DescribeReadFailure(const std::string& file, EReadFailure failure);

} // namespace qrv
