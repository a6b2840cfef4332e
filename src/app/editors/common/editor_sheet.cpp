#include "editors/common/editor_sheet.h"

#include "editors/common/editor_page.h"
#include "radio_data/settings.h"
#include "shell/qt_text.h"

#include <map>

namespace qrv {

namespace {

// Per kind of sheet, the page that was active when the last one closed.
std::map<int, int>& ActivePages()
{
    static std::map<int, int> pages;
    return pages;
}

} // namespace

CEditorSheet::CEditorSheet(int sheetNumber, QWidget* parent) : QTabWidget(parent), m_sheetNumber(sheetNumber)
{
}

CEditorSheet::~CEditorSheet()
{
    ActivePages()[m_sheetNumber] = currentIndex();
}

void CEditorSheet::AddPage(CEditorPage* page, const CSettings& settings)
{
    m_pages.push_back(page);
    addTab(page, Q(settings.GetText(page->PageNumber())));
}

void CEditorSheet::LoadPages()
{
    for (CEditorPage* page : m_pages)
        page->Load();
}

void CEditorSheet::StorePages()
{
    for (CEditorPage* page : m_pages)
        page->Store();
}

void CEditorSheet::NotifyPages(const CNotification& notification)
{
    for (CEditorPage* page : m_pages)
        page->OnNotification(notification);
}

void CEditorSheet::RestoreActivePage()
{
    const auto it = ActivePages().find(m_sheetNumber);
    if (it != ActivePages().end() && it->second >= 0 && it->second < count())
        setCurrentIndex(it->second);
}

} // namespace qrv
