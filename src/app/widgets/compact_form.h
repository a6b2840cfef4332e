#pragma once
// Editor pages are forms: labels and fields at their natural widths, at the
// top left of the window, however large it is. Tables and text areas keep
// the room they are given.
class QLayout;
class QWidget;

namespace qrv {

// Applies that to every form and grid under the widget that holds no table,
// list or text area.
void LayOutCompactly(QWidget& root);
// Whether the layout, or one nested in it, holds a table, list or text area.
bool HoldsScrollArea(const QLayout& layout);

} // namespace qrv
