#pragma once
// The view of a table of numbered records (channels, personalities, scan
// lists): one sheet of pages bound to the current record, and the record
// commands of the navigation bar and the tree. Before a command the pages are
// stored; after it they are bound to the new current record and reloaded, and
// the command goes out as the change notification with its code as the kind.
#include "editors/common/editor_view.h"
#include "editors/record_navigator.h"

#include <cstdint>

namespace qrv {

class CEditorSheet;

class CRecordView : public CEditorView, public CRecordNavigator {
    Q_OBJECT
public:
    CRecordView(CEditorContext& context, int sheetNumber, QWidget* parent = nullptr);

    void Navigate(int command, int position) override;
    int CurrentPosition() const override { return m_current; }
    int RecordCount() const override { return Count(); }

    void OnNotification(const CNotification& notification, QObject* origin) override;
    void StorePages() override;
    CEditorSheet* Sheet() const { return m_sheet; }

protected:
    // The table the view edits.
    virtual int Count() const = 0;
    virtual int Maximum() const = 0;
    // Appends a default record (add).
    virtual void AddRecord() = 0;
    // Whether the user goes ahead with deleting that record (asked when others depend on it).
    virtual bool ConfirmRemove(int /*position*/) { return true; }
    // Withdraws the record's check entries and removes it (delete).
    virtual void RemoveRecord(int position) = 0;
    // Binds the pages to the record at that position.
    virtual void BindRecord(int position) = 0;
    // The record's tree identifier, to find it again after another window changed the table.
    virtual std::uint32_t IdOf(int position) const = 0;

    // Shows the record at position (the first when out of range), after the
    // pages were added; an empty table first gets a record, reported as added.
    void Start(int position);

private:
    void Show(int position);
    // After a change elsewhere: the same record if it still exists, else the one at its place.
    void FollowTable();

    CEditorSheet* m_sheet;
    int m_current = -1;
    std::uint32_t m_currentId = 0;
};

} // namespace qrv
