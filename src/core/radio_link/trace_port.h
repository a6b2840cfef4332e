#pragma once
// The serial trace: what went over the wire during the last radio command,
// chunk by chunk, with the time since the command started. It is what a user
// sends when a radio will not talk. CTracePort sits between the link and the
// real port and records without changing anything that passes.
#include "radio_link/byte_port.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace qrv {

struct CTraceChunk {
    enum class Kind { Tx, Rx, Open, Close };
    Kind kind = Kind::Tx;
    double ms = 0.0;                 // since the command started
    std::vector<std::uint8_t> bytes; // Tx, Rx
    std::string note;                // Open: the port name and the outcome
};

// Written on the transfer's worker thread and read on the window's: every
// member takes the lock.
class CSerialTrace {
public:
    using Clock = std::chrono::steady_clock;

    // A new radio command: the previous one's chunks go.
    void Begin();
    void Record(CTraceChunk::Kind kind, std::span<const std::uint8_t> bytes, std::string note = {});
    // With an explicit time, for tests and for replaying a recording.
    void RecordAt(double ms, CTraceChunk::Kind kind, std::span<const std::uint8_t> bytes, std::string note = {});

    std::vector<CTraceChunk> Chunks() const;
    bool Empty() const;
    // One line per chunk: "  12.345 ms  TX  4D 61 ...".
    std::string Text() const;
    static std::string FormatLine(const CTraceChunk& chunk);

private:
    mutable std::mutex m_mutex;
    Clock::time_point m_start = Clock::now();
    std::vector<CTraceChunk> m_chunks;
};

class CTracePort : public CBytePort {
public:
    // A new port is a new command: the trace is started afresh.
    CTracePort(std::unique_ptr<CBytePort> inner, std::shared_ptr<CSerialTrace> trace);

    bool Open(const std::string& name) override;
    bool Close() override;
    bool IsOpen() const override;
    bool Configure(const CLineSettings& settings) override;
    std::size_t Write(std::span<const std::uint8_t> bytes) override;
    CPortStatus WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout) override;
    std::size_t ReadQueued(std::span<std::uint8_t> buffer) override;
    void DiscardInput() override;
    std::string LastError() const override;

private:
    std::unique_ptr<CBytePort> m_inner;
    std::shared_ptr<CSerialTrace> m_trace;
};

// The port wrapped so that everything through it lands in trace.
std::unique_ptr<CBytePort> WrapWithTrace(std::unique_ptr<CBytePort> port, std::shared_ptr<CSerialTrace> trace);

} // namespace qrv
