#pragma once
// The exchanges of the factory functions: entering a radio mode with the
// identity checks, the base-band blocks, the tune data, the factory model
// block and the manual tune switch. Every function that opens the port
// leaves it closed again, success or failure, with the radio sent mode 1
// when it had been put in another.
#include "radio_data/model_catalog.h"
#include "radio_link/codeplug_transfer.h"

#include <cstdint>

namespace qrv {

class CAdjustmentData;
class CRadioInfoData;
class CSettings;

struct CEnterModeResult : CTransferResult {
    bool modelChanged = false;
    bool rangeChanged = false;
    FreqRangeRec radioRange;
};

// Connects, identifies the radio (exactly in mode 3, which also needs the
// radio's range to equal the document's one) and selects the mode. On
// success the port stays open for the caller, which ends with
// LeaveRadioMode. The port found goes to the settings; once identified, the
// radio's identity is the document's. For the window's thread.
CEnterModeResult EnterRadioMode(CRadioLink& link, CSettings& settings, CDocumentIdentity& document,
                                const CPortChoice& ports, std::uint16_t mode);
// Mode 1 (when the port is open) and close.
void LeaveRadioMode(CRadioLink& link);

// Every write below reads what it sent back and compares; a refused,
// unanswered or lost block is a failure naming its address.
// Base band: 16 bytes at 0x3E9 and 7 at 0x3F9, from and into the tune data.
CTransferResult ReadBaseBand(CRadioLink& link, CAdjustmentData& tuneData);
CTransferResult WriteBaseBand(CRadioLink& link, const CAdjustmentData& tuneData);
// Write Tune Data: the 192-byte block in twelve blocks (the image takes it first).
CTransferResult WriteTuneData(CRadioLink& link, const CAdjustmentData& tuneData, Image& image);

// The factory model dialog's own connection.
CTransferResult ReadFactoryModel(CRadioLink& link, const CPortChoice& ports, CRadioInfoData& info,
                                 CRadioIdentity& radio);
CTransferResult WriteFactoryModel(CRadioLink& link, const CPortChoice& ports, const CRadioInfoData& info);
CTransferResult WriteTuneSwitch(CRadioLink& link, const CPortChoice& ports, bool open);

} // namespace qrv
