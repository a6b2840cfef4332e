#include "report_verb.h"

#include "cli_args.h"
#include "cli_context.h"
#include "cli_messages.h"
#include "radio_data/messages.h"
#include "report/report_sections.h"
#include "report_pdf.h"
#include "report_printer.h"
#include "util/atomic_file.h"
#include "util/text_format.h"

#include <array>
#include <cstdint>
#include <set>
#include <span>
#include <string_view>

namespace qrv::cli {

namespace {

// The names of the sections on the command line, in the order of the section table.
constexpr std::array<std::string_view, 10> kSectionNames{
    "radio", "keys", "misc", "vox", "mode", "channels", "personality", "scan", "messages", "test-frequency",
};

std::string SectionList()
{
    std::string list;
    for (const std::string_view name : kSectionNames)
        list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

// The form numbers of the named sections (all when none is named); nullopt for an unknown name.
std::optional<std::set<int>> ChosenSections(const std::vector<std::string>& names)
{
    const auto sections = ReportSections();
    std::set<int> forms;
    for (const std::string& name : names) {
        std::size_t i = 0;
        while (i < kSectionNames.size() && kSectionNames[i] != name)
            ++i;
        if (i == kSectionNames.size() || i >= sections.size())
            return std::nullopt;
        forms.insert(sections[i].formNumber);
    }
    if (names.empty())
        for (const CReportSection& section : sections)
            forms.insert(section.formNumber);
    return forms;
}

} // namespace

int VerbReport(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (!a.Parse(args, {"-o", "--section", "--language", "--data-dir"}, {}))
        return Usage(a.Error());
    if (a.Positional().size() != 1)
        return Usage("expected 1 file argument(s)");
    const auto out = a.Value("-o");
    if (!out)
        return Usage("report needs -o OUT.pdf");
    const auto sections = ChosenSections(a.Values("--section"));
    if (!sections)
        return Usage("--section must be one of " + SectionList());

    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    CSettings& settings = context.Settings();
    if (const auto language = a.Value("--language")) {
        const bool digits = !language->empty() && language->find_first_not_of("0123456789") == std::string::npos;
        const long long index = digits ? ParseLeadingInt(*language) : -1;
        const auto count = static_cast<long long>(settings.LanguageList().size());
        if (index < 0 || index >= count)
            return Usage(Format("--language must be 0 to %lld", count - 1));
        // The settings are read-only here: the choice lasts for this report only.
        settings.SelectLanguage(static_cast<int>(index));
    }

    const CFileResult opened = context.Session().Open(FromUtf8Path(a.Positional()[0]));
    if (!opened.ok)
        return context.FailOpen(a.Positional()[0], opened);
    CReportPrinter printer(context.RadioData(), settings);
    printer.Prepare(*sections);
    const std::optional<QByteArray> pdf = ReportPdf(printer);
    if (!pdf)
        return context.Fail(msg::kReportNotWritten, *out);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(pdf->constData());
    const CSaveResult saved =
        WriteFileAtomically(FromUtf8Path(*out), std::span(bytes, static_cast<std::size_t>(pdf->size())));
    if (!saved)
        return context.FailSave(*out, saved);
    return kExitOk;
}

} // namespace qrv::cli
