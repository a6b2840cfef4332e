#include "page_units.h"

#include <QPaintDevice>

#include <cmath>

namespace qrv {

CPageUnits::CPageUnits(const QPaintDevice& device)
    : m_dotsPerTenthX(device.logicalDpiX() / kTenthsPerInch), m_dotsPerTenthY(device.logicalDpiY() / kTenthsPerInch),
      m_widthTenths(device.widthMM() * 10), m_heightTenths(device.heightMM() * 10)
{
}

int CPageUnits::X(int tenths) const
{
    return static_cast<int>(std::lround(tenths * m_dotsPerTenthX));
}

int CPageUnits::Y(int tenths) const
{
    return static_cast<int>(std::lround(tenths * m_dotsPerTenthY));
}

QRect CPageUnits::Rect(int left, int top, int right, int bottom) const
{
    return QRect(QPoint(X(left), Y(top)), QPoint(X(right) - 1, Y(bottom) - 1));
}

} // namespace qrv
