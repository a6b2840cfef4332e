#include "fleet/one_cable.h"

#include <algorithm>
#include <thread>

namespace qrv {

void COneCableRun::SetStopRequest(const std::atomic<bool>* stop)
{
    m_stop = stop;
    m_radio.SetStopRequest(stop);
}

bool COneCableRun::WaitUntilAnswering(bool answering)
{
    while (!Stopped()) {
        if (m_radio.Link().Answers(m_radio.Port()) == answering)
            return true;
        // Sleep in short steps so that a stop is seen at once.
        for (auto slept = std::chrono::milliseconds(0); slept < m_pollPause && !Stopped(); slept += kStopCheck)
            std::this_thread::sleep_for(std::min(kStopCheck, m_pollPause - slept));
    }
    return false;
}

std::vector<CFleetRecord> COneCableRun::Run(const CCallbacks& callbacks)
{
    m_written.clear();
    m_radio.SetAlreadyWritten(
        [this](const std::string& serial) { return !m_rewriteSame && m_written.contains(serial); });
    std::vector<CFleetRecord> records;
    const auto waiting = [&](Waiting what) {
        if (callbacks.waiting)
            callbacks.waiting(what, static_cast<int>(records.size()));
    };
    while (m_count == 0 || static_cast<int>(records.size()) < m_count) {
        if (!records.empty()) {
            waiting(Waiting::ForUnplug);
            if (!WaitUntilAnswering(false))
                break;
        }
        waiting(Waiting::ForRadio);
        if (!WaitUntilAnswering(true))
            break;
        CFleetRecord record = m_radio.Run(callbacks.progress);
        // Only a radio that holds the codeplug now is one to skip when it comes again.
        if (IsSuccess(record.outcome) && !record.serialNumber.empty())
            m_written.insert(record.serialNumber);
        records.push_back(record);
        if (callbacks.done)
            callbacks.done(records.back());
        if (Stopped())
            break;
    }
    return records;
}

} // namespace qrv
