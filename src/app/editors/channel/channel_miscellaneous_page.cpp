#include "editors/channel/channel_miscellaneous_page.h"

#include "editors/channel/view_channel.h"
#include "radio_data/radio_data.h"
#include "shell/localize_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace qrv {

CChannelMiscellaneousPage::CChannelMiscellaneousPage(CEditorContext& context, CChannelBinding& binding, QWidget* parent)
    : CEditorPage(context, kPage, parent), m_binding(binding)
{
    m_personality = new QComboBox(this);
    SetControlNumber(m_personality, kPersonality);
    auto* label = new QLabel(this);
    SetControlNumber(label, kPersonality - 1);
    m_autoStartScan = new QCheckBox(this);
    SetControlNumber(m_autoStartScan, kAutoStartScan);

    auto* form = new QFormLayout;
    form->addRow(label, m_personality);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_autoStartScan);
    layout->addStretch();

    Localize();
    Watch(m_personality);
    Watch(m_autoStartScan);
}

void CChannelMiscellaneousPage::FillPersonalities()
{
    const QSignalBlocker quiet(m_personality);
    m_personality->clear();
    const auto& personalities = Data().Personalities();
    for (std::size_t i = 0; i < personalities.size(); ++i)
        if (personalities[i] && personalities[i]->IsValid())
            m_personality->addItem(QString::number(i + 1), QVariant::fromValue(personalities[i]->TreeId()));
}

void CChannelMiscellaneousPage::LoadControls()
{
    FillPersonalities();
    const CChannelData* channel = m_binding.channel;
    if (channel == nullptr)
        return;
    // No selection when the channel's personality is gone or not valid.
    m_personality->setCurrentIndex(m_personality->findData(QVariant::fromValue(channel->PersonalityId())));
    m_autoStartScan->setChecked(channel->AutoStartScan());
    m_binding.edit.personalityPosition = channel->PersonalityPosition();
    m_binding.edit.autoStartScan = channel->AutoStartScan() ? 1 : 0;
}

void CChannelMiscellaneousPage::StoreControls()
{
    CChannelData* channel = m_binding.channel;
    if (channel == nullptr)
        return;
    CChannelEditRecord& edit = m_binding.edit;
    if (m_personality->currentIndex() >= 0) {
        const auto id = m_personality->currentData().value<std::uint32_t>();
        const auto& personalities = Data().Personalities();
        for (std::size_t i = 0; i < personalities.size(); ++i) {
            if (!personalities[i] || personalities[i]->TreeId() != id)
                continue;
            if (id != channel->PersonalityId())
                channel->WithdrawCheckEntries(Data().InvalidLog()); // its only entry is about the personality
            edit.personalityPosition = static_cast<std::uint32_t>(i);
            channel->SetPersonalityPosition(static_cast<std::uint8_t>(i));
            channel->SetPersonalityId(id);
            break;
        }
    }
    edit.autoStartScan = m_autoStartScan->isChecked() ? 1 : 0;
    channel->SetAutoStartScan(edit.autoStartScan != 0);
}

} // namespace qrv
