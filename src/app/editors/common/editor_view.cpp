#include "editors/common/editor_view.h"

namespace qrv {

CEditorView::CEditorView(CEditorContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
}

} // namespace qrv
