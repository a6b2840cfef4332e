#pragma once
// The mode view: clone mode and factory clone mode, which exists only while
// clone mode is on. The panel test mode box is kept hidden.
#include "editors/common/editor_page.h"
#include "editors/settings/single_page_view.h"
#include "presentation/form_numbers.h"
#include "records/mode_data.h"

class QCheckBox;

namespace qrv {

class CModePage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = form::kMode;
    static constexpr int kFactoryClone = CModeData::kFactoryCloneCheck;
    static constexpr int kPanelTest = CModeData::kPanelTestCheck;
    static constexpr int kClone = CModeData::kCloneCheck;

    explicit CModePage(CEditorContext& context, QWidget* parent = nullptr);

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    // Factory clone mode follows clone mode: unchecked and disabled without it.
    void ApplyCloneRule();

    QCheckBox* m_panelTest;
    QCheckBox* m_clone;
    QCheckBox* m_factoryClone;
};

class CViewMode : public CSinglePageView {
    Q_OBJECT
public:
    explicit CViewMode(CEditorContext& context, QWidget* parent = nullptr);
};

} // namespace qrv
