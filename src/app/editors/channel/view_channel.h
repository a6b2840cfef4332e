#pragma once
// The channel view: the Basic and Miscellaneous pages of one channel at a
// time, and the record commands that add, delete and step through the
// channels (at most 16).
#include "editors/common/record_view.h"
#include "presentation/form_numbers.h"
#include "records/channel_data.h"

namespace qrv {

class CChannelBasicPage;
class CChannelMiscellaneousPage;

// What the two pages of a channel view share: the bound channel and the
// page-side copy of it.
struct CChannelBinding {
    CChannelData* channel = nullptr;
    CChannelEditRecord edit;
};

class CViewChannel : public CRecordView {
    Q_OBJECT
public:
    static constexpr int kForm = form::kChannel;

    // Shows the channel at position (0-based; the first when out of range).
    CViewChannel(CEditorContext& context, int position, QWidget* parent = nullptr);

    CChannelBasicPage* BasicPage() const { return m_basic; }
    CChannelMiscellaneousPage* MiscPage() const { return m_misc; }

protected:
    int Count() const override;
    int Maximum() const override;
    void AddRecord() override;
    void RemoveRecord(int position) override;
    void BindRecord(int position) override;
    std::uint32_t IdOf(int position) const override;

private:
    CChannelBinding m_binding;
    CChannelBasicPage* m_basic = nullptr;
    CChannelMiscellaneousPage* m_misc = nullptr;
};

} // namespace qrv
