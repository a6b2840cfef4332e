// The channel list as a user meets it: cells typed and chosen in place, the
// tone cells following their type, the record commands, the clipboard and the
// keys, and the bytes a save writes afterwards.
#include "editor_fixture.h"
#include "editors/channel_list/channel_grid.h"
#include "editors/channel_list/channel_table_model.h"
#include "editors/channel_list/view_channel_list.h"
#include "editors/common/undo_controller.h"
#include "editors/record_navigator.h"
#include "radio_data/messages.h"
#include "ui_test_registry.h"
#include "widgets/freq_edit.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPalette>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

namespace qrv {

namespace {

using M = CChannelTableModel;

constexpr int kTable = 0x580;
constexpr int kRecordSize = 20;
constexpr int kMaxChannels = 16;
constexpr int kOutOfRange = msg::kFrequencyOutOfRange;
constexpr int kLeftOut = msg::kPasteLeftOut;
constexpr int kCtcssRefused = msg::kCtcssNotInTable;
constexpr int kCdcssRefused = msg::kCdcssNotInTable;

int At(int channel, int offset)
{
    return kTable + kRecordSize * channel + offset;
}

QByteArray Bytes(const Image& image, int offset, int count)
{
    return QByteArray(reinterpret_cast<const char*>(image.data() + offset), count);
}

// A channel record without its link words.
QByteArray Fields(const Image& image, int channel)
{
    return Bytes(image, At(channel, 4), kRecordSize - 4);
}

int FirstDifference(const Image& a, const Image& b)
{
    const auto [left, right] = std::mismatch(a.begin(), a.end(), b.begin());
    return left == a.end() ? -1 : static_cast<int>(left - a.begin());
}

bool Has(const std::vector<CNotification>& notifications, CNotification::Kind kind, std::uint32_t data)
{
    return std::any_of(notifications.begin(), notifications.end(),
                       [&](const CNotification& n) { return n.kind == kind && n.data == data; });
}

int CountOf(const std::vector<CNotification>& notifications, CNotification::Kind kind)
{
    return static_cast<int>(std::count_if(notifications.begin(), notifications.end(),
                                          [&](const CNotification& n) { return n.kind == kind; }));
}

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// A codeplug loaded for editing and a channel list on it that hears every
// notification, as the main window makes it.
struct CListFixture : test::CEditorFixture {
    using CEditorFixture::CEditorFixture;
    std::unique_ptr<CViewChannelList> view;

    void Open(int position = 0)
    {
        view = std::make_unique<CViewChannelList>(*context, position);
        QObject::connect(context.get(), &CEditorContext::Notified, view.get(),
                         [v = view.get()](const CNotification& n, QObject* origin) { v->OnNotification(n, origin); });
        view->resize(1300, 600);
        view->show();
        Settle();
        notifications.clear();
        messages.clear();
    }
    CChannelGrid* Grid() const { return view->Grid(); }
    M* Model() const { return view->Model(); }
    QModelIndex Cell(int row, int column) const { return Model()->index(row, column); }
    QString Text(int row, int column) const { return Cell(row, column).data().toString(); }
    bool Editable(int row, int column) const { return (Cell(row, column).flags() & Qt::ItemIsEditable) != 0; }
    int Count() const { return static_cast<int>(data->Channels().size()); }
    // Another window changed something: the list hears it as the main window passes it on.
    void ChangedElsewhere(CNotification::Kind kind) { context->Notify({kind, 0}, nullptr); }

    // Opens the cell's editor with F2, as a user does.
    QWidget* OpenEditor(int row, int column)
    {
        Click(row, column);
        QTest::keyClick(Grid(), Qt::Key_F2);
        return Grid()->indexWidget(Cell(row, column));
    }

    // Types the text into the cell's editor (or chooses it from the list) and presses Enter.
    bool Edit(int row, int column, const QString& text)
    {
        QWidget* editor = OpenEditor(row, column);
        if (editor == nullptr)
            return false;
        if (auto* combo = qobject_cast<QComboBox*>(editor); combo != nullptr && !combo->isEditable()) {
            const int index = combo->findText(text);
            if (index < 0)
                return false;
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        } else {
            auto* line = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(editor);
            line->selectAll();
            QTest::keyClick(editor, Qt::Key_Delete);
            QTest::keyClicks(editor, text);
            QTest::keyClick(editor, Qt::Key_Return);
        }
        Settle();
        return Grid()->indexWidget(Cell(row, column)) == nullptr;
    }

    // The editor opened and left with Enter without a change.
    bool ReEnter(int row, int column)
    {
        QWidget* editor = OpenEditor(row, column);
        if (editor == nullptr)
            return false;
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
        return Grid()->indexWidget(Cell(row, column)) == nullptr;
    }

    // A click on the cell: it alone is selected and current (with Ctrl it joins the selection).
    void Click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Grid()->scrollTo(Cell(row, column));
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, modifiers,
                          Grid()->visualRect(Cell(row, column)).center());
    }

    void SelectRows(std::initializer_list<int> rows)
    {
        Grid()->clearSelection();
        for (const int row : rows)
            Grid()->selectionModel()->select(Cell(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    void Key(QKeySequence::StandardKey key)
    {
        const QKeySequence sequence(key);
        QTest::keyClick(Grid(), static_cast<Qt::Key>(sequence[0].key()), sequence[0].keyboardModifiers());
        Settle();
    }

    // A second valid personality, so that the personality cells have a choice.
    void AddPersonality() { data->Personalities().push_back(std::make_unique<CPersonalityData>()); }

    // Channel records changed in the image and loaded again, as a file with such contents would.
    void LoadWith(const std::function<void(Image&)>& change)
    {
        Image image = Stored();
        change(image);
        data->LoadFromImage(image);
        data->AfterLoad();
    }
};

void PutRecordBytes(Image& image, int channel, int offset, const QByteArray& bytes)
{
    std::copy(bytes.begin(), bytes.end(), image.begin() + At(channel, offset));
}

// Odd but legal channels: every tone type, tone bits the program never edits,
// a receive-only channel on the 5 kHz raster, the range limits, extended
// tones, flag bits beside auto start scan, the second personality, and a
// personality that does not exist.
void MakeOddChannels(Image& image)
{
    PutRecordBytes(image, 0, 12, QByteArray::fromHex("6bc0bc2a")); // RX CDCSS invert 754, TX none with stray bits
    PutRecordBytes(image, 0, 17, QByteArray::fromHex("1200bf"));   // 25 kHz, low power, flags but auto scan
    PutRecordBytes(image, 1, 4, QByteArray::fromHex("00051044ffffffff")); // 441.00500 receive only
    PutRecordBytes(image, 1, 16, QByteArray::fromHex("f2"));              // receive step code 2
    PutRecordBytes(image, 2, 18, QByteArray::fromHex("0140"));            // second personality, auto scan
    PutRecordBytes(image, 3, 4, QByteArray::fromHex("0000004000000047")); // 400 and 470 MHz
    PutRecordBytes(image, 4, 12, QByteArray::fromHex("01800140"));        // extended tones 017 and 63.0, bit 12 clear
    PutRecordBytes(image, 5, 18, QByteArray::fromHex("05"));              // no such personality
    PutRecordBytes(image, 6, 12, QByteArray::fromHex("0ed00e50"));        // RX CDCSS invert 026 with bit 12
    PutRecordBytes(image, 7, 4, QByteArray::fromHex("0000004400000044")); // 440 MHz, on both rasters,
    PutRecordBytes(image, 7, 16, QByteArray::fromHex("22"));              // with the 5 kHz step codes
}

} // namespace

class ChannelListTest : public QObject {
    Q_OBJECT

private slots:
    void RowsShowEveryChannel_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("number") << 0 << M::kNumber << "1";
        QTest::newRow("receive frequency") << 0 << M::kRxFrequency << "446.00625";
        QTest::newRow("receive type") << 0 << M::kRxType << "CTCSS";
        QTest::newRow("receive CTCSS") << 0 << M::kRxCtcss << "94.8";
        QTest::newRow("receive CDCSS unused") << 0 << M::kRxCdcss << "023";
        QTest::newRow("transmit frequency") << 1 << M::kTxFrequency << "446.01875";
        QTest::newRow("transmit CTCSS") << 1 << M::kTxCtcss << "97.4";
        QTest::newRow("spacing") << 2 << M::kSpacing << "12.5 kHz";
        QTest::newRow("power") << 2 << M::kPower << "High";
        QTest::newRow("personality") << 3 << M::kPersonality << "1";
        QTest::newRow("no auto scan") << 14 << M::kAutoStartScan << "0";
        QTest::newRow("auto scan of the last") << 15 << M::kAutoStartScan << "1";
        QTest::newRow("last number") << 15 << M::kNumber << "16";
        QTest::newRow("last CTCSS") << 15 << M::kRxCtcss << "156.7";
    }

    void RowsShowEveryChannel()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        CListFixture f;
        f.Open();
        QCOMPARE(f.Model()->rowCount(), kMaxChannels);
        QCOMPARE(f.Text(row, column), text);
    }

    void HeadersComeFromTheLanguageFile()
    {
        CListFixture f;
        f.Open();
        const auto header = [&](int column) { return f.Model()->headerData(column, Qt::Horizontal).toString(); };
        QCOMPARE(header(M::kNumber), QStringLiteral("No."));
        QCOMPARE(header(M::kRxType), QStringLiteral("RX Type"));
        QCOMPARE(header(M::kTxCdcss), QStringLiteral("CDCSS"));
        QCOMPARE(header(M::kPersonality), QStringLiteral("Personality List"));
        QCOMPARE(header(M::kAutoStartScan), QStringLiteral("Auto Start Scan"));
        f.Settings().SelectLanguage(1);
        QCOMPARE(header(M::kNumber), QStringLiteral("序号"));
        QCOMPARE(header(M::kRxFrequency), QStringLiteral("接收频率[MHz]"));
    }

    void ToneCellsFollowTheTypeAtOnce_data()
    {
        QTest::addColumn<int>("typeColumn");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("ctcssEditable");
        QTest::addColumn<bool>("cdcssEditable");
        QTest::addColumn<QByteArray>("toneWord");
        // Bit 12 of the default tone words is set and stays.
        QTest::newRow("receive CDCSS") << M::kRxType << "CDCSS" << false << true << QByteArray::fromHex("0290");
        QTest::newRow("receive none") << M::kRxType << "None" << false << false << QByteArray::fromHex("0e10");
        QTest::newRow("transmit CDCSS invert")
            << M::kTxType << "CDCSS Invert" << false << true << QByteArray::fromHex("02d0");
        QTest::newRow("transmit CTCSS again") << M::kTxType << "CTCSS" << true << false << QByteArray::fromHex("0e50");
    }

    void ToneCellsFollowTheTypeAtOnce()
    {
        QFETCH(int, typeColumn);
        QFETCH(QString, type);
        QFETCH(bool, ctcssEditable);
        QFETCH(bool, cdcssEditable);
        QFETCH(QByteArray, toneWord);
        CListFixture f;
        f.Open();
        QVERIFY(f.Edit(2, typeColumn, type));
        const int ctcss = typeColumn + 1;
        const int cdcss = typeColumn + 2;
        QCOMPARE(f.Text(2, typeColumn), type);
        QCOMPARE(f.Editable(2, ctcss), ctcssEditable);
        QCOMPARE(f.Editable(2, cdcss), cdcssEditable);
        // A cell without an editor has the button face.
        const QColor button = QGuiApplication::palette().color(QPalette::Button);
        QCOMPARE(f.Cell(2, ctcss).data(Qt::BackgroundRole).value<QBrush>().color() == button, !ctcssEditable);
        QCOMPARE(f.Cell(2, cdcss).data(Qt::BackgroundRole).value<QBrush>().color() == button, !cdcssEditable);
        QCOMPARE(f.OpenEditor(2, cdcss) != nullptr, cdcssEditable);
        f.view->StorePages();
        const int offset = typeColumn == M::kRxType ? 12 : 14;
        QCOMPARE(Bytes(f.Stored(), At(2, offset), 2), toneWord);
        // The other rows are untouched.
        QCOMPARE(f.Editable(3, ctcss), true);
    }

    void EditedCellsAreStoredAndKeepThePersonality_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("personality");
        QTest::newRow("receive frequency") << M::kRxFrequency << "440.5" << 4 << QByteArray::fromHex("00000544") << 1;
        QTest::newRow("5 kHz raster") << M::kTxFrequency << "440.505" << 8 << QByteArray::fromHex("00050544") << 1;
        QTest::newRow("step codes") << M::kTxFrequency << "440.505" << 16 << QByteArray::fromHex("23") << 1;
        QTest::newRow("receive CTCSS") << M::kRxCtcss << "100.0" << 12 << QByteArray::fromHex("0e50") << 1;
        QTest::newRow("transmit CTCSS") << M::kTxCtcss << "254.1" << 14 << QByteArray::fromHex("3350") << 1;
        QTest::newRow("spacing") << M::kSpacing << "25 kHz" << 17 << QByteArray::fromHex("02") << 1;
        QTest::newRow("power") << M::kPower << "Low" << 17 << QByteArray::fromHex("10") << 1;
        QTest::newRow("auto start scan") << M::kAutoStartScan << "1" << 19 << QByteArray::fromHex("40") << 1;
        QTest::newRow("personality itself") << M::kPersonality << "1" << 18 << QByteArray::fromHex("00") << 0;
    }

    void EditedCellsAreStoredAndKeepThePersonality()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(int, personality);
        CListFixture f;
        f.AddPersonality();
        f.LoadWith([](Image& image) { image[static_cast<std::size_t>(At(4, 18))] = 1; });
        f.Open();
        QCOMPARE(f.Text(4, M::kPersonality), QStringLiteral("2"));

        QVERIFY(f.Edit(4, column, text));

        const Image stored = f.Stored();
        QCOMPARE(Bytes(stored, At(4, offset), static_cast<int>(bytes.size())), bytes);
        QCOMPARE(int(stored[static_cast<std::size_t>(At(4, 18))]), personality);
        QVERIFY(Has(f.notifications, CNotification::Kind::CellEdited, CNotification::kCellEditedData));
        QVERIFY(f.messages.empty());
    }

    void TypingStartsEditingTheCurrentCell()
    {
        CListFixture f;
        f.Open();
        f.Click(3, M::kRxFrequency);
        QTest::keyClick(f.Grid(), Qt::Key_4);
        auto* editor = qobject_cast<CFreqEdit*>(f.Grid()->indexWidget(f.Cell(3, M::kRxFrequency)));
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QStringLiteral("4")); // the shown text is typed over
        QTest::keyClicks(editor, QStringLiteral("41.5"));
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
        QCOMPARE(f.Text(3, M::kRxFrequency), QStringLiteral("441.50000"));
        QCOMPARE(Bytes(f.Stored(), At(3, 4), 4), QByteArray::fromHex("00001544"));

        // Enter opens the editor as F2 does.
        f.Click(3, M::kPower);
        QTest::keyClick(f.Grid(), Qt::Key_Return);
        QVERIFY(qobject_cast<QComboBox*>(f.Grid()->indexWidget(f.Cell(3, M::kPower))) != nullptr);
    }

    void KeysMoveTheCurrentCell_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("right") << int(Qt::Key_Right) << 5 << M::kRxCtcss;
        QTest::newRow("left") << int(Qt::Key_Left) << 5 << M::kRxFrequency;
        QTest::newRow("down") << int(Qt::Key_Down) << 6 << M::kRxType;
        QTest::newRow("up") << int(Qt::Key_Up) << 4 << M::kRxType;
        QTest::newRow("tab") << int(Qt::Key_Tab) << 5 << M::kRxCtcss;
        QTest::newRow("home") << int(Qt::Key_Home) << 5 << M::kNumber;
        QTest::newRow("end") << int(Qt::Key_End) << 5 << M::kAutoStartScan;
    }

    void KeysMoveTheCurrentCell()
    {
        QFETCH(int, key);
        QFETCH(int, row);
        QFETCH(int, column);
        CListFixture f;
        f.Open();
        f.Grid()->setFocus();
        f.Click(5, M::kRxType);
        QTest::keyClick(f.Grid(), static_cast<Qt::Key>(key));
        QCOMPARE(f.Grid()->currentIndex().row(), row);
        QCOMPARE(f.Grid()->currentIndex().column(), column);
        QCOMPARE(f.Grid()->indexWidget(f.Grid()->currentIndex()), nullptr); // moving is not editing
    }

    void OutOfRangeFrequenciesAreClampedAndSaid_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("word");
        QTest::newRow("receive above") << M::kRxFrequency << "500"
                                       << "470.00000" << QByteArray::fromHex("00000047");
        QTest::newRow("receive below") << M::kRxFrequency << "12.5"
                                       << "400.00000" << QByteArray::fromHex("00000040");
        QTest::newRow("transmit above") << M::kTxFrequency << "999.9999"
                                        << "470.00000" << QByteArray::fromHex("00000047");
    }

    void OutOfRangeFrequenciesAreClampedAndSaid()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QByteArray, word);
        CListFixture f;
        f.Open();
        QVERIFY(f.Edit(7, column, text));
        QCOMPARE(f.messages, std::vector<int>{kOutOfRange});
        QCOMPARE(f.Text(7, column), shown);
        QCOMPARE(Bytes(f.Stored(), At(7, column == M::kRxFrequency ? 4 : 8), 4), word);
    }

    void EmptyFrequencyCells()
    {
        CListFixture f;
        f.Open();
        // Delete on the receive frequency empties the channel.
        f.Click(2, M::kRxFrequency);
        QTest::keyClick(f.Grid(), Qt::Key_Delete);
        QCOMPARE(Bytes(f.Stored(), At(2, 4), 8), QByteArray::fromHex("ffffffffffffffff"));
        QCOMPARE(f.Text(2, M::kRxFrequency), QString());
        QCOMPARE(f.Text(2, M::kTxFrequency), QString());
        QVERIFY(!f.Editable(2, M::kTxFrequency));
        QVERIFY(!f.data->Channels()[2]->IsValid());
        QVERIFY(Has(f.notifications, CNotification::Kind::CellEdited, CNotification::kCellEditedData));

        // An emptied transmit frequency makes a receive-only channel.
        QVERIFY(f.Edit(3, M::kTxFrequency, QString()));
        QCOMPARE(Bytes(f.Stored(), At(3, 4), 8), QByteArray::fromHex("75436044ffffffff"));
        QCOMPARE(f.Text(3, M::kTxFrequency), QString());

        // Typing a frequency into the empty cell gives the channel back.
        QVERIFY(f.Edit(2, M::kRxFrequency, QStringLiteral("446.03125")));
        QCOMPARE(Bytes(f.Stored(), At(2, 4), 8), QByteArray::fromHex("25316044ffffffff"));
        QVERIFY(f.data->Channels()[2]->IsValid());
        QVERIFY(f.messages.empty());
    }

    // A typed tone outside the table is refused with its message and the cell
    // keeps its tone; a stored code outside the table is shown as it is and
    // kept while other cells of the row are edited.
    void TonesOutsideTheTableAreRefusedOrShownAsTheyAre_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("storedWord"); // 0: the default channel's tone
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("toneWord"); // 0: unchanged
        QTest::addColumn<int>("message");
        QTest::newRow("CTCSS typed") << "CTCSS" << M::kRxCtcss << "66.6" << 0 << "97.4" << 0 << kCtcssRefused;
        QTest::newRow("CTCSS below the table") << "CTCSS" << M::kRxCtcss << "20" << 0 << "97.4" << 0 << kCtcssRefused;
        QTest::newRow("CDCSS above 777") << "CDCSS" << M::kRxCdcss << "800" << 0 << "023" << 0x9002 << kCdcssRefused;
        QTest::newRow("CTCSS found") << "CTCSS" << M::kRxCtcss << "67" << 0 << "67.0" << 0x5002 << 0;
        QTest::newRow("stored code kept")
            << "CTCSS" << M::kPower << "High" << 0x70FF << "not in the table (code 0x0FF)" << 0 << 0;
        QTest::newRow("extended tone kept") << "CTCSS" << M::kPower << "High" << 0x5001 << "63.0" << 0 << 0;
    }

    void TonesOutsideTheTableAreRefusedOrShownAsTheyAre()
    {
        QFETCH(QString, type);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, storedWord);
        QFETCH(QString, shown);
        QFETCH(int, toneWord);
        QFETCH(int, message);
        CListFixture f;
        if (storedWord != 0)
            f.data->Channels()[1]->SetRxTone(static_cast<std::uint16_t>(storedWord));
        f.Open();
        QVERIFY(f.Edit(1, M::kRxType, type));
        const QByteArray before = Bytes(f.Stored(), At(1, 12), 2);
        f.Edit(1, column, text);
        QCOMPARE(f.Text(1, M::kRxCtcss + (type == QLatin1String("CTCSS") ? 0 : 1)), shown);
        QByteArray word;
        word.append(static_cast<char>(toneWord & 0xFF)).append(static_cast<char>(toneWord >> 8));
        QCOMPARE(Bytes(f.Stored(), At(1, 12), 2), toneWord == 0 ? before : word);
        QCOMPARE(f.messages, message == 0 ? std::vector<int>{} : std::vector<int>{message});
    }

    // Extended tones are offered at the factory level only.
    void ToneListsOfferExtendedTonesAtTheFactoryLevel()
    {
        for (const int level : {0, CSettings::kFactoryLevel}) {
            CListFixture f(level);
            f.Open();
            const bool factory = level != 0;
            auto* ctcss = qobject_cast<QComboBox*>(f.OpenEditor(0, M::kRxCtcss));
            QVERIFY(ctcss != nullptr);
            QCOMPARE(ctcss->count(), factory ? 51 : 38);
            QCOMPARE(ctcss->itemText(0), factory ? QStringLiteral("63.0") : QStringLiteral("67.0"));
            f.view->StorePages();
            QVERIFY(f.Edit(0, M::kRxType, QStringLiteral("CDCSS")));
            auto* cdcss = qobject_cast<QComboBox*>(f.OpenEditor(0, M::kRxCdcss));
            QVERIFY(cdcss != nullptr);
            QCOMPARE(cdcss->count(), factory ? 107 : 83);
            QCOMPARE(cdcss->itemText(cdcss->count() - 1), QStringLiteral("754"));
        }
    }

    void StorePagesTakesAnOpenEditor()
    {
        CListFixture f;
        f.Open();
        auto* editor = qobject_cast<CFreqEdit*>(f.OpenEditor(9, M::kRxFrequency));
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("450"));
        f.view->StorePages();
        QCOMPARE(Bytes(f.Stored(), At(9, 4), 4), QByteArray::fromHex("00000045"));
        QCOMPARE(f.Grid()->indexWidget(f.Cell(9, M::kRxFrequency)), nullptr);
    }

    void ClosingTheListKeepsATypedCell()
    {
        CListFixture f;
        f.Open();
        auto* editor = qobject_cast<CFreqEdit*>(f.OpenEditor(11, M::kTxFrequency));
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("455.5"));
        f.view.reset();
        QCOMPARE(Bytes(f.Stored(), At(11, 8), 4), QByteArray::fromHex("00005545"));
    }

    void RecordCommandsAddUpToSixteenAndKeepTheLastChannel()
    {
        CListFixture f;
        f.Open(3);
        QCOMPARE(f.view->CurrentPosition(), 3);
        f.view->Navigate(record_command::kAdd, 0);
        QCOMPARE(f.Count(), kMaxChannels);
        QCOMPARE(CountOf(f.notifications, CNotification::Kind::Added), 0);

        for (int count = kMaxChannels - 1; count >= 1; --count) {
            f.view->Navigate(record_command::kDelete, 0);
            QCOMPARE(f.Count(), count);
            QCOMPARE(f.Model()->rowCount(), count);
        }
        QCOMPARE(CountOf(f.notifications, CNotification::Kind::Deleted), kMaxChannels - 1);
        const QByteArray last = Fields(f.Stored(), 0);

        // One channel: nothing is removed and the grid still shows it.
        f.view->Navigate(record_command::kDelete, 0);
        QCOMPARE(f.Count(), 1);
        QCOMPARE(f.Model()->rowCount(), 1);
        QCOMPARE(Fields(f.Stored(), 0), last);
        QCOMPARE(CountOf(f.notifications, CNotification::Kind::Deleted), kMaxChannels);

        for (int count = 2; count <= kMaxChannels; ++count) {
            f.view->Navigate(record_command::kAdd, 0);
            QCOMPARE(f.Count(), count);
            QCOMPARE(f.view->CurrentPosition(), count - 1);
            QCOMPARE(f.Model()->rowCount(), count);
            QCOMPARE(f.Grid()->currentIndex().row(), count - 1);
        }
        // The n-th new channel is the default channel n.
        QCOMPARE(f.Text(15, M::kRxCtcss), QStringLiteral("156.7"));
        QCOMPARE(f.Text(15, M::kAutoStartScan), QStringLiteral("1"));
        f.view->Navigate(record_command::kAdd, 0);
        QCOMPARE(f.Count(), kMaxChannels);
    }

    void RecordCommandsMoveTheCurrentRow_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("position");
        QTest::newRow("first") << record_command::kFirst << 0 << 0;
        QTest::newRow("previous") << record_command::kPrevious << 0 << 4;
        QTest::newRow("next") << record_command::kNext << 0 << 6;
        QTest::newRow("last") << record_command::kLast << 0 << 15;
        QTest::newRow("go to") << record_command::kGoTo << 9 << 9;
        QTest::newRow("go to nowhere") << record_command::kGoTo << 16 << 5;
        QTest::newRow("delete") << record_command::kDelete << 0 << 5;
    }

    void RecordCommandsMoveTheCurrentRow()
    {
        QFETCH(int, command);
        QFETCH(int, target);
        QFETCH(int, position);
        CListFixture f;
        f.Open(5);
        const std::uint32_t sixth = f.data->Channels()[5]->TreeId();
        f.view->Navigate(command, target);
        QCOMPARE(f.view->CurrentPosition(), position);
        QCOMPARE(f.Grid()->currentIndex().row(), position);
        QVERIFY(f.Grid()->selectionModel()->isRowSelected(position, QModelIndex()));
        const CNotification heard = NavigationNotification(command);
        QVERIFY(Has(f.notifications, heard.kind, heard.data));
        QCOMPARE(f.data->Channels()[5]->TreeId() == sixth, command != record_command::kDelete);
    }

    void FollowsChannelsAddedAndDeletedElsewhere()
    {
        CListFixture f;
        f.Open(5);
        const std::uint32_t current = f.data->Channels()[5]->TreeId();
        f.data->Channels().erase(f.data->Channels().begin());
        f.ChangedElsewhere(CNotification::Kind::Deleted);
        QCOMPARE(f.Model()->rowCount(), kMaxChannels - 1);
        QCOMPARE(f.view->CurrentPosition(), 4);
        QCOMPARE(f.data->Channels()[4]->TreeId(), current);
        QCOMPARE(f.Text(0, M::kRxCtcss), QStringLiteral("97.4"));

        f.data->Channels().push_back(std::make_unique<CChannelData>(std::size_t{15}));
        f.ChangedElsewhere(CNotification::Kind::Added);
        QCOMPARE(f.Model()->rowCount(), kMaxChannels);
        QCOMPARE(f.Text(15, M::kAutoStartScan), QStringLiteral("1"));

        // A channel page's edit shows at once.
        f.data->Channels()[2]->SetPower(1);
        f.ChangedElsewhere(CNotification::Kind::Edited);
        QCOMPARE(f.Text(2, M::kPower), QStringLiteral("Low"));
    }

    void CopiedRowsPasteOverOtherRows()
    {
        CListFixture f;
        f.AddPersonality();
        f.LoadWith([](Image& image) {
            PutRecordBytes(image, 0, 12, QByteArray::fromHex("6bd00ad0"));        // CDCSS invert 754, CDCSS invert 050
            PutRecordBytes(image, 0, 17, QByteArray::fromHex("110140"));          // 20 kHz, low, personality 2, scan
            PutRecordBytes(image, 1, 4, QByteArray::fromHex("00051044ffffffff")); // 441.005, receive only
            PutRecordBytes(image, 1, 12, QByteArray::fromHex("0190"));            // CDCSS 017
            PutRecordBytes(image, 1, 16, QByteArray::fromHex("f2"));
        });
        f.Open();
        f.SelectRows({0, 1});
        f.Key(QKeySequence::Copy);
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].split(QLatin1Char('\t')).size(), M::kColumnCount);
        QVERIFY(lines[0].startsWith(QStringLiteral("1\t446.00625\tCDCSS Invert\t")));

        const Image before = f.Stored();
        QVERIFY(Fields(before, 5) != Fields(before, 0));
        QVERIFY(Fields(before, 6) != Fields(before, 1));
        CUndoController undo(*f.context);
        f.SelectRows({5});
        f.Key(QKeySequence::Paste);

        const Image stored = f.Stored();
        QCOMPARE(Fields(stored, 5), Fields(stored, 0));
        QCOMPARE(Fields(stored, 6), Fields(stored, 1));
        QCOMPARE(Fields(stored, 7), Fields(before, 7)); // the rows below stay
        QCOMPARE(f.data->Channels()[5]->PersonalityId(), f.data->Personalities()[1]->TreeId());
        QCOMPARE(CountOf(f.notifications, CNotification::Kind::CellEdited), 2);
        // The paste of two rows is one step for undo.
        QObject::connect(&undo, &CUndoController::AboutToRestore, [&f] { f.view.reset(); });
        QVERIFY(undo.Undo());
        QVERIFY(f.Stored() == before);
        QVERIFY(!undo.CanUndo());
        f.Open(5);
        QVERIFY(f.messages.empty());
    }

    void CopiedCellsAreTheSelectedOnes()
    {
        CListFixture f;
        f.Open();
        f.Click(2, M::kRxFrequency);
        f.Click(3, M::kPower, Qt::ControlModifier);
        f.Key(QKeySequence::Copy);
        // The rows and columns that hold a selected cell; the others of them stay empty.
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("446.03125\t\n\tHigh\n"));
    }

    void PastedTextIsStoredLikeTypedText_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<std::vector<int>>("messages");
        const std::vector<int> none;
        QTest::newRow("clamped frequency")
            << M::kRxFrequency << "999.12345" << 4 << QByteArray::fromHex("00000047") << std::vector<int>{kOutOfRange};
        QTest::newRow("receive side") << M::kRxFrequency << "446.0052\tCDCSS\t67.0\t754\t450" << 4
                                      << QByteArray::fromHex("00006044000000456b901450") << none;
        QTest::newRow("text for a frequency")
            << M::kTxFrequency << "abc" << 8 << QByteArray::fromHex("00000040") << std::vector<int>{kOutOfRange};
        QTest::newRow("unknown power") << M::kPower << "Banana" << 17 << QByteArray::fromHex("00")
                                       << std::vector<int>{kLeftOut};
        QTest::newRow("power in other case") << M::kPower << " low " << 17 << QByteArray::fromHex("10") << none;
        QTest::newRow("tone not in the table")
            << M::kRxCtcss << "66.6" << 12 << QByteArray::fromHex("1450") << std::vector<int>{kLeftOut};
        QTest::newRow("bad flag") << M::kAutoStartScan << "7" << 19 << QByteArray::fromHex("00")
                                  << std::vector<int>{kLeftOut};
        QTest::newRow("no such personality")
            << M::kPersonality << "2" << 18 << QByteArray::fromHex("00") << std::vector<int>{kLeftOut};
        QTest::newRow("type with its tone")
            << M::kRxType << "CDCSS\t67.0\t754" << 12 << QByteArray::fromHex("6b90") << none;
        QTest::newRow("beyond the last column")
            << M::kPower << "Low\t1\t1\textra" << 17 << QByteArray::fromHex("100040") << std::vector<int>{kLeftOut};
        QTest::newRow("two lines") << M::kSpacing << "20 kHz\n25 kHz\n" << 17 << QByteArray::fromHex("01") << none;
    }

    void PastedTextIsStoredLikeTypedText()
    {
        QFETCH(int, column);
        QFETCH(QString, clipboard);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(std::vector<int>, messages);
        CListFixture f;
        f.Open();
        f.Click(8, column);
        QGuiApplication::clipboard()->setText(clipboard);
        f.Key(QKeySequence::Paste);
        QCOMPARE(Bytes(f.Stored(), At(8, offset), static_cast<int>(bytes.size())), bytes);
        QCOMPARE(f.messages, messages);
        // What the cell shows is what the record holds.
        QCOMPARE(f.Text(8, M::kRxFrequency),
                 QString::fromStdString(FrequencyText(f.data->Channels()[8]->RxFrequency())));
    }

    void PastedValueFillsEverySelectedCell()
    {
        CListFixture f;
        f.Open();
        f.Click(2, M::kPower);
        f.Click(3, M::kPower, Qt::ControlModifier);
        f.Click(4, M::kPower, Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(QStringLiteral("Low"));
        f.Key(QKeySequence::Paste);
        const Image stored = f.Stored();
        for (int row = 0; row < kMaxChannels; ++row)
            QCOMPARE(int(stored[static_cast<std::size_t>(At(row, 17))]), row >= 2 && row <= 4 ? 0x10 : 0x00);
    }

    void PastedRowsBeyondTheLastChannelBecomeNewChannels()
    {
        CListFixture f;
        f.data->Channels().resize(14);
        f.Open();
        f.SelectRows({0, 1, 2, 3});
        f.Key(QKeySequence::Copy);
        const Image before = f.Stored();

        f.SelectRows({12});
        f.Key(QKeySequence::Paste);
        QCOMPARE(f.Count(), kMaxChannels);
        QCOMPARE(f.Model()->rowCount(), kMaxChannels);
        QVERIFY(Has(f.notifications, CNotification::Kind::Added, 0));
        const Image stored = f.Stored();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(Fields(stored, 12 + i), Fields(before, i));
        QVERIFY(f.messages.empty());

        // No seventeenth channel: the lines after the first are left out, and the user is told.
        f.SelectRows({15});
        f.Key(QKeySequence::Paste);
        QCOMPARE(f.Count(), kMaxChannels);
        QCOMPARE(Fields(f.Stored(), 15), Fields(before, 0));
        QCOMPARE(f.messages, std::vector<int>{kLeftOut});
    }

    void UntouchedChannelsStoreTheSameBytes_data()
    {
        QTest::addColumn<bool>("odd");
        QTest::newRow("default channels") << false;
        QTest::newRow("odd but legal channels") << true;
    }

    void UntouchedChannelsStoreTheSameBytes()
    {
        QFETCH(bool, odd);
        CListFixture f;
        f.AddPersonality();
        if (odd)
            f.LoadWith(MakeOddChannels);
        const Image original = f.Stored();
        if (odd)
            QCOMPARE(Bytes(original, At(6, 12), 2), QByteArray::fromHex("0ed0")); // the file's contents survive loading
        f.Open();
        f.view->StorePages();
        QCOMPARE(FirstDifference(f.Stored(), original), -1);

        // Every cell given its own shown text again: typed, and pasted.
        for (int row = 0; row < f.Model()->rowCount(); ++row) {
            for (int column = 0; column < M::kColumnCount; ++column) {
                if (!f.Editable(row, column))
                    continue;
                QVERIFY2(f.ReEnter(row, column), qPrintable(QStringLiteral("cell %1/%2").arg(row).arg(column)));
                QCOMPARE(FirstDifference(f.Stored(), original), -1);
                f.Model()->setData(f.Cell(row, column), f.Text(row, column));
                QCOMPARE(FirstDifference(f.Stored(), original), -1);
            }
        }
        QVERIFY(f.messages.empty());
    }
};

QRV_REGISTER_UI_TEST(ChannelListTest);

} // namespace qrv

#include "test_channel_list.moc"
