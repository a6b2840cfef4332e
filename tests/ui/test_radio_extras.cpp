// Automatic backups and verify after write through the transfer dialog with
// the simulated radio, and the serial trace window.
#include "dialogs/dlg_serial_trace.h"
#include "dialogs/dlg_transfer.h"
#include "frame_fixture.h"
#include "presentation/caption_numbers.h"
#include "radio_data/data_file.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/radio_messages.h"
#include "shell/main_frame.h"
#include "shell/message_box.h"
#include "shell/port_selector.h"
#include "sim_radio.h"
#include "test_support.h"
#include "ui_test_registry.h"

#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace qrv {

class RadioExtrasTest : public QObject {
    Q_OBJECT

private:
    using CFixture = test::CFrameFixture;

    static std::vector<std::filesystem::path> Backups(const std::filesystem::path& folder)
    {
        std::vector<std::filesystem::path> files;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
            files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }

    static Image ImageOf(const std::filesystem::path& path)
    {
        Image image{};
        if (!ReadBlocks(path, nullptr, image))
            QTest::qFail("not a data file", __FILE__, __LINE__);
        return image;
    }

    // Runs a transfer to its end; the dialog's result.
    static int Run(CDlgTransfer& dialog, CFixture& f)
    {
        const std::size_t before = f.messages.size();
        dialog.Start();
        if (!QTest::qWaitFor([&] { return f.messages.size() > before; }, 30000))
            return -1;
        return dialog.result();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void BackupsForAReadAndAWrite()
    {
        CFixture f;
        test::CTempDir folder;
        f.program.Settings().PortName = kSimulatedPortName;
        sim::CSimRadio& radio = f.frame->SimulatedRadio();
        radio.Memory()[0x586] = 0x61;
        const auto radioBefore = radio.Memory();

        auto reading = f.frame->MakeTransferDialog(true);
        reading->SetBackupFolder(folder.Path());
        QCOMPARE(reading->VerifyBox(), nullptr); // a read has nothing to verify
        QCOMPARE(Run(*reading, f), int(QDialog::Accepted));
        auto files = Backups(folder.Path());
        QCOMPARE(files.size(), std::size_t{1});
        QVERIFY(files[0].filename().string().ends_with("_QL-210_read.dat"));
        QCOMPARE(reading->BackupFile(), files[0]);
        const Image read = ImageOf(files[0]);
        QVERIFY(std::equal(radioBefore.begin(), radioBefore.end(), read.begin()));
        DataFileHeader header;
        QVERIFY(ReadHeader(files[0], header));
        QCOMPARE(header.ModelName(), std::string("QL-210"));
        f.frame->AfterTransfer(true, true);

        f.data->Channels()[1]->SetRxFrequency(0x44700625);
        f.data->StoreToImage(f.data->GetImage());
        const Image sent = f.data->GetImage();
        auto writing = f.frame->MakeTransferDialog(false);
        writing->SetBackupFolder(folder.Path());
        QCOMPARE(Run(*writing, f), int(QDialog::Accepted));
        QCOMPARE(f.messages.back(), msg::kRadioWriteDone);
        files = Backups(folder.Path());
        QCOMPARE(files.size(), std::size_t{2});
        QCOMPARE(writing->BackupFile().filename().string().ends_with("_QL-210_write.dat"), true);
        QCOMPARE(ImageOf(writing->BackupFile()), sent); // as it was about to be written, before the stamp
    }

    void VerifyAfterWriteCatchesALostBlock()
    {
        CFixture f;
        test::CTempDir folder;
        f.program.Settings().PortName = kSimulatedPortName;
        sim::CSimRadio& radio = f.frame->SimulatedRadio();
        radio.Faults().dropWriteAt = 0x600;
        f.data->StoreToImage(f.data->GetImage());
        radio.Memory()[0x600] = static_cast<std::uint8_t>(~f.data->GetImage()[0x600]);

        auto checked = f.frame->MakeTransferDialog(false);
        checked->SetBackupFolder(folder.Path());
        QVERIFY(checked->VerifyBox() != nullptr);
        QVERIFY(checked->VerifyBox()->isChecked()); // on by default
        QCOMPARE(Run(*checked, f), int(QDialog::Rejected));
        QCOMPARE(f.messages.back(), msg::kVerifyFailed);
        QVERIFY(!checked->Result().ok);
        QCOMPARE(checked->Result().argument, std::string("0x0600"));

        auto unchecked = f.frame->MakeTransferDialog(false);
        unchecked->SetBackupFolder({}); // no backups at all
        QTest::mouseClick(unchecked->VerifyBox(), Qt::LeftButton);
        QVERIFY(!unchecked->VerifyBox()->isChecked());
        QCOMPARE(Run(*unchecked, f), int(QDialog::Accepted));
        QCOMPARE(f.messages.back(), msg::kRadioWriteDone);
        QVERIFY(unchecked->BackupFile().empty());
        QCOMPARE(Backups(folder.Path()).size(), std::size_t{1}); // only the first write's
    }

    // A write the radio fails: the dialog says so, and after a partial write
    // says what the radio may now hold and where the codeplug sent is kept.
    void WriteFailuresSayWhatTheRadioHolds()
    {
        struct Row {
            const char* name;
            std::function<void(sim::CSimFaults&)> fault;
            int message;
            bool partial;
        };
        const std::vector<Row> rows{
            {"tune switch unanswered", [](sim::CSimFaults& x) { x.silentReadAt = 0x127; }, msg::kTuneSwitchUnread,
             false},
            {"block refused", [](sim::CSimFaults& x) { x.refuseWriteAt = 0x128; }, msg::kRadioWriteFailed, true},
            {"block lost", [](sim::CSimFaults& x) { x.dropWriteAt = 0x600; }, msg::kVerifyFailed, true},
        };
        for (const Row& row : rows) {
            CFixture f;
            test::CTempDir folder;
            QStringList texts;
            SetMessageBoxHandler([&](int number, const QString& text) {
                f.messages.push_back(number);
                texts.push_back(text);
                return QMessageBox::Ok;
            });
            f.program.Settings().PortName = kSimulatedPortName;
            sim::CSimRadio& radio = f.frame->SimulatedRadio();
            radio.Memory()[0x128] = 0x48;
            radio.Memory()[0x600] = static_cast<std::uint8_t>(~radio.Memory()[0x600]);
            row.fault(radio.Faults());
            f.data->StoreToImage(f.data->GetImage());
            const Image document = f.data->GetImage();
            auto writing = f.frame->MakeTransferDialog(false);
            writing->SetBackupFolder(folder.Path());
            QVERIFY2(Run(*writing, f) == QDialog::Rejected, row.name);
            QVERIFY2(f.messages.back() == row.message, row.name);
            const QString folderText = QString::fromStdString(folder.Path().string());
            QVERIFY2(texts.back().contains(folderText) == row.partial, qPrintable(texts.back()));
            QVERIFY2(radio.Mode() == 1, row.name);
            QVERIFY2((radio.Memory()[0x128] & 0x08) == 0x08, row.name);
            QVERIFY2(f.data->GetImage() == document, row.name);
        }
    }

    void TraceWindowShowsAndSavesTheLastCommand()
    {
        CFixture f;
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
        QCOMPARE(f.messages.back(), msg::kSaveCannotCreate); // no file can be created in a missing folder
    }

    void ProgramTraceRecordsThroughWrappedPorts()
    {
        sim::CSimRadio radio;
        ProgramTrace()->Begin();
        auto port = WrapWithTrace(std::make_unique<CPortSelector>(&radio));
        QVERIFY(port->Open(kSimulatedPortName));
        const std::vector<std::uint8_t> probe{0x02, 'P', 'a', 0x03};
        QCOMPARE(port->Write(probe), probe.size());
        const auto chunks = ProgramTrace()->Chunks();
        QCOMPARE(chunks.size(), std::size_t{2});
        QCOMPARE(chunks[1].bytes, probe);
    }
};

QRV_REGISTER_UI_TEST(RadioExtrasTest);

} // namespace qrv

#include "test_radio_extras.moc"
