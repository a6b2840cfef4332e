#include "radio_link/transfer_message.h"

#include "radio_data/settings.h"
#include "radio_link/codeplug_transfer.h"
#include "radio_link/radio_messages.h"
#include "util/text_format.h"

namespace qrv {

namespace {

constexpr std::uint32_t kShownAddressMask = 0xFFFF;

bool NamesAnAddress(int message)
{
    return message == msg::kRadioReadFailed || message == msg::kRadioWriteFailed || message == msg::kVerifyReadFailed ||
           message == msg::kTuneSwitchUnread || message == msg::kWriteStopped;
}

} // namespace

std::string TransferMessageText(const CSettings& settings, const CTransferResult& result,
                                const std::string& backupFolder)
{
    std::string text = settings.GetMessage(result.message);
    if (NamesAnAddress(result.message))
        text = FormatMessageNumber(text, result.address & kShownAddressMask);
    else if (!result.argument.empty())
        text = FormatMessageText(text, result.argument);
    if (result.partialNote == 0)
        return text;
    if (result.partialNote == msg::kPartialCodeplug && backupFolder.empty())
        return text + "\n" + settings.GetMessage(msg::kPartialCodeplugNoBackup);
    return text + "\n" + FormatMessageText(settings.GetMessage(result.partialNote), backupFolder);
}

} // namespace qrv
