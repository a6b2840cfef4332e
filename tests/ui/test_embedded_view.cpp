// The embedded message view: the codeplug's messages edited without a radio,
// Read from Radio behind a question, failed reads that keep what was typed,
// Write behind the radio password, and the password change.
#include "dialogs/dlg_password.h"
#include "editor_fixture.h"
#include "editors/common/undo_controller.h"
#include "editors/embedded/embedded_message_page.h"
#include "editors/embedded/view_embedded.h"
#include "frame_fixture.h"
#include "radio_data/messages.h"
#include "radio_link/radio_messages.h"
#include "records/embedded_message_data.h"
#include "ui_test_registry.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

namespace qrv {

namespace {

using test::Bytes;
using test::BytesAt;
using E = CEmbeddedMessageData;
using R = sim::CSimRadio;
constexpr std::size_t kBlock = E::kImageOffset;

// A field as the radio keeps it: the text, then spaces to the width.
Bytes Padded(const std::string& text, std::size_t width)
{
    Bytes bytes(text.begin(), text.end());
    bytes.resize(width, 0x20);
    return bytes;
}

// Answers a password dialog: the text typed and OK (nullptr: Cancel), or
// old, new and confirmation for a change.
test::CDialogAnswers::Answer Typed(const char* text, const char* changed = nullptr)
{
    return [=](QDialog& dialog) {
        if (auto* change = qobject_cast<CDlgChangePassword*>(&dialog); change != nullptr && changed != nullptr) {
            change->OldEdit()->setText(QString::fromLatin1(text));
            change->NewEdit()->setText(QString::fromLatin1(changed));
            change->ConfirmEdit()->setText(QString::fromLatin1(changed));
            change->Confirm();
        } else if (auto* input = qobject_cast<CDlgInputPassword*>(&dialog); input != nullptr && text != nullptr) {
            input->Edit()->setText(QString::fromLatin1(text));
            input->accept();
        }
        if (dialog.isVisible())
            dialog.reject(); // a cancel, or a refused change that would wait for the user
    };
}

// The view in an MDI window.
struct CFixture : test::CEditorFixture {
    QMdiArea area;
    CViewEmbedded* view = nullptr;
    QPointer<QMdiSubWindow> window;

    explicit CFixture(const char* password = "Secret")
    {
        Block().SetFieldText(E::kPasswordField, password);
        Block().SetFieldText(E::kFieldB, "FIELD-B!");
    }
    E& Block() { return data->EmbeddedMessages(); }
    CEmbeddedMessagePage& Page() const { return *view->Page(); }
    void Open()
    {
        view = new CViewEmbedded(*context);
        window = area.addSubWindow(view);
        window->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        window->show();
    }
};

// Read from Radio after message 1 was typed over, with a radio whose messages differ (none: no radio at all).
struct CEmbeddedReadRow {
    const char* name;
    int message;
    bool yes, identified, replaced;
    void (*fault)(R&) = nullptr;
    const char* address = nullptr; // named in the message's text
    bool radio = true;
};
const CEmbeddedReadRow kReadRows[] = {
    {"declined", msg::kReplaceEmbeddedMessages, false, true, false},
    {"accepted", msg::kReplaceEmbeddedMessages, true, true, true},
    {"no radio", msg::kNoRadioAnswer, true, false, false, nullptr, nullptr, false},
    {"block not answered", msg::kRadioReadFailed, true, true, false, [](R& r) { r.Faults().silentReadAt = 0x430; },
     "1072"},
    {"another model", msg::kModelMismatch, true, false, false, [](R& r) { r.Identity().modelId = "QL999"; }},
};

// Write with the codeplug's password "Secret" (none when nothing is typed) and the passwords typed (nullptr: Cancel).
struct CEmbeddedWriteRow {
    const char* name;
    std::vector<const char*> typed;
    std::vector<int> messages;
    bool written;
};
const CEmbeddedWriteRow kWriteRows[] = {
    {"no password, no prompt", {}, {msg::kRadioWriteDone}, true},
    // Letter case counts.
    {"right at the second try", {"secret", "Secret"}, {msg::kWrongPassword, msg::kRadioWriteDone}, true},
    {"three wrong", {"a", "SECRET", "Secre"}, std::vector<int>(3, msg::kWrongPassword), false},
    {"cancelled", {"wrong", nullptr}, {msg::kWrongPassword}, false},
};

} // namespace

class EmbeddedViewTest : public QObject {
    Q_OBJECT

private slots:
    // Cut to the field, padded with spaces, no character the radio cannot show, and each edit a step of undo.
    void TypedMessagesGoIntoTheCodeplugWithoutARadio()
    {
        CFixture f; // no radio at all
        f.Block().SetMessage(0, "From the codeplug");
        const Image before = f.Stored();
        CUndoController undo(*f.context);
        f.Open();
        QCOMPARE(f.Page().MessageEdit(0)->text(), QStringLiteral("From the codeplug"));
        test::TypeInto(*f.Page().MessageEdit(0), QStringLiteral("0123456789abcdefghijABCDEFGHIJ0123456789"));
        QLineEdit* second = f.Page().MessageEdit(1);
        QTest::keyClicks(second, QStringLiteral("A"));
        QKeyEvent wide(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x4E2D)));
        QApplication::sendEvent(second, &wide);
        QTest::keyClicks(second, QStringLiteral("B"));
        QTest::keyClick(second, Qt::Key_Return);
        QCOMPARE(BytesAt(f.Stored(), kBlock + 16, 32), Padded("0123456789abcdefghijABCDEFGHIJ01", 32));
        QCOMPARE(BytesAt(f.Stored(), kBlock + 48, 32), Padded("AB", 32));
        QVERIFY(f.messages.empty());
        QVERIFY(undo.Undo() && undo.Undo());
        QVERIFY(!undo.CanUndo());
        QVERIFY(f.Stored() == before);
    }

    // A failed read keeps what was typed and the window; a block the same as the codeplug's asks nothing.
    void ReadFromRadioAsksBeforeReplacing_data() { test::AddRows(kReadRows); }
    void ReadFromRadioAsksBeforeReplacing()
    {
        QFETCH(CEmbeddedReadRow, row);
        CFixture f;
        f.answer = row.yes ? QMessageBox::Yes : QMessageBox::No;
        f.Open();
        test::TypeInto(*f.Page().MessageEdit(0), QStringLiteral("Typed offline"));
        QSignalSpy identified(f.view, &CViewEmbedded::RadioIdentified);
        if (row.radio) {
            R& radio = f.Radio(); // holds the codeplug as it is now
            f.Page().ReadButton()->click();
            QCOMPARE(f.messages, std::vector<int>{msg::kRadioReadDone});
            f.messages.clear();
            radio.Memory() = test::WithBytes(radio.Memory(), kBlock + 16, Padded("Hello", 32));
            radio.Memory()[kBlock + 80] = 0xFF; // an erased message reads empty
            if (row.fault != nullptr)
                row.fault(radio);
        }
        const Image before = f.Stored();
        const Image expected =
            row.replaced ? test::WithBytes(before, kBlock, BytesAt(f.Radio().Memory(), kBlock, E::kBlockSize)) : before;
        CUndoController undo(*f.context);

        f.Page().ReadButton()->click();
        QTest::qWait(20); // a window closing would be gone by now

        QCOMPARE(f.messages, std::vector<int>{row.message});
        QVERIFY(row.address == nullptr || f.texts.back().contains(QLatin1String(row.address)));
        QCOMPARE(identified.count(), (row.radio ? 1 : 0) + (row.identified ? 1 : 0));
        QVERIFY(!f.window.isNull() && f.Page().isEnabled());
        QCOMPARE(f.Page().MessageEdit(0)->text(),
                 row.replaced ? QStringLiteral("Hello") : QStringLiteral("Typed offline"));
        QVERIFY(f.Stored() == expected);
        QCOMPARE(undo.CanUndo(), row.replaced);
        QVERIFY(!row.radio || row.fault != nullptr || f.Radio().Mode() == R::kNormalMode);
    }

    void WriteSendsTheBlockOnlyAfterTheRightPassword_data() { test::AddRows(kWriteRows); }
    void WriteSendsTheBlockOnlyAfterTheRightPassword()
    {
        QFETCH(CEmbeddedWriteRow, row);
        CFixture f(row.typed.empty() ? "" : "Secret");
        R& radio = f.Radio();
        const Image before = radio.Memory();
        f.Open();
        f.Page().MessageEdit(1)->setText(QStringLiteral("Meet at 5")); // typed but not ended: Write stores it first
        std::vector<test::CDialogAnswers::Answer> typed;
        for (const char* text : row.typed)
            typed.push_back(Typed(text));
        test::CDialogAnswers answers(typed);
        f.Page().WriteButton()->click();
        QCOMPARE(answers.Answered(), static_cast<int>(row.typed.size()));
        QCOMPARE(answers.Unexpected(), 0);
        QCOMPARE(f.messages, row.messages);
        const Image stored = f.Stored();
        QCOMPARE(BytesAt(stored, kBlock + 48, 32), Padded("Meet at 5", 32));
        QVERIFY(radio.Memory() ==
                (row.written ? test::WithBytes(before, kBlock, BytesAt(stored, kBlock, E::kBlockSize)) : before));
        QCOMPARE(radio.ReceivedFrames().empty(), !row.written);
        QVERIFY(radio.Mode() == R::kNormalMode);
    }

    // The new password goes to the codeplug in any case, and to the radio's first block alone.
    void PasswordChangeWritesTheFirstBlock()
    {
        for (const bool refused : {false, true}) {
            CFixture f;
            R& radio = f.Radio();
            f.Open();
            if (refused)
                radio.Faults().refuseWriteAt = 0x400;
            const Image before = radio.Memory();
            f.Page().MessageEdit(0)->setText(QStringLiteral("Not sent")); // typed, not written
            // Set with trailing spaces, which the padded field keeps as it pads.
            test::CDialogAnswers answers({Typed("Secret", "Top  "), Typed("Top  ")});
            f.Page().ChangePasswordButton()->click();
            QCOMPARE(f.messages, (std::vector<int>{msg::kPasswordChanged,
                                                   refused ? msg::kRadioWriteFailed : msg::kRadioWriteDone}));
            QCOMPARE(BytesAt(f.Stored(), kBlock, 16), Padded("Top     FIELD-B!", 16));
            QVERIFY(radio.Memory() == (refused ? before : test::WithBytes(before, kBlock, Padded("Top", 8))));
            QVERIFY(!refused || f.texts.back().contains(QLatin1String("1024")));
            if (refused)
                continue;
            // The password typed as it was set opens the write.
            f.Page().WriteButton()->click();
            QCOMPARE(answers.Answered(), 2);
            QCOMPARE(answers.Unexpected(), 0);
            QCOMPARE(BytesAt(radio.Memory(), kBlock + 16, 32), Padded("Not sent", 32));
        }
    }
};

QRV_REGISTER_UI_TEST(EmbeddedViewTest);

} // namespace qrv

#include "test_embedded_view.moc"
