#pragma once
// Every verb of qrvctl in one table: what runs it and how it is used, so the
// dispatch and the help can never list different verbs.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::cli {

struct CVerb {
    std::string_view name;
    int (*run)(const std::vector<std::string>& args);
    std::string_view synopsis; // after "qrvctl ", one line per form of the verb
    std::string_view summary;  // what it does, one or two sentences
    bool usesRadio = false;    // takes --port and --trace
};

std::span<const CVerb> Verbs();
// nullptr for a name that is no verb.
const CVerb* FindVerb(std::string_view name);

} // namespace qrv::cli
