#pragma once
// What the window tests share: a main window over a program directory with
// the shipped data, at a user level, language and range, with the default
// codeplug loaded; message boxes answered by the test and recorded; the
// simulated radio without the pauses a real radio needs; the windows and
// tree items a user clicks; typing as a user does; and a driver that answers
// the modal dialogs a command opens.
#include "dialogs/dlg_serial_trace.h"
#include "editor_fixture.h"
#include "editors/common/editor_context.h"
#include "presentation/caption_numbers.h"
#include "presentation/command_numbers.h"
#include "presentation/item_tables.h"
#include "radio_data/data_file.h"
#include "radio_data/messages.h"
#include "radio_link/radio_messages.h"
#include "records/channel_data.h"
#include "shell/child_frame.h"
#include "shell/main_frame.h"
#include "shell/menus.h"
#include "shell/navigation_tree.h"
#include "shell/port_selector.h"
#include "sim_link.h"
#include "ui_test_registry.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace qrv::test {

struct CFrameFixture : CMessageRecorder {
    CProgramDir program;
    std::unique_ptr<CMainFrame> frame; // goes before the program directory and the recorder
    CRadioData* data = nullptr;

    // prepare runs on the program directory before the window is made.
    explicit CFrameFixture(int userLevel = 0, int language = 0, const std::string& range = "400-470",
                           const std::function<void(const std::filesystem::path&)>& prepare = {})
    {
        WriteSettings(program, userLevel, range);
        if (prepare)
            prepare(program.Path());
        CSettings& settings = program.Reopen();
        settings.SelectLanguage(language);
        frame = std::make_unique<CMainFrame>(settings);
        data = &frame->Session().Data();
        frame->FileNew(true);
    }

    CSettings& Settings() { return program.Settings(); }
    // The image as a save or a write would produce it now.
    Image Stored()
    {
        Image image{};
        data->StoreToImage(image);
        return image;
    }
    // The "Simulated radio" port chosen; the radio commands reach it through
    // the program's own port and trace, but without the real radio's pauses.
    sim::CSimRadio& Radio()
    {
        Settings().PortName = kSimulatedPortName;
        frame->Context().SetRadioAccess(
            [this] {
                auto link = std::make_unique<CRadioLink>(
                    WrapWithTrace(std::make_unique<CPortSelector>(&frame->SimulatedRadio())));
                link->SetTiming(FastTiming());
                return link;
            },
            [] {
                return CPortChoice{kSimulatedPortName, {}};
            });
        return frame->SimulatedRadio();
    }
    // The open window of that item (nullptr when none).
    CChildFrame* Window(int itemNumber) const
    {
        for (CChildFrame* child : frame->OpenChildren())
            if (child->ItemNumber() == itemNumber)
                return child;
        return nullptr;
    }
    // Clicks the tree item of that kind and position; the window that shows it.
    CChildFrame* Click(int kind, int position)
    {
        if (QTreeWidgetItem* item = frame->Tree()->ItemsOfKind(kind).value(position))
            emit frame->Tree()->itemClicked(item, 0);
        return Window(kind);
    }
};

inline Image ImageOfFile(const std::filesystem::path& path)
{
    Image image{};
    if (!ReadBlocks(path, nullptr, image))
        QTest::qFail("not a data file", __FILE__, __LINE__);
    return image;
}

inline void TypeInto(QLineEdit* edit, const QString& text, bool confirm = true)
{
    QVERIFY(edit != nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    if (confirm)
        QTest::keyClick(edit, Qt::Key_Return);
}

// Answers the modal dialogs that open, one answer per dialog in order; a
// dialog beyond the answers is cancelled and counted. A dialog that is modal
// again once the one it opened has closed is not answered twice.
class CDialogAnswers {
public:
    using Answer = std::function<void(QDialog&)>;

    explicit CDialogAnswers(std::vector<Answer> answers) : m_answers(std::move(answers))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start(10);
    }
    int Answered() const { return m_next; }
    int Unexpected() const { return m_unexpected; }

private:
    void Poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || std::find(m_seen.begin(), m_seen.end(), dialog) != m_seen.end())
            return;
        m_seen.emplace_back(dialog);
        if (m_next >= static_cast<int>(m_answers.size())) {
            ++m_unexpected;
            dialog->reject();
            return;
        }
        // Answered outside this timer's slot, so that a dialog the answer opens is polled in turn.
        const Answer& answer = m_answers[static_cast<std::size_t>(m_next++)];
        QTimer::singleShot(0, dialog, [dialog, &answer] { answer(*dialog); });
    }

    std::vector<Answer> m_answers;
    int m_next = 0;
    int m_unexpected = 0;
    std::vector<QPointer<QDialog>> m_seen; // closed and deleted ones turn null
    QTimer m_timer;
};

// An answer that works the dialog as a T, then cancels it if still open.
template <class T> CDialogAnswers::Answer As(std::function<void(T&)> work)
{
    return [work](QDialog& dialog) {
        work(static_cast<T&>(dialog));
        if (dialog.isVisible())
            dialog.reject();
    };
}

} // namespace qrv::test
