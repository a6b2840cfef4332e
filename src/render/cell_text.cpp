#include "cell_text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace qrv {

void DrawCellText(QPainter& painter, const QRect& cell, const QString& text, Qt::Alignment horizontal, int gap)
{
    if (text.isEmpty() || cell.width() <= 0)
        return;
    constexpr auto kFlags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
    const qreal room = std::max(1, cell.width() - gap);
    const qreal width = QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text);
    if (width <= room) {
        painter.drawText(cell, static_cast<int>(horizontal | kFlags), text);
        return;
    }
    painter.save();
    const qreal left = horizontal.testFlag(Qt::AlignRight) ? cell.left() + cell.width() - room : cell.left();
    painter.translate(left, 0);
    painter.scale(room / width, 1.0);
    painter.drawText(QRectF(0, cell.top(), width, cell.height()), static_cast<int>(Qt::AlignLeft | kFlags), text);
    painter.restore();
}

} // namespace qrv
