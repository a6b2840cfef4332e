#pragma once
// The Print Tree dialog: a copy of the navigation tree in which the user marks
// the items to print; each marked item that stands for a report section
// selects that section. Only such items, and a folder of them, can be marked.
#include <QDialog>

#include <set>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qrv {

class CNavigationTree;
class CRadioData;
class CSettings;

// How many times in a row OK may be pressed with nothing marked before the
// dialog gives up; it lasts for the program run, across dialogs.
class CEmptySelectionAllowance {
public:
    static constexpr int kTimes = 3;

    // One more OK with nothing marked: true while the allowance lasts (the
    // dialog stays open); false the time after, which also starts it over.
    bool Use();
    int Left() const { return m_left; }

private:
    int m_left = kTimes;
};

class CDlgPrintTree : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 7210;
    static constexpr int kPrintSetupButton = 7212;
    static constexpr int kSelectAllButton = 7213;
    static constexpr int kClearAllButton = 7214;

    // All items start unmarked.
    CDlgPrintTree(const CSettings& settings, const CRadioData& radioData, CEmptySelectionAllowance& allowance,
                  QWidget* parent = nullptr);

    // The form numbers of the sections whose tree items are marked.
    std::set<int> SelectedSections() const;
    void SetAllMarked(bool marked);
    static bool IsMarked(const QTreeWidgetItem& item);
    // Whether the item has a check box: it is a section, or a folder of sections.
    static bool IsMarkable(const QTreeWidgetItem& item);

    CNavigationTree* Tree() const { return m_tree; }
    QPushButton* Button(int number) const;

    // OK: with a section marked the dialog closes; with none it asks again, or
    // cancels once the allowance is used up.
    void accept() override;

signals:
    // Print Setup was pressed: the owner of the printer shows its dialog.
    void PrintSetupRequested();

private:
    static void MakeMarkable(QTreeWidgetItem& item);

    const CSettings& m_settings;
    CEmptySelectionAllowance& m_allowance;
    CNavigationTree* m_tree = nullptr;
};

} // namespace qrv
