// The data watch view as a factory user meets it: edits stored into the image
// show up byte by byte, Clear forgets them, lines and cells find each other.
#include "editors/data_watch_view.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "test_support.h"
#include "ui_test_registry.h"
#include "widgets/hex_grid.h"

#include <QDir>
#include <QHeaderView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>
#include <vector>

namespace qrv {

class DataWatchViewTest : public QObject {
    Q_OBJECT

private:
    // A new codeplug stored into the image, and a view opened on it.
    struct CFixture {
        test::CProgramDir program;
        std::unique_ptr<CRadioData> data;
        std::unique_ptr<CDataWatchView> view;

        explicit CFixture(int language = 0)
        {
            program.Settings().SelectLanguage(language);
            data = std::make_unique<CRadioData>(program.Settings());
            data->Reset();
            data->StoreToImage(data->GetImage());
            Open();
        }
        void Open() { view = std::make_unique<CDataWatchView>(*data, program.Settings()); }
        void Store() { data->StoreToImage(data->GetImage()); }
        QStringList Lines() const
        {
            QStringList lines;
            for (int i = 0; i < view->ChangeList()->count(); ++i)
                lines << view->ChangeList()->item(i)->text();
            return lines;
        }
        int ChangedCellCount() const
        {
            int count = 0;
            for (int r = 0; r < CHexGrid::kRows; ++r)
                for (int c = 0; c < CHexGrid::kColumns; ++c)
                    count += view->IsCellChanged(r, c) ? 1 : 0;
            return count;
        }
        void Click(int row, int column)
        {
            QTableWidget* grid = view->Grid();
            grid->scrollToItem(grid->item(row, column));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualItemRect(grid->item(row, column)).center());
        }
    };

    static QString Line(int offset, int oldValue, int newValue)
    {
        return QString::asprintf("$E.0x%X:%.2X->%.2X", offset, oldValue, newValue);
    }

    static int RowOf(int offset) { return offset / 16 + 1; }
    static int ColumnOf(int offset) { return offset % 16 + 1; }

private slots:
    void HeadersCellsAndTextsFollowTheLanguage()
    {
        struct Case {
            int language;
            QString offsetHeader;
            QString clear;
        };
        for (const Case& c : {Case{0, QStringLiteral("Offset"), QStringLiteral("Clear")},
                              Case{1, QString::fromUtf8("偏移"), QString::fromUtf8("清除")}}) {
            CFixture f(c.language);
            QCOMPARE(f.view->Grid()->rowCount(), 129);
            QCOMPARE(f.view->Grid()->columnCount(), 17);
            QCOMPARE(f.view->CellText(0, 0), c.offsetHeader);
            QCOMPARE(f.view->ClearButton()->text(), c.clear);
            QCOMPARE(f.view->CellText(0, 1), QStringLiteral("_0"));
            QCOMPARE(f.view->CellText(0, 11), QStringLiteral("_A"));
            QCOMPARE(f.view->CellText(0, 16), QStringLiteral("_F"));
            QCOMPARE(f.view->CellText(1, 0), QStringLiteral("F:000_"));
            QCOMPARE(f.view->CellText(27, 0), QStringLiteral("F:01A_"));
            QCOMPARE(f.view->CellText(128, 0), QStringLiteral("F:07F_"));
            // The header cells are shown in header bars that do not scroll away.
            QCOMPARE(f.view->Grid()->horizontalHeaderItem(1)->text(), QStringLiteral("_0"));
            QCOMPARE(f.view->Grid()->horizontalHeaderItem(16)->text(), QStringLiteral("_F"));
            QCOMPARE(f.view->Grid()->verticalHeaderItem(1)->text(), QStringLiteral("F:000_"));
            QCOMPARE(f.view->Grid()->verticalHeaderItem(128)->text(), QStringLiteral("F:07F_"));
            QCOMPARE(f.view->Grid()->verticalHeader()->width(), 66);
        }
        CFixture f;
        const Image& image = f.data->GetImage();
        for (const int offset : {0x000, 0x005, 0x339, 0x580, 0x7FF}) {
            const QString expected = QString::asprintf("%.2X", image[static_cast<std::size_t>(offset)]);
            QCOMPARE(f.view->CellText(RowOf(offset), ColumnOf(offset)), expected);
        }
        QCOMPARE(f.view->CellText(RowOf(0x339), ColumnOf(0x339)), QStringLiteral("08")); // the store marker
        QCOMPARE(f.ChangedCellCount(), 0);
        QCOMPARE(f.view->ChangeList()->count(), 0);

        struct Control {
            QWidget* widget;
            int number;
        };
        for (const Control& c : {Control{f.view->Grid(), CDataWatchView::kGrid},
                                 Control{f.view->ChangeList(), CDataWatchView::kChangeList},
                                 Control{f.view->ClearButton(), CDataWatchView::kClearButton},
                                 Control{f.view.get(), CDataWatchView::kForm}})
            QCOMPARE(c.widget->property("controlNumber").toInt(), c.number);
        const QPlainTextEdit* details = nullptr;
        for (const QPlainTextEdit* edit : f.view->findChildren<QPlainTextEdit*>())
            if (edit->property("controlNumber").toInt() == CDataWatchView::kDetails)
                details = edit;
        QVERIFY(details != nullptr);
        QVERIFY(details->isReadOnly());
    }

    void AReceiveFrequencyChangeListsTheBytesOfItsChannel()
    {
        CFixture f;
        constexpr std::size_t kChannel = 3;
        CChannelData& channel = *f.data->Channels()[kChannel];
        const auto before = channel.Record();
        CChannelEditRecord edit;
        channel.FillEditRecord(edit);
        edit.rxFrequency = 0x46512500; // 465.12500 MHz
        channel.TakeEditRecord(edit, f.data->Identity().Band());
        QCOMPARE(channel.RxFrequency(), 0x46512500U);
        const auto after = channel.Record();

        const int recordStart = CChannelData::kTableStart + static_cast<int>(CChannelData::kRecordSize * kChannel);
        QStringList expected;
        std::vector<int> offsets;
        for (std::size_t k = 0; k < before.size(); ++k) {
            if (before[k] != after[k]) {
                offsets.push_back(recordStart + static_cast<int>(k));
                expected << Line(offsets.back(), before[k], after[k]);
            }
        }
        QVERIFY(!expected.isEmpty());

        f.Store();
        f.view->Refresh();
        QCOMPARE(f.Lines(), expected);
        for (std::size_t i = 0; i < offsets.size(); ++i) {
            const int offset = offsets[i];
            QVERIFY(f.view->IsCellChanged(RowOf(offset), ColumnOf(offset)));
            QCOMPARE(f.view->CellText(RowOf(offset), ColumnOf(offset)),
                     QString::asprintf("%.2X", after[static_cast<std::size_t>(offset - recordStart)]));
        }
        QCOMPARE(f.ChangedCellCount(), static_cast<int>(offsets.size()));
        // The last change is the focus cell and its texts are shown.
        QCOMPARE(f.view->Grid()->currentRow(), RowOf(offsets.back()));
        QCOMPARE(f.view->Grid()->currentColumn(), ColumnOf(offsets.back()));
        QVERIFY(f.view->DetailsText().startsWith(QString::asprintf("$E.0x%X:", offsets.back())));

        f.Store();
        f.view->Refresh();
        QCOMPARE(f.Lines(), expected);
        QCOMPARE(f.ChangedCellCount(), static_cast<int>(offsets.size()));
    }

    void ClearForgetsTheLinesButKeepsTheSnapshot()
    {
        CFixture f;
        f.data->Channels()[0]->SetRxFrequency(0x44012500);
        f.Store();
        f.view->Refresh();
        QVERIFY(f.view->ChangeList()->count() > 0);
        const QString lastLine = f.Lines().last();
        QCOMPARE(f.ChangedCellCount(), f.view->ChangeList()->count());

        QTest::mouseClick(f.view->ClearButton(), Qt::LeftButton);
        QCOMPARE(f.view->ChangeList()->count(), 0);
        QCOMPARE(f.ChangedCellCount(), 0);
        QVERIFY(f.view->DetailsText().isEmpty());
        // The cells keep showing the image.
        QCOMPARE(f.view->CellText(RowOf(0x584), ColumnOf(0x584)), QStringLiteral("00"));

        f.view->Refresh();
        QCOMPARE(f.view->ChangeList()->count(), 0);
        QCOMPARE(f.ChangedCellCount(), 0);

        // Only what changed after the last refresh comes back.
        f.data->GetImage()[0x7F0] = static_cast<std::uint8_t>(f.data->GetImage()[0x7F0] ^ 0x81);
        const int newValue = f.data->GetImage()[0x7F0];
        f.view->Refresh();
        QCOMPARE(f.Lines(), QStringList{Line(0x7F0, newValue ^ 0x81, newValue)});
        QVERIFY(!f.Lines().contains(lastLine));
        QCOMPARE(f.ChangedCellCount(), 1);
        QVERIFY(f.view->IsCellChanged(128, 1));
    }

    void SelectingALineShowsItsTexts()
    {
        struct Case {
            int offset;
            std::uint8_t oldValue;
            std::uint8_t newValue;
            QString line;
            QString details;
        };
        const std::vector<Case> cases{
            {0x005, 0xFF, 0x00, QStringLiteral("$E.0x5:FF->00"),
             QStringLiteral("$E.0x5:255->00\n$E.0x5:11111111\n->00000000")},
            {0x1A5, 0x0F, 0x10, QStringLiteral("$E.0x1A5:0F->10"),
             QStringLiteral("$E.0x1A5:15->16\n$E.0x1A5:00001111\n->00010000")},
            {0x7FF, 0x01, 0xA0, QStringLiteral("$E.0x7FF:01->A0"),
             QStringLiteral("$E.0x7FF:01->160\n$E.0x7FF:00000001\n->10100000")},
        };
        CFixture f;
        for (const Case& c : cases)
            f.data->GetImage()[static_cast<std::size_t>(c.offset)] = c.oldValue;
        f.Open();
        for (const Case& c : cases)
            f.data->GetImage()[static_cast<std::size_t>(c.offset)] = c.newValue;
        f.view->Refresh();
        QCOMPARE(f.view->ChangeList()->count(), static_cast<int>(cases.size()));
        // After a refresh the details are those of the last line.
        QCOMPARE(f.view->DetailsText(), cases.back().details);
        for (int i = 0; i < static_cast<int>(cases.size()); ++i) {
            const Case& c = cases[static_cast<std::size_t>(i)];
            QCOMPARE(f.view->ChangeList()->item(i)->text(), c.line);
            f.view->ChangeList()->setCurrentRow(i == 0 ? 1 : 0);
            f.view->ChangeList()->setCurrentRow(i);
            QCOMPARE(f.view->DetailsText(), c.details);
            QCOMPARE(f.view->Grid()->currentRow(), RowOf(c.offset));
            QCOMPARE(f.view->Grid()->currentColumn(), ColumnOf(c.offset));
        }
    }

    void LinesBeyondTheHundredAndTwentyNinthShowTheirTexts()
    {
        CFixture f;
        for (int offset = 0; offset < 200; ++offset)
            f.data->GetImage()[static_cast<std::size_t>(offset)] =
                static_cast<std::uint8_t>(~f.data->GetImage()[static_cast<std::size_t>(offset)]);
        f.view->Refresh();
        QCOMPARE(f.view->ChangeList()->count(), 200);
        f.view->ChangeList()->setCurrentRow(150);
        QVERIFY(f.view->DetailsText().startsWith(QStringLiteral("$E.0x96:")));
        QCOMPARE(f.view->Grid()->currentRow(), RowOf(150));
        QCOMPARE(f.view->Grid()->currentColumn(), ColumnOf(150));
    }

    void ClickingACellSelectsItsFirstLine()
    {
        CFixture f;
        f.view->resize(f.view->sizeHint());
        f.view->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.view.get()));
        Image& image = f.data->GetImage();
        // 0x123 changes twice, so its cell names two lines.
        image[0x123] = static_cast<std::uint8_t>(image[0x123] ^ 0x01);
        image[0x640] = static_cast<std::uint8_t>(image[0x640] ^ 0x10);
        f.view->Refresh();
        image[0x123] = static_cast<std::uint8_t>(image[0x123] ^ 0x02);
        f.view->Refresh();
        QCOMPARE(f.view->ChangeList()->count(), 3);

        struct Case {
            int offset;
            int line; // -1: no line
        };
        for (const Case c : {Case{0x640, 1}, Case{0x123, 0}, Case{0x124, -1}, Case{0x640, 1}, Case{0x000, -1}}) {
            f.Click(RowOf(c.offset), ColumnOf(c.offset));
            const QList<QListWidgetItem*> selected = f.view->ChangeList()->selectedItems();
            if (c.line < 0) {
                QVERIFY(selected.isEmpty());
            } else {
                QCOMPARE(selected.size(), 1);
                QCOMPARE(f.view->ChangeList()->row(selected.first()), c.line);
                QVERIFY(f.view->DetailsText().startsWith(QString::asprintf("$E.0x%X:", c.offset)));
            }
        }
    }

    void Screenshot()
    {
        QDir().mkpath(QStringLiteral(QRV_SCREENSHOT_DIR));
        CFixture f;
        f.data->Channels()[1]->SetRxFrequency(0x44612500);
        f.Store();
        f.view->resize(f.view->sizeHint());
        f.view->show();
        f.view->Refresh();
        QCoreApplication::processEvents();
        QVERIFY(f.view->grab().save(QStringLiteral(QRV_SCREENSHOT_DIR "/data_watch_view.png")));
    }
};

} // namespace qrv

namespace qrv {
QRV_REGISTER_UI_TEST(DataWatchViewTest);
} // namespace qrv

#include "test_data_watch_view.moc"
