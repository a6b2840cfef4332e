// Read from Radio and Write to Radio through the transfer dialog with the
// simulated radio, good and failing: what the user is told, what the
// codeplug, the radio and the backup folder hold afterwards; and the serial
// trace window over the frames the transfer sent.
#include "dialogs/dlg_serial_trace.h"
#include "dialogs/dlg_transfer.h"
#include "frame_fixture.h"
#include "presentation/caption_numbers.h"
#include "radio_data/data_file.h"
#include "radio_data/messages.h"
#include "radio_link/radio_messages.h"
#include "ui_test_registry.h"

#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>

namespace qrv {

class RadioExtrasTest : public QObject {
    Q_OBJECT

private:
    static std::vector<std::filesystem::path> Backups(const std::filesystem::path& folder)
    {
        std::vector<std::filesystem::path> files;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
            files.push_back(entry.path());
        return files;
    }

    static Image ImageOf(const std::filesystem::path& path)
    {
        Image image{};
        if (!ReadBlocks(path, nullptr, image))
            QTest::qFail("not a data file", __FILE__, __LINE__);
        return image;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The radio holds 446.10625 MHz on channel 1 and the codeplug 470.00625
    // MHz on channel 2; a write that fails after its first block says what
    // the radio may now hold and where the codeplug sent is kept.
    void TransfersSayWhatHappenedAndKeepTheDocument()
    {
        const struct {
            const char* name;
            bool read;
            std::function<void(sim::CSimFaults&)> fault;
            bool verify;
            int message;
            bool partial; // the message names the backup folder
        } rows[] = {
            {"read", true, {}, true, msg::kRadioReadDone, false},
            {"read, bad checksum", true, [](sim::CSimFaults& x) { x.badChecksumAt = 0x7F0; }, true,
             msg::kRadioReadFailed, false},
            {"write", false, {}, true, msg::kRadioWriteDone, false},
            {"write, tune switch unanswered", false, [](sim::CSimFaults& x) { x.silentReadAt = 0x127; }, true,
             msg::kTuneSwitchUnread, false},
            {"write, block refused", false, [](sim::CSimFaults& x) { x.refuseWriteAt = 0x128; }, true,
             msg::kRadioWriteFailed, true},
            {"write, block lost", false, [](sim::CSimFaults& x) { x.dropWriteAt = 0x600; }, true, msg::kVerifyFailed,
             true},
            {"write, block lost, verify off", false, [](sim::CSimFaults& x) { x.dropWriteAt = 0x600; }, false,
             msg::kRadioWriteDone, false},
        };
        for (const auto& row : rows) {
            test::CFrameFixture f;
            test::CTempDir folder;
            sim::CSimRadio& radio = f.Radio();
            radio.Memory()[0x586] = 0x61;
            radio.Memory()[0x128] = 0x48; // the tune switch bit set
            radio.Memory()[0x600] = static_cast<std::uint8_t>(~radio.Memory()[0x600]);
            if (row.fault)
                row.fault(radio.Faults());
            const Image held = radio.Memory();
            f.data->Channels()[1]->SetRxFrequency(0x44700625);
            f.data->StoreToImage(f.data->GetImage());
            const Image document = f.data->GetImage();
            const bool ok = row.message == msg::kRadioReadDone || row.message == msg::kRadioWriteDone;

            auto dialog = f.frame->MakeTransferDialog(row.read);
            dialog->SetBackupFolder(folder.Path());
            QVERIFY2((dialog->VerifyBox() != nullptr) == !row.read, row.name);
            if (!row.read) {
                QVERIFY(dialog->VerifyBox()->isChecked()); // on at first
                if (!row.verify)
                    QTest::mouseClick(dialog->VerifyBox(), Qt::LeftButton);
            }
            dialog->Start();
            QVERIFY2(!dialog->OkButton()->isEnabled(), row.name);
            // A dialog's result starts as rejected: wait for the message that ends the transfer.
            QVERIFY2(QTest::qWaitFor([&f] { return !f.messages.empty(); }, 30000), row.name);
            f.frame->AfterTransfer(row.read, dialog->result() == QDialog::Accepted);
            QVERIFY2((dialog->result() == QDialog::Accepted) == ok, row.name);
            QVERIFY2(f.messages == std::vector<int>{row.message}, row.name);
            QVERIFY2(f.texts.back().contains(QString::fromStdString(folder.Path().string())) == row.partial,
                     qPrintable(f.texts.back()));
            QVERIFY2(radio.Mode() == sim::CSimRadio::kNormalMode, row.name);
            QVERIFY2((radio.Memory()[0x128] & 0x08) == 0x08, row.name);
            // Every transfer that got to its data keeps a backup: what was read, or what was to be sent.
            const auto backups = Backups(folder.Path());
            QVERIFY2(backups.size() == (ok || row.partial ? 1u : 0u), row.name);
            if (row.read && ok) {
                QCOMPARE(dialog->Percent(), 100);
                QCOMPARE(f.data->Channels()[0]->RxFrequency(), 0x44610625u);
                QCOMPARE(dialog->BackupFile(), backups[0]);
                QVERIFY(backups[0].filename().string().ends_with("_QL-210_read.dat"));
                QCOMPARE(ImageOf(backups[0]), held);
                DataFileHeader header;
                QVERIFY(ReadHeader(backups[0], header) && header.ModelName() == "QL-210");
                continue;
            }
            if (!ok) // a failed transfer leaves the document as it was
                QVERIFY2(!dialog->Result().ok && f.data->GetImage() == document &&
                             f.data->Identity().freqRange == "400-470",
                         row.name);
            if (row.message == msg::kVerifyFailed)
                QCOMPARE(dialog->Result().argument, std::string("0x0600"));
            if (!row.read && (ok || row.partial)) {
                QVERIFY(backups[0].filename().string().ends_with("_QL-210_write.dat"));
                // As it was about to be written (with the radio's tune switch bit), before the stamp.
                Image sent = document;
                sent[0x128] |= 0x08;
                QCOMPARE(ImageOf(backups[0]), sent);
            }
            if (ok)
                QCOMPARE(radio.Memory()[0x580 + 20 + 6], 0x70);
        }
    }

    // The trace window shows the frames of the last radio command and saves
    // them; a file that cannot be made is said.
    void TraceWindowShowsAndSavesTheLastCommand()
    {
        test::CFrameFixture f;
        auto trace = std::make_shared<CSerialTrace>();
        {
            CDlgSerialTrace empty(f.Settings(), trace);
            QCOMPARE(empty.TextBox()->toPlainText(),
                     QString::fromStdString(f.Settings().GetText(caption::kSerialTraceEmpty)));
            QVERIFY(!empty.SaveButton()->isEnabled());
        }
        const std::vector<std::uint8_t> probe{0x02, 'P', 'a', 0x03};
        trace->RecordAt(1.5, CTraceChunk::Kind::Tx, probe);
        CDlgSerialTrace dialog(f.Settings(), trace);
        QCOMPARE(dialog.TextBox()->toPlainText(), QStringLiteral("   1.500 ms  TX  02 50 61 03\n"));
        QVERIFY(dialog.SaveButton()->isEnabled());
        test::CTempDir dir;
        const QString path = QString::fromStdString((dir.Path() / "trace.txt").string());
        QVERIFY(dialog.SaveTo(path));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toStdString(), trace->Text());
        QVERIFY(!dialog.SaveTo(QString::fromStdString((dir.Path() / "missing" / "t.txt").string())));
        QCOMPARE(f.messages.back(), msg::kSaveCannotCreate);

        // A read through the program's port lands in the program's trace.
        f.Radio();
        auto reading = f.frame->MakeTransferDialog(true);
        reading->SetBackupFolder({});
        reading->Start();
        QVERIFY(QTest::qWaitFor([&f] { return f.messages.back() == msg::kRadioReadDone; }, 30000));
        CDlgSerialTrace program(f.Settings(), ProgramTrace());
        const QString text = program.TextBox()->toPlainText();
        QVERIFY(text.contains(QStringLiteral(" TX ")) && text.contains(QStringLiteral(" RX ")));
    }
};

QRV_REGISTER_UI_TEST(RadioExtrasTest);

} // namespace qrv

#include "test_radio_extras.moc"
