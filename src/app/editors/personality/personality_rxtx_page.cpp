#include "editors/personality/personality_rxtx_page.h"

#include "radio_data/settings.h"
#include "records/personality_data.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace qrv {

namespace {

using P = CPersonalityData;

// The combos in the page's order, each with the record byte it edits.
struct CFieldRow {
    int control;
    std::uint8_t (P::*get)() const;
    void (P::*set)(std::uint8_t);
};

constexpr std::array<CFieldRow, 5> kFieldRows{{
    {CPersonalityRXTXPage::kTxAdmit, &P::TxAdmit, &P::SetTxAdmit},
    {CPersonalityRXTXPage::kTimeOut, &P::TimeOut, &P::SetTimeOut},
    {CPersonalityRXTXPage::kPreAlert, &P::PreAlert, &P::SetPreAlert},
    {CPersonalityRXTXPage::kReKey, &P::ReKey, &P::SetReKey},
    {CPersonalityRXTXPage::kReset, &P::Reset, &P::SetReset},
}};

// The controls that only matter while the timer is on.
constexpr std::array<int, 3> kTimerCompanions{CPersonalityRXTXPage::kPreAlert, CPersonalityRXTXPage::kReKey,
                                              CPersonalityRXTXPage::kReset};

} // namespace

CPersonalityRXTXPage::CPersonalityRXTXPage(CEditorContext& context, QWidget* parent)
    : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    for (std::size_t i = 0; i < kFieldRows.size(); ++i) {
        const CFieldRow& row = kFieldRows[i];
        auto* label = new QLabel(this);
        SetControlNumber(label, row.control - 1); // each caption is numbered one below its combo
        auto* combo = new QComboBox(this);
        SetControlNumber(combo, row.control);
        label->setBuddy(combo);
        grid->addWidget(label, static_cast<int>(i), 0);
        grid->addWidget(combo, static_cast<int>(i), 1);
        m_fields[i] = {row.control, combo, row.get, row.set};
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(static_cast<int>(kFieldRows.size()), 1);
    Localize();

    QComboBox* preAlert = Field(kPreAlert).combo;
    for (int i = 0; i < preAlert->count(); ++i)
        m_fullPreAlert.emplace_back(preAlert->itemText(i), preAlert->itemData(i));

    for (const int control : {kTxAdmit, kTimeOut})
        connect(Field(control).combo, &QComboBox::activated, this, [this, control] { RuleComboChanged(control); });
    for (const int control : kTimerCompanions)
        Watch(Field(control).combo);
}

const CPersonalityRXTXPage::CField& CPersonalityRXTXPage::Field(int control) const
{
    for (const CField& field : m_fields)
        if (field.control == control)
            return field;
    return m_fields.front();
}

void CPersonalityRXTXPage::LoadControls()
{
    if (m_personality == nullptr)
        return;
    ShowField(Field(kTxAdmit));
    ShowField(Field(kTimeOut));
    ApplyTimeOutRule();
    for (const int control : kTimerCompanions)
        ShowField(Field(control));
    ApplyAdmissionRule();
}

void CPersonalityRXTXPage::StoreControls()
{
    if (m_personality == nullptr)
        return;
    for (const CField& field : m_fields)
        StoreField(field);
}

void CPersonalityRXTXPage::ShowField(const CField& field)
{
    const QString text = Q(Settings().GetItemText(field.control, (m_personality->*field.get)()));
    if (text.isEmpty()) {
        // A value the list has no entry for shows nothing and is kept until the user chooses.
        field.combo->setCurrentIndex(-1);
        return;
    }
    for (int i = 0; i < field.combo->count(); ++i) {
        if (field.combo->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            field.combo->setCurrentIndex(i);
            return;
        }
    }
    // Not among the entries offered now (a cut pre-alert list): the previous choice stays.
}

void CPersonalityRXTXPage::StoreField(const CField& field)
{
    if (field.combo->currentIndex() < 0)
        return;
    const auto number = Settings().GetItemByte(field.control, S(field.combo->currentText()));
    (m_personality->*field.set)(number.value_or(0xFF));
}

void CPersonalityRXTXPage::RuleComboChanged(int control)
{
    if (IsLoading() || m_personality == nullptr)
        return;
    Store();
    if (control == kTimeOut)
        ApplyTimeOutRule();
    else
        ApplyAdmissionRule();
    // Stores once more, so that a pre-alert choice the rule took away is not left behind.
    UserChanged(control);
}

void CPersonalityRXTXPage::ApplyTimeOutRule()
{
    if (m_personality == nullptr)
        return;
    QComboBox* preAlert = Field(kPreAlert).combo;
    const bool hadChoice = preAlert->currentIndex() >= 0;
    const QString remembered = preAlert->currentText();
    {
        const QSignalBlocker quiet(preAlert);
        preAlert->clear();
        const std::size_t choices = m_personality->PreAlertChoices(m_fullPreAlert.size());
        for (std::size_t i = 0; i < choices; ++i)
            preAlert->addItem(m_fullPreAlert[i].first, m_fullPreAlert[i].second);
        const int again = preAlert->findText(remembered);
        preAlert->setCurrentIndex(!hadChoice ? -1 : (again >= 0 ? again : 0));
    }
    for (const int control : kTimerCompanions)
        Enable(control, m_personality->TimeOutOn());
}

void CPersonalityRXTXPage::ApplyAdmissionRule()
{
    if (m_personality == nullptr)
        return;
    const bool admitted = m_personality->TimersAdmitted();
    Enable(kTimeOut, admitted);
    for (const int control : kTimerCompanions)
        Enable(control, admitted);
    if (admitted)
        ApplyTimeOutRule();
}

void CPersonalityRXTXPage::Enable(int control, bool enabled)
{
    // A control the model hides stays disabled whatever the rules say.
    Field(control).combo->setEnabled(enabled && Settings().GetModelValue(control) == 0);
}

} // namespace qrv
