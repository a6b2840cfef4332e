#include "editors/keys/keys_picture.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace qrv {

namespace {

// Sizes in pixels.
constexpr int kBodyLeft = 44;
constexpr int kBodyWidth = 116;
constexpr int kBodyAboveFirstKey = 70;
constexpr int kBodyBelowLastKey = 150;
constexpr int kSideKeyWidth = 9;
constexpr int kSideKeyHeight = 36;
constexpr int kAntennaWidth = 16;
constexpr int kAntennaHeight = 80;
constexpr int kKnobSize = 26;
constexpr int kTopKeyWidth = 24;
constexpr int kTopKeyHeight = 11;
constexpr int kMargin = 6;

} // namespace

CKeysPicture::CKeysPicture(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(180, 360);
}

int CKeysPicture::ComboY(std::size_t index, int fallback) const
{
    const QWidget* combo = m_combos[index];
    if (combo == nullptr || combo->parentWidget() != parentWidget() || combo->geometry().isEmpty())
        return fallback;
    return mapFromParent(combo->geometry().center()).y();
}

void CKeysPicture::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QPen outline(colours.color(QPalette::WindowText), 1.5);

    std::array<int, 4> comboY{};
    for (std::size_t i = 0; i < comboY.size(); ++i)
        comboY[i] = ComboY(i, height() * (8 + static_cast<int>(i)) / 20);
    const std::array<int, 2> keyY{(comboY[0] + comboY[1]) / 2, (comboY[2] + comboY[3]) / 2};

    const int width = std::min(kBodyWidth, this->width() - kBodyLeft - kMargin);
    const int top = std::max(keyY[0] - kBodyAboveFirstKey, kAntennaHeight / 2);
    const int bottom = std::min(keyY[1] + kBodyBelowLastKey, height() - kMargin);
    const QRect body(kBodyLeft, top, width, bottom - top);

    // What stands on top: antenna on the left, knob on the right, top key between them.
    painter.setPen(outline);
    painter.setBrush(colours.color(QPalette::Dark));
    painter.drawRoundedRect(
        QRect(body.left() + 14, std::max(top - kAntennaHeight, 0), kAntennaWidth, std::min(kAntennaHeight, top) + 6), 7,
        7);
    painter.drawRoundedRect(QRect(body.right() - kKnobSize - 12, top - kKnobSize + 4, kKnobSize, kKnobSize), 4, 4);
    painter.setBrush(colours.color(QPalette::Mid));
    painter.drawRoundedRect(
        QRect(body.center().x() - kTopKeyWidth / 2, top - kTopKeyHeight + 2, kTopKeyWidth, kTopKeyHeight), 3, 3);

    // The body with its display and speaker grille.
    painter.setBrush(colours.color(QPalette::Button));
    painter.drawRoundedRect(body, 16, 16);
    painter.setBrush(colours.color(QPalette::Base));
    const QRect display(body.left() + 16, body.top() + 24, body.width() - 32, 40);
    painter.drawRoundedRect(display, 4, 4);
    painter.setPen(QPen(colours.color(QPalette::Mid), 2));
    for (int y = display.bottom() + 30; y < body.bottom() - 20; y += 9)
        painter.drawLine(body.left() + 22, y, body.right() - 22, y);

    // The side keys and the leader lines to their combos.
    painter.setPen(QPen(colours.color(QPalette::Highlight), 1.2));
    for (std::size_t i = 0; i < comboY.size(); ++i) {
        QPainterPath leader;
        leader.moveTo(0, comboY[i]);
        leader.lineTo(12, comboY[i]);
        leader.lineTo(body.left() - kSideKeyWidth - 6, keyY[i / 2]);
        leader.lineTo(body.left() - kSideKeyWidth, keyY[i / 2]);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(leader);
    }
    painter.setPen(outline);
    painter.setBrush(colours.color(QPalette::Highlight));
    for (const int y : keyY)
        painter.drawRoundedRect(
            QRect(body.left() - kSideKeyWidth, y - kSideKeyHeight / 2, kSideKeyWidth + 2, kSideKeyHeight), 3, 3);
}

} // namespace qrv
