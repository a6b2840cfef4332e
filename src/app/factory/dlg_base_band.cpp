#include "factory/dlg_base_band.h"

#include "factory/factory_context.h"
#include "factory/factory_result.h"
#include "factory/radio_mode_session.h"
#include "presentation/caption_numbers.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/factory_link.h"
#include "shell/localize_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qrv {

namespace {

using A = CAdjustmentData;
// Transmit and receive fields side by side: left the gains and the compandor, right the volume and FNG/DAC.
constexpr int kLeftCombos[] = {A::kWidthAafGainCombo,  A::kNarrowAafGainCombo,    A::kLpfCombo,
                               A::kCompandorTimeCombo, A::kCompandorControlCombo, A::kTxGainCombo};
constexpr int kRightCombos[] = {A::kWidthVolumeCombo, A::kNarrowVolumeCombo, A::kWidthFngRxCombo,
                                A::kNarrowFngRxCombo, A::kWidthDacFsCombo,   A::kNarrowDacFsCombo};
constexpr int kChecks[] = {CDlgBaseBand::kCompandorCheck, A::kWidthPreEmphasisCheck, A::kWidthDeEmphasisCheck,
                           A::kNarrowPreEmphasisCheck, A::kNarrowDeEmphasisCheck};

int ControlOf(const CBaseBandField& field)
{
    return field.list != 0 ? field.list : CDlgBaseBand::kCompandorCheck;
}

QVariant ItemData(unsigned value)
{
    return QVariant::fromValue(static_cast<long long>(value));
}

} // namespace

CDlgBaseBand::CDlgBaseBand(CFactoryContext& context, CRadioLink& link)
    : QDialog(context.parent), m_settings(context.settings), m_tune(context.data.Adjustment()), m_link(link)
{
    setObjectName(QStringLiteral("baseBandDialog"));
    SetControlNumber(this, kForm);
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    m_allow = new QCheckBox(this);
    SetControlNumber(m_allow, kAllowCheck);
    m_rx = new QRadioButton(this);
    SetControlNumber(m_rx, kReceiveButton);
    m_tx = new QRadioButton(this);
    SetControlNumber(m_tx, kTransmitButton);
    top->addWidget(m_allow);
    top->addStretch(1);
    top->addWidget(m_rx);
    top->addWidget(m_tx);
    layout->addLayout(top);

    auto* grid = new QGridLayout;
    int row = 0;
    for (const int control : kLeftCombos)
        AddCombo(*grid, row++, 0, caption::LabelOf(control), control);
    row = 0;
    for (const int control : kRightCombos)
        AddCombo(*grid, row++, 2, caption::LabelOf(control), control);
    for (std::size_t i = 0; i < std::size(kChecks); ++i)
        AddCheck(*grid, row + static_cast<int>(i / 2), static_cast<int>(i % 2) * 2, kChecks[i]);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    auto* read = new QPushButton(this);
    SetControlNumber(read, kReadButton);
    auto* write = new QPushButton(this);
    SetControlNumber(write, kWriteButton);
    auto* cancel = new QPushButton(this);
    SetControlNumber(cancel, kCancelButton);
    buttons->addStretch(1);
    buttons->addWidget(read);
    buttons->addWidget(write);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    LocalizeWindow(*this, m_settings, kForm);

    connect(m_allow, &QCheckBox::toggled, this, &CDlgBaseBand::UpdateEnabling);
    connect(m_rx, &QRadioButton::clicked, this, [this] { ShowSet(true); });
    connect(m_tx, &QRadioButton::clicked, this, [this] { ShowSet(false); });
    connect(read, &QPushButton::clicked, this, &CDlgBaseBand::Read);
    connect(write, &QPushButton::clicked, this, &CDlgBaseBand::Write);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_tx->setChecked(true);
    m_allow->setChecked(m_tune.AllowBaseBandTune());
    LoadShownSet();
    UpdateEnabling();
    Read();
}

void CDlgBaseBand::AddCombo(QGridLayout& grid, int row, int column, int label, int control)
{
    auto* text = new QLabel(this);
    SetControlNumber(text, label);
    auto* combo = new QComboBox(this);
    SetControlNumber(combo, control);
    text->setBuddy(combo);
    grid.addWidget(text, row, column);
    grid.addWidget(combo, row, column + 1);
    m_combos[control] = combo;
}

void CDlgBaseBand::AddCheck(QGridLayout& grid, int row, int column, int control)
{
    auto* check = new QCheckBox(this);
    SetControlNumber(check, control);
    grid.addWidget(check, row, column, 1, 2);
    m_checks[control] = check;
}

std::span<const CBaseBandField> CDlgBaseBand::ShownFields() const
{
    if (m_receive)
        return CAdjustmentData::kReceiveFields;
    return CAdjustmentData::kTransmitFields;
}

void CDlgBaseBand::Read()
{
    CTransferResult result;
    {
        const CRadioWaitCursor wait;
        result = ReadBaseBand(m_link, m_tune);
    }
    if (result.ok) {
        m_allow->setChecked(m_tune.AllowBaseBandTune());
        LoadShownSet();
        UpdateEnabling();
    }
    ShowFactoryResult(this, m_settings, result);
    EndOnFailure(result);
}

void CDlgBaseBand::EndOnFailure(const CTransferResult& result)
{
    // A radio that failed an exchange is let go at once (the command sends
    // it back to mode 1); queued, so that it also works while opening.
    if (!result.ok)
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

void CDlgBaseBand::Write()
{
    StoreShownSet();
    CTransferResult result;
    {
        const CRadioWaitCursor wait;
        result = WriteBaseBand(m_link, m_tune);
    }
    ShowFactoryResult(this, m_settings, result);
    EndOnFailure(result);
}

void CDlgBaseBand::ShowSet(bool receive)
{
    (receive ? m_rx : m_tx)->setChecked(true);
    if (receive == m_receive)
        return;
    StoreShownSet();
    m_receive = receive;
    LoadShownSet();
    UpdateEnabling();
}

void CDlgBaseBand::LoadShownSet()
{
    // Controls the shown set has no field for stay empty.
    for (auto& [number, combo] : m_combos) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(-1);
    }
    for (auto& [number, check] : m_checks) {
        const QSignalBlocker quiet(check);
        check->setChecked(false);
    }
    for (const CBaseBandField& field : ShownFields()) {
        const unsigned value = m_tune.GetField(field);
        const int control = ControlOf(field);
        if (field.checkBox) {
            const QSignalBlocker quiet(m_checks[control]);
            m_checks[control]->setChecked(value != 0);
        } else {
            QComboBox* combo = m_combos[control];
            const QSignalBlocker quiet(combo);
            combo->setCurrentIndex(combo->findData(ItemData(value)));
        }
    }
}

void CDlgBaseBand::StoreShownSet()
{
    m_tune.SetAllowBaseBandTune(m_allow->isChecked());
    for (const CBaseBandField& field : ShownFields()) {
        const int control = ControlOf(field);
        if (field.checkBox) {
            m_tune.SetField(field, m_checks[control]->isChecked() ? 1 : 0);
        } else if (const QComboBox* combo = m_combos[control]; combo->currentIndex() >= 0) {
            // A value no list line names is kept as it was.
            m_tune.SetField(field, combo->currentData().toUInt());
        }
    }
}

void CDlgBaseBand::UpdateEnabling()
{
    const bool allowed = m_allow->isChecked();
    const auto shown = [this](int control) {
        for (const CBaseBandField& field : ShownFields())
            if (ControlOf(field) == control)
                return true;
        return false;
    };
    for (auto& [number, combo] : m_combos)
        combo->setEnabled(allowed && shown(number));
    for (auto& [number, check] : m_checks)
        check->setEnabled(allowed && shown(number));
}

} // namespace qrv
