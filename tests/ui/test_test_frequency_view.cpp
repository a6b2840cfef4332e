// The test frequency view as the factory meets it: the three tuning points
// and the sixteen test channels, typed frequencies stored as BCD words with
// their step codes, texts that are no frequency refused, frequencies outside
// the model's range brought to its limits, and untouched views that keep
// every byte.
#include "editor_fixture.h"
#include "editors/test_frequency/freq_grid.h"
#include "editors/test_frequency/view_test_frequency.h"
#include "radio_data/messages.h"
#include "ui_test_registry.h"

#include <QLineEdit>
#include <QTest>

#include <memory>
#include <vector>

namespace qrv {

namespace {

using test::Bytes;
using test::WithBytes;

constexpr std::size_t kBlock = 0x270;
constexpr std::size_t kBlockSize = 200;
constexpr std::size_t kPointRx = kBlock + 160;
constexpr std::size_t kPointTx = kBlock + 180;
constexpr int kRx = CFreqGrid::kRxColumn;
constexpr int kTx = CFreqGrid::kTxColumn;

Bytes BytesAt(const Image& image, std::size_t offset, std::size_t count)
{
    const auto begin = image.begin() + static_cast<std::ptrdiff_t>(offset);
    return Bytes(begin, begin + static_cast<std::ptrdiff_t>(count));
}

struct CViewFixture {
    test::CEditorFixture f;
    std::unique_ptr<CViewTestFrequency> view;

    explicit CViewFixture(int level = CSettings::kFactoryLevel) : f(level) {}

    void Open()
    {
        view = std::make_unique<CViewTestFrequency>(*f.context);
        view->show();
    }

    // Opens the cell's editor, types the text over what it shows and presses Enter.
    // False when the cell cannot be edited.
    static bool Type(CFreqGrid& grid, int row, int column, const QString& text)
    {
        grid.setCurrentCell(row, column);
        grid.editItem(grid.item(row, column));
        auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.model()->index(row, column)));
        if (editor == nullptr)
            return false;
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the grid takes the text on its next turn
        return true;
    }
};

} // namespace

class TestFrequencyViewTest : public QObject {
    Q_OBJECT

private slots:
    void BelowTheFactoryLevelThePointsAreShownOnly()
    {
        CViewFixture v(0);
        v.Open();
        CFreqGrid* points = v.view->PointGrid();
        QCOMPARE(points->rowCount(), 3);
        QCOMPARE(points->horizontalHeaderItem(kRx)->text(), QStringLiteral("RX Frequency[MHz]"));
        QCOMPARE(points->horizontalHeaderItem(kTx)->text(), QStringLiteral("TX Frequency[MHz]"));
        // Points 0, 2 and 4 of the 400-470 MHz range.
        const QStringList expected{QStringLiteral("400.15000"), QStringLiteral("400.00000"),
                                   QStringLiteral("435.15000"), QStringLiteral("435.00000"),
                                   QStringLiteral("469.85000"), QStringLiteral("470.00000")};
        QStringList shown;
        for (int row = 0; row < 3; ++row)
            shown << points->Text(row, kRx) << points->Text(row, kTx);
        QCOMPARE(shown, expected);
        QVERIFY(v.view->ChannelGrid()->isHidden());
        // The points reach the radio only at the factory levels: nothing here is editable.
        const Image before = v.f.Stored();
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        QVERIFY(!CViewFixture::Type(*points, 0, kRx, QStringLiteral("401")));
        QVERIFY(v.f.Stored() == before);
    }

    void AtTheFactoryLevelTheTestChannelsAreShownToo()
    {
        CViewFixture v;
        v.Open();
        CFreqGrid* channels = v.view->ChannelGrid();
        QVERIFY(!channels->isHidden());
        QCOMPARE(channels->rowCount(), 16);
        QCOMPARE(channels->verticalHeaderItem(15)->text(), QStringLiteral("16"));
        // Channel 2 transmits at the first quarter point and receives 150 kHz below it.
        QCOMPARE(channels->Text(2, kTx), QStringLiteral("417.00000"));
        QCOMPARE(channels->Text(2, kRx), QStringLiteral("416.85000"));
        QCOMPARE(channels->Text(9, kRx), QStringLiteral("0.00000"));
    }

    void TypedTestChannelFrequenciesTakeTheirRasterAndStepCode()
    {
        struct Case {
            int row;
            int column;
            const char* typed;
            const char* shown;
            Bytes word;
            std::uint8_t step;
            bool outOfRange;
        };
        const Case cases[] = {
            {0, kRx, "446.012", "446.00625", {0x25, 0x06, 0x60, 0x44}, 3, false},  // off both rasters: down to 6.25 kHz
            {1, kTx, "446.01", "446.01000", {0x00, 0x10, 0x60, 0x44}, 2, false},   // on the 5 kHz raster only
            {2, kRx, "446.0125", "446.01250", {0x50, 0x12, 0x60, 0x44}, 3, false}, // on the 6.25 kHz raster
            {3, kTx, " 450,000 ", "450.00000", {0x00, 0x00, 0x00, 0x45}, 3, false},   // on both: 6.25 kHz wins
            {9, kRx, "420.0150", "420.01500", {0x00, 0x15, 0x00, 0x42}, 2, false},    // an unused channel
            {15, kTx, "446.123456", "446.11875", {0x75, 0x18, 0x61, 0x44}, 3, false}, // digits past 10 Hz dropped
            {4, kRx, "480", "470.00000", {0x00, 0x00, 0x00, 0x47}, 3, true},          // above the range
            {5, kTx, "136.0025", "400.00000", {0x00, 0x00, 0x00, 0x40}, 3, true},     // below it
        };
        for (const Case& c : cases) {
            CViewFixture v;
            v.Open();
            const Image before = v.f.Stored();
            QVERIFY2(CViewFixture::Type(*v.view->ChannelGrid(), c.row, c.column, QString::fromLatin1(c.typed)),
                     c.typed);
            const Image after = v.f.Stored();
            const std::size_t channel = kBlock + 10 * static_cast<std::size_t>(c.row);
            const std::size_t word = channel + (c.column == kRx ? 0 : 4);
            const std::size_t step = channel + (c.column == kRx ? 8 : 9);
            QCOMPARE(BytesAt(after, word, 4), c.word);
            QCOMPARE(after[step], c.step);
            // Nothing else moves.
            Image elsewhere = WithBytes(after, word, BytesAt(before, word, 4));
            elsewhere[step] = before[step];
            QVERIFY2(elsewhere == before, c.typed);
            QCOMPARE(v.view->ChannelGrid()->Text(c.row, c.column), QString::fromLatin1(c.shown));
            QCOMPARE(v.f.messages, c.outOfRange ? std::vector<int>{msg::kFrequencyOutOfRange} : std::vector<int>{});
            QCOMPARE(v.f.notifications.size(), std::size_t{1});
            QCOMPARE(v.f.notifications[0].kind, CNotification::Kind::Edited);
            QCOMPARE(v.f.notifications[0].data, static_cast<std::uint32_t>(CViewTestFrequency::kChannelGrid));
        }
    }

    void TypedPointsAreStoredAsTheyAre()
    {
        CViewFixture v;
        v.Open();
        CFreqGrid* points = v.view->PointGrid();
        // Row 1 is point 2; points carry no step code and are not put on a raster.
        QVERIFY(CViewFixture::Type(*points, 1, kRx, QStringLiteral("446.012")));
        QVERIFY(CViewFixture::Type(*points, 2, kTx, QStringLiteral("460.00001")));
        const Image after = v.f.Stored();
        QCOMPARE(BytesAt(after, kPointRx + 8, 4), (Bytes{0x00, 0x12, 0x60, 0x44}));
        QCOMPARE(BytesAt(after, kPointTx + 16, 4), (Bytes{0x01, 0x00, 0x00, 0x46}));
        QCOMPARE(points->Text(1, kRx), QStringLiteral("446.01200"));
        // Points 1 and 3 are not shown and keep their defaults (417.15000 and 452.00000).
        QCOMPARE(BytesAt(after, kPointRx + 4, 4), (Bytes{0x00, 0x50, 0x71, 0x41}));
        QCOMPARE(BytesAt(after, kPointTx + 12, 4), (Bytes{0x00, 0x00, 0x20, 0x45}));
        QVERIFY(v.f.messages.empty());
    }

    void TextThatIsNoFrequencyIsRefused()
    {
        const char* texts[] = {"abc", "446.0x", "4 46", "446..1", "-446", "1.2.3", "", "1234567890"};
        for (const char* text : texts) {
            CViewFixture v;
            v.Open();
            const Image before = v.f.Stored();
            QVERIFY(CViewFixture::Type(*v.view->ChannelGrid(), 0, kRx, QString::fromLatin1(text)));
            QVERIFY(CViewFixture::Type(*v.view->PointGrid(), 0, kTx, QString::fromLatin1(text)));
            QCOMPARE(v.f.messages, (std::vector<int>{msg::kNotAFrequency, msg::kNotAFrequency}));
            QVERIFY2(v.f.Stored() == before, text);
            QVERIFY(v.f.notifications.empty());
            // The stored frequencies show again.
            QCOMPARE(v.view->ChannelGrid()->Text(0, kRx), QStringLiteral("400.15000"));
            QCOMPARE(v.view->PointGrid()->Text(0, kTx), QStringLiteral("400.00000"));
        }
    }

    void ACellStillBeingTypedIsStoredWithThePages()
    {
        CViewFixture v;
        v.Open();
        CFreqGrid* channels = v.view->ChannelGrid();
        channels->setCurrentCell(6, kTx);
        channels->editItem(channels->item(6, kTx));
        auto* editor = qobject_cast<QLineEdit*>(channels->indexWidget(channels->model()->index(6, kTx)));
        QVERIFY(editor != nullptr);
        editor->setText(QStringLiteral("455.005"));
        v.view->StorePages();
        QCOMPARE(BytesAt(v.f.Stored(), kBlock + 64, 4), (Bytes{0x00, 0x05, 0x50, 0x45}));
        QCOMPARE(v.f.Stored()[kBlock + 69], std::uint8_t{2});
    }

    void UntouchedViewsKeepEveryByte()
    {
        // Erased and non-BCD words, odd step codes, points off every raster.
        Bytes unusual(kBlockSize, 0xFF);
        for (std::size_t i = 0; i < 40; ++i)
            unusual[i] = static_cast<std::uint8_t>(0x11 * (i % 10));
        unusual[8] = 0x07;
        unusual[9] = 0x00;
        const Bytes oddWords{0x01, 0x23, 0x45, 0x06, 0xAB, 0xCD, 0x00, 0x44};
        std::copy(oddWords.begin(), oddWords.end(), unusual.begin() + 160);
        std::copy(oddWords.begin(), oddWords.end(), unusual.begin() + 180);
        for (const int level : {0, CSettings::kFactoryLevel}) {
            for (const bool useUnusual : {false, true}) {
                CViewFixture v(level);
                if (useUnusual)
                    v.f.data->LoadFromImage(WithBytes(v.f.Stored(), kBlock, unusual));
                const Image before = v.f.Stored();
                v.Open();
                // The erased point words show empty.
                if (useUnusual)
                    QCOMPARE(v.view->PointGrid()->Text(2, kRx), QString());
                v.view->StorePages();
                v.view.reset();
                QVERIFY(v.f.Stored() == before);
                QVERIFY(v.f.messages.empty());
            }
        }
    }
};

QRV_REGISTER_UI_TEST(TestFrequencyViewTest);

} // namespace qrv

#include "test_test_frequency_view.moc"
