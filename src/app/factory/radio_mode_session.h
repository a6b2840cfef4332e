#pragma once
// A factory function's time in one radio mode. Entering connects, checks the
// radio and takes its identity over (the new-range question, the range list,
// the main window told when the model or range changed); leaving sends mode 1
// and closes the port, and happens at the latest when the session goes, so no
// path out of a factory function leaves the radio in another mode.
#include <cstdint>
#include <memory>
#include <string>

namespace qrv {

class CRadioLink;
struct CEnterModeResult;
struct CFactoryContext;

// The wait cursor for the length of one exchange; gone before any message.
class CRadioWaitCursor {
public:
    CRadioWaitCursor();
    ~CRadioWaitCursor();
    CRadioWaitCursor(const CRadioWaitCursor&) = delete;
    CRadioWaitCursor& operator=(const CRadioWaitCursor&) = delete;
};

class CRadioModeSession {
public:
    explicit CRadioModeSession(CFactoryContext& context);
    ~CRadioModeSession();
    CRadioModeSession(const CRadioModeSession&) = delete;
    CRadioModeSession& operator=(const CRadioModeSession&) = delete;

    // Puts the radio into the mode (3 also needs the radio's range to be the
    // settings' one). False when anything failed; the message was shown.
    bool Enter(std::uint16_t mode);
    // The open link while the radio is in the mode; nullptr otherwise.
    CRadioLink* Link() const { return m_entered ? m_link.get() : nullptr; }
    // Mode 1 when the port is open, then close. Safe to call more than once.
    void Leave();

private:
    void TakeIdentity(const CEnterModeResult& entered, const std::string& previousRange);
    void Report(const CEnterModeResult& result) const;

    CFactoryContext& m_context;
    std::unique_ptr<CRadioLink> m_link;
    bool m_entered = false;
};

} // namespace qrv
