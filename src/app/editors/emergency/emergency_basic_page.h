#pragma once
// The emergency page: the revert channel, the emergency ID and how often it
// is sent, and the alarm and voice cycles. Every change is stored at once and
// the enabling rules follow it. The page builds only the controls the form
// shows; the fields of the hidden ones (long-press time, send mode, ID type,
// signalling system, polite send times, secret, background tone) keep their
// bytes.
#include "editors/common/editor_page.h"
#include "presentation/form_numbers.h"
#include "records/emergency_data.h"

#include <QString>

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRegularExpressionValidator;

namespace qrv {

class CNumericEdit;
class CSpinButtons;

class CEmergencyBasicPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = form::kEmergency;
    static constexpr int kPowerSwitchCheck = CEmergencyData::kPowerSwitchCheck;

    explicit CEmergencyBasicPage(CEditorContext& context, QWidget* parent = nullptr);

protected:
    void LoadControls() override;
    void StoreControls() override;
    // The revert channel list follows added, deleted and edited channels.
    bool ReloadsOn(const CNotification& notification) const override;

private:
    struct CNumeric {
        CNumericEdit* edit;
        CSpinButtons* spin;
    };

    CNumeric AddNumeric(int edit, int spin, int row);
    void LoadRevertChannels();
    void StoreRevertChannel();
    void ShowId();
    void StoreId();
    void ApplyEnablingRules();
    int ShownEntry(const QComboBox& combo, int stored) const;

    QComboBox* m_revert;
    QCheckBox* m_powerSwitch;
    QLineEdit* m_id;
    QRegularExpressionValidator* m_idCharacters;
    QComboBox* m_impoliteTimes;
    QComboBox* m_alarmMode;
    CNumeric m_alarmDuration;
    QComboBox* m_alarmCyclesMode;
    CNumeric m_alarmCycles;
    QComboBox* m_voiceCyclesMode;
    CNumeric m_voiceCycles;
    QComboBox* m_squelchMode;
    CNumeric m_txDuration;
    CNumeric m_rxDuration;
    // The ID as it was shown: the ID bytes change only when the user changed it.
    QString m_shownId;
};

} // namespace qrv
