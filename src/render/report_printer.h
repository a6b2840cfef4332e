#pragma once
// The printed codeplug report: the rows of the chosen sections cut into pages,
// each page with its header, radio identity block, rows and footer. It draws
// on any paged device: a printer, the print preview, a PDF file.
#include "report/page_layout.h"
#include "report/report_row.h"

#include <QString>

#include <ctime>
#include <optional>
#include <set>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace qrv {

class CPageUnits;
class CRadioData;
class CSettings;
struct CReportFonts;

class CReportPrinter {
public:
    CReportPrinter(CRadioData& data, const CSettings& settings);

    // The rows of the chosen sections (form numbers), in the order of the section table.
    void Prepare(const std::set<int>& formNumbers);
    // A view's own section alone: wider margins, its title on the right of the header.
    void PrepareView(int formNumber);
    // Empties the rows and leaves the current-view mode.
    void End();

    // Measures the device's printable area and cuts the rows into pages.
    const CPageLayout& Begin(const QPaintDevice& device);
    // Draws page p (1-based) of the layout made by Begin, with a painter active on that device.
    void DrawPage(QPainter& painter, const QPaintDevice& device, int page) const;
    // Begin, then every page; false when nothing could be painted on the device.
    bool Print(QPagedPaintDevice& device);

    const ReportRows& Rows() const { return m_rows; }
    const CPageLayout& Layout() const { return m_layout; }
    bool CurrentView() const { return m_currentView; }
    const QString& RightHeaderText() const { return m_rightHeader; }
    // The footer's date and time; the clock's when not fixed (tests fix it).
    void SetFixedTime(std::optional<std::tm> time) { m_fixedTime = time; }

private:
    void DrawHeader(QPainter& painter, const CPageUnits& units, const CReportFonts& fonts) const;
    void DrawFooter(QPainter& painter, const CPageUnits& units, const CReportFonts& fonts, int page) const;
    void DrawIdentity(QPainter& painter, const CPageUnits& units, const CReportFonts& fonts) const;
    // The header rows a continued table repeats, then the page's own rows.
    void DrawRows(QPainter& painter, const CPageUnits& units, const CReportFonts& fonts, int page) const;
    // A row on the page's line (0-based below the identity block).
    void DrawRow(QPainter& painter, const CPageUnits& units, const CReportFonts& fonts, const CReportRow& row,
                 int line) const;
    QString FooterTime() const;

    CRadioData& m_data;
    const CSettings& m_settings;
    ReportRows m_rows;
    CPageLayout m_layout;
    bool m_currentView = false;
    QString m_rightHeader;
    std::optional<std::tm> m_fixedTime;
};

} // namespace qrv
