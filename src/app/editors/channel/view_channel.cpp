#include "editors/channel/view_channel.h"

#include "editors/channel/channel_basic_page.h"
#include "editors/channel/channel_miscellaneous_page.h"
#include "editors/common/editor_context.h"
#include "editors/common/editor_sheet.h"
#include "radio_data/radio_data.h"
#include "shell/localize_window.h"

namespace qrv {

CViewChannel::CViewChannel(CEditorContext& context, int position, QWidget* parent) : CRecordView(context, kForm, parent)
{
    SetControlNumber(this, kForm);
    // Before the pages exist, so that only the caption is set here.
    LocalizeWindow(*this, context.Settings(), kForm);
    m_basic = new CChannelBasicPage(context, m_binding);
    m_misc = new CChannelMiscellaneousPage(context, m_binding);
    Sheet()->AddPage(m_basic, context.Settings());
    Sheet()->AddPage(m_misc, context.Settings());
    Start(position);
}

int CViewChannel::Count() const
{
    return static_cast<int>(Context().Data().Channels().size());
}

int CViewChannel::Maximum() const
{
    return static_cast<int>(CChannelData::kMaxChannels);
}

void CViewChannel::AddRecord()
{
    Context().Data().AddChannel();
}

void CViewChannel::RemoveRecord(int position)
{
    CRadioData& radio = Context().Data();
    auto& channels = radio.Channels();
    if (position < 0 || position >= Count())
        return;
    const CChannelData* removed = channels[static_cast<std::size_t>(position)].get();
    if (radio.RemoveChannel(static_cast<std::size_t>(position)) && m_binding.channel == removed)
        m_binding.channel = nullptr; // the pages must not store into it any more
}

void CViewChannel::BindRecord(int position)
{
    auto& channels = Context().Data().Channels();
    m_binding.channel =
        position >= 0 && position < Count() ? channels[static_cast<std::size_t>(position)].get() : nullptr;
}

std::uint32_t CViewChannel::IdOf(int position) const
{
    const auto& channels = Context().Data().Channels();
    return position >= 0 && position < Count() ? channels[static_cast<std::size_t>(position)]->TreeId() : 0;
}

} // namespace qrv
