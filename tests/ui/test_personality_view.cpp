// The personality view as a dealer meets it: the timer combos that follow the
// admission and the time-out, the cut pre-alert list, every combo stored at
// its byte, adding and deleting personalities, the channels left without
// their personality, and untouched personalities that keep every byte.
#include "editor_fixture.h"
#include "editors/channel/view_channel.h"
#include "editors/channel_list/channel_table_model.h"
#include "editors/channel_list/view_channel_list.h"
#include "editors/common/editor_sheet.h"
#include "editors/personality/personality_signal_page.h"
#include "editors/personality/view_personality.h"
#include "presentation/caption_numbers.h"
#include "radio_data/messages.h"
#include "records/channel_data.h"
#include "records/personality_data.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

namespace qrv {

namespace {

using test::Bytes;
using test::Control;

using P = CPersonalityData;
constexpr int kTxAdmit = P::kTxAdmitList;
constexpr int kTimeOut = P::kTimeOutList;
constexpr int kPreAlert = P::kPreAlertList;
constexpr int kReKey = P::kReKeyList;
constexpr int kReset = P::kResetList;
constexpr std::size_t kTable = 0x130;
constexpr Bytes::size_type kRecord = 8;

QStringList Items(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}

Bytes RecordOf(const Image& image, std::size_t index)
{
    const auto begin = image.begin() + static_cast<std::ptrdiff_t>(kTable + kRecord * index);
    return Bytes(begin, begin + static_cast<std::ptrdiff_t>(kRecord));
}

// The default image with the personality table replaced by records (end marker after them).
Image WithPersonalities(Image image, const std::vector<Bytes>& records)
{
    std::fill(image.begin() + kTable, image.begin() + kTable + 16 * kRecord, 0xFF);
    for (std::size_t i = 0; i < records.size(); ++i)
        std::copy(records[i].begin(), records[i].end(),
                  image.begin() + static_cast<std::ptrdiff_t>(kTable + kRecord * i));
    return image;
}

// Sixteen personalities with every legal admission, timer values spread over
// their lists, and unusual bytes in the fields no control edits.
std::vector<Bytes> UnusualPersonalities()
{
    std::vector<Bytes> records;
    for (std::uint8_t i = 0; i < 16; ++i) {
        const std::uint8_t timeOut = i % 5 == 0 ? std::uint8_t{0} : static_cast<std::uint8_t>(15 * (i % 17));
        records.push_back({static_cast<std::uint8_t>(0x10 + i), static_cast<std::uint8_t>(i % 4), timeOut,
                           static_cast<std::uint8_t>(timeOut == 0 ? 0 : i % 11), static_cast<std::uint8_t>(i * 7 % 61),
                           static_cast<std::uint8_t>(i * 3 % 16), static_cast<std::uint8_t>(i << 4 | i % 4),
                           static_cast<std::uint8_t>(0xA0 + i)});
    }
    return records;
}

// A personality view on the fixture's codeplug that hears the notifications as the main window passes them on.
struct CViewFixture {
    test::CEditorFixture f;
    std::unique_ptr<CViewPersonality> view;

    void Open(int position = 0)
    {
        view = std::make_unique<CViewPersonality>(*f.context, position);
        QObject::connect(f.context.get(), &CEditorContext::Notified, view.get(),
                         [this](const CNotification& n, QObject* origin) { view->OnNotification(n, origin); });
    }
    QComboBox* Combo(int number) const { return Control<QComboBox>(*view, number); }
    // A user's choice of the entry with that text.
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
    Bytes Stored(std::size_t index) { return RecordOf(f.Stored(), index); }
    std::size_t Count() const { return f.data->Personalities().size(); }
};

const Bytes kDefault{0xFF, 0x01, 0x3C, 0x00, 0x00, 0x00, 0xC0, 0xFF};

} // namespace

class PersonalityViewTest : public QObject {
    Q_OBJECT

private slots:
    void TheSheetShowsTheRxTxPageOnly()
    {
        CViewFixture v;
        v.Open();
        QCOMPARE(v.view->Sheet()->count(), 1);
        QCOMPARE(v.view->Sheet()->tabText(0), QStringLiteral("RX/TX"));
        QCOMPARE(Control<QLabel>(*v.view, caption::LabelOf(kTimeOut))->text(), QStringLiteral("TX Time out Time(s)"));
        QCOMPARE(Items(*v.Combo(kTxAdmit)),
                 (QStringList{QStringLiteral("Inhibit"), QStringLiteral("Always"), QStringLiteral("Channel Free"),
                              QStringLiteral("Correct CTCSS/CDCSS")}));
        QCOMPARE(v.Combo(kTimeOut)->currentText(), QStringLiteral("60"));
        // The signalling page is built but not shown; what it stores goes to bits 0-3 of byte 6 only.
        auto* signal = v.view->findChild<CPersonalitySignalPage*>();
        QVERIFY(signal != nullptr);
        QVERIFY(v.view->Sheet()->indexOf(signal) < 0);
        signal->Load();
        QCOMPARE(Control<QComboBox>(*signal, P::kTxOptionalSignallingList)->currentText(), QStringLiteral("None"));
        QVERIFY(v.Choose(P::kTxOptionalSignallingList, QStringLiteral("HDC")));
        QCOMPARE(v.Stored(0), (Bytes{0xFF, 0x01, 0x3C, 0x00, 0x00, 0x00, 0xC3, 0xFF}));
    }

    void EveryControlIsStoredAtItsByte()
    {
        struct Case {
            int control;
            const char* text;
            std::size_t byte;
            std::uint8_t value;
        };
        const Case cases[] = {
            {kTxAdmit, "Correct CTCSS/CDCSS", 1, 3},
            {kTxAdmit, "Inhibit", 1, 0},
            {kTimeOut, "165", 2, 165},
            {kTimeOut, "Off", 2, 0},
            {kPreAlert, "7", 3, 7},
            {kReKey, "60", 4, 60},
            {kReset, "15", 5, 15},
        };
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            const Image before = v.f.Stored();
            v.f.notifications.clear();
            QVERIFY2(v.Choose(c.control, QString::fromUtf8(c.text)), c.text);
            Bytes expected = kDefault;
            expected[c.byte] = c.value;
            const Image after = v.f.Stored();
            QCOMPARE(RecordOf(after, 0), expected);
            // Nothing else of the codeplug moves.
            Image elsewhere = after;
            std::copy(before.begin() + kTable, before.begin() + kTable + kRecord, elsewhere.begin() + kTable);
            QVERIFY(elsewhere == before);
            QCOMPARE(v.f.notifications.size(), std::size_t{1});
            QCOMPARE(v.f.notifications[0].kind, CNotification::Kind::Edited);
            QCOMPARE(v.f.notifications[0].data, static_cast<std::uint32_t>(c.control));
        }
    }

    void TimeOutOffDisablesTheTimerCompanionsAndCutsThePreAlertList()
    {
        CViewFixture v;
        v.Open();
        QVERIFY(v.Choose(kPreAlert, QStringLiteral("5")));
        QVERIFY(v.Choose(kReKey, QStringLiteral("7")));
        QVERIFY(v.Choose(kReset, QStringLiteral("3")));
        QCOMPARE(v.Combo(kPreAlert)->count(), 11);

        QVERIFY(v.Choose(kTimeOut, QStringLiteral("Off")));
        for (const int control : {kPreAlert, kReKey, kReset})
            QVERIFY2(!v.Combo(control)->isEnabled(), qPrintable(QString::number(control)));
        QVERIFY(v.Combo(kTimeOut)->isEnabled());
        QVERIFY(v.Combo(kTxAdmit)->isEnabled());
        // Only the pre-alert list is cut, to its first entry; the pre-alert choice is lost with it.
        QCOMPARE(Items(*v.Combo(kPreAlert)), QStringList{QStringLiteral("Off")});
        QCOMPARE(v.Combo(kReKey)->count(), 61);
        QCOMPARE(v.Combo(kReset)->count(), 16);
        QCOMPARE(v.Stored(0), (Bytes{0xFF, 0x01, 0x00, 0x00, 0x07, 0x03, 0xC0, 0xFF}));

        // The timer on again: the whole list comes back with the first entry chosen.
        QVERIFY(v.Choose(kTimeOut, QStringLiteral("30")));
        for (const int control : {kPreAlert, kReKey, kReset})
            QVERIFY(v.Combo(control)->isEnabled());
        QCOMPARE(v.Combo(kPreAlert)->count(), 11);
        QCOMPARE(v.Combo(kPreAlert)->currentText(), QStringLiteral("Off"));
        // A choice that is still offered survives a new time-out.
        QVERIFY(v.Choose(kPreAlert, QStringLiteral("9")));
        QVERIFY(v.Choose(kTimeOut, QStringLiteral("255")));
        QCOMPARE(v.Combo(kPreAlert)->currentText(), QStringLiteral("9"));
        QCOMPARE(v.Stored(0), (Bytes{0xFF, 0x01, 0xFF, 0x09, 0x07, 0x03, 0xC0, 0xFF}));
    }

    void AdmissionInhibitDisablesEveryTimerCombo()
    {
        CViewFixture v;
        v.Open();
        QVERIFY(v.Choose(kPreAlert, QStringLiteral("4")));
        QVERIFY(v.Choose(kTxAdmit, QStringLiteral("Inhibit")));
        for (const int control : {kTimeOut, kPreAlert, kReKey, kReset})
            QVERIFY(!v.Combo(control)->isEnabled());
        // The timer values stay as they were.
        QCOMPARE(v.Stored(0), (Bytes{0xFF, 0x00, 0x3C, 0x04, 0x00, 0x00, 0xC0, 0xFF}));
        QVERIFY(v.Choose(kTxAdmit, QStringLiteral("Channel Free")));
        for (const int control : {kTimeOut, kPreAlert, kReKey, kReset})
            QVERIFY(v.Combo(control)->isEnabled());
        QCOMPARE(v.Combo(kPreAlert)->currentText(), QStringLiteral("4"));
    }

    void LoadingAppliesTheRules()
    {
        // Tx Admit, time-out and pre-alert of a stored record, and what the page then offers.
        struct Case {
            std::uint8_t admit, timeOut, preAlert;
            bool timeOutEnabled, companionsEnabled;
            int preAlertItems;
            const char* preAlertShown;
        };
        const Case cases[] = {
            {1, 60, 3, true, true, 11, "3"},   {1, 0, 0, true, false, 1, "Off"},  {0, 60, 3, false, false, 11, "3"},
            {0, 0, 0, false, false, 1, "Off"}, {2, 15, 10, true, true, 11, "10"},
        };
        for (const Case& c : cases) {
            CViewFixture v;
            auto& personalities = v.f.data->Personalities();
            personalities.push_back(std::make_unique<CPersonalityData>());
            personalities[1]->SetTxAdmit(c.admit);
            personalities[1]->SetTimeOut(c.timeOut);
            personalities[1]->SetPreAlert(c.preAlert);
            v.Open();
            v.view->Navigate(record_command::kNext, 0);
            QCOMPARE(v.view->CurrentPosition(), 1);
            QCOMPARE(v.Combo(kTimeOut)->isEnabled(), c.timeOutEnabled);
            for (const int control : {kPreAlert, kReKey, kReset})
                QCOMPARE(v.Combo(control)->isEnabled(), c.companionsEnabled);
            QCOMPARE(v.Combo(kPreAlert)->count(), c.preAlertItems);
            QCOMPARE(v.Combo(kPreAlert)->currentText(), QString::fromUtf8(c.preAlertShown));
            // Back on the first (default) personality everything is offered again.
            v.view->Navigate(record_command::kFirst, 0);
            QCOMPARE(v.Combo(kPreAlert)->count(), 11);
            QVERIFY(v.Combo(kReset)->isEnabled());
        }
    }

    void AddUpToSixteenAndDeleteDownToOne()
    {
        CViewFixture v;
        v.Open();
        const Image before = v.f.Stored();
        v.f.notifications.clear();
        for (int i = 0; i < 20; ++i)
            v.view->Navigate(record_command::kAdd, 0);
        QCOMPARE(v.Count(), std::size_t{16});
        QCOMPARE(v.view->CurrentPosition(), 15);
        QCOMPARE(std::count_if(v.f.notifications.begin(), v.f.notifications.end(),
                               [](const CNotification& n) { return n.kind == CNotification::Kind::Added; }),
                 std::ptrdiff_t{15});
        Image stored = v.f.Stored();
        for (std::size_t i = 0; i < 16; ++i)
            QCOMPARE(RecordOf(stored, i), kDefault);
        std::copy(before.begin() + kTable, before.begin() + kTable + 16 * kRecord, stored.begin() + kTable);
        QVERIFY(stored == before); // nothing beyond the table was touched

        // Byte 0 is carried through unedited, so it tells the personalities apart.
        for (std::size_t i = 0; i < 16; ++i)
            v.f.data->Personalities()[i]->Record()[0] = static_cast<std::uint8_t>(i);
        v.view->Navigate(record_command::kLast, 0);
        v.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(v.view->CurrentPosition(), 14); // the new last
        v.view->Navigate(record_command::kGoTo, 3);
        v.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(v.view->CurrentPosition(), 3); // its successor
        QCOMPARE(int(v.f.data->Personalities()[3]->Record()[0]), 4);
        for (int i = 0; i < 20; ++i)
            v.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(v.Count(), std::size_t{1});
        stored = v.f.Stored();
        QCOMPARE(RecordOf(stored, 0), (Bytes{0x00, 0x01, 0x3C, 0x00, 0x00, 0x00, 0xC0, 0xFF}));
        for (std::size_t i = 1; i < 16; ++i)
            QCOMPARE(RecordOf(stored, i), Bytes(kRecord, 0xFF));
    }

    void AnEmptyTableGetsADefaultPersonality()
    {
        CViewFixture v;
        v.f.data->Personalities().clear();
        v.Open();
        QCOMPARE(v.Count(), std::size_t{1});
        QCOMPARE(v.f.notifications.back().kind, CNotification::Kind::Added);
        QCOMPARE(v.Stored(0), kDefault);
    }

    // Channels stay on their personalities when one before them is deleted;
    // the channels of the deleted one are named in the question first and
    // reported by the checks after it. An open channel window follows at once.
    void DeletingAPersonalityKeepsEveryChannelOnItsOwn_data()
    {
        QTest::addColumn<int>("deleted");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<QByteArray>("personalityBytes"); // byte 18 of channels 1-6 afterwards
        QTest::addColumn<int>("reported");                // channel position, 0 for none
        QTest::newRow("in use, Yes") << 1 << true << QByteArray::fromHex("000000010002") << 4;
        QTest::newRow("in use, No") << 1 << false << QByteArray::fromHex("000000010003") << 0;
        QTest::newRow("unused") << 2 << false << QByteArray::fromHex("000000010002") << 0;
    }

    void DeletingAPersonalityKeepsEveryChannelOnItsOwn()
    {
        QFETCH(int, deleted);
        QFETCH(bool, answerYes);
        QFETCH(QByteArray, personalityBytes);
        QFETCH(int, reported);
        CViewFixture v;
        auto& personalities = v.f.data->Personalities();
        for (int i = 0; i < 3; ++i)
            personalities.push_back(std::make_unique<CPersonalityData>());
        auto& channels = v.f.data->Channels();
        channels[3]->SetPersonalityPosition(1); // channel 4 on the second personality
        channels[5]->SetPersonalityPosition(3); // channel 6 on the fourth; the third is unused
        for (const auto& channel : channels)
            channel->ResolvePersonality(personalities);
        std::vector<int> asked;
        QStringList texts;
        SetMessageBoxHandler([&](int number, const QString& text) {
            asked.push_back(number);
            texts << text;
            return answerYes ? QMessageBox::Yes : QMessageBox::No;
        });
        v.Open(deleted);
        CViewChannel channelWindow(*v.f.context, 5);
        CViewChannelList channelList(*v.f.context, 0);
        for (CEditorView* window : std::initializer_list<CEditorView*>{&channelWindow, &channelList})
            QObject::connect(v.f.context.get(), &CEditorContext::Notified, window,
                             [window](const CNotification& n, QObject* origin) { window->OnNotification(n, origin); });

        v.view->Navigate(record_command::kDelete, 0);

        const bool inUse = deleted == 1;
        QCOMPARE(asked, inUse ? std::vector<int>{msg::kPersonalityInUse} : std::vector<int>{});
        if (inUse)
            QVERIFY(texts.front().startsWith(QLatin1String("1 "))); // names how many channels
        QCOMPARE(v.Count(), std::size_t{inUse && !answerYes ? 4U : 3U});
        const Image stored = v.f.Stored();
        for (int k = 0; k < personalityBytes.size(); ++k)
            QCOMPARE(int(stored[0x580 + 20 * static_cast<std::size_t>(k) + 18]), int(personalityBytes[k]));
        const auto& entries = v.f.data->InvalidLog().Entries();
        QCOMPARE(entries.size(), std::size_t{reported != 0 ? 1U : 0U});
        if (reported != 0)
            QCOMPARE(QString::fromStdString(entries[0].text),
                     QStringLiteral("Channel - %1 : Miscellaneous").arg(reported));
        const QString sixth = QString::number(int(personalityBytes[5]) + 1);
        QCOMPARE(Control<QComboBox>(channelWindow, CChannelData::kPersonalityControl)->currentText(), sixth);
        const QModelIndex cell = channelList.Model()->index(5, CChannelTableModel::kPersonality);
        QCOMPARE(cell.data().toString(), sixth);
    }

    void UntouchedPersonalitiesKeepEveryByte()
    {
        struct Case {
            const char* name;
            std::vector<Bytes> records; // empty: the default image as it is
            bool legal;                 // every value has an entry in its list
        };
        const std::vector<Case> cases{
            {"default", {}, true},
            {"unusual", UnusualPersonalities(), true},
            {"blank", {Bytes(kRecord, 0xFF)}, false},
            // Values the lists do not offer are kept, not replaced by a guess.
            {"off the lists",
             {{0x00, 0x01, 0x07, 0x00, 0x3D, 0x10, 0xC0, 0xFF}, {0x00, 0x09, 0x3C, 0x0B, 0x00, 0x00, 0xC0, 0xFF}},
             false},
        };
        for (const Case& c : cases) {
            CViewFixture v;
            if (!c.records.empty())
                v.f.data->LoadFromImage(WithPersonalities(v.f.Stored(), c.records));
            const Image before = v.f.Stored();
            const std::size_t count = c.records.empty() ? 1 : c.records.size();
            QCOMPARE(v.Count(), count);
            v.Open();
            for (std::size_t i = 0; i < count; ++i) {
                v.view->Navigate(record_command::kGoTo, static_cast<int>(i));
                for (int page = 0; page < v.view->Sheet()->count(); ++page)
                    v.view->Sheet()->setCurrentIndex(page);
                // Legal values are shown, not merely carried.
                if (c.legal) {
                    const Bytes record = RecordOf(before, i);
                    QCOMPARE(v.Combo(kTxAdmit)->currentData().toLongLong(), static_cast<long long>(record[1]));
                    QCOMPARE(v.Combo(kTimeOut)->currentData().toLongLong(), static_cast<long long>(record[2]));
                    QCOMPARE(v.Combo(kPreAlert)->currentData().toLongLong(), static_cast<long long>(record[3]));
                    QCOMPARE(v.Combo(kReKey)->currentData().toLongLong(), static_cast<long long>(record[4]));
                    QCOMPARE(v.Combo(kReset)->currentData().toLongLong(), static_cast<long long>(record[5]));
                }
            }
            v.view->StorePages();
            v.view.reset();
            QVERIFY2(v.f.Stored() == before, c.name);
        }
    }
};

QRV_REGISTER_UI_TEST(PersonalityViewTest);

} // namespace qrv

#include "test_personality_view.moc"
