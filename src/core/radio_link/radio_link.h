#pragma once
// The radio's programming protocol over the serial link: STX, a two-letter
// command, parameters, ETX; the program sends one frame and waits for one
// reply of a length it knows in advance.
#include "radio_link/serial_link.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qrv {

// The pauses the radio expects between frames, and the reply time-out.
struct CLinkTiming {
    std::chrono::milliseconds exchangePause{30};  // after every request
    std::chrono::milliseconds writePause{10};     // before every block write
    std::chrono::milliseconds handshakePause{20}; // after a handshake pass without a full reply
    std::chrono::milliseconds openPause{50};      // after configuring a port
    std::uint32_t readTimeoutMs = 330;
};

// What the radio says of itself.
struct CRadioIdentity {
    std::string modelName;
    std::string firmware;
    std::string modelId;
    int versionComparison = 0; // first four characters of the firmware against the program's
    std::uint8_t signal = 0;
    std::array<std::uint8_t, 9> range{}; // flags, lower word, upper word
};

class CRadioLink : public CSerialLink {
public:
    static constexpr std::uint8_t kStx = 0x02;
    static constexpr std::uint8_t kEtx = 0x03;
    static constexpr int kTries = 3;
    static constexpr int kFirstPortPasses = 4;
    static constexpr std::size_t kMaxScannedPorts = 16;
    // Radio modes.
    static constexpr std::uint16_t kModeNormal = 1;
    static constexpr std::uint16_t kModeRead = 2;
    static constexpr std::uint16_t kModeWrite = 3;
    static constexpr std::uint16_t kModeAdjust = 6;
    // Identity queries.
    static constexpr std::uint8_t kInfoModelName = 0x03;
    static constexpr std::uint8_t kInfoRange = 0x05;
    static constexpr std::uint8_t kInfoSignal = 0x07;
    static constexpr std::uint8_t kInfoFirmware = 0x21;
    static constexpr std::uint8_t kInfoModelId = 0x22;

    using CSerialLink::CSerialLink;
    ~CRadioLink() override;
    CRadioLink(const CRadioLink&) = delete;
    CRadioLink& operator=(const CRadioLink&) = delete;

    // Ends the programming contact: a radio put into another mode on this
    // port is sent mode 1 first, whatever went wrong before, so that no
    // command leaves a radio that still answers outside its normal mode.
    bool Close();

    void SetTiming(const CLinkTiming& timing) { m_timing = timing; }
    const CLinkTiming& Timing() const { return m_timing; }

    // Two's complement of the 8-bit sum: covered bytes plus checksum sum to 0.
    static std::uint8_t Checksum(std::span<const std::uint8_t> data);

    bool Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t> reply);
    bool ExchangeRetry(std::span<const std::uint8_t> request, std::span<std::uint8_t> reply, int tries);

    // The "Pa" probe; pauseAfterFailedPass is off for the port scan.
    bool Handshake(int passes, bool pauseAfterFailedPass = true);
    // Opens and configures the port and shakes hands; on success the port
    // stays open and its name is returned, else it is closed and "" returned.
    std::string TryPort(const std::string& name, std::uint32_t baud, std::uint8_t byteSize, std::uint8_t parity,
                        std::uint8_t stopBits, std::uint32_t timeoutMs, int passes);
    // The remembered port with four passes, then each listed port (at most
    // sixteen, the remembered one again in its place) with one; "" when no
    // radio answers (the caller shows S01 01143).
    std::string Connect(const std::string& remembered, const std::vector<std::string>& listed);
    // Whether a radio answers one handshake pass on the port, which is closed
    // again either way; the probe changes nothing in the radio.
    bool Answers(const std::string& name);

    // 1 accepted, -1 answered with status "c", 0 no or another answer.
    int SetRadioMode(std::uint16_t mode);
    bool ReadBlock(std::uint32_t address, std::span<std::uint8_t> destination);
    bool WriteBlock(std::uint32_t address, std::span<const std::uint8_t> source);
    bool QueryInfo(std::uint8_t code, std::span<std::uint8_t> destination);
    bool ReadRadioInfo(const std::string& programVersion, CRadioIdentity& identity);
    // 1 read, 0 no valid answer, -1 the radio refused the adjustment mode.
    int ReadTuneValue(std::uint16_t item, std::span<std::uint8_t> destination);
    int ReadTuneValueAlt(std::uint16_t item, std::span<std::uint8_t> destination);
    bool WriteTuneValue(std::uint16_t item, std::span<const std::uint8_t> value);
    bool SetTransmit(bool on);
    bool SetTestOption(std::uint8_t a, std::uint8_t b);

    // The request frames, exactly as they go on the wire.
    static std::vector<std::uint8_t> ReadBlockRequest(std::uint32_t address, std::uint16_t length);
    static std::vector<std::uint8_t> WriteBlockRequest(std::uint32_t address, std::span<const std::uint8_t> data);

private:
    bool ExchangeExpecting(std::span<const std::uint8_t> request, std::span<const std::uint8_t> expected);
    int ReadTuneReply(char command, std::uint16_t item, std::span<std::uint8_t> destination);

    CLinkTiming m_timing;
    bool m_outsideNormalMode = false; // a mode other than 1 was asked for on this port
};

} // namespace qrv
