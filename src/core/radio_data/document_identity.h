#pragma once
// Which radio a codeplug is for: the model's identifier and name, the
// frequency range, the signalling type and the radio data version. A
// transfer takes a copy of it before it starts, so that its worker thread
// never reads or writes the program's settings; the data file's header and
// the backups are made from it.
#include <string>

namespace qrv {

class CSettings;

struct CDocumentIdentity {
    std::string modelId;
    std::string modelName;
    std::string freqRange; // "LO-HI" in whole MHz
    int signal = 0;
    std::string radioDataVersion;

    // The range limits in whole MHz, as CSettings reads them.
    int LowerLimit() const;
    int UpperLimit() const;
    bool operator==(const CDocumentIdentity&) const = default;
};

// The identity the settings hold now.
CDocumentIdentity IdentityOf(const CSettings& settings);

} // namespace qrv
