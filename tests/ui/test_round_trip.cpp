// Opening every editor on every record, visiting every page and storing,
// without the user changing anything, must leave every byte of the codeplug
// as it was: on the default images of each range and on an image with
// unusual but legal contents, below and at the factory level.
#include "editors/common/editor_sheet.h"
#include "frame_fixture.h"
#include "presentation/item_tables.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/frequency.h"
#include "records/tones.h"
#include "shell/child_frame.h"
#include "shell/main_frame.h"
#include "shell/message_box.h"
#include "test_support.h"
#include "ui_test_registry.h"

#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace qrv {

class EditorRoundTripTest : public QObject {
    Q_OBJECT

private:
    using CFixture = test::CFrameFixture;

    // Channels with unusual but legal contents: CDCSS of both kinds, an
    // extended tone, a receive-only channel, the 5 kHz raster, auto start scan.
    static void MakeUnusual(CRadioData& data)
    {
        auto& channels = data.Channels();
        QVERIFY(channels.size() >= 6);
        CToneWord cdcss;
        cdcss.SetType(CToneWord::kTypeCdcss);
        cdcss.SetIndex(5);
        channels[0]->SetRxTone(cdcss.Word());
        CToneWord cdcss2;
        cdcss2.SetType(CToneWord::kTypeCdcss2);
        cdcss2.SetIndex(107);
        channels[0]->SetTxTone(cdcss2.Word());
        channels[1]->SetTxFrequency(kNoFrequency);
        channels[2]->SetRxFrequency(FrequencyWordFromUnits(44600500));
        channels[2]->SetTxFrequency(FrequencyWordFromUnits(44601000));
        channels[2]->SetRxStepCode(kStepCode5k);
        channels[2]->SetTxStepCode(kStepCode5k);
        CToneWord extended;
        extended.SetType(CToneWord::kTypeCtcss);
        extended.SetIndex(3); // 69.3 Hz, offered only at the factory level
        channels[3]->SetRxTone(extended.Word());
        channels[4]->SetTxTone(0);
        channels[4]->SetAutoStartScan(true);
        channels[5]->SetPower(1);
        Image image{};
        data.StoreToImage(image);
        data.LoadFromImage(image);
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

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void UntouchedEditorsChangeNoByte_data()
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

    void UntouchedEditorsChangeNoByte()
    {
        QFETCH(int, level);
        QFETCH(QString, range);
        QFETCH(bool, unusual);
        CFixture f(level, 0, range.toStdString());
        f.answer = QMessageBox::No;
        if (unusual) {
            MakeUnusual(*f.data);
            f.frame->Rebuild();
        }
        const Image before = f.Stored();
        VisitEverything(f);
        const Image after = f.Stored();
        for (std::size_t i = 0; i < before.size(); ++i)
            QVERIFY2(before[i] == after[i], qPrintable(QStringLiteral("byte 0x%1: %2 became %3")
                                                           .arg(i, 3, 16, QLatin1Char('0'))
                                                           .arg(before[i], 2, 16, QLatin1Char('0'))
                                                           .arg(after[i], 2, 16, QLatin1Char('0'))));
        QVERIFY(f.messages.empty());
    }
};

QRV_REGISTER_UI_TEST(EditorRoundTripTest);

} // namespace qrv

#include "test_round_trip.moc"
