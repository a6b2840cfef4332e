#include "editors/personality/personality_signal_page.h"

#include "radio_data/settings.h"
#include "records/personality_data.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace qrv {

CPersonalitySignalPage::CPersonalitySignalPage(CEditorContext& context, QWidget* parent)
    : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    // The receive and transmit signalling texts keep whatever was chosen last;
    // the record has no room for them.
    AddCombo(kRxSignalling, 0);
    m_rxSystem = AddCombo(kRxSystem, 1);
    m_txOptional = AddCombo(kTxOptionalSignalling, 2);
    m_txSystem = AddCombo(kTxSystem, 3);
    AddCombo(kTxSignalling, 4);
    grid->setRowStretch(5, 1);
    Localize();
    Watch(m_txOptional);
    Watch(m_rxSystem);
    Watch(m_txSystem);
}

QComboBox* CPersonalitySignalPage::AddCombo(int control, int row)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* label = new QLabel(this);
    SetControlNumber(label, control - 1);
    auto* combo = new QComboBox(this);
    SetControlNumber(combo, control);
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1);
    return combo;
}

void CPersonalitySignalPage::LoadControls()
{
    if (m_personality == nullptr)
        return;
    const long long value = m_personality->TxOptionalSignalling();
    int shown = -1; // a value with no entry shows nothing and is kept
    for (int i = 0; i < m_txOptional->count() && shown < 0; ++i)
        if (m_txOptional->itemData(i).toLongLong() == value)
            shown = i;
    m_txOptional->setCurrentIndex(shown);
}

void CPersonalitySignalPage::StoreControls()
{
    if (m_personality == nullptr)
        return;
    if (m_txOptional->currentIndex() >= 0) {
        const auto number = Settings().GetItemByte(kTxOptionalSignalling, S(m_txOptional->currentText()));
        m_personality->SetTxOptionalSignalling(number.value_or(0xFF));
    }
    if (m_rxSystem->currentIndex() >= 0)
        m_personality->SetRxSystemIndex(m_rxSystem->currentData().toUInt());
    if (m_txSystem->currentIndex() >= 0)
        m_personality->SetTxSystemIndex(m_txSystem->currentData().toUInt());
}

} // namespace qrv
