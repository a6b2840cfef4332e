#pragma once
// The Advanced page of the DTMF system: the pretime and the digit timing. A
// choice is stored at once; a notice goes out only when the shown text really
// differs from the one the control had when it took the focus.
#include "editors/common/editor_page.h"
#include "records/dtmf_system_data.h"

#include <QString>

#include <map>

class QComboBox;

namespace qrv {

class CDTMFSystemData;

class CDTMFAdvancePage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = 5302;
    static constexpr int kPretime = CDTMFSystemData::kPretimeList;
    static constexpr int kDigitDuration = CDTMFSystemData::kDigitDurationList;
    static constexpr int kDigitInterval = CDTMFSystemData::kDigitIntervalList;

    explicit CDTMFAdvancePage(CEditorContext& context, QWidget* parent = nullptr);

    void Bind(CDTMFSystemData* system) { m_system = system; }

protected:
    void LoadControls() override;
    void StoreControls() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Changed(QComboBox* combo);

    CDTMFSystemData* m_system = nullptr;
    QComboBox* m_pretime;
    QComboBox* m_digitDuration;
    QComboBox* m_digitInterval;
    // The text each combo showed when it took the focus (or was loaded).
    std::map<const QComboBox*, QString> m_remembered;
};

} // namespace qrv
