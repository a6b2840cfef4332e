#include "radiosim_options.h"

#include "sim_radio.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <functional>
#include <map>

namespace qrv::sim {

namespace {

constexpr int kMaxMHz = 9999;
constexpr unsigned long kMaxAddress = 0xFFFFFFFF;
constexpr unsigned long kMaxByte = 0xFF;
constexpr unsigned long kMaxCount = 1000000000;

// Decimal, or hexadecimal with 0x.
bool ParseUnsigned(const std::string& text, unsigned long limit, unsigned long& out)
{
    if (text.empty() || text[0] == '-' || text[0] == '+')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (errno != 0 || end == text.c_str() || *end != '\0' || value > limit)
        return false;
    out = value;
    return true;
}

bool ParseMilliseconds(const std::string& text, std::chrono::milliseconds& out)
{
    unsigned long value = 0;
    if (!ParseUnsigned(text, kMaxCount, value))
        return false;
    out = std::chrono::milliseconds(value);
    return true;
}

bool ParseRange(const std::string& text, CSimIdentity& identity)
{
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos)
        return false;
    int lower = 0;
    int upper = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto lo = std::from_chars(first, first + dash, lower);
    const auto hi = std::from_chars(first + dash + 1, last, upper);
    if (lo.ec != std::errc() || lo.ptr != first + dash || hi.ec != std::errc() || hi.ptr != last)
        return false;
    if (lower <= 0 || upper < lower || upper > kMaxMHz)
        return false;
    identity.range = CSimIdentity::RangeBlock(identity.range[0], lower, upper);
    return true;
}

using Setter = std::function<bool(CRadiosimRadioOptions&, const std::string&)>;
using LineSetter = std::function<bool(CRadiosimLineOptions&, const std::string&)>;

template <class Options> std::function<bool(Options&, const std::string&)> Text(std::string Options::*field)
{
    return [field](Options& o, const std::string& v) {
        o.*field = v;
        return !v.empty();
    };
}

Setter IdentityText(std::string CSimIdentity::*field)
{
    return [field](CRadiosimRadioOptions& o, const std::string& v) {
        o.identity.*field = v;
        return true;
    };
}

Setter Address(std::optional<std::uint32_t> CSimFaults::*field)
{
    return [field](CRadiosimRadioOptions& o, const std::string& v) {
        unsigned long value = 0;
        if (!ParseUnsigned(v, kMaxAddress, value))
            return false;
        o.faults.*field = static_cast<std::uint32_t>(value);
        return true;
    };
}

Setter Byte(std::uint8_t& (*field)(CRadiosimRadioOptions&))
{
    return [field](CRadiosimRadioOptions& o, const std::string& v) {
        unsigned long value = 0;
        if (!ParseUnsigned(v, kMaxByte, value))
            return false;
        field(o) = static_cast<std::uint8_t>(value);
        return true;
    };
}

Setter Count(int CSimFaults::*field)
{
    return [field](CRadiosimRadioOptions& o, const std::string& v) {
        unsigned long value = 0;
        if (!ParseUnsigned(v, kMaxCount, value))
            return false;
        o.faults.*field = static_cast<int>(value);
        return true;
    };
}

// Options of the terminal rather than of a radio; its first radio takes them.
const std::map<std::string, LineSetter>& LineOptions()
{
    static const std::map<std::string, LineSetter> options{
        {"--log", Text(&CRadiosimLineOptions::logPath)},
        {"--link", Text(&CRadiosimLineOptions::linkPath)},
        {"--swap-pause",
         [](CRadiosimLineOptions& o, const std::string& v) { return ParseMilliseconds(v, o.swapPause); }},
    };
    return options;
}

const std::map<std::string, Setter>& RadioOptions()
{
    static const std::map<std::string, Setter> options{
        {"--image", Text(&CRadiosimRadioOptions::imagePath)},
        {"--save", Text(&CRadiosimRadioOptions::savePath)},
        {"--model-name", IdentityText(&CSimIdentity::modelName)},
        {"--model-id", IdentityText(&CSimIdentity::modelId)},
        {"--firmware", IdentityText(&CSimIdentity::firmware)},
        {"--serial",
         [](CRadiosimRadioOptions& o, const std::string& v) {
             o.serial = v;
             return v.size() <= CSimRadio::kSerialWidth;
         }},
        {"--signal", Byte([](CRadiosimRadioOptions& o) -> std::uint8_t& { return o.identity.signal; })},
        // The flags and the limits share one block; each option keeps the other's part.
        {"--range", [](CRadiosimRadioOptions& o, const std::string& v) { return ParseRange(v, o.identity); }},
        {"--range-flags", Byte([](CRadiosimRadioOptions& o) -> std::uint8_t& { return o.identity.range[0]; })},
        {"--ignore-first", Count(&CSimFaults::ignoreFirstRequests)},
        {"--vanish-after", Count(&CSimFaults::vanishAfterFrames)},
        {"--bad-checksum-at", Address(&CSimFaults::badChecksumAt)},
        {"--refuse-write-at", Address(&CSimFaults::refuseWriteAt)},
        {"--silent-read-at", Address(&CSimFaults::silentReadAt)},
        {"--drop-write-at", Address(&CSimFaults::dropWriteAt)},
        {"--noise",
         [](CRadiosimRadioOptions& o, const std::string& v) {
             char* end = nullptr;
             const double p = std::strtod(v.c_str(), &end);
             o.faults.noiseProbability = p;
             return !v.empty() && *end == '\0' && p >= 0.0 && p <= 1.0;
         }},
        {"--reply-delay",
         [](CRadiosimRadioOptions& o, const std::string& v) { return ParseMilliseconds(v, o.faults.replyDelay); }},
    };
    return options;
}

const std::map<std::string, bool CSimFaults::*>& SwitchOptions()
{
    static const std::map<std::string, bool CSimFaults::*> options{
        {"--silent", &CSimFaults::silent},          {"--short-replies", &CSimFaults::shortReplies},
        {"--refuse-mode", &CSimFaults::refuseMode}, {"--mode-status-c", &CSimFaults::modeStatusC},
        {"--wire-timing", &CSimFaults::wireTiming},
    };
    return options;
}

} // namespace

std::optional<CRadiosimOptions> ParseRadioSimOptions(const std::vector<std::string>& args, std::string& error)
{
    CRadiosimOptions options;
    options.lines.emplace_back().radios.emplace_back();
    int radio = 1; // counted over all terminals, in the order given
    const auto fail = [&](const std::string& why) {
        error = "radio " + std::to_string(radio) + ": " + why;
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--radio" || arg == "--then") {
            if (arg == "--radio")
                options.lines.emplace_back();
            options.lines.back().radios.emplace_back();
            ++radio;
            continue;
        }
        CRadiosimLineOptions& line = options.lines.back();
        CRadiosimRadioOptions& current = line.radios.back();
        if (const auto sw = SwitchOptions().find(arg); sw != SwitchOptions().end()) {
            current.faults.*(sw->second) = true;
            continue;
        }
        const auto radioOption = RadioOptions().find(arg);
        const auto lineOption = LineOptions().find(arg);
        const bool ofRadio = radioOption != RadioOptions().end();
        if (!ofRadio && lineOption == LineOptions().end())
            return fail("unknown option: " + arg);
        if (!ofRadio && line.radios.size() > 1)
            return fail(arg + " belongs to the terminal: give it to the terminal's first radio");
        if (i + 1 >= args.size())
            return fail("missing value for " + arg);
        const std::string& value = args[++i];
        if (!(ofRadio ? radioOption->second(current, value) : lineOption->second(line, value)))
            return fail("bad value for " + arg + ": " + value);
    }
    return options;
}

const char* RadioSimUsage()
{
    static const std::string usage =
        std::string("usage: qrv-radiosim RADIO [--then RADIO]... [--radio RADIO [--then RADIO]...]...\n"
                    "Serves simulated radios on pseudo-terminals; prints the terminals' paths\n"
                    "first, one a line, in order. RADIO is the options of one radio: none carry\n"
                    "over from the radios before it.\n"
                    "  --radio                the next radio, on a terminal of its own\n"
                    "  --then                 the next radio on the same terminal: once the one before\n"
                    "                         has finished a write session (mode 3, then mode 1) it is\n"
                    "                         unplugged (--save written), the line is silent for the\n"
                    "                         swap pause, then the next one answers; after the last,\n"
                    "                         the line stays silent\n"
                    "Options of the terminal, given to its first radio:\n"
                    "  --link PATH            also make PATH a symlink to the terminal\n"
                    "  --log FILE             log every frame and reply in hex, and each swap\n"
                    "  --swap-pause MS        silence between two radios (default ") +
        std::to_string(CRadiosimLineOptions::kDefaultSwapPause.count()) +
        ")\n"
        "Options of a radio:\n"
        "  --image FILE           start with the memory image of a data file\n"
        "  --save FILE            write the memory as a data file when unplugged or on exit\n"
        "  --model-name TEXT  --model-id TEXT  --firmware TEXT  --signal N\n"
        "  --serial TEXT          serial number at 0x048, up to 16 characters (over --image's)\n"
        "  --range LO-HI          frequency range in MHz   --range-flags N\n"
        "  --silent  --ignore-first N  --short-replies  --vanish-after N\n"
        "  --bad-checksum-at ADDR  --refuse-write-at ADDR  --silent-read-at ADDR\n"
        "  --drop-write-at ADDR   acknowledge block writes covering ADDR but keep nothing\n"
        "  --refuse-mode  --mode-status-c  --noise P  --reply-delay MS\n"
        "  --wire-timing          pace bytes at 9600 baud 8N2\n";
    return usage.c_str();
}

} // namespace qrv::sim
