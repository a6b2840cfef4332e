#pragma once
// A view of numbered records (channels, personalities, scan lists, the DTMF
// system): it carries out the record commands of its window's navigation bar
// and of the tree, and tells where it stands afterwards.
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

class CRecordNavigator {
public:
    virtual ~CRecordNavigator() = default;
    // position is used by kGoTo only.
    virtual void Navigate(int command, int position) = 0;
    virtual int CurrentPosition() const = 0;
    virtual int RecordCount() const = 0;
};

} // namespace qrv
