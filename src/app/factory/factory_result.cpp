#include "factory/factory_result.h"

#include "radio_link/radio_messages.h"
#include "radio_link/transfer.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"

namespace qrv {

void ShowFactoryResult(QWidget* parent, const CSettings& settings, const CTransferResult& result)
{
    if (result.message == 0)
        return;
    const bool blockMessage = result.message == msg::kRadioReadFailed || result.message == msg::kRadioWriteFailed;
    const QString argument = blockMessage ? QString::number(result.address) : Q(result.argument);
    ShowMessage(parent, settings, result.message, QMessageBox::Ok, QMessageBox::NoIcon, argument);
}

} // namespace qrv
