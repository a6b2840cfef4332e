#pragma once
// Which radio a codeplug is for: the model's identifier and name, the
// frequency range, the signalling type and the radio data version. It
// belongs to the document (the codeplug); the settings only remember the
// last one, for the next start. A transfer takes a copy of it before it
// starts, so that its worker thread never reads or writes anything else;
// the data file's header and the backups are made from it.
#include "records/frequency.h"

#include <string>

namespace qrv {

struct CDocumentIdentity {
    std::string modelId;
    std::string modelName;
    std::string freqRange; // "LO-HI" in whole MHz
    int signal = 0;
    std::string radioDataVersion;

    // The range limits in whole MHz, as CSettings reads them.
    int LowerLimit() const;
    int UpperLimit() const;
    CBand Band() const { return CBand::FromMHz(LowerLimit(), UpperLimit()); }
    bool operator==(const CDocumentIdentity&) const = default;
};

} // namespace qrv
