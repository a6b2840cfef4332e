#include "shell/menus.h"

#include "presentation/item_tables.h"
#include "radio_data/settings.h"
#include "shell/qt_text.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <vector>

namespace qrv {

namespace {

using namespace command;

constexpr int kSeparator = 0;

// The menus of the main window, in order; the third is made from the tree table.
const std::vector<std::vector<int>>& MenuTemplate()
{
    static const std::vector<std::vector<int>> menus{
        {kNew,
         kOpen,
         kSave,
         kSaveAs,
         kSeparator,
         kPrint,
         kPrintPreview,
         kPrintSetup,
         kExportPdf,
         kSeparator,
         kImportChannels,
         kExportChannels,
         kOpenBackupFolder,
         kSeparator,
         kFirstRecent,
         kFirstRecent + 1,
         kFirstRecent + 2,
         kFirstRecent + 3,
         kSeparator,
         kExit},
        {kModel, kLanguage},
        {},
        // A command the user level hides takes the separator before it along.
        {kRead, kWrite, kWriteFleet, kCompare, kSeparator, kPort, kSeparator, kAdjustment, kBaseBand, kSeparator,
         kFactoryMode, kSeparator, kWriteTuneData, kSeparator, kUpdateMemory},
        {kTreeBar, kLogBar, kInvalidBar, kTabBar, kSeparator, item::kChannelList, kDtmfSystemView, kEmergencyView,
         item::kVolume, item::kMicrophone},
        {kCloseAll, kCloseAllButThis},
        {kHelp, kSerialTrace, kSeparator, kAbout},
    };
    return menus;
}

// The platform's keys for the standard commands (with the usual key where a
// platform has none), and the two of the radio.
QList<QKeySequence> KeysOf(int number)
{
    const auto standard = [](QKeySequence::StandardKey key, QKeyCombination usual) {
        QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        return keys.isEmpty() ? QList<QKeySequence>{QKeySequence(usual)} : keys;
    };
    switch (number) {
    case kNew:
        return standard(QKeySequence::New, Qt::CTRL | Qt::Key_N);
    case kOpen:
        return standard(QKeySequence::Open, Qt::CTRL | Qt::Key_O);
    case kSave:
        return standard(QKeySequence::Save, Qt::CTRL | Qt::Key_S);
    case kSaveAs:
        return standard(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    case kPrint:
        return standard(QKeySequence::Print, Qt::CTRL | Qt::Key_P);
    case kExit:
        return standard(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q);
    case kHelp:
        return standard(QKeySequence::HelpContents, QKeyCombination(Qt::Key_F1));
    case kUndo:
        return standard(QKeySequence::Undo, Qt::CTRL | Qt::Key_Z);
    case kRedo: {
        QList<QKeySequence> keys = standard(QKeySequence::Redo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y);
        if (!keys.contains(ctrlY))
            keys.append(ctrlY);
        return keys;
    }
    case kRead:
        return {QKeySequence(Qt::CTRL | Qt::Key_R)};
    case kWrite:
        return {QKeySequence(Qt::CTRL | Qt::Key_W)};
    default:
        return {};
    }
}

bool IsToggle(int number)
{
    return number == kTreeBar || number == kLogBar || number == kInvalidBar || number == kTabBar;
}

} // namespace

CMenus::CMenus(const CSettings& settings) : m_settings(settings)
{
}

QAction* CMenus::Action(int commandNumber) const
{
    const auto it = m_actions.find(commandNumber);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMenus::Build(QMenuBar* bar, const std::function<void(int)>& handler)
{
    bar->clear();
    m_actions.clear();
    const auto addCommand = [&](QMenu* menu, int number, const std::string& text) {
        QAction* action = menu->addAction(Q(text));
        action->setData(number);
        action->setCheckable(IsToggle(number));
        action->setShortcuts(KeysOf(number));
        action->setStatusTip(Q(PromptOf(m_settings.GetMessage(number))));
        QObject::connect(action, &QAction::triggered, bar, [handler, number] { handler(number); });
        m_actions[number] = action;
        return action;
    };

    const auto& menus = MenuTemplate();
    for (std::size_t i = 0; i < menus.size(); ++i) {
        std::string caption = m_settings.GetText(kFirstMenuCaption + static_cast<int>(i));
        QMenu* menu = bar->addMenu(Q(caption));
        menu->setObjectName(QStringLiteral("menu%1").arg(i));
        if (i == 2) {
            // The data menu follows the tree table: pop-ups hold the rows of the next level.
            QMenu* popup = nullptr;
            for (const CTreeRow& row : TreeTable()) {
                if (row.menuKind == -1) {
                    popup = nullptr;
                    menu->addSeparator();
                } else if (row.menuKind == 1) {
                    popup = menu->addMenu(Q(m_settings.GetText(row.menu)));
                } else if (row.menu != 0) {
                    addCommand(row.level > 0 && popup != nullptr ? popup : menu, row.menu,
                               m_settings.GetText(row.menu));
                }
            }
            continue;
        }
        for (const int number : menus[i]) {
            if (number == kSeparator) {
                menu->addSeparator();
                continue;
            }
            std::string text;
            if (i == 0)
                m_settings.GetTextIfAny(number, text, true);
            else
                text = m_settings.GetText(ItemOfCommand(number)); // a view's command bears its item's name
            addCommand(menu, number, text);
        }
    }
    RemoveHiddenItems(bar);
    AddEditMenu(bar, handler);
}

void CMenus::AddEditMenu(QMenuBar* bar, const std::function<void(int)>& handler)
{
    auto* menu = new QMenu(Q(m_settings.GetText(kEditMenu)), bar);
    menu->setObjectName(QStringLiteral("editMenu"));
    for (const int number : {kUndo, kRedo}) {
        QAction* action = menu->addAction(Q(m_settings.GetText(number)));
        action->setData(number);
        action->setShortcuts(KeysOf(number));
        QObject::connect(action, &QAction::triggered, bar, [handler, number] { handler(number); });
        m_actions[number] = action;
    }
    const auto menus = bar->actions();
    bar->insertMenu(menus.size() > 1 ? menus[1] : nullptr, menu);
}

void CMenus::RemoveHiddenItems(QMenuBar* bar)
{
    const int level = m_settings.GetUserLevel();
    const bool factory = level == CSettings::kFactoryLevel;
    const auto remove = [this](int number) {
        if (QAction* action = Action(number)) {
            action->setVisible(false);
            m_actions.erase(number);
        }
    };
    if (!factory) {
        remove(item::kChangeLog);
        remove(kDtmfSystemView);
        remove(kEmergencyView);
        remove(item::kVolume);
        remove(item::kMicrophone);
        remove(kUpdateMemory);
        remove(kWriteTuneData);
        remove(kBaseBand);
        if (level != CSettings::kServiceLevel)
            remove(kFactoryMode);
    }
    remove(item::kDtmfSystem);
    // A separator goes with the commands after it when none of them is left.
    for (const QAction* top : bar->actions()) {
        if (top->menu() == nullptr)
            continue;
        const auto items = top->menu()->actions();
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (!items[i]->isSeparator())
                continue;
            bool emptyGroup = true;
            for (qsizetype next = i + 1; next < items.size() && !items[next]->isSeparator(); ++next)
                emptyGroup = emptyGroup && !items[next]->isVisible();
            if (emptyGroup)
                items[i]->setVisible(false);
        }
    }
}

} // namespace qrv
