#pragma once
// Numbers of the language file's texts that only qrvctl shows.
namespace qrv::climsg {

// S01: the headline above the problems the data checks found, where the
// program would point at its invalid log.
inline constexpr int kDataFailsChecks = 1340;
// S01: messages write of a codeplug with a radio password, given no --password.
inline constexpr int kPasswordNeeded = 1341;

} // namespace qrv::climsg
