#pragma once
// The microphone view: the gains of the internal and the external microphone.
#include "editors/common/editor_page.h"
#include "editors/settings/single_page_view.h"
#include "presentation/form_numbers.h"

class QComboBox;

namespace qrv {

class CMicrophonePage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = form::kMicrophone;
    static constexpr int kInternalGain = 6502;
    static constexpr int kExternalGain = 6504;

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
