#pragma once
// A hand-held radio in programming contact, seen from its own side: it takes
// the program's bytes, picks complete frames out of them and answers each one
// as the radio would, with the faults it was told to commit.
//
// Radio behaviour where the frames leave a choice:
//  - Memory reads ("Eb") and identity queries ("Bb") are answered in every
//    mode: the tune switch word is read right after connecting and in mode 3.
//  - Memory writes ("Ea") are accepted in mode 3 only; in another mode, out of
//    range or at a refused address they get status 'b'. A bad checksum gets
//    no answer at all, as the radio cannot trust the frame.
//  - Tuning commands ("Vb", "Vl", "Va", "Vj", "Vk") and the test option ("O")
//    are answered in mode 6 only, for items 0x8050-0x84AF and 0x850B.
//  - Modes other than 1, 2, 3 and 6 are not answered and leave the mode.
//  - Unknown or malformed frames get no answer; a frame the radio does not
//    answer because of a fault has no effect either.
//  - Identity queries answer from Identity() as it is now; the memory is
//    seeded from it once, at construction: 0xFF everywhere but the model
//    name, range and signalling in the identity block at 0x010, the tune
//    switch word FF 87 at 0x127 and a zeroed message area 0x400-0x49F (the
//    message block sits at 0x400 in the image and at 0x410 in transfers).
// Not thread-safe: CSimBytePort serialises access for the program side.
#include "sim_identity.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace qrv::sim {

class CSimRadio {
public:
    static constexpr std::size_t kMemorySize = 2048;
    using MemoryBytes = std::array<std::uint8_t, kMemorySize>;

    // Where a fresh radio keeps what it is born with.
    static constexpr std::uint32_t kIdentityBlock = 0x010;
    static constexpr std::size_t kModelNameWidth = 12;
    static constexpr std::uint32_t kRangeFlagsAt = 0x01C; // band flag, then range ID
    static constexpr std::uint32_t kSignalAt = 0x01E;
    static constexpr std::uint32_t kLowerLimitAt = 0x028;
    static constexpr std::uint32_t kUpperLimitAt = 0x02C;
    static constexpr std::uint32_t kSerialAt = 0x048; // the serial number: text, then NUL padding
    static constexpr std::size_t kSerialWidth = 16;
    static constexpr std::uint32_t kTuneSwitchAt = 0x127;
    static constexpr std::array<std::uint8_t, 2> kTuneSwitchWord{0xFF, 0x87};
    static constexpr std::uint32_t kMessagesFirst = 0x400; // covers both layouts of the message block
    static constexpr std::uint32_t kMessagesEnd = 0x4A0;

    static constexpr int kNormalMode = 1;
    static constexpr int kReadMode = 2;
    static constexpr int kWriteMode = 3;
    static constexpr int kTuneMode = 6;

    static constexpr std::uint16_t kFirstTuneItem = 0x8050;
    static constexpr std::uint16_t kLastTuneItem = 0x84AF;
    static constexpr std::uint16_t kVolumeItem = 0x850B;
    static constexpr std::uint16_t kUntunedValue = 0x0080; // an item never written reads mid-scale

    struct CReply {
        std::vector<std::uint8_t> bytes;
        // After the last byte of the request arrived: the wire time of request
        // and reply when wireTiming is set, plus replyDelay.
        std::chrono::microseconds delay{0};
    };

    explicit CSimRadio(CSimIdentity identity = {});

    // Bytes from the program; every frame they complete is answered. Partial
    // frames wait for the rest; bytes before a start byte are dropped.
    std::vector<CReply> Feed(std::span<const std::uint8_t> bytes);

    MemoryBytes& Memory() { return m_memory; }
    const MemoryBytes& Memory() const { return m_memory; }
    CSimIdentity& Identity() { return m_identity; }
    CSimFaults& Faults() { return m_faults; }
    // Writes the serial number field; false (memory untouched) when the text is too long for it.
    bool SetSerial(std::string_view text);
    int Mode() const { return m_mode; }
    // Kept values per item; "Va" changes a working set on top of them that
    // "Vj" keeps (merges in) and "Vk" drops.
    std::map<std::uint16_t, std::uint16_t>& TuneValues() { return m_tune; }
    // The value "Vb" would read now, the working set included.
    std::uint16_t CurrentTuneValue(std::uint16_t item) const;
    bool TestOption(char which) const;

    // Every complete frame received, answered or not, in order.
    std::vector<std::vector<std::uint8_t>> ReceivedFrames() const { return m_frames; }
    // (address, length) of every block write the radio kept.
    std::vector<std::pair<std::uint32_t, std::uint16_t>> Writes() const { return m_writes; }
    // Empties both logs; the fault counters (ignored and vanishing) run on.
    void ClearLog();

    // Noise is drawn from a fixed seed so a run can be repeated.
    void SeedNoise(std::uint32_t seed) { m_rng.seed(seed); }

private:
    std::optional<CReply> Respond(std::span<const std::uint8_t> frame);
    std::optional<std::vector<std::uint8_t>> Answer(std::span<const std::uint8_t> frame);
    std::optional<std::vector<std::uint8_t>> OnMode(std::span<const std::uint8_t> frame);
    std::optional<std::vector<std::uint8_t>> OnReadBlock(std::span<const std::uint8_t> frame);
    std::optional<std::vector<std::uint8_t>> OnWriteBlock(std::span<const std::uint8_t> frame);
    std::optional<std::vector<std::uint8_t>> OnQuery(std::span<const std::uint8_t> frame) const;
    std::optional<std::vector<std::uint8_t>> OnTune(std::span<const std::uint8_t> frame);
    std::optional<std::vector<std::uint8_t>> OnOption(std::span<const std::uint8_t> frame);
    void Damage(std::vector<std::uint8_t>& reply);

    CSimIdentity m_identity;
    CSimFaults m_faults;
    MemoryBytes m_memory{};
    int m_mode = kNormalMode;
    std::map<std::uint16_t, std::uint16_t> m_tune;
    std::map<std::uint16_t, std::uint16_t> m_workingTune;
    bool m_optionA = false;
    bool m_optionB = false;

    std::vector<std::uint8_t> m_input;
    std::vector<std::vector<std::uint8_t>> m_frames;
    std::vector<std::pair<std::uint32_t, std::uint16_t>> m_writes;
    long m_framesSeen = 0;
    int m_ignored = 0;
    std::mt19937 m_rng{1};
};

} // namespace qrv::sim
