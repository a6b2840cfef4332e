// The DTMF system view as a dealer meets it: the Primary ID typed as DTMF
// digits and stored as 4-bit codes with its length, the PTT ID type and the
// two feedback options on the Basic page, the digit timing on the Advanced
// page, a table that holds one system, and untouched records that keep every
// byte.
#include "editor_fixture.h"
#include "editors/common/editor_sheet.h"
#include "editors/dtmf/dtmf_advance_page.h"
#include "editors/dtmf/dtmf_basic_page.h"
#include "editors/dtmf/view_dtmf_system.h"
#include "editors/record_navigator.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <vector>

namespace qrv {

namespace {

using test::Bytes;
using test::Control;
using test::WithBytes;
using Basic = CDTMFBasicPage;
using Advanced = CDTMFAdvancePage;

constexpr std::size_t kRecord = 0x1B0;
constexpr std::size_t kRecordSize = 16;
// The default record as a save writes it: one record, so count code 0 in byte 6.
const Bytes kDefault{0x12, 0x34, 0x56, 0x78, 0x08, 0x01, 0x3E, 0x19, 0x05, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

struct CViewFixture {
    test::CEditorFixture f;
    std::unique_ptr<CViewDTMFSystem> view;

    explicit CViewFixture(int level = 0) : f(level) {}

    void Open()
    {
        view = std::make_unique<CViewDTMFSystem>(*f.context, 0);
        QObject::connect(f.context.get(), &CEditorContext::Notified, view.get(),
                         [this](const CNotification& n, QObject* origin) { view->OnNotification(n, origin); });
    }
    QLineEdit* Id() const { return Control<QLineEdit>(*view, Basic::kPrimaryId); }
    QComboBox* Combo(int number) const { return Control<QComboBox>(*view, number); }
    QCheckBox* Check(int number) const { return Control<QCheckBox>(*view, number); }
    // Types over the ID and leaves the edit with Enter.
    void TypeId(const QString& text) const
    {
        Id()->selectAll();
        QTest::keyClick(Id(), Qt::Key_Delete);
        QTest::keyClicks(Id(), text);
        QTest::keyClick(Id(), Qt::Key_Return);
    }
    bool Choose(int number, const QString& text) const
    {
        QComboBox* combo = Combo(number);
        const int index = combo ? combo->findText(text) : -1;
        if (index < 0)
            return false;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    Bytes Stored()
    {
        const Image image = f.Stored();
        return Bytes(image.begin() + kRecord, image.begin() + kRecord + kRecordSize);
    }
};

} // namespace

class DtmfViewTest : public QObject {
    Q_OBJECT

private slots:
    void TheSheetHoldsTheBasicAndAdvancedPages()
    {
        CViewFixture v;
        v.Open();
        CEditorSheet* sheet = v.view->Sheet();
        QCOMPARE(sheet->count(), 2);
        QCOMPARE(sheet->tabText(0), QStringLiteral("Basic"));
        QCOMPARE(sheet->tabText(1), QStringLiteral("Advanced"));
        QCOMPARE(v.Id()->text(), QStringLiteral("12345678"));
        QCOMPARE(v.Combo(Basic::kPttIdType)->currentText(), QStringLiteral("Begin of TX"));
        QVERIFY(!v.Check(Basic::kSideTone)->isChecked());
        QVERIFY(v.Check(Basic::kShortBeep)->isChecked());
        QCOMPARE(v.Combo(Advanced::kPretime)->currentText(), QStringLiteral("250"));
        QCOMPARE(v.Combo(Advanced::kDigitDuration)->currentText(), QStringLiteral("50"));
        QCOMPARE(v.Combo(Advanced::kDigitInterval)->currentText(), QStringLiteral("50"));
        QCOMPARE(v.Stored(), kDefault);
    }

    void ThePrimaryIdIsStoredAsDigitCodesWithItsLength()
    {
        struct Case {
            const char* typed;
            const char* shown;
            Bytes digitsAndLength; // bytes 0 to 4
        };
        const Case cases[] = {
            {"12*#", "12*#", {0x12, 0xEF, 0x00, 0x00, 0x04}},
            {"abcd", "ABCD", {0xAB, 0xCD, 0x00, 0x00, 0x04}},
            {"D0*", "D0*", {0xD0, 0xE0, 0x00, 0x00, 0x03}},
            {"#", "#", {0xF0, 0x00, 0x00, 0x00, 0x01}},
            {"9876543210", "98765432", {0x98, 0x76, 0x54, 0x32, 0x08}}, // eight digits at most
            {"1e2f3", "123", {0x12, 0x30, 0x00, 0x00, 0x03}},           // no DTMF digits: not taken
            {"", "", {0x12, 0x34, 0x56, 0x78, 0x00}},                   // empty: the digits stay
        };
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            v.TypeId(QString::fromLatin1(c.typed));
            Bytes expected = c.digitsAndLength;
            expected.insert(expected.end(), kDefault.begin() + 5, kDefault.end());
            QCOMPARE(v.Stored(), expected);
            QCOMPARE(v.Id()->text(), QString::fromLatin1(c.shown));
            // The Basic page stores without telling anyone.
            QVERIFY(v.f.notifications.empty());
            // And reads back the same after the record is bound again.
            v.view.reset();
            v.Open();
            QCOMPARE(v.Id()->text(), QString::fromLatin1(c.shown));
        }
    }

    void TheBasicControlsStoreTheirBits()
    {
        CViewFixture v;
        v.Open();
        QVERIFY(v.Choose(Basic::kPttIdType, QStringLiteral("Begin and End of TX")));
        v.Check(Basic::kSideTone)->click();
        Bytes expected = kDefault;
        expected[5] = 3;
        expected[6] = 0x3F;
        QCOMPARE(v.Stored(), expected);
        v.Check(Basic::kShortBeep)->click();
        expected[6] = 0x3D;
        QCOMPARE(v.Stored(), expected);
        QVERIFY(v.Choose(Basic::kPttIdType, QStringLiteral("Off")));
        v.Check(Basic::kSideTone)->click();
        expected[5] = 0;
        expected[6] = 0x3C;
        QCOMPARE(v.Stored(), expected);
        QVERIFY(v.f.notifications.empty());
    }

    void TheAdvancedCombosStoreEntryNumbersAndReportRealChanges()
    {
        struct Case {
            int control;
            const char* text;
            std::size_t byte;
            std::uint8_t value;
        };
        const Case cases[] = {
            {Advanced::kPretime, "0", 7, 0},          {Advanced::kPretime, "1000", 7, 100},
            {Advanced::kDigitDuration, "30", 8, 3},   {Advanced::kDigitDuration, "200", 8, 20},
            {Advanced::kDigitInterval, "120", 9, 12}, {Advanced::kDigitInterval, "30", 9, 3},
        };
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            QVERIFY2(v.Choose(c.control, QString::fromLatin1(c.text)), c.text);
            Bytes expected = kDefault;
            expected[c.byte] = c.value;
            QCOMPARE(v.Stored(), expected);
            QCOMPARE(v.f.notifications.size(), std::size_t{1});
            QCOMPARE(v.f.notifications[0].kind, CNotification::Kind::Edited);
            QCOMPARE(v.f.notifications[0].data, static_cast<std::uint32_t>(c.control));
            // The same text once more is no change.
            QVERIFY(v.Choose(c.control, QString::fromLatin1(c.text)));
            QCOMPARE(v.f.notifications.size(), std::size_t{1});
        }
    }

    void TheTableHoldsOneSystem()
    {
        CViewFixture v;
        v.Open();
        const Image before = v.f.Stored();
        v.view->Navigate(record_command::kAdd, 0);
        QCOMPARE(v.f.data->DTMFSystems().size(), std::size_t{1});
        v.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(v.f.data->DTMFSystems().size(), std::size_t{1});
        for (const int command : {record_command::kFirst, record_command::kNext, record_command::kLast})
            v.view->Navigate(command, 0);
        QCOMPARE(v.view->CurrentPosition(), 0);
        QVERIFY(v.f.Stored() == before);
    }

    void ANewViewShowsThePageShownLast()
    {
        CViewFixture v;
        v.Open();
        v.view->Sheet()->setCurrentIndex(1);
        v.view.reset();
        v.Open();
        QCOMPARE(v.view->Sheet()->currentIndex(), 1);
        v.view->Sheet()->setCurrentIndex(0);
        v.view.reset();
        v.Open();
        QCOMPARE(v.view->Sheet()->currentIndex(), 0);
    }

    void UntouchedRecordsKeepEveryByte()
    {
        const std::vector<Bytes> records{
            {},
            // A short ID with letters, every option flipped, the extreme timings, odd kept bytes.
            {0xA * 16 + 0xE, 0xD0, 0x00, 0x00, 0x03, 0x03, 0x15, 0x64, 0x14, 0x03, 0x00, 0x12, 0x34, 0x56, 0x78, 0x9A},
            // A short ID with an older, longer one behind it.
            {0x12, 0x34, 0x56, 0x78, 0x02, 0x01, 0x3E, 0x19, 0x05, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
            // An empty ID whose digit bytes still hold an old one.
            {0x98, 0x76, 0x54, 0x32, 0x00, 0x00, 0x2A, 0x00, 0x03, 0x14, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00},
        };
        for (const int level : {0, CSettings::kFactoryLevel}) {
            for (const Bytes& record : records) {
                CViewFixture v(level);
                if (!record.empty())
                    v.f.data->LoadFromImage(WithBytes(v.f.Stored(), kRecord, record));
                const Image before = v.f.Stored();
                v.Open();
                for (int page = 0; page < v.view->Sheet()->count(); ++page)
                    v.view->Sheet()->setCurrentIndex(page);
                for (const QComboBox* combo : v.view->findChildren<QComboBox*>())
                    QVERIFY(combo->currentIndex() >= 0);
                v.view->StorePages();
                v.view.reset();
                QVERIFY(v.f.Stored() == before);
            }
        }
    }
};

QRV_REGISTER_UI_TEST(DtmfViewTest);

} // namespace qrv

#include "test_dtmf_view.moc"
