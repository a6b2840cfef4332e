#pragma once
// The view class of each kind of item.
#include "presentation/item_tables.h"

class QWidget;

namespace qrv {

class CEditorContext;

// A new view for the item kind, showing the record at position for numbered
// items; nullptr for a kind that has no view.
QWidget* MakeView(ViewKind kind, CEditorContext& context, int position);
// Whether the kind has a view yet (its commands are enabled).
bool HasView(ViewKind kind);

} // namespace qrv
