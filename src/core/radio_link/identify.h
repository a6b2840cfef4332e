#pragma once
// The identity step every radio operation starts with: read what the radio
// says of itself and check it against the model expected. It touches
// nothing but the link, so that a worker thread may run it.
#include "radio_data/model_catalog.h"
#include "radio_link/radio_link.h"

#include <string>

namespace qrv {

struct CIdentifyResult {
    bool ok = false;
    int message = 0;      // S01 01146, 01172 or 00817 when not ok
    std::string argument; // the radio's version for 00817
    CRadioIdentity radio;
    FreqRangeRec range; // the radio's range when ok
};

CIdentifyResult IdentifyRadio(CRadioLink& link, const CIdentityExpectation& expected);

} // namespace qrv
