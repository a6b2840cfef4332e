#pragma once
// The model catalogue (Model.dat), the frequency-range list of the current
// model, and the identity checks made before data is exchanged with a radio.
#include "radio_data/document_identity.h"
#include "radio_data/ini_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace qrv {

class CSettings;

struct FreqRangeRec {
    std::int32_t lower = 0;
    std::int32_t upper = 0;
    std::int32_t third = 0;
    std::int32_t fourth = 0;
    std::uint8_t flags = 0; // bit 7 one flag, bits 0-6 a value
    bool operator==(const FreqRangeRec&) const = default;
};

// The range a model falls back to when Model.dat has none.
inline constexpr FreqRangeRec kFallbackRange{136, 174, 136, 174, 0x80};

// A short-lived reader of Model.dat for one model identity.
class CModelCatalog {
public:
    static constexpr const char* kFileName = "Model.dat";

    CModelCatalog(std::filesystem::path programDirectory, std::string modelId, std::string modelName,
                  std::string freqRange, int signal);
    // The same over a Model.dat already read (FilePath() is then relative).
    CModelCatalog(CIniFile file, std::string modelId, std::string modelName, std::string freqRange, int signal);

    int Count() const { return m_count; }
    bool GetRange(int index, FreqRangeRec& record) const;
    // The model identifier whose name list holds the name; empty when none does.
    std::string FindModelID(const std::string& modelName) const;
    // The identifiers of the Setting section, in the order the model dialog lists them.
    std::vector<std::string> ModelIds() const;
    std::vector<std::string> ModelNames(const std::string& modelId) const;

    void SetModelID(const std::string& modelId);
    void SetModelName(const std::string& name) { m_modelName = name; }
    void SetRangeText(const std::string& range) { m_freqRange = range; }
    void SetSignal(int signal) { m_signal = signal; }
    const std::string& ModelID() const { return m_modelId; }
    const std::string& ModelName() const { return m_modelName; }
    const std::string& RangeText() const { return m_freqRange; }
    int Signal() const { return m_signal; }

    std::filesystem::path FilePath() const { return m_programDirectory / kFileName; }

private:
    std::filesystem::path m_programDirectory;
    std::string m_modelId;
    std::string m_modelName;
    std::string m_freqRange;
    int m_signal = 0;
    int m_count = 0;
    CIniFile m_file; // read once: the reader lives for one operation
};

// The range list of the current model, rebuilt by SetModel.
class CFreqRangeList {
public:
    // A hostile Number in Model.dat never makes the list larger than this.
    static constexpr int kMaxRanges = 256;

    void SetModel(const std::filesystem::path& programDirectory, const std::string& modelId,
                  const std::string& modelName, const std::string& freqRange, int signal);
    void SetModel(const std::filesystem::path& programDirectory, const CDocumentIdentity& identity);
    void SetModel(const CModelCatalog& catalog);

    const std::vector<FreqRangeRec>& Records() const { return m_records; }
    int Count() const { return m_count; }
    bool Contains(int lower, int upper) const;
    // The flags of the record matching the range text (0 when none does).
    std::uint8_t FlagsOf(const std::string& rangeText) const;

    // Appends the record to the model's section of Model.dat.
    bool AddFreqRange(const std::filesystem::path& programDirectory, const std::string& modelId,
                      const FreqRangeRec& record);

    // After a radio reported its range: 0 when known, 1 when the user declined
    // to add it, 2 when it was added. The question is asked through the callback
    // (lower, upper) -> true for Yes; the answer is kept in the settings.
    using RangeQuestion = std::function<bool(int lower, int upper)>;
    // A range added goes to the document's model in Model.dat.
    int CheckNewFreqRange(CSettings& settings, const CDocumentIdentity& identity, FreqRangeRec record,
                          const RangeQuestion& ask);

private:
    std::vector<FreqRangeRec> m_records = std::vector<FreqRangeRec>(1, kFallbackRange);
    int m_count = 1;
};

// The program's own question for a new range, in the language of the index.
std::string NewRangeQuestion(int languageIndex, int lower, int upper);

// Compares the first four characters of two version strings byte by byte as
// unsigned values: -1, 0 or 1 for the first being smaller, equal or greater.
int CompareVersions(const std::string& version, const std::string& reference);

// The 9-byte range block a radio reports: flags, lower and upper frequency words.
FreqRangeRec DecodeRadioRange(std::span<const std::uint8_t> block);

struct CIdentityResult {
    int result = 0;       // 0 usable, 1 model mismatch, 2 newer data version
    int message = 0;      // S01 number to show, 0 for none
    std::string argument; // the message's argument (the radio's version)
    FreqRangeRec range;   // the radio's range when the result is 0
};

enum class IdentityMode { Accept, Exact };

// The model a radio must report: the accepted model identifier (Accept) or
// the document's own (Exact), and the document's model name.
struct CIdentityExpectation {
    std::string modelId;
    std::string modelName;
};
CIdentityExpectation ExpectedIdentity(const CSettings& settings, const CDocumentIdentity& document, IdentityMode mode);

CIdentityResult CheckRadioIdentity(const CIdentityExpectation& expected, const std::string& radioModelId,
                                   const std::string& radioModelName, const std::string& radioVersion,
                                   int versionComparison, std::span<const std::uint8_t> rangeBlock);

} // namespace qrv
