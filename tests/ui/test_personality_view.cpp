// The personality view as a dealer meets it: the timer combos that follow the
// admission and the time-out, the cut pre-alert list, deleting a personality
// channels use, and untouched personalities that keep every byte.
#include "editor_fixture.h"
#include "editors/channel/view_channel.h"
#include "editors/channel_list/channel_table_model.h"
#include "editors/channel_list/view_channel_list.h"
#include "editors/personality/view_personality.h"
#include "radio_data/messages.h"
#include "ui_test_registry.h"

namespace qrv {

namespace {

using test::Bytes;
using test::Hex;
using P = CPersonalityData;
using Kind = CNotification::Kind;

struct CFixture : test::CViewFixture<CViewPersonality> {
    using CViewFixture::CViewFixture;
    Bytes Record(std::size_t index) { return test::BytesAt(Stored(), P::kTableStart + P::kRecordSize * index, 8); }
    std::size_t Count() const { return data->Personalities().size(); }
    bool TimersEnabled(bool enabled) const
    {
        return std::all_of(std::begin(kTimers), std::end(kTimers),
                           [&](int control) { return Find(control)->isEnabled() == enabled; });
    }
    static constexpr int kTimers[] = {P::kPreAlertList, P::kReKeyList, P::kResetList};
};

// A choice, maybe a second one: the record, and what the page enables and offers, then and when loaded again.
// (Which bits each combo owns is the ownership table's.)
struct CPersonalityChoiceRow {
    const char *name, *text;
    int control, then;
    const char *thenText, *record;
    bool timeOutEnabled, timersEnabled;
    int preAlertItems;
};
// clang-format off
const CPersonalityChoiceRow kChoiceRows[] = {
    {"time-out, free channel", "15", P::kTimeOutList, P::kTxAdmitList, "Channel Free", "ff020f000000c0ff", true, true, 11},
    {"right tone", "Correct CTCSS/CDCSS", P::kTxAdmitList, 0, nullptr, "ff033c000000c0ff", true, true, 11},
    {"time-out off", "Off", P::kTimeOutList, 0, nullptr, "ff0100000000c0ff", true, false, 1},
    {"admission inhibit", "Inhibit", P::kTxAdmitList, 0, nullptr, "ff003c000000c0ff", false, false, 11},
    {"inhibit, time-out off", "Off", P::kTimeOutList, P::kTxAdmitList, "Inhibit", "ff0000000000c0ff", false, false, 1},
};
// clang-format on

// Of four personalities, channel 4 on the second and channel 6 on the fourth: the one deleted, the answer to the
// question, the personality bytes of channels 1-6 afterwards, and the channel reported (0 for none).
struct CPersonalityDeleteRow {
    const char* name;
    int deleted;
    bool answerYes;
    const char* personalityBytes;
    int reported;
};
const CPersonalityDeleteRow kDeleteRows[] = {
    {"in use, Yes", 1, true, "000000010002", 4},
    {"in use, No", 1, false, "000000010003", 0},
    {"unused", 2, false, "000000010002", 0},
};

} // namespace

class PersonalityViewTest : public QObject {
    Q_OBJECT

private slots:
    void ChoicesAreStoredAndApplyTheTimerRules_data() { test::AddRows(kChoiceRows); }
    void ChoicesAreStoredAndApplyTheTimerRules()
    {
        QFETCH(CPersonalityChoiceRow, row);
        CFixture f;
        f.Open();
        QVERIFY(f.Choose(row.control, QString::fromLatin1(row.text)));
        if (row.then != 0)
            QVERIFY(f.Choose(row.then, QString::fromLatin1(row.thenText)));
        QCOMPARE(f.Record(0), Hex(row.record));
        QCOMPARE(f.notifications.size(), std::size_t{row.then != 0 ? 2U : 1U});
        QVERIFY(f.Heard(Kind::Edited, static_cast<std::uint32_t>(row.then != 0 ? row.then : row.control)));
        for (const bool loaded : {false, true}) {
            if (loaded) { // after a new default personality, which offers everything
                f.view->Navigate(record_command::kAdd, 0);
                QCOMPARE(f.Find(P::kPreAlertList)->count(), 11);
                QVERIFY(f.TimersEnabled(true));
                f.view->Navigate(record_command::kFirst, 0);
            }
            QCOMPARE(f.Find(P::kTimeOutList)->isEnabled(), row.timeOutEnabled);
            QVERIFY(f.TimersEnabled(row.timersEnabled));
            QVERIFY(f.Find(P::kTxAdmitList)->isEnabled());
            QCOMPARE(f.Find(P::kPreAlertList)->count(), row.preAlertItems);
        }
    }

    // Channels stay on their personalities when one before them is deleted;
    // the channels of the deleted one are named in the question first and
    // reported by the checks after it. Open channel windows follow at once.
    void DeletingAPersonalityKeepsEveryChannelOnItsOwn_data() { test::AddRows(kDeleteRows); }
    void DeletingAPersonalityKeepsEveryChannelOnItsOwn()
    {
        QFETCH(CPersonalityDeleteRow, row);
        CFixture f;
        auto& personalities = f.data->Personalities();
        for (int i = 0; i < 3; ++i)
            personalities.push_back(std::make_unique<CPersonalityData>());
        auto& channels = f.data->Channels();
        channels[3]->SetPersonalityPosition(1); // channel 4 on the second personality
        channels[5]->SetPersonalityPosition(3); // channel 6 on the fourth; the third is unused
        for (const auto& channel : channels)
            channel->ResolvePersonality(personalities);
        QStringList texts;
        SetMessageBoxHandler([&](int number, const QString& text) {
            f.messages.push_back(number);
            texts << text;
            return row.answerYes ? QMessageBox::Yes : QMessageBox::No;
        });
        f.Open(row.deleted);
        CViewChannel channelWindow(*f.context, 5);
        CViewChannelList channelList(*f.context, 0);
        for (CEditorView* window : std::initializer_list<CEditorView*>{&channelWindow, &channelList})
            QObject::connect(f.context.get(), &CEditorContext::Notified, window,
                             [window](const CNotification& n, QObject* origin) { window->OnNotification(n, origin); });

        f.view->Navigate(record_command::kDelete, 0);

        const bool inUse = row.deleted == 1;
        QCOMPARE(f.messages, inUse ? std::vector<int>{msg::kPersonalityInUse} : std::vector<int>{});
        QVERIFY(!inUse || texts.front().startsWith(QLatin1String("1 "))); // names how many channels
        QCOMPARE(f.Count(), std::size_t{inUse && !row.answerYes ? 4U : 3U});
        const Bytes bytes = Hex(row.personalityBytes);
        for (int k = 0; k < 6; ++k)
            QCOMPARE(f.Stored()[test::ChannelByte(k, 18)], bytes[static_cast<std::size_t>(k)]);
        const auto& entries = f.data->InvalidLog().Entries();
        QCOMPARE(entries.size(), std::size_t{row.reported != 0 ? 1U : 0U});
        if (row.reported != 0)
            QCOMPARE(QString::fromStdString(entries[0].text),
                     QStringLiteral("Channel - %1 : Miscellaneous").arg(row.reported));
        const QString sixth = QString::number(bytes[5] + 1);
        QCOMPARE(test::Control<QComboBox>(channelWindow, CChannelData::kPersonalityControl)->currentText(), sixth);
        QCOMPARE(channelList.Model()->index(5, CChannelTableModel::kPersonality).data().toString(), sixth);
    }

    // Legal values are shown, not merely carried; values the lists do not offer are kept, not replaced by a guess.
    void UntouchedPersonalitiesKeepEveryByte()
    {
        CFixture f;
        Image image = f.Stored();
        std::fill_n(image.begin() + P::kTableStart, 16 * P::kRecordSize, 0xFF);
        f.data->LoadFromImage(test::WithBytes(image, P::kTableStart,
                                              Hex("10003c000a0000a1 1101a5070f0f33a2 1202ff0a3c0342a3 13030000050c21a4"
                                                  "000107003d10c0ff 00093c0b0000c0ff")));
        QCOMPARE(f.Count(), std::size_t{6});
        const Image before = f.Stored();
        f.Open();
        constexpr int kFields[] = {P::kTxAdmitList, P::kTimeOutList, P::kPreAlertList, P::kReKeyList, P::kResetList};
        for (std::size_t i = 0; i < 6; ++i) {
            f.view->Navigate(record_command::kGoTo, static_cast<int>(i));
            for (std::size_t k = 0; k < std::size(kFields) && i < 4; ++k) // bytes 1 to 5 of the legal ones
                QCOMPARE(f.Find(kFields[k])->currentData().toLongLong(), static_cast<long long>(f.Record(i)[k + 1]));
        }
        f.view->StorePages();
        f.view.reset();
        QVERIFY(f.Stored() == before);
    }
};

QRV_REGISTER_UI_TEST(PersonalityViewTest);

} // namespace qrv

#include "test_personality_view.moc"
