#pragma once
// The view of a radio-wide option block: one page on the data object's block.
// Every change is stored the moment it is made; the page is stored once more
// when its window closes, which happens before the main window loads another
// codeplug (the window itself is deleted later, so nothing is stored then).
#include "editors/common/editor_view.h"

namespace qrv {

class CEditorPage;

class CSinglePageView : public CEditorView {
    Q_OBJECT
public:
    // Takes the page as its child, loads it and shows it.
    CSinglePageView(CEditorContext& context, int formNumber, CEditorPage* page, QWidget* parent = nullptr);

    void OnNotification(const CNotification& notification, QObject* origin) override;
    void StorePages() override;
    CEditorPage* Page() const { return m_page; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    CEditorPage* m_page;
};

} // namespace qrv
