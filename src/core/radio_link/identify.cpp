#include "radio_link/identify.h"

#include "radio_data/data_file.h"
#include "radio_data/settings.h"
#include "radio_link/radio_messages.h"

namespace qrv {

CIdentifyResult IdentifyRadio(CRadioLink& link, const CIdentityExpectation& expected)
{
    CIdentifyResult out;
    if (!link.ReadRadioInfo(CSettings::kProgramVersion, out.radio)) {
        out.message = msg::kRadioIdentityFailed;
        return out;
    }
    // What the radio says of itself reaches the data file's header and Settings.ini.
    if (!DataFileHeader::HoldsText(out.radio.modelId) || !DataFileHeader::HoldsText(out.radio.modelName) ||
        !DataFileHeader::HoldsText(out.radio.firmware)) {
        out.message = msg::kRadioIdentityFailed;
        return out;
    }
    const CIdentityResult identity =
        CheckRadioIdentity(expected, out.radio.modelId, out.radio.modelName, out.radio.firmware,
                           out.radio.versionComparison, out.radio.range);
    if (identity.result != 0) {
        out.message = identity.message;
        out.argument = identity.argument;
        return out;
    }
    out.ok = true;
    out.range = identity.range;
    return out;
}

} // namespace qrv
