#include "radio_data/document_identity.h"

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

} // namespace qrv
