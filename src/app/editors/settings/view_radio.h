#pragma once
// The radio information view: the radio's identity, read-only.
#include "presentation/form_numbers.h"

#include <QWidget>

#include <array>

class QLineEdit;

namespace qrv {

class CRadioData;
class CSettings;

class CViewRadio : public QWidget {
    Q_OBJECT
public:
    static constexpr int kForm = form::kRadio;

    CViewRadio(CRadioData& radioData, CSettings& settings, QWidget* parent = nullptr);
    // Loads the texts from the radio information block and the settings.
    void LoadControls();
    QString FieldText(int control) const;

private:
    CRadioData& m_data;
    CSettings& m_settings;
    std::array<QLineEdit*, 6> m_edits{};
};

} // namespace qrv
