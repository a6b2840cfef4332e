// qrvctl: create, inspect, compare and convert codeplug data files.
#include "cli_context.h"
#include "file_verbs.h"
#include "radio_verbs.h"

#include <QCoreApplication>

#include <clocale>
#include <functional>
#include <map>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qrv"));
    QCoreApplication::setOrganizationName(QStringLiteral("QRV")); // the same data directory as the windowed program
    std::setlocale(LC_ALL, "");
    // Numbers in files and outputs always use the decimal point.
    std::setlocale(LC_NUMERIC, "C");

    using Verb = std::function<int(const std::vector<std::string>&)>;
    const std::map<std::string, Verb> verbs{
        {"new", qrv::cli::VerbNew},     {"info", qrv::cli::VerbInfo},         {"dump", qrv::cli::VerbDump},
        {"hex", qrv::cli::VerbHex},     {"resave", qrv::cli::VerbResave},     {"diff", qrv::cli::VerbDiff},
        {"ports", qrv::cli::VerbPorts}, {"identify", qrv::cli::VerbIdentify}, {"read", qrv::cli::VerbRead},
        {"write", qrv::cli::VerbWrite}, {"messages", qrv::cli::VerbMessages},
    };
    if (argc < 2)
        return qrv::cli::Usage("no verb given");
    const auto it = verbs.find(argv[1]);
    if (it == verbs.end())
        return qrv::cli::Usage(std::string("unknown verb ") + argv[1]);
    std::vector<std::string> args(argv + 2, argv + argc);
    return it->second(args);
}
