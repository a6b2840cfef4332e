#pragma once
// The byte-level change log: which bytes of the image changed since the last
// snapshot, and the three texts the data watch view shows for each change.
#include "util/bytes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qrv {

struct CByteChange {
    std::uint16_t offset = 0;
    std::uint8_t oldValue = 0;
    std::uint8_t newValue = 0;

    int Row() const { return offset / 16 + 1; }
    int Column() const { return offset % 16 + 1; }
    std::string ListLine() const;    // $E.0x1A5:0F->10
    std::string BitText() const;     // $E.0x1A5:00001111\r\n->00010000
    std::string DecimalText() const; // $E.0x1A5:15->16
};

// The changes from before to after in ascending offset order.
std::vector<CByteChange> DiffImages(const Image& before, const Image& after);

// Keeps a snapshot of the image and lists the changes made since the last refresh.
class CChangeLog {
public:
    explicit CChangeLog(const Image& image) : m_snapshot(image) {}
    // Compares the image with the snapshot, advances the snapshot, appends and
    // returns the new changes.
    std::vector<CByteChange> Refresh(const Image& image);
    // Forgets the listed changes; the snapshot stays where it is.
    void Clear() { m_changes.clear(); }
    const std::vector<CByteChange>& Changes() const { return m_changes; }

private:
    Image m_snapshot;
    std::vector<CByteChange> m_changes;
};

std::string ByteBits(std::uint8_t value);
std::string RowHeader(int row);    // F:000_ .. F:07F_
std::string ColumnHeader(int col); // _0 .. _F

} // namespace qrv
