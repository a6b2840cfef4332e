#include "shell/child_frame.h"

#include "radio_data/settings.h"
#include "shell/help.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"
#include "widgets/compact_form.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qrv {

namespace {

// The navigation bar's buttons keep the numbers of their controls.
constexpr int kNavigationClose = 1050;
constexpr int kNavigationPrint = 1051;
constexpr int kNavigationHelp = 1052;
constexpr int kFirstRecordButton = 1053;
constexpr std::array<QStyle::StandardPixmap, 6> kRecordIcons{
    QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,   QStyle::SP_MediaSeekForward,
    QStyle::SP_MediaSkipForward,  QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon};

} // namespace

CChildFrame::CChildFrame(int itemNumber, QWidget* view, QWidget* parent)
    : QMdiSubWindow(parent), m_itemNumber(itemNumber), m_view(view)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view, 1);
    LayOutCompactly(*view);

    auto* bar = new QWidget(body);
    bar->setObjectName(QStringLiteral("navigationBar"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    for (std::size_t i = 0; i < m_record.size(); ++i) {
        auto* button = new QPushButton(bar);
        button->setIcon(style()->standardIcon(kRecordIcons[i]));
        button->setProperty("controlNumber", kFirstRecordButton + static_cast<int>(i));
        button->setVisible(false);
        connect(button, &QPushButton::clicked, this, [this, i] { emit NavigationCommand(static_cast<int>(i)); });
        row->addWidget(button);
        m_record[i] = button;
    }
    m_position = new QLineEdit(bar);
    m_position->setReadOnly(true);
    m_position->setMaximumWidth(80);
    m_position->setVisible(false);
    row->addWidget(m_position);
    row->addStretch(1);
    auto* close = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QString(), bar);
    close->setProperty("controlNumber", kNavigationClose);
    connect(close, &QPushButton::clicked, this, &QMdiSubWindow::close);
    m_print = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogDetailedView), QString(), bar);
    m_print->setProperty("controlNumber", kNavigationPrint);
    m_print->setEnabled(false); // the main window enables it for views with a report section
    connect(m_print, &QPushButton::clicked, this, &CChildFrame::PrintRequested);
    m_help = new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton), QString(), bar);
    m_help->setProperty("controlNumber", kNavigationHelp);
    connect(m_help, &QPushButton::clicked, this, [this] { ShowHelp({m_itemNumber}); });
    row->addWidget(close);
    row->addWidget(m_print);
    row->addWidget(m_help);
    layout->addWidget(bar);
    setWidget(body);
    // Ctrl+W is Write to Radio in this program: a window closes with its close
    // button, its system menu or Ctrl+F4.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) {
            QList<QKeySequence> keys = action->shortcuts();
            if (keys.removeAll(QKeySequence(Qt::CTRL | Qt::Key_W)) > 0)
                action->setShortcuts(keys);
        }
    }
}

void CChildFrame::SetNavigation(const CNavigationState& state, int number, int count)
{
    for (std::size_t i = 0; i < m_record.size(); ++i) {
        m_record[i]->setVisible(state.shown);
        m_record[i]->setEnabled(state.enabled[i]);
    }
    m_position->setVisible(state.shown);
    m_print->setVisible(state.printShown);
    m_help->setVisible(state.helpShown);
    m_position->setText(QStringLiteral("%1 / %2").arg(number).arg(count));
}

void CChildFrame::SetButtonTips(const CSettings& settings)
{
    for (QPushButton* button : findChildren<QPushButton*>())
        if (const int number = ControlNumber(button); number != 0)
            button->setToolTip(Q(settings.GetText(number)));
}

QString CChildFrame::PositionText() const
{
    return m_position->text();
}

} // namespace qrv
