// Opening every editor on every record, visiting every page and storing,
// without the user changing anything, must leave every byte of the codeplug
// as it was; and each control set as a user sets it must change only the
// bits that control owns, name itself in what the windows hear, and show
// what it stored when its window is opened again. On the default images of
// each range, on an image with odd channels, and on records as a radio may
// hold them (values off the lists, bits no control edits), below and at the
// factory level.
#include "control_ownership.h"
#include "editors/channel_list/channel_grid.h"
#include "editors/channel_list/view_channel_list.h"
#include "editors/common/editor_sheet.h"
#include "frame_fixture.h"
#include "records/test_frequency_data.h"

namespace qrv {

namespace {

using test::Hex;
constexpr int kFactory = CSettings::kFactoryLevel;

// A codeplug the editors open: the default image of a range at a user level,
// with the odd channels or not; or bytes put into one item's record, and
// then only that item's window is opened, counting its controls whose
// change reaches the codeplug.
struct CImageRow {
    const char* name;
    int level;
    int item = 0; // 0: every item
    std::size_t at = 0;
    test::Bytes bytes;
    int changing = 0;
    std::string range = "400-470";
    bool oddChannels = false;
};

// clang-format off
const std::vector<CImageRow>& RecordRows()
{
    using E = CEmergencyData;
    static const std::vector<CImageRow> rows{
        {"keys, the reserved function", 0, item::kKeys, CKeyData::kImageOffset, Hex("00004f30ff1d0000000001"), 4},
        {"vox off the lists", 0, item::kVox, CVoxData::kImageOffset, Hex("0002"), 2},
        // A voice option on enables the voice language.
        {"miscellaneous off the lists", kFactory, item::kMiscellaneous, CMiscellaneousData::kImageOffset,
         Hex("20ffffffff4026ff032dffffffff"), 8},
        // Hidden, the voice options keep what the radio holds.
        {"miscellaneous below the factory", CSettings::kServiceLevel, item::kMiscellaneous,
         CMiscellaneousData::kImageOffset + 9, Hex("03"), 5},
        {"mode, both clone modes", kFactory, item::kMode, CModeData::kImageOffset, Hex("1278"), 2},
        {"microphone off the lists", 0, item::kMicrophone, CMicrophoneData::kImageOffset, Hex("100004010000"), 2},
        {"dtmf, a short ID before an old one", 0, item::kDtmfSystem, CDTMFSystemData::kTableStart, Hex("1234567802"),
         7},
        {"emergency, digit ID", kFactory, item::kEmergency, E::kImageOffset + E::kAlarmOffset, Hex("fa"), 18},
        // ID type 4, every hidden field changed, alarm on and continuous, odd kept bytes.
        {"emergency, six digits", 0, item::kEmergency, E::kImageOffset,
         Hex("2105feec05341200aabbccdd061e07f7ff01fd80faff0100 1122334455667788"), 17},
        // A revert position past the table, a digit ID longer than its four, values outside the edits' ranges.
        {"emergency, off the lists", kFactory, item::kEmergency, E::kImageOffset,
         Hex("0040fffa0e0f0e0fffffffff090000ff0000ff00ff0000"), 18},
        // Four legal personalities with bits no control edits, two off the lists, then the end of the table.
        {"personalities", 0, item::kPersonality, CPersonalityData::kTableStart,
         Hex("10003c000a0000a1 1101a5070f0f33a2 1202ff0a3c0342a3 13030000050c21a4 000107003d10c0ff 00093c0b0000c0ff"
             "ffffffffffffffff"), 5},
        // Modes off the lists, a short member list, empty slots, odd bytes where no control edits.
        {"scan list", 0, item::kScan, CScanListData::kTableStart,
         Hex("1234567803 1b3d100c99510e1ee64224 0aff031001ff0707020bff0c0d050609"), 26},
        // Words and step codes that are no BCD.
        {"test frequencies", kFactory, item::kTestFrequency, CTestFrequencyData::kImageOffset, test::Bytes(160, 0xAB),
         0},
    };
    return rows;
}
// clang-format on

} // namespace

class EditorRoundTripTest : public QObject {
    Q_OBJECT

private:
    using CFixture = test::CFrameFixture;

    // The row's codeplug. The odd channels a file may hold (the editor
    // fixture's) come with spacing and power codes that no list names.
    static void Prepare(CFixture& f, const CImageRow& row)
    {
        f.answer = QMessageBox::No;
        Image image = row.oddChannels ? test::WithOddChannels(f.Stored()) : f.Stored();
        f.data->LoadFromImage(test::WithBytes(image, row.at, row.bytes));
        if (row.oddChannels) {
            f.data->Channels()[5]->SetPower(0x0E);
            f.data->Channels()[5]->SetSpacing(0x0E);
        }
        f.frame->Rebuild();
    }

    // Every item the main window opens (or the row's one), on every record, each page shown once.
    static void VisitEverything(CFixture& f, int only)
    {
        std::vector<std::pair<int, int>> items;
        for (const int number : {item::kRadio, item::kKeys, item::kMiscellaneous, item::kVox, item::kMode,
                                 item::kDtmfSystem, item::kEmergency, item::kEmbedded, item::kTestFrequency,
                                 item::kChangeLog, item::kChannelList, item::kVolume, item::kMicrophone})
            items.emplace_back(number, 0);
        for (int k = 0; k < static_cast<int>(f.data->Channels().size()); ++k)
            items.emplace_back(item::kChannel, k);
        for (int k = 0; k < static_cast<int>(f.data->Personalities().size()); ++k)
            items.emplace_back(item::kPersonality, k);
        for (int k = 0; k < static_cast<int>(f.data->ScanLists().size()); ++k)
            items.emplace_back(item::kScan, k);
        for (const auto& [number, position] : items) {
            CChildFrame* child = only == 0 || only == number ? f.frame->OpenItem(number, position) : nullptr;
            if (child == nullptr)
                continue; // another item, or a kind whose view is not built
            for (CEditorSheet* sheet : child->View()->findChildren<CEditorSheet*>())
                for (int tab = 0; tab < sheet->count(); ++tab)
                    sheet->setCurrentIndex(tab);
            QCoreApplication::processEvents();
        }
        f.frame->StoreOpenViews();
        f.frame->CloseAllChildren();
    }

    // The item's window alone, opened on what the codeplug holds now (nullptr when it does not open).
    static QWidget* Reopen(CFixture& f, int number, int position)
    {
        f.frame->CloseAllChildren();
        CChildFrame* child = f.frame->OpenItem(number, position);
        return child != nullptr ? child->View() : nullptr;
    }

    static void Images()
    {
        QTest::addColumn<CImageRow>("row");
        for (const int level : {0, kFactory}) {
            const char* user = level == 0 ? "user" : "factory";
            for (const char* range : {"400-470", "136-174", "350-390"})
                QTest::addRow("%s, default %s", user, range) << CImageRow{"", level, 0, 0, {}, 0, range};
            QTest::addRow("%s, odd channels", user) << CImageRow{"", level, 0, 0, {}, 0, "400-470", true};
        }
        for (const CImageRow& row : RecordRows())
            QTest::newRow(row.name) << row;
    }

private slots:
    // Opened on every record, every page visited and stored without a
    // change, the editors keep every byte. Then every editor control of
    // every view, set as a user sets it (the first, middle and last entry;
    // nothing and typed values in an edit): the bits that change lie within
    // those the control owns, the windows hear of an edit of that control
    // only, and the window opened again shows what the control left.
    void EditorsChangeOnlyWhatTheUserChanges_data() { Images(); }
    void EditorsChangeOnlyWhatTheUserChanges()
    {
        QFETCH(CImageRow, row);
        CFixture f(row.level, 0, row.range);
        Prepare(f, row);
        const Image start = f.Stored();
        VisitEverything(f, row.item);
        const QString untouched = test::BitsOutsideOwner(start, f.Stored(), 0, 0);
        QVERIFY2(untouched.isEmpty() && f.messages.empty(), qPrintable(QStringLiteral("untouched: ") + untouched));
        std::vector<CNotification> heard;
        QObject::connect(&f.frame->Context(), &CEditorContext::Notified,
                         [&heard](const CNotification& n, QObject*) { heard.push_back(n); });
        // Each view starts from the same codeplug: references that an earlier
        // view's edit left to follow (a channel emptied) do not count against the next.
        const auto restart = [&f, &start] {
            f.frame->CloseAllChildren();
            f.data->LoadFromImage(start);
            f.frame->Rebuild();
        };
        int changing = 0;
        for (const test::CEditedArea& area : test::EditedAreas()) {
            if (row.item != 0 && row.item != area.item)
                continue;
            restart();
            // The odd channels are the first ten.
            const int records = row.oddChannels && area.item == item::kChannel ? 10 : 1;
            for (int position = 0; position < records; ++position) {
                const std::size_t base = area.start + area.recordSize * static_cast<std::size_t>(position);
                QWidget* view = Reopen(f, area.item, position);
                QVERIFY(view != nullptr);
                for (std::size_t i = 0; i < test::UserControls(*view).size(); ++i) {
                    QWidget* control = test::UserControls(*view)[i];
                    const int number = ControlNumber(control);
                    const QString where =
                        QStringLiteral("item %1, record %2, control %3 ").arg(area.item).arg(position + 1).arg(number);
                    const Image first = f.Stored();
                    bool changed = false;
                    for (const test::CUserAction& action : test::UserActions(*control)) {
                        const Image before = f.Stored();
                        heard.clear();
                        action.perform();
                        f.frame->StoreOpenViews();
                        const Image after = f.Stored();
                        const QString fault = test::BitsOutsideOwner(before, after, base, number);
                        QVERIFY2(fault.isEmpty(), qPrintable(where + action.name + QStringLiteral(": ") + fault));
                        for (const CNotification& n : heard)
                            QVERIFY2(n.kind != CNotification::Kind::Edited ||
                                         n.data == static_cast<std::uint32_t>(number),
                                     qPrintable(where + action.name));
                        changed = changed || after != before;
                    }
                    changing += changed ? 1 : 0;
                    // Read back where the control left a change; the other ranges
                    // differ from the first in their frequencies only.
                    if (f.Stored() == first || row.range != "400-470")
                        continue;
                    const QStringList shown = test::Shown(*view);
                    view = Reopen(f, area.item, position);
                    QVERIFY(view != nullptr);
                    QVERIFY2(test::Shown(*view) == shown,
                             qPrintable(where + QStringLiteral("opened again: ") + shown.join(QLatin1Char('|'))));
                }
            }
        }
        // The controls were found and set (82 of the default windows at the user level).
        QVERIFY2(row.item != 0 ? changing == row.changing : changing >= 82, qPrintable(QString::number(changing)));
        if (row.item != 0)
            return;
        // The channel list's cells own what the channel window's controls of their fields own.
        restart();
        CChildFrame* list = f.frame->OpenItem(item::kChannelList, 0);
        QVERIFY(list != nullptr);
        QAbstractItemView& grid = *static_cast<CViewChannelList*>(list->View())->Grid();
        for (int channel = 0; channel < (row.oddChannels ? 10 : 1); ++channel) {
            const std::size_t base =
                CChannelData::kTableStart + CChannelData::kRecordSize * static_cast<std::size_t>(channel);
            for (int column = 0; column < CChannelTableModel::kColumnCount; ++column) {
                for (const test::CUserAction& action : test::CellActions(grid, channel, column)) {
                    const Image before = f.Stored();
                    action.perform();
                    f.frame->StoreOpenViews();
                    const QString fault =
                        test::BitsOutsideOwner(before, f.Stored(), base, test::ControlOfColumn(column));
                    QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("channel list row %1, column %2 %3: %4")
                                                             .arg(channel + 1)
                                                             .arg(column)
                                                             .arg(action.name, fault)));
                }
            }
        }
    }
};

QRV_REGISTER_UI_TEST(EditorRoundTripTest);

} // namespace qrv

#include "test_round_trip.moc"
