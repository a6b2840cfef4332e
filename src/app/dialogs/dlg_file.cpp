#include "dialogs/dlg_file.h"

#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace qrv {

namespace {

constexpr int kModelLabel = 1045;
constexpr int kRangeLabel = 1046;
constexpr int kVersionLabel = 1047;
constexpr int kInformationLabel = 1048;
constexpr int kModelEdit = 1041;
constexpr int kRangeEdit = 1042;
constexpr int kVersionEdit = 1043;
constexpr int kCommentEdit = 1044;
constexpr std::size_t kVersionShown = 7;

QString TrimmedRight(const std::string& text)
{
    QString s = Q(text);
    while (!s.isEmpty() && s.back().isSpace())
        s.chop(1);
    return s;
}

} // namespace

QStringList CDlgFile::NameFilters(const CSettings& settings)
{
    const QStringList parts = Q(settings.GetMessage(msg::kDataFileFilter)).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << (parts[i].contains(QLatin1Char('(')) ? parts[i]
                                                        : QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]));
    if (filters.isEmpty())
        filters << QStringLiteral("*.dat");
    return filters;
}

CDlgFile::CDlgFile(bool openMode, const CSettings& settings, const QString& initialPath, QWidget* parent)
    : QFileDialog(parent), m_openMode(openMode)
{
    // The preview panel needs the dialog's own widgets, not the platform's native window.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(openMode ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    setFileMode(openMode ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    setNameFilters(NameFilters(settings));
    setDefaultSuffix(Q(settings.GetMessage(msg::kDataFileExtension)));
    if (!initialPath.isEmpty())
        selectFile(initialPath);

    auto* panel = new QWidget(this);
    panel->setProperty("controlNumber", kPreview);
    auto* form = new QFormLayout(panel);
    const auto field = [this, panel, form, &settings](int label, int control) {
        auto* edit = new QLineEdit(panel);
        edit->setReadOnly(true);
        edit->setProperty("controlNumber", control);
        auto* caption = new QLabel(Q(settings.GetText(label)), panel);
        caption->setProperty("controlNumber", label);
        form->addRow(caption, edit);
        return edit;
    };
    m_model = field(kModelLabel, kModelEdit);
    m_range = field(kRangeLabel, kRangeEdit);
    m_version = field(kVersionLabel, kVersionEdit);
    m_comment = new QPlainTextEdit(panel);
    m_comment->setProperty("controlNumber", kCommentEdit);
    m_comment->setReadOnly(openMode);
    m_comment->setMaximumHeight(70);
    auto* information = new QLabel(Q(settings.GetText(kInformationLabel)), panel);
    information->setProperty("controlNumber", kInformationLabel);
    form->addRow(information, m_comment);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());

    if (openMode)
        connect(this, &QFileDialog::currentChanged, this, &CDlgFile::ShowPreviewOf);
}

void CDlgFile::ClearPreview()
{
    m_model->clear();
    m_range->clear();
    m_version->clear();
}

void CDlgFile::ShowHeader(const DataFileHeader& header)
{
    m_range->setText(Q(Format("%d - %dMHz", header.LowerLimit(), header.UpperLimit())));
    m_model->setText(TrimmedRight(header.ModelName()));
    m_version->setText(TrimmedRight(header.RadioDataVersion().substr(0, kVersionShown)));
}

void CDlgFile::SetHeader(const DataFileHeader& header)
{
    ShowHeader(header);
}

void CDlgFile::ShowPreviewOf(const QString& path)
{
    ClearPreview();
    const auto file = std::filesystem::path(path.toStdString());
    DataFileHeader header;
    if (ReadHeader(file, header))
        ShowHeader(header);
    std::string comment;
    m_comment->setPlainText(ReadComment(file, comment) ? Q(comment) : QString());
}

std::string CDlgFile::Comment() const
{
    return S(m_comment->toPlainText());
}

QString CDlgFile::ModelText() const
{
    return m_model->text();
}

QString CDlgFile::RangeText() const
{
    return m_range->text();
}

QString CDlgFile::VersionText() const
{
    return m_version->text();
}

} // namespace qrv
