#include "editors/emergency/emergency_basic_page.h"

#include "editors/emergency/numeric_edit.h"
#include "editors/settings/option_controls.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/emergency_data.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace qrv {

namespace {

using E = CEmergencyData;

constexpr int kNumericDigits = 3;
constexpr int kIdLabel = E::kIdEdit - 1;
constexpr int kSpinColumn = 2;

// What the ID edit takes for each ID type.
struct CIdRule {
    const char* characters;
    int maxLength;
};

CIdRule IdRuleFor(std::uint8_t idType)
{
    switch (idType) {
    case E::kIdTypeDigits:
        return {"[0-9*#]*", static_cast<int>(E::kMaxDigitIdLength)};
    case E::kIdTypeFourDigits:
        return {"[0-9DEde]*", E::kFourDigitIdLength};
    case E::kIdTypeSixDigits:
        return {"[0-9]*", E::kSixDigitIdLength};
    default:
        return {"[0-9*#]*", 32767}; // QLineEdit's own limit
    }
}

} // namespace

CEmergencyBasicPage::CEmergencyBasicPage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    int row = 0;
    m_revert = AddLabelledCombo(*this, *grid, E::kRevertChannelCombo, row++);
    m_powerSwitch = AddCheckBox(*this, *grid, kPowerSwitchCheck, row++);
    auto* idLabel = new QLabel(this);
    SetControlNumber(idLabel, kIdLabel);
    m_id = new QLineEdit(this);
    SetControlNumber(m_id, E::kIdEdit);
    m_idCharacters = new QRegularExpressionValidator(m_id);
    m_id->setValidator(m_idCharacters);
    idLabel->setBuddy(m_id);
    grid->addWidget(idLabel, row, 0);
    grid->addWidget(m_id, row++, 1);
    m_impoliteTimes = AddLabelledCombo(*this, *grid, E::kImpoliteTimesCombo, row++);
    m_alarmMode = AddLabelledCombo(*this, *grid, E::kAlarmModeCombo, row++);
    m_alarmDuration = AddNumeric(E::kAlarmDurationEdit, E::kAlarmDurationSpin, row++);
    m_alarmCyclesMode = AddLabelledCombo(*this, *grid, E::kAlarmCyclesModeCombo, row++);
    m_alarmCycles = AddNumeric(E::kAlarmCyclesEdit, E::kAlarmCyclesSpin, row++);
    m_voiceCyclesMode = AddLabelledCombo(*this, *grid, E::kVoiceCyclesModeCombo, row++);
    m_voiceCycles = AddNumeric(E::kVoiceCyclesEdit, E::kVoiceCyclesSpin, row++);
    m_squelchMode = AddLabelledCombo(*this, *grid, E::kSquelchModeCombo, row++);
    m_txDuration = AddNumeric(E::kTxDurationEdit, E::kTxDurationSpin, row++);
    m_rxDuration = AddNumeric(E::kRxDurationEdit, E::kRxDurationSpin, row++);
    grid->setColumnStretch(kSpinColumn + 1, 1);
    grid->setRowStretch(row, 1);
    Localize();

    for (QComboBox* combo :
         {m_revert, m_impoliteTimes, m_alarmMode, m_alarmCyclesMode, m_voiceCyclesMode, m_squelchMode})
        Watch(combo);
    Watch(m_powerSwitch);
    Watch(m_id);
}

CEmergencyBasicPage::CNumeric CEmergencyBasicPage::AddNumeric(int edit, int spin, int row)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* label = new QLabel(this);
    SetControlNumber(label, edit - 1);
    CNumeric numeric{new CNumericEdit(kNumericDigits, this), new CSpinButtons(this)};
    SetControlNumber(numeric.edit, edit);
    SetControlNumber(numeric.spin, spin);
    label->setBuddy(numeric.edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(numeric.edit, row, 1);
    numeric.spin->setFixedHeight(numeric.edit->sizeHint().height()); // beside the edit, as high as it
    grid->addWidget(numeric.spin, row, kSpinColumn);

    CNumericEdit* field = numeric.edit;
    connect(field, &QLineEdit::editingFinished, this, [this, field, edit] {
        if (!field->isModified())
            return;
        field->setModified(false);
        field->BringIntoRange();
        UserChanged(edit);
    });
    connect(numeric.spin, &CSpinButtons::Stepped, this, [this, field, spin](bool up) {
        field->Step(up);
        UserChanged(spin);
    });
    return numeric;
}

bool CEmergencyBasicPage::ReloadsOn(const CNotification& notification) const
{
    return notification.ChangesRecordCount() || notification.kind == CNotification::Kind::CellEdited;
}

void CEmergencyBasicPage::LoadControls()
{
    const E& emergency = Data().Emergency();
    LoadRevertChannels();
    m_powerSwitch->setChecked(emergency.PowerSwitch());
    ShowEntry(*m_impoliteTimes, emergency.ImpoliteSendTimes());
    ShowEntry(*m_alarmMode, emergency.AlarmMode());
    ShowEntry(*m_alarmCyclesMode, emergency.AlarmCyclesMode());
    ShowEntry(*m_voiceCyclesMode, emergency.VoiceCyclesMode());
    ShowEntry(*m_squelchMode, emergency.SquelchMode());
    m_alarmDuration.edit->SetStored(emergency.AlarmDuration());
    m_alarmCycles.edit->SetStored(emergency.AlarmCycles());
    m_voiceCycles.edit->SetStored(emergency.VoiceCycles());
    m_txDuration.edit->SetStored(emergency.TxDuration());
    m_rxDuration.edit->SetStored(emergency.RxDuration());
    ShowId();
    ApplyEnablingRules();
}

void CEmergencyBasicPage::StoreControls()
{
    E& emergency = Data().Emergency();
    StoreRevertChannel();
    emergency.SetPowerSwitch(m_powerSwitch->isChecked());
    // A combo that shows nothing (a stored value its list lacks) keeps the
    // value; a bit field refuses an entry wider than itself.
    const CSettings& settings = Settings();
    if (const auto times = ShownByte(*m_impoliteTimes, settings))
        emergency.SetImpoliteSendTimes(*times);
    if (const auto mode = ShownByte(*m_alarmMode, settings))
        emergency.SetAlarmMode(*mode);
    if (const auto mode = ShownByte(*m_alarmCyclesMode, settings))
        emergency.SetAlarmCyclesMode(*mode);
    if (const auto mode = ShownByte(*m_voiceCyclesMode, settings))
        emergency.SetVoiceCyclesMode(*mode);
    if (const auto mode = ShownByte(*m_squelchMode, settings))
        emergency.SetSquelchMode(*mode);
    const auto storeNumber = [](const CNumeric& numeric, auto set) {
        if (const auto value = numeric.edit->Stored())
            set(static_cast<std::uint8_t>(*value));
    };
    storeNumber(m_alarmDuration, [&](std::uint8_t v) { emergency.SetAlarmDuration(v); });
    storeNumber(m_alarmCycles, [&](std::uint8_t v) { emergency.SetAlarmCycles(v); });
    storeNumber(m_voiceCycles, [&](std::uint8_t v) { emergency.SetVoiceCycles(v); });
    storeNumber(m_txDuration, [&](std::uint8_t v) { emergency.SetTxDuration(v); });
    storeNumber(m_rxDuration, [&](std::uint8_t v) { emergency.SetRxDuration(v); });
    StoreId();
    ApplyEnablingRules();
}

void CEmergencyBasicPage::LoadRevertChannels()
{
    const E& emergency = Data().Emergency();
    const QSignalBlocker quiet(m_revert);
    m_revert->clear();
    for (const CComboLine& line : RevertChannelLines(Data().ChannelRefs(), Settings()))
        m_revert->addItem(Q(line.text), QVariant::fromValue(line.data));
    // A revert channel that is deleted, emptied or was never valid selects
    // nothing, so that its position stays for the check to report.
    int shown = -1;
    if (emergency.RevertChannelPosition() == 0)
        shown = 0;
    else if (emergency.RevertChannelId() != 0)
        shown = m_revert->findData(QVariant::fromValue(static_cast<long long>(emergency.RevertChannelId())));
    m_revert->setCurrentIndex(shown);
}

void CEmergencyBasicPage::StoreRevertChannel()
{
    if (m_revert->currentIndex() < 0)
        return;
    E& emergency = Data().Emergency();
    const auto id = static_cast<std::uint32_t>(m_revert->currentData().toLongLong());
    emergency.SetRevertChannelId(id);
    // The position in the whole array, empty channels counted.
    emergency.SetRevertChannelPosition(static_cast<std::uint8_t>(ChannelPositionOf(id, Data().ChannelRefs())));
}

void CEmergencyBasicPage::ShowId()
{
    const E& emergency = Data().Emergency();
    const CIdRule rule = IdRuleFor(emergency.IdType());
    m_idCharacters->setRegularExpression(QRegularExpression(QString::fromLatin1(rule.characters)));
    m_id->setMaxLength(rule.maxLength);
    m_id->setText(Q(emergency.IdTextForType()));
    m_id->setModified(false);
    m_shownId = m_id->text();
}

void CEmergencyBasicPage::StoreId()
{
    if (m_id->text() == m_shownId)
        return;
    E& emergency = Data().Emergency();
    const std::uint8_t type = emergency.IdType();
    std::size_t digits = 0;
    if (type == E::kIdTypeDigits) {
        emergency.SetIdText(S(m_id->text())); // the edit offers only what it takes
        digits = emergency.IdLength();
    }
    // Types 3 and 4 keep their ID bytes; their length is fixed.
    emergency.SetIdLength(E::IdLengthFor(type, digits));
    ShowId();
}

int CEmergencyBasicPage::ShownEntry(const QComboBox& combo, int stored) const
{
    return combo.currentIndex() >= 0 ? combo.currentData().toInt() : stored;
}

void CEmergencyBasicPage::ApplyEnablingRules()
{
    const E& emergency = Data().Emergency();
    // The send mode the ID type would force has no control here: the ID type
    // cannot be changed on this page, so the stored send mode stays.
    const CEmergencyEnabling rules =
        EmergencyEnablingRules(emergency.IdType(), ShownEntry(*m_alarmMode, emergency.AlarmMode()),
                               ShownEntry(*m_alarmCyclesMode, emergency.AlarmCyclesMode()),
                               ShownEntry(*m_voiceCyclesMode, emergency.VoiceCyclesMode()));
    std::vector<QWidget*> ruled{m_id, m_impoliteTimes, m_alarmCyclesMode, m_squelchMode};
    for (const CNumeric& numeric : {m_alarmDuration, m_alarmCycles, m_voiceCycles, m_txDuration, m_rxDuration}) {
        ruled.push_back(numeric.edit);
        ruled.push_back(numeric.spin);
    }
    for (QWidget* control : ruled)
        EnableControl(*control, rules.IsEnabled(ControlNumber(control)), Settings());
}

} // namespace qrv
