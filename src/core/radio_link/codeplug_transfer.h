#pragma once
// Read from Radio and Write to Radio. The object is made on the window's
// thread and takes a copy of what it needs of the settings and the
// document's identity there; Prepare (connect, identify, check, select the
// mode) and Run (the blocks, the read-back) may then run on a worker thread,
// touching nothing but the link and the image; Finish applies the outcome to
// the settings, the range list and the codeplug on the window's thread again.
#include "radio_data/document_identity.h"
#include "radio_data/model_catalog.h"
#include "radio_link/radio_link.h"
#include "util/bytes.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qrv {

class CSettings;
class CRadioData;

struct CTransferResult {
    bool ok = false;
    int message = 0;           // S01 number to show
    std::string argument;      // its argument (a version or a range text)
    std::uint32_t address = 0; // for the block messages: the failing address
    bool noRadio = false;      // nothing answered: the dialog stays open
    // A failed write after which the radio may hold part of what was sent:
    // the S01 number of the note that says so (0 when the radio is unchanged).
    int partialNote = 0;
};

// Where a transfer looks for the radio: the remembered port first, then the listed ones.
struct CPortChoice {
    std::string remembered;
    std::vector<std::string> listed;
};

class CCodeplugTransfer {
public:
    enum class Direction { Read, Write };

    static constexpr std::uint32_t kBlockSize = 16;
    static constexpr std::uint32_t kReadBlocks = 128;
    static constexpr std::uint32_t kStampAddress = 0x020;
    static constexpr std::uint32_t kTuneSwitchAddress = 0x127;
    static constexpr std::size_t kTuneSwitchSize = 2;
    static constexpr std::uint8_t kTuneSwitchMask = 0x08; // bit 3 of the word's second byte

    struct CRange {
        std::uint32_t first;
        std::uint32_t last;
    };
    // What Write to Radio sends, in this order (the tuning points only at the factory levels).
    static std::vector<CRange> WriteRanges(bool factoryLevel);
    // The blocks a range is cut into: 16 bytes each, a shorter last one.
    static std::vector<std::pair<std::uint32_t, std::uint16_t>> Blocks(const CRange& range);
    static int ReadProgress(std::uint32_t block);
    // Reads the ranges back in the radio's present mode and holds them against
    // sent: nothing when the radio holds what was sent, else the failure
    // naming the addresses (or the block that could not be read back).
    static std::optional<CTransferResult> ReadBack(CRadioLink& link, const Image& sent,
                                                   const std::vector<CRange>& ranges);
    static std::array<std::uint8_t, 8> Stamp(const std::tm& localTime);
    // A write needs the document's range to lie inside the radio's.
    static bool RangeFitsRadio(const CDocumentIdentity& document, const FreqRangeRec& radio)
    {
        return document.LowerLimit() >= radio.lower && document.UpperLimit() <= radio.upper;
    }

    // image: the buffer read into (Read; filled with zeros here) or sent from (Write).
    CCodeplugTransfer(Direction direction, CRadioLink& link, CSettings& settings, const CDocumentIdentity& document,
                      Image& image);

    // Any thread: connect, identify, check, select the mode.
    CTransferResult Prepare(const CPortChoice& ports, const std::tm& localTime);
    // Any thread: the blocks. progress receives the percent values.
    CTransferResult Run(const std::function<void(int percent)>& progress);
    // The settings' thread, after Run: the port found goes to the settings,
    // the identity of the radio to the codeplug, the radio's range to the
    // range list (the question through ask), and the codeplug takes the result.
    void Finish(const CTransferResult& result, CRadioData& data, CFreqRangeList& ranges,
                const CFreqRangeList::RangeQuestion& ask);
    // The first part of Finish alone: the port found goes to the settings,
    // the radio's identity to the document's.
    void ApplyTo(const CTransferResult& result, CDocumentIdentity& document);

    const FreqRangeRec& RadioRange() const { return m_radioRange; }
    // The identity a backup of this transfer carries: after a read the
    // radio's, after a write the document's with the radio's data version.
    CDocumentIdentity BackupIdentity() const;
    const CRadioIdentity& Radio() const { return m_radio; }
    const std::string& FoundPort() const { return m_port; }
    // Write: the image as it goes to the radio (the document's, with the
    // radio's own manual tune switch bit and, once sent, the stamp).
    const Image& Sent() const { return m_sent; }
    // After a write, read back what was sent and compare (on unless turned off).
    void SetVerify(bool verify) { m_verify = verify; }
    // A write's last check once the radio is identified and its range fits,
    // before anything is sent (on the worker's thread): 0 goes on, a message
    // number refuses the radio with it.
    using BeforeWrite = std::function<int(CRadioLink& link)>;
    void SetBeforeWrite(BeforeWrite check) { m_beforeWrite = std::move(check); }
    bool Verify() const { return m_verify; }
    // Set from another thread, it ends a write before its next block (the
    // block under way is finished; closing the link returns the radio to mode 1).
    void SetStopRequest(const std::atomic<bool>* stop) { m_stop = stop; }

private:
    CTransferResult Fail(int message, std::string argument = {});
    CTransferResult RunRead(const std::function<void(int)>& progress);
    CTransferResult RunWrite(const std::function<void(int)>& progress);
    CTransferResult WriteFailed(int message, std::uint32_t address, std::string argument = {});
    // An empty result when the radio holds what was sent.
    std::optional<CTransferResult> VerifyWritten();

    Direction m_direction;
    CRadioLink& m_link;
    CSettings& m_settings;
    Image& m_image;
    bool m_factoryLevel = false;
    CDocumentIdentity m_document;    // the document's identity when the transfer was made
    CIdentityExpectation m_expected; // the model the radio must report
    bool m_identified = false;       // the radio passed the identity check
    BeforeWrite m_beforeWrite;
    std::string m_port;
    int m_portNumber = 0;
    CRadioIdentity m_radio;
    FreqRangeRec m_radioRange;
    std::array<std::uint8_t, 8> m_stamp{};
    Image m_sent{};
    bool m_verify = true;
    const std::atomic<bool>* m_stop = nullptr;
};

} // namespace qrv
