#include "verb_table.h"

#include "csv_verbs.h"
#include "file_verbs.h"
#include "radio_verbs.h"
#include "report_verb.h"

#include <algorithm>
#include <array>

namespace qrv::cli {

namespace {

const std::array kVerbs{
    CVerb{"new", VerbNew,
          "new -o FILE [--model-id ID] [--model-name NAME] [--range LO-HI] [--signal N] [--comment TEXT]",
          "Saves the default codeplug of the model and range as FILE."},
    CVerb{"info", VerbInfo, "info FILE [--json]",
          "Shows the header of a data file: model, range, versions, signalling and comment."},
    CVerb{"dump", VerbDump, "dump FILE [--json]",
          "Lists every field of the codeplug with the texts the program shows."},
    CVerb{"hex", VerbHex, "hex FILE", "Shows the codeplug image as hexadecimal rows."},
    CVerb{"resave", VerbResave, "resave IN -o OUT [--comment TEXT]",
          "Opens IN and saves it as OUT, so that the image passes through the data objects."},
    CVerb{"diff", VerbDiff, "diff A B",
          "Lists the bytes in which the images of A and B differ.\n"
          "Exit status 0 when they are the same, 1 when they differ, 2 when a file cannot be read."},
    CVerb{"check", VerbCheck, "check FILE [--json]",
          "Runs the data checks and lists each problem with its field and place.\n"
          "Exit status 0 when there is none, 1 when there is any, 2 when FILE cannot be opened."},
    CVerb{"ports", VerbPorts, "ports", "Lists the serial ports of the system."},
    CVerb{"identify", VerbIdentify, "identify [--port NAME]", "Shows the identity of the radio on the port.", true},
    CVerb{"read", VerbRead, "read [--port NAME] -o FILE [--comment TEXT] [--no-backup] [--backup-dir DIR]",
          "Reads the codeplug from the radio and saves it as FILE, keeping a backup copy.", true},
    CVerb{"write", VerbWrite,
          "write [--port NAME]... FILE [--no-verify] [--no-backup] [--backup-dir DIR] [--log FILE.csv] [--json]\n"
          "write --port NAME --next N FILE [--rewrite-same] [options as above]",
          "Checks the codeplug of FILE, writes it to the radio and reads it back to verify it.\n"
          "With several --port options (or --log, --json) every radio is written at once, one line\n"
          "per radio, each appended to the fleet log; exit 0 only when every radio was written.\n"
          "--next N writes N radios plugged in one after another on the one port (0: until\n"
          "interrupted); a radio written already in the run is skipped unless --rewrite-same.",
          true},
    CVerb{"compare", VerbCompare, "compare [--port NAME] FILE",
          "Reads the radio and lists where it differs from what writing FILE would send it, by\n"
          "record and field (the radio's value first), or by address where no record names the byte;\n"
          "exit 0 when equal, 1 when different, 2 when the radio cannot be read.",
          true},
    CVerb{"messages", VerbMessages,
          "messages read [--port NAME] -o FILE\nmessages write [--port NAME] [--password TEXT] FILE",
          "Reads the radio's embedded messages into FILE, or writes those of FILE to the radio;\n"
          "a codeplug with a radio password needs it in --password.",
          true},
    CVerb{"report", VerbReport, "report FILE -o OUT.pdf [--section NAME]... [--language INDEX]",
          "Draws the printed report of FILE into a PDF file."},
    CVerb{"export-csv", VerbExportCsv, "export-csv FILE -o OUT.csv [--format native|common]",
          "Writes the channel list of FILE as CSV."},
    CVerb{"import-csv", VerbImportCsv, "import-csv FILE IN.csv -o OUT [--append] [--skip-bad] [--format native|common]",
          "Takes the channels of IN.csv into the codeplug of FILE and saves it as OUT."},
};

} // namespace

std::span<const CVerb> Verbs()
{
    return kVerbs;
}

const CVerb* FindVerb(std::string_view name)
{
    const auto it = std::find_if(kVerbs.begin(), kVerbs.end(), [name](const CVerb& v) { return v.name == name; });
    return it == kVerbs.end() ? nullptr : &*it;
}

} // namespace qrv::cli
