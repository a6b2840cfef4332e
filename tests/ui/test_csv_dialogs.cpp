// Importing channels as a user meets it: the column set is recognised, the
// rows that cannot be taken are listed, replacing the list is said before
// it happens, declining changes nothing, accepting takes the good rows.
#include "csv/channel_csv.h"
#include "dialogs/dlg_import_channels.h"
#include "editor_fixture.h"
#include "radio_data/messages.h"
#include "shell/qt_text.h"
#include "ui_test_registry.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace qrv {

namespace {

// Rows 2 and 4 are good; row 3 is outside 400-470 MHz, row 5 has a tone not in the table.
const char* const kMixedFile = "Frequency,Tone,rToneFreq,Mode\r\n"
                               "440.5,,,NFM\r\n"
                               "146.52,,,FM\r\n"
                               "441.25,Tone,100.0,FM\r\n"
                               "442,Tone,99.9,FM\r\n";

} // namespace

class CsvDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void listsTheRejectedRowsWithLineAndReason()
    {
        test::CEditorFixture f;
        CDlgImportChannels dialog(*f.data, f.Settings(), kMixedFile);
        QTableWidget* table = dialog.RejectedTable();
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("3"));
        QCOMPARE(table->item(1, 0)->text(), QStringLiteral("5"));
        QVERIFY(table->item(1, 1)->text().contains(QStringLiteral("99.9")));
        QVERIFY(dialog.Buttons()->button(QDialogButtonBox::Ok)->isEnabled());
        const QString replaces = Q(f.Settings().GetMessage(csvmsg::kReplacesList));
        QVERIFY(dialog.Question()->text().contains(replaces));
        dialog.AppendBox()->setChecked(true);
        QVERIFY(!dialog.Question()->text().contains(replaces));
    }

    void decliningChangesNothing()
    {
        test::CEditorFixture f;
        const Image before = f.Stored();
        CDlgImportChannels dialog(*f.data, f.Settings(), kMixedFile);
        dialog.AppendBox()->setChecked(true);
        dialog.AppendBox()->setChecked(false);
        QTest::mouseClick(dialog.Buttons()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(f.Stored() == before);
        QCOMPARE(f.data->Channels().size(), std::size_t{16});
    }

    void acceptingTakesTheGoodRows()
    {
        test::CEditorFixture f;
        CDlgImportChannels dialog(*f.data, f.Settings(), kMixedFile);
        QTest::mouseClick(dialog.Buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const Image image = f.Stored();
        QCOMPARE(f.data->Channels().size(), std::size_t{2});
        // Channel 1 at 0x580: receive 440.50000 MHz, no tones, 12.5 kHz; channel 2 transmits 100.0 Hz.
        QCOMPARE(GetLe32(image, 0x580 + 4), std::uint32_t{0x44050000});
        QCOMPARE(GetLe32(image, 0x580 + 20 + 4), std::uint32_t{0x44125000});
        QCOMPARE(CToneWord(GetLe16(image, 0x580 + 20 + 14)).Type(), CToneWord::kTypeCtcss);
        QCOMPARE(CToneWord(GetLe16(image, 0x580 + 20 + 12)).Type(), CToneWord::kTypeNone);
    }

    void appendingToAFullListTakesNothing()
    {
        test::CEditorFixture f;
        CDlgImportChannels dialog(*f.data, f.Settings(), kMixedFile);
        dialog.AppendBox()->setChecked(true);
        QCOMPARE(dialog.RejectedTable()->rowCount(), 4);
        QVERIFY(!dialog.Buttons()->button(QDialogButtonBox::Ok)->isEnabled());
        QVERIFY(dialog.Result().channels.empty());
    }

    void aFileThatCannotBeReadIsReported()
    {
        test::CEditorFixture f;
        const Image before = f.Stored();
        QVERIFY(!ImportChannelsFromFile(nullptr, *f.data, f.Settings(),
                                        QString::fromStdString((f.program.Path() / "missing.csv").string()),
                                        CCsvFormat::Native));
        QCOMPARE(f.messages, std::vector<int>{msg::kReadMissing});
        QVERIFY(f.Stored() == before);
    }

    void exportWritesTheFileThatImportReads()
    {
        test::CEditorFixture f;
        const QString path = QString::fromStdString((f.program.Path() / "channels.csv").string());
        QVERIFY(ExportChannelsToFile(nullptr, *f.data, f.Settings(), path, CCsvFormat::Native));
        const std::string text = test::ReadText(f.program.Path() / "channels.csv");
        const CImportResult result = ImportChannels(text, *f.data, f.Settings(), CCsvFormat::Native, false);
        QVERIFY(result.rejected.empty());
        QCOMPARE(result.channels.size(), f.data->Channels().size());

        // A read-only file is refused with the reason and left as it was.
        std::filesystem::permissions(f.program.Path() / "channels.csv", std::filesystem::perms::owner_read);
        QVERIFY(!ExportChannelsToFile(nullptr, *f.data, f.Settings(), path, CCsvFormat::Common));
        QCOMPARE(f.messages, std::vector<int>{msg::kSaveReadOnly});
        QCOMPARE(test::ReadText(f.program.Path() / "channels.csv"), text);
    }
};

QRV_REGISTER_UI_TEST(CsvDialogsTest);

} // namespace qrv

#include "test_csv_dialogs.moc"
