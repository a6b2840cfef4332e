#pragma once
// What every verb shares: the program directory, a settings object that never
// writes Settings.ini, the codeplug, and how failures are reported.
#include "program_directory.h"
#include "radio_data/invalid_log.h"
#include "radio_data/model_catalog.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "session/codeplug_session.h"
#include "util/atomic_file.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace qrv::cli {

// diff and check answer a question, as diff(1) does: 1 when they found
// differences or problems, 2 when they could not look.
// A verb returns kUsageError (from Usage()) for a usage error: main then
// prints the verb's usage and exits with kExitUsage.
enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2, kExitFound = 1, kExitTrouble = 2, kUsageError = 0x102 };

class CCliContext {
public:
    explicit CCliContext(const std::filesystem::path& programDirectory);
    ~CCliContext();
    CCliContext(const CCliContext&) = delete;
    CCliContext& operator=(const CCliContext&) = delete;

    CSettings& Settings() { return *m_settings; }
    CCodeplugSession& Session() { return *m_session; }
    CRadioData& RadioData() { return m_session->Data(); }
    CFreqRangeList& Ranges() { return m_session->Ranges(); }

    // Prints the S01 message of the language file on stderr (with its
    // argument) and returns kExitFailure. Falls back to a plain text when the
    // language file has no such message.
    int Fail(int message, const std::string& argument = {}) const;
    int FailNumber(int message, long long number) const;
    // Why the file could not be saved.
    int FailSave(const std::string& file, const CSaveResult& result) const;
    // Why a data file could not be opened; a damaged one is named, as the
    // command line may have been given several.
    int FailOpen(const std::string& file, const CFileResult& result) const;
    // Opens the data file into the session; false after saying why it cannot be.
    bool OpenOrSay(const std::string& file);
    // What the data checks found, under a headline, one problem a line: where
    // the program would point at its invalid log. Fail() of the invalid-data
    // message comes here too.
    int FailChecks(int headline) const;

private:
    std::unique_ptr<CSettings> m_settings;
    std::unique_ptr<CCodeplugSession> m_session;
};

// Prints what is wrong with the command line; returns kUsageError.
int Usage(const std::string& reason);

// One problem of the data checks: its field, then its place, as the entry knows them.
std::string CheckLine(const CInvalidEntry& entry);

} // namespace qrv::cli
