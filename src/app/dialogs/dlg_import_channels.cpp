#include "dialogs/dlg_import_channels.h"

#include "presentation/command_numbers.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"
#include "util/atomic_file.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace qrv {

namespace {

constexpr std::uintmax_t kMaxCsvBytes = 1024 * 1024;

std::filesystem::path PathOf(const QString& path)
{
    const QByteArray utf8 = path.toUtf8();
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.constData()), static_cast<std::size_t>(utf8.size())));
}

QString FilterOf(const CSettings& settings, int number)
{
    return Q(settings.GetText(number));
}

} // namespace

namespace {
constexpr int kImportHelpTopic = command::kImportChannels;
} // namespace

CDlgImportChannels::CDlgImportChannels(CRadioData& radioData, const CSettings& settings, std::string text,
                                       std::optional<CCsvFormat> format, QWidget* parent)
    : QDialog(parent), m_data(radioData), m_settings(settings), m_text(std::move(text)), m_format(format)
{
    SetControlNumber(this, kImportHelpTopic); // F1 opens the import page
    auto* layout = new QVBoxLayout(this);
    m_append = new QCheckBox(this);
    SetControlNumber(m_append, csvui::kAppendBox);
    layout->addWidget(m_append);
    m_rowsLabel = new QLabel(Q(settings.GetMessage(csvmsg::kRejectedRows)), this);
    layout->addWidget(m_rowsLabel);
    m_rejected = new QTableWidget(0, 2, this);
    m_rejected->setHorizontalHeaderLabels(
        {Q(settings.GetText(csvui::kLineHeader)), Q(settings.GetText(csvui::kReasonHeader))});
    m_rejected->horizontalHeader()->setStretchLastSection(true);
    m_rejected->verticalHeader()->hide();
    m_rejected->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rejected->setMinimumWidth(520);
    layout->addWidget(m_rejected);
    m_question = new QLabel(this);
    m_question->setWordWrap(true);
    layout->addWidget(m_question);
    m_buttons = MakeDialogButtons(this);
    layout->addWidget(m_buttons);
    LocalizeWindow(*this, settings, csvui::kImportDialog);

    connect(m_append, &QCheckBox::toggled, this, &CDlgImportChannels::Check);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CDlgImportChannels::Confirm);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Check();
}

void CDlgImportChannels::Check()
{
    m_result = ImportChannels(m_text, m_data, m_settings, m_format, m_append->isChecked());
    m_rejected->setRowCount(static_cast<int>(m_result.rejected.size()));
    for (std::size_t i = 0; i < m_result.rejected.size(); ++i) {
        const CRejectedRow& row = m_result.rejected[i];
        const int r = static_cast<int>(i);
        m_rejected->setItem(r, 0, new QTableWidgetItem(QString::number(row.line)));
        m_rejected->setItem(r, 1, new QTableWidgetItem(Q(row.reason)));
    }
    m_rejected->resizeColumnToContents(0);
    const bool anyRejected = !m_result.rejected.empty();
    const bool anyTaken = !m_result.channels.empty();
    m_rowsLabel->setVisible(anyRejected);
    m_rejected->setVisible(anyRejected);
    QString question;
    if (!anyTaken) {
        question = Q(m_settings.GetMessage(csvmsg::kNothingToTake));
    } else {
        if (!m_result.append)
            question = Q(m_settings.GetMessage(csvmsg::kReplacesList));
        if (anyRejected)
            question += (question.isEmpty() ? QString() : QStringLiteral("\n")) +
                        Q(m_settings.GetMessage(csvmsg::kTakeGoodRows));
    }
    m_question->setText(question);
    m_question->setVisible(!question.isEmpty());
    if (QPushButton* ok = m_buttons->button(QDialogButtonBox::Ok))
        ok->setEnabled(anyTaken);
}

void CDlgImportChannels::Confirm()
{
    if (!ApplyImport(m_result, m_data))
        return;
    accept();
}

bool ImportChannelsFromFile(QWidget* parent, CRadioData& data, const CSettings& settings, const QString& path,
                            std::optional<CCsvFormat> format)
{
    const CFileBytes csv = ReadFileBytes(PathOf(path), kMaxCsvBytes);
    if (!csv) {
        ShowReadFailure(parent, settings, S(path), csv.failure);
        return false;
    }
    CDlgImportChannels dialog(data, settings, std::string(csv.bytes.begin(), csv.bytes.end()), format, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool ImportChannelsCommand(QWidget* parent, CRadioData& data, const CSettings& settings)
{
    const QString native = FilterOf(settings, csvui::kNativeFilter);
    const QString common = FilterOf(settings, csvui::kCommonFilter);
    // The filters only narrow the list of files: the header row tells the column set.
    const QString path = QFileDialog::getOpenFileName(parent, Q(settings.GetText(csvui::kImportDialog)), {},
                                                      native + QStringLiteral(";;") + common);
    if (path.isEmpty())
        return false;
    return ImportChannelsFromFile(parent, data, settings, path);
}

bool ExportChannelsToFile(QWidget* parent, const CRadioData& data, const CSettings& settings, const QString& path,
                          CCsvFormat format)
{
    return SavedOrSaid(parent, settings, S(path),
                       WriteFileAtomically(PathOf(path), ExportChannels(data, settings, format)));
}

bool ExportChannelsCommand(QWidget* parent, const CRadioData& data, const CSettings& settings)
{
    const QString native = FilterOf(settings, csvui::kNativeFilter);
    const QString common = FilterOf(settings, csvui::kCommonFilter);
    QString chosen;
    QString path = QFileDialog::getSaveFileName(parent, QString(), {}, native + QStringLiteral(";;") + common, &chosen);
    if (path.isEmpty())
        return false;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    return ExportChannelsToFile(parent, data, settings, path,
                                chosen == common ? CCsvFormat::Common : CCsvFormat::Native);
}

} // namespace qrv
