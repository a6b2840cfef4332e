#include "csv_verbs.h"

#include "cli_args.h"
#include "cli_context.h"
#include "csv/channel_csv.h"
#include "radio_data/data_file.h"
#include "radio_data/read_failure.h"
#include "util/atomic_file.h"
#include "util/text_format.h"

#include <cstdio>
#include <optional>

namespace qrv::cli {

namespace {

constexpr std::uintmax_t kMaxCsvBytes = 1024 * 1024; // far above 16 channels of any tool

// --format: native or common; nullopt for anything else.
std::optional<CCsvFormat> FormatOption(const CCliArgs& a, const char* fallback)
{
    const std::string format = a.Value("--format").value_or(fallback);
    if (format == "native")
        return CCsvFormat::Native;
    if (format == "common")
        return CCsvFormat::Common;
    return std::nullopt;
}

} // namespace

int VerbExportCsv(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (!a.Parse(args, {"-o", "--format", "--data-dir"}, {}))
        return Usage(a.Error());
    const auto out = a.Value("-o");
    const auto format = FormatOption(a, "native");
    if (a.Positional().size() != 1 || !out)
        return Usage("export-csv needs FILE and -o OUT.csv");
    if (!format)
        return Usage("--format must be native or common");

    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    const CFileResult opened = context.Session().Open(FromUtf8Path(a.Positional()[0]));
    if (!opened.ok)
        return context.FailOpen(a.Positional()[0], opened);
    const std::string text = ExportChannels(context.RadioData(), context.Settings(), *format);
    if (const CSaveResult saved = WriteFileAtomically(FromUtf8Path(*out), text); !saved)
        return context.FailSave(*out, saved);
    return kExitOk;
}

// The header row tells the column set unless --format forces one. Any
// rejected row makes the import fail without writing OUT, unless --skip-bad
// asks for the good rows alone; the rows are listed either way. A result
// that fails the data checks is listed and not written.
int VerbImportCsv(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (!a.Parse(args, {"-o", "--format", "--data-dir"}, {"--append", "--skip-bad"}))
        return Usage(a.Error());
    const auto out = a.Value("-o");
    const bool forced = a.Value("--format").has_value();
    const auto format = FormatOption(a, "native");
    if (a.Positional().size() != 2 || !out)
        return Usage("import-csv needs FILE, IN.csv and -o OUT");
    if (!format)
        return Usage("--format must be native or common");

    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    const auto in = FromUtf8Path(a.Positional()[0]);
    const CFileResult opened = context.Session().Open(in);
    if (!opened.ok)
        return context.FailOpen(a.Positional()[0], opened);
    const std::string& csvName = a.Positional()[1];
    const CFileBytes csv = ReadFileBytes(FromUtf8Path(csvName), kMaxCsvBytes);
    if (!csv) {
        const CReadFailureMessage why = DescribeReadFailure(csvName, csv.failure);
        return context.Fail(why.message, why.argument);
    }
    const std::string text(csv.bytes.begin(), csv.bytes.end());
    const CImportResult result = ImportChannels(text, context.RadioData(), context.Settings(),
                                                forced ? format : std::nullopt, a.Flag("--append"));
    for (const CRejectedRow& row : result.rejected)
        std::fprintf(stderr, "%s:%zu: %s\n", csvName.c_str(), row.line, row.reason.c_str());
    if (result.channels.empty())
        return context.Fail(csvmsg::kNothingToTake);
    if (!result.rejected.empty() && !a.Flag("--skip-bad"))
        return kExitFailure;

    if (!result.append)
        std::printf("%s\n", context.Settings().GetMessage(csvmsg::kReplacesList).c_str());
    ApplyImport(result, context.RadioData());
    if (context.RadioData().InvalidLog().Count() > 0)
        return context.FailChecks(csvmsg::kDataProblems);
    std::string comment;
    ReadComment(in, comment);
    const CFileResult saved = context.Session().SaveAs(FromUtf8Path(*out), comment);
    if (!saved.ok)
        return context.Fail(saved.message, saved.argument);
    return kExitOk;
}

} // namespace qrv::cli
