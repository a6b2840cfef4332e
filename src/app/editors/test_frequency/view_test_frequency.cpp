#include "editors/test_frequency/view_test_frequency.h"

#include "editors/common/editor_context.h"
#include "editors/test_frequency/freq_grid.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/frequency.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"

#include <QHideEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace qrv {

namespace {

constexpr int kRxTitleItem = 1;
constexpr int kTxTitleItem = 2;

CFreqGrid* MakeGrid(int rows, int number, const CSettings& settings, QWidget& parent, QVBoxLayout& layout)
{
    auto* title = new QLabel(Q(settings.GetText(number)), &parent);
    auto* grid = new CFreqGrid(rows, &parent);
    SetControlNumber(grid, number);
    title->setBuddy(grid);
    const std::vector<std::string> titles = settings.GetList(CViewTestFrequency::kColumnTitles);
    if (titles.size() > kTxTitleItem)
        grid->SetColumnTitles(Q(titles[kRxTitleItem]), Q(titles[kTxTitleItem]));
    grid->NumberRows();
    layout.addWidget(title);
    layout.addWidget(grid);
    return grid;
}

} // namespace

CViewTestFrequency::CViewTestFrequency(CEditorContext& context, QWidget* parent) : CEditorView(context, parent)
{
    SetControlNumber(this, kForm);
    const CSettings& settings = context.Settings();
    auto* layout = new QVBoxLayout(this);
    m_points = MakeGrid(static_cast<int>(kShownPoints.size()), kPointGrid, settings, *this, *layout);
    m_channels = MakeGrid(static_cast<int>(CTestFrequencyData::kChannelCount), kChannelGrid, settings, *this, *layout);
    LocalizeWindow(*this, settings, kForm);

    const bool factory = settings.IsFactoryLevel();
    m_points->SetEditable(factory);
    m_channels->SetEditable(factory);
    if (!factory) {
        m_channels->hide();
        for (QLabel* title : findChildren<QLabel*>())
            if (title->buddy() == m_channels)
                title->hide();
        layout->addStretch(1);
    }
    connect(m_points, &CFreqGrid::TextEntered, this, &CViewTestFrequency::PointEntered);
    connect(m_channels, &CFreqGrid::TextEntered, this, &CViewTestFrequency::ChannelEntered);
    Reload();
}

void CViewTestFrequency::Reload()
{
    for (int row = 0; row < m_points->rowCount(); ++row)
        for (const int column : {CFreqGrid::kRxColumn, CFreqGrid::kTxColumn})
            m_points->ShowText(row, column, PointText(row, column));
    for (int row = 0; row < m_channels->rowCount(); ++row)
        for (const int column : {CFreqGrid::kRxColumn, CFreqGrid::kTxColumn})
            m_channels->ShowText(row, column, ChannelText(row, column));
}

QString CViewTestFrequency::PointText(int row, int column) const
{
    const CTestFrequencyData& block = Context().Data().TestFrequencies();
    const auto point = static_cast<std::size_t>(kShownPoints[static_cast<std::size_t>(row)]);
    return Q(column == CFreqGrid::kRxColumn ? block.PointRxText(point) : block.PointTxText(point));
}

QString CViewTestFrequency::ChannelText(int row, int column) const
{
    const CTestFrequencyData& block = Context().Data().TestFrequencies();
    const auto channel = static_cast<std::size_t>(row);
    return Q(column == CFreqGrid::kRxColumn ? block.ChannelRxText(channel) : block.ChannelTxText(channel));
}

std::optional<std::uint32_t> CViewTestFrequency::TakeTyped(const QString& text)
{
    const CSettings& settings = Context().Settings();
    const auto units = ParseMHz(S(text));
    if (!units) {
        ShowMessage(this, settings, msg::kNotAFrequency);
        return std::nullopt;
    }
    const CBand band = Context().Data().Identity().Band();
    const std::uint32_t lower = band.lower;
    const std::uint32_t upper = std::max(lower, band.upper);
    const std::uint32_t inRange = std::clamp(*units, lower, upper);
    if (inRange != *units)
        ShowMessage(this, settings, msg::kFrequencyOutOfRange);
    return inRange;
}

void CViewTestFrequency::PointEntered(int row, int column, const QString& text)
{
    if (m_entering || row < 0 || row >= m_points->rowCount())
        return;
    m_entering = true;
    // A cell left as it was shown changes nothing (an erased word shows empty).
    if (text != PointText(row, column)) {
        if (const auto units = TakeTyped(text)) {
            CTestFrequencyData& block = Context().Data().TestFrequencies();
            const auto point = static_cast<std::size_t>(kShownPoints[static_cast<std::size_t>(row)]);
            if (column == CFreqGrid::kRxColumn)
                block.SetPointRx(point, *units);
            else
                block.SetPointTx(point, *units);
            Context().Notify({CNotification::Kind::Edited, static_cast<std::uint32_t>(kPointGrid)}, this);
        }
    }
    m_points->ShowText(row, column, PointText(row, column));
    m_entering = false;
}

void CViewTestFrequency::ChannelEntered(int row, int column, const QString& text)
{
    if (m_entering || row < 0 || row >= m_channels->rowCount())
        return;
    m_entering = true;
    if (text != ChannelText(row, column)) {
        if (const auto units = TakeTyped(text)) {
            CTestFrequencyData& block = Context().Data().TestFrequencies();
            const auto channel = static_cast<std::size_t>(row);
            if (column == CFreqGrid::kRxColumn)
                block.SetChannelRx(channel, *units);
            else
                block.SetChannelTx(channel, *units);
            Context().Notify({CNotification::Kind::Edited, static_cast<std::uint32_t>(kChannelGrid)}, this);
        }
    }
    // The text of the frequency on its raster, or the stored one after a refusal.
    m_channels->ShowText(row, column, ChannelText(row, column));
    m_entering = false;
}

void CViewTestFrequency::OnNotification(const CNotification& /*notification*/, QObject* /*origin*/)
{
    // Nothing else edits the test frequency block while the view is open.
}

void CViewTestFrequency::StorePages()
{
    // Each cell is stored when it is typed; only an open cell is left.
    m_points->CommitPending();
    m_channels->CommitPending();
}

void CViewTestFrequency::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        StorePages();
    CEditorView::hideEvent(event);
}

} // namespace qrv
