// The dialogs as a user meets them: the model dialog over a catalogue, the
// port, file and password dialogs, and the channel import with the rows it
// cannot take.
#include "csv/channel_csv.h"
#include "dialogs/dlg_file.h"
#include "dialogs/dlg_import_channels.h"
#include "dialogs/dlg_model.h"
#include "dialogs/dlg_password.h"
#include "dialogs/dlg_port.h"
#include "frame_fixture.h"
#include "shell/qt_text.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <fcntl.h>
#include <unistd.h>

namespace qrv {

namespace {

// Three identifiers: A with two names and two ranges, B with a gap in its
// ranges (Freq1 missing), C with no section at all.
constexpr const char* kCatalogue = "[Setting]\nModelID=A,B,C\nA=Name1,Name2\nB=Name3\nC=Name4\n"
                                   "[A]\nNumber=2\nFreq0=400, 470, 400, 470, 1\nFreq1=136, 174, 136, 174, 128\n"
                                   "[B]\nNumber=3\nFreq0=350, 390, 350, 390, 2\nFreq2=450, 520, 450, 520, 3\n";

// Rows 2 and 4 are good; row 3 is outside 400-470 MHz, row 5 has a tone not in the table.
const char* const kMixedFile = "Frequency,Tone,rToneFreq,Mode\r\n"
                               "440.5,,,NFM\r\n"
                               "146.52,,,FM\r\n"
                               "441.25,Tone,100.0,FM\r\n"
                               "442,Tone,99.9,FM\r\n";

// A combo box's texts, or its item data, joined by commas.
QString Items(const QComboBox& combo, bool data = false)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << (data ? QString::number(combo.itemData(i).toInt()) : combo.itemText(i));
    return items.join(QLatin1Char(','));
}

// What the combo box does when the user picks an entry.
void Choose(QComboBox& combo, int index)
{
    QVERIFY(index >= 0 && index < combo.count());
    combo.setCurrentIndex(index);
    emit combo.activated(index);
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Where the model dialog starts on the document's identity, what a
    // choice of name refills, and what OK hands back (never an empty range).
    // The per-model value in the language file disables the signalling list,
    // also after another model is chosen.
    void ModelDialogStartsChoosesAndConfirms()
    {
        const struct {
            const char* name;
            const char* catalogue; // nullptr: the shipped Model.dat
            const char *id, *modelName, *range;
            int signal;
            const char *ranges, *rangeData; // the lists after the choices
            int nameAt, rangeAt, signalAt;
            const char *okId, *okName, *okRange;
            int okSignal;
            int chooseName = -1, chooseRange = -1, chooseSignal = -1; // list positions the user picks, -1 none
            bool signallingOff = false;
        } rows[] = {
            // The lists search by prefix: the first entry that begins with the value.
            {"prefixes", nullptr, "QL210", "QL-2", "136", 1, "400-470,136-174,350-390", "1,128,2", 0, 1, 1, "QL210",
             "QL-210", "136-174", 1},
            {"nothing matches", nullptr, "QL210", "Other", "999-1000", 1, "400-470,136-174,350-390", "1,128,2", -1, 0,
             1, "QL210", "", "400-470", 1},
            // Names in the order of the identifiers; ranges of the current one, a missing key skipped.
            {"own catalogue", kCatalogue, "B", "Name3", "450-520", 0, "350-390,450-520", "2,3", 2, 1, 0, "B", "Name3",
             "450-520", 0},
            // Another identifier refills the ranges and starts on the first signalling entry.
            {"another identifier", kCatalogue, "A", "Name1", "136-174", 1, "350-390,450-520", "2,3", 2, 1, 3, "B",
             "Name3", "450-520", 3, 2, 1, 3},
            {"another name of the identifier", kCatalogue, "A", "Name1", "136-174", 0, "400-470,136-174", "1,128", 1, 1,
             0, "A", "Name2", "136-174", 0, 1},
            // A model without ranges falls back to 136-174.
            {"no section", kCatalogue, "C", "Name4", "", 0, "136-174", "128", 3, 0, 0, "C", "Name4", "136-174", 0},
            {"signalling switched off", nullptr, "QL210", "QL-210", "400-470", 2, "400-470,136-174,350-390", "1,128,2",
             1, 0, 0, "QL210", "QL-220", "400-470", 0, 1, -1, -1, true},
        };
        for (const auto& row : rows) {
            test::CProgramDir program;
            if (row.catalogue != nullptr)
                test::WriteText(program.Path() / "Model.dat", row.catalogue);
            if (row.signallingOff) {
                std::string text = test::ReadText(program.Path() / "QRV_E.lng");
                const auto at = text.find("S0001076=0");
                QVERIFY(at != std::string::npos);
                test::WriteText(program.Path() / "QRV_E.lng", text.replace(at, 10, "S0001076=1"));
            }
            CDlgModel dialog(program.Reopen(),
                             {row.id, row.modelName, row.range, row.signal, CSettings::kProgramVersion});
            QVERIFY2(dialog.SignalList()->isEnabled() == !row.signallingOff, row.name);
            const bool untouched = row.chooseName < 0 && row.chooseRange < 0 && row.chooseSignal < 0;
            if (untouched && row.catalogue == nullptr) // until the user does something: the current values
                QVERIFY2(dialog.ModelName() == row.modelName && dialog.FreqRange() == row.range, row.name);
            if (row.chooseName >= 0)
                Choose(*dialog.ModelNameList(), row.chooseName);
            if (row.chooseRange >= 0)
                Choose(*dialog.RangeList(), row.chooseRange);
            if (row.chooseSignal >= 0)
                Choose(*dialog.SignalList(), row.chooseSignal);
            if (row.catalogue != nullptr) // the names in the order of the identifiers
                QVERIFY2(Items(*dialog.ModelNameList()) == QLatin1String("Name1,Name2,Name3,Name4"), row.name);
            QVERIFY2(Items(*dialog.RangeList()) == QLatin1String(row.ranges), row.name);
            QVERIFY2(Items(*dialog.RangeList(), true) == QLatin1String(row.rangeData), row.name);
            QVERIFY2(dialog.ModelNameList()->currentIndex() == row.nameAt, row.name);
            QVERIFY2(dialog.RangeList()->currentIndex() == row.rangeAt, row.name);
            QVERIFY2(dialog.SignalList()->currentIndex() == row.signalAt, row.name);
            QVERIFY2(dialog.SignalList()->isEnabled() == !row.signallingOff, row.name);
            dialog.Confirm();
            QVERIFY2(dialog.result() == QDialog::Accepted, row.name);
            QVERIFY2(dialog.ModelID() == row.okId && dialog.ModelName() == row.okName, row.name);
            QVERIFY2(dialog.FreqRange() == row.okRange && dialog.Signal() == row.okSignal, row.name);
        }
    }

    // The port dialog: the system's names with what it says of each, a port
    // the user may not open still listed with the fix, a typed device path
    // (here a real pseudo-terminal) that comes back typed, the simulated radio.
    void ThePortDialogListsRealNamesReasonsAndATypedPath()
    {
        test::CProgramDir program;
        const CPortInfo usb{"/dev/ttyUSB0", "ttyUSB0", "FT232R USB UART", "FTDI", "A10KX", true, {}, "", ""};
        const CPortInfo locked{"/dev/ttyACM0", "ttyACM0", "USB Serial", "", "", false, PortProblem::NoPermission,
                               "dialout",      ""};
        CDlgPort dialog(program.Settings(), {usb, locked});
        QCOMPARE(dialog.Ports(), (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyACM0", kSimulatedPortName}));
        QVERIFY(dialog.DetailsOf(0).contains(QStringLiteral("FTDI")));
        QVERIFY(dialog.DetailsOf(0).contains(QStringLiteral("serial number A10KX")));
        QVERIFY(dialog.DetailsOf(1).contains(QStringLiteral("join the group dialout")));
        dialog.Choose(1); // chosen all the same: it works once the user has joined
        QCOMPARE(dialog.PortName(), std::string("/dev/ttyACM0"));
        dialog.Choose(2);
        QCOMPARE(dialog.PortName(), std::string(kSimulatedPortName));
        const int pty = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(pty >= 0 && ::grantpt(pty) == 0 && ::unlockpt(pty) == 0);
        const QString typed = QString::fromLatin1(::ptsname(pty));
        QTest::keyClicks(dialog.OtherPortEdit(), typed);
        QCOMPARE(dialog.PortName(), typed.toStdString());
        QCOMPARE(dialog.PortNumber(), 0);
        program.Settings().PortName = typed.toStdString();
        CDlgPort again(program.Settings(), {usb});
        QCOMPARE(again.PortName(), typed.toStdString());
        ::close(pty);
    }

    // Saving takes a comment; opening previews a file's identity and comment read-only.
    void TheFileDialogPreviewsAndTakesTheComment()
    {
        test::CFrameFixture f;
        const auto path = f.program.Path() / "with-comment.dat";
        {
            CDlgFile save(false, f.Settings(), QString(), f.frame.get());
            save.SetHeader(FillHeader(f.data->Identity(), 1));
            QVERIFY(!save.CommentBox()->isReadOnly());
            QCOMPARE(save.RangeText(), QStringLiteral("400 - 470MHz"));
            save.CommentBox()->setPlainText(QStringLiteral("Fleet of ten"));
            QVERIFY(f.frame->SaveFileAs(path, save.Comment()));
        }
        CDlgFile open(true, f.Settings(), QString(), f.frame.get());
        QVERIFY(open.CommentBox()->isReadOnly());
        open.ShowPreviewOf(QString::fromStdString(path.string()));
        QCOMPARE(open.ModelText(), QStringLiteral("QL-210"));
        QCOMPARE(open.RangeText(), QStringLiteral("400 - 470MHz"));
        QCOMPARE(open.VersionText(), QStringLiteral("1.01.05"));
        QCOMPARE(open.CommentBox()->toPlainText(), QStringLiteral("Fleet of ten"));
        const auto other = f.program.Path() / "not-a-codeplug.txt";
        test::WriteText(other, "hello");
        open.ShowPreviewOf(QString::fromStdString(other.string()));
        QVERIFY(open.ModelText().isEmpty() && open.CommentBox()->toPlainText().isEmpty());
        QVERIFY(CDlgFile::NameFilters(f.Settings()).first().contains(QStringLiteral("*.dat")));
    }

    // Every password field takes only what the radio stores, says why it
    // refuses, and never cuts a paste; a change needs the old password and
    // the new one twice (what the radio stores and how the old one compares:
    // the unit tests of the password rules).
    void ThePasswordDialogs()
    {
        test::CEditorFixture f;
        const struct {
            const char *name, *typed, *pasted, *kept;
            int message; // 0: none
        } entries[] = {{"ninth character typed", "123456789", "", "12345678", msg::kPasswordTooLong},
                       {"spaces and punctuation", " ~a Z!  ", "", " ~a Z!  ", 0},
                       {"over-long text pasted", "a", "bcdefghi", "a", msg::kPasswordTooLong}};
        CDlgInputPassword input(f.Settings());
        CDlgChangePassword edits(f.Settings(), "Secret");
        for (QLineEdit* edit : {input.Edit(), edits.OldEdit(), edits.NewEdit(), edits.ConfirmEdit()}) {
            QCOMPARE(edit->toolTip().toStdString(), f.Settings().GetMessage(msg::kPasswordRule));
            for (const auto& e : entries) {
                edit->clear();
                f.messages.clear();
                for (const QChar c : QString::fromUtf8(e.typed)) { // as a keyboard layout with these letters sends them
                    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                    QApplication::sendEvent(edit, &key);
                }
                if (*e.pasted != 0) {
                    QApplication::clipboard()->setText(QString::fromUtf8(e.pasted));
                    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
                }
                QVERIFY2(edit->text() == QString::fromUtf8(e.kept), e.name);
                QVERIFY2(f.messages == (e.message == 0 ? std::vector<int>{} : std::vector<int>{e.message}), e.name);
            }
        }
        const struct {
            const char *old, *typed, *confirmation;
            int message;
            bool accepted;
        } rows[] = {{"wrong", "new1", "new1", msg::kWrongOldPassword, false},
                    {"Secret", "new1", "new2", msg::kPasswordMismatch, false},
                    {"Secret", "new1", "new1", msg::kPasswordChanged, true}};
        for (const auto& row : rows) {
            f.messages.clear();
            CDlgChangePassword change(f.Settings(), "Secret");
            change.OldEdit()->setText(QString::fromLatin1(row.old));
            change.NewEdit()->setText(QString::fromLatin1(row.typed));
            change.ConfirmEdit()->setText(QString::fromLatin1(row.confirmation));
            change.Confirm();
            QCOMPARE(f.messages, std::vector<int>{row.message});
            QCOMPARE(change.result() == QDialog::Accepted, row.accepted);
            // A wrong old password is cleared; a mismatch clears only the new one.
            QCOMPARE(change.OldEdit()->text().isEmpty(), row.message == msg::kWrongOldPassword);
            QCOMPARE(change.NewEdit()->text().isEmpty(), !row.accepted);
            if (row.accepted)
                QCOMPARE(change.NewPassword(), std::string("new1"));
        }
    }

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
            // Appending to the full list takes nothing: every row is listed and OK is off.
            dialog.AppendBox()->setChecked(true);
            QVERIFY(!dialog.Question()->text().contains(replaces));
            QCOMPARE(dialog.RejectedTable()->rowCount(), 4);
            QVERIFY(!dialog.Buttons()->button(QDialogButtonBox::Ok)->isEnabled() && dialog.Result().channels.empty());
            dialog.AppendBox()->setChecked(false);
            QCOMPARE(table->rowCount(), 2);
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
        }
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

QRV_REGISTER_UI_TEST(DialogsTest);

} // namespace qrv

#include "test_dialogs.moc"
