#pragma once
// The emergency view: the one emergency page on its sheet.
#include "editors/common/editor_view.h"

namespace qrv {

class CEditorSheet;
class CEmergencyBasicPage;

class CViewEmergency : public CEditorView {
    Q_OBJECT
public:
    static constexpr int kForm = 7301;

    explicit CViewEmergency(CEditorContext& context, QWidget* parent = nullptr);

    void OnNotification(const CNotification& notification, QObject* origin) override;
    void StorePages() override;
    CEditorSheet* Sheet() const { return m_sheet; }
    CEmergencyBasicPage* Page() const { return m_page; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    CEditorSheet* m_sheet;
    CEmergencyBasicPage* m_page;
};

} // namespace qrv
