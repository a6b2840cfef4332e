#pragma once
// One cable, many radios: the dealer plugs in a radio, it is written, he
// unplugs it and plugs in the next. Between radios the port is probed with
// the handshake alone, which changes nothing in a radio: a radio is done
// when a whole handshake (its tries take about a second) goes unanswered, so
// that one lost reply on a noisy line does not count as a swap; the next one
// is there when one answers again.
#include "fleet/fleet_radio.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace qrv {

class COneCableRun {
public:
    enum class Waiting { ForRadio, ForUnplug };
    struct CCallbacks {
        std::function<void(int percent)> progress; // of the radio under way
        std::function<void(Waiting what, int radiosDone)> waiting;
        std::function<void(const CFleetRecord& record)> done; // each radio's record as it is made
    };

    static constexpr std::chrono::milliseconds kPollPause{250};
    static constexpr std::chrono::milliseconds kStopCheck{50};

    explicit COneCableRun(CFleetRadio& radio) : m_radio(radio) {}

    // How many radios to handle (each radio plugged in counts, a skipped one
    // too); 0 goes on until stopped.
    void SetCount(int count) { m_count = count; }
    // A radio written already in this run (same serial number) is written
    // again instead of skipped.
    void SetRewriteSame(bool rewrite) { m_rewriteSame = rewrite; }
    // Set from another thread: the write under way ends before its next block
    // and no further radio is waited for.
    void SetStopRequest(const std::atomic<bool>* stop);
    void SetPollPause(std::chrono::milliseconds pause) { m_pollPause = pause; }

    // On the worker's thread; the records of the radios handled, in order.
    std::vector<CFleetRecord> Run(const CCallbacks& callbacks);

private:
    bool Stopped() const { return m_stop != nullptr && m_stop->load(); }
    // Probes until the port answers (or stops answering); false when stopped first.
    bool WaitUntilAnswering(bool answering);

    CFleetRadio& m_radio;
    int m_count = 0;
    bool m_rewriteSame = false;
    const std::atomic<bool>* m_stop = nullptr;
    std::chrono::milliseconds m_pollPause = kPollPause;
    std::set<std::string> m_written; // serial numbers written in this run
};

} // namespace qrv
