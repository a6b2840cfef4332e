#include "shell/help.h"

#include "presentation/command_numbers.h"
#include "presentation/help_topics.h"
#include "presentation/item_tables.h"
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "shell/child_frame.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"
#include "shell/navigation_tree.h"
#include "shell/qt_text.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace qrv {

namespace {

constexpr int kHelpCaption = command::kHelp; // the Help menu item's text

CHelp* g_installed = nullptr;

} // namespace

CHelp::CHelp(const CSettings& settings, std::filesystem::path helpRoot, QWidget* owner)
    : QObject(owner), m_settings(settings), m_root(std::move(helpRoot)), m_owner(owner)
{
}

CHelp::~CHelp()
{
    if (g_installed == this)
        g_installed = nullptr;
    delete m_window; // unless the window it belongs to took it already
}

void CHelp::Install()
{
    g_installed = this;
    qApp->installEventFilter(this);
}

CHelp* CHelp::Installed()
{
    return g_installed;
}

std::vector<int> CHelp::TopicsOf(const QWidget* widget) const
{
    std::vector<int> numbers;
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        // In the tree, F1 asks about the selected item.
        if (const auto* tree = qobject_cast<const CNavigationTree*>(w)) {
            if (const QTreeWidgetItem* item = tree->currentItem())
                numbers.push_back(item->data(0, CNavigationTree::kItemRole).toInt());
        }
        if (const int number = ControlNumber(w); number != 0)
            numbers.push_back(number);
        if (const auto* child = qobject_cast<const CChildFrame*>(w))
            numbers.push_back(child->ItemNumber());
    }
    return numbers;
}

void CHelp::MakeWindow()
{
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("helpWindow"));
    m_window->resize(760, 620);
    auto* layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar(m_window);
    m_browser = new QTextBrowser(m_window);
    m_browser->setOpenExternalLinks(true);
    QAction* back = bar->addAction(m_window->style()->standardIcon(QStyle::SP_ArrowBack), QString());
    QAction* forward = bar->addAction(m_window->style()->standardIcon(QStyle::SP_ArrowForward), QString());
    QAction* home = bar->addAction(m_window->style()->standardIcon(QStyle::SP_DirHomeIcon), QString());
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] { ShowTopic({}); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    layout->addWidget(bar);
    layout->addWidget(m_browser, 1);
}

bool CHelp::ShowTopic(const std::vector<int>& numbers)
{
    const auto folder = HelpFolder(m_root, m_settings.LanguageIndex());
    const auto page = FindHelpTopic(folder, numbers);
    if (!page) {
        ShowMessage(m_owner, m_settings, msg::kHelpMissing, QMessageBox::Ok, Q(folder.string()));
        return false;
    }
    if (!m_window)
        MakeWindow();
    // The window belongs to the main window and closes with it; while a modal
    // dialog is up it belongs to that dialog, so that it comes up above it
    // and takes input.
    QWidget* owner = QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : m_owner.data();
    if (m_window->parentWidget() != owner) {
        m_window->setParent(owner, Qt::Window);
        // Back to the main window when the dialog closes, still open.
        if (auto* dialog = qobject_cast<QDialog*>(owner); dialog != nullptr && dialog != m_owner)
            connect(dialog, &QDialog::finished, m_window, [this] {
                const bool shown = m_window->isVisible();
                m_window->setParent(m_owner, Qt::Window);
                m_window->setVisible(shown);
            });
    }
    m_window->setWindowTitle(Q(CaptionOf(m_settings.GetText(kHelpCaption))));
    m_browser->setSource(QUrl::fromLocalFile(Q(page->string())));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}

QWidget* CHelp::Window() const
{
    return m_window;
}

std::filesystem::path CHelp::CurrentPage() const
{
    if (m_browser == nullptr)
        return {};
    return S(m_browser->source().toLocalFile());
}

bool CHelp::eventFilter(QObject* watched, QEvent* event)
{
    // F1 is also the Help command's key: taken here first, it shows the
    // topic of the control under focus (the contents when it has none).
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            event->accept();
            return false;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            const QWidget* focus = QApplication::focusWidget();
            ShowTopic(TopicsOf(focus != nullptr ? focus : qobject_cast<QWidget*>(watched)));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ShowHelp(const std::vector<int>& numbers)
{
    if (CHelp* help = CHelp::Installed())
        help->ShowTopic(numbers);
}

void ShowHelpFor(const QWidget* widget)
{
    if (CHelp* help = CHelp::Installed())
        help->ShowTopic(help->TopicsOf(widget));
}

} // namespace qrv
