// The embedded message view: the codeplug's messages edited without a radio,
// Read from Radio behind a question, failed reads that keep what was typed,
// Write behind the radio password, and the password change.
#include "dialogs/dlg_password.h"
#include "editor_fixture.h"
#include "editors/common/undo_controller.h"
#include "editors/embedded/embedded_message_page.h"
#include "editors/embedded/view_embedded.h"
#include "radio_data/messages.h"
#include "radio_link/radio_messages.h"
#include "records/embedded_message_data.h"
#include "ui_test_registry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

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

// Answers the password dialogs one after the other as they come up: the
// text typed and OK (Cancel for none), or old, new and confirmation for a
// change. A dialog beyond the prepared answers is cancelled and counted.
class CDialogAnswers : public QObject {
public:
    using Answer = std::vector<const char*>;
    explicit CDialogAnswers(std::vector<Answer> answers) : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &CDialogAnswers::Poll);
        m_timer.start(5);
    }
    int answered = 0;
    int unexpected = 0;

private:
    void Poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog == m_current)
            return;
        m_current = dialog;
        if (answered == static_cast<int>(m_answers.size())) {
            ++unexpected;
            dialog->reject();
            return;
        }
        const Answer& answer = m_answers[static_cast<std::size_t>(answered++)];
        if (auto* change = qobject_cast<CDlgChangePassword*>(dialog); change != nullptr && answer.size() == 3) {
            change->OldEdit()->setText(QString::fromLatin1(answer[0]));
            change->NewEdit()->setText(QString::fromLatin1(answer[1]));
            change->ConfirmEdit()->setText(QString::fromLatin1(answer[2]));
            change->Confirm();
        } else if (auto* input = qobject_cast<CDlgInputPassword*>(dialog); input != nullptr && answer.size() == 1) {
            input->Edit()->setText(QString::fromLatin1(answer[0]));
            input->accept();
        }
        if (dialog->isVisible())
            dialog->reject(); // a cancel, or a refused change that would wait for the user
    }

    std::vector<Answer> m_answers;
    QPointer<QDialog> m_current;
    QTimer m_timer;
};

// Message boxes recorded with their texts and answered Yes unless told; the view in an MDI window.
struct CFixture : test::CEditorFixture {
    std::vector<QString> texts;
    bool yes = true;
    QMdiArea area;
    CViewEmbedded* view = nullptr;
    QPointer<QMdiSubWindow> window;

    explicit CFixture(const char* password = "Secret")
    {
        SetMessageBoxHandler([this](int number, const QString& text) {
            messages.push_back(number);
            texts.push_back(text);
            return yes ? QMessageBox::Yes : QMessageBox::No;
        });
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
    bool radio, yes;
    void (*fault)(R&);
    int message;
    const char* address; // named in the message's text
    bool identified, replaced;
};
const CEmbeddedReadRow kReadRows[] = {
    {"declined", true, false, nullptr, msg::kReplaceEmbeddedMessages, nullptr, true, false},
    {"accepted", true, true, nullptr, msg::kReplaceEmbeddedMessages, nullptr, true, true},
    {"no radio", false, true, nullptr, msg::kNoRadioAnswer, nullptr, false, false},
    {"mode refused", true, true, [](R& r) { r.Faults().refuseMode = true; }, msg::kNoRadioAnswer, nullptr, true, false},
    {"block not answered", true, true, [](R& r) { r.Faults().silentReadAt = 0x430; }, msg::kRadioReadFailed, "1072",
     true, false},
    {"garbled block", true, true, [](R& r) { r.Faults().badChecksumAt = 0x480; }, msg::kRadioReadFailed, "1152", true,
     false},
    {"another model", true, true, [](R& r) { r.Identity().modelId = "QL999"; }, msg::kModelMismatch, nullptr, false,
     false},
};

// Write with the codeplug's password "Secret" (none for an empty first answer) and the answers given.
struct CEmbeddedWriteRow {
    const char* name;
    std::vector<CDialogAnswers::Answer> answers;
    std::vector<int> messages;
    bool written;
};
const CEmbeddedWriteRow kWriteRows[] = {
    {"no password, no prompt", {}, {msg::kRadioWriteDone}, true},
    // Letter case counts.
    {"right at the second try", {{"secret"}, {"Secret"}}, {msg::kWrongPassword, msg::kRadioWriteDone}, true},
    {"three wrong", {{"a"}, {"SECRET"}, {"Secre"}}, std::vector<int>(3, msg::kWrongPassword), false},
    {"cancelled", {{"wrong"}, {}}, {msg::kWrongPassword}, false},
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
        test::TypeOver(*f.Page().MessageEdit(0), QStringLiteral("0123456789abcdefghijABCDEFGHIJ0123456789"));
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
        f.yes = row.yes;
        f.Open();
        test::TypeOver(*f.Page().MessageEdit(0), QStringLiteral("Typed offline"));
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
        CFixture f(row.answers.empty() ? "" : "Secret");
        R& radio = f.Radio();
        const Image before = radio.Memory();
        f.Open();
        f.Page().MessageEdit(1)->setText(QStringLiteral("Meet at 5")); // typed but not ended: Write stores it first
        CDialogAnswers answers(row.answers);
        f.Page().WriteButton()->click();
        QCOMPARE(answers.answered, static_cast<int>(row.answers.size()));
        QCOMPARE(answers.unexpected, 0);
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
            CDialogAnswers answers({{"Secret", "Top  ", "Top  "}, {"Top  "}});
            f.Page().ChangePasswordButton()->click();
            QCOMPARE(f.messages, (std::vector<int>{msg::kPasswordChanged,
                                                   refused ? msg::kRadioWriteFailed : msg::kRadioWriteDone}));
            QVERIFY(f.Block().Password() == "Top");
            QCOMPARE(BytesAt(f.Stored(), kBlock, 16), Padded("Top     FIELD-B!", 16));
            QVERIFY(radio.Memory() == (refused ? before : test::WithBytes(before, kBlock, Padded("Top", 8))));
            QVERIFY(!refused || f.texts.back().contains(QLatin1String("1024")));
            if (refused)
                continue;
            // The password typed as it was set opens the write.
            f.Page().WriteButton()->click();
            QCOMPARE(answers.answered, 2);
            QCOMPARE(answers.unexpected, 0);
            QCOMPARE(BytesAt(radio.Memory(), kBlock + 16, 32), Padded("Not sent", 32));
        }
    }
};

QRV_REGISTER_UI_TEST(EmbeddedViewTest);

} // namespace qrv

#include "test_embedded_view.moc"
