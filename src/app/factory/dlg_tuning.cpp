#include "factory/dlg_tuning.h"

#include "factory/dlg_tune_sub_item.h"
#include "factory/radio_mode_session.h"
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "radio_link/radio_link.h"
#include "radio_link/radio_messages.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"
#include "util/bytes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace qrv {

namespace {

constexpr int kListLabel = 7054;
constexpr int kBaseBandButton = 7059;

} // namespace

CDlgTuning::CDlgTuning(CSettings& settings, CRadioData& radioData, CRadioLink& link, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_data(radioData), m_link(link)
{
    SetControlNumber(this, kForm);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(this);
    SetControlNumber(label, kListLabel);
    layout->addWidget(label);
    m_list = new QListWidget(this);
    SetControlNumber(m_list, kList);
    layout->addWidget(m_list);

    auto* buttons = new QHBoxLayout;
    auto* baseBand = new QPushButton(this);
    SetControlNumber(baseBand, kBaseBandButton);
    baseBand->setVisible(false); // base-band work has its own command
    m_ok = new QPushButton(this);
    SetControlNumber(m_ok, kOkButton);
    // Enter in the list opens an entry; it must not close the dialog as well.
    m_ok->setAutoDefault(false);
    buttons->addWidget(baseBand);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    layout->addLayout(buttons);

    LocalizeWindow(*this, settings, kForm);
    m_table = CTuningTable::Parse(settings.GetText(kTable));
    FilterForLevel();

    connect(m_list, &QListWidget::itemActivated, this, &CDlgTuning::OpenItem);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

CDlgTuning::~CDlgTuning() = default;

void CDlgTuning::FilterForLevel()
{
    // Without a table there is nothing to go by: every entry stays.
    if (m_table.Empty())
        return;
    const int level = m_settings.GetUserLevel();
    for (int row = m_list->count() - 1; row >= 0; --row) {
        const auto base = m_list->item(row)->data(Qt::UserRole).toLongLong();
        if (!CTuningTable::ShownAtLevel(static_cast<std::uint32_t>(base), level))
            const std::unique_ptr<QListWidgetItem> removed(m_list->takeItem(row));
    }
}

void CDlgTuning::OpenItem(QListWidgetItem* item)
{
    if (const std::unique_ptr<CDlgTuneSubItem> dialog = MakeSubItem(item))
        dialog->exec();
}

std::unique_ptr<CDlgTuneSubItem> CDlgTuning::MakeSubItem(QListWidgetItem* item)
{
    if (item == nullptr)
        return nullptr;
    const long long base = item->data(Qt::UserRole).toLongLong();
    const CTuningEntry* entry = base >= 0 ? m_table.Find(static_cast<std::uint32_t>(base)) : nullptr;
    if (entry == nullptr || !entry->HasAnyPoint()) {
        ShowMessage(this, m_settings, msg::kNotTunable);
        return nullptr;
    }
    const TuneGroup group = *entry->FirstGroup();
    const std::uint16_t first = entry->ItemNumber(group, entry->Points(group).front());
    std::array<std::uint8_t, 2> value{};
    int read = 0;
    {
        const CRadioWaitCursor wait;
        read = m_link.ReadTuneValue(first, value);
    }
    if (read <= 0) {
        ShowMessage(this, m_settings, read == 0 ? msg::kTuneReadFailed : msg::kNoRadioAnswer);
        return nullptr;
    }
    return std::make_unique<CDlgTuneSubItem>(m_settings, m_data, m_link, m_table, *entry, item->text(),
                                             GetLe16(value, 0), this);
}

} // namespace qrv
