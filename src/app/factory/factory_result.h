#pragma once
// The message a factory exchange ends with: the S01 text its result names,
// with the failing address for the block messages.
class QWidget;

namespace qrv {

class CSettings;
struct CTransferResult;

void ShowFactoryResult(QWidget* parent, const CSettings& settings, const CTransferResult& result);

} // namespace qrv
