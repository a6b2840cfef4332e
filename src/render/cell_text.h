#pragma once
// One line of report text in its cell.
#include <QRect>
#include <QString>

class QPainter;

namespace qrv {

// Draws the text single-line, vertically centred, on the cell's left or right
// edge, in the painter's font. A text wider than the cell less the gap is
// narrowed to fit, so it neither runs into the next cell nor is cut off.
void DrawCellText(QPainter& painter, const QRect& cell, const QString& text, Qt::Alignment horizontal, int gap);

} // namespace qrv
