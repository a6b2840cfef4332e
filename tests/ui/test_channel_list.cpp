// The channel list as a user meets it: cells typed, chosen and pasted in
// place with their messages, the tone cells following their type, the keys,
// the record commands, the clipboard, and re-entered cells that keep every byte.
#include "editor_fixture.h"
#include "editors/channel_list/channel_grid.h"
#include "editors/channel_list/channel_table_model.h"
#include "editors/channel_list/view_channel_list.h"
#include "editors/common/undo_controller.h"
#include "editors/record_navigator.h"
#include "radio_data/messages.h"
#include "records/frequency.h"
#include "ui_test_registry.h"
#include "widgets/freq_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPalette>

namespace qrv {

namespace {

using M = CChannelTableModel;
using Kind = CNotification::Kind;
using test::Bytes;
using test::Hex;

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

struct CListFixture : test::CViewFixture<CViewChannelList> {
    using CViewFixture::CViewFixture;

    void Show(int position = 0)
    {
        Open(position);
        view->resize(1300, 600);
        view->show();
        Settle();
        notifications.clear();
    }
    CChannelGrid* Grid() const { return view->Grid(); }
    QModelIndex Cell(int row, int column) const { return view->Model()->index(row, column); }
    QString Text(int row, int column) const { return Cell(row, column).data().toString(); }
    bool Editable(int row, int column) const { return (Cell(row, column).flags() & Qt::ItemIsEditable) != 0; }
    // A channel record without its link words.
    static Bytes Fields(const Image& image, int channel, int from = 4, std::size_t size = 16)
    {
        return test::BytesAt(image, test::ChannelByte(channel, from), size);
    }
    Bytes Fields(int channel, int from = 4, std::size_t size = 16) { return Fields(Stored(), channel, from, size); }

    // A click on the cell: it alone is selected and current (with Ctrl it joins the selection).
    void Click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        Grid()->scrollTo(Cell(row, column));
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, modifiers,
                          Grid()->visualRect(Cell(row, column)).center());
    }
    // Opens the cell's editor with Enter or F2, as a user does.
    QWidget* OpenEditor(int row, int column, Qt::Key key = Qt::Key_Return) const
    {
        Click(row, column);
        QTest::keyClick(Grid(), key);
        return Grid()->indexWidget(Cell(row, column));
    }
    // Chooses the text in the cell's list or types it (nullptr: Enter alone); true when the editor closed.
    bool Edit(int row, int column, const char* text) const
    {
        QWidget* editor = OpenEditor(row, column);
        if (editor != nullptr && text == nullptr)
            QTest::keyClick(editor, Qt::Key_Return);
        else if (!test::Act(editor, text))
            return false;
        Settle();
        return Grid()->indexWidget(Cell(row, column)) == nullptr;
    }
    void SelectRows(std::initializer_list<int> rows) const
    {
        Grid()->clearSelection();
        for (const int row : rows)
            Grid()->selectionModel()->select(Cell(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void Key(QKeySequence::StandardKey key) const
    {
        const QKeySequence sequence(key);
        QTest::keyClick(Grid(), static_cast<Qt::Key>(sequence[0].key()), sequence[0].keyboardModifiers());
        Settle();
    }
};

// Typed in the cell's editor, typed on the cell (the first key opens the editor over the cell's text), pasted at
// the cell or deleted with the Delete key, in channel 5 (446.05625 MHz, CTCSS 107.2, the second
// personality): the bytes from offset on, the cell's text (nullptr: not checked), the message, and which cells may
// be edited (bits: receive CTCSS, CDCSS, transmit CTCSS, CDCSS, frequency). Only a personality cell moves the
// channel off its personality; an emptied receive frequency empties the channel, and transmit a receive-only one.
enum class How { Typed, Keyed, Pasted, Deleted };
struct CListCellRow {
    const char* name;
    How how;
    int column;
    const char* text;
    int offset;
    const char *bytes, *shown;
    int message, editable = 0b10101;
};
constexpr How kTyped = How::Typed;
constexpr How kPasted = How::Pasted;
constexpr int kLeftOut = msg::kPasteLeftOut;
// clang-format off
const CListCellRow kCellRows[] = {
    {"rx CDCSS", kTyped, M::kRxType, "CDCSS", 12, "02901050", "CDCSS", 0, 0b10110},
    {"rx none", kTyped, M::kRxType, "None", 12, "10101050", "None", 0, 0b10100},
    {"tx CDCSS invert", kTyped, M::kTxType, "CDCSS Invert", 12, "105002d0", "CDCSS Invert", 0, 0b11001},
    {"typed on the cell", How::Keyed, M::kRxFrequency, "441.5", 4, "00001544", "441.50000", 0},
    {"rx deleted", How::Deleted, M::kRxFrequency, nullptr, 4, "ffffffffffffffff", "", 0, 0b00101},
    {"tx emptied", kTyped, M::kTxFrequency, "", 4, "25566044ffffffff", "", 0},
    {"CTCSS not in the table", kTyped, M::kRxCtcss, "66.6", 12, "1050", "107.2", msg::kCtcssNotInTable},
    {"pasted clamped", kPasted, M::kRxFrequency, "999.12345", 4, "00000047", "470.00000", msg::kFrequencyOutOfRange},
    {"pasted receive side", kPasted, M::kRxFrequency, "446.0052\tCDCSS\t67.0\t754\t450", 4, "00006044000000456b901050",
     nullptr, 0, 0b10110},
    {"pasted unknown power", kPasted, M::kPower, "Banana", 17, "00", "High", kLeftOut},
    {"pasted power in other case", kPasted, M::kPower, " low ", 17, "10", "Low", 0},
    {"pasted tone not in the table", kPasted, M::kRxCtcss, "66.6", 12, "1050", "107.2", kLeftOut},
    {"pasted no such personality", kPasted, M::kPersonality, "3", 18, "01", "2", kLeftOut},
    {"pasted beyond the last column", kPasted, M::kPower, "Low\t1\t1\textra", 17, "100040", nullptr, kLeftOut},
    {"pasted two lines", kPasted, M::kSpacing, "20 kHz\n25 kHz\n", 17, "0101", nullptr, 0},
};
// clang-format on

} // namespace

class ChannelListTest : public QObject {
    Q_OBJECT

private slots:
    void CellsTakeWhatIsTypedOrPasted_data() { test::AddRows(kCellRows); }
    void CellsTakeWhatIsTypedOrPasted()
    {
        QFETCH(CListCellRow, row);
        CListFixture f;
        f.data->Personalities().push_back(std::make_unique<CPersonalityData>());
        f.data->Channels()[4]->SetPersonalityPosition(1);
        f.data->Channels()[4]->ResolvePersonality(f.data->Personalities());
        f.Show();
        const QString text = QString::fromLatin1(row.text);
        if (row.how != kTyped)
            f.Click(4, row.column);
        if (row.how == How::Keyed) {
            QTest::keyClicks(f.Grid(), text.left(1));
            auto* editor = qobject_cast<QLineEdit*>(f.Grid()->indexWidget(f.Cell(4, row.column)));
            QVERIFY(editor != nullptr && editor->text() == text.left(1));
            QTest::keyClicks(editor, text.mid(1));
            QTest::keyClick(editor, Qt::Key_Return);
            Settle();
        } else if (row.how == How::Deleted) {
            QTest::keyClick(f.Grid(), Qt::Key_Delete);
        } else if (row.how == kPasted) {
            QGuiApplication::clipboard()->setText(text);
            f.Key(QKeySequence::Paste);
        } else {
            QVERIFY(f.Edit(4, row.column, row.text));
        }
        const Bytes bytes = Hex(row.bytes);
        QCOMPARE(f.Fields(4, row.offset, bytes.size()), bytes);
        if (row.offset + bytes.size() <= 18)
            QCOMPARE(f.Fields(4, 18, 1), Bytes{1});
        if (row.shown != nullptr)
            QCOMPARE(f.Text(4, row.column), QString::fromLatin1(row.shown));
        QCOMPARE(f.Text(4, M::kRxFrequency),
                 QString::fromStdString(FrequencyText(f.data->Channels()[4]->RxFrequency())));
        QCOMPARE(f.messages, row.message == 0 ? std::vector<int>{} : std::vector<int>{row.message});
        QVERIFY(row.message != 0 || f.Heard(Kind::CellEdited, CNotification::kCellEditedData));
        // A tone cell without an editor has the button face.
        const QColor button = QGuiApplication::palette().color(QPalette::Button);
        const int cells[] = {M::kRxCtcss, M::kRxCdcss, M::kTxCtcss, M::kTxCdcss, M::kTxFrequency};
        for (int bit = 0; bit < 5; ++bit) {
            const bool editable = (row.editable >> bit & 1) != 0;
            QCOMPARE(f.Editable(4, cells[bit]), editable);
            QVERIFY(bit == 4 ||
                    (f.Cell(4, cells[bit]).data(Qt::BackgroundRole).value<QBrush>().color() == button) != editable);
        }
    }

    // A cell typed but not ended is taken by a store, and when the list closes.
    void AnOpenEditorIsTaken()
    {
        CListFixture f;
        f.Show();
        for (const int row : {9, 11}) {
            auto* editor = qobject_cast<CFreqEdit*>(f.OpenEditor(row, M::kTxFrequency, Qt::Key_F2));
            QVERIFY(editor != nullptr);
            editor->selectAll();
            QTest::keyClicks(editor, QStringLiteral("450"));
            if (row == 9)
                f.view->StorePages();
            else
                f.view.reset();
            QCOMPARE(f.Fields(row, 8, 4), Hex("00000045"));
        }
    }

    // The current row follows the record commands, and the rows what changes elsewhere.
    void FollowsRecordCommandsAndChangesElsewhere()
    {
        CListFixture f;
        f.Show(5);
        for (const auto& [command, target, position] :
             {std::tuple{record_command::kPrevious, 0, 4}, std::tuple{record_command::kGoTo, 16, 4},
              std::tuple{record_command::kLast, 0, 15}, std::tuple{record_command::kDelete, 0, 14}}) {
            f.view->Navigate(command, target);
            QCOMPARE(f.Grid()->currentIndex().row(), position);
            QVERIFY(f.Grid()->selectionModel()->isRowSelected(position, QModelIndex()));
            const CNotification heard = NavigationNotification(command);
            QVERIFY(f.Heard(heard.kind, heard.data));
        }
        QCOMPARE(f.view->Model()->rowCount(), 15);
        f.view->Navigate(record_command::kGoTo, 5);
        const std::uint32_t current = f.data->Channels()[5]->TreeId();
        f.data->Channels().erase(f.data->Channels().begin());
        f.context->Notify({Kind::Deleted, 0}, nullptr);
        QCOMPARE(f.view->Model()->rowCount(), 14);
        QCOMPARE(f.data->Channels()[static_cast<std::size_t>(f.view->CurrentPosition())]->TreeId(), current);
        QCOMPARE(f.Text(0, M::kRxCtcss), QStringLiteral("97.4"));
        f.data->Channels()[2]->SetPower(1);
        f.context->Notify({Kind::Edited, 0}, nullptr);
        QCOMPARE(f.Text(2, M::kPower), QStringLiteral("Low"));
    }

    // Copied rows paste over the rows from the one selected as one step of undo, and beyond the last channel as
    // new channels up to the sixteenth; the lines after it are left out, and the user is told.
    void CopiedRowsPasteOverAndBeyondTheLastChannel()
    {
        CListFixture f;
        f.data->LoadFromImage(test::WithOddChannels(f.Stored()));
        f.data->Channels().resize(14);
        f.Show();
        f.SelectRows({1, 2});
        f.Key(QKeySequence::Copy);
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(QStringLiteral("2\t441.00500\tCTCSS\t")));
        const Image before = f.Stored();
        CUndoController undo(*f.context);
        f.SelectRows({10});
        f.Key(QKeySequence::Paste);
        const Image stored = f.Stored();
        QCOMPARE(f.Fields(stored, 10), f.Fields(stored, 1)); // receive only, on the 5 kHz raster
        QCOMPARE(f.Fields(stored, 11), f.Fields(stored, 2)); // the second personality
        QCOMPARE(f.Fields(stored, 12), f.Fields(before, 12));
        QObject::connect(&undo, &CUndoController::AboutToRestore, [&f] { f.view.reset(); });
        QVERIFY(undo.Undo());
        QVERIFY(f.Stored() == before);
        QVERIFY(!undo.CanUndo());
        f.Show();
        for (const int row : {13, 14, 15}) {
            f.SelectRows({row});
            f.Key(QKeySequence::Paste);
        }
        QCOMPARE(f.view->Model()->rowCount(), 16);
        QCOMPARE(f.data->Channels().size(), std::size_t{16});
        QVERIFY(f.Heard(Kind::Added, 0));
        for (const int row : {13, 14, 15})
            QCOMPARE(f.Fields(row), f.Fields(before, 1));
        QCOMPARE(f.messages, std::vector<int>{kLeftOut});
    }

    // What is copied are the rows and columns holding a selected cell; a value pasted fills every selected cell.
    void SelectedCellsAreCopiedAndPastedOver()
    {
        CListFixture f;
        f.Show();
        f.Click(2, M::kRxFrequency);
        f.Click(3, M::kPower, Qt::ControlModifier);
        f.Key(QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("446.03125\t\n\tHigh\n"));
        f.Click(2, M::kPower);
        f.Click(4, M::kPower, Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(QStringLiteral("Low"));
        f.Key(QKeySequence::Paste);
        for (int row = 0; row < 16; ++row)
            QCOMPARE(f.Fields(row, 17, 1), Bytes{row == 2 || row == 4 ? std::uint8_t{0x10} : std::uint8_t{0}});
    }

    // Every cell of the odd channels given its shown text again, typed and set: no byte moves.
    void ReenteredCellsKeepEveryByte()
    {
        CListFixture f;
        f.data->LoadFromImage(test::WithOddChannels(f.Stored()));
        const Image original = f.Stored();
        QCOMPARE(f.Fields(6, 12, 2), Hex("0ed0")); // the file's contents survive loading
        f.Show();
        f.view->StorePages();
        QVERIFY(f.Stored() == original);
        for (int row = 0; row < f.view->Model()->rowCount(); ++row) {
            for (int column = 0; column < M::kColumnCount; ++column) {
                if (!f.Editable(row, column))
                    continue;
                const QString where = QStringLiteral("cell %1/%2: ").arg(row).arg(column) + f.Text(row, column);
                QVERIFY2(f.Edit(row, column, nullptr), qPrintable(where));
                QVERIFY2(f.Stored() == original, qPrintable(where));
                f.view->Model()->setData(f.Cell(row, column), f.Text(row, column));
                QVERIFY2(f.Stored() == original, qPrintable(where));
            }
        }
        QVERIFY(f.messages.empty());
    }
};

QRV_REGISTER_UI_TEST(ChannelListTest);

} // namespace qrv

#include "test_channel_list.moc"
