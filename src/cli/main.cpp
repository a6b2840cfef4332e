// qrvctl: create, inspect, compare, convert and print codeplug data files.
#include "cli_args.h"
#include "cli_context.h"
#include "report_verb.h"
#include "usage.h"
#include "verb_table.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <memory>

namespace {

using namespace qrv::cli;

bool AsksForHelp(const std::vector<std::string>& args)
{
    return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

// qrvctl --help, --version and help [VERB]: what is asked goes to stdout.
int AnswerHelp(const std::string& word, const std::vector<std::string>& args)
{
    CCliArgs a;
    if (!a.Parse(args, {"--data-dir"}, {}))
        return Usage(a.Error());
    if (word == "--version" && a.Positional().empty()) {
        PrintVersion(stdout);
        return kExitOk;
    }
    if (word == "--version" || a.Positional().size() > 1)
        return Usage("unexpected argument " + a.Positional().back());
    if (a.Positional().empty()) {
        PrintUsage(stdout);
        return kExitOk;
    }
    const CVerb* verb = FindVerb(a.Positional()[0]);
    if (verb == nullptr)
        return Usage("unknown verb " + a.Positional()[0]);
    PrintVerbUsage(stdout, *verb);
    return kExitOk;
}

int RunVerb(const std::vector<std::string>& words)
{
    if (words.empty()) {
        Usage("no verb given");
        PrintUsage(stderr);
        return kExitUsage;
    }
    const std::vector<std::string> args(words.begin() + 1, words.end());
    if (words[0] == "help" || words[0] == "--help" || words[0] == "-h" || words[0] == "--version") {
        if (AnswerHelp(words[0], args) == kExitOk)
            return kExitOk;
        PrintUsage(stderr);
        return kExitUsage;
    }
    const CVerb* verb = FindVerb(words[0]);
    if (verb == nullptr) {
        Usage("unknown verb " + words[0]);
        PrintUsage(stderr);
        return kExitUsage;
    }
    if (AsksForHelp(args)) {
        PrintVerbUsage(stdout, *verb);
        return kExitOk;
    }
    const int code = verb->run(args);
    if (code != kUsageError)
        return code;
    PrintVerbUsage(stderr, *verb);
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    // The report is drawn with fonts, which need a GUI application; it never
    // needs a screen, so it works the same on a machine without one.
    const bool draws = argc >= 2 && std::strcmp(argv[1], kReportVerb) == 0;
    if (draws)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        draws ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qrv"));
    QCoreApplication::setOrganizationName(QStringLiteral("QRV")); // the same data directory as the windowed program
    std::setlocale(LC_ALL, "");
    // Numbers in files and outputs always use the decimal point.
    std::setlocale(LC_NUMERIC, "C");

    std::vector<std::string> words(argv + 1, argv + argc);
    // "qrvctl --trace FILE VERB ..." is the same as "qrvctl VERB ... --trace FILE".
    if (words.size() >= 3 && words[0] == "--trace")
        std::rotate(words.begin(), words.begin() + 2, words.end());
    return RunVerb(words);
}
