#pragma once
// A view of numbered records (channels, personalities, scan lists, the DTMF
// system): it carries out the record commands of its window's navigation bar
// and of the tree, and tells where it stands afterwards.
#include "radio_data/notification.h"

namespace qrv {

namespace record_command {
inline constexpr int kFirst = 0;
inline constexpr int kPrevious = 1;
inline constexpr int kNext = 2;
inline constexpr int kLast = 3;
inline constexpr int kAdd = 4;
inline constexpr int kDelete = 5;
inline constexpr int kGoTo = 6; // to the 0-based position given
} // namespace record_command

// What the other windows hear after a record command: a record added or
// deleted, or a move to another record (the command in the data word).
inline CNotification NavigationNotification(int command)
{
    if (command == record_command::kAdd)
        return {CNotification::Kind::Added, 0};
    if (command == record_command::kDelete)
        return {CNotification::Kind::Deleted, 0};
    return {CNotification::Kind::Navigated, static_cast<std::uint32_t>(command)};
}

class CRecordNavigator {
public:
    virtual ~CRecordNavigator() = default;
    // position is used by kGoTo only.
    virtual void Navigate(int command, int position) = 0;
    virtual int CurrentPosition() const = 0;
    virtual int RecordCount() const = 0;
};

} // namespace qrv
