#pragma once
// The change notification that editors send after they stored a change; it
// travels through the data checks of CRadioData and to every open view.
#include <cstdint>

namespace qrv {

struct CNotification {
    // Kinds with a meaning of their own; navigation commands use their codes 0 to 6.
    static constexpr int kEdited = 0;
    static constexpr int kAdded = 4;
    static constexpr int kDeleted = 5;       // also "run every check"
    static constexpr int kCellEdited = 7;    // channel list cell; data word 2048
    static constexpr int kValidChanged = 9;  // a record's valid state changed / check all references
    static constexpr int kVoxChanged = 1140; // data word: the new VOX gain level

    int kind = kEdited;
    std::uint32_t data = 0;
};

} // namespace qrv
