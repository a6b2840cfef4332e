#pragma once
// The Basic page of the DTMF system: the Primary ID, the PTT ID type and the
// side tone and short beep. A change is stored at once; it concerns no other
// record, so no notice goes out and no check runs.
#include "editors/common/editor_page.h"
#include "records/dtmf_system_data.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace qrv {

class CDTMFSystemData;

class CDTMFBasicPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = 5301;
    static constexpr int kPrimaryId = CDTMFSystemData::kPrimaryIdEdit;
    static constexpr int kPttIdType = CDTMFSystemData::kPttIdTypeList;
    static constexpr int kSideTone = CDTMFSystemData::kSideToneCheck;
    static constexpr int kShortBeep = CDTMFSystemData::kShortBeepCheck;

    explicit CDTMFBasicPage(CEditorContext& context, QWidget* parent = nullptr);

    void Bind(CDTMFSystemData* system) { m_system = system; }

protected:
    void LoadControls() override;
    void StoreControls() override;
    bool ReloadsOn(const CNotification& notification) const override;

private:
    void IdEdited();
    void ShowId();

    CDTMFSystemData* m_system = nullptr;
    QLineEdit* m_id;
    QComboBox* m_pttIdType;
    QCheckBox* m_sideTone;
    QCheckBox* m_shortBeep;
    // The ID as it was shown: its bytes change only when the user changed it.
    QString m_shownId;
};

} // namespace qrv
