#include "radio_link/trace_port.h"

#include "util/text_format.h"

namespace qrv {

namespace {

const char* KindText(CTraceChunk::Kind kind)
{
    switch (kind) {
    case CTraceChunk::Kind::Tx:
        return "TX";
    case CTraceChunk::Kind::Rx:
        return "RX";
    case CTraceChunk::Kind::Open:
        return "OPEN";
    case CTraceChunk::Kind::Close:
        return "CLOSE";
    }
    return "?";
}

} // namespace

void CSerialTrace::Begin()
{
    const std::lock_guard lock(m_mutex);
    m_chunks.clear();
    m_start = Clock::now();
}

void CSerialTrace::Record(CTraceChunk::Kind kind, std::span<const std::uint8_t> bytes, std::string note)
{
    const std::lock_guard lock(m_mutex);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - m_start).count();
    m_chunks.push_back({kind, ms, {bytes.begin(), bytes.end()}, std::move(note)});
}

void CSerialTrace::RecordAt(double ms, CTraceChunk::Kind kind, std::span<const std::uint8_t> bytes, std::string note)
{
    const std::lock_guard lock(m_mutex);
    m_chunks.push_back({kind, ms, {bytes.begin(), bytes.end()}, std::move(note)});
}

std::vector<CTraceChunk> CSerialTrace::Chunks() const
{
    const std::lock_guard lock(m_mutex);
    return m_chunks;
}

bool CSerialTrace::Empty() const
{
    const std::lock_guard lock(m_mutex);
    return m_chunks.empty();
}

std::string CSerialTrace::FormatLine(const CTraceChunk& chunk)
{
    std::string line = Format("%8.3f ms  %s", chunk.ms, KindText(chunk.kind));
    if (!chunk.note.empty())
        line += "  " + chunk.note;
    if (!chunk.bytes.empty()) {
        line += ' ';
        for (const std::uint8_t b : chunk.bytes)
            line += Format(" %02X", b);
    }
    return line;
}

std::string CSerialTrace::Text() const
{
    std::string text;
    for (const CTraceChunk& chunk : Chunks())
        text += FormatLine(chunk) + '\n';
    return text;
}

CTracePort::CTracePort(std::unique_ptr<CBytePort> inner, std::shared_ptr<CSerialTrace> trace)
    : m_inner(std::move(inner)), m_trace(std::move(trace))
{
    m_trace->Begin();
}

bool CTracePort::Open(const std::string& name)
{
    const bool ok = m_inner->Open(name);
    m_trace->Record(CTraceChunk::Kind::Open, {}, ok ? name : name + " failed: " + m_inner->LastError());
    return ok;
}

bool CTracePort::Close()
{
    const bool wasOpen = m_inner->IsOpen();
    const bool ok = m_inner->Close();
    if (wasOpen)
        m_trace->Record(CTraceChunk::Kind::Close, {});
    return ok;
}

bool CTracePort::IsOpen() const
{
    return m_inner->IsOpen();
}

bool CTracePort::Configure(const CLineSettings& settings)
{
    return m_inner->Configure(settings);
}

std::size_t CTracePort::Write(std::span<const std::uint8_t> bytes)
{
    const std::size_t written = m_inner->Write(bytes);
    m_trace->Record(CTraceChunk::Kind::Tx, bytes.first(written));
    return written;
}

CPortStatus CTracePort::WaitForBytes(std::size_t wanted, std::chrono::milliseconds timeout)
{
    return m_inner->WaitForBytes(wanted, timeout);
}

std::size_t CTracePort::ReadQueued(std::span<std::uint8_t> buffer)
{
    const std::size_t n = m_inner->ReadQueued(buffer);
    if (n > 0)
        m_trace->Record(CTraceChunk::Kind::Rx, buffer.first(n));
    return n;
}

void CTracePort::DiscardInput()
{
    m_inner->DiscardInput();
}

std::string CTracePort::LastError() const
{
    return m_inner->LastError();
}

std::unique_ptr<CBytePort> WrapWithTrace(std::unique_ptr<CBytePort> port, std::shared_ptr<CSerialTrace> trace)
{
    return std::make_unique<CTracePort>(std::move(port), std::move(trace));
}

} // namespace qrv
