#pragma once
// The scan view: up to two scan lists, one at a time, on a sheet with the
// configuration page and the channel list page.
#include "editors/common/record_view.h"
#include "presentation/form_numbers.h"

namespace qrv {

class CScanChannelListPage;
class CScanConfigPage;

class CViewScan : public CRecordView {
    Q_OBJECT
public:
    // The number of the view's texts; it also tells its sheet from the others.
    static constexpr int kView = form::kScan;
    static constexpr int kMaximum = 2;

    // Shows the scan list at position (the first when out of range).
    CViewScan(CEditorContext& context, int position, QWidget* parent = nullptr);

protected:
    int Count() const override;
    int Maximum() const override { return kMaximum; }
    void AddRecord() override;
    void RemoveRecord(int position) override;
    void BindRecord(int position) override;
    std::uint32_t IdOf(int position) const override;

private:
    CScanConfigPage* m_config;
    CScanChannelListPage* m_channels;
};

} // namespace qrv
