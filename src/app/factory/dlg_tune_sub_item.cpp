#include "factory/dlg_tune_sub_item.h"

#include "factory/radio_mode_session.h"
#include "factory/tune_scroll_bar.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/radio_link.h"
#include "radio_link/radio_messages.h"
#include "records/test_frequency_data.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"
#include "util/bytes.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace qrv {

namespace {

constexpr int kSpacingGroup = 7064;
constexpr std::array<int, CTuningTable::kGroupCount> kGroupButtons{7074, 7085, 7073}; // Width, Middle, Narrow
constexpr int kTabs = 7067;
constexpr int kRxLabel = 7060;
constexpr int kRxText = 7061;
constexpr int kTxLabel = 7062;
constexpr int kTxText = 7063;
constexpr int kValueBar = 7081;
constexpr int kValueMinimumText = 7079;
constexpr int kValueText = 7080;
constexpr int kValueMaximumText = 7078;
constexpr int kVolumeBar = 7077;
constexpr int kVolumeMinimumText = 7083;
constexpr int kVolumeMaximumText = 7082;
constexpr int kVolumeText = 7084;
constexpr int kTestButton = 7071;
constexpr int kSampleButton = 7086;
constexpr int kOk = 7075;

constexpr int kValueLineStep = 1;
constexpr int kValuePageStep = 10;
constexpr int kVolumeLineStep = 8;
constexpr int kVolumePageStep = 24;

// A tab's data: the item number in the low half, its place in the tune data
// block in the high half.
constexpr std::uint32_t kNoIndex = 0xFFFF;

std::uint32_t TabData(std::uint16_t item, std::optional<std::size_t> index)
{
    return item | (static_cast<std::uint32_t>(index.value_or(kNoIndex)) << 16);
}

std::array<std::uint8_t, 2> LowByteFirst(int value)
{
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF)};
}

template <typename Widget> Widget* Numbered(Widget* widget, int number)
{
    SetControlNumber(widget, number);
    return widget;
}

} // namespace

CDlgTuneSubItem::CDlgTuneSubItem(CSettings& settings, CRadioData& radioData, CRadioLink& link,
                                 const CTuningTable& table, const CTuningEntry& entry, const QString& name,
                                 std::uint16_t value, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_link(link), m_frequencies(radioData.TestFrequencies()),
      m_tuneData(radioData.Adjustment()), m_working(radioData.Adjustment()), m_table(table), m_entry(entry),
      m_group(entry.FirstGroup().value_or(TuneGroup::Width))
{
    SetControlNumber(this, kForm);
    Build();
    LocalizeWindow(*this, settings, kForm);
    setWindowTitle(windowTitle().isEmpty() ? name : windowTitle() + QStringLiteral(" - ") + name);

    for (const TuneGroup group : {TuneGroup::Width, TuneGroup::Middle, TuneGroup::Narrow})
        GroupButton(group)->setEnabled(entry.HasGroup(group));
    GroupButton(m_group)->setChecked(true);
    m_sample->setVisible(CanSample(entry.base));
    FillTabs();
    ShowPoint();
    ShowValue(value);
    m_volume->ShowValue(kVolumeStart);
    m_volumeText->setText(Q(settings.GetText(kVolumeText)) + QString::number(kVolumeStart));
    ShowTestCaption();
}

void CDlgTuneSubItem::Build()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildSpacing());
    m_tabs = Numbered(new QTabBar(this), kTabs);
    layout->addWidget(m_tabs);

    auto* frequencies = new QGridLayout;
    frequencies->addWidget(Numbered(new QLabel(this), kRxLabel), 0, 0);
    m_rxText = Numbered(new QLabel(this), kRxText);
    frequencies->addWidget(m_rxText, 0, 1);
    frequencies->addWidget(Numbered(new QLabel(this), kTxLabel), 1, 0);
    m_txText = Numbered(new QLabel(this), kTxText);
    frequencies->addWidget(m_txText, 1, 1);
    frequencies->setColumnStretch(1, 1);
    layout->addLayout(frequencies);

    m_value = Numbered(new CTuneScrollBar(kValueLineStep, kValuePageStep, this), kValueBar);
    layout->addLayout(BuildBar(m_value, kValueMinimumText, kValueMaximumText, kValueMinimum, kValueMaximum));
    m_valueText = Numbered(new QLabel(this), kValueText);
    m_valueText->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_valueText);

    m_volume = Numbered(new CTuneScrollBar(kVolumeLineStep, kVolumePageStep, this), kVolumeBar);
    layout->addLayout(BuildBar(m_volume, kVolumeMinimumText, kVolumeMaximumText, 0, kVolumeMaximum));
    m_volumeText = Numbered(new QLabel(this), kVolumeText);
    m_volumeText->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_volumeText);

    auto* buttons = new QHBoxLayout;
    m_tx = Numbered(new QPushButton(this), kTestButton);
    m_tx->setCheckable(true);
    m_sample = Numbered(new QPushButton(this), kSampleButton);
    m_ok = Numbered(new QPushButton(this), kOk);
    m_cancel = Numbered(new QPushButton(this), kCancelButton);
    for (QPushButton* button : {m_tx, m_sample, m_ok, m_cancel})
        button->setAutoDefault(false);
    buttons->addWidget(m_tx);
    buttons->addWidget(m_sample);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);

    connect(m_tabs, &QTabBar::currentChanged, this, &CDlgTuneSubItem::ChoosePoint);
    connect(m_value, &QScrollBar::valueChanged, m_valueText,
            [this](int v) { m_valueText->setText(QString::number(v)); });
    connect(m_value, &CTuneScrollBar::ScrollEnded, this, &CDlgTuneSubItem::WriteValue);
    connect(m_volume, &QScrollBar::valueChanged, m_volumeText,
            [this](int v) { m_volumeText->setText(Q(m_settings.GetText(kVolumeText)) + QString::number(v)); });
    connect(m_volume, &CTuneScrollBar::ScrollEnded, this, &CDlgTuneSubItem::WriteVolume);
    connect(m_tx, &QPushButton::clicked, this, &CDlgTuneSubItem::SwitchTest);
    connect(m_sample, &QPushButton::clicked, this, &CDlgTuneSubItem::Sample);
    connect(m_ok, &QPushButton::clicked, this, &CDlgTuneSubItem::Keep);
    connect(m_cancel, &QPushButton::clicked, this, &CDlgTuneSubItem::reject);
}

QWidget* CDlgTuneSubItem::BuildSpacing()
{
    auto* box = Numbered(new QGroupBox(this), kSpacingGroup);
    box->setTitle(Q(m_settings.GetText(kSpacingGroup)));
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int g = 0; g < CTuningTable::kGroupCount; ++g) {
        auto* button = Numbered(new QRadioButton(box), kGroupButtons[static_cast<std::size_t>(g)]);
        m_groupButtons[static_cast<std::size_t>(g)] = button;
        group->addButton(button, g);
        row->addWidget(button);
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { ChooseGroup(static_cast<TuneGroup>(id)); });
    return box;
}

QLayout* CDlgTuneSubItem::BuildBar(CTuneScrollBar* bar, int minimumNumber, int maximumNumber, int minimum, int maximum)
{
    bar->setRange(minimum, maximum);
    auto* row = new QHBoxLayout;
    row->addWidget(Numbered(new QLabel(QString::number(minimum), this), minimumNumber));
    row->addWidget(bar, 1);
    row->addWidget(Numbered(new QLabel(QString::number(maximum), this), maximumNumber));
    return row;
}

void CDlgTuneSubItem::ChooseGroup(TuneGroup group)
{
    m_group = group;
    FillTabs();
    ShowPoint();
    ReadValue();
}

void CDlgTuneSubItem::FillTabs()
{
    const QSignalBlocker quiet(m_tabs);
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    const std::vector<std::string> names = m_settings.GetList(kTabs);
    for (const int point : m_entry.Points(m_group)) {
        const std::uint16_t item = m_entry.ItemNumber(m_group, point);
        const auto p = static_cast<std::size_t>(point);
        const int tab = m_tabs->addTab(p < names.size() ? Q(names[p]) : QString::number(point + 1));
        m_tabs->setTabData(tab, TabData(item, m_table.ValueIndex(item)));
    }
    m_tabs->setCurrentIndex(0);
    m_item = static_cast<std::uint16_t>(m_tabs->tabData(0).toUInt() & 0xFFFF);
}

void CDlgTuneSubItem::ChoosePoint(int tab)
{
    if (tab < 0)
        return;
    m_item = static_cast<std::uint16_t>(m_tabs->tabData(tab).toUInt() & 0xFFFF);
    ShowPoint();
    ReadValue();
}

void CDlgTuneSubItem::ShowPoint()
{
    const auto point = static_cast<std::size_t>(m_entry.PointOf(m_item));
    m_rxText->setText(Q(m_frequencies.PointRxText(point)));
    m_txText->setText(Q(m_frequencies.PointTxText(point)));
}

void CDlgTuneSubItem::ShowValue(std::uint16_t value)
{
    m_value->ShowValue(value);
    m_valueText->setText(QString::number(value));
}

void CDlgTuneSubItem::ReadValue()
{
    std::array<std::uint8_t, 2> bytes{};
    int read = 0;
    {
        const CRadioWaitCursor wait;
        read = m_link.ReadTuneValue(m_item, bytes);
    }
    if (read > 0) {
        ShowValue(GetLe16(bytes, 0));
        return;
    }
    ShowMessage(this, m_settings, read == 0 ? msg::kTuneReadFailed : msg::kNoRadioAnswer);
    End(read == 0 ? Outcome::ReadFailed : Outcome::NoAnswer);
}

void CDlgTuneSubItem::Sample()
{
    std::array<std::uint8_t, 2> bytes{};
    int read = 0;
    {
        const CRadioWaitCursor wait;
        read = m_link.ReadTuneValueAlt(m_item, bytes);
    }
    if (read > 0) {
        ShowValue(GetLe16(bytes, 0));
        return;
    }
    ShowMessage(this, m_settings, msg::kTuneReadFailed);
    End(Outcome::ReadFailed);
}

void CDlgTuneSubItem::WriteValue(int value)
{
    bool written = false;
    {
        const CRadioWaitCursor wait;
        written = m_link.WriteTuneValue(m_item, LowByteFirst(value));
    }
    if (!written) {
        ShowMessage(this, m_settings, msg::kTuneWriteFailed);
        End(Outcome::WriteFailed);
        return;
    }
    const std::uint32_t index = m_tabs->tabData(m_tabs->currentIndex()).toUInt() >> 16;
    if (index != kNoIndex)
        m_working.SetValue(index, static_cast<std::uint16_t>(value));
}

void CDlgTuneSubItem::WriteVolume(int value)
{
    bool written = false;
    {
        const CRadioWaitCursor wait;
        written = m_link.WriteTuneValue(kVolumeItem, LowByteFirst(value));
    }
    if (!written) {
        ShowMessage(this, m_settings, msg::kTuneWriteFailed);
        End(Outcome::WriteFailed);
    }
}

void CDlgTuneSubItem::SwitchTest(bool on)
{
    const std::uint8_t which = IsTransmitItem(m_entry.base) ? 'b' : 'a';
    bool done = false;
    {
        const CRadioWaitCursor wait;
        done = m_link.SetTestOption(which, on ? 1 : 0);
    }
    if (!done && on) {
        const QSignalBlocker quiet(m_tx);
        m_tx->setChecked(false);
    }
    ShowTestCaption();
}

void CDlgTuneSubItem::ShowTestCaption()
{
    const bool running = m_tx->isChecked();
    const int caption = IsTransmitItem(m_entry.base) ? (running ? kTransmitTestRunning : kTransmitTestStopped)
                                                     : (running ? kReceiveTestRunning : kReceiveTestStopped);
    m_tx->setText(Q(m_settings.GetText(caption)));
}

void CDlgTuneSubItem::StopTest()
{
    // The test transmitter is not left running behind a closed dialog.
    if (!m_tx->isChecked())
        return;
    {
        const QSignalBlocker quiet(m_tx);
        m_tx->setChecked(false);
    }
    SwitchTest(false);
}

void CDlgTuneSubItem::Keep()
{
    StopTest();
    bool kept = false;
    {
        const CRadioWaitCursor wait;
        kept = m_link.SetTransmit(true);
    }
    if (!kept) {
        ShowMessage(this, m_settings, msg::kTuneWriteFailed);
        End(Outcome::WriteFailed);
        return;
    }
    m_tuneData = m_working;
    End(Outcome::Kept);
}

void CDlgTuneSubItem::reject()
{
    if (m_outcome != Outcome::Open) {
        QDialog::reject();
        return;
    }
    StopTest();
    {
        const CRadioWaitCursor wait;
        m_link.SetTransmit(false);
    }
    End(Outcome::Dropped);
}

void CDlgTuneSubItem::End(Outcome outcome)
{
    m_outcome = outcome;
    done(outcome == Outcome::Kept ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace qrv
