#pragma once
// qrvctl write for a fleet: with several --port options (or --log, --json)
// one codeplug into many radios at once, each written and verified on its
// own; with --next N into N radios plugged in one after another on one port.
// One line per radio, one row per radio in the fleet log.
#include <filesystem>
#include <optional>

namespace qrv::cli {

class CCliArgs;
class CCliContext;

// The codeplug is open and has passed the checks. Exit 0 only when every
// radio was written (and verified, unless --no-verify); a radio skipped as
// written already in the run counts as written. next: the --next count.
int WriteFleet(const CCliArgs& a, CCliContext& context, const std::filesystem::path& backupFolder,
               std::optional<int> next);

} // namespace qrv::cli
