// qrvctl: create, inspect, compare, convert and print codeplug data files.
#include "cli_context.h"
#include "csv_verbs.h"
#include "file_verbs.h"
#include "radio_verbs.h"
#include "report_verb.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <functional>
#include <map>
#include <memory>

int main(int argc, char** argv)
{
    // The report is drawn with fonts, which need a GUI application; it never
    // needs a screen, so it works the same on a machine without one.
    const bool draws = argc >= 2 && std::strcmp(argv[1], qrv::cli::kReportVerb) == 0;
    if (draws)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        draws ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qrv"));
    QCoreApplication::setOrganizationName(QStringLiteral("QRV")); // the same data directory as the windowed program
    std::setlocale(LC_ALL, "");
    // Numbers in files and outputs always use the decimal point.
    std::setlocale(LC_NUMERIC, "C");

    using Verb = std::function<int(const std::vector<std::string>&)>;
    const std::map<std::string, Verb> verbs{
        {"new", qrv::cli::VerbNew},
        {"info", qrv::cli::VerbInfo},
        {"dump", qrv::cli::VerbDump},
        {"hex", qrv::cli::VerbHex},
        {"resave", qrv::cli::VerbResave},
        {"diff", qrv::cli::VerbDiff},
        {"ports", qrv::cli::VerbPorts},
        {"identify", qrv::cli::VerbIdentify},
        {"read", qrv::cli::VerbRead},
        {"write", qrv::cli::VerbWrite},
        {"messages", qrv::cli::VerbMessages},
        {"report", qrv::cli::VerbReport},
        {"export-csv", qrv::cli::VerbExportCsv},
        {"import-csv", qrv::cli::VerbImportCsv},
    };
    std::vector<std::string> words(argv + 1, argv + argc);
    // "qrvctl --trace FILE VERB ..." is the same as "qrvctl VERB ... --trace FILE".
    if (words.size() >= 3 && words[0] == "--trace")
        std::rotate(words.begin(), words.begin() + 2, words.end());
    if (words.empty())
        return qrv::cli::Usage("no verb given");
    const auto it = verbs.find(words[0]);
    if (it == verbs.end())
        return qrv::cli::Usage("unknown verb " + words[0]);
    const std::vector<std::string> args(words.begin() + 1, words.end());
    return it->second(args);
}
