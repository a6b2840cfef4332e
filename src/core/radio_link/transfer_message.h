#pragma once
// The text every front end shows for the outcome of a radio command: the
// language file's message with its argument, then, after a failed write,
// what the radio may now hold.
#include <string>

namespace qrv {

class CSettings;
struct CTransferResult;

// backupFolder: where the codeplug that was sent is kept (empty when no
// backup was made).
std::string TransferMessageText(const CSettings& settings, const CTransferResult& result,
                                const std::string& backupFolder = {});

} // namespace qrv
