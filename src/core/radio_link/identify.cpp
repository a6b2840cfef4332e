#include "radio_link/identify.h"

#include "radio_data/settings.h"
#include "radio_link/radio_messages.h"

namespace qrv {

CIdentifyResult IdentifyRadio(CRadioLink& link, CSettings& settings, IdentityMode mode)
{
    CIdentifyResult out;
    if (!link.ReadRadioInfo(CSettings::kProgramVersion, out.radio)) {
        out.message = msg::kRadioIdentityFailed;
        return out;
    }
    const std::string keptVersion = settings.RadioDataVersion;
    settings.RadioDataVersion = out.radio.firmware;
    const CIdentityResult identity =
        CheckRadioIdentity(settings, mode, out.radio.modelId, out.radio.modelName, out.radio.firmware,
                           out.radio.versionComparison, out.radio.range);
    if (identity.result != 0) {
        settings.RadioDataVersion = keptVersion;
        out.message = identity.message;
        out.argument = identity.argument;
        return out;
    }
    out.ok = true;
    out.range = identity.range;
    return out;
}

} // namespace qrv
