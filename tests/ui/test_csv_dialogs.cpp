// Importing channels as a user meets it: the rows that cannot be taken are
// listed, replacing the list is said before it happens, declining changes
// nothing, accepting takes the good rows; files that cannot be read or
// written are said and left alone.
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
    // Replacing: the rejected rows by line and reason, and the question says
    // the list is replaced; Cancel keeps the codeplug, OK takes the good rows.
    void ImportListsTheRejectedRowsThenReplacesOnlyOnOk()
    {
        for (const auto button : {QDialogButtonBox::Cancel, QDialogButtonBox::Ok}) {
            test::CEditorFixture f;
            const Image before = f.Stored();
            CDlgImportChannels dialog(*f.data, f.Settings(), kMixedFile);
            QTableWidget* table = dialog.RejectedTable();
            QCOMPARE(table->rowCount(), 2);
            QCOMPARE(table->item(0, 0)->text(), QStringLiteral("3"));
            QCOMPARE(table->item(1, 0)->text(), QStringLiteral("5"));
            QVERIFY(table->item(1, 1)->text().contains(QStringLiteral("99.9")));
            const QString replaces = Q(f.Settings().GetMessage(csvmsg::kReplacesList));
            QVERIFY(dialog.Question()->text().contains(replaces));
            dialog.AppendBox()->setChecked(true);
            QVERIFY(!dialog.Question()->text().contains(replaces));
            dialog.AppendBox()->setChecked(false);
            QVERIFY(dialog.Buttons()->button(QDialogButtonBox::Ok)->isEnabled());
            QTest::mouseClick(dialog.Buttons()->button(button), Qt::LeftButton);
            if (button == QDialogButtonBox::Cancel) {
                QCOMPARE(dialog.result(), int(QDialog::Rejected));
                QVERIFY(f.Stored() == before);
                continue;
            }
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(f.data->Channels().size(), std::size_t{2});
            QCOMPARE(GetLe32(f.Stored(), 0x580 + 4), std::uint32_t{0x44050000}); // 440.50000 MHz
            QCOMPARE(GetLe32(f.Stored(), 0x580 + 20 + 4), std::uint32_t{0x44125000});
        }
    }

    // Appending to a full list takes nothing: every row is listed and OK is off.
    void AppendingToAFullListTakesNothing()
    {
        test::CEditorFixture f;
        CDlgImportChannels dialog(*f.data, f.Settings(), kMixedFile);
        dialog.AppendBox()->setChecked(true);
        QCOMPARE(dialog.RejectedTable()->rowCount(), 4);
        QVERIFY(!dialog.Buttons()->button(QDialogButtonBox::Ok)->isEnabled());
        QVERIFY(dialog.Result().channels.empty());
    }

    // A missing file is said on import; a read-only one on export, and left as it was.
    void FilesThatCannotBeUsedAreSaid()
    {
        test::CEditorFixture f;
        const Image before = f.Stored();
        QVERIFY(!ImportChannelsFromFile(nullptr, *f.data, f.Settings(),
                                        QString::fromStdString((f.program.Path() / "missing.csv").string()),
                                        CCsvFormat::Native));
        QCOMPARE(f.messages, std::vector<int>{msg::kReadMissing});
        QVERIFY(f.Stored() == before);
        const auto file = f.program.Path() / "channels.csv";
        const QString path = QString::fromStdString(file.string());
        QVERIFY(ExportChannelsToFile(nullptr, *f.data, f.Settings(), path, CCsvFormat::Native));
        const std::string text = test::ReadText(file);
        std::filesystem::permissions(file, std::filesystem::perms::owner_read);
        QVERIFY(!ExportChannelsToFile(nullptr, *f.data, f.Settings(), path, CCsvFormat::Common));
        QCOMPARE(f.messages, (std::vector<int>{msg::kReadMissing, msg::kSaveReadOnly}));
        QCOMPARE(test::ReadText(file), text);
    }
};

QRV_REGISTER_UI_TEST(CsvDialogsTest);

} // namespace qrv

#include "test_csv_dialogs.moc"
