#include "radio_data/read_failure.h"

#include "radio_data/messages.h"
#include "util/text_format.h"

namespace qrv {

CReadFailureMessage DescribeReadFailure(const std::string& file, EReadFailure failure)
{
    CReadFailureMessage out;
    out.argument = PrintableText(file);
    switch (failure) {
    case EReadFailure::None:
        out.argument.clear();
        break;
    case EReadFailure::Missing:
        out.message = msg::kReadMissing;
        break;
    case EReadFailure::Directory:
        out.message = msg::kReadDirectory;
        break;
    case EReadFailure::NotRegularFile:
        out.message = msg::kReadNotAFile;
        break;
    case EReadFailure::Unreadable:
        out.message = msg::kReadUnreadable;
        break;
    case EReadFailure::TooLarge:
        out.message = msg::kReadTooLarge;
        break;
    }
    return out;
}

} // namespace qrv
