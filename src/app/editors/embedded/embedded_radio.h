#pragma once
// The embedded-message view's own exchanges with the radio: each one makes a
// link, connects, works and closes the port under the wait cursor, and then
// tells the user how it went.
#include "radio_data/model_catalog.h"
#include "radio_link/message_transfer.h"

#include <functional>
#include <string>

class QWidget;

namespace qrv {

class CEditorContext;

class CEmbeddedRadio {
public:
    // parent: the window the messages belong to.
    CEmbeddedRadio(CEditorContext& context, QWidget* parent);

    // Identifies the radio and reads its block; block changes only on success.
    // A failure is shown; success is not (the view says what follows).
    bool Read(MessageBlock& block);
    // The whole block; success and failure are shown.
    bool Write(const MessageBlock& block);
    // The first 16 bytes (the password and the field after it).
    bool WritePassword(const MessageBlock& block);

    // Whether the last Read got as far as the radio's identity (the settings
    // then hold the radio's model, signalling and range), and its range.
    bool Identified() const { return m_range != FreqRangeRec{}; }
    const FreqRangeRec& RadioRange() const { return m_range; }

private:
    using Step = std::function<CTransferResult(CMessageTransfer&)>;
    // Runs one exchange under the wait cursor.
    CTransferResult Run(const Step& step);
    void Report(const CTransferResult& result) const;

    CEditorContext& m_context;
    QWidget* m_parent;
    FreqRangeRec m_range;
    std::string m_portError;
};

} // namespace qrv
