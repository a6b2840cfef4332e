#pragma once
// The RX/TX page of a personality: transmit admission and the time-out timer
// with its pre-alert, re-key and reset times. The timer combos follow the
// admission, and the pre-alert list offers only what the time-out allows.
#include "editors/common/editor_page.h"
#include "records/personality_data.h"

#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class QComboBox;

namespace qrv {

class CPersonalityData;

class CPersonalityRXTXPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = CPersonalityData::kRxTxPageText;
    static constexpr int kTxAdmit = CPersonalityData::kTxAdmitList;
    static constexpr int kTimeOut = CPersonalityData::kTimeOutList;
    static constexpr int kPreAlert = CPersonalityData::kPreAlertList;
    static constexpr int kReKey = CPersonalityData::kReKeyList;
    static constexpr int kReset = CPersonalityData::kResetList;

    explicit CPersonalityRXTXPage(CEditorContext& context, QWidget* parent = nullptr);

    void Bind(CPersonalityData* personality) { m_personality = personality; }

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    // One combo and the record byte it shows.
    struct CField {
        int control = 0;
        QComboBox* combo = nullptr;
        std::uint8_t (CPersonalityData::*get)() const = nullptr;
        void (CPersonalityData::*set)(std::uint8_t) = nullptr;
    };

    const CField& Field(int control) const;
    void ShowField(const CField& field);
    void StoreField(const CField& field);
    // A change of the time-out or the admission: store, apply its rule, report.
    void RuleComboChanged(int control);
    void ApplyTimeOutRule();
    void ApplyAdmissionRule();
    void Enable(int control, bool enabled);

    CPersonalityData* m_personality = nullptr;
    std::array<CField, 5> m_fields;
    // The pre-alert list as the language file gives it, to cut the shown one from.
    std::vector<std::pair<QString, QVariant>> m_fullPreAlert;
};

} // namespace qrv
