#include "report_fonts.h"

#include "page_units.h"
#include "report/report_row.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace qrv {

namespace {

constexpr int kRegular = 400;
constexpr int kHeavy = 900;

} // namespace

QFont MakeReportFont(int heightTenths, int weight, const QPaintDevice& device, const CPageUnits& units)
{
    QFont font;
    // The report's face first; the others where it is missing, the CJK face last
    // so that Chinese labels are never drawn as empty boxes.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setStyleHint(QFont::SansSerif, QFont::PreferOutline);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setKerning(true);

    const int wanted = std::max(1, units.Height(heightTenths));
    font.setPixelSize(wanted);
    const qreal line = QFontMetricsF(font, &device).height();
    if (line > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(wanted * wanted / line))));
    return font;
}

CReportFonts::CReportFonts(const QPaintDevice& device, const CPageUnits& units)
    : header(MakeReportFont(kHeaderHeight, kRegular, device, units)),
      identity(MakeReportFont(kIdentityHeight, kHeavy, device, units)),
      normal(MakeReportFont(kNormalHeight, kRegular, device, units)),
      title(MakeReportFont(kTitleHeight, kHeavy, device, units)),
      emphasis(MakeReportFont(kEmphasisHeight, kHeavy, device, units))
{
}

const QFont& CReportFonts::ForKind(int kind) const
{
    switch (kind) {
    case CReportRow::kTitle:
        return title;
    case CReportRow::kEmphasis:
        return emphasis;
    default:
        return normal;
    }
}

} // namespace qrv
