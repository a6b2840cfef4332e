// Opening every editor on every record, visiting every page and storing,
// without the user changing anything, must leave every byte of the codeplug
// as it was; and setting one control as a user does must change only the
// bits that control owns. Both on the default images of each range and on an
// image with unusual contents, below and at the factory level.
#include "control_ownership.h"
#include "editors/channel_list/channel_grid.h"
#include "editors/channel_list/view_channel_list.h"
#include "editors/common/editor_sheet.h"
#include "frame_fixture.h"

namespace qrv {

class EditorRoundTripTest : public QObject {
    Q_OBJECT

private:
    using CFixture = test::CFrameFixture;
    // The odd channels a file may hold (the editor fixture's), and spacing and
    // power codes that no list names.
    static void Prepare(CFixture& f, bool unusual)
    {
        f.answer = QMessageBox::No;
        if (!unusual)
            return;
        f.data->LoadFromImage(test::WithOddChannels(f.Stored()));
        f.data->Channels()[5]->SetPower(0x0E);
        f.data->Channels()[5]->SetSpacing(0x0E);
        f.frame->Rebuild();
    }

    // Every item the main window opens, on every record, each page shown once.
    static void VisitEverything(CFixture& f)
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
            CChildFrame* child = f.frame->OpenItem(number, position);
            if (child == nullptr)
                continue; // a kind whose view is not built
            for (CEditorSheet* sheet : child->View()->findChildren<CEditorSheet*>())
                for (int tab = 0; tab < sheet->count(); ++tab)
                    sheet->setCurrentIndex(tab);
            QCoreApplication::processEvents();
        }
        f.frame->StoreOpenViews();
        f.frame->CloseAllChildren();
    }

    // Does what a user does, stores the windows as a save does, and says which
    // changed bits the control does not own (empty when none).
    static QString Perform(CFixture& f, const test::CUserAction& action, std::size_t base, int control)
    {
        const Image before = f.Stored();
        action.perform();
        f.frame->StoreOpenViews();
        return test::BitsOutsideOwner(before, f.Stored(), base, control);
    }

    static void Images()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("range");
        QTest::addColumn<bool>("unusual");
        for (const int level : {0, CSettings::kFactoryLevel}) {
            for (const char* range : {"400-470", "136-174", "350-390"})
                QTest::addRow("level %d, default %s", level, range) << level << QString::fromLatin1(range) << false;
            QTest::addRow("level %d, unusual", level) << level << QStringLiteral("400-470") << true;
        }
    }

private slots:
    void UntouchedEditorsChangeNoByte_data() { Images(); }
    void UntouchedEditorsChangeNoByte()
    {
        QFETCH(int, level);
        QFETCH(QString, range);
        QFETCH(bool, unusual);
        CFixture f(level, 0, range.toStdString());
        Prepare(f, unusual);
        const Image before = f.Stored();
        VisitEverything(f);
        const QString fault = test::BitsOutsideOwner(before, f.Stored(), 0, 0);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY(f.messages.empty());
    }

    // Every editor control of every view, set as a user sets it (the first,
    // middle and last entry; typed values and an empty one in an edit): the
    // bits that change lie within those the control owns.
    void EachControlChangesOnlyItsOwnBits_data() { Images(); }
    void EachControlChangesOnlyItsOwnBits()
    {
        QFETCH(int, level);
        QFETCH(QString, range);
        QFETCH(bool, unusual);
        CFixture f(level, 0, range.toStdString());
        Prepare(f, unusual);
        // Each view starts from the same codeplug: references that an earlier
        // view's edit left to follow (a channel emptied) do not count against the next.
        const Image start = f.Stored();
        const auto restart = [&f, &start] {
            f.frame->CloseAllChildren();
            f.data->LoadFromImage(start);
            f.frame->Rebuild();
        };
        int actions = 0;
        for (const test::CEditedArea& area : test::EditedAreas()) {
            restart();
            // The odd channels are the first ten.
            const int records = unusual && area.item == item::kChannel ? 10 : 1;
            for (int position = 0; position < records; ++position) {
                CChildFrame* child = f.frame->OpenItem(area.item, position);
                QVERIFY(child != nullptr);
                const std::size_t base = area.start + area.recordSize * static_cast<std::size_t>(position);
                for (QWidget* control : child->View()->findChildren<QWidget*>()) {
                    for (const test::CUserAction& action : test::UserActions(*control)) {
                        const QString fault = Perform(f, action, base, ControlNumber(control));
                        QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("item %1, record %2, control %3 %4: %5")
                                                                 .arg(area.item)
                                                                 .arg(position + 1)
                                                                 .arg(ControlNumber(control))
                                                                 .arg(action.name, fault)));
                        ++actions;
                    }
                }
                f.frame->CloseAllChildren();
            }
        }
        // The channel list's cells own what the channel window's controls of their fields own.
        restart();
        CChildFrame* list = f.frame->OpenItem(item::kChannelList, 0);
        QVERIFY(list != nullptr);
        QAbstractItemView& grid = *static_cast<CViewChannelList*>(list->View())->Grid();
        for (int row = 0; row < (unusual ? 10 : 1); ++row) {
            const std::size_t base =
                CChannelData::kTableStart + CChannelData::kRecordSize * static_cast<std::size_t>(row);
            for (int column = 0; column < CChannelTableModel::kColumnCount; ++column) {
                for (const test::CUserAction& action : test::CellActions(grid, row, column)) {
                    const QString fault = Perform(f, action, base, test::ControlOfColumn(column));
                    QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("channel list row %1, column %2 %3: %4")
                                                             .arg(row + 1)
                                                             .arg(column)
                                                             .arg(action.name, fault)));
                    ++actions;
                }
            }
        }
        QVERIFY(actions > 200); // the controls were found and set
    }
};

QRV_REGISTER_UI_TEST(EditorRoundTripTest);

} // namespace qrv

#include "test_round_trip.moc"
