#include "factory/factory_result.h"

#include "radio_link/codeplug_transfer.h"
#include "radio_link/transfer_message.h"
#include "shell/message_box.h"

namespace qrv {

void ShowFactoryResult(QWidget* parent, const CSettings& settings, const CTransferResult& result)
{
    if (result.message == 0)
        return;
    ShowMessageText(parent, settings, result.message, TransferMessageText(settings, result));
}

} // namespace qrv
