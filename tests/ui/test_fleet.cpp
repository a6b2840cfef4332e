// Write to Several Radios and Compare with Radio on the program's simulated
// radios, as a user runs them from the main window.
#include "dialogs/dlg_transfer.h"
#include "fleet/fleet_record.h"
#include "frame_fixture.h"
#include "presentation/caption_numbers.h"
#include "radio_data/messages.h"
#include "radio_link/radio_messages.h"
#include "radios/dlg_compare_result.h"
#include "radios/dlg_fleet_log.h"
#include "radios/dlg_fleet_write.h"
#include "radios/simulated_radios.h"
#include "ui_test_registry.h"
#include "util/text_format.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>

#include <optional>

namespace qrv {

class FleetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Simulated radios, three at once or one on one cable: every row ends
    // with its radio's outcome, every radio is logged and back in mode 1, no
    // worker is left, whether the run ends, is stopped or its window is closed.
    void SeveralRadiosAtOnce()
    {
        enum class End { Done, Stop, Close, StopOneCable };
        using O = FleetOutcome;
        const struct {
            const char* name;
            End end;
            std::vector<FleetOutcome> outcomes;
            std::vector<int> messages;
        } rows[] = {
            {"one radio refuses a block", End::Done, {O::Verified, O::Failed, O::Verified}, {}},
            {"stopped halfway", End::Stop, {O::Stopped, O::Stopped, O::Stopped}, {}},
            {"closed halfway", End::Close, {O::Stopped, O::Stopped, O::Stopped}, {msg::kFleetStopQuestion}},
            {"one cable, stopped while the radio waits to be unplugged", End::StopOneCable, {O::Verified}, {}},
        };
        for (const auto& row : rows) {
            test::CFrameFixture f;
            std::vector<sim::CSimRadio*> radios;
            const int count = static_cast<int>(row.outcomes.size());
            for (int number = 1; number <= count; ++number) {
                radios.push_back(&f.frame->SimulatedRadio(number));
                if (row.end == End::Stop || row.end == End::Close)
                    radios.back()->Faults().replyDelay = std::chrono::milliseconds(10);
            }
            if (row.end == End::Done)
                radios[1]->Faults().refuseWriteAt = 0x100; // in the block at 0x0F8
            // Channel 1 receives on 446.12500 MHz in the codeplug only: bytes 00 25 61 44 at 0x584.
            f.data->Channels()[0]->SetRxFrequency(0x44612500);
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
                if (row.end == End::Stop)
                    QTest::mouseClick(dialog->StopButton(), Qt::LeftButton);
                else
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
            // The radios written hold the codeplug; the one that refused never got to the channels.
            QCOMPARE(radios[0]->Memory()[0x586], std::uint8_t{0x61});
            QCOMPARE(radios[2]->Memory()[0x586], std::uint8_t{0x61});
            QCOMPARE(radios[1]->Memory()[0x586], std::uint8_t{0x60});
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
            QString firstLine; // empty: the range message's first line
        } rows[] = {
            {"equal", std::nullopt, 470, {msg::kRadioHoldsCodeplug}, {}},
            {"channel 1 changed",
             std::uint8_t{0x61},
             470,
             {},
             QStringLiteral("Channel 1, Rx frequency (0x584): 25 06 61 44 -> 25 06 60 44")},
            {"the radio's range is narrower", std::nullopt, 450, {}, {}},
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
            QCOMPARE(shown.section(QLatin1Char('\n'), 0, 0),
                     row.radioUpperMHz != 470 ? range.section(QLatin1Char('\n'), 0, 0) : row.firstLine);
            if (!shown.isEmpty())
                QCOMPARE(QString::fromStdString(test::ReadText(saved)), shown + QLatin1Char('\n'));
            QCOMPARE(f.data->GetImage(), codeplug);
            QVERIFY2(radio.Memory() == held, row.name);
            QCOMPARE(radio.Mode(), sim::CSimRadio::kNormalMode);
        }
    }
};

QRV_REGISTER_UI_TEST(FleetTest);

} // namespace qrv

#include "test_fleet.moc"
