#include "shell/view_factory.h"

#include "editors/channel/view_channel.h"
#include "editors/channel_list/view_channel_list.h"
#include "editors/common/editor_context.h"
#include "editors/data_watch_view.h"
#include "editors/dtmf/view_dtmf_system.h"
#include "editors/embedded/view_embedded.h"
#include "editors/emergency/view_emergency.h"
#include "editors/keys/view_keys.h"
#include "editors/personality/view_personality.h"
#include "editors/scan/view_scan.h"
#include "editors/settings/view_microphone.h"
#include "editors/settings/view_miscellaneous.h"
#include "editors/settings/view_mode.h"
#include "editors/settings/view_radio.h"
#include "editors/settings/view_volume.h"
#include "editors/settings/view_vox.h"
#include "editors/test_frequency/view_test_frequency.h"

namespace qrv {

QWidget* MakeView(ViewKind kind, CEditorContext& context, int position)
{
    switch (kind) {
    case ViewKind::Radio:
        return new CViewRadio(context.Data(), context.Settings());
    case ViewKind::DataWatch:
        return new CDataWatchView(context.Data(), context.Settings());
    case ViewKind::Channel:
        return new CViewChannel(context, position);
    case ViewKind::ChannelList:
        return new CViewChannelList(context, position);
    case ViewKind::Embedded:
        return new CViewEmbedded(context);
    case ViewKind::Keys:
        return new CViewKeys(context);
    case ViewKind::TestFrequency:
        return new CViewTestFrequency(context);
    case ViewKind::DtmfSystem:
        return new CViewDTMFSystem(context, position);
    case ViewKind::Emergency:
        return new CViewEmergency(context);
    case ViewKind::Miscellaneous:
        return new CViewMiscellaneous(context);
    case ViewKind::Vox:
        return new CViewVox(context);
    case ViewKind::Mode:
        return new CViewMode(context);
    case ViewKind::Volume:
        return new CViewVolume(context);
    case ViewKind::Microphone:
        return new CViewMicrophone(context);
    case ViewKind::Personality:
        return new CViewPersonality(context, position);
    case ViewKind::Scan:
        return new CViewScan(context, position);
    default:
        return nullptr;
    }
}

bool HasView(ViewKind kind)
{
    switch (kind) {
    case ViewKind::Radio:
    case ViewKind::DataWatch:
    case ViewKind::Channel:
    case ViewKind::ChannelList:
    case ViewKind::Embedded:
    case ViewKind::Keys:
    case ViewKind::TestFrequency:
    case ViewKind::DtmfSystem:
    case ViewKind::Emergency:
    case ViewKind::Miscellaneous:
    case ViewKind::Vox:
    case ViewKind::Mode:
    case ViewKind::Volume:
    case ViewKind::Microphone:
    case ViewKind::Personality:
    case ViewKind::Scan:
        return true;
    default:
        return false;
    }
}

} // namespace qrv
