#include "editors/scan/view_scan.h"

#include "editors/common/editor_context.h"
#include "editors/common/editor_sheet.h"
#include "editors/scan/scan_channel_list_page.h"
#include "editors/scan/scan_config_page.h"
#include "radio_data/radio_data.h"
#include "shell/localize_window.h"

namespace qrv {

CViewScan::CViewScan(CEditorContext& context, int position, QWidget* parent)
    : CRecordView(context, kView, parent), m_config(new CScanConfigPage(context)),
      m_channels(new CScanChannelListPage(context))
{
    SetControlNumber(this, kView);
    Sheet()->AddPage(m_config, context.Settings());
    Sheet()->AddPage(m_channels, context.Settings());
    Start(position);
}

int CViewScan::Count() const
{
    return static_cast<int>(Context().Data().ScanLists().size());
}

void CViewScan::AddRecord()
{
    CRadioData& radioData = Context().Data();
    auto scanList = std::make_unique<CScanListData>();
    scanList->Resolve(radioData.ChannelRefs());
    radioData.ScanLists().push_back(std::move(scanList));
}

void CViewScan::RemoveRecord(int position)
{
    CRadioData& radioData = Context().Data();
    auto& scanLists = radioData.ScanLists();
    if (position < 0 || position >= Count())
        return;
    scanLists[static_cast<std::size_t>(position)]->WithdrawCheckEntries(radioData.InvalidLog());
    m_config->Bind(nullptr);
    m_channels->Bind(nullptr);
    scanLists.erase(scanLists.begin() + position);
}

void CViewScan::BindRecord(int position)
{
    CScanListData* scanList = position >= 0 && position < Count()
                                  ? Context().Data().ScanLists()[static_cast<std::size_t>(position)].get()
                                  : nullptr;
    m_config->Bind(scanList);
    m_channels->Bind(scanList);
}

std::uint32_t CViewScan::IdOf(int position) const
{
    const auto& scanLists = Context().Data().ScanLists();
    return position >= 0 && position < Count() ? scanLists[static_cast<std::size_t>(position)]->TreeId() : 0;
}

} // namespace qrv
