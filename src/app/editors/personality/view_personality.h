#pragma once
// The personality view: the table of up to 16 personalities, one at a time,
// on a sheet that shows the RX/TX page.
#include "editors/common/record_view.h"
#include "presentation/form_numbers.h"

namespace qrv {

class CPersonalityRXTXPage;
class CPersonalitySignalPage;

class CViewPersonality : public CRecordView {
    Q_OBJECT
public:
    static constexpr int kForm = form::kPersonality;
    static constexpr int kMaximum = 16;

    // Shows the personality at position (the first when out of range).
    CViewPersonality(CEditorContext& context, int position, QWidget* parent = nullptr);

protected:
    int Count() const override;
    int Maximum() const override { return kMaximum; }
    void AddRecord() override;
    bool ConfirmRemove(int position) override;
    void RemoveRecord(int position) override;
    void BindRecord(int position) override;
    std::uint32_t IdOf(int position) const override;

private:
    CPersonalityRXTXPage* m_rxtx;
    // Built and bound with the sheet, but not one of its tabs.
    CPersonalitySignalPage* m_signal;
};

} // namespace qrv
