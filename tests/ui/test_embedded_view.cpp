// The embedded message view against a simulated radio: the read on opening,
// Write behind the radio password, messages cut and padded to their field,
// failed reads that keep the codeplug's block and close the window, the
// password change, and an untouched view that keeps every byte.
#include "dialogs/dlg_password.h"
#include "editor_fixture.h"
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
#include <array>
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
constexpr int kReadTimeoutMs = 20000;

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

// A fixture whose message boxes are recorded with their texts as well.
struct CEmbeddedFixture : test::CEditorFixture {
    std::vector<QString> texts;

    CEmbeddedFixture()
    {
        SetMessageBoxHandler([this](int number, const QString& text) {
            messages.push_back(number);
            texts.push_back(text);
            return QMessageBox::Ok;
        });
    }
    E& Block() { return data->EmbeddedMessages(); }
};

// Opens the view and waits until its read from the radio is over (the caller checks how it went).
std::unique_ptr<CViewEmbedded> OpenRead(test::CEditorFixture& f)
{
    const std::size_t shown = f.messages.size();
    auto view = std::make_unique<CViewEmbedded>(*f.context);
    view->show();
    static_cast<void>(QTest::qWaitFor([&] { return view->IsRead() || f.messages.size() > shown; }, kReadTimeoutMs));
    return view;
}

} // namespace

class EmbeddedViewTest : public QObject {
    Q_OBJECT

private slots:
    void ReadOnOpeningShowsTheRadiosMessages()
    {
        CEmbeddedFixture f;
        f.Block().SetMessage(0, "From the codeplug");
        sim::CSimRadio& radio = f.Radio();
        Put(radio.Memory(), kBlock, Padded("Pass", 8));
        Put(radio.Memory(), kBlock + 16, Padded("Hello", 32));
        Put(radio.Memory(), kBlock + 48, Padded("Second line", 32));
        radio.Memory()[kBlock + 80] = 0xFF; // an erased message reads empty
        Put(radio.Memory(), kBlock + 112, Padded("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 32));
        const Bytes radioBlock = Range(radio.Memory(), kBlock, E::kBlockSize);

        auto view = std::make_unique<CViewEmbedded>(*f.context);
        QVERIFY(!view->Page()->isEnabled()); // nothing to edit before the radio answered
        QSignalSpy identified(view.get(), &CViewEmbedded::RadioIdentified);
        view->show();
        QTRY_VERIFY_WITH_TIMEOUT(view->IsRead(), kReadTimeoutMs);

        QVERIFY(f.messages.empty());
        QVERIFY(view->Page()->isEnabled());
        QCOMPARE(identified.count(), 1);
        const std::array<const char*, 4> expected{"Hello", "Second line", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"};
        for (std::size_t i = 0; i < expected.size(); ++i)
            QCOMPARE(view->Page()->MessageEdit(i)->text(), QString::fromLatin1(expected[i]));
        QCOMPARE(Range(f.Stored(), kBlock, E::kBlockSize), radioBlock);
        QCOMPARE(radio.Mode(), sim::CSimRadio::kNormalMode);
    }

    void WriteSendsTheBlockAfterTheRightPassword()
    {
        CEmbeddedFixture f;
        f.Block().SetFieldText(E::kPasswordField, "Secret");
        f.Block().SetFieldText(E::kFieldB, "FIELD-B!");
        sim::CSimRadio& radio = f.Radio();
        auto view = OpenRead(f);
        QVERIFY(view->IsRead());

        QLineEdit* edit = view->Page()->MessageEdit(1);
        QTest::keyClicks(edit, QStringLiteral("Meet at 5"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(std::any_of(f.notifications.begin(), f.notifications.end(), [](const CNotification& n) {
            return n.kind == CNotification::Kind::Edited &&
                   n.data == std::uint32_t{CEmbeddedMessageData::kMessageEdits[1]};
        }));

        // Letter case counts: the first answer is wrong.
        CDialogAnswers answers({CDialogAnswers::Password("secret"), CDialogAnswers::Password("Secret")});
        view->Page()->WriteButton()->click();

        QCOMPARE(answers.Answered(), 2);
        QCOMPARE(answers.Unexpected(), 0);
        QCOMPARE(f.messages, (std::vector<int>{msg::kWrongPassword, msg::kRadioWriteDone}));
        Bytes expected = Padded("Secret", 8);
        const Bytes fieldB = Padded("FIELD-B!", 8);
        expected.insert(expected.end(), fieldB.begin(), fieldB.end());
        const Bytes message2 = Padded("Meet at 5", 32);
        QCOMPARE(Range(radio.Memory(), kBlock, 16), expected);
        QCOMPARE(Range(radio.Memory(), kBlock + 48, 32), message2);
        QCOMPARE(Range(radio.Memory(), kBlock, E::kBlockSize), Range(f.Stored(), kBlock, E::kBlockSize));
        QCOMPARE(radio.Mode(), sim::CSimRadio::kNormalMode);
    }

    void MessagesAreCutAndPaddedToTheirField()
    {
        CEmbeddedFixture f;
        sim::CSimRadio& radio = f.Radio();
        auto view = OpenRead(f);
        QVERIFY(view->IsRead());

        const QString forty = QStringLiteral("0123456789abcdefghijABCDEFGHIJ0123456789");
        QTest::keyClicks(view->Page()->MessageEdit(0), forty);
        QTest::keyClick(view->Page()->MessageEdit(0), Qt::Key_Return);
        QTest::keyClicks(view->Page()->MessageEdit(1), QStringLiteral("Hi5ch"));
        QTest::keyClick(view->Page()->MessageEdit(1), Qt::Key_Return);
        // A character the radio cannot show is not taken.
        QLineEdit* third = view->Page()->MessageEdit(2);
        QTest::keyClicks(third, QStringLiteral("A"));
        QKeyEvent wide(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x4E2D)));
        QApplication::sendEvent(third, &wide);
        QTest::keyClicks(third, QStringLiteral("B"));
        QTest::keyClick(third, Qt::Key_Return);

        const Bytes first32 = Padded(forty.left(32).toStdString(), 32);
        const Image stored = f.Stored();
        QCOMPARE(Range(stored, kBlock + 16, 32), first32);
        QCOMPARE(Range(stored, kBlock + 48, 32), Padded("Hi5ch", 32));
        QCOMPARE(Range(stored, kBlock + 80, 32), Padded("AB", 32));

        // No password stored: the block goes without a prompt.
        CDialogAnswers answers({});
        view->Page()->WriteButton()->click();
        QCOMPARE(answers.Unexpected(), 0);
        QCOMPARE(f.messages, std::vector<int>{msg::kRadioWriteDone});
        QCOMPARE(Range(radio.Memory(), kBlock + 16, 32), first32);

        // Read back by a new view: the padding is gone again.
        f.Block().SetDefaults();
        auto again = OpenRead(f);
        QVERIFY(again->IsRead());
        QCOMPARE(again->Page()->MessageEdit(0)->text(), forty.left(32));
        QCOMPARE(again->Page()->MessageEdit(1)->text(), QStringLiteral("Hi5ch"));
    }

    void NoRightPasswordSendsNothing()
    {
        using A = CDialogAnswers;
        struct Case {
            const char* name;
            std::vector<A::Answer> answers;
            std::vector<int> messages;
        };
        const std::vector<Case> cases{
            {"three wrong",
             {A::Password("a"), A::Password("SECRET"), A::Password("Secre")},
             {msg::kWrongPassword, msg::kWrongPassword, msg::kWrongPassword}},
            {"cancelled", {A::Password("wrong"), A::Password(nullptr)}, {msg::kWrongPassword}},
        };
        for (const Case& c : cases) {
            CEmbeddedFixture f;
            f.Block().SetFieldText(E::kPasswordField, "Secret");
            sim::CSimRadio& radio = f.Radio();
            auto view = OpenRead(f);
            QVERIFY(view->IsRead());
            const auto before = radio.Memory();
            radio.ClearLog();

            QTest::keyClicks(view->Page()->MessageEdit(0), QStringLiteral("Not for the radio"));
            A answers(c.answers);
            view->Page()->WriteButton()->click();

            QVERIFY2(answers.Answered() == static_cast<int>(c.answers.size()), c.name);
            QVERIFY2(answers.Unexpected() == 0, c.name);
            QVERIFY2(f.messages == c.messages, c.name);
            QVERIFY2(radio.ReceivedFrames().empty(), c.name);
            QVERIFY2(radio.Memory() == before, c.name);
        }
    }

    void FailedReadKeepsTheBlockAndClosesTheWindow()
    {
        struct Case {
            const char* name;
            std::function<void(sim::CSimRadio&)> fault;
            int message;
            const char* address; // in the message text, when the message names one
            bool identified;
        };
        const std::vector<Case> cases{
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
            f.Block().SetMessage(0, "Kept in the codeplug");
            sim::CSimRadio& radio = f.Radio();
            Put(radio.Memory(), kBlock + 16, Padded("Only in the radio", 32));
            c.fault(radio);
            const Image before = f.Stored();

            QMdiArea area;
            auto* view = new CViewEmbedded(*f.context);
            QSignalSpy identified(view, &CViewEmbedded::RadioIdentified);
            QPointer<QMdiSubWindow> window = area.addSubWindow(view);
            window->setAttribute(Qt::WA_DeleteOnClose);
            area.show();
            window->show();
            QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), kReadTimeoutMs);

            QVERIFY2(f.messages == std::vector<int>{c.message}, c.name);
            if (c.address != nullptr)
                QVERIFY2(f.texts.front().contains(QLatin1String(c.address)), c.name);
            QVERIFY2((identified.count() == 1) == c.identified, c.name);
            QVERIFY2(f.Stored() == before, c.name);
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
            auto view = OpenRead(f);
            QVERIFY(view->IsRead());
            radio.ClearLog();
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
        f.Radio();

        auto view = OpenRead(f);
        QVERIFY(view->IsRead());
        QCOMPARE(view->Page()->MessageEdit(0)->text(), QStringLiteral("Hi"));
        QCOMPARE(view->Page()->MessageEdit(3)->text(), QString::fromUtf8("\u00E9t\u00E9"));
        view->StorePages();
        QVERIFY(f.Stored() == before);
    }
};

QRV_REGISTER_UI_TEST(EmbeddedViewTest);

} // namespace qrv

#include "test_embedded_view.moc"
