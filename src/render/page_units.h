#pragma once
// The report is laid out in tenths of a millimetre measured from the top-left
// corner of the printable area; a device draws in its own dots. This is the
// one place that converts between the two.
#include <QPoint>
#include <QRect>

class QPaintDevice;

namespace qrv {

class CPageUnits {
public:
    static constexpr double kTenthsPerInch = 254.0;

    explicit CPageUnits(const QPaintDevice& device);

    // The printable area in tenths of a millimetre (whole millimetres, as the
    // device reports them).
    int WidthTenths() const { return m_widthTenths; }
    int HeightTenths() const { return m_heightTenths; }

    int X(int tenths) const;
    int Y(int tenths) const;
    // A distance along y (a font or line height).
    int Height(int tenths) const { return Y(tenths); }
    QPoint Point(int x, int y) const { return {X(x), Y(y)}; }
    QRect Rect(int left, int top, int right, int bottom) const;

private:
    double m_dotsPerTenthX;
    double m_dotsPerTenthY;
    int m_widthTenths;
    int m_heightTenths;
};

} // namespace qrv
