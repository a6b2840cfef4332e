#include "dialogs/dlg_language.h"

#include "radio_data/settings.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace qrv {

CDlgLanguage::CDlgLanguage(const CSettings& settings, QWidget* parent)
    : QDialog(parent), m_languageIndex(settings.LanguageIndex())
{
    SetControlNumber(this, kForm);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    auto* label = new QLabel(this);
    SetControlNumber(label, kLanguageLabel);
    m_languages = new QComboBox(this);
    SetControlNumber(m_languages, kLanguageList);
    m_languages->setMinimumWidth(180);
    label->setBuddy(m_languages);
    form->addRow(label, m_languages);
    QDialogButtonBox* buttons = MakeDialogButtons(this);
    layout->addWidget(buttons);

    LocalizeWindow(*this, settings, kForm);
    // The list holds plain names, not numbered items: it is filled in order, the position being the index.
    m_languages->clear();
    for (const std::string& name : settings.GetList(kLanguageList))
        m_languages->addItem(Q(name));
    m_languages->setCurrentIndex(m_languageIndex < m_languages->count() ? m_languageIndex : -1);

    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgLanguage::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CDlgLanguage::Confirm()
{
    const int chosen = m_languages->currentIndex();
    if (chosen < 0 || chosen == m_languageIndex) {
        reject();
        return;
    }
    m_languageIndex = chosen;
    accept();
}

} // namespace qrv
