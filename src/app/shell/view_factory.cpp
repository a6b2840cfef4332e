#include "shell/view_factory.h"

#include "editors/common/editor_context.h"
#include "editors/data_watch_view.h"
#include "editors/settings/view_radio.h"

namespace qrv {

QWidget* MakeView(ViewKind kind, CEditorContext& context, int /*position*/)
{
    switch (kind) {
    case ViewKind::Radio:
        return new CViewRadio(context.Data(), context.Settings());
    case ViewKind::DataWatch:
        return new CDataWatchView(context.Data(), context.Settings());
    default:
        return nullptr;
    }
}

bool HasView(ViewKind kind)
{
    return kind == ViewKind::Radio || kind == ViewKind::DataWatch;
}

} // namespace qrv
