#include "cli_context.h"

#include "cli_messages.h"
#include "program_directory.h"
#include "radio_data/messages.h"
#include "radio_data/program_files.h"
#include "radio_data/save_failure.h"
#include "util/text_format.h"

#include <cstdio>

namespace qrv::cli {

CCliContext::CCliContext(const std::filesystem::path& programDirectory)
    : m_settings(std::make_unique<CSettings>(programDirectory))
{
    m_settings->SetReadOnly(true);
    m_settings->SelectLanguage(m_settings->StoredLanguageIndex());
    // A refused file reads as missing: the command goes on, and says so.
    for (const CRefusedFile& refused : RefusedProgramFiles(*m_settings))
        std::fprintf(stderr, "qrvctl: %s\n", RefusalText(*m_settings, refused).c_str());
    m_session = std::make_unique<CCodeplugSession>(*m_settings);
}

CCliContext::~CCliContext()
{
    m_session.reset();
}

int CCliContext::Fail(int message, const std::string& argument) const
{
    // The program's text points at a window qrvctl does not have.
    if (message == msg::kInvalidData)
        return FailChecks(climsg::kDataFailsChecks);
    const std::string text = FormatMessageText(m_settings->GetMessage(message), argument);
    std::fprintf(stderr, "qrvctl: %s\n", text.c_str());
    return kExitFailure;
}

int CCliContext::FailNumber(int message, long long number) const
{
    const std::string text = FormatMessageNumber(m_settings->GetMessage(message), number);
    std::fprintf(stderr, "qrvctl: %s\n", text.c_str());
    return kExitFailure;
}

int CCliContext::FailOpen(const std::string& file, const CFileResult& result) const
{
    if (result.message == msg::kCannotRead)
        return Fail(msg::kReadDamaged, PrintableText(file));
    return Fail(result.message, result.argument);
}

int CCliContext::FailChecks(int headline) const
{
    std::fprintf(stderr, "qrvctl: %s\n", m_settings->GetMessage(headline).c_str());
    for (const CInvalidEntry& entry : m_session->Data().InvalidLog().Entries())
        std::fprintf(stderr, "  %s\n", CheckLine(entry).c_str());
    return kExitFailure;
}

bool CCliContext::OpenOrSay(const std::string& file)
{
    const CFileResult opened = m_session->Open(FromUtf8Path(file));
    if (!opened.ok)
        FailOpen(file, opened);
    return opened.ok;
}

int CCliContext::FailSave(const std::string& file, const CSaveResult& result) const
{
    const CSaveFailureMessage failure = DescribeSaveFailure(file, result);
    return Fail(failure.message, failure.argument);
}

std::string CheckLine(const CInvalidEntry& entry)
{
    return entry.title + ": " + entry.text;
}

int Usage(const std::string& reason)
{
    std::fprintf(stderr, "qrvctl: %s\n", reason.c_str());
    return kUsageError;
}

} // namespace qrv::cli
