#include "radio_link/message_transfer.h"

#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "radio_link/identify.h"
#include "radio_link/radio_messages.h"
#include "util/text_format.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr int kPasswordAttempts = 3;

CTransferResult Failure(int message, std::uint32_t address = 0, std::string argument = {})
{
    CTransferResult result;
    result.message = message;
    result.address = address;
    result.argument = std::move(argument);
    return result;
}

CTransferResult Success(int message)
{
    CTransferResult result;
    result.ok = true;
    result.message = message;
    return result;
}

// The stored field as the radio compares it: its bytes padded with spaces.
// Bytes a password cannot hold (an older file, another tool) stay as they are.
CEmbeddedMessageData::PasswordBytes StoredPasswordField(std::string_view stored)
{
    CEmbeddedMessageData::PasswordBytes field{};
    field.fill(CEmbeddedMessageData::kPadByte);
    std::copy_n(stored.begin(), std::min(stored.size(), field.size()), field.begin());
    return field;
}

} // namespace

int RadioPasswordProblem(std::string_view text)
{
    using Fault = CEmbeddedMessageData::PasswordFault;
    switch (CEmbeddedMessageData::CheckPassword(text)) {
    case Fault::NotPrintableAscii:
        return msg::kPasswordNotAscii;
    case Fault::TooLong:
        return msg::kPasswordTooLong;
    case Fault::None:
        break;
    }
    return 0;
}

bool SameRadioPassword(std::string_view stored, std::string_view typed)
{
    const auto field = CEmbeddedMessageData::PasswordField(typed);
    return field && *field == StoredPasswordField(stored);
}

bool VerifyRadioPassword(const std::string& current, const std::function<std::optional<std::string>()>& ask,
                         const std::function<void()>& wrong)
{
    if (current.empty())
        return true;
    for (int attempt = 0; attempt < kPasswordAttempts; ++attempt) {
        const auto typed = ask ? ask() : std::nullopt;
        if (!typed)
            return false;
        if (SameRadioPassword(current, *typed))
            return true;
        if (wrong)
            wrong();
    }
    return false;
}

CMessageTransfer::CMessageTransfer(CRadioLink& link, const CSettings& settings, const CDocumentIdentity& document)
    : m_link(link), m_expected(ExpectedIdentity(settings, document, IdentityMode::Accept)),
      m_documentModelId(document.modelId)
{
}

void CMessageTransfer::ApplyTo(CDocumentIdentity& document, CSettings& settings) const
{
    if (!m_port.empty())
        settings.PortName = m_port;
    if (!m_radio)
        return;
    document.modelName = m_radio->modelName;
    document.signal = m_radio->signal;
    document.freqRange = MakeRangeText(m_radioRange.lower, m_radioRange.upper);
    document.radioDataVersion = m_radio->firmware;
}

CTransferResult CMessageTransfer::Connect(const CPortChoice& ports)
{
    const std::string port = m_link.Connect(ports.remembered, ports.listed);
    if (port.empty()) {
        CTransferResult result = Failure(msg::kNoRadioAnswer);
        result.noRadio = true;
        return result;
    }
    m_port = port;
    return Success(0);
}

CTransferResult CMessageTransfer::Read(const CPortChoice& ports, MessageBlock& block)
{
    if (auto connected = Connect(ports); !connected.ok)
        return connected;
    const auto fail = [this](CTransferResult r) {
        m_link.Close();
        return r;
    };

    // Besides the identity check of a codeplug read, the radio must be of the
    // document's model.
    const CIdentifyResult identity = IdentifyRadio(m_link, m_expected);
    if (!identity.ok)
        return fail(Failure(identity.message, 0, identity.argument));
    if (identity.radio.modelId != m_documentModelId)
        return fail(Failure(msg::kModelMismatch));
    m_radioRange = identity.range;
    m_radio = identity.radio;

    if (m_link.SetRadioMode(CRadioLink::kModeRead) == 0)
        return fail(Failure(msg::kNoRadioAnswer));
    MessageBlock buffer{};
    for (std::size_t i = 0; i < CEmbeddedMessageData::kRadioBlockCount; ++i) {
        const std::uint32_t address = CEmbeddedMessageData::kRadioAddress + 16 * static_cast<std::uint32_t>(i);
        if (!m_link.ReadBlock(address, std::span(buffer).subspan(16 * i, 16)))
            return fail(Failure(msg::kRadioReadFailed, address));
    }
    block = buffer;
    m_link.SetRadioMode(CRadioLink::kModeNormal);
    m_link.Close();
    return Success(msg::kRadioReadDone);
}

CTransferResult CMessageTransfer::WriteBlocks(std::uint32_t first, std::span<const std::uint8_t> bytes)
{
    const auto fail = [this](CTransferResult r) {
        m_link.Close();
        return r;
    };
    if (m_link.SetRadioMode(CRadioLink::kModeWrite) == 0)
        return fail(Failure(msg::kNoRadioAnswer));
    for (std::size_t offset = 0; offset < bytes.size(); offset += 16) {
        const std::uint32_t address = first + static_cast<std::uint32_t>(offset);
        if (!m_link.WriteBlock(address, bytes.subspan(offset, std::min<std::size_t>(16, bytes.size() - offset)))) {
            CTransferResult failed = Failure(msg::kRadioWriteFailed, address);
            failed.partialNote = msg::kPartialValues;
            return fail(failed);
        }
    }
    m_link.SetRadioMode(CRadioLink::kModeNormal);
    m_link.Close();
    return Success(msg::kRadioWriteDone);
}

CTransferResult CMessageTransfer::Write(const CPortChoice& ports, const MessageBlock& block)
{
    if (auto connected = Connect(ports); !connected.ok)
        return connected;
    return WriteBlocks(CEmbeddedMessageData::kRadioAddress, block);
}

CTransferResult CMessageTransfer::WritePassword(const CPortChoice& ports, const MessageBlock& block)
{
    if (auto connected = Connect(ports); !connected.ok)
        return connected;
    return WriteBlocks(CEmbeddedMessageData::kPasswordRadioAddress,
                       std::span<const std::uint8_t>(block).first(CEmbeddedMessageData::kRadioBlockSize));
}

} // namespace qrv
