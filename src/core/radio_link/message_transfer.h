#pragma once
// The embedded-message block and the radio password, moved between the
// program and the radio by themselves (not with the codeplug).
#include "radio_data/model_catalog.h"
#include "radio_link/codeplug_transfer.h"
#include "records/embedded_message_data.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qrv {

class CSettings;

using MessageBlock = CEmbeddedMessageData::BlockBytes;

// 0 when text can be a radio password (at most 8 printable ASCII characters),
// else the number of the message that says why not.
int RadioPasswordProblem(std::string_view text);
// Whether typed opens the stored password: both are compared as the radio
// holds them, space-padded to the field, so trailing spaces do not count.
bool SameRadioPassword(std::string_view stored, std::string_view typed);

// Before the messages are written the user must type the radio's password:
// at most three times; ask returns nullopt when the user cancels, wrong is
// called for each wrong text (it shows S01 01176). An empty password passes.
bool VerifyRadioPassword(const std::string& current, const std::function<std::optional<std::string>()>& ask,
                         const std::function<void()>& wrong);

class CMessageTransfer {
public:
    // Made on the window's thread: takes a copy of the document's identity
    // and of the model a radio must report. Read, Write and WritePassword
    // touch nothing but the link and their arguments, so a worker may run
    // them; ApplyTo hands the outcome over on the window's thread again.
    CMessageTransfer(CRadioLink& link, const CSettings& settings, const CDocumentIdentity& document);

    // Identifies the radio (its model identifier must be the document's
    // one) and reads the block. The block is changed only when every read
    // succeeded. The port is closed at the end.
    CTransferResult Read(const CPortChoice& ports, MessageBlock& block);
    // Writes the block in 16-byte blocks; no identity check.
    CTransferResult Write(const CPortChoice& ports, const MessageBlock& block);
    // Writes the first 16 bytes (the password and the field after it).
    CTransferResult WritePassword(const CPortChoice& ports, const MessageBlock& block);

    const FreqRangeRec& RadioRange() const { return m_radioRange; }
    // The port found goes to the settings; after a read that identified the
    // radio, the radio's model name, signalling, range and data version
    // become the document's.
    void ApplyTo(CDocumentIdentity& document, CSettings& settings) const;

private:
    CTransferResult Connect(const CPortChoice& ports);
    CTransferResult WriteBlocks(std::uint32_t first, std::span<const std::uint8_t> bytes);

    CRadioLink& m_link;
    CIdentityExpectation m_expected;
    std::string m_documentModelId;
    std::string m_port;
    std::optional<CRadioIdentity> m_radio; // the radio that passed the identity check
    FreqRangeRec m_radioRange;
};

} // namespace qrv
