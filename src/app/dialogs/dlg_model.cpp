#include "dialogs/dlg_model.h"

#include "radio_data/settings.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace qrv {

namespace {

// The list box's prefix search: the first entry beginning with the text, -1 when none does.
int FindPrefix(const QComboBox& combo, const QString& prefix)
{
    for (int i = 0; i < combo.count(); ++i)
        if (combo.itemText(i).startsWith(prefix))
            return i;
    return -1;
}

QComboBox* AddRow(QWidget& dialog, QFormLayout& form, int labelNumber, int listNumber)
{
    auto* label = new QLabel(&dialog);
    SetControlNumber(label, labelNumber);
    auto* combo = new QComboBox(&dialog);
    SetControlNumber(combo, listNumber);
    combo->setMinimumWidth(180);
    label->setBuddy(combo);
    form.addRow(label, combo);
    return combo;
}

} // namespace

CDlgModel::CDlgModel(const CSettings& settings, const CDocumentIdentity& document, QWidget* parent)
    : QDialog(parent), m_settings(settings),
      m_catalog(settings.ProgramDirectory(), document.modelId, document.modelName, document.freqRange, document.signal)
{
    SetControlNumber(this, kForm);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_names = AddRow(*this, *form, kModelNameLabel, kModelNameList);
    m_ranges = AddRow(*this, *form, kRangeLabel, kRangeList);
    m_signals = AddRow(*this, *form, kSignalLabel, kSignalList);
    QDialogButtonBox* buttons = MakeDialogButtons(this);
    layout->addWidget(buttons);

    LocalizeWindow(*this, m_settings, kForm);
    FillModelNames();
    FillRanges();
    m_names->setCurrentIndex(FindPrefix(*m_names, Q(m_catalog.ModelName())));
    m_ranges->setCurrentIndex(FindPrefix(*m_ranges, Q(m_catalog.RangeText())));
    // A range is always shown, so that OK never takes an empty one.
    if (m_ranges->currentIndex() < 0)
        m_ranges->setCurrentIndex(0);
    m_signals->setCurrentIndex(FindPrefix(*m_signals, Q(m_settings.GetItemText(kSignalList, m_catalog.Signal()))));

    // Only the user's choices count, not the filling above.
    connect(m_names, &QComboBox::activated, this, &CDlgModel::OnModelNameChosen);
    connect(m_ranges, &QComboBox::activated, this, &CDlgModel::OnRangeChosen);
    connect(m_signals, &QComboBox::activated, this, &CDlgModel::OnSignalChosen);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgModel::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CDlgModel::FillModelNames()
{
    m_names->clear();
    for (const std::string& id : m_catalog.ModelIds())
        for (const std::string& name : m_catalog.ModelNames(id))
            m_names->addItem(Q(name));
}

void CDlgModel::FillRanges()
{
    m_rangeCount = m_catalog.Count();
    m_ranges->clear();
    // A hostile Number must not make the dialog read forever.
    const int count = std::min(m_rangeCount, CFreqRangeList::kMaxRanges);
    for (int i = 0; i < count; ++i) {
        FreqRangeRec record;
        if (m_catalog.GetRange(i, record))
            m_ranges->addItem(Q(MakeRangeText(record.lower, record.upper)), static_cast<int>(record.flags));
    }
    // A model the catalogue knows no range of is offered the range every model falls back to.
    if (m_ranges->count() == 0)
        m_ranges->addItem(Q(MakeRangeText(kFallbackRange.lower, kFallbackRange.upper)),
                          static_cast<int>(kFallbackRange.flags));
}

void CDlgModel::OnModelNameChosen(int index)
{
    if (index < 0)
        return;
    const std::string name = S(m_names->itemText(index));
    const std::string id = m_catalog.FindModelID(name);
    if (id == m_catalog.ModelID()) {
        m_catalog.SetModelName(name);
    } else {
        m_catalog.SetModelID(id);
        m_catalog.SetModelName(name);
        FillRanges();
        m_ranges->setCurrentIndex(0);
        m_catalog.SetRangeText(S(m_ranges->currentText()));
    }
    SelectFirstSignal();
}

void CDlgModel::SelectFirstSignal()
{
    m_signals->setEnabled(m_settings.GetModelValue(kSignalList) == 0);
    m_signals->setCurrentIndex(0);
    if (m_signals->currentIndex() >= 0)
        m_catalog.SetSignal(m_signals->currentData().toInt());
}

void CDlgModel::OnRangeChosen(int index)
{
    if (index >= 0)
        m_catalog.SetRangeText(S(m_ranges->itemText(index)));
}

void CDlgModel::OnSignalChosen(int index)
{
    if (index >= 0)
        m_catalog.SetSignal(m_signals->itemData(index).toInt());
}

void CDlgModel::Confirm()
{
    if (m_signals->currentIndex() >= 0)
        m_catalog.SetSignal(m_signals->currentData().toInt());
    m_catalog.SetRangeText(S(m_ranges->currentText()));
    m_catalog.SetModelName(S(m_names->currentText()));
    accept();
}

} // namespace qrv
