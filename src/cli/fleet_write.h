#pragma once
// qrvctl write with several --port options (or --log, --json): one codeplug
// into many radios at once, each written and verified on its own, one line
// per radio and one row per radio in the fleet log.
#include <filesystem>

namespace qrv::cli {

class CCliArgs;
class CCliContext;

// The codeplug is open and has passed the checks. Exit 0 only when every
// radio was written (and verified, unless --no-verify).
int WriteFleet(const CCliArgs& a, CCliContext& context, const std::filesystem::path& backupFolder);

} // namespace qrv::cli
