#pragma once
// The menu bar: the commands of each menu, their texts from the language file,
// the third menu built from the tree table, and the items the user level hides.
#include "presentation/command_numbers.h"

#include <QMenuBar>

#include <functional>
#include <map>

class QAction;

namespace qrv {

class CSettings;

class CMenus {
public:
    explicit CMenus(const CSettings& settings);

    // Builds (or rebuilds) the menu bar in the current language; every action
    // carries its command number as data and triggers the handler with it.
    void Build(QMenuBar* bar, const std::function<void(int)>& handler);
    QAction* Action(int commandNumber) const;
    // What the tool bar shows: the command actions, by number.
    const std::map<int, QAction*>& Actions() const { return m_actions; }

private:
    void RemoveHiddenItems(QMenuBar* bar);
    // Undo and redo, in a menu of their own after the first.
    void AddEditMenu(QMenuBar* bar, const std::function<void(int)>& handler);

    const CSettings& m_settings;
    std::map<int, QAction*> m_actions;
};

} // namespace qrv
