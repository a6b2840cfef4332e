#pragma once
// The change notification that editors send after they stored a change; it
// travels through the data checks of CRadioData and to every open view.
#include <cstdint>

namespace qrv {

struct CNotification {
    enum class Kind : std::uint8_t {
        Edited,       // a control's value was stored; data: the control number
        Navigated,    // a view moved to another record; data: the navigation command
        Added,        // a record was added
        Deleted,      // a record was deleted
        CellEdited,   // a channel list cell was stored; data: kCellEditedData
        ValidChanged, // a record's valid state changed; data: the control number
        VoxChanged,   // data: the new VOX gain level
        CheckAll,     // every check runs (before a save or a write)
    };
    // The data word of a channel list cell edit.
    static constexpr std::uint32_t kCellEditedData = 2048;

    Kind kind = Kind::Edited;
    std::uint32_t data = 0;

    // A record went away, or everything is checked: references must be checked again.
    bool ChecksReferences() const { return kind == Kind::Deleted || kind == Kind::CheckAll; }
    // Records were added or deleted: lists of records must be filled again.
    bool ChangesRecordCount() const { return kind == Kind::Added || kind == Kind::Deleted; }
};

} // namespace qrv
