#include "radios/dlg_fleet_log.h"

#include "csv/csv_text.h"
#include "fleet/fleet_record.h"
#include "presentation/caption_numbers.h"
#include "program_directory.h"
#include "radio_data/settings.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"
#include "util/atomic_file.h"
#include "util/text_format.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qrv {

namespace {

// A log of a hundred thousand radios is some 20 MB; anything far larger is not ours.
constexpr std::uintmax_t kLargestLog = 256U << 20U;

std::optional<std::vector<std::uint8_t>> ReadLogBytes(QWidget* parent, const CSettings& settings,
                                                      const std::filesystem::path& log)
{
    CFileBytes file = ReadFileBytes(log, kLargestLog);
    if (!file) {
        ShowReadFailure(parent, settings, ToUtf8Path(log), file.failure);
        return std::nullopt;
    }
    return std::move(file.bytes);
}

constexpr std::size_t kResultColumn = 6;

// A result as the log writes it ("verified"), in the user's language.
std::string ResultText(const CSettings& settings, const std::string& logged)
{
    for (int outcome = 0; outcome <= static_cast<int>(FleetOutcome::NoRadio); ++outcome)
        if (logged == OutcomeName(static_cast<FleetOutcome>(outcome)))
            return settings.GetItemText(caption::kFleetOutcomes, outcome);
    return logged;
}

} // namespace

CDlgFleetLog::CDlgFleetLog(const CSettings& settings, const std::vector<std::vector<std::string>>& rows,
                           QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fleetLogDialog"));
    setWindowTitle(Q(settings.GetText(caption::kFleetLogCaption)));
    auto* layout = new QVBoxLayout(this);
    m_table = new QTableWidget(this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    if (!rows.empty()) {
        const std::vector<std::string>& header = rows.front();
        // The file's columns have fixed English names; the table shows them in the user's language.
        const bool ours = header == Split(kFleetLogHeader, ',');
        m_table->setColumnCount(static_cast<int>(header.size()));
        QStringList titles;
        for (std::size_t i = 0; i < header.size(); ++i)
            titles << Q(ours ? settings.GetItemText(caption::kFleetLogColumns, static_cast<long long>(i)) : header[i]);
        m_table->setHorizontalHeaderLabels(titles);
        m_table->setRowCount(static_cast<int>(rows.size() - 1));
        for (std::size_t r = 1; r < rows.size(); ++r)
            for (std::size_t c = 0; c < rows[r].size() && c < header.size(); ++c)
                m_table->setItem(static_cast<int>(r - 1), static_cast<int>(c),
                                 new QTableWidgetItem(
                                     Q(ours && c == kResultColumn ? ResultText(settings, rows[r][c]) : rows[r][c])));
    }
    m_table->resizeColumnsToContents();
    m_table->scrollToBottom();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Q(settings.GetText(caption::kCloseButton)));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(900, 420);
}

std::optional<std::vector<std::vector<std::string>>> ReadFleetLog(QWidget* parent, const CSettings& settings,
                                                                  const std::filesystem::path& log)
{
    const auto bytes = ReadLogBytes(parent, settings, log);
    if (!bytes)
        return std::nullopt;
    std::vector<std::vector<std::string>> rows;
    for (CCsvRow& row : ReadCsv(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())))
        rows.push_back(std::move(row.fields));
    return rows;
}

bool SaveFleetLogCopy(QWidget* parent, const CSettings& settings, const std::filesystem::path& log,
                      const std::filesystem::path& target)
{
    const auto bytes = ReadLogBytes(parent, settings, log);
    return bytes && SavedOrSaid(parent, settings, ToUtf8Path(target), WriteFileAtomically(target, *bytes));
}

} // namespace qrv
