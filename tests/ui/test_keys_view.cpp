// The programmable keys view as a dealer meets it: the function lists without
// the reserved function, each side key stored at its byte, the VOX function
// refused while VOX is off and taken from every key when VOX goes off, the
// picture with the keys level with their combos, and untouched blocks.
#include "editor_fixture.h"
#include "editors/keys/keys_picture.h"
#include "editors/keys/view_keys.h"
#include "editors/settings/view_vox.h"
#include "records/key_data.h"
#include "shell/localize_window.h"
#include "ui_test_registry.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

namespace qrv {

namespace {

using test::Bytes;
using test::BytesAt;
using test::Control;
using test::WithBytes;

constexpr std::size_t kKeys = 0x078;
constexpr std::size_t kKeyBlockSize = 11;
constexpr std::size_t kVox = 0x117;
constexpr std::array<int, 4> kSideKeys = CKeyData::kSideKeyCombos;
constexpr int kSk1Short = kSideKeys[0];
constexpr int kSk1Long = kSideKeys[1];
constexpr int kSk2Short = kSideKeys[2];
constexpr int kSk2Long = kSideKeys[3];
constexpr long long kVoxFunction = 75;
constexpr long long kReserved = 79;

const Bytes kDefaultKeys{0x1D, 0x1C, 0x42, 0x4B, 0x42, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE};

// Views on one codeplug that hear the notifications as the main window passes them on.
struct CKeysFixture {
    test::CEditorFixture f;
    std::unique_ptr<CViewKeys> keys;
    std::unique_ptr<CViewVox> vox;

    explicit CKeysFixture(int level = 0) : f(level) {}

    void Listen(CEditorView* view)
    {
        QObject::connect(f.context.get(), &CEditorContext::Notified, view,
                         [view](const CNotification& n, QObject* origin) { view->OnNotification(n, origin); });
    }
    void OpenKeys()
    {
        keys = std::make_unique<CViewKeys>(*f.context);
        Listen(keys.get());
    }
    void OpenVox()
    {
        vox = std::make_unique<CViewVox>(*f.context);
        Listen(vox.get());
    }
    QComboBox* Key(int number) const { return Control<QComboBox>(*keys, number); }
    static bool Choose(QComboBox* combo, const QString& text)
    {
        const int index = combo != nullptr ? combo->findText(text) : -1;
        if (index < 0)
            return false;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    bool ChooseKey(int number, const QString& text) const { return Choose(Key(number), text); }
    Bytes Stored() { return BytesAt(f.Stored(), kKeys, kKeyBlockSize); }
};

} // namespace

class KeysViewTest : public QObject {
    Q_OBJECT

private slots:
    void ListsOfferEveryFunctionButTheReservedOne()
    {
        CKeysFixture k;
        k.OpenKeys();
        const std::vector<CComboLine> all = k.f.Settings().FillCombo(kSk1Short);
        QVERIFY(std::any_of(all.begin(), all.end(), [](const CComboLine& l) { return l.data == kReserved; }));
        for (const int number : kSideKeys) {
            QComboBox* combo = k.Key(number);
            QVERIFY(combo != nullptr);
            QCOMPARE(combo->count(), static_cast<int>(all.size()) - 1);
            QCOMPARE(combo->findData(QVariant::fromValue(kReserved)), -1);
            QVERIFY(combo->findData(QVariant::fromValue(kVoxFunction)) >= 0);
            QCOMPARE(combo->itemText(0), QStringLiteral("None"));
        }
        QCOMPARE(Control<QLabel>(*k.keys, kSk2Long - 1)->text(), QStringLiteral("SK2(LONG)"));
        QVERIFY(Control<CKeysPicture>(*k.keys, CKeysPage::kPicture) != nullptr);
        // The default block as the radio gets it.
        QCOMPARE(k.Key(kSk1Long)->currentText(), QStringLiteral("VOX On/Off"));
        QCOMPARE(k.Key(kSk2Long)->currentText(), QStringLiteral("Scan On/Off"));
    }

    void EachSideKeyLandsAtItsByte()
    {
        struct Case {
            int control;
            const char* text;
            std::size_t byte;
            std::uint8_t value;
        };
        const Case cases[] = {
            {kSk1Short, "Scan On/Off", 2, 80},  {kSk1Short, "None", 2, 0},        {kSk1Long, "Monitor", 3, 66},
            {kSk1Long, "Emergency On", 3, 29},  {kSk2Short, "VOX On/Off", 4, 75}, {kSk2Short, "Backlight", 4, 9},
            {kSk2Long, "High/Low Power", 5, 1},
        };
        for (const Case& c : cases) {
            CKeysFixture k;
            k.OpenKeys();
            const Image before = k.f.Stored();
            QVERIFY2(k.ChooseKey(c.control, QString::fromUtf8(c.text)), c.text);
            Bytes expected = kDefaultKeys;
            expected[c.byte] = c.value;
            QCOMPARE(k.Stored(), expected);
            QVERIFY(WithBytes(k.f.Stored(), kKeys, kDefaultKeys) == before);
            QVERIFY(k.f.messages.empty());
            QCOMPARE(k.f.notifications.size(), std::size_t{1});
            QCOMPARE(k.f.notifications[0].kind, CNotification::Kind::Edited);
            QCOMPARE(k.f.notifications[0].data, static_cast<std::uint32_t>(c.control));
        }
    }

    void TheVoxFunctionIsRefusedWhileVoxIsOff()
    {
        for (const int number : kSideKeys) {
            CKeysFixture k;
            QVERIFY(k.f.data->Vox().SetGainLevel(0));
            k.OpenKeys();
            QVERIFY(k.ChooseKey(number, QStringLiteral("Monitor")));
            QVERIFY(k.f.messages.empty());
            QVERIFY(k.ChooseKey(number, QStringLiteral("VOX On/Off")));
            QCOMPARE(k.f.messages, std::vector<int>{CKeyData::kVoxOffMessage});
            QCOMPARE(k.Key(number)->currentText(), QStringLiteral("None"));
            const std::size_t byte =
                2 + static_cast<std::size_t>(std::find(kSideKeys.begin(), kSideKeys.end(), number) - kSideKeys.begin());
            QCOMPARE(int(k.Stored()[byte]), 0);
        }
        // With VOX on the same choice is taken.
        CKeysFixture k;
        k.OpenKeys();
        QVERIFY(k.ChooseKey(kSk2Short, QStringLiteral("VOX On/Off")));
        QVERIFY(k.f.messages.empty());
        QCOMPARE(int(k.Stored()[4]), 75);
    }

    void VoxOffTakesTheVoxFunctionFromEveryKey()
    {
        CKeysFixture k;
        k.OpenKeys();
        k.OpenVox();
        QVERIFY(k.ChooseKey(kSk2Short, QStringLiteral("VOX On/Off")));
        QVERIFY(k.ChooseKey(kSk1Short, QStringLiteral("Monitor")));
        QComboBox* gain = Control<QComboBox>(*k.vox, CVoxPage::kGainLevel);

        // A new level that keeps VOX on changes no key.
        QVERIFY(CKeysFixture::Choose(gain, QStringLiteral("5")));
        QCOMPARE(k.Stored(), (Bytes{0x1D, 0x1C, 0x42, 0x4B, 0x4B, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));

        QVERIFY(CKeysFixture::Choose(gain, QStringLiteral("Off")));
        QCOMPARE(int(k.f.Stored()[kVox]), 0xF1);
        QCOMPARE(k.Stored(), (Bytes{0x1D, 0x1C, 0x42, 0x00, 0x00, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));
        // The open keys view shows it at once.
        QCOMPARE(k.Key(kSk1Short)->currentText(), QStringLiteral("Monitor"));
        QCOMPARE(k.Key(kSk1Long)->currentText(), QStringLiteral("None"));
        QCOMPARE(k.Key(kSk2Short)->currentText(), QStringLiteral("None"));
        QCOMPARE(k.Key(kSk2Long)->currentText(), QStringLiteral("Scan On/Off"));
        QVERIFY(k.f.messages.empty());

        // VOX on again brings nothing back, and the keys view stores what it shows.
        QVERIFY(CKeysFixture::Choose(gain, QStringLiteral("2")));
        k.keys->StorePages();
        QCOMPARE(k.Stored(), (Bytes{0x1D, 0x1C, 0x42, 0x00, 0x00, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));
    }

    void VoxOffClearsTheKeysWithoutAKeysView()
    {
        CKeysFixture k;
        k.OpenVox();
        QVERIFY(CKeysFixture::Choose(Control<QComboBox>(*k.vox, CVoxPage::kGainLevel), QStringLiteral("Off")));
        QCOMPARE(k.Stored(), (Bytes{0x1D, 0x1C, 0x42, 0x00, 0x42, 0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE}));
        // A keys view opened afterwards finds the key cleared.
        k.OpenKeys();
        QCOMPARE(k.Key(kSk1Long)->currentText(), QStringLiteral("None"));
    }

    void TheSideKeysAreDrawnLevelWithTheirCombos()
    {
        CKeysFixture k;
        k.OpenKeys();
        k.keys->resize(640, 480);
        k.keys->show();
        QVERIFY(QTest::qWaitForWindowExposed(k.keys.get()));
        auto* picture = Control<CKeysPicture>(*k.keys, CKeysPage::kPicture);
        const QImage image = picture->grab().toImage();
        const QColor key = picture->palette().color(QPalette::Highlight);
        // The columns just left of the body hold the side keys and nothing else.
        const auto keyAt = [&](int y) {
            for (int x = 30; x < 44; ++x)
                if (image.pixelColor(x, y) == key)
                    return true;
            return false;
        };
        for (std::size_t pair = 0; pair < 2; ++pair) {
            const QComboBox* shortPress = k.Key(kSideKeys[2 * pair]);
            const QComboBox* longPress = k.Key(kSideKeys[2 * pair + 1]);
            const int y =
                picture->mapFrom(k.keys.get(), shortPress->mapTo(k.keys.get(), shortPress->rect().center())).y() / 2 +
                picture->mapFrom(k.keys.get(), longPress->mapTo(k.keys.get(), longPress->rect().center())).y() / 2;
            QVERIFY2(keyAt(y), qPrintable(QString::number(y)));
        }
        QVERIFY(!keyAt(4));
        QVERIFY(!keyAt(image.height() - 4));
        QDir().mkpath(QStringLiteral(QRV_SCREENSHOT_DIR));
        QVERIFY(k.keys->grab().save(QStringLiteral(QRV_SCREENSHOT_DIR "/keys_view.png")));
    }

    void UntouchedKeysKeepEveryByte()
    {
        struct Case {
            const char* name;
            Bytes keys; // empty: the default block
            bool legal;
        };
        const std::vector<Case> cases{
            {"default", {}, true},
            {"unusual", {0x1E, 0x1F, 0x01, 0x50, 0x4B, 0x42, 0x00, 0x11, 0x22, 0x33, 0xFF}, true},
            // Functions the lists do not offer (the reserved one among them) are kept, not replaced.
            {"off the list", {0x00, 0x00, 0x4F, 0x30, 0xFF, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x01}, false},
        };
        for (const int level : {0, CSettings::kServiceLevel, CSettings::kFactoryLevel}) {
            for (const Case& c : cases) {
                CKeysFixture k(level);
                if (!c.keys.empty())
                    k.f.data->LoadFromImage(WithBytes(k.f.Stored(), kKeys, c.keys));
                const Image before = k.f.Stored();
                k.OpenKeys();
                if (c.legal)
                    for (std::size_t i = 0; i < kSideKeys.size(); ++i)
                        QCOMPARE(k.Key(kSideKeys[i])->currentData().toLongLong(),
                                 static_cast<long long>(before[kKeys + 2 + i]));
                k.keys->StorePages();
                k.keys.reset();
                QVERIFY2(k.f.Stored() == before, c.name);
            }
        }
    }
};

QRV_REGISTER_UI_TEST(KeysViewTest);

} // namespace qrv

#include "test_keys_view.moc"
