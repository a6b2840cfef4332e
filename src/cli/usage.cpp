#include "usage.h"

#include "radio_data/settings.h"
#include "util/text_format.h"

#include <string>

namespace qrv::cli {

namespace {

constexpr const char* kCommonOptions =
    "  --data-dir DIR  the program directory (Settings.ini, Model.dat, language files)\n"
    "  --help, -h      the usage of the verb\n";
constexpr const char* kRadioOptions =
    "  --port NAME     the serial device (/dev/ttyUSB0, COM3, a pseudo-terminal); without it\n"
    "                  the port remembered in Settings.ini, then every serial port\n"
    "  --trace FILE    writes the serial trace to FILE, whatever the outcome (may also\n"
    "                  stand before the verb)\n";
constexpr const char* kExitStatus = "Exit status: 0 on success; 1 on a failure, with the reason on stderr, or when\n"
                                    "diff finds differences or check problems; 2 on a usage error, or when diff or\n"
                                    "check cannot read a file.\n";

std::string RadioVerbNames()
{
    std::string names;
    for (const CVerb& verb : Verbs())
        if (verb.usesRadio)
            names += (names.empty() ? "" : ", ") + std::string(verb.name);
    return names;
}

// Each line of text with a prefix before it.
void PrintLines(std::FILE* out, const char* prefix, std::string_view text)
{
    for (const std::string& line : Split(std::string(text), '\n'))
        std::fprintf(out, "%s%s\n", prefix, line.c_str());
}

} // namespace

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage: qrvctl VERB [ARGUMENTS] [--data-dir DIR]\n"
                      "       qrvctl help [VERB]\n"
                      "       qrvctl --help | --version\n"
                      "Verbs:\n");
    for (const CVerb& verb : Verbs()) {
        PrintLines(out, "  ", verb.synopsis);
        PrintLines(out, "      ", verb.summary);
    }
    std::fprintf(out, "Every verb takes:\n%sThe radio verbs (%s) also take:\n%s%s", kCommonOptions,
                 RadioVerbNames().c_str(), kRadioOptions, kExitStatus);
}

void PrintVerbUsage(std::FILE* out, const CVerb& verb)
{
    const std::vector<std::string> forms = Split(std::string(verb.synopsis), '\n');
    for (std::size_t i = 0; i < forms.size(); ++i)
        std::fprintf(out, "%s qrvctl %s\n", i == 0 ? "usage:" : "      ", forms[i].c_str());
    PrintLines(out, "", verb.summary);
    std::fprintf(out, "Options:\n%s%s", kCommonOptions, verb.usesRadio ? kRadioOptions : "");
}

void PrintVersion(std::FILE* out)
{
    std::fprintf(out, "qrvctl %s\n", CSettings::kProgramVersion);
}

} // namespace qrv::cli
