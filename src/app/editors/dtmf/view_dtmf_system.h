#pragma once
// The DTMF system view: the radio's one DTMF system on the Basic and Advanced
// pages. The table allows one record, so add is never offered; the record
// commands still work as on the other numbered records.
#include "editors/common/record_view.h"

namespace qrv {

class CDTMFBasicPage;
class CDTMFAdvancePage;

class CViewDTMFSystem : public CRecordView {
    Q_OBJECT
public:
    // The pages' sheet: it remembers the page last shown.
    static constexpr int kSheet = 5300;
    static constexpr int kMaximum = 1;

    // Shows the DTMF system at position (the first when out of range).
    CViewDTMFSystem(CEditorContext& context, int position, QWidget* parent = nullptr);

    CDTMFBasicPage* BasicPage() const { return m_basic; }
    CDTMFAdvancePage* AdvancedPage() const { return m_advanced; }

protected:
    int Count() const override;
    int Maximum() const override { return kMaximum; }
    void AddRecord() override;
    void RemoveRecord(int position) override;
    void BindRecord(int position) override;
    std::uint32_t IdOf(int position) const override;
    void hideEvent(QHideEvent* event) override;

private:
    CDTMFBasicPage* m_basic;
    CDTMFAdvancePage* m_advanced;
};

} // namespace qrv
