// The radio commands through their dialogs with the program's simulated
// radios: Read from Radio and Write to Radio, good and failing (what the user
// is told, what the codeplug, the radio and the backup folder hold
// afterwards), Write to Several Radios and Compare with Radio.
#include "dialogs/dlg_transfer.h"
#include "fleet/fleet_record.h"
#include "frame_fixture.h"
#include "radios/dlg_compare_result.h"
#include "radios/dlg_fleet_log.h"
#include "radios/dlg_fleet_write.h"
#include "radios/simulated_radios.h"
#include "util/text_format.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include <optional>

namespace qrv {

class RadioExtrasTest : public QObject {
    Q_OBJECT

private slots:
    // The radio holds 446.10625 MHz on channel 1 and the codeplug 470.00625
    // MHz on channel 2; a write that fails after its first block says what
    // the radio may now hold and where the codeplug sent is kept. Every way a
    // transfer fails, with its message: the unit tests' transfer fault table.
    void TransfersSayWhatHappenedAndKeepTheDocument()
    {
        const struct {
            const char* name;
            bool read;
            std::function<void(sim::CSimFaults&)> fault;
            int message;
            bool partial = false; // the message names the backup folder
            bool verify = true;
        } rows[] = {
            {"read", true, {}, msg::kRadioReadDone},
            {"read, bad checksum", true, [](sim::CSimFaults& x) { x.badChecksumAt = 0x7F0; }, msg::kRadioReadFailed},
            {"write", false, {}, msg::kRadioWriteDone},
            {"write, block lost", false, [](sim::CSimFaults& x) { x.dropWriteAt = 0x600; }, msg::kVerifyFailed, true},
            {"write, block lost, verify off", false, [](sim::CSimFaults& x) { x.dropWriteAt = 0x600; },
             msg::kRadioWriteDone, false, false},
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
            // Every transfer that got to its data keeps a backup: what was read, or what was to be sent.
            std::vector<std::filesystem::path> backups;
            for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
                backups.push_back(entry.path());
            QVERIFY2(backups.size() == (ok || row.partial ? 1u : 0u), row.name);
            if (!backups.empty()) {
                QCOMPARE(dialog->BackupFile(), backups[0]);
                // What was to be written (with the radio's tune switch bit), before the stamp.
                Image sent = document;
                sent[0x128] |= 0x08;
                QCOMPARE(test::ImageOfFile(backups[0]), row.read ? held : sent);
            }
            if (!ok) // a failed transfer leaves the document as it was
                QVERIFY2(!dialog->Result().ok && f.data->GetImage() == document &&
                             f.data->Identity().freqRange == "400-470",
                         row.name);
            else if (row.read) // what was read reaches the window
                QVERIFY(dialog->Percent() == 100 && f.data->Channels()[0]->RxFrequency() == 0x44610625u);
            else
                QCOMPARE(radio.Memory()[0x580 + 20 + 6], 0x70);
        }
    }
};

QRV_REGISTER_UI_TEST(RadioExtrasTest);

class FleetTest : public QObject {
    Q_OBJECT

private slots:
    // Simulated radios, three at once or one on one cable: every row ends
    // with its radio's outcome, every radio is logged and back in mode 1, no
    // worker is left, whether the run ends, is stopped or its window is closed.
    void SeveralRadiosAtOnce()
    {
        enum class End { Done, Close, StopOneCable };
        using O = FleetOutcome;
        const struct {
            const char* name;
            End end;
            std::vector<FleetOutcome> outcomes;
            std::vector<int> messages;
        } rows[] = {
            {"one radio refuses a block", End::Done, {O::Verified, O::Failed, O::Verified}, {}},
            {"closed halfway", End::Close, {O::Stopped, O::Stopped, O::Stopped}, {msg::kFleetStopQuestion}},
            {"one cable, stopped while the radio waits to be unplugged", End::StopOneCable, {O::Verified}, {}},
        };
        for (const auto& row : rows) {
            test::CFrameFixture f;
            std::vector<sim::CSimRadio*> radios;
            const int count = static_cast<int>(row.outcomes.size());
            for (int number = 1; number <= count; ++number) {
                radios.push_back(&f.frame->SimulatedRadio(number));
                if (row.end == End::Close)
                    radios.back()->Faults().replyDelay = std::chrono::milliseconds(10);
            }
            if (row.end == End::Done)
                radios[1]->Faults().refuseWriteAt = 0x100; // in the block at 0x0F8
            const auto name = [&f](FleetOutcome outcome) {
                return f.Settings().GetItemText(caption::kFleetOutcomes, static_cast<int>(outcome));
            };
            auto dialog = f.frame->MakeFleetDialog();
            QVERIFY(dialog != nullptr);
            const auto log = f.program.Path() / "fleet_log.csv";
            dialog->SetLogPath(log);
            dialog->SimulatedCount()->setValue(count);
            dialog->OneCableButton()->setChecked(row.end == End::StopOneCable);
            QTest::mouseClick(dialog->StartButton(), Qt::LeftButton);
            QTableWidget* table = dialog->Rows();
            QCOMPARE(table->rowCount(), count);
            if (row.end == End::StopOneCable) {
                const QString unplug = QString::fromStdString(f.Settings().GetMessage(msg::kFleetWaitingForUnplug))
                                           .section(QLatin1Char('('), 0, 0);
                QTRY_VERIFY_WITH_TIMEOUT(table->item(0, 2)->text().contains(unplug), 30000);
                QTest::mouseClick(dialog->StopButton(), Qt::LeftButton);
            } else if (row.end != End::Done) {
                const auto writing = [table](int r) {
                    return qobject_cast<QProgressBar*>(table->cellWidget(r, 1))->value() > 0;
                };
                QTRY_VERIFY_WITH_TIMEOUT(writing(0) && writing(1) && writing(2), 30000);
                dialog->reject(); // the question is answered Yes
            }
            QTRY_VERIFY_WITH_TIMEOUT(dialog->StartButton()->isEnabled(), 60000);
            QVERIFY2(!dialog->Run()->Running(), row.name);
            QCOMPARE(f.messages, row.messages);
            for (int r = 0; r < count; ++r) {
                const FleetOutcome outcome = row.outcomes[static_cast<std::size_t>(r)];
                const QString status = table->item(r, 2)->text();
                QVERIFY2(status.startsWith(QString::fromStdString(name(outcome))), qPrintable(status));
                // Each simulated radio has a serial number of its own; one
                // cable stopped while the radio waits says so after it.
                const std::string serial = CSimulatedRadios::SerialNumber(r + 1);
                const std::string end =
                    row.end == End::StopOneCable ? serial + kFleetSeparator + name(FleetOutcome::Stopped) : serial;
                if (outcome == FleetOutcome::Verified)
                    QVERIFY2(status.endsWith(QString::fromStdString(end)), qPrintable(status));
                QCOMPARE(radios[static_cast<std::size_t>(r)]->Mode(), sim::CSimRadio::kNormalMode);
            }
            // The log holds a row per radio under its header, and its window shows them.
            const auto logged = ReadFleetLog(dialog.get(), f.Settings(), log);
            QVERIFY(logged.has_value());
            QCOMPARE(logged->size(), row.outcomes.size() + 1);
            CDlgFleetLog window(f.Settings(), *logged);
            QCOMPARE(window.Table()->rowCount(), count);
            QCOMPARE(window.Table()->item(0, 1)->text(), QString::fromStdString(logged->at(1).at(1)));
            if (row.end != End::Done)
                continue;
            const std::string failedAt = FormatMessageNumber(f.Settings().GetMessage(msg::kRadioWriteFailed), 0x0F8);
            QVERIFY2(table->item(1, 2)->text().contains(QString::fromStdString(failedAt)),
                     qPrintable(table->item(1, 2)->text()));
            // A copy of the log is the log; a copy that cannot be made says why.
            const auto copy = f.program.Path() / "copy.csv";
            QVERIFY(SaveFleetLogCopy(dialog.get(), f.Settings(), log, copy));
            QCOMPARE(test::ReadText(copy), test::ReadText(log));
            QVERIFY(!SaveFleetLogCopy(dialog.get(), f.Settings(), log, f.program.Path() / "no" / "copy.csv"));
            QCOMPARE(f.messages, std::vector<int>{msg::kSaveCannotCreate});
        }
    }

    // Compare with Radio reads the radio and changes nothing: equal says so
    // in a message; a radio of a narrower range hears so first, a changed
    // field is listed by channel and field; the list is saved as shown.
    void CompareWithRadio()
    {
        const struct {
            const char* name;
            std::optional<std::uint8_t> channel1Rx; // byte 0x586 in the radio
            int radioUpperMHz;
            std::vector<int> messages;
            const char* firstLine; // empty: the range message's first line
        } rows[] = {
            {"equal", std::nullopt, 470, {msg::kRadioHoldsCodeplug}, ""},
            {"channel 1 changed", 0x61, 470, {}, "Channel 1, Rx frequency (0x584): 25 06 61 44 -> 25 06 60 44"},
            {"the radio's range is narrower", std::nullopt, 450, {}, ""},
        };
        for (const auto& row : rows) {
            test::CFrameFixture f;
            sim::CSimRadio& radio = f.Radio();
            if (row.channel1Rx)
                radio.Memory()[0x586] = *row.channel1Rx;
            radio.Identity().range = sim::CSimIdentity::RangeBlock(radio.Identity().range[0], 400, row.radioUpperMHz);
            const auto held = radio.Memory();
            const Image codeplug = f.data->GetImage();
            auto dialog = f.frame->MakeCompareDialog();
            QVERIFY(dialog != nullptr);
            dialog->Start();
            QTRY_COMPARE_WITH_TIMEOUT(dialog->result(), int(QDialog::Accepted), 30000);
            const auto saved = f.program.Path() / "comparison.txt";
            QString shown;
            test::CDialogAnswers answers({[&](QDialog& d) {
                auto* list = qobject_cast<CDlgCompareResult*>(&d);
                QVERIFY(list != nullptr);
                shown = list->List()->toPlainText();
                QVERIFY(list->SaveTo(QString::fromStdString(saved.string())));
                list->accept();
            }});
            f.frame->AfterCompare(*dialog);
            QCOMPARE(answers.Answered(), row.messages.empty() ? 1 : 0);
            QCOMPARE(f.messages, row.messages);
            const QString range = QString::fromStdString(f.Settings().GetMessage(msg::kRangeOutsideRadio));
            QCOMPARE(shown.section(QLatin1Char('\n'), 0, 0), row.radioUpperMHz != 470
                                                                 ? range.section(QLatin1Char('\n'), 0, 0)
                                                                 : QString::fromUtf8(row.firstLine));
            if (!shown.isEmpty())
                QCOMPARE(QString::fromStdString(test::ReadText(saved)), shown + QLatin1Char('\n'));
            QCOMPARE(f.data->GetImage(), codeplug);
            QVERIFY2(radio.Memory() == held, row.name);
        }
    }
};

QRV_REGISTER_UI_TEST(FleetTest);

} // namespace qrv

#include "test_radio_extras.moc"
