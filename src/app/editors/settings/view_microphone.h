#pragma once
// The microphone view: the gains of the internal and the external microphone.
#include "editors/common/editor_page.h"
#include "editors/settings/single_page_view.h"
#include "presentation/form_numbers.h"
#include "records/microphone_data.h"

class QComboBox;

namespace qrv {

class CMicrophonePage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = form::kMicrophone;
    static constexpr int kInternalGain = CMicrophoneData::kInternalGainList;
    static constexpr int kExternalGain = CMicrophoneData::kExternalGainList;

    explicit CMicrophonePage(CEditorContext& context, QWidget* parent = nullptr);

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    QComboBox* m_internal;
    QComboBox* m_external;
};

class CViewMicrophone : public CSinglePageView {
    Q_OBJECT
public:
    explicit CViewMicrophone(CEditorContext& context, QWidget* parent = nullptr);
};

} // namespace qrv
