#include "editors/settings/view_radio.h"

#include "presentation/caption_numbers.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace qrv {

namespace {

constexpr std::array<int, 6> kEdits{caption::kModelNameField,     caption::kFrequencyRangeField,
                                    caption::kSerialNumberField,  caption::kFirmwareVersionField,
                                    caption::kSignalingTypeField, caption::kLastProgrammedField};

} // namespace

CViewRadio::CViewRadio(CRadioData& radioData, CSettings& settings, QWidget* parent)
    : QWidget(parent), m_data(radioData), m_settings(settings)
{
    auto* form = new QFormLayout(this);
    for (std::size_t i = 0; i < kEdits.size(); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        SetControlNumber(edit, kEdits[i]);
        edit->setMinimumWidth(220);
        auto* label = new QLabel(this);
        SetControlNumber(label, caption::LabelOf(kEdits[i]));
        label->setBuddy(edit);
        form->addRow(label, edit);
        m_edits[i] = edit;
    }
    LocalizeWindow(*this, m_settings, kForm);
    LoadControls();
}

void CViewRadio::LoadControls()
{
    const CRadioInfoData& info = m_data.RadioInfo();
    const CDocumentIdentity& identity = m_data.Identity();
    const std::array<std::string, 6> texts{
        info.ModelName(),
        Format("%d-%d", identity.LowerLimit(), identity.UpperLimit()),
        info.SerialNumber(),
        "V" + identity.radioDataVersion.substr(0, 7),
        m_settings.GetItemText(caption::kSignalTypeList, identity.signal),
        info.LastProgrammedText(),
    };
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        m_edits[i]->setText(Q(texts[i]));
}

QString CViewRadio::FieldText(int control) const
{
    for (std::size_t i = 0; i < kEdits.size(); ++i)
        if (kEdits[i] == control)
            return m_edits[i]->text();
    return {};
}

} // namespace qrv
