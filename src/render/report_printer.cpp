#include "report_printer.h"

#include "cell_text.h"
#include "page_units.h"
#include "presentation/caption_numbers.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "report/report_sections.h"
#include "report_fonts.h"
#include "util/local_time.h"
#include "util/text_format.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <array>

namespace qrv {

namespace {

// Rules are drawn 0.2 mm wide; text keeps 0.8 mm clear of the next cell.
constexpr int kRuleWidth = 2;
constexpr int kCellGap = 8;
// The header text stands this far above its rule.
constexpr int kHeaderTextGap = 8;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

void DrawRule(QPainter& painter, const CPageUnits& units, int left, int right, int y)
{
    painter.drawLine(units.Point(left, y), units.Point(right, y));
}

} // namespace

CReportPrinter::CReportPrinter(CRadioData& data, const CSettings& settings) : m_data(data), m_settings(settings)
{
}

void CReportPrinter::Prepare(const std::set<int>& formNumbers)
{
    m_currentView = false;
    m_rightHeader.clear();
    m_rows = BuildReport(m_data, m_settings, formNumbers);
    m_layout = CPageLayout{};
}

void CReportPrinter::PrepareView(int formNumber)
{
    m_currentView = true;
    m_rightHeader = Text(m_settings.GetText(formNumber));
    m_rows = BuildReport(m_data, m_settings, {formNumber});
    m_layout = CPageLayout{};
}

void CReportPrinter::End()
{
    m_rows.clear();
    m_currentView = false;
    m_rightHeader.clear();
    m_layout = CPageLayout{};
}

const CPageLayout& CReportPrinter::Begin(const QPaintDevice& device)
{
    const CPageUnits units(device);
    m_layout = Paginate(units.WidthTenths(), units.HeightTenths(), m_currentView, m_rows);
    return m_layout;
}

bool CReportPrinter::Print(QPagedPaintDevice& device)
{
    if (Begin(device).pageCount == 0)
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 1; page <= m_layout.pageCount; ++page) {
        if (page > 1 && !device.newPage())
            return false;
        DrawPage(painter, device, page);
    }
    return painter.end();
}

void CReportPrinter::DrawPage(QPainter& painter, const QPaintDevice& device, int page) const
{
    const CPageUnits units(device);
    const CReportFonts fonts(device, units);
    painter.save(); // the device keeps its own font and pen after the page
    painter.setPen(QPen(Qt::black, units.Height(kRuleWidth), Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    DrawHeader(painter, units, fonts);
    DrawFooter(painter, units, fonts, page);
    DrawIdentity(painter, units, fonts);
    DrawRows(painter, units, fonts, page);
    painter.restore();
}

void CReportPrinter::DrawHeader(QPainter& painter, const CPageUnits& units, const CReportFonts& fonts) const
{
    const CPageLayout& l = m_layout;
    const int rule = HeaderRuleY(l);
    DrawRule(painter, units, l.margin, l.width - l.margin, rule);

    painter.setFont(fonts.header);
    const int height = static_cast<int>(QFontMetricsF(fonts.header, painter.device()).height());
    const int top = units.Y(rule) - units.Height(kHeaderTextGap) - height;
    const QRect line(QPoint(units.X(l.margin), top), QPoint(units.X(l.width - l.margin), top + height - 1));
    DrawCellText(painter, line, Text(m_settings.GetText(msg::kMainCaption)), Qt::AlignLeft, 0);
    DrawCellText(painter, line, m_rightHeader, Qt::AlignRight, 0);
}

void CReportPrinter::DrawFooter(QPainter& painter, const CPageUnits& units, const CReportFonts& fonts, int page) const
{
    const CPageLayout& l = m_layout;
    DrawRule(painter, units, l.margin, l.width - l.margin, FooterRuleY(l));

    painter.setFont(fonts.header);
    const int height = static_cast<int>(QFontMetricsF(fonts.header, painter.device()).height());
    const int top = units.Y(FooterTextTop(l));
    const QRect line(QPoint(units.X(l.margin), top), QPoint(units.X(l.width - l.margin), top + height - 1));
    DrawCellText(painter, line,
                 Text(FormatMessageNumbers(m_settings.GetMessage(msg::kPageFooter), {page, l.pageCount})),
                 Qt::AlignLeft, 0);
    DrawCellText(painter, line, FooterTime(), Qt::AlignRight, 0);
}

void CReportPrinter::DrawIdentity(QPainter& painter, const CPageUnits& units, const CReportFonts& fonts) const
{
    const CIdentityBlock block = IdentityBlock(m_layout);
    const CRadioIdentityTexts identity = RadioIdentityTexts(m_data, m_settings);
    const std::array<std::pair<CIdentityCell, std::string>, 6> cells{{
        {block.modelLabel, m_settings.GetText(caption::kModelName)},
        {block.modelValue, identity.modelName},
        {block.rangeLabel, m_settings.GetText(caption::kFrequencyRange)},
        {block.rangeValue, identity.frequencyRange},
        {block.versionLabel, m_settings.GetText(caption::kFirmwareVersion)},
        {block.versionValue, identity.firmwareVersion},
    }};
    painter.setFont(fonts.identity);
    for (const auto& [cell, text] : cells)
        DrawCellText(painter, units.Rect(cell.left, cell.top, cell.right, cell.bottom), Text(text), Qt::AlignLeft,
                     units.X(kCellGap));
    DrawRule(painter, units, m_layout.margin, m_layout.width - m_layout.margin, block.ruleY);
}

void CReportPrinter::DrawRows(QPainter& painter, const CPageUnits& units, const CReportFonts& fonts, int page) const
{
    const auto [headerFirst, headerLast] = RepeatedHeaderOfPage(m_layout, page);
    const auto [first, last] = RowsOfPage(m_layout, page, m_rows.size());
    int line = 0;
    for (const auto& [from, to] : {std::pair(headerFirst, headerLast), std::pair(first, last)})
        for (std::size_t index = from; index < to && index < m_rows.size(); ++index)
            DrawRow(painter, units, fonts, m_rows[index], line++);
}

void CReportPrinter::DrawRow(QPainter& painter, const CPageUnits& units, const CReportFonts& fonts,
                             const CReportRow& row, int line) const
{
    if (row.kind == CReportRow::kBlank)
        return; // it still takes its line
    const int top = RowTop(m_layout, line);
    painter.setFont(fonts.ForKind(row.kind));
    const std::vector<CCellSpan> spans = CellSpans(row, m_layout);
    for (std::size_t cell = 0; cell < spans.size(); ++cell)
        DrawCellText(painter, units.Rect(spans[cell].left, top, spans[cell].right, top + m_layout.lineHeight),
                     Text(row.cells[cell]), Qt::AlignLeft, units.X(kCellGap));
}

QString CReportPrinter::FooterTime() const
{
    const std::tm time = m_fixedTime.value_or(LocalTimeNow());
    std::array<char, 32> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%m/%d/%Y %H:%M:%S", &time);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(length));
}

} // namespace qrv
