#include "presentation/message_kinds.h"

#include "csv/channel_csv.h"
#include "radio_data/messages.h"
#include "radio_link/radio_messages.h"

#include <algorithm>
#include <array>

namespace qrv {

MessageKind KindOfMessage(int number)
{
    using namespace msg;
    static constexpr std::array kSuccesses{kRadioReadDone, kRadioWriteDone,  kTuneWritten,
                                           kTuneRead,      kPasswordChanged, kRadioHoldsCodeplug};
    static constexpr std::array kFailures{kRecentUnreadable,     kCannotWrite,
                                          kWrongModel,           kCannotRead,
                                          kNewerVersion,         kOtherMajorVersion,
                                          kRangeOutsideRadio,    kOutOfMemory,
                                          kModelMismatch,        kRadioReadFailed,
                                          kRadioWriteFailed,     kNoRadioAnswer,
                                          kRadioIdentityFailed,  kTuneWriteFailed,
                                          kTuneReadFailed,       kWrongOldPassword,
                                          kWrongPassword,        kVerifyFailed,
                                          kVerifyReadFailed,     kTuneSwitchUnread,
                                          kPartialCodeplug,      kPartialCodeplugNoBackup,
                                          kPartialValues,        kPrinterFailed,
                                          kPrinterError,         kReportNotWritten,
                                          kHelpMissing,          kSaveReadOnly,
                                          kSaveCannotCreate,     kSaveNoSpace,
                                          kSaveTooLarge,         kSaveIoError,
                                          kSaveNotAFile,         kReadMissing,
                                          kReadDirectory,        kReadNotAFile,
                                          kReadUnreadable,       kReadTooLarge,
                                          kReadDamaged,          csvmsg::kNothingToTake,
                                          csvmsg::kDataProblems, kFleetLogNotWritten};
    if (std::find(kSuccesses.begin(), kSuccesses.end(), number) != kSuccesses.end())
        return MessageKind::Success;
    if (std::find(kFailures.begin(), kFailures.end(), number) != kFailures.end())
        return MessageKind::Failure;
    return MessageKind::Warning;
}

} // namespace qrv
