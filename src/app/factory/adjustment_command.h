#pragma once
// Program > Adjustment: the radio goes into the adjustment mode (a radio of
// another frequency range is welcome here), the Tuning dialog runs, and the
// radio is sent back to normal operation and the port closed, however the
// dialog or the radio ended.
#include "presentation/command_numbers.h"

namespace qrv {

struct CFactoryContext;

class CAdjustmentCommand {
public:
    static constexpr int kCommand = command::kAdjustment;

    explicit CAdjustmentCommand(CFactoryContext& context);
    void Run();

private:
    CFactoryContext& m_context;
};

} // namespace qrv
