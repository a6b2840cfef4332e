// The embedded message view: the codeplug's messages edited without a radio,
// Read from Radio behind a question, failed reads that keep what was typed,
// Write behind the radio password, the password change, and an untouched
// view that keeps every byte.
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
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qrv {

namespace {

using Bytes = std::vector<std::uint8_t>;
using E = CEmbeddedMessageData;

constexpr std::size_t kBlock = 0x400;

Bytes Range(const auto& memory, std::size_t first, std::size_t size)
{
    const auto begin = memory.begin() + static_cast<std::ptrdiff_t>(first);
    return Bytes(begin, begin + static_cast<std::ptrdiff_t>(size));
}

// A field as the radio keeps it: the text, then spaces to the width.
Bytes Padded(const std::string& text, std::size_t width)
{
    Bytes bytes(text.begin(), text.end());
    bytes.resize(width, 0x20);
    return bytes;
}

void Put(auto& memory, std::size_t at, const Bytes& bytes)
{
    std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<std::ptrdiff_t>(at));
}

// Answers the modal dialogs one after the other as they come up; a dialog
// beyond the prepared answers is cancelled and counted.
class CDialogAnswers : public QObject {
public:
    using Answer = std::function<void(QDialog&)>;

    explicit CDialogAnswers(std::vector<Answer> answers) : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &CDialogAnswers::Poll);
        m_timer.start(5);
    }
    int Answered() const { return m_next; }
    int Unexpected() const { return m_unexpected; }

    // The Input Password dialog: the text typed and OK, or Cancel for nullptr.
    static Answer Password(const char* typed)
    {
        return [typed](QDialog& dialog) {
            auto* input = qobject_cast<CDlgInputPassword*>(&dialog);
            QVERIFY(input != nullptr);
            if (typed == nullptr) {
                input->reject();
                return;
            }
            input->Edit()->setText(QString::fromLatin1(typed));
            input->accept();
        };
    }
    static Answer ChangePassword(const char* old, const char* typed, const char* confirmation)
    {
        return [=](QDialog& dialog) {
            auto* change = qobject_cast<CDlgChangePassword*>(&dialog);
            QVERIFY(change != nullptr);
            change->OldEdit()->setText(QString::fromLatin1(old));
            change->NewEdit()->setText(QString::fromLatin1(typed));
            change->ConfirmEdit()->setText(QString::fromLatin1(confirmation));
            change->Confirm();
            if (change->isVisible())
                change->reject(); // a refused change would wait for the user
        };
    }

private:
    void Poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog == m_current)
            return;
        m_current = dialog;
        if (m_next < static_cast<int>(m_answers.size())) {
            m_answers[static_cast<std::size_t>(m_next++)](*dialog);
        } else {
            ++m_unexpected;
            dialog->reject();
        }
    }

    std::vector<Answer> m_answers;
    int m_next = 0;
    int m_unexpected = 0;
    QPointer<QDialog> m_current;
    QTimer m_timer;
};

// A fixture whose message boxes are recorded with their texts as well and
// answered with answer.
struct CEmbeddedFixture : test::CEditorFixture {
    std::vector<QString> texts;
    QMessageBox::StandardButton answer = QMessageBox::Yes;

    CEmbeddedFixture()
    {
        SetMessageBoxHandler([this](int number, const QString& text) {
            messages.push_back(number);
            texts.push_back(text);
            return answer;
        });
    }
    E& Block() { return data->EmbeddedMessages(); }
};

std::unique_ptr<CViewEmbedded> Open(test::CEditorFixture& f)
{
    auto view = std::make_unique<CViewEmbedded>(*f.context);
    view->show();
    return view;
}

// Types text over the edit's text and ends the edit as the user does.
void Type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class EmbeddedViewTest : public QObject {
    Q_OBJECT

private slots:
    void TypedMessagesGoIntoTheCodeplugWithoutARadio()
    {
        CEmbeddedFixture f; // no radio at all
        f.Block().SetMessage(0, "From the codeplug");
        f.Block().SetMessage(3, "Fourth");
        const Image before = f.Stored();
        CUndoController undo(*f.context);
        QMdiArea area;
        auto* view = new CViewEmbedded(*f.context);
        QPointer<QMdiSubWindow> window = area.addSubWindow(view);
        area.show();
        window->show();
        QTest::qWait(50); // nothing may reach for a radio after the window shows

        QVERIFY(!window.isNull());
        QVERIFY(f.messages.empty());
        QVERIFY(view->Page()->isEnabled());
        QCOMPARE(view->Page()->MessageEdit(0)->text(), QStringLiteral("From the codeplug"));
        QCOMPARE(view->Page()->MessageEdit(3)->text(), QStringLiteral("Fourth"));

        // Cut to the field, padded with spaces, and no character the radio cannot show.
        const QString forty = QStringLiteral("0123456789abcdefghijABCDEFGHIJ0123456789");
        Type(view->Page()->MessageEdit(0), forty);
        Type(view->Page()->MessageEdit(1), QStringLiteral("Hi5ch"));
        QLineEdit* third = view->Page()->MessageEdit(2);
        QTest::keyClicks(third, QStringLiteral("A"));
        QKeyEvent wide(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x4E2D)));
        QApplication::sendEvent(third, &wide);
        QTest::keyClicks(third, QStringLiteral("B"));
        QTest::keyClick(third, Qt::Key_Return);

        const Image stored = f.Stored();
        QCOMPARE(Range(stored, kBlock + 16, 32), Padded(forty.left(32).toStdString(), 32));
        QCOMPARE(Range(stored, kBlock + 48, 32), Padded("Hi5ch", 32));
        QCOMPARE(Range(stored, kBlock + 80, 32), Padded("AB", 32));
        QCOMPARE(Range(stored, kBlock + 112, 32), Range(before, kBlock + 112, 32));
        QVERIFY(f.messages.empty());
        // Each edit was a change like any other: undone one after the other.
        QVERIFY(undo.Undo() && undo.Undo() && undo.Undo());
        QVERIFY(!undo.CanUndo());
        QVERIFY(f.Stored() == before);
    }

    void ReadFromRadioAsksBeforeTheRadiosMessagesReplaceTheCodeplugs()
    {
        struct Case {
            const char* name;
            bool radioDiffers;
            QMessageBox::StandardButton answer;
            std::vector<int> messages;
            bool replaced;
        };
        const std::vector<Case> cases{
            {"same block", false, QMessageBox::Yes, {msg::kRadioReadDone}, false},
            {"declined", true, QMessageBox::No, {msg::kReplaceEmbeddedMessages}, false},
            {"accepted", true, QMessageBox::Yes, {msg::kReplaceEmbeddedMessages}, true},
        };
        for (const Case& c : cases) {
            CEmbeddedFixture f;
            f.answer = c.answer;
            auto view = Open(f);
            Type(view->Page()->MessageEdit(0), QStringLiteral("Typed offline"));
            sim::CSimRadio& radio = f.Radio(); // holds the codeplug as it is now
            if (c.radioDiffers) {
                Put(radio.Memory(), kBlock, Padded("Pass", 8));
                Put(radio.Memory(), kBlock + 16, Padded("Hello", 32));
                radio.Memory()[kBlock + 80] = 0xFF; // an erased message reads empty
                Put(radio.Memory(), kBlock + 112, Padded("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 32));
            }
            const Bytes radioBlock = Range(radio.Memory(), kBlock, E::kBlockSize);
            const Image before = f.Stored();
            CUndoController undo(*f.context);
            QSignalSpy identified(view.get(), &CViewEmbedded::RadioIdentified);

            view->Page()->ReadButton()->click();

            QVERIFY2(f.messages == c.messages, c.name);
            QVERIFY2(identified.count() == 1, c.name);
            QVERIFY2(radio.Mode() == sim::CSimRadio::kNormalMode, c.name);
            Image expected = before;
            if (c.replaced)
                Put(expected, kBlock, radioBlock);
            QVERIFY2(f.Stored() == expected, c.name);
            QVERIFY2(view->Page()->MessageEdit(0)->text() ==
                         (c.replaced ? QStringLiteral("Hello") : QStringLiteral("Typed offline")),
                     c.name);
            QVERIFY2(view->Page()->MessageEdit(2)->text().isEmpty(), c.name);
            QVERIFY2(undo.CanUndo() == c.replaced, c.name);
        }
    }

    void FailedReadKeepsWhatWasTypedAndTheWindow()
    {
        struct Case {
            const char* name;
            std::function<void(sim::CSimRadio&)> fault; // none: no radio at all
            int message;
            const char* address; // in the message text, when the message names one
            bool identified;
        };
        const std::vector<Case> cases{
            {"no radio", {}, msg::kNoRadioAnswer, nullptr, false},
            {"silent radio", [](sim::CSimRadio& r) { r.Faults().silent = true; }, msg::kNoRadioAnswer, nullptr, false},
            {"mode refused", [](sim::CSimRadio& r) { r.Faults().refuseMode = true; }, msg::kNoRadioAnswer, nullptr,
             true},
            {"block not answered", [](sim::CSimRadio& r) { r.Faults().silentReadAt = 0x430; }, msg::kRadioReadFailed,
             "1072", true},
            {"garbled block", [](sim::CSimRadio& r) { r.Faults().badChecksumAt = 0x480; }, msg::kRadioReadFailed,
             "1152", true},
            {"another model", [](sim::CSimRadio& r) { r.Identity().modelId = "QL999"; }, msg::kModelMismatch, nullptr,
             false},
        };
        for (const Case& c : cases) {
            CEmbeddedFixture f;
            f.Block().SetFieldText(E::kPasswordField, "Secret");
            if (c.fault) {
                sim::CSimRadio& radio = f.Radio();
                Put(radio.Memory(), kBlock + 16, Padded("Only in the radio", 32));
                c.fault(radio);
            }
            QMdiArea area;
            auto* view = new CViewEmbedded(*f.context);
            QSignalSpy identified(view, &CViewEmbedded::RadioIdentified);
            QPointer<QMdiSubWindow> window = area.addSubWindow(view);
            window->setAttribute(Qt::WA_DeleteOnClose);
            area.show();
            window->show();
            Type(view->Page()->MessageEdit(0), QStringLiteral("Typed offline"));
            const Image before = f.Stored();

            view->Page()->ReadButton()->click();
            QTest::qWait(20); // a window closing would be gone by now

            QVERIFY2(f.messages == std::vector<int>{c.message}, c.name);
            if (c.address != nullptr)
                QVERIFY2(f.texts.front().contains(QLatin1String(c.address)), c.name);
            QVERIFY2((identified.count() == 1) == c.identified, c.name);
            QVERIFY2(!window.isNull() && view->Page()->isEnabled(), c.name);
            QVERIFY2(view->Page()->MessageEdit(0)->text() == QStringLiteral("Typed offline"), c.name);
            QVERIFY2(f.Stored() == before, c.name);
        }
    }

    void WriteSendsTheBlockOnlyAfterTheRightPassword()
    {
        using A = CDialogAnswers;
        struct Case {
            const char* name;
            const char* password;
            std::vector<A::Answer> answers;
            std::vector<int> messages;
            bool written;
        };
        const std::vector<Case> cases{
            {"no password, no prompt", "", {}, {msg::kRadioWriteDone}, true},
            // Letter case counts: the first answer is wrong.
            {"right at the second try",
             "Secret",
             {A::Password("secret"), A::Password("Secret")},
             {msg::kWrongPassword, msg::kRadioWriteDone},
             true},
            {"three wrong",
             "Secret",
             {A::Password("a"), A::Password("SECRET"), A::Password("Secre")},
             {msg::kWrongPassword, msg::kWrongPassword, msg::kWrongPassword},
             false},
            {"cancelled", "Secret", {A::Password("wrong"), A::Password(nullptr)}, {msg::kWrongPassword}, false},
        };
        for (const Case& c : cases) {
            CEmbeddedFixture f;
            f.Block().SetFieldText(E::kPasswordField, c.password);
            f.Block().SetFieldText(E::kFieldB, "FIELD-B!");
            sim::CSimRadio& radio = f.Radio();
            const auto before = radio.Memory();
            auto view = Open(f);
            // Typed but not yet ended: Write stores it first.
            view->Page()->MessageEdit(1)->setText(QStringLiteral("Meet at 5"));

            A answers(c.answers);
            view->Page()->WriteButton()->click();

            QVERIFY2(answers.Answered() == static_cast<int>(c.answers.size()), c.name);
            QVERIFY2(answers.Unexpected() == 0, c.name);
            QVERIFY2(f.messages == c.messages, c.name);
            QVERIFY2(Range(f.Stored(), kBlock + 48, 32) == Padded("Meet at 5", 32), c.name);
            if (c.written) {
                QVERIFY2(Range(radio.Memory(), kBlock, E::kBlockSize) == Range(f.Stored(), kBlock, E::kBlockSize),
                         c.name);
                QVERIFY2(Range(radio.Memory(), kBlock + 8, 8) == Padded("FIELD-B!", 8), c.name);
                QVERIFY2(radio.Mode() == sim::CSimRadio::kNormalMode, c.name);
            } else {
                QVERIFY2(radio.ReceivedFrames().empty(), c.name);
                QVERIFY2(radio.Memory() == before, c.name);
            }
        }
    }

    void PasswordChangeWritesTheFirstBlock()
    {
        struct Case {
            const char* name;
            std::optional<std::uint32_t> refused;
            std::vector<int> messages;
            bool written;
        };
        const std::vector<Case> cases{
            {"taken", std::nullopt, {msg::kPasswordChanged, msg::kRadioWriteDone}, true},
            {"refused by the radio", 0x400, {msg::kPasswordChanged, msg::kRadioWriteFailed}, false},
        };
        for (const Case& c : cases) {
            CEmbeddedFixture f;
            f.Block().SetFieldText(E::kPasswordField, "Secret");
            f.Block().SetFieldText(E::kFieldB, "FIELD-B!");
            sim::CSimRadio& radio = f.Radio();
            auto view = Open(f);
            radio.Faults().refuseWriteAt = c.refused;
            const auto before = radio.Memory();
            // A message typed but not written stays out of the radio.
            view->Page()->MessageEdit(0)->setText(QStringLiteral("Not sent"));

            // Set with trailing spaces, which the padded field keeps as it pads.
            CDialogAnswers answers(
                {CDialogAnswers::ChangePassword("Secret", "Top  ", "Top  "), CDialogAnswers::Password("Top  ")});
            view->Page()->ChangePasswordButton()->click();

            QVERIFY2(answers.Answered() == 1 && answers.Unexpected() == 0, c.name);
            QVERIFY2(f.messages == c.messages, c.name);
            // The data keeps the new password in any case.
            QVERIFY2(f.Block().Password() == "Top", c.name);
            Bytes first = Padded("Top", 8);
            const Bytes fieldB = Padded("FIELD-B!", 8);
            first.insert(first.end(), fieldB.begin(), fieldB.end());
            QVERIFY2(Range(f.Stored(), kBlock, 16) == first, c.name);
            if (c.written) {
                QVERIFY2(radio.Writes() == (std::vector<std::pair<std::uint32_t, std::uint16_t>>{{0x400, 16}}), c.name);
                QVERIFY2(Range(radio.Memory(), kBlock, 16) == first, c.name);
                QVERIFY2(Range(radio.Memory(), kBlock + 16, E::kBlockSize - 16) ==
                             Range(before, kBlock + 16, E::kBlockSize - 16),
                         c.name);
                // The password typed as it was set opens the write.
                view->Page()->WriteButton()->click();
                QVERIFY2(answers.Answered() == 2 && answers.Unexpected() == 0, c.name);
                QVERIFY2(Range(radio.Memory(), kBlock + 16, 32) == Padded("Not sent", 32), c.name);
            } else {
                QVERIFY2(f.texts.back().contains(QLatin1String("1024")), c.name);
                QVERIFY2(radio.Memory() == before, c.name);
            }
        }
    }

    void UntouchedViewKeepsEveryByte()
    {
        CEmbeddedFixture f;
        // Fields as a radio may hold them: zero bytes, erased bytes, no padding.
        Image image = f.Stored();
        Put(image, kBlock, Padded("Pw", 8));
        Put(image, kBlock + 8, Bytes{0x41, 0x00, 0x42, 0xFF, 0x00, 0x00, 0x00, 0x00});
        Put(image, kBlock + 16, Bytes{0x48, 0x69, 0x00, 0x7A, 0x7A});
        std::fill_n(image.begin() + kBlock + 48, 32, 0xFF);
        Put(image, kBlock + 80, Bytes{0xFF, 0x41, 0x42});
        Put(image, kBlock + 112, Bytes{0xE9, 0x74, 0xE9, 0x20, 0x20});
        f.Block().LoadFromImage(image);
        const Image before = f.Stored();

        auto view = Open(f);
        QCOMPARE(view->Page()->MessageEdit(0)->text(), QStringLiteral("Hi"));
        QCOMPARE(view->Page()->MessageEdit(3)->text(), QString::fromUtf8("\u00E9t\u00E9"));
        view->StorePages();
        QVERIFY(f.Stored() == before);
    }
};

QRV_REGISTER_UI_TEST(EmbeddedViewTest);

} // namespace qrv

#include "test_embedded_view.moc"
