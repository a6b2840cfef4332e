#pragma once
// The tabbed pages of an editor view. Load, store and notifications go to
// every page; the page that was active when a view of the same kind was last
// closed comes up again (for the rest of the run).
#include <QTabWidget>

#include <vector>

namespace qrv {

class CEditorPage;
class CSettings;
struct CNotification;

class CEditorSheet : public QTabWidget {
    Q_OBJECT
public:
    // sheetNumber tells sheets of one kind of view from the others.
    CEditorSheet(int sheetNumber, QWidget* parent = nullptr);
    ~CEditorSheet() override;

    // The tab caption is the language file's text of the page's number.
    void AddPage(CEditorPage* page, const CSettings& settings);
    void LoadPages();
    void StorePages();
    void NotifyPages(const CNotification& notification);
    // Brings up the page that was active last time.
    void RestoreActivePage();
    const std::vector<CEditorPage*>& Pages() const { return m_pages; }

private:
    int m_sheetNumber;
    std::vector<CEditorPage*> m_pages;
};

} // namespace qrv
