#include "editors/common/record_view.h"

#include "editors/common/editor_context.h"
#include "editors/common/editor_sheet.h"
#include "presentation/item_tables.h"
#include "radio_data/notification.h"

#include <QVBoxLayout>

#include <algorithm>

namespace qrv {

CRecordView::CRecordView(CEditorContext& context, int sheetNumber, QWidget* parent)
    : CEditorView(context, parent), m_sheet(new CEditorSheet(sheetNumber, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sheet);
}

void CRecordView::Show(int position)
{
    m_current = position;
    m_currentId = IdOf(position);
    BindRecord(position);
    m_sheet->LoadPages();
}

void CRecordView::Start(int position)
{
    if (Count() == 0) {
        AddRecord();
        Show(0);
        Context().Notify({CNotification::Kind::Added, 0}, this);
    } else {
        Show(position >= 0 && position < Count() ? position : 0);
    }
    m_sheet->RestoreActivePage();
}

void CRecordView::FollowTable()
{
    const int count = Count();
    if (count == 0) {
        m_current = -1;
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (IdOf(i) == m_currentId) {
            if (i != m_current)
                Show(i);
            return;
        }
    }
    Show(std::clamp(m_current, 0, count - 1));
}

void CRecordView::Navigate(int command, int position)
{
    if (m_current >= 0 && m_current < Count())
        m_sheet->StorePages();
    if (command == record_command::kAdd) {
        if (Count() >= Maximum())
            return; // the bar does not offer it; a stray command changes nothing
        AddRecord();
    } else if (command == record_command::kDelete) {
        if (Count() < 2 || m_current < 0 || m_current >= Count())
            return; // the last record is never deleted
        if (!ConfirmRemove(m_current))
            return;
        RemoveRecord(m_current);
    }
    const int next = PositionAfter(command, m_current, Count(), position);
    if (next >= 0)
        Show(next);
    Context().Notify(NavigationNotification(command), this);
}

void CRecordView::OnNotification(const CNotification& notification, QObject* origin)
{
    // Another window may have added or deleted records of this table.
    if (origin != this && (notification.ChangesRecordCount()))
        FollowTable();
    m_sheet->NotifyPages(notification);
}

void CRecordView::StorePages()
{
    if (m_current >= 0 && m_current < Count())
        m_sheet->StorePages();
}

} // namespace qrv
