#pragma once
// The five fonts of the printed report, sized for one device.
#include <QFont>

class QPaintDevice;

namespace qrv {

class CPageUnits;

struct CReportFonts {
    // Heights in tenths of a millimetre.
    static constexpr int kHeaderHeight = 30;
    static constexpr int kIdentityHeight = 30;
    static constexpr int kNormalHeight = 35;
    static constexpr int kTitleHeight = 50;
    static constexpr int kEmphasisHeight = 40;

    CReportFonts(const QPaintDevice& device, const CPageUnits& units);

    // The font of a report row's kind (title, emphasis, anything else normal).
    const QFont& ForKind(int kind) const;

    QFont header;   // header and footer
    QFont identity; // the radio identity block
    QFont normal;
    QFont title;
    QFont emphasis;
};

// A plain sans-serif face that this machine has, with a CJK face behind it for
// the Chinese texts; the height is the whole line the font needs (ascent plus
// descent), so that a 5 mm row holds the 5 mm title font.
QFont MakeReportFont(int heightTenths, int weight, const QPaintDevice& device, const CPageUnits& units);

} // namespace qrv
