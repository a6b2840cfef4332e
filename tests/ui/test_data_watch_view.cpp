// The data watch view as a factory user meets it: edits stored into the image
// show up byte by byte, Clear forgets them, lines and cells find each other.
#include "editor_fixture.h"
#include "editors/data_watch_view.h"
#include "ui_test_registry.h"
#include "widgets/hex_grid.h"

#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>
#include <vector>

namespace qrv {

namespace {

// The default codeplug stored into the image, and a view opened on it.
struct CFixture : test::CEditorFixture {
    std::unique_ptr<CDataWatchView> view;

    CFixture()
    {
        data->StoreToImage(data->GetImage());
        Open();
    }
    void Open() { view = std::make_unique<CDataWatchView>(*data, Settings()); }
    std::uint8_t& Byte(int offset) { return data->GetImage()[static_cast<std::size_t>(offset)]; }
    int Lines() const { return view->ChangeList()->count(); }
    // The offsets of the cells marked as changed.
    std::vector<int> ChangedCells() const
    {
        std::vector<int> offsets;
        for (int r = 1; r < CHexGrid::kRows; ++r)
            for (int c = 1; c < CHexGrid::kColumns; ++c)
                if (view->IsCellChanged(r, c))
                    offsets.push_back((r - 1) * 16 + c - 1);
        return offsets;
    }
    QString CellOf(int offset) const { return view->CellText(offset / 16 + 1, offset % 16 + 1); }
    bool CurrentCellIs(int offset) const
    {
        return view->Grid()->currentRow() == offset / 16 + 1 && view->Grid()->currentColumn() == offset % 16 + 1;
    }
};

} // namespace

class DataWatchViewTest : public QObject {
    Q_OBJECT

private slots:
    // Changed bytes are listed and their cells marked, the last one current,
    // until Clear (the lines, and what each refresh lists: the change log's
    // tests). A line selected shows its value and bit texts and makes its
    // byte's cell current; a cell clicked selects its first line, or none.
    // Lines beyond the grid's row count find their cells too.
    void ChangesAreListedAndFindTheirCells()
    {
        CFixture f;
        const QString changed = QString::asprintf("%.2X", f.Byte(0x584) ^ 0x11);
        f.Byte(0x584) ^= 0x11;
        f.Byte(0x587) ^= 0x01;
        f.view->Refresh();
        QCOMPARE(f.Lines(), 2);
        QCOMPARE(f.ChangedCells(), (std::vector<int>{0x584, 0x587}));
        QCOMPARE(f.CellOf(0x584), changed);
        QVERIFY(f.CurrentCellIs(0x587));
        QVERIFY(f.view->DetailsText().startsWith(QStringLiteral("$E.0x587:")));
        QTest::mouseClick(f.view->ClearButton(), Qt::LeftButton);
        QVERIFY(f.Lines() == 0 && f.ChangedCells().empty() && f.view->DetailsText().isEmpty());
        QCOMPARE(f.CellOf(0x584), changed); // the cells keep showing the image

        f.Byte(0x1A5) = 0x0F;
        f.Open();
        f.view->resize(f.view->sizeHint());
        f.view->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.view.get()));
        for (int offset = 0; offset < 200; ++offset)
            f.Byte(offset) = static_cast<std::uint8_t>(~f.Byte(offset));
        f.Byte(0x1A5) = 0x10;
        f.view->Refresh();
        f.Byte(0x1A5) = 0x11; // its cell names two lines
        f.view->Refresh();
        QCOMPARE(f.Lines(), 202);
        QVERIFY(f.view->DetailsText().startsWith(QStringLiteral("$E.0x1A5:16->17"))); // the last line's
        for (const int row : {150, 0, 200}) {
            f.view->ChangeList()->setCurrentRow(row);
            const int offset = row == 200 ? 0x1A5 : row;
            QVERIFY(f.view->DetailsText().startsWith(QString::asprintf("$E.0x%X:", offset)));
            QVERIFY(f.CurrentCellIs(offset));
        }
        QCOMPARE(f.view->DetailsText(), QStringLiteral("$E.0x1A5:15->16\n$E.0x1A5:00001111\n->00010000"));
        QTableWidget* grid = f.view->Grid();
        for (const auto& [offset, line] : {std::pair{0x064, 100}, std::pair{0x300, -1}, std::pair{0x1A5, 200}}) {
            QTableWidgetItem* cell = grid->item(offset / 16 + 1, offset % 16 + 1);
            grid->scrollToItem(cell);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(cell).center());
            const QList<QListWidgetItem*> selected = f.view->ChangeList()->selectedItems();
            QCOMPARE(selected.size(), line < 0 ? 0 : 1);
            QVERIFY(line < 0 || f.view->ChangeList()->row(selected.first()) == line);
        }
    }
};

QRV_REGISTER_UI_TEST(DataWatchViewTest);

} // namespace qrv

#include "test_data_watch_view.moc"
