#include "radio_data/document_identity.h"

#include "radio_data/settings.h"
#include "util/text_format.h"

namespace qrv {

int CDocumentIdentity::LowerLimit() const
{
    int lower = 0;
    int upper = 0;
    ParseRangeText(freqRange, lower, upper);
    return lower;
}

int CDocumentIdentity::UpperLimit() const
{
    int lower = 0;
    int upper = 0;
    ParseRangeText(freqRange, lower, upper);
    return upper;
}

CDocumentIdentity IdentityOf(const CSettings& settings)
{
    return {settings.ModelID, settings.ModelName, settings.FreqRange, settings.Signal, settings.RadioDataVersion};
}

} // namespace qrv
