// The conventions every editor follows, on a small table of fake records:
// store before a command, bind and load after it, the notification with the
// command's code, the limits of add and delete, following changes made in
// another window, pages that report only a user's changes, and the sheet
// that remembers its active page.
#include "editor_fixture.h"
#include "editors/common/editor_page.h"
#include "editors/common/editor_sheet.h"
#include "editors/common/record_view.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"

#include <QComboBox>
#include <QTest>

#include <string>
#include <vector>

namespace qrv {

namespace {

struct CFakeRecord {
    std::uint32_t id;
    int value;
};

constexpr int kFakeCombo = 4711; // what an edit of it notifies

// A page showing one record's value in a combo box.
class CFakePage : public CEditorPage {
public:
    CFakePage(CEditorContext& context, int number) : CEditorPage(context, number)
    {
        combo = new QComboBox(this);
        combo->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
        SetControlNumber(combo, kFakeCombo);
        Watch(combo);
    }
    CFakeRecord* bound = nullptr;
    QComboBox* combo;
    std::vector<std::string> calls;

protected:
    void LoadControls() override
    {
        calls.push_back("load");
        combo->setCurrentIndex(bound->value);
    }
    void StoreControls() override
    {
        calls.push_back("store");
        bound->value = combo->currentIndex();
    }
};

class CFakeView : public CRecordView {
public:
    CFakeView(CEditorContext& context, std::vector<CFakeRecord>& table, int position)
        : CRecordView(context, 99), m_table(table)
    {
        page = new CFakePage(context, 100);
        Sheet()->AddPage(page, context.Settings());
        // A second page on a record of its own, so that it cannot hide what the first stores.
        auto* other = new CFakePage(context, 101);
        other->bound = &m_otherRecord;
        Sheet()->AddPage(other, context.Settings());
        Start(position);
    }
    CFakePage* page;

protected:
    int Count() const override { return static_cast<int>(m_table.size()); }
    int Maximum() const override { return 4; }
    void AddRecord() override { m_table.push_back({m_nextId++, 0}); }
    void RemoveRecord(int position) override { m_table.erase(m_table.begin() + position); }
    void BindRecord(int position) override { page->bound = &m_table[static_cast<std::size_t>(position)]; }
    std::uint32_t IdOf(int position) const override { return m_table[static_cast<std::size_t>(position)].id; }

private:
    std::vector<CFakeRecord>& m_table;
    CFakeRecord m_otherRecord{0, 0};
    std::uint32_t m_nextId = 100;
};

} // namespace

class EditorCommonTest : public QObject {
    Q_OBJECT

private slots:
    void AnEmptyTableGetsARecordReportedAsAdded()
    {
        test::CEditorFixture f;
        std::vector<CFakeRecord> table;
        CFakeView view(*f.context, table, 0);
        QCOMPARE(table.size(), std::size_t{1});
        QCOMPARE(view.CurrentPosition(), 0);
        QCOMPARE(f.notifications.size(), std::size_t{1});
        QCOMPARE(f.notifications[0].kind, CNotification::Kind::Added);
    }

    void CommandsStoreFirstThenShowTheNewRecord()
    {
        test::CEditorFixture f;
        std::vector<CFakeRecord> table{{1, 0}, {2, 1}, {3, 2}};
        CFakeView view(*f.context, table, 1);
        QCOMPARE(view.page->combo->currentIndex(), 1);
        // A change typed but not yet stored is kept when the user moves on.
        view.page->combo->setCurrentIndex(2);
        view.page->calls.clear();
        view.Navigate(record_command::kNext, 0);
        QCOMPARE(table[1].value, 2);
        QCOMPARE(view.page->calls, (std::vector<std::string>{"store", "load"}));
        QCOMPARE(view.CurrentPosition(), 2);
        QCOMPARE(view.page->combo->currentIndex(), 2);
        QVERIFY(f.notifications.back().kind == CNotification::Kind::Navigated);
        QCOMPARE(f.notifications.back().data, std::uint32_t{record_command::kNext});

        struct Step {
            int command, target, position, count;
        };
        const Step steps[] = {
            {record_command::kFirst, 0, 0, 3},  {record_command::kPrevious, 0, 0, 3},
            {record_command::kLast, 0, 2, 3},   {record_command::kGoTo, 1, 1, 3},
            {record_command::kAdd, 0, 3, 4},    {record_command::kAdd, 0, 3, 4}, // the fifth is not made
            {record_command::kDelete, 0, 2, 3}, {record_command::kDelete, 0, 1, 2},
            {record_command::kDelete, 0, 0, 1}, {record_command::kDelete, 0, 0, 1}, // the last one stays
        };
        for (const Step& s : steps) {
            view.Navigate(s.command, s.target);
            QCOMPARE(view.CurrentPosition(), s.position);
            QCOMPARE(view.RecordCount(), s.count);
        }
    }

    void AnotherWindowsDeletionIsFollowed()
    {
        test::CEditorFixture f;
        std::vector<CFakeRecord> table{{1, 0}, {2, 1}, {3, 2}};
        CFakeView view(*f.context, table, 2);
        // Record 1 goes elsewhere: the view stays on its record, now at position 1.
        table.erase(table.begin());
        view.OnNotification({CNotification::Kind::Deleted, 0}, nullptr);
        QCOMPARE(view.CurrentPosition(), 1);
        QCOMPARE(view.page->bound, &table[1]);
        // Its own record goes: the one at its place, or the new last.
        table.erase(table.begin() + 1);
        view.OnNotification({CNotification::Kind::Deleted, 0}, nullptr);
        QCOMPARE(view.CurrentPosition(), 0);
        QCOMPARE(view.page->bound, &table[0]);
    }

    void PagesReportOnlyTheUsersChanges()
    {
        test::CEditorFixture f;
        std::vector<CFakeRecord> table{{1, 0}, {2, 2}};
        CFakeView view(*f.context, table, 0);
        f.notifications.clear();
        view.Navigate(record_command::kGoTo, 1); // loading sets the combo: no change reported
        QCOMPARE(f.notifications.size(), std::size_t{1});
        view.page->combo->setCurrentIndex(1);
        emit view.page->combo->activated(1);
        QCOMPARE(table[1].value, 1);
        QCOMPARE(f.notifications.back().kind, CNotification::Kind::Edited);
        QCOMPARE(f.notifications.back().data, std::uint32_t{kFakeCombo});
        // Added and deleted anywhere: the page reloads.
        view.page->calls.clear();
        view.OnNotification({CNotification::Kind::Added, 0}, nullptr);
        view.OnNotification({CNotification::Kind::Edited, 0}, nullptr);
        QCOMPARE(view.page->calls, std::vector<std::string>{"load"});
    }

    void TheActivePageIsRememberedForTheRun()
    {
        test::CEditorFixture f;
        std::vector<CFakeRecord> table{{1, 0}};
        {
            CFakeView view(*f.context, table, 0);
            QCOMPARE(view.Sheet()->currentIndex(), 0);
            view.Sheet()->setCurrentIndex(1);
        }
        CFakeView again(*f.context, table, 0);
        QCOMPARE(again.Sheet()->currentIndex(), 1);
        again.Sheet()->setCurrentIndex(0);
    }
};

QRV_REGISTER_UI_TEST(EditorCommonTest);

} // namespace qrv

#include "test_editor_common.moc"
