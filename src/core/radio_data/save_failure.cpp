#include "radio_data/save_failure.h"

#include "radio_data/messages.h"

namespace qrv {

namespace {

int MessageOf(SaveFailure failure)
{
    switch (failure) {
    case SaveFailure::None:
        return 0;
    case SaveFailure::ReadOnly:
        return msg::kSaveReadOnly;
    case SaveFailure::NotAFile:
        return msg::kSaveNotAFile;
    case SaveFailure::CannotCreate:
        return msg::kSaveCannotCreate;
    case SaveFailure::NoSpace:
        return msg::kSaveNoSpace;
    case SaveFailure::TooLarge:
        return msg::kSaveTooLarge;
    case SaveFailure::IoError:
        break;
    }
    return msg::kSaveIoError;
}

} // namespace

CSaveFailureMessage DescribeSaveFailure(const std::string& file, const CSaveResult& result)
{
    CSaveFailureMessage out{MessageOf(result.failure), file};
    if (!result.systemText.empty())
        out.argument += "\n" + result.systemText;
    return out;
}

} // namespace qrv
