#include "editors/channel/channel_basic_page.h"

#include "editors/channel/view_channel.h"
#include "editors/common/editor_context.h"
#include "editors/settings/option_controls.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/channel_data.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"
#include "widgets/freq_edit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace qrv {

namespace {

constexpr int kCtcssCharacters = 5;
constexpr int kCdcssCharacters = 3;
// Within one side: the type and tone combos follow the frequency edit's number.
constexpr int kTypeAfterFrequency = 2;
constexpr int kCtcssAfterFrequency = 4;
constexpr int kCdcssAfterFrequency = 6;

// A list combo shows the entry whose item data is the code; a code the
// list lacks shows nothing selected, and is kept (see Entry).
void SelectEntry(QComboBox& combo, long long code)
{
    combo.setCurrentIndex(combo.findData(QVariant::fromValue(code)));
}

// The code a list combo stands for: the chosen entry, or the one it was
// loaded with when the code is not in the list.
std::uint8_t Entry(const QComboBox& combo, std::uint8_t loaded)
{
    return combo.currentIndex() >= 0 ? static_cast<std::uint8_t>(combo.currentData().toLongLong()) : loaded;
}

void Select(QComboBox& combo, const std::string& text)
{
    const int index = combo.findText(Q(text), Qt::MatchExactly);
    combo.setCurrentIndex(index);
    if (index < 0 && combo.isEditable())
        combo.setEditText(Q(text));
}

// The tone lines a combo offers. Extended tones are offered at the factory
// level only; below it a channel whose stored tone is an extended one keeps
// that tone in its list while it is shown, so that showing and storing the
// channel never changes it (the user drops it only by choosing another tone).
void FillTones(QComboBox& combo, bool ctcss, bool factoryLevel, const std::string& shown)
{
    std::vector<CComboLine> lines = ChannelToneLines(ctcss, factoryLevel);
    const bool listed = std::any_of(lines.begin(), lines.end(), [&](const CComboLine& l) { return l.text == shown; });
    if (!listed && !shown.empty()) {
        const CToneLookup stored = ctcss ? CtcssFromText(shown) : CdcssFromText(shown);
        const std::string text = ctcss ? CtcssText(stored.index) : CdcssText(stored.index);
        if (!stored.notInTable && text == shown) {
            const long long index = stored.index;
            const auto at =
                std::find_if(lines.begin(), lines.end(), [&](const CComboLine& l) { return l.data > index; });
            lines.insert(at, {text, index});
        }
    }
    const QSignalBlocker quiet(combo);
    combo.clear();
    for (const CComboLine& line : lines)
        combo.addItem(Q(line.text), QVariant::fromValue(line.data));
    Select(combo, shown);
    // A code outside the tables is shown whole, however narrow the tones are.
    combo.setMinimumContentsLength(static_cast<int>(Q(shown).size()));
}

// The validator limits what can be typed; it has no say over the text shown
// for a stored code outside the tables, which a length limit would cut.
QComboBox* MakeToneCombo(QWidget* parent, int number, bool ctcss)
{
    auto* combo = new QComboBox(parent);
    SetControlNumber(combo, number);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    const QRegularExpression allowed(ctcss ? QStringLiteral("[0-9.]{0,%1}").arg(kCtcssCharacters)
                                           : QStringLiteral("[0-9]{0,%1}").arg(kCdcssCharacters));
    combo->setValidator(new QRegularExpressionValidator(allowed, combo));
    return combo;
}

QLabel* MakeLabel(QWidget* parent, int number)
{
    auto* label = new QLabel(parent);
    SetControlNumber(label, number);
    return label;
}

} // namespace

CChannelBasicPage::CChannelBasicPage(CEditorContext& context, CChannelBinding& binding, QWidget* parent)
    : CEditorPage(context, kPage, parent), m_binding(binding)
{
    m_spacing = new QComboBox(this);
    SetControlNumber(m_spacing, kSpacing);
    m_power = new QComboBox(this);
    SetControlNumber(m_power, kPower);
    auto* top = new QFormLayout;
    top->addRow(MakeLabel(this, kSpacing - 1), m_spacing);
    top->addRow(MakeLabel(this, kPower - 1), m_power);

    QGroupBox* rxGroup = MakeSide(m_rx, kRxGroup, kRxFrequency);
    QGroupBox* txGroup = MakeSide(m_tx, kTxGroup, kTxFrequency);
    m_copy = new QPushButton(this);
    SetControlNumber(m_copy, kCopyReceive);
    m_copy->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    auto* sides = new QHBoxLayout;
    sides->addWidget(rxGroup);
    sides->addWidget(m_copy, 0, Qt::AlignVCenter);
    sides->addWidget(txGroup);
    sides->addStretch(); // the two sides at their natural widths, side by side

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(sides);
    layout->addStretch();

    Localize();
    rxGroup->setTitle(Q(Settings().GetText(kRxGroup)));
    txGroup->setTitle(Q(Settings().GetText(kTxGroup)));
    m_spacing->setEnabled(false); // shown, never edited here
    const bool factoryLevel = Settings().IsFactoryLevel();
    for (const CSide* side : {&m_rx, &m_tx}) {
        side->frequency->SetRange(Data().Identity().LowerLimit(), Data().Identity().UpperLimit());
        FillTones(*side->ctcss, true, factoryLevel, {});
        FillTones(*side->cdcss, false, factoryLevel, {});
        EnableTones(*side);
    }

    Watch(m_power);
    for (const CSide* side : {&m_rx, &m_tx}) {
        connect(side->type, &QComboBox::currentIndexChanged, this, [this, side] { EnableTones(*side); });
        Watch(side->type);
        Watch(side->ctcss);
        Watch(side->cdcss);
        connect(side->frequency, &CFreqEdit::OutOfRange, this, [this] { ShowPageMessage(msg::kFrequencyOutOfRange); });
    }
    connect(m_rx.frequency, &CFreqEdit::ValueCommitted, this, &CChannelBasicPage::ReceiveCommitted);
    connect(m_tx.frequency, &CFreqEdit::ValueCommitted, this, [this] { UserChanged(kTxFrequency); });
    connect(m_copy, &QPushButton::clicked, this, &CChannelBasicPage::CopyReceiveToTransmit);
}

QGroupBox* CChannelBasicPage::MakeSide(CSide& side, int groupNumber, int frequencyNumber)
{
    auto* group = new QGroupBox(this);
    SetControlNumber(group, groupNumber);
    side.frequency = new CFreqEdit(group);
    SetControlNumber(side.frequency, frequencyNumber);
    side.type = new QComboBox(group);
    SetControlNumber(side.type, frequencyNumber + kTypeAfterFrequency);
    side.ctcss = MakeToneCombo(group, frequencyNumber + kCtcssAfterFrequency, true);
    side.cdcss = MakeToneCombo(group, frequencyNumber + kCdcssAfterFrequency, false);

    auto* form = new QFormLayout(group);
    for (QWidget* control : {static_cast<QWidget*>(side.frequency), static_cast<QWidget*>(side.type),
                             static_cast<QWidget*>(side.ctcss), static_cast<QWidget*>(side.cdcss)})
        form->addRow(MakeLabel(group, ControlNumber(control) - 1), control);
    return group;
}

void CChannelBasicPage::LoadControls()
{
    CChannelData* channel = m_binding.channel;
    if (channel == nullptr)
        return;
    CChannelEditRecord& edit = m_binding.edit;
    channel->FillEditRecord(edit);
    SelectEntry(*m_spacing, edit.spacing);
    SelectEntry(*m_power, edit.power);
    LoadSide(m_rx, edit.rxFrequency, edit.rxStepCode, edit.rxType, edit.rxCtcss, edit.rxCdcss);
    LoadSide(m_tx, edit.txFrequency, edit.txStepCode, edit.txType, edit.txCtcss, edit.txCdcss);
    EnableTransmitFrequency();
}

void CChannelBasicPage::LoadSide(const CSide& side, std::uint32_t frequency, std::uint8_t stepCode, std::uint8_t type,
                                 const CToneLookup& ctcss, const CToneLookup& cdcss)
{
    side.frequency->SetRange(Data().Identity().LowerLimit(), Data().Identity().UpperLimit());
    // The stored step code stands until the user types a frequency.
    side.frequency->SetValue(frequency, stepCode);
    SelectEntry(*side.type, type);
    const bool factoryLevel = Settings().IsFactoryLevel();
    FillTones(*side.ctcss, true, factoryLevel, ShownToneText(ctcss, true, Settings()));
    FillTones(*side.cdcss, false, factoryLevel, ShownToneText(cdcss, false, Settings()));
    EnableTones(side);
}

void CChannelBasicPage::StoreControls()
{
    CChannelData* channel = m_binding.channel;
    if (channel == nullptr)
        return;
    // A frequency typed but not yet taken (the focus never left the edit) is not lost.
    for (CFreqEdit* edit : {m_rx.frequency, m_tx.frequency})
        if (edit->isModified())
            edit->Commit();

    CChannelEditRecord& edit = m_binding.edit;
    edit.spacing = Entry(*m_spacing, edit.spacing);
    edit.power = Entry(*m_power, edit.power);
    edit.rxFrequency = m_rx.frequency->Value();
    edit.rxStepCode = m_rx.frequency->StepCode();
    edit.rxType = Entry(*m_rx.type, edit.rxType);
    CRefusal refused;
    edit.rxCtcss = TypedTone(*m_rx.ctcss, true, edit.rxCtcss, refused);
    edit.rxCdcss = TypedTone(*m_rx.cdcss, false, edit.rxCdcss, refused);
    edit.txFrequency = m_tx.frequency->Value();
    edit.txStepCode = m_tx.frequency->StepCode();
    edit.txType = Entry(*m_tx.type, edit.txType);
    edit.txCtcss = TypedTone(*m_tx.ctcss, true, edit.txCtcss, refused);
    edit.txCdcss = TypedTone(*m_tx.cdcss, false, edit.txCdcss, refused);
    if (channel->TakeEditRecord(edit, Data().Identity().Band())) {
        // Clamped to the model's range: show what was stored.
        m_rx.frequency->SetValue(channel->RxFrequency(), channel->RxStepCode());
        m_tx.frequency->SetValue(channel->TxFrequency(), channel->TxStepCode());
    }
    if (refused.message != 0)
        ShowMessage(this, Settings(), refused.message, QMessageBox::Ok, Q(refused.typed));
}

CToneLookup CChannelBasicPage::TypedTone(QComboBox& combo, bool ctcss, const CToneLookup& shown,
                                         CRefusal& refused) const
{
    const std::string shownText = ShownToneText(shown, ctcss, Settings());
    const std::string typed = S(combo.currentText());
    if (typed == shownText)
        return shown; // unchanged, a stored code outside the table included
    const CToneLookup lookup = ctcss ? CtcssFromText(typed) : CdcssFromText(typed);
    if (!lookup.notInTable)
        return lookup;
    // A typed tone outside the table is refused; the tone shown before stays.
    refused = {ctcss ? msg::kCtcssNotInTable : msg::kCdcssNotInTable, typed};
    const QSignalBlocker quiet(combo);
    Select(combo, shownText);
    return shown;
}

bool CChannelBasicPage::ReloadsOn(const CNotification& notification) const
{
    return CEditorPage::ReloadsOn(notification) || (notification.kind == CNotification::Kind::CellEdited &&
                                                    notification.data == CNotification::kCellEditedData);
}

void CChannelBasicPage::EnableTones(const CSide& side) const
{
    const long long type = side.type->currentIndex() >= 0 ? side.type->currentData().toLongLong() : 0;
    EnableControl(*side.ctcss, type == CToneWord::kTypeCtcss, Settings());
    EnableControl(*side.cdcss, type == CToneWord::kTypeCdcss || type == CToneWord::kTypeCdcss2, Settings());
}

void CChannelBasicPage::EnableTransmitFrequency()
{
    EnableControl(*m_tx.frequency, m_rx.frequency->Value() != kNoFrequency, Settings());
}

void CChannelBasicPage::ReceiveCommitted()
{
    // No receive frequency, no transmit frequency: the channel is empty.
    if (m_rx.frequency->Value() == kNoFrequency)
        m_tx.frequency->SetValue(kNoFrequency);
    EnableTransmitFrequency();
    if (IsLoading() || m_binding.channel == nullptr)
        return;
    UserChanged(kRxFrequency);
    Context().Notify({CNotification::Kind::ValidChanged, static_cast<std::uint32_t>(kRxFrequency)}, this);
}

void CChannelBasicPage::CopyReceiveToTransmit()
{
    if (m_binding.channel == nullptr)
        return;
    Store();
    m_binding.channel->CopyReceiveToTransmit();
    Load();
    Context().Notify({CNotification::Kind::Edited, static_cast<std::uint32_t>(kCopyReceive)}, this);
}

} // namespace qrv
