#include "radio_verbs.h"

#include "cli_args.h"
#include "cli_context.h"
#include "cli_messages.h"
#include "fleet/radio_compare.h"
#include "fleet_write.h"
#include "port_list.h"
#include "presentation/caption_numbers.h"
#include "progress_printer.h"
#include "qt_serial_port.h"
#include "radio_data/change_log.h"
#include "radio_data/data_file.h"
#include "radio_data/messages.h"
#include "radio_link/codeplug_transfer.h"
#include "radio_link/message_transfer.h"
#include "radio_link/radio_messages.h"
#include "radio_link/trace_port.h"
#include "radio_link/transfer_message.h"
#include "util/atomic_file.h"
#include "util/local_time.h"
#include "util/text_format.h"

#include <QStandardPaths>
#include <QThread>

#include <charconv>
#include <cstdio>
#include <ctime>
#include <functional>

namespace qrv::cli {

namespace {

std::optional<int> Parse(CCliArgs& parsed, const std::vector<std::string>& args, std::set<std::string> values,
                         const std::set<std::string>& flags, std::size_t positionals)
{
    values.insert("--data-dir");
    values.insert("--port");
    values.insert("--trace");
    if (!parsed.Parse(args, values, flags))
        return Usage(parsed.Error());
    if (parsed.Positional().size() != positionals)
        return Usage(Format("expected %zu file argument(s)", positionals));
    return std::nullopt;
}

CPortChoice PortChoice(const CCliArgs& a, const CSettings& settings)
{
    if (auto port = a.Value("--port"))
        return {*port, {}};
    CPortChoice choice{settings.PortName, SerialPortNames()};
    if (choice.remembered.empty() && settings.ComPort >= 1 &&
        static_cast<std::size_t>(settings.ComPort) <= choice.listed.size())
        choice.remembered = choice.listed[static_cast<std::size_t>(settings.ComPort - 1)];
    return choice;
}

// Shows a failed radio operation: why the port could not be opened (when
// that was the reason), then the language file's message and, after a
// failed write, what the radio may now hold.
int Report(const CSettings& settings, const CRadioLink& link, const CTransferResult& result,
           const std::string& backupFolder = {})
{
    if (result.ok)
        return kExitOk;
    if (result.noRadio && !link.LastPortError().empty())
        std::fprintf(stderr, "qrvctl: %s\n", link.LastPortError().c_str());
    std::fprintf(stderr, "qrvctl: %s\n", TransferMessageText(settings, result, backupFolder).c_str());
    return kExitFailure;
}

// The link of one radio verb. With --trace FILE every chunk on the wire is
// recorded and written to FILE when the verb ends, whatever its outcome: a
// failed exchange is what a trace is wanted for.
class CVerbLink {
public:
    CVerbLink(const CCliArgs& a, const CCliContext& context)
        : m_context(context), m_traceFile(a.Value("--trace").value_or(""))
    {
        std::unique_ptr<CBytePort> port = std::make_unique<CQtSerialPort>();
        if (!m_traceFile.empty())
            port = WrapWithTrace(std::move(port), m_trace);
        m_link = std::make_unique<CRadioLink>(std::move(port));
    }
    ~CVerbLink()
    {
        m_link.reset(); // closes the port, which the trace records
        if (m_traceFile.empty())
            return;
        if (const CSaveResult saved = WriteFileAtomically(FromUtf8Path(m_traceFile), m_trace->Text()); !saved)
            m_context.FailSave(m_traceFile, saved);
    }
    CVerbLink(const CVerbLink&) = delete;
    CVerbLink& operator=(const CVerbLink&) = delete;

    CRadioLink& operator*() const { return *m_link; }
    CRadioLink* operator->() const { return m_link.get(); }

private:
    const CCliContext& m_context;
    std::string m_traceFile;
    std::shared_ptr<CSerialTrace> m_trace = std::make_shared<CSerialTrace>();
    std::unique_ptr<CRadioLink> m_link;
};

// Runs the exchange with the radio on a worker and waits for it. The worker is
// a QThread: QSerialPort's socket notifiers work only in a thread Qt started
// (in any other they refuse, with a warning each), and the port is opened,
// used and closed there.
void RunOnPortThread(const std::function<void()>& work)
{
    const std::unique_ptr<QThread> worker(QThread::create(work));
    worker->start();
    worker->wait();
}

// The folder the image read or about to be written is kept in: the
// program's, or --backup-dir; none with --no-backup.
std::filesystem::path BackupFolder(const CCliArgs& a)
{
    if (a.Flag("--no-backup"))
        return {};
    if (auto dir = a.Value("--backup-dir"))
        return FromUtf8Path(*dir);
    return std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdU16String()) /
           "backups";
}

// Runs a whole codeplug transfer on one worker thread: the port is opened,
// used and closed there. A backup that cannot be written is reported but
// does not stop the transfer.
CTransferResult RunTransfer(CTransferJob& job, const CCliArgs& a, const CPortChoice& ports, const char* what)
{
    job.SetBackupFolder(BackupFolder(a));
    CTransferResult result;
    RunOnPortThread([&] {
        CProgressPrinter printer(what);
        result = job.Run(ports, [&printer](int percent) { printer.Show(percent); });
    });
    if (!job.BackupError().empty())
        std::fprintf(stderr, "qrvctl: no backup kept: %s\n", job.BackupError().c_str());
    return result;
}

std::string BackupFolderOf(const CTransferJob& job)
{
    return job.BackupFile().empty() ? std::string() : ToUtf8Path(job.BackupFile().parent_path());
}

void NoNewRange(const CSettings& settings, const CCodeplugTransfer& transfer, CFreqRangeList& ranges)
{
    const auto& r = transfer.RadioRange();
    if (!ranges.Contains(r.lower, r.upper))
        std::fprintf(stderr, "qrvctl: the radio's range %s MHz is not in Model.dat of %s\n",
                     MakeRangeText(r.lower, r.upper).c_str(), settings.ProgramDirectory().string().c_str());
}

// Why the messages may not be written, or 0. The command line has one try:
// the password given, or none at all.
int PasswordRefusal(const std::string& stored, const std::optional<std::string>& typed)
{
    if (typed)
        if (const int problem = RadioPasswordProblem(*typed); problem != 0)
            return problem;
    if (stored.empty())
        return 0;
    if (!typed)
        return climsg::kPasswordNeeded;
    return SameRadioPassword(stored, *typed) ? 0 : msg::kWrongPassword;
}

} // namespace

int VerbPorts(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = Parse(a, args, {}, {}, 0))
        return *code;
    for (const auto& port : ListSerialPorts(true))
        std::printf("%s\t%s\t%s\n", port.device.c_str(), port.canOpen ? "available" : "in use or not permitted",
                    port.description.c_str());
    return kExitOk;
}

int VerbIdentify(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = Parse(a, args, {}, {}, 0))
        return *code;
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    const CPortChoice ports = PortChoice(a, context.Settings());
    CVerbLink link(a, context);
    CRadioIdentity radio;
    CTransferResult result;
    RunOnPortThread([&] {
        if (link->Connect(ports.remembered, ports.listed).empty()) {
            result.message = msg::kNoRadioAnswer;
            result.noRadio = true;
        } else if (!link->ReadRadioInfo(CSettings::kProgramVersion, radio)) {
            result.message = msg::kRadioIdentityFailed;
        } else {
            result.ok = true;
        }
        std::printf("Port:             %s\n", link->PortName().c_str());
        link->Close();
    });
    if (!result.ok)
        return Report(context.Settings(), *link, result);
    const FreqRangeRec range = DecodeRadioRange(radio.range);
    std::printf("Model name:       %s\n", radio.modelName.c_str());
    std::printf("Model ID:         %s\n", radio.modelId.c_str());
    std::printf("Firmware version: %s\n", radio.firmware.c_str());
    std::printf("Signaling type:   %s\n",
                context.Settings().GetItemText(caption::kSignalTypeList, radio.signal).c_str());
    std::printf("Frequency range:  %d-%d MHz (flags 0x%02X)\n", range.lower, range.upper, range.flags);
    return kExitOk;
}

int VerbRead(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = Parse(a, args, {"-o", "--comment", "--backup-dir"}, {"--no-backup"}, 0))
        return *code;
    const auto out = a.Value("-o");
    if (!out)
        return Usage("read needs -o FILE");
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    CSettings& settings = context.Settings();
    const CPortChoice ports = PortChoice(a, settings);
    CVerbLink link(a, context);
    CRadioData& data = context.RadioData();
    const auto job = context.Session().MakeTransferJob(CTransferJob::Direction::Read, *link);
    const CTransferResult result = RunTransfer(*job, a, ports, "Reading");
    if (result.ok)
        NoNewRange(settings, job->Transfer(), context.Ranges());
    context.Session().FinishTransfer(*job, result, nullptr);
    if (!result.ok)
        return Report(context.Settings(), *link, result);
    // The file holds the radio's bytes exactly as they came, with its identity.
    CDataFile file;
    if (!file.SetHeader(FillHeader(data.Identity(), context.Ranges().FlagsOf(data.Identity().freqRange))))
        return context.Fail(msg::kCannotWrite);
    const CSaveResult saved =
        file.WriteFile(FromUtf8Path(*out), {}, job->ReadImage(), a.Value("--comment").value_or(""));
    return saved ? kExitOk : context.FailSave(*out, saved);
}

int VerbWrite(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = Parse(a, args, {"--backup-dir", "--log", "--next"},
                          {"--no-backup", "--no-verify", "--json", "--rewrite-same"}, 1))
        return *code;
    std::optional<int> next;
    if (auto text = a.Value("--next")) {
        if (a.Values("--port").size() != 1)
            return Usage("--next needs exactly one --port");
        int count = 0;
        const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), count);
        if (ec != std::errc() || end != text->data() + text->size() || count < 0)
            return Usage("--next needs a count of radios (0: until interrupted)");
        next = count;
    }
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    CSettings& settings = context.Settings();
    const CFileResult opened = context.Session().Open(FromUtf8Path(a.Positional()[0]));
    if (!opened.ok)
        return context.FailOpen(a.Positional()[0], opened);
    if (const CFileResult prepared = context.Session().PrepareImage(); !prepared.ok)
        return context.Fail(prepared.message);
    if (a.Values("--port").size() > 1 || a.Value("--log") || a.Flag("--json") || next)
        return WriteFleet(a, context, BackupFolder(a), next);

    const CPortChoice ports = PortChoice(a, settings);
    CVerbLink link(a, context);
    const auto job = context.Session().MakeTransferJob(CTransferJob::Direction::Write, *link);
    job->SetVerify(!a.Flag("--no-verify"));
    const CTransferResult result = RunTransfer(*job, a, ports, "Writing");
    context.Session().FinishTransfer(*job, result, nullptr);
    if (result.ok)
        NoNewRange(settings, job->Transfer(), context.Ranges());
    return Report(context.Settings(), *link, result, BackupFolderOf(*job));
}

// Reads the radio and lists where it differs from what Write to Radio would
// send it (the radio's own manual tune switch bit aside), without writing:
// exit 0 when equal, 1 when different, 2 when the radio cannot be read.
int VerbCompare(const std::vector<std::string>& args)
{
    CCliArgs a;
    if (auto code = Parse(a, args, {}, {}, 1))
        return *code;
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    if (!context.OpenOrSay(a.Positional()[0]))
        return kExitTrouble;
    if (const CFileResult prepared = context.Session().PrepareImage(); !prepared.ok) {
        context.Fail(prepared.message);
        return kExitTrouble;
    }
    const CPortChoice ports = PortChoice(a, context.Settings());
    CVerbLink link(a, context);
    const auto job = context.Session().MakeTransferJob(CTransferJob::Direction::Read, *link);
    job->SetBackupFolder({});
    CTransferResult result;
    RunOnPortThread([&] { result = job->Run(ports, nullptr); });
    if (!result.ok) {
        Report(context.Settings(), *link, result);
        return kExitTrouble;
    }
    const std::vector<std::string> lines =
        ComparisonLines(context.Settings(), context.RadioData().Identity(), job->Transfer().RadioRange(),
                        job->ReadImage(), context.RadioData().GetImage());
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
    return lines.empty() ? kExitOk : kExitFound;
}

int VerbMessages(const std::vector<std::string>& args)
{
    if (args.empty() || (args[0] != "read" && args[0] != "write"))
        return Usage("messages needs read or write");
    const bool reading = args[0] == "read";
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    CCliArgs a;
    if (auto code = Parse(a, rest, {"-o", "--password"}, {}, reading ? 0 : 1))
        return *code;
    if (reading && !a.Value("-o"))
        return Usage("messages read needs -o FILE");
    CCliContext context(ResolveProgramDirectory(a.Value("--data-dir")));
    CSettings& settings = context.Settings();
    CRadioData& data = context.RadioData();
    CVerbLink link(a, context);
    CTransferResult result;

    if (reading) {
        // The messages go into the file named: its other contents are kept;
        // a new codeplug is started when it does not exist yet.
        const auto path = FromUtf8Path(*a.Value("-o"));
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) {
            if (const CFileResult opened = context.Session().Open(path); !opened.ok)
                return context.FailOpen(*a.Value("-o"), opened);
        } else {
            context.Session().LoadDefaultImage();
        }
        MessageBlock block = data.EmbeddedMessages().Block();
        const CPortChoice ports = PortChoice(a, settings);
        CMessageTransfer transfer(*link, settings, data.Identity());
        RunOnPortThread([&] { result = transfer.Read(ports, block); });
        transfer.ApplyTo(data.Identity(), settings);
        if (!result.ok)
            return Report(context.Settings(), *link, result);
        data.EmbeddedMessages().SetBlock(block);
        for (std::size_t i = 0; i < CEmbeddedMessageData::kMessageCount; ++i)
            std::printf("%zu: %s\n", i + 1, data.EmbeddedMessages().Message(i).c_str());
        const CFileResult saved = context.Session().SaveAs(path, "");
        return saved.ok ? kExitOk : context.Fail(saved.message, saved.argument);
    }

    if (const CFileResult opened = context.Session().Open(FromUtf8Path(a.Positional()[0])); !opened.ok)
        return context.FailOpen(a.Positional()[0], opened);
    const CEmbeddedMessageData& messages = data.EmbeddedMessages();
    if (const int refused = PasswordRefusal(messages.Password(), a.Value("--password")); refused != 0)
        return context.Fail(refused);
    const MessageBlock block = messages.Block();
    const CPortChoice ports = PortChoice(a, settings);
    CMessageTransfer transfer(*link, settings, data.Identity());
    RunOnPortThread([&] { result = transfer.Write(ports, block); });
    return Report(context.Settings(), *link, result);
}

} // namespace qrv::cli
