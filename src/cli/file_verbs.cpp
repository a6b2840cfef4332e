#include "file_verbs.h"

#include "cli_args.h"
#include "cli_context.h"
#include "dump.h"
#include "dump_writer.h"
#include "radio_data/change_log.h"
#include "radio_data/data_file.h"
#include "radio_data/data_file_contents.h"
#include "radio_data/messages.h"
#include "util/text_format.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <array>
#include <cstdio>

namespace qrv::cli {

namespace {

const std::set<std::string> kNoFlags;

// Parses the verb's options; on a usage error returns the exit code to use.
std::optional<int> ParseArgs(CCliArgs& parsed, const std::vector<std::string>& args, std::set<std::string> values,
                             const std::set<std::string>& flags, std::size_t positionals)
{
    values.insert("--data-dir");
    if (!parsed.Parse(args, values, flags))
        return Usage(parsed.Error());
    if (parsed.Positional().size() != positionals)
        return Usage(Format("expected %zu file argument(s)", positionals));
    return std::nullopt;
}

void PrintJson(const QJsonObject& object)
{
    const QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
}

// Every line of a text made from a file's contents, with control characters escaped.
void PrintTextLines(const std::string& text)
{
    for (const std::string& line : Split(text, '\n'))
        if (!line.empty())
            std::printf("%s\n", PrintableText(line).c_str());
}

QJsonObject CheckJson(const std::vector<CInvalidEntry>& entries)
{
    QJsonArray problems;
    for (const CInvalidEntry& entry : entries) {
        QJsonObject problem;
        problem[QStringLiteral("field")] = Q(entry.title);
        problem[QStringLiteral("place")] = Q(entry.text);
        problem[QStringLiteral("control")] = entry.control; // the same in every language
        problems.append(problem);
    }
    QJsonObject o;
    o[QStringLiteral("problems")] = problems;
    return o;
}

} // namespace

int VerbNew(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code =
            ParseArgs(a, args, {"-o", "--model-id", "--model-name", "--range", "--signal", "--comment"}, kNoFlags, 0))
        return *code;
    const auto out = a.Value("-o");
    if (!out)
        return Usage("new needs -o FILE");

    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    CSettings& settings = context.Settings();
    CDocumentIdentity identity = context.RadioData().Identity();
    if (auto id = a.Value("--model-id"))
        identity.modelId = *id;
    if (auto name = a.Value("--model-name"))
        identity.modelName = *name;
    if (auto range = a.Value("--range")) {
        int lower = 0;
        int upper = 0;
        ParseRangeText(*range, lower, upper);
        if (lower <= 0 || upper <= lower)
            return Usage("--range must read LO-HI in whole MHz, for example 400-470");
        identity.freqRange = MakeRangeText(lower, upper);
    }
    if (auto signal = a.Value("--signal")) {
        const long long value = ParseLeadingInt(*signal);
        if (value < 0 || value > 255)
            return Usage("--signal must be 0 to 255");
        identity.signal = static_cast<int>(value);
    }
    if (identity.modelId.empty())
        identity.modelId = settings.GetModelText(msg::kAcceptedModelId);

    context.Session().SetIdentity(identity);
    context.Session().LoadDefaultImage();
    const CFileResult result = context.Session().SaveAs(FromUtf8Path(*out), a.Value("--comment").value_or(""));
    if (!result.ok)
        return context.Fail(result.message, result.argument);
    return kExitOk;
}

int VerbInfo(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = ParseArgs(a, args, {}, {"--json"}, 1))
        return *code;
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    const CDataFileContents file = ReadDataFile(FromUtf8Path(a.Positional()[0]));
    if (!file)
        return context.Fail(file.failure.message, file.failure.argument);
    const DataFileHeader& header = file.header;
    const std::string& comment = file.comment;

    if (a.Flag("--json")) {
        QJsonObject o;
        o[QStringLiteral("model_id")] = Q(header.ModelId());
        o[QStringLiteral("model_name")] = Q(header.ModelName());
        o[QStringLiteral("range")] = Q(MakeRangeText(header.LowerLimit(), header.UpperLimit()));
        o[QStringLiteral("lower_mhz")] = header.LowerLimit();
        o[QStringLiteral("upper_mhz")] = header.UpperLimit();
        o[QStringLiteral("radio_data_version")] = Q(header.RadioDataVersion());
        o[QStringLiteral("program_version")] = Q(header.ProgramVersion());
        o[QStringLiteral("range_flags")] = header.RangeFlags();
        o[QStringLiteral("signal")] = header.Signal();
        o[QStringLiteral("comment")] = Q(comment);
        PrintJson(o);
        return kExitOk;
    }
    // Texts from the file reach the terminal with their control characters escaped.
    std::printf("Model ID:           %s\n", PrintableText(header.ModelId()).c_str());
    std::printf("Model name:         %s\n", PrintableText(header.ModelName()).c_str());
    std::printf("Frequency range:    %d-%d MHz\n", header.LowerLimit(), header.UpperLimit());
    std::printf("Radio data version: %s\n", PrintableText(header.RadioDataVersion()).c_str());
    std::printf("Program version:    %s\n", PrintableText(header.ProgramVersion()).c_str());
    std::printf("Range flags:        0x%02X\n", header.RangeFlags());
    std::printf("Signal:             %u\n", header.Signal());
    std::printf("Comment:            %s\n", PrintableText(comment).c_str());
    return kExitOk;
}

int VerbDump(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = ParseArgs(a, args, {}, {"--json"}, 1))
        return *code;
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    const CFileResult result = context.Session().Open(FromUtf8Path(a.Positional()[0]));
    if (!result.ok)
        return context.FailOpen(a.Positional()[0], result);
    if (a.Flag("--json"))
        PrintJson(DumpJson(context));
    else
        PrintTextLines(DumpText(context));
    return kExitOk;
}

int VerbHex(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = ParseArgs(a, args, {}, kNoFlags, 1))
        return *code;
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    const CDataFileContents file = ReadDataFile(FromUtf8Path(a.Positional()[0]));
    if (!file)
        return context.Fail(file.failure.message, file.failure.argument);
    const Image& image = file.image;
    std::printf("       ");
    for (int c = 0; c < 16; ++c)
        std::printf(" %s", ColumnHeader(c).c_str());
    std::printf("\n");
    for (std::size_t row = 0; row < kImageSize / 16; ++row) {
        std::printf("0x%03zX ", row * 16);
        std::string ascii;
        for (std::size_t c = 0; c < 16; ++c) {
            const std::uint8_t b = image[row * 16 + c];
            std::printf(" %02X", b);
            ascii.push_back(b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.');
        }
        std::printf("  %s\n", ascii.c_str());
    }
    return kExitOk;
}

int VerbResave(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = ParseArgs(a, args, {"-o", "--comment"}, kNoFlags, 1))
        return *code;
    const auto out = a.Value("-o");
    if (!out)
        return Usage("resave needs -o OUT");
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    const auto in = FromUtf8Path(a.Positional()[0]);
    const CFileResult opened = context.Session().Open(in);
    if (!opened.ok)
        return context.FailOpen(a.Positional()[0], opened);
    std::string comment = a.Value("--comment").value_or("");
    if (comment.empty())
        ReadComment(in, comment);
    const CFileResult saved = context.Session().SaveAs(FromUtf8Path(*out), comment);
    if (!saved.ok)
        return context.Fail(saved.message, saved.argument);
    return kExitOk;
}

int VerbDiff(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = ParseArgs(a, args, {}, kNoFlags, 2))
        return *code;
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    std::array<CDataFileContents, 2> files;
    for (std::size_t i = 0; i < files.size(); ++i) {
        files[i] = ReadDataFile(FromUtf8Path(a.Positional()[i]));
        if (!files[i]) {
            context.Fail(files[i].failure.message, files[i].failure.argument);
            return kExitTrouble;
        }
    }
    const auto changes = DiffImages(files[0].image, files[1].image);
    for (const auto& change : changes)
        std::printf("%s\n", change.ListLine().c_str());
    return changes.empty() ? kExitOk : kExitFound;
}

// Exit 1 when the checks find anything, as diff does for a difference; 2
// when the file cannot be opened, so that a script can tell the two apart.
int VerbCheck(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = ParseArgs(a, args, {}, {"--json"}, 1))
        return *code;
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    if (!context.OpenOrSay(a.Positional()[0]))
        return kExitTrouble;
    context.RadioData().CheckAll();
    const std::vector<CInvalidEntry>& entries = context.RadioData().InvalidLog().Entries();
    if (a.Flag("--json"))
        PrintJson(CheckJson(entries));
    else
        for (const CInvalidEntry& entry : entries)
            std::printf("%s\n", PrintableText(CheckLine(entry)).c_str());
    return entries.empty() ? kExitOk : kExitFound;
}

} // namespace qrv::cli
