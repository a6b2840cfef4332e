#pragma once
// Common base of the radio data objects that carry records: a valid flag and
// a tree identifier. Identifiers come from one program-wide counter that
// starts at 65535 and grows by 200 before each hand-out (65735, 65935, ...);
// they are never reused during a run. The identifier is the object's identity
// in memory (references between records) and the base of its invalid-log keys.
#include <cstdint>
#include <vector>

namespace qrv {

class CDataRecord {
public:
    CDataRecord();
    virtual ~CDataRecord() = default;
    CDataRecord(const CDataRecord&) = delete;
    CDataRecord& operator=(const CDataRecord&) = delete;

    std::uint32_t TreeId() const { return m_treeId; }
    bool IsValid() const { return m_valid != 0; }
    void SetValid(bool valid) { m_valid = valid ? 1 : 0; }

    static std::uint32_t NextTreeId();

private:
    std::uint32_t m_valid = 1;
    std::uint32_t m_treeId = 0;
};

// The records of one array (channels, DTMF systems...) as their identities and
// valid flags, in table order, for objects that refer to them by position.
using CRecordRefs = std::vector<const CDataRecord*>;

} // namespace qrv
